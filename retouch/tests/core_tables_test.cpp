// The transfer tables of the seven curve choices.
#include "core/transfertables.h"

#include <gtest/gtest.h>

using namespace retouch;

TEST(TransferTables, StandardCurveHasItsStraightSegmentsAndRoundTripLosses)
{
    const TransferTables &t = transferTables(4);
    EXPECT_EQ(curveChoices()[4].label, QStringLiteral("標準"));
    EXPECT_EQ(t.encodeStraight, 5);
    EXPECT_EQ(t.decodeStraight, 21);
    EXPECT_NEAR(t.slope, 4.5049, 0.00005);
    int changed = 0;
    for (int v = 0; v < 256; ++v)
        changed += t.encode[t.decode[v]] != v;
    EXPECT_EQ(changed, 61);
    EXPECT_EQ(t.decode[3], 1); // trunc(3 / 4.5049 + 0.5)
}

TEST(TransferTables, NoCurveIsTheIdentity)
{
    const TransferTables &t = transferTables(0);
    EXPECT_EQ(curveChoices()[0].label, QStringLiteral("なし"));
    for (int v = 0; v < 256; ++v) {
        EXPECT_EQ(t.encode[v], v);
        EXPECT_EQ(t.decode[v], v);
    }
}

TEST(TransferTables, EveryCurveRisesFromBlackToWhite)
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
        // Coding lifts the dark end, as a gamma does.
        if (choice > 0)
            EXPECT_GT(t.encode[64], 64);
    }
}
