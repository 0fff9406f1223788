#pragma once

#include <QImage>

namespace glancer {

// The pictures Glancer draws for itself: the row icon strips, the header
// buttons and the program icon.
namespace pictures {

// Transparent colour of the icon strips.
constexpr QRgb kStripKey = qRgb(100, 100, 100);

// Row icons by index in the strip: drive 0, folder 1, image file 5.
enum RowIcon { IconDrive = 0, IconFolder = 1, IconImage = 5, kRowIconCount = 6 };
// Header buttons, cells of 80 pixels: up one folder, settings, close.
enum HeaderButton { ButtonUp = 0, ButtonSettings = 1, ButtonClose = 2, kHeaderButtonCount = 3 };
constexpr int kHeaderCell = 80;

// The strip of row icons of one size (cells of size x size, the
// transparent colour already made transparent).
QImage iconStrip(int size);
QImage rowIcon(int size, int icon);
// The strip of header buttons.
QImage headerStrip();
QImage headerButton(int button);
QImage programIcon();

} // namespace pictures

} // namespace glancer
