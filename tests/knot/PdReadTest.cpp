// SPDX-License-Identifier: GPL-3.0-or-later
// Reading PD codes: every accepted form, curls and loops, what --pd prints
// read back, and the messages for bad input.
#include <gtest/gtest.h>

#include "knot/PdCode.h"
#include "knot/PdRead.h"
#include "classical/ClassicalInvariants.h"
#include "tests/support/BraidCode.h"
#include "tests/support/PolyTerms.h"
#include "tests/support/TableFile.h"

namespace ravelon {
namespace {

using testing::NonZero;

TEST(PdRead, EveryFormGivesTheSameCode) {
    const TKnot table = ReadPdCode("X[1,5,2,4] X[3,1,4,6] X[5,3,6,2]");
    for (const char* text : {"X[1,5,2,4],X[3,1,4,6],X[5,3,6,2]", "PD[X[1, 5, 2, 4], X[3, 1, 4, 6], X[5, 3, 6, 2]]",
                             "[[1,5,2,4],[3,1,4,6],[5,3,6,2]]", "  PD [ X [ 1 ,5, 2,4 ]X[3,1,4,6]  X[5,3,6,2] ] \r"}) {
        const TKnot k = ReadPdCode(text);
        EXPECT_EQ(k.FCrossings, table.FCrossings) << text;
        EXPECT_EQ(k.FEdges, table.FEdges) << text;
    }
    // The under-strand enters at port 1, the labels b, c, d lie at ports 4, 3, 2;
    // here the over-strand enters at b (5 follows 4 along its component).
    EXPECT_EQ(table.FCrossings[1], (TCrossing{2, 1}));
    EXPECT_EQ(table.FCrossings[2], (TCrossing{2, 1}));
    EXPECT_EQ(table.Writhe(), 3);
}

TEST(PdRead, WhatPdPrintsReadsBackToTheSameCode) {
    // Closed braids: their codes come from the test support, not from a PD code.
    std::mt19937 rng(7);
    for (int round = 0; round < 30; ++round) {
        const TKnot braid = testing::BraidClosure(4, testing::RandomBraidWord(rng, 4, 5 + round % 12));
        const TPdCode pd = MakePdCode(braid);
        if (pd.LoopsLeftOut > 0) continue;
        const TKnot read = ReadPdCode(PdText(pd));
        EXPECT_EQ(PdText(MakePdCode(read)), PdText(pd));
        TPoly a, b;
        braid.Jones(a);
        read.Jones(b);
        EXPECT_EQ(NonZero(a), NonZero(b));
        EXPECT_EQ(Signature(read), Signature(braid));
        EXPECT_EQ(NonZero(AlexanderPolynomial(read)), NonZero(AlexanderPolynomial(braid)));
    }
}

TEST(PdRead, CurlsLoopsAndComponentsThatOnlyPassOver) {
    // A curl names one label twice; both kinks are the unknot.
    for (const char* curl : {"X[1,1,2,2]", "X[1,2,2,1]"}) {
        TPoly jones;
        ReadPdCode(curl).Jones(jones);
        EXPECT_EQ(NonZero(jones), NonZero(TPoly(1))) << curl;
    }
    const TKnot loop = ReadPdCode("X[1,1]");
    EXPECT_EQ(loop.FCrossingCount(), 0);
    EXPECT_EQ(loop.FEdgeCount(), 1);
    // The Hopf link: each component has two arcs, its orientation comes from the other.
    const TKnot hopf = ReadPdCode("X[4,2,3,1] X[2,4,1,3]");
    EXPECT_EQ(hopf.Writhe(), 2);
    // A circle laid over another: its orientation follows its labels (3 to 4
    // at the first crossing); the two-component unlink, whose Alexander
    // polynomial is 0.
    const TKnot over = ReadPdCode("X[1,3,2,4] X[2,3,1,4]");
    EXPECT_EQ(over.FCrossings[1], (TCrossing{4, 1}));
    EXPECT_EQ(over.FCrossings[2], (TCrossing{2, 1}));
    EXPECT_EQ(NonZero(AlexanderPolynomial(over)), NonZero(TPoly(0)));
    // Two pieces: a trefoil and a curl; the signature adds up.
    const TKnot split = ReadPdCode("X[1,5,2,4] X[3,1,4,6] X[5,3,6,2] X[7,7,8,8]");
    EXPECT_EQ(NonZero(AlexanderPolynomial(split)), NonZero(TPoly(0)));
    EXPECT_EQ(Signature(split), -2);
}

TEST(PdRead, BadInputIsRefusedInJapanese) {
    auto message = [](const std::string& text) {
        try {
            ReadPdCode(text);
        } catch (const TPdError& e) {
            return std::string(e.what());
        }
        return std::string("accepted");
    };
    EXPECT_EQ(message("X[1,5,2,4] X[3,1,4,6] X[5,3,6,7]"), "ラベル 2 が 1 回現れます (ちょうど 2 回のはずです)");
    EXPECT_EQ(message("X[1,5,2] X[3,1,4,6]"), "交点 1 のラベルが 4 個ではありません (3 個)");
    // The first thing out of place is named, at its place in characters.
    EXPECT_EQ(message("hello"), "PD コードとして読めません: 1 文字目の「hello」");
    EXPECT_EQ(message("hello world garbage !!"), "PD コードとして読めません: 1 文字目の「hello」");
    EXPECT_EQ(message("X[1,5,2,4] Y[3,1,4,6]"), "PD コードとして読めません: 12 文字目の「Y」");
    EXPECT_EQ(message("PD[X[1,5,2,4]] X"), "PD コードとして読めません: 16 文字目の「X」");
    EXPECT_EQ(message("X[1,2,3,4"), "PD コードとして読めません: 最後に「]」がありません");
    EXPECT_EQ(message("PD"), "PD コードとして読めません: 最後に「[」がありません");
    EXPECT_EQ(message("X[1;2;3;4]"), "PD コードとして読めない文字があります: 4 文字目の「;」");
    EXPECT_EQ(message("交点 X[1,2]"), "PD コードとして読めない文字があります: 1 文字目の「交」");
    EXPECT_EQ(message("X[1、2]"), "PD コードとして読めない文字があります: 4 文字目の「、」");
    EXPECT_EQ(message("X[1,2\x01]"), "PD コードとして読めない文字があります: 6 文字目の「0x01」");
    EXPECT_EQ(message("X[1,2\xff]"), "PD コードとして読めない文字があります: 6 文字目の「0xFF」");
    EXPECT_EQ(message(""), "PD コードが入力されていません");
    EXPECT_EQ(message(" \t "), "PD コードが入力されていません");
    EXPECT_EQ(message("PD[]"), "交点がありません");
    EXPECT_EQ(message("X[1,99999999999,2,4]"), "ラベルの数が大きすぎます: 5 文字目の「99999999999」");
    EXPECT_EQ(message("X[1,2147483648,2,4]"), "ラベルの数が大きすぎます: 5 文字目の「2147483648」");
    EXPECT_EQ(ReadPdCode("X[1,5,2,4] X[3,1,4,2147483647] X[5,3,2147483647,2]").FCrossingCount(), 3);
    // Arcs whose ends are both under-strand entries cannot be oriented.
    EXPECT_EQ(message("X[1,2,3,4] X[1,4,3,2]"), "ラベルの並びから向きが決まりません (向きが矛盾しています)");
    // Every label twice and oriented, but no plane diagram: the trefoil's code
    // with two labels of one crossing exchanged.
    EXPECT_EQ(message("X[1,4,2,5] X[3,1,4,6] X[5,3,6,2]"), "平面に描けない PD コードです");
}

}  // namespace
}  // namespace ravelon
