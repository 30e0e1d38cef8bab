// SPDX-License-Identifier: GPL-3.0-or-later
// PD codes as other programs write them: every table entry rewritten with
// labels from 0 in tuples, with labels scattered, and clockwise.
#include <gtest/gtest.h>

#include <algorithm>
#include <numeric>
#include <random>
#include <tuple>
#include <vector>

#include "knot/PdRead.h"
#include "tests/support/PolyTerms.h"
#include "tests/support/TableFile.h"

namespace ravelon {
namespace {

using testing::NonZero;
using testing::JonesOf;
using testing::Mirror;
using testing::TTermMap;
using TCrossings = std::vector<std::vector<int>>;

// "[(a, b, c, d), ...]" with every label moved by Shift.
std::string Tuples(const TCrossings& Code, int Shift) {
    std::string out = "[";
    for (std::size_t c = 0; c < Code.size(); ++c) {
        out += c == 0 ? "(" : ", (";
        for (std::size_t i = 0; i < Code[c].size(); ++i) out += (i == 0 ? "" : ", ") + std::to_string(Code[c][i] + Shift);
        out += ")";
    }
    return out + "]";
}

// The edges of a code in a fixed order: relabelling reorders them only.
std::vector<TEdge> SortedEdges(const TKnot& K) {
    std::vector<TEdge> edges = K.FEdges;
    std::sort(edges.begin(), edges.end(), [](const TEdge& a, const TEdge& b) {
        return std::tie(a.Crossing1, a.Port1, a.Crossing2, a.Port2) < std::tie(b.Crossing1, b.Port1, b.Crossing2, b.Port2);
    });
    return edges;
}

// Under the sanitizers a sample of the table runs.
#ifdef RAVELON_SANITIZED_TESTS
constexpr std::size_t kStride = 37;
#else
constexpr std::size_t kStride = 1;
#endif

TEST(PdForms, EveryTableEntryReadsTheSameInEveryForm) {
    std::mt19937 rng(5);
    const std::vector<testing::TTableRow> rows = testing::ReadTableFile(RAVELON_KNOT_TABLE);
    for (std::size_t i = 0; i < rows.size(); i += kStride) {
        const testing::TTableRow& row = rows[i];
        const TCrossings code = testing::PdCrossings(row.Pd);
        const TKnot original = ReadPdCode(row.Pd);
        const TKnot tuples = ReadPdCode(Tuples(code, -1));
        EXPECT_EQ(tuples.FCrossings, original.FCrossings) << row.Name;
        EXPECT_EQ(tuples.FEdges, original.FEdges) << row.Name;
        // Labels scattered and shuffled: gaps between them, in another order.
        int largest = 0;
        for (const auto& x : code) largest = std::max(largest, *std::max_element(x.begin(), x.end()));
        std::vector<int> to(static_cast<std::size_t>(largest) + 1);
        std::iota(to.begin(), to.end(), 0);
        std::shuffle(to.begin(), to.end(), rng);
        TCrossings scattered = code;
        for (auto& x : scattered)
            for (int& label : x) label = 1000 + 37 * to[static_cast<std::size_t>(label)];
        const TKnot relabelled = ReadPdCode(testing::PdString(scattered));
        EXPECT_EQ(relabelled.FCrossings, original.FCrossings) << row.Name;
        EXPECT_EQ(SortedEdges(relabelled), SortedEdges(original)) << row.Name;
        // Clockwise: the same code read with the switch, the mirror image without it.
        TCrossings clockwise = code;
        for (auto& x : clockwise)
            if (x.size() == 4) std::swap(x[1], x[3]);
        const std::string text = testing::PdString(clockwise);
        const TKnot switched = ReadPdCode(text, TPdOptions{.Clockwise = true});
        EXPECT_EQ(switched.FCrossings, original.FCrossings) << row.Name;
        EXPECT_EQ(switched.FEdges, original.FEdges) << row.Name;
        EXPECT_EQ(JonesOf(ReadPdCode(text)), Mirror(JonesOf(original))) << row.Name;
    }
}

TEST(PdForms, TuplesAndClockwiseCodesAsTheHeaderShowsThem) {
    const TKnot trefoil = ReadPdCode("X[1,5,2,4] X[3,1,4,6] X[5,3,6,2]");
    const TKnot tuples = ReadPdCode("[(0, 4, 1, 3), (2, 0, 3, 5), (4, 2, 5, 1)]");
    EXPECT_EQ(tuples.FCrossings, trefoil.FCrossings);
    EXPECT_EQ(tuples.FEdges, trefoil.FEdges);
    EXPECT_EQ(ReadPdCode("X[1,4,2,5] X[3,6,4,1] X[5,2,6,3]").Writhe(), -3);
    const TKnot clockwise = ReadPdCode("X[1,4,2,5] X[3,6,4,1] X[5,2,6,3]", {.Clockwise = true});
    EXPECT_EQ(clockwise.FCrossings, trefoil.FCrossings);
    try {
        ReadPdCode("[(0, 3, 1, 4), (3, 0, 4, 1]");
        ADD_FAILURE() << "a tuple closed by ] accepted";
    } catch (const TPdError& e) {
        EXPECT_STREQ(e.what(), "PD コードとして読めません: 27 文字目の「]」");
    }
}

}  // namespace
}  // namespace ravelon
