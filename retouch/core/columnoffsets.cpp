#include "columnoffsets.h"

#include <algorithm>

namespace retouch {

int ColumnOffsets::value(Channel channel) const
{
    switch (channel) {
    case Channel::All: return all;
    case Channel::R: return r;
    case Channel::G: return g;
    case Channel::B: return b;
    }
    return 0;
}

void ColumnOffsets::setValue(Channel channel, int value)
{
    const auto limited = static_cast<int8_t>(std::clamp(value, kOffsetMin, kOffsetMax));
    switch (channel) {
    case Channel::All: all = limited; break;
    case Channel::R: r = limited; break;
    case Channel::G: g = limited; break;
    case Channel::B: b = limited; break;
    }
}

int steppedOffset(int current, SpinStep step, int position)
{
    int value = current;
    switch (step) {
    case SpinStep::LineUp: value = current - 1; break;
    case SpinStep::LineDown: value = current + 1; break;
    case SpinStep::PageUp: value = current - 4; break;
    case SpinStep::PageDown: value = current + 4; break;
    case SpinStep::Top: value = kOffsetMax; break;
    case SpinStep::Bottom: value = kOffsetMin; break;
    case SpinStep::Position: value = position; break;
    }
    return std::clamp(value, kOffsetMin, kOffsetMax);
}

} // namespace retouch
