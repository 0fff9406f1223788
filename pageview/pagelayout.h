#pragma once

#include <QRect>
#include <QSize>
#include <QTransform>

#include <vector>

namespace leafreader {

// A rectangle by its edges; right and bottom lie just outside, as in the
// drawing arithmetic (width = right - left).
struct Box {
    int left = 0, top = 0, right = 0, bottom = 0;

    int width() const { return right - left; }
    int height() const { return bottom - top; }
    bool isEmpty() const { return right <= left || bottom <= top; }
    QRect toRect() const { return QRect(left, top, width(), height()); }
    static Box fromRect(const QRect &r) { return {r.x(), r.y(), r.x() + r.width(), r.y() + r.height()}; }
    bool operator==(const Box &) const = default;
};

// Page background grey: every part of the client no page covers.
constexpr int kPageGrey = 96;

// Everything one paint of the book depends on. Image sizes are the pages'
// upright natural sizes (empty = no picture in that slot).
struct LayoutInput {
    Box client;
    QSize leftImage;
    QSize rightImage;
    bool spread = false;
    int zoom = 0;     // 0 none, 1..9 region of the double-size picture
    int rotation = 0; // 0 none, 1 clockwise, 2 half turn, 3 counter-clockwise
    int space = 0;    // gap between the halves of a spread, in pixels
    bool enlarge = false; // fit small pictures to their slot too
};

// One picture to draw: which slot image, and the rectangle it covers on the
// screen (after the quarter turns, so width and height are those seen).
struct PictureDraw {
    bool leftSlotImage = true;
    Box target;
};

struct PageLayout {
    int factor = 1;  // 1, or 2 with zoom
    Box virtualArea; // the area the pages are laid out in (the client without zoom)
    // Slot areas in screen order: one for a single page; left/right halves
    // or upper/lower halves of a spread.
    std::vector<Box> areas;
    // The slot each image goes to (-1 = not shown): index into areas.
    int leftImageSlot = 0;
    int rightImageSlot = -1;
    // The pictures to draw (an empty slot has none).
    std::vector<PictureDraw> pictures;
    // The parts of the client no picture covers, filled with the page grey.
    std::vector<Box> background;
};

// The virtual area of a zoom region (0 = the client itself; 1..9 twice the
// client, showing one of its 3 x 3 parts; other values twice the factor on
// the client).
Box zoomArea(const Box &client, int zoom);
int zoomFactor(int zoom);

// The size a picture of natural size `natural` (already turned and scaled by
// the zoom factor) is drawn at in a slot of size `slot`.
QSize fittedSize(QSize natural, QSize slot, bool enlarge);

PageLayout computeLayout(const LayoutInput &in);

// The box, in upright picture pixels, a page decoded for this layout needs
// to cover: the size of its slot, turned back for quarter turns. Decoding at
// a size that fits into it is drawn without loss.
QSize decodeBox(const LayoutInput &in, bool leftSlotImage);

// The upright size of a picture drawn into `target` with the rotation (the
// target's size, turned back for quarter turns).
QSize uprightSize(const Box &target, int rotation);

// Maps picture coordinates (0..size) onto the target rectangle with the
// rotation: r = 1 sends the picture's top-left corner to the target's
// top-right corner (a clockwise quarter turn), r = 3 to its bottom-left, r =
// 2 to its bottom-right.
QTransform pictureTransform(QSize picture, const Box &target, int rotation);

} // namespace leafreader
