// SPDX-License-Identifier: GPL-3.0-or-later
#include "knot/GaussWordRead.h"

#include <cstddef>
#include <cstdint>
#include <map>
#include <optional>
#include <utility>
#include <vector>

#include "knot/GaussRealise.h"
#include "knot/NumberList.h"
#include "knot/TextTokens.h"

namespace ravelon {

namespace {

const std::string Name = "ガウスコード";

std::vector<TListedNumber> Numbers(const std::string& Text) {
    const std::vector<TTextToken> tokens = TextTokens(Text);
    if (tokens.empty()) throw TGaussError(Name + "が入力されていません");
    try {
        return NumberList(tokens, Name);
    } catch (const TNumberListError& e) {
        throw TGaussError(e.what());
    }
}

// The word of the numbers: crossings from 0 in the order first passed.
std::vector<TGaussPassage> WordOf(const std::vector<TListedNumber>& Numbers) {
    std::map<std::int64_t, int> index;
    std::vector<int> overs, unders;
    std::vector<std::int64_t> labels;
    std::vector<TGaussPassage> word;
    for (const TListedNumber& x : Numbers) {
        if (x.Value == 0) throw TGaussError("交点の番号に 0 は使えません: " + PlaceOf(x.Token));
        const std::int64_t label = x.Value < 0 ? -static_cast<std::int64_t>(x.Value) : x.Value;
        const auto [at, added] = index.emplace(label, static_cast<int>(labels.size()));
        if (added) {
            labels.push_back(label);
            overs.push_back(0);
            unders.push_back(0);
        }
        const auto c = static_cast<std::size_t>(at->second);
        ++(x.Value > 0 ? overs : unders)[c];
        word.push_back({at->second, x.Value > 0});
    }
    for (std::size_t c = 0; c < labels.size(); ++c) {
        const std::string name = "交点 " + std::to_string(labels[c]);
        const int times = overs[c] + unders[c];
        if (times == 1) throw TGaussError(name + " を 1 回しか通っていません (上と下で 1 回ずつのはずです)");
        if (times != 2)
            throw TGaussError(name + " を " + std::to_string(times) + " 回通っています (上と下で 1 回ずつのはずです)");
        if (overs[c] != 1)
            throw TGaussError(name + " を 2 回とも" + (overs[c] == 2 ? "上" : "下") + "で通っています (上と下で 1 回ずつのはずです)");
    }
    return word;
}

}  // namespace

TKnot ReadGaussCode(const std::string& Text) {
    std::optional<TKnot> k = RealiseGaussWord(WordOf(Numbers(Text)));
    if (!k) throw TGaussError("平面に描けない" + Name + "です");
    return *std::move(k);
}

}  // namespace ravelon
