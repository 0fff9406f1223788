// The transfer curve tables (Retouch's curves, Retoner's linear light).
#include "tone/transfercurve.h"

#include <gtest/gtest.h>

TEST(TransferCurve, StandardCurveHasItsStraightSegmentsAndRoundTripLosses)
{
    const tone::TransferTables t = tone::buildTransferTables(tone::kStandardExponent, tone::kStandardFactor);
    EXPECT_EQ(t.encodeStraight, 5);
    EXPECT_EQ(t.decodeStraight, 21);
    EXPECT_NEAR(t.slope, 4.5049, 0.00005);
    int changed = 0;
    for (int v = 0; v < 256; ++v)
        changed += t.encode[t.decode[v]] != v;
    EXPECT_EQ(changed, 61);
    EXPECT_EQ(t.decode[3], 1); // trunc(3 / 4.5049 + 0.5)
    EXPECT_EQ(t.decode[20], 4);
    EXPECT_EQ(t.decode[21], 5); // the curve takes over
}

TEST(TransferCurve, ExponentOneWithoutFactorIsTheIdentity)
{
    const tone::TransferTables t = tone::buildTransferTables(1.0, 1.0);
    for (int v = 0; v < 256; ++v) {
        EXPECT_EQ(t.encode[v], v);
        EXPECT_EQ(t.decode[v], v);
    }
    EXPECT_EQ(t.encodeStraight, 0);
    EXPECT_EQ(t.decodeStraight, 0);
}
