#pragma once

#include <cstdint>

namespace retouch {

constexpr int kOffsetMin = -30;
constexpr int kOffsetMax = 30;

enum class Channel { All, R, G, B };

// The corrections of one pixel column, added in linear light: All to every
// channel, R, G and B to one channel each.
struct ColumnOffsets {
    int8_t all = 0;
    int8_t r = 0;
    int8_t g = 0;
    int8_t b = 0;

    int value(Channel channel) const;
    void setValue(Channel channel, int value); // limited to -30..30
    bool isZero() const { return all == 0 && r == 0 && g == 0 && b == 0; }
    // All + R, All + G and All + B are all 0: the column needs no correction.
    bool cancels() const { return all + r == 0 && all + g == 0 && all + b == 0; }
    bool operator==(const ColumnOffsets &) const = default;
};

// The notifications of an offset's spin control. Line and page steps move by
// 1 and 4, "up" lowering the value as on a vertical scroll control; Top and
// Bottom go to 30 and -30; Position takes the position the control reports.
enum class SpinStep { LineUp, LineDown, PageUp, PageDown, Top, Bottom, Position };

// The new offset after a notification, limited to -30..30.
int steppedOffset(int current, SpinStep step, int position = 0);

} // namespace retouch
