#include "pagelayout.h"

#include <QRegion>

#include <cstdint>

namespace leafreader {

int zoomFactor(int zoom)
{
    return zoom == 0 ? 1 : 2;
}

Box zoomArea(const Box &c, int zoom)
{
    const int w = c.width(), h = c.height();
    const int cx = (c.left + c.right) / 2, cy = (c.top + c.bottom) / 2;
    if (zoom < 1 || zoom > 9)
        return c;
    const int column = (zoom - 1) % 3, row = (zoom - 1) / 3;
    Box v;
    switch (column) {
    case 0: v.left = c.left; v.right = c.left + 2 * w; break;
    case 1: v.left = cx - w; v.right = cx + w; break;
    default: v.left = c.left - w; v.right = c.right; break;
    }
    switch (row) {
    case 0: v.top = c.top; v.bottom = c.top + 2 * h; break;
    case 1: v.top = cy - h; v.bottom = cy + h; break;
    default: v.top = c.top - h; v.bottom = c.bottom; break;
    }
    return v;
}

QSize fittedSize(QSize natural, QSize slot, bool enlarge)
{
    const int64_t w = natural.width(), h = natural.height();
    const int64_t sw = slot.width(), sh = slot.height();
    if (w <= 0 || h <= 0 || sw <= 0 || sh <= 0)
        return {};
    // aspect h / w against sh / sw, compared exactly.
    const bool heightLimited = h * sw > sh * w;
    QSize fitted = heightLimited ? QSize(int(sh * w / h), int(sh)) : QSize(int(sw), int(sw * h / w));
    const bool largeEnough = heightLimited ? h >= fitted.height() : w >= fitted.width();
    if (enlarge || largeEnough)
        return fitted;
    return natural;
}

namespace {

// The slot (index into layout.areas) each image goes to, for the rotation.
void assignSlots(PageLayout &layout, bool spread, int rotation)
{
    if (!spread) {
        layout.leftImageSlot = 0;
        layout.rightImageSlot = -1;
        return;
    }
    // Slots are [left/upper, right/lower]; r = 2 and 3 swap the images.
    const bool swapped = rotation == 2 || rotation == 3;
    layout.leftImageSlot = swapped ? 1 : 0;
    layout.rightImageSlot = swapped ? 0 : 1;
}

// The factor, virtual area and slot areas of a layout, and the slot each
// image goes to: everything that does not depend on the pictures.
void layOutSlots(PageLayout &layout, const LayoutInput &in)
{
    const int r = in.rotation & 3;
    layout.factor = zoomFactor(in.zoom);
    layout.virtualArea = zoomArea(in.client, in.zoom);
    const Box &v = layout.virtualArea;
    const int gap = layout.factor * in.space;

    if (!in.spread) {
        layout.areas.push_back(v);
    } else if (r == 0 || r == 2) {
        const int m = v.left + (v.width() - gap) / 2;
        layout.areas.push_back({v.left, v.top, m, v.bottom});
        layout.areas.push_back({m + gap, v.top, v.right, v.bottom});
    } else {
        const int n = v.top + (v.height() - gap) / 2;
        layout.areas.push_back({v.left, v.top, v.right, n});
        layout.areas.push_back({v.left, n + gap, v.right, v.bottom});
    }
    assignSlots(layout, in.spread, r);
}

} // namespace

PageLayout computeLayout(const LayoutInput &in)
{
    PageLayout layout;
    layOutSlots(layout, in);
    const int r = in.rotation & 3;
    const bool sideBySide = r == 0 || r == 2;

    auto place = [&](QSize image, int slotIndex, bool leftSlotImage) {
        if (slotIndex < 0 || image.isEmpty())
            return;
        const Box &slot = layout.areas[size_t(slotIndex)];
        QSize natural(image.width() * layout.factor, image.height() * layout.factor);
        if (r == 1 || r == 3)
            natural.transpose();
        const QSize size = fittedSize(natural, QSize(slot.width(), slot.height()), in.enlarge);
        if (size.isEmpty())
            return;
        Box t;
        const int dw = size.width(), dh = size.height();
        if (!in.spread) {
            t.left = slot.left + (slot.width() - dw) / 2;
            t.top = slot.top + (slot.height() - dh) / 2;
        } else if (sideBySide) {
            // Against the spine: the first slot's right edge, the second's left.
            t.left = slotIndex == 0 ? slot.right - dw : slot.left;
            t.top = slot.top + (slot.height() - dh) / 2;
        } else {
            t.left = slot.left + (slot.width() - dw) / 2;
            t.top = slotIndex == 0 ? slot.bottom - dh : slot.top;
        }
        t.right = t.left + dw;
        t.bottom = t.top + dh;
        layout.pictures.push_back({leftSlotImage, t});
    };
    place(in.leftImage, layout.leftImageSlot, true);
    if (in.spread)
        place(in.rightImage, layout.rightImageSlot, false);

    QRegion grey(in.client.toRect());
    for (const PictureDraw &p : layout.pictures)
        grey -= QRegion(p.target.toRect());
    for (const QRect &rect : grey)
        layout.background.push_back(Box::fromRect(rect));
    return layout;
}

QSize decodeBox(const LayoutInput &in, bool leftSlotImage)
{
    PageLayout layout;
    layOutSlots(layout, in);
    const int index = leftSlotImage ? layout.leftImageSlot : layout.rightImageSlot;
    if (index < 0)
        return {};
    const Box &slot = layout.areas[size_t(index)];
    QSize box(slot.width(), slot.height());
    if ((in.rotation & 3) == 1 || (in.rotation & 3) == 3)
        box.transpose();
    return box;
}

QSize uprightSize(const Box &target, int rotation)
{
    QSize size(target.width(), target.height());
    if ((rotation & 3) == 1 || (rotation & 3) == 3)
        size.transpose();
    return size;
}

QTransform pictureTransform(QSize picture, const Box &target, int rotation)
{
    const double pw = picture.width(), ph = picture.height();
    if (pw <= 0 || ph <= 0)
        return {};
    const double tw = target.width(), th = target.height();
    QTransform t;
    switch (rotation & 3) {
    case 0:
        t.translate(target.left, target.top);
        t.scale(tw / pw, th / ph);
        break;
    case 1:
        t.translate(target.right, target.top);
        t.rotate(90);
        t.scale(th / pw, tw / ph);
        break;
    case 2:
        t.translate(target.right, target.bottom);
        t.rotate(180);
        t.scale(tw / pw, th / ph);
        break;
    default:
        t.translate(target.left, target.bottom);
        t.rotate(-90);
        t.scale(th / pw, tw / ph);
        break;
    }
    return t;
}

} // namespace leafreader
