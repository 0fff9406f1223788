#pragma once

#include <array>
#include <cstdint>

namespace tone {

// A transfer curve as video and scanners code light: coded = c * linear^p + a
// (c = 1 - a, a = (0.45 / p)^2 * (1 - k)), with a straight segment from the
// origin where a line touches the curve, near black.
//
// The encode table maps linear to coded values, the decode table coded to
// linear, both over 0..255.
struct TransferTables {
    std::array<uint8_t, 256> encode{};
    std::array<uint8_t, 256> decode{};
    // How many entries at the start of each table come from the straight
    // segment, and its slope (0, 0 and 1 for the identity).
    int encodeStraight = 0;
    int decodeStraight = 0;
    double slope = 1.0;
};

// The usual curve of video: exponent 1/2.22, factor 1.099 (a = -0.099 * 0.999^2).
inline constexpr double kStandardExponent = 1.0 / 2.22;
inline constexpr double kStandardFactor = 1.099;

// The tables for exponent p and factor k; p = 1 with k = 1 has no straight
// segment and gives the identity.
TransferTables buildTransferTables(double p, double k);

} // namespace tone
