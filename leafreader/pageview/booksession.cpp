#include "booksession.h"

#include "book/kvbfile.h"
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

BookSession::OpenResult BookSession::open(const BookEntry &row)
{
    close();
    m_file.setFileName(row.path);
    if (!m_file.open(QIODevice::ReadOnly))
        return OpenResult::CannotOpen;

    kvb::BookHeader header;
    kvb::KVBFile::ReadOptions options;
    options.header = &header;
    options.pages = &m_pages;
    if (!kvb::KVBFile::readBook(m_file, row.path, options)) {
        m_pages.clear();
        m_file.close();
        return OpenResult::CannotOpen;
    }

    m_current = row;
    const int n = int(m_pages.size());
    m_current.page = std::max(1, std::min(m_current.page, n));
    m_current.pageCount = uint16_t(n);
    m_current.layoutFlags = header.layoutFlags;
    m_rotation = 0;
    m_forward = true;
    m_pageAtOpening = m_current.page;
    m_open = true;

    if (!loadCurrentPages()) {
        close();
        return OpenResult::PageLoadFailed;
    }
    return OpenResult::Opened;
}

void BookSession::close()
{
    m_open = false;
    m_left.clear();
    m_right.clear();
    m_file.close();
    m_pages.clear();
}

bool BookSession::readPageBytes(int index, QByteArray &bytes)
{
    const kvb::PageEntry &page = m_pages[size_t(index)];
    if (!m_file.seek(qint64(page.offset)))
        return false;
    bytes.resize(qsizetype(page.size));
    return m_file.read(bytes.data(), qint64(page.size)) == qint64(page.size);
}

void BookSession::decodeSlots(bool wantLeft, bool wantRight, bool *leftOk, bool *rightOk)
{
    *leftOk = *rightOk = true;
    const LayoutInput in = layoutInput();
    const QSize leftBox = deviceBox(in, true);
    const QSize rightBox = deviceBox(in, false);
    const int leftPage = m_left.page, rightPage = m_right.page;

    QByteArray leftBytes, rightBytes;
    if (wantLeft && !readPageBytes(leftPage, leftBytes)) {
        *leftOk = false;
        wantRight = false;
    }
    if (wantRight && !readPageBytes(rightPage, rightBytes)) {
        *rightOk = false;
        wantRight = false;
    }
    const uint8_t leftKind = wantLeft ? m_pages[size_t(leftPage)].kind : 0;
    const uint8_t rightKind = wantRight ? m_pages[size_t(rightPage)].kind : 0;

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

bool BookSession::loadCurrentPages()
{
    if (!m_open)
        return false;
    const kvb::SpreadPages pair
        = kvb::pagesAt(m_current.page, pageCount(), m_current.layoutFlags, m_current.singlePage != 0);
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

bool BookSession::moveTo(int position, bool forward)
{
    const int n = pageCount();
    if (!m_open || n < 1)
        return false;
    position = std::max(1, std::min(position, n));
    const int old = m_current.page;
    if (position == old)
        return false;
    m_forward = forward;
    m_current.page = position;
    const bool single = m_current.singlePage != 0;
    if (kvb::spreadIndex(old, m_current.layoutFlags, single)
        != kvb::spreadIndex(position, m_current.layoutFlags, single))
        loadCurrentPages();
    return true;
}

bool BookSession::scrollTo(int barValue)
{
    const int target = barValue + 1;
    return moveTo(target, target > m_current.page);
}

bool BookSession::setSinglePage(bool single)
{
    if (!m_open || !(m_current.layoutFlags & kvb::PageSpread))
        return false;
    m_current.singlePage = single ? 1 : 0;
    loadCurrentPages();
    return true;
}

void BookSession::setViewport(const Box &client, int space, bool enlarge)
{
    m_hasViewport = !client.isEmpty();
    m_client = client;
    m_space = space;
    m_enlarge = enlarge;
}

QSize BookSession::deviceBox(const LayoutInput &in, bool leftSlotImage) const
{
    if (!m_hasViewport)
        return {};
    const QSize box = decodeBox(in, leftSlotImage);
    if (!box.isValid() || m_pixelRatio == 1.0)
        return box;
    return QSize(int(std::ceil(box.width() * m_pixelRatio)), int(std::ceil(box.height() * m_pixelRatio)));
}

LayoutInput BookSession::layoutInput() const
{
    LayoutInput in;
    in.client = m_client;
    in.leftImage = m_left.isEmpty() ? QSize() : m_left.naturalSize;
    in.rightImage = m_right.isEmpty() ? QSize() : m_right.naturalSize;
    in.spread = isSpread();
    in.zoom = m_current.zoom;
    in.rotation = m_rotation;
    in.space = m_space;
    in.enlarge = m_enlarge;
    return in;
}

bool BookSession::refreshResolution()
{
    if (!m_open || !m_hasViewport)
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
