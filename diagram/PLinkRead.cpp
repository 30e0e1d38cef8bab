// SPDX-License-Identifier: GPL-3.0-or-later
// Reading a link projection file into its numbers, checked for range: the
// text side of ReadPLink (the layout is described in diagram/PLinkFile.h).
#include "diagram/PLinkRead.h"

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "diagram/FileError.h"

namespace ravelon {

namespace {

bool IsBlank(char C) { return C == ' ' || C == '\t' || C == '\r' || C == '\v' || C == '\f'; }

// The lines of the text that hold more than blanks, with their numbers.
class TLines {
public:
    explicit TLines(std::string_view Text) {
        std::int32_t number = 0;
        std::size_t at = 0;
        while (at < Text.size()) {
            std::size_t end = Text.find('\n', at);
            if (end == std::string_view::npos) end = Text.size();
            const std::string_view line = Text.substr(at, end - at);
            // The number of a line is at most the text's length, which a
            // file this program reads keeps far below 2^31.
            if (number < INT32_MAX) ++number;
            std::size_t k = 0;
            while (k < line.size() && IsBlank(line[k])) ++k;
            if (k < line.size()) FLines.push_back({number, line});
            at = end + 1;
        }
    }

    // The lines not yet read.
    std::int64_t Remaining() const { return static_cast<std::int64_t>(FLines.size() - FNext); }
    // The number of the line read last (0 before the first).
    std::int32_t Number() const { return FNext == 0 ? 0 : FLines[FNext - 1].Number; }

    // The next line, which holds What.
    std::string_view Next(const std::string& What) {
        if (FNext == FLines.size())
            throw TFileError("PLink ファイルが途中で終わっています（" + What + "がありません）");
        return FLines[FNext++].Text;
    }

    // The next line, which must hold exactly Count integers that fit 32 bits.
    std::vector<std::int32_t> Numbers(std::size_t Count, const std::string& What) {
        const std::string_view line = Next(What);
        std::vector<std::int32_t> values;
        std::size_t k = 0;
        for (;;) {
            while (k < line.size() && IsBlank(line[k])) ++k;
            if (k == line.size()) break;
            std::size_t end = k;
            while (end < line.size() && !IsBlank(line[end])) ++end;
            if (values.size() == Count) Fail(What + "の行に余分な文字があります");
            values.push_back(Parse(line.substr(k, end - k), What));
            k = end;
        }
        if (values.size() != Count) Fail(What + "には整数が " + std::to_string(Count) + " つ必要です");
        return values;
    }

    // A count of the lines that follow, each holding one item.
    std::int32_t Count(const std::string& What, std::int32_t Limit) {
        const std::int32_t n = Numbers(1, What)[0];
        if (n < 0) Fail(What + "が負です");
        if (n > Limit) Fail(What + "が多すぎます（" + std::to_string(Limit) + " まで）");
        if (n > Remaining()) Fail(What + "が " + std::to_string(n) + " ですが、ファイルにそれだけの行がありません");
        return n;
    }

    [[noreturn]] void Fail(const std::string& What) const {
        throw TFileError("PLink ファイルの " + std::to_string(Number()) + " 行目: " + What);
    }

private:
    std::int32_t Parse(std::string_view T, const std::string& What) const {
        std::size_t i = T[0] == '-' || T[0] == '+' ? 1 : 0;
        const bool negative = T[0] == '-';
        if (i == T.size()) Fail(What + "が整数ではありません");
        std::int64_t v = 0;
        for (; i < T.size(); ++i) {
            if (T[i] < '0' || T[i] > '9') Fail(What + "が整数ではありません");
            v = v * 10 + (T[i] - '0');
            if (v > INT32_MAX) Fail(What + "の数が大きすぎます");
        }
        return static_cast<std::int32_t>(negative ? -v : v);
    }

    struct TLine {
        std::int32_t Number;
        std::string_view Text;
    };
    std::vector<TLine> FLines;
    std::size_t FNext = 0;
};

std::string Item(const char* Kind, std::int32_t I) { return Kind + std::string(" ") + std::to_string(I); }

}  // namespace

TPLinkNumbers ReadPLinkNumbers(const std::string& Text) {
    TLines in(Text);
    const std::string_view head = in.Next("先頭の「% Link Projection」");
    if (head.substr(0, 17) != "% Link Projection")
        in.Fail("PLink のリンク射影ファイルではありません（先頭が「% Link Projection」ではありません）");
    TPLinkNumbers f;
    const std::int32_t components = in.Count("成分の数", INT32_MAX);
    for (std::int32_t c = 0; c < components; ++c) {
        const auto v = in.Numbers(2, Item("成分", c) + " の始点と終点");
        f.Components.push_back({v[0], v[1], in.Number()});
    }
    const std::int32_t vertices = in.Count("頂点の数", MaxPLinkVertices);
    for (std::int32_t i = 0; i < vertices; ++i) {
        const auto v = in.Numbers(2, Item("頂点", i) + " の座標");
        f.Vertices.push_back({{v[0], v[1]}, in.Number()});
    }
    const std::int32_t edges = in.Count("辺の数", MaxPLinkVertices);
    for (std::int32_t e = 0; e < edges; ++e) {
        const auto v = in.Numbers(2, Item("辺", e));
        for (const std::int32_t end : v)
            if (end < 0 || end >= vertices) in.Fail(Item("辺", e) + " の端の" + Item("頂点", end) + " はありません");
        if (v[0] == v[1]) in.Fail(Item("辺", e) + " は同じ頂点を結んでいます");
        f.Edges.push_back({v[0], v[1], in.Number()});
    }
    const std::int32_t crossings = in.Count("交差の数", INT32_MAX);
    for (std::int32_t k = 0; k < crossings; ++k) {
        const auto v = in.Numbers(2, Item("交差", k) + " の下の辺と上の辺");
        for (const std::int32_t e : v)
            if (e < 0 || e >= edges) in.Fail(Item("交差", k) + " の" + Item("辺", e) + " はありません");
        if (v[0] == v[1]) in.Fail(Item("交差", k) + " は同じ辺どうしです");
        f.Crossings.push_back({v[0], v[1], in.Number()});
    }
    const std::int32_t hot = in.Numbers(1, "作図中の頂点の番号")[0];
    if (hot < -1 || hot >= vertices) in.Fail("作図中の" + Item("頂点", hot) + " はありません");
    // The component lines name vertices that only now are known.
    for (std::size_t c = 0; c < f.Components.size(); ++c)
        for (const std::int32_t v : {f.Components[c].First, f.Components[c].Last})
            if (v < 0 || v >= vertices)
                throw TFileError("PLink ファイルの " + std::to_string(f.Components[c].Line) + " 行目: " +
                                 Item("成分", static_cast<std::int32_t>(c)) + " の" + Item("頂点", v) +
                                 " はありません");
    return f;
}

}  // namespace ravelon
