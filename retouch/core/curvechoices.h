#pragma once

#include <platform/uitext.h>
#include <tone/transfercurve.h>

#include <QString>

#include <array>

namespace retouch {

using tone::TransferTables;

// One choice of the assumed transfer curve ("想定ガンマ").
struct CurveChoice {
    platform::UiText label; // "なし" and "標準" are translated, the numbers stay
    double exponent; // p
    double factor;   // k
};

constexpr int kCurveCount = 7;
constexpr int kDefaultCurve = 4; // "標準"

// The combo box items in order: "なし", "-3", "-2", "-1", "標準", "+1", "+2".
const std::array<CurveChoice, kCurveCount> &curveChoices();

// The tables of every choice, built once.
const TransferTables &transferTables(int choice);

} // namespace retouch
