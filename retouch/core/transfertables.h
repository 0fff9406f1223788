#pragma once

#include <QString>

#include <array>
#include <cstdint>

namespace retouch {

// One choice of the assumed transfer curve ("想定ガンマ"): coded = (linear^p)
// scaled by c and shifted by a, with a straight segment from the origin near
// black, as video curves have.
struct CurveChoice {
    QString label;
    double exponent; // p
    double factor;   // k
};

constexpr int kCurveCount = 7;
constexpr int kDefaultCurve = 4; // "標準"

// The combo box items in order: "なし", "-3", "-2", "-1", "標準", "+1", "+2".
const std::array<CurveChoice, kCurveCount> &curveChoices();

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

// The tables for exponent p and factor k; p = 1 with k = 1 has no straight
// segment and gives the identity.
TransferTables buildTransferTables(double p, double k);

// The tables of every choice, built once.
const TransferTables &transferTables(int choice);

} // namespace retouch
