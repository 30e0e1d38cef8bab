// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include "cli/Json.h"
#include "arith/PolyText.h"
#include "knot/Knot.h"

namespace ravelon {
namespace {

TPoly Make(std::initializer_list<std::pair<int, long>> terms) {
    TPoly p(0);
    for (auto [e, c] : terms) p.SetTerm(e, c);
    return p;
}

TEST(PolyText, WritesTermsByDescendingExponent) {
    EXPECT_EQ(PolyText(Make({{-7, 1}, {5, -1}, {-3, -1}}), "A"), "-A^5 - A^-3 + A^-7");
    EXPECT_EQ(PolyText(Make({{1, 1}, {3, 1}, {4, -1}}), "t"), "-t^4 + t^3 + t");
    EXPECT_EQ(PolyText(Make({{0, 3}}), "x"), "3");
    EXPECT_EQ(PolyText(Make({{0, -1}}), "x"), "-1");
    EXPECT_EQ(PolyText(Make({{0, 1}, {2, 0}}), "t"), "1");
    EXPECT_EQ(PolyText(TPoly(0), "A"), "0");
    EXPECT_EQ(PolyText(Make({{3, 0}, {-1, 0}}), "A"), "0");
    EXPECT_EQ(PolyText(Make({{2, 5}, {0, -2}, {-1, -12}}), "A"), "5A^2 - 2 - 12A^-1");

    TPoly two = LoopValue();  // -A^2 - A^-2 becomes -t^(1/2) - t^(-1/2)
    two.DivideExponents(-4);
    EXPECT_EQ(PolyText(two, "t"), "-t^(1/2) - t^(-1/2)");
    TPoly link = Make({{2, -1}, {10, -1}});
    link.DivideExponents(-4);
    EXPECT_EQ(PolyText(link, "t"), "-t^(-1/2) - t^(-5/2)");
    TPoly quarter = Make({{1, 1}, {-3, 2}});
    quarter.DivideExponents(-4);
    EXPECT_EQ(PolyText(quarter, "t"), "2t^(3/4) + t^(-1/4)");

    // LaTeX groups every exponent in braces, one-digit ones too.
    EXPECT_EQ(PolyLatex(Make({{1, 1}, {3, 1}, {4, -1}}), "t"), "-t^{4} + t^{3} + t");
    EXPECT_EQ(PolyLatex(Make({{2, 5}, {0, -2}, {-10, -12}}), "A"), "5A^{2} - 2 - 12A^{-10}");
    EXPECT_EQ(PolyLatex(link, "t"), "-t^{-1/2} - t^{-5/2}");
    EXPECT_EQ(PolyLatex(TPoly(0), "t"), "0");
}

TEST(PolyText, JsonHasExactTermsAndEscapedStrings) {
    TPoly p = Make({{-7, 1}, {5, -1}, {-3, -1}, {1, 0}});
    EXPECT_EQ(JsonPoly(p, "A"),
              "{\"text\": \"-A^5 - A^-3 + A^-7\", \"terms\": [[5, 1, -1], [-3, 1, -1], [-7, 1, 1]]}");
    TPoly big(0);
    big.SetTerm(4, TCoefficient("-113008136889123456789"));
    EXPECT_EQ(JsonPoly(big, "t"),
              "{\"text\": \"-113008136889123456789t^4\", \"terms\": [[4, 1, -113008136889123456789]]}");
    EXPECT_EQ(JsonPoly(TPoly(0), "A"), "{\"text\": \"0\", \"terms\": []}");

    EXPECT_EQ(JsonString("a\"b\\c\n"), "\"a\\\"b\\\\c\\u000a\"");
    EXPECT_EQ(JsonString("結び目.rvd"), "\"結び目.rvd\"");
    EXPECT_EQ(JsonString(std::string("x\xff" "y\xe7\xb5", 5)), "\"x\\ufffdy\\ufffd\\ufffd\"");
}

}  // namespace
}  // namespace ravelon
