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
