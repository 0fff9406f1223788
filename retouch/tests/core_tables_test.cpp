// The seven curve choices.
#include "core/curvechoices.h"

#include <gtest/gtest.h>

using namespace retouch;

TEST(CurveChoices, NoneIsTheIdentityAndStandardTheVideoCurve)
{
    EXPECT_EQ(curveChoices()[0].label, QStringLiteral("なし"));
    EXPECT_EQ(curveChoices()[4].label, QStringLiteral("標準"));
    for (int v = 0; v < 256; ++v)
        ASSERT_EQ(transferTables(0).encode[v], v);
    EXPECT_EQ(transferTables(4).decodeStraight, 21);
    EXPECT_EQ(transferTables(4).encodeStraight, 5);
}

TEST(CurveChoices, EveryCurveRisesFromBlackToWhite)
{
    for (int choice = 0; choice < kCurveCount; ++choice) {
        SCOPED_TRACE(choice);
        const TransferTables &t = transferTables(choice);
        EXPECT_EQ(t.encode[0], 0);
        EXPECT_EQ(t.decode[0], 0);
        EXPECT_EQ(t.encode[255], 255);
        EXPECT_EQ(t.decode[255], 255);
        for (int v = 1; v < 256; ++v) {
            EXPECT_LE(t.encode[v - 1], t.encode[v]) << v;
            EXPECT_LE(t.decode[v - 1], t.decode[v]) << v;
        }
        // Coding lifts the dark end, as a gamma does; stronger curves more.
        if (choice > 0)
            EXPECT_GT(t.encode[64], 64);
        if (choice > 1)
            EXPECT_GT(t.encode[64], transferTables(choice - 1).encode[64]);
    }
}
