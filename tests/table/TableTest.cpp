// SPDX-License-Identifier: GPL-3.0-or-later
// Every entry of the knot table: the invariants computed from its PD code
// against the published ones. The table is the oracle; the test reads it and
// expands the Conway polynomials itself. Under the sanitizers a sample runs.
#include <gtest/gtest.h>

#include <map>

#include "knot/PdRead.h"
#include "classical/ClassicalInvariants.h"
#include "classical/KauffmanStates.h"
#include "knot/Knot.h"
#include "knot/PortGraph.h"
#include "table/KnotTable.h"
#include "tests/support/TableFile.h"

namespace ravelon {
namespace {

using testing::TTableRow;

#ifdef RAVELON_SANITIZED_TESTS
constexpr std::size_t kStride = 37;
#else
constexpr std::size_t kStride = 1;
#endif

std::vector<TTableRow> Sample() {
    const std::vector<TTableRow> all = testing::ReadTableFile(RAVELON_KNOT_TABLE);
    std::vector<TTableRow> rows;
    for (std::size_t i = 0; i < all.size(); i += kStride) rows.push_back(all[i]);
    return rows;
}

// Twice the exponent mapped to the coefficient, zeros dropped.
std::map<long, mpz_class> HalfTerms(const TPoly& P) {
    std::map<long, mpz_class> terms;
    for (const TTerm& t : P.FTerms) {
        EXPECT_EQ((2L * t.Exponent.Num) % t.Exponent.Den, 0);
        terms[2L * t.Exponent.Num / t.Exponent.Den] += t.Coefficient;
    }
    for (auto it = terms.begin(); it != terms.end();) it = it->second == 0 ? terms.erase(it) : std::next(it);
    return terms;
}

TEST(KnotTable, HasEveryEntry) {
    EXPECT_EQ(testing::ReadTableFile(RAVELON_KNOT_TABLE).size(), 7166u);
}

TEST(KnotTable, JonesPolynomialOfEveryEntry) {
    int wrong = 0;
    for (const TTableRow& row : Sample()) {
        TPoly jones;
        ReadPdCode(row.Pd).Jones(jones);
        if (HalfTerms(jones) != testing::TermsOf(row.Jones)) {
            ADD_FAILURE() << row.Name;
            if (++wrong > 10) return;
        }
    }
}

TEST(KnotTable, SignatureOfEveryEntry) {
    int wrong = 0;
    for (const TTableRow& row : Sample()) {
        if (Signature(ReadPdCode(row.Pd)) != std::stoi(row.Signature)) {
            ADD_FAILURE() << row.Name << ": " << Signature(ReadPdCode(row.Pd)) << " instead of " << row.Signature;
            if (++wrong > 10) return;
        }
    }
}

TEST(KnotTable, AlexanderPolynomialAndDeterminantOfEveryEntry) {
    int wrong = 0;
    for (const TTableRow& row : Sample()) {
        const TPoly alexander = AlexanderPolynomial(ReadPdCode(row.Pd));
        const auto conway = testing::TermsOf(row.Conway);
        // |nabla(2i)| = |Delta(-1)|.
        mpz_class re = 0, im = 0;
        for (const auto& [e, c] : conway) {
            mpz_class v = c;
            v <<= static_cast<mp_bitcnt_t>(e);
            const long phase = e % 4;
            (phase % 2 == 0 ? re : im) += phase >= 2 ? -v : v;
        }
        if (HalfTerms(alexander) != testing::AlexanderOfConway(conway) || DeterminantOf(alexander) != abs(re) + abs(im)) {
            ADD_FAILURE() << row.Name;
            if (++wrong > 10) return;
        }
    }
}

// The Kauffman states bound the coefficients of the Alexander polynomial,
// and on an alternating diagram (an "a" in the name) no two states cancel:
// their number is the determinant.
TEST(KnotTable, KauffmanStatesBoundTheAlexanderPolynomial) {
    int wrong = 0, alternating = 0;
    for (const TTableRow& row : Sample()) {
        const TKnot code = ReadPdCode(row.Pd);
        const mpz_class states = KauffmanStates(BuildPortGraph(code));
        const TPoly alexander = AlexanderPolynomial(code);
        mpz_class sum = 0;
        for (const TTerm& t : alexander.FTerms) sum += abs(t.Coefficient);
        const bool isAlternating = row.Name.find('a') != std::string::npos;
        alternating += isAlternating ? 1 : 0;
        if (sum > states || (isAlternating && DeterminantOf(alexander) != states)) {
            ADD_FAILURE() << row.Name << ": " << states << " states";
            if (++wrong > 10) return;
        }
    }
    EXPECT_GT(alternating, 1000 / static_cast<int>(kStride));
}

}  // namespace
}  // namespace ravelon

// A folder given as the table is a read that fails, not an empty table.
TEST(KnotTable, AFolderIsAFailedRead) {
    try {
        const ravelon::TKnotTable table(::testing::TempDir());
        FAIL() << "a folder was read as a table";
    } catch (const std::runtime_error& e) {
        EXPECT_NE(std::string(e.what()).find("読み込めません"), std::string::npos) << e.what();
    }
}
