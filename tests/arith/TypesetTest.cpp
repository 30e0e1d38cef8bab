// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include "arith/Poly.h"
#include "tests/support/RecordingSurface.h"

namespace ravelon {
namespace {

using testing::TRecordingSurface;

// With the recording metrics: H18 = 24, Half = 16 / 2 = 8, so a main text is
// drawn 8 pixels below Y and Y advances by 32.
constexpr int kHalf = 8;
constexpr int kAdvance = 8 + 24;

// Checks that the drawn strings alternate main text (18 pt, plain, at Y + 8)
// and raised text (12 pt, bold, at Y), each starting where the previous ended.
void ExpectLayout(const TRecordingSurface& s, int x0, int y0, const std::vector<std::string>& texts) {
    ASSERT_EQ(s.Drawn.size(), texts.size());
    int x = x0;
    for (std::size_t i = 0; i < texts.size(); ++i) {
        const auto& d = s.Drawn[i];
        const bool raised = i % 2 == 1;
        EXPECT_EQ(d.Text, texts[i]) << "string " << i;
        EXPECT_EQ(d.X, x) << "string " << i;
        EXPECT_EQ(d.Y, raised ? y0 : y0 + kHalf) << "string " << i;
        EXPECT_EQ(d.Size, raised ? 12 : 18) << "string " << i;
        EXPECT_EQ(d.Bold, raised) << "string " << i;
        x += 10 * static_cast<int>(texts[i].size());
    }
}

struct Typeset {
    TRecordingSurface Surface;
    int X = 5, Y = 40;
    Typeset(const TPoly& p, const std::string& var) { p.Typeset(Surface, X, Y, var); }
};

TEST(Typeset, SortedTrefoilBracket) {
    TPoly p(0);
    p.SetTerm(-7, 1);
    p.SetTerm(5, -1);
    p.SetTerm(-3, -1);
    p.SetTerm(2, 0);  // a kept zero is not drawn
    p.Sort();
    Typeset t(p, "A");
    ExpectLayout(t.Surface, 5, 40, {" - A", "5", " - A", "-3", " + A", "-7"});
    EXPECT_EQ(t.X, 5 + 10 * (4 + 1 + 4 + 2 + 4 + 2));
    EXPECT_EQ(t.Y, 40 + kAdvance);
    EXPECT_EQ(t.Surface.Size, 12);
    EXPECT_TRUE(t.Surface.Bold);
}

TEST(Typeset, ConstantsAndSingleTerms) {
    {
        Typeset t(TPoly(0), "A");
        ExpectLayout(t.Surface, 5, 40, {" 0", ""});
        EXPECT_EQ(t.Y, 40 + kAdvance);
    }
    {
        Typeset t(TPoly(1), "x");
        ExpectLayout(t.Surface, 5, 40, {" 1", ""});
    }
    {
        Typeset t(TPoly(-3), "x");
        ExpectLayout(t.Surface, 5, 40, {" - 3", ""});
    }
    {
        TPoly p(0);
        p.SetTerm(0, -1);
        Typeset t(p, "x");
        ExpectLayout(t.Surface, 5, 40, {" - 1", ""});
    }
    {
        TPoly p(0);
        p.SetTerm(1, 2);
        p.Sort();
        Typeset t(p, "t");
        ExpectLayout(t.Surface, 5, 40, {" 2t", ""});
    }
    {
        TPoly p(0);
        p.SetTerm(1, -1);
        p.Sort();
        Typeset t(p, "A");
        ExpectLayout(t.Surface, 5, 40, {" - A", ""});
    }
    {
        TPoly p(0);
        p.SetTerm(-2, 1);
        p.DivideExponents(-4);  // t^(1/2), beside a kept zero constant
        p.Sort();
        Typeset t(p, "t");
        ExpectLayout(t.Surface, 5, 40, {" t", "1/2"});
    }
}

TEST(Typeset, TwoLoopsJonesAndAllZeroPolynomial) {
    TPoly p(0);
    p.SetTerm(2, -1);
    p.SetTerm(-2, -1);
    p.DivideExponents(-4);
    p.Sort();
    Typeset t(p, "t");
    ExpectLayout(t.Surface, 5, 40, {" - t", "1/2", " - t", "-1/2"});

    TPoly zero(0);
    zero.SetTerm(3, 0);
    zero.SetTerm(-1, 0);
    TRecordingSurface s;
    s.Bold = false;
    int x = 5, y = 40;
    zero.Typeset(s, x, y, "A");
    EXPECT_TRUE(s.Drawn.empty());
    EXPECT_EQ(x, 5);
    EXPECT_EQ(y, 40 + kAdvance);
    EXPECT_EQ(s.Size, 12);
    EXPECT_FALSE(s.Bold);
}

TEST(Typeset, HugeCoefficientIsWrittenInFull) {
    TPoly p(0);
    p.SetTerm(4, TCoefficient("-113008136889"));
    p.Sort();
    Typeset t(p, "t");
    ExpectLayout(t.Surface, 5, 40, {" - 113008136889t", "4"});
}

}  // namespace
}  // namespace ravelon
