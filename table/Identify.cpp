// SPDX-License-Identifier: GPL-3.0-or-later
#include "table/Identify.h"

#include <algorithm>
#include <set>

namespace ravelon {

namespace {

std::string CandidateText(const TCandidate& c) { return c.Name + (c.Mirror ? " (鏡像)" : ""); }

}  // namespace

std::string IdentifyText(const TIdentification& id) {
    if (id.Candidates.empty())
        return "表の素な結び目・絡み目ではありません (合成結び目、表より交点の多いもの、または分離した絡み目の可能性があります)";
    std::string list;
    for (const TCandidate& c : id.Candidates) list += (list.empty() ? "" : ", ") + CandidateText(c);
    if (id.Unique && id.Candidates.size() == 1) return list;
    if (id.Unique) return list + " (同じ絡み目の向きの違い)";
    return "計算した不変量がすべて一致する候補が " + std::to_string(id.Candidates.size()) + " 個あります: " + list;
}

std::string BaseName(const std::string& Name) { return Name.substr(0, Name.find('{')); }

TIdentification Identify(const TKnotTable& Table, const TIdentifyInput& In) {
    const std::string alexander = TableKey(In.Alexander, 2);
    const int mirrorFactor = In.Components % 2 == 1 ? 1 : -1;  // (-1)^(components - 1)
    std::vector<std::size_t> direct, mirrored;
    for (const std::size_t i : Table.WithJones(In.Components, TableKey(In.Jones, 2))) {
        const TTableEntry& e = Table.Entries()[i];
        if (e.Signature == In.Signature && AlexanderKeyFromConway(e.Conway, 1) == alexander) direct.push_back(i);
    }
    for (const std::size_t i : Table.WithJones(In.Components, TableKey(In.Jones, 2, -1))) {
        const TTableEntry& e = Table.Entries()[i];
        if (e.Signature == -In.Signature && AlexanderKeyFromConway(e.Conway, mirrorFactor) == alexander)
            mirrored.push_back(i);
    }
    std::set<std::string> directNames;
    for (const std::size_t i : direct) directNames.insert(BaseName(Table.Entries()[i].Name));
    std::vector<std::pair<std::size_t, bool>> all;
    for (const std::size_t i : direct) all.push_back({i, false});
    for (const std::size_t i : mirrored)
        if (directNames.count(BaseName(Table.Entries()[i].Name)) == 0) all.push_back({i, true});
    std::sort(all.begin(), all.end());
    TIdentification out;
    std::set<std::string> names;
    for (const auto& [i, mirror] : all) {
        out.Candidates.push_back({Table.Entries()[i].Name, mirror});
        names.insert(BaseName(Table.Entries()[i].Name));
    }
    out.Unique = names.size() == 1;
    return out;
}

}  // namespace ravelon
