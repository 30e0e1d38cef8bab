// SPDX-License-Identifier: GPL-3.0-or-later
// Every entry of the knot table drawn from its PD code: the drawing is the
// code's diagram, its invariants are the published ones, the identification
// names the entry, and it keeps the spacing rules. Under the sanitizers a
// sample runs.
#include <gtest/gtest.h>

#include <algorithm>
#include <map>

#include "classical/ClassicalInvariants.h"
#include "knot/PdCode.h"
#include "knot/PdRead.h"
#include "layout/DrawCode.h"
#include "table/Identify.h"
#include "tests/layout/LayoutCheck.h"
#include "tests/support/TableFile.h"

namespace ravelon {
namespace {

#ifdef RAVELON_SANITIZED_TESTS
constexpr std::size_t kStride = 43;
#else
constexpr std::size_t kStride = 1;
#endif

// Twice the exponent mapped to the coefficient, zeros dropped.
std::map<long, mpz_class> HalfTerms(const TPoly& P) {
    std::map<long, mpz_class> terms;
    for (const TTerm& t : P.FTerms) terms[2L * t.Exponent.Num / t.Exponent.Den] += t.Coefficient;
    for (auto it = terms.begin(); it != terms.end();) it = it->second == 0 ? terms.erase(it) : std::next(it);
    return terms;
}

TEST(TableLayout, EveryEntryIsDrawnAsItsOwnDiagram) {
    const TKnotTable table(RAVELON_KNOT_TABLE);
    const std::vector<testing::TTableRow> rows = testing::ReadTableFile(RAVELON_KNOT_TABLE);
    int wrong = 0, drawn = 0;
    for (std::size_t i = 0; i < rows.size() && wrong < 10; i += kStride) {
        const testing::TTableRow& row = rows[i];
        const TKnot code = ReadPdCode(row.Pd);
        const TDrawing drawing = DrawCode(code);
        TKnot back;
        drawing.Draw.MakeKnot(back);
        ++drawn;
        std::string fault = testing::SpacingFault(drawing);
        if (fault.empty()) fault = testing::SameDiagramFault(code, back);
        TIdentifyInput in;
        in.Components = MakePdCode(back).Components;
        back.Jones(in.Jones);
        in.Alexander = AlexanderPolynomial(back);
        in.Signature = Signature(back);
        if (fault.empty() && HalfTerms(in.Jones) != testing::TermsOf(row.Jones)) fault = "Jones polynomial";
        if (fault.empty() && in.Signature != std::stoi(row.Signature)) fault = "signature";
        if (fault.empty() && HalfTerms(in.Alexander) != testing::AlexanderOfConway(testing::TermsOf(row.Conway)))
            fault = "Alexander polynomial";
        const TIdentification id = Identify(table, in);
        if (fault.empty() && std::find(id.Candidates.begin(), id.Candidates.end(), TCandidate{row.Name, false}) ==
                                 id.Candidates.end())
            fault = "identified as " + IdentifyText(id);
        if (!fault.empty()) {
            ADD_FAILURE() << row.Name << ": " << fault;
            ++wrong;
        }
    }
    EXPECT_EQ(drawn, static_cast<int>((rows.size() + kStride - 1) / kStride));
}

}  // namespace
}  // namespace ravelon
