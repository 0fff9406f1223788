#pragma once

#include <QRect>
#include <QSize>

namespace bindery {

// Which pages the preview shows and where it draws them.
struct PreviewPages {
    int left = -1;  // 0-based page index, -1 for an empty slot (slot A)
    int right = -1; // slot B; always empty in single view
    bool operator==(const PreviewPages &) const = default;
};

// The spread number of a 1-based position: 0 when there is no page, p - 1
// in single view, p / 2 with a cover and (p - 1) / 2 without in spread view.
int spreadNumber(int position, bool spread, bool cover);

// The pages of spread s. A right-bound book shows its pages right to left, and
// the cover stands alone on the side on which the book opens.
PreviewPages spreadPages(int spreadNo, bool spread, bool cover, bool bindRight, int pageCount);

// Placement of a picture of the given size in the preview area.
QRect singlePageRect(const QRect &area, QSize picture);
QRect spreadLeftRect(const QRect &area, QSize picture);
QRect spreadRightRect(const QRect &area, QSize picture);

// One step of the scroll bar or the wheel: 1 page in single view, 2 in spread view.
inline int previewStep(bool spread)
{
    return spread ? 2 : 1;
}

} // namespace bindery
