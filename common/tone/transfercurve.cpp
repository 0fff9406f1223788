#include "transfercurve.h"

#include <algorithm>
#include <cmath>

namespace tone {

namespace {

uint8_t limited(double value)
{
    // trunc(value + 0.5) first, then the 0..255 limit.
    return static_cast<uint8_t>(std::clamp(static_cast<int>(value + 0.5), 0, 255));
}

} // namespace

TransferTables buildTransferTables(double p, double k)
{
    TransferTables tables;
    if (p == 1.0 && k == 1.0) {
        for (int i = 0; i < 256; ++i) {
            tables.encode[i] = static_cast<uint8_t>(i);
            tables.decode[i] = static_cast<uint8_t>(i);
        }
        return tables;
    }

    const double a = std::pow(0.45 / p, 2.0) * (1.0 - k);
    const double c = 1.0 - a;
    // Where a straight line from the origin touches the curve.
    const double l0 = std::pow(-a / ((1.0 - p) * c), 1.0 / p);
    const double slope = (c * std::pow(l0, p) + a) / l0;
    tables.slope = slope;

    const int n = static_cast<int>(l0 * 255.0 + 0.5);
    for (int h = 0; h < 256; ++h) {
        tables.encode[h] = h < n ? limited(h * slope)
                                 : limited((std::pow(h / 255.0, p) * c + a) * 255.0);
    }
    const int m = static_cast<int>(l0 * 255.0 * slope + 0.5);
    for (int v = 0; v < 256; ++v) {
        tables.decode[v] = v < m ? limited(v / slope)
                                 : limited(std::pow((v / 255.0 - a) / c, 1.0 / p) * 255.0);
    }
    tables.encodeStraight = std::clamp(n, 0, 256);
    tables.decodeStraight = std::clamp(m, 0, 256);
    return tables;
}

} // namespace tone
