#include "pagesession.h"

#include "book/bookrecords.h"
#include "picture/picture.h"

#include <cmath>
#include <future>

namespace leafreader {

namespace {

// Decodes one page's bytes for a box (invalid box = full size).
SlotPicture decodePage(int index, QByteArray bytes, uint8_t kind, QSize box, bool *ok)
{
    SlotPicture slot;
    slot.page = index;
    kvb::LoadOptions options;
    options.fitWithin = box;
    options.naturalSize = &slot.naturalSize;
    *ok = kvb::decodePagePicture(bytes, kind, slot.image, options);
    if (!*ok)
        slot.clear();
    else
        slot.decodedFor = box;
    return slot;
}

// True when a picture decoded earlier is too small for the box now needed.
bool needsLargerDecode(const SlotPicture &slot, QSize box)
{
    if (slot.isEmpty() || !slot.decodedFor.isValid())
        return false;
    const QSize have = slot.image.size();
    if (have.width() >= slot.naturalSize.width() && have.height() >= slot.naturalSize.height())
        return false; // already the full picture
    if (!box.isValid())
        return true;
    const QSize wanted = slot.naturalSize.scaled(box, Qt::KeepAspectRatio);
    return wanted.width() > have.width() + 1 || wanted.height() > have.height() + 1;
}

} // namespace

PageSession::OpenResult PageSession::open(std::unique_ptr<PageSource> source, const Start &start)
{
    close();
    if (!source || source->pageCount() < 1)
        return OpenResult::CannotOpen;
    m_source = std::move(source);
    m_position = std::max(1, std::min(start.position, pageCount()));
    m_positionAtOpening = m_position;
    m_layoutFlags = start.layoutFlags;
    m_singlePage = start.singlePage;
    m_zoom = start.zoom;
    m_rotation = 0;
    m_forward = true;
    if (!loadCurrentPages()) {
        close();
        return OpenResult::PageLoadFailed;
    }
    return OpenResult::Opened;
}

void PageSession::close()
{
    m_left.clear();
    m_right.clear();
    m_source.reset();
}

void PageSession::decodeSlots(bool wantLeft, bool wantRight, bool *leftOk, bool *rightOk)
{
    *leftOk = *rightOk = true;
    const LayoutInput in = layoutInput();
    const QSize leftBox = deviceBox(in, true);
    const QSize rightBox = deviceBox(in, false);
    const int leftPage = m_left.page, rightPage = m_right.page;

    QByteArray leftBytes, rightBytes;
    uint8_t leftKind = 0, rightKind = 0;
    if (wantLeft && !m_source->readPage(leftPage, leftBytes, leftKind)) {
        *leftOk = false;
        wantRight = false;
    }
    if (wantRight && !m_source->readPage(rightPage, rightBytes, rightKind)) {
        *rightOk = false;
        wantRight = false;
    }

    // The two pages of a spread decode side by side.
    std::future<SlotPicture> right;
    bool rightDecoded = false;
    if (wantRight) {
        if (m_parallel && wantLeft && *leftOk)
            right = std::async(std::launch::async, decodePage, rightPage, rightBytes, rightKind,
                               rightBox, &rightDecoded);
        else
            m_right = decodePage(rightPage, rightBytes, rightKind, rightBox, rightOk);
    }
    if (wantLeft && *leftOk)
        m_left = decodePage(leftPage, leftBytes, leftKind, leftBox, leftOk);
    if (right.valid()) {
        m_right = right.get();
        *rightOk = rightDecoded;
    }
}

bool PageSession::loadCurrentPages()
{
    if (!isOpen())
        return false;
    const kvb::SpreadPages pair = kvb::pagesAt(m_position, pageCount(), m_layoutFlags, m_singlePage);
    m_left.clear();
    m_right.clear();
    ++m_loadCount;
    const bool wantLeft = pair.left >= 0;
    const bool wantRight = pair.right >= 0;
    m_left.page = pair.left;
    m_right.page = pair.right;
    bool leftOk = true, rightOk = true;
    decodeSlots(wantLeft, wantRight, &leftOk, &rightOk);
    if (!leftOk) {
        // A failed left slot leaves the right one empty as well.
        m_left.clear();
        m_right.clear();
        return false;
    }
    if (!rightOk)
        m_right.clear();
    return rightOk;
}

bool PageSession::moveTo(int position, bool forward)
{
    const int n = pageCount();
    if (!isOpen() || n < 1)
        return false;
    position = std::max(1, std::min(position, n));
    const int old = m_position;
    if (position == old)
        return false;
    m_forward = forward;
    m_position = position;
    if (kvb::spreadIndex(old, m_layoutFlags, m_singlePage)
        != kvb::spreadIndex(position, m_layoutFlags, m_singlePage))
        loadCurrentPages();
    return true;
}

bool PageSession::scrollTo(int barValue)
{
    const int target = barValue + 1;
    return moveTo(target, target > m_position);
}

bool PageSession::setSinglePage(bool single)
{
    if (!isOpen() || !(m_layoutFlags & kvb::PageSpread))
        return false;
    m_singlePage = single;
    loadCurrentPages();
    return true;
}

void PageSession::setViewport(const Box &client, int space, bool enlarge)
{
    m_hasViewport = !client.isEmpty();
    m_client = client;
    m_space = space;
    m_enlarge = enlarge;
}

QSize PageSession::deviceBox(const LayoutInput &in, bool leftSlotImage) const
{
    if (!m_hasViewport)
        return {};
    const QSize box = decodeBox(in, leftSlotImage);
    if (!box.isValid() || m_pixelRatio == 1.0)
        return box;
    return QSize(int(std::ceil(box.width() * m_pixelRatio)), int(std::ceil(box.height() * m_pixelRatio)));
}

LayoutInput PageSession::layoutInput() const
{
    LayoutInput in;
    in.client = m_client;
    in.leftImage = m_left.isEmpty() ? QSize() : m_left.naturalSize;
    in.rightImage = m_right.isEmpty() ? QSize() : m_right.naturalSize;
    in.spread = isSpread();
    in.zoom = m_zoom;
    in.rotation = m_rotation;
    in.space = m_space;
    in.enlarge = m_enlarge;
    return in;
}

bool PageSession::refreshResolution()
{
    if (!isOpen() || !m_hasViewport)
        return false;
    const LayoutInput in = layoutInput();
    const bool redoLeft = needsLargerDecode(m_left, deviceBox(in, true));
    const bool redoRight = needsLargerDecode(m_right, deviceBox(in, false));
    if (!redoLeft && !redoRight)
        return false;
    const SlotPicture oldLeft = m_left, oldRight = m_right;
    bool leftOk = true, rightOk = true;
    decodeSlots(redoLeft, redoRight, &leftOk, &rightOk);
    // A page that decoded before but fails now keeps its smaller picture.
    if (redoLeft && !leftOk)
        m_left = oldLeft;
    if (redoRight && !rightOk)
        m_right = oldRight;
    return true;
}

} // namespace leafreader
