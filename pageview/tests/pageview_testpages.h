#pragma once

#include "pageview/pagesession.h"

#include "tests/testsupport.h"

#include <utility>

namespace pageviewtest {

// Page i (0-based) is a JPEG of width 100 + i, so its natural size names it.
inline QByteArray pageJpeg(int i)
{
    return testsupport::encode(testsupport::cornerPicture(100 + i, 140), "JPG", 80);
}

// The 0-based pages the slots hold (-1 = empty), read back from their sizes.
inline std::pair<int, int> shown(const leafreader::PageSession &s)
{
    const auto page = [](const leafreader::SlotPicture &slot) {
        return slot.isEmpty() ? -1 : slot.naturalSize.width() - 100;
    };
    return {page(s.leftSlot()), page(s.rightSlot())};
}

} // namespace pageviewtest
