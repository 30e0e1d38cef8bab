// SPDX-License-Identifier: GPL-3.0-or-later
// Identification against the knot table: every table knot from its own PD
// code and from its mirror image, every link from its own code, the example
// files, and connected sums that the table does not hold.
#include <gtest/gtest.h>

#include <algorithm>
#include <map>

#include "table/Identify.h"
#include "table/KnotTable.h"
#include "knot/PdCode.h"
#include "knot/PdRead.h"
#include "diagram/Draw.h"
#include "examples/generator/ExampleKnots.h"
#include "classical/ClassicalInvariants.h"
#include "tests/support/TableFile.h"

namespace ravelon {
namespace {

#ifdef RAVELON_SANITIZED_TESTS
constexpr std::size_t kStride = 41;
#else
constexpr std::size_t kStride = 1;
#endif

const TKnotTable& Table() {
    static const TKnotTable table(RAVELON_KNOT_TABLE);
    return table;
}

TIdentification IdentifyCode(const TKnot& k) {
    TIdentifyInput in;
    in.Components = MakePdCode(k).Components;
    k.Jones(in.Jones);
    in.Alexander = AlexanderPolynomial(k);
    in.Signature = Signature(k);
    return Identify(Table(), in);
}

bool Lists(const TIdentification& id, const std::string& name, bool mirror) {
    return std::find(id.Candidates.begin(), id.Candidates.end(), TCandidate{name, mirror}) != id.Candidates.end();
}

// The table's mirror image of a code: the plane reflected, so every crossing
// is read clockwise instead.
std::string Mirrored(const std::string& pd) {
    auto crossings = testing::PdCrossings(pd);
    for (auto& x : crossings)
        if (x.size() == 4) std::swap(x[1], x[3]);
    return testing::PdString(crossings);
}

TEST(Identify, EveryTableKnotFromItsCodeAndFromItsMirrorImage) {
    const auto rows = testing::ReadTableFile(RAVELON_KNOT_TABLE);
    int wrong = 0;
    for (std::size_t i = 0; i < rows.size() && wrong < 10; i += kStride) {
        const auto& row = rows[i];
        if (!Lists(IdentifyCode(ReadPdCode(row.Pd)), row.Name, false)) {
            ADD_FAILURE() << row.Name << " from its own code";
            ++wrong;
        }
        if (row.Components != "1") continue;
        // An amphichiral-looking entry (Jones polynomial unchanged by t -> 1/t,
        // signature 0) matches its mirror image as it is.
        auto jones = testing::TermsOf(row.Jones);
        std::map<long, mpz_class> flipped;
        for (const auto& [e, c] : jones) flipped[-e] = c;
        const bool same = flipped == jones && row.Signature == "0";
        if (!Lists(IdentifyCode(ReadPdCode(Mirrored(row.Pd))), row.Name, !same)) {
            ADD_FAILURE() << row.Name << " from its mirror image";
            ++wrong;
        }
    }
}

TEST(Identify, TheExamples) {
    const std::map<std::string, std::string> expected{
        {"trefoil-right.rvd", "3_1"}, {"trefoil-left.rvd", "3_1"},   {"figure-eight.rvd", "4_1"},
        {"5_1.rvd", "5_1"},           {"5_2.rvd", "5_2"},            {"6_1.rvd", "6_1"},
        {"6_2.rvd", "6_2"},           {"6_3.rvd", "6_3"},            {"8_19.rvd", "8_19"},
        {"hopf-link.rvd", "L2a1"},    {"whitehead-link.rvd", "L5a1"}, {"borromean-rings.rvd", "L6a4"},
        {"unknot.rvd", "0_1"},        {"unknot-curl.rvd", "0_1"}};
    for (const auto& [file, name] : expected) {
        TDraw draw;
        int w = 0, h = 0;
        draw.LoadFromFile(std::string(RAVELON_EXAMPLES_DIR) + "/" + file, w, h);
        TKnot k;
        draw.MakeKnot(k);
        const TIdentification id = IdentifyCode(k);
        EXPECT_TRUE(id.Unique) << file;
        ASSERT_FALSE(id.Candidates.empty()) << file;
        for (const TCandidate& c : id.Candidates) EXPECT_EQ(BaseName(c.Name), name) << file;
    }
    // The two trefoils are mirror images of each other.
    TDraw left;
    int w = 0, h = 0;
    left.LoadFromFile(std::string(RAVELON_EXAMPLES_DIR) + "/trefoil-left.rvd", w, h);
    TKnot k;
    left.MakeKnot(k);
    EXPECT_EQ(IdentifyCode(k).Candidates, (std::vector<TCandidate>{{"3_1", true}}));
}

TEST(Identify, ConnectedSumsAreNotInTheTable) {
    // The granny and the square knot drawn by the example generator: closed
    // braids sigma_1^3 sigma_2^(+-3).
    for (const std::vector<int>& word : {std::vector<int>{1, 1, 1, 2, 2, 2}, std::vector<int>{1, 1, 1, -2, -2, -2}}) {
        examples::TExample sum = examples::BraidExample("sum.rvd", "a connected sum of trefoils", 3, word);
        TKnot k;
        sum.Draw.MakeKnot(k);
        const TIdentification id = IdentifyCode(k);
        EXPECT_TRUE(id.Candidates.empty()) << id.Candidates.front().Name;
        EXPECT_FALSE(id.Unique);
    }
}

TEST(Identify, SeveralCandidatesAreAllListed) {
    // 5_1 and 10_132 share the Jones polynomial; the Alexander polynomial and
    // the signature tell them apart.
    const auto rows = testing::ReadTableFile(RAVELON_KNOT_TABLE);
    const auto row = std::find_if(rows.begin(), rows.end(), [](const auto& r) { return r.Name == "10_132"; });
    ASSERT_NE(row, rows.end());
    const TIdentification id = IdentifyCode(ReadPdCode(row->Pd));
    EXPECT_EQ(id.Candidates, (std::vector<TCandidate>{{"10_132", false}}));
    // With the Jones polynomial alone both would match.
    TPoly jones;
    ReadPdCode(row->Pd).Jones(jones);
    const auto& sameJones = Table().WithJones(1, TableKey(jones, 2));
    const auto& mirrorJones = Table().WithJones(1, TableKey(jones, 2, -1));
    EXPECT_EQ(sameJones.size() + mirrorJones.size(), 2u);
}

}  // namespace
}  // namespace ravelon
