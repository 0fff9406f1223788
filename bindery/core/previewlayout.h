#pragma once

#include <QRect>
#include <QSize>

namespace bindery {

// Placement of a picture of the given size in the preview area.
QRect singlePageRect(const QRect &area, QSize picture);
QRect spreadLeftRect(const QRect &area, QSize picture);
QRect spreadRightRect(const QRect &area, QSize picture);

} // namespace bindery
