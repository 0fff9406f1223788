#pragma once

#include "bookentry.h"
#include "pagelayout.h"
#include "book/bookrecords.h"
#include "book/pagepairing.h"

#include <QFile>
#include <QImage>
#include <QString>

#include <algorithm>

namespace leafreader {

// One decoded slot picture: the picture as decoded (possibly reduced), the
// page's upright natural size, and the box it was decoded to cover.
struct SlotPicture {
    int page = -1; // 0-based page index, -1 = empty
    QImage image;
    QSize naturalSize;
    QSize decodedFor; // invalid = decoded at full size

    bool isEmpty() const { return image.isNull(); }
    void clear() { *this = SlotPicture(); }
};

// The open book: the file kept open, the page table, the position and view
// state, and the one or two decoded pages of the current position. No
// widget: the view paints what this holds and forwards commands to it.
class BookSession {
public:
    enum class OpenResult { Opened, CannotOpen, PageLoadFailed };

    BookSession() = default;
    BookSession(const BookSession &) = delete;
    BookSession &operator=(const BookSession &) = delete;

    // Opens the book of `row` at its page (clamped to 1..n) with the file
    // kept open. On failure nothing stays open.
    OpenResult open(const BookEntry &row);
    // The common part of closing: frees the pictures, closes the file and
    // empties the page table. The current book keeps its position.
    void close();
    bool isOpen() const { return m_open; }

    // Decodes the pages of the current position; false when one failed
    // (a failed left slot leaves the right one unread).
    bool loadCurrentPages();

    const BookEntry &current() const { return m_current; }
    BookEntry &current() { return m_current; }
    int pageAtOpening() const { return m_pageAtOpening; }
    int position() const { return m_current.page; }
    int pageCount() const { return int(m_pages.size()); }
    const kvb::PageList &pageTable() const { return m_pages; }
    bool isSpread() const { return kvb::showsSpread(m_current.layoutFlags, m_current.singlePage != 0); }
    int step() const { return kvb::pageStep(m_current.layoutFlags, m_current.singlePage != 0); }

    const SlotPicture &leftSlot() const { return m_left; }
    const SlotPicture &rightSlot() const { return m_right; }

    // Moves. Each clamps the new position; false when it did not change.
    // Pages are decoded again only when the spread index changes.
    bool moveTo(int position, bool forward);
    bool nextPage() { return moveTo(std::min(pageCount(), position() + step()), true); }
    bool previousPage() { return moveTo(std::max(1, position() - step()), false); }
    bool skipForward(int pages) { return moveTo(std::min(pageCount(), position() + pages), true); }
    bool skipBack(int pages) { return moveTo(std::max(1, position() - pages), false); }
    bool firstPage() { return moveTo(1, false); }
    bool lastPage() { return moveTo(pageCount(), true); }
    // The scroll bar's thumb: position t + 1, direction by the change.
    bool scrollTo(int barValue);
    // Number of times pages were decoded (for tests: a move inside a spread
    // does not decode).
    int loadCount() const { return m_loadCount; }

    // Direction of the last move (paint order only); forward after a paint.
    bool forward() const { return m_forward; }
    void setForward(bool forward) { m_forward = forward; }

    int zoom() const { return m_current.zoom; }
    void setZoom(int zoom) { m_current.zoom = zoom; m_forward = true; }
    int rotation() const { return m_rotation; }
    void setRotation(int rotation) { m_rotation = rotation & 3; }
    // Spread books only; false (nothing done) otherwise.
    bool setSinglePage(bool single);

    // Where the pages are drawn: the client area, gap and enlarge switch.
    // Pages are decoded just large enough for their slots; with no viewport
    // they are decoded at full size.
    void setViewport(const Box &client, int space, bool enlarge);
    // Device pixels per layout pixel of the screen the pages are shown on:
    // pages are decoded for the device pixels they cover.
    void setPixelRatio(double ratio) { m_pixelRatio = ratio > 0 ? ratio : 1.0; }
    double pixelRatio() const { return m_pixelRatio; }
    LayoutInput layoutInput() const;
    // Decodes a slot again when its slot has outgrown the decoded picture.
    // True when something was decoded again.
    bool refreshResolution();
    // Decode pages on two threads (on by default).
    void setParallelDecoding(bool on) { m_parallel = on; }

private:
    bool readPageBytes(int index, QByteArray &bytes);
    // The decode box of a slot in device pixels (invalid without a viewport).
    QSize deviceBox(const LayoutInput &in, bool leftSlotImage) const;
    // Decodes the wanted slots (their page set) for the current viewport and
    // reports each one's success; a left slot that cannot be read leaves the
    // right one unread.
    void decodeSlots(bool wantLeft, bool wantRight, bool *leftOk, bool *rightOk);

    bool m_open = false;
    QFile m_file;
    kvb::PageList m_pages;
    BookEntry m_current;
    int m_pageAtOpening = 1;
    SlotPicture m_left, m_right;
    bool m_forward = true;
    int m_rotation = 0;
    int m_loadCount = 0;
    bool m_parallel = true;
    bool m_hasViewport = false;
    Box m_client;
    int m_space = 0;
    bool m_enlarge = false;
    double m_pixelRatio = 1.0;
};

} // namespace leafreader
