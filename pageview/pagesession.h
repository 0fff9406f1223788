#pragma once

#include "pagelayout.h"
#include "pagesource.h"

#include "book/pagepairing.h"

#include <QImage>
#include <QObject>
#include <QTimer>

#include <algorithm>
#include <atomic>
#include <future>
#include <memory>
#include <vector>

namespace leafreader {

// One decoded slot picture: the picture as decoded (possibly reduced), the
// page's upright natural size, and the box it was decoded to cover.
struct SlotPicture {
    int page = -1; // 0-based page index, -1 = empty
    QImage image;
    QSize naturalSize;
    QSize decodedFor; // invalid = decoded at full size
    // The picture already reduced to the device pixels it is drawn at, made
    // by the worker that read it ahead (null: the painter reduces it).
    QImage prepared;

    bool isEmpty() const { return image.isNull(); }
    void clear() { *this = SlotPicture(); }
};

// The pages being shown: the page source, the position, the layout, zoom and
// rotation, and the one or two decoded pages of the current position. No
// widget: the view paints what this holds and forwards commands to it.
//
// Reading ahead: while the view rests on a spread, readAhead() decodes the
// next spread in the direction of the last move (forward again at the first
// spread) on worker threads, at the size it will be shown. A step onto that spread takes it instead of decoding;
// anything else discards it. At most one spread is held ahead, so decoded
// pictures stay bounded by two spreads. Workers touch no widget and report
// through a queued call; destroying the session waits for them.
class PageSession : public QObject {
    Q_OBJECT
public:
    enum class OpenResult { Opened, CannotOpen, PageLoadFailed };

    // How a move treats the decoded pages.
    enum class Move {
        Step,   // next or previous page: the spread read ahead is taken when it is the one moved to
        Jump,   // skips, first and last page: pages decoded again when the spread changes
        Reload, // as Jump, but the pages are decoded again whenever the position changes
    };

    // How the pages are shown from the start.
    struct Start {
        int position = 1;        // 1-based; clamped to the pages
        uint8_t layoutFlags = 0; // kvb::LayoutFlag bits: spread, cover, right binding
        bool singlePage = false; // a spread shown one page at a time
        int zoom = 0;            // 0 none, 1..9
    };

    enum class Ahead { None, Running, Ready };

    explicit PageSession(QObject *parent = nullptr);
    ~PageSession() override;
    PageSession(const PageSession &) = delete;
    PageSession &operator=(const PageSession &) = delete;

    // Shows the pages of `source` from `start`: rotation 0, direction
    // forward. CannotOpen without a source or without pages; PageLoadFailed
    // when the pages of the start position cannot be shown. On failure
    // nothing stays open.
    OpenResult open(std::unique_ptr<PageSource> source, const Start &start);
    // Frees the pictures, the spread read ahead and the source (a book's file
    // closes). Position, zoom and override keep their last values.
    void close();
    bool isOpen() const { return m_source != nullptr; }
    PageSource *source() const { return m_source.get(); }

    // Decodes the pages of the current position; false when one failed
    // (a failed left slot leaves the right one unread).
    bool loadCurrentPages();

    int position() const { return m_position; }
    int positionAtOpening() const { return m_positionAtOpening; }
    int pageCount() const { return m_source ? m_source->pageCount() : 0; }
    uint8_t layoutFlags() const { return m_layoutFlags; }
    bool singlePage() const { return m_singlePage; }
    bool isSpread() const { return kvb::showsSpread(m_layoutFlags, m_singlePage); }
    int step() const { return kvb::pageStep(m_layoutFlags, m_singlePage); }
    int spread() const { return kvb::spreadIndex(m_position, m_layoutFlags, m_singlePage); }

    const SlotPicture &leftSlot() const { return m_left; }
    const SlotPicture &rightSlot() const { return m_right; }

    // Moves. Each clamps the new position; false when it did not change.
    bool moveTo(int position, bool forward, Move kind = Move::Jump);
    bool nextPage() { return moveTo(std::min(pageCount(), position() + step()), true, Move::Step); }
    bool previousPage() { return moveTo(std::max(1, position() - step()), false, Move::Step); }
    bool skipForward(int pages) { return moveTo(std::min(pageCount(), position() + pages), true); }
    bool skipBack(int pages) { return moveTo(std::max(1, position() - pages), false); }
    bool firstPage() { return moveTo(1, false); }
    bool lastPage() { return moveTo(pageCount(), true); }
    // The scroll bar's thumb: position t + 1, direction by the change.
    bool scrollTo(int barValue);
    // Number of times the pages of a position were decoded (a move inside a
    // spread, or onto the spread read ahead, decodes nothing).
    int loadCount() const { return m_loadCount; }

    // Direction of the last move (paint order only); forward after a paint.
    bool forward() const { return m_forward; }
    void setForward(bool forward) { m_forward = forward; }

    int zoom() const { return m_zoom; }
    void setZoom(int zoom) { m_zoom = zoom; m_forward = true; }
    int rotation() const { return m_rotation; }
    void setRotation(int rotation) { m_rotation = rotation & 3; }
    // Spread layouts only; false (nothing done) otherwise.
    bool setSinglePage(bool single);
    // Another layout (spread, cover, binding) while open: the pages of the
    // position are decoded again.
    void setLayoutFlags(uint8_t layoutFlags);

    // Where the pages are drawn: the client area, gap and enlarge switch.
    // Pages are decoded just large enough for their slots; with no viewport
    // they are decoded at full size.
    void setViewport(const Box &client, int space, bool enlarge);
    // Device pixels per layout pixel of the screen the pages are shown on:
    // pages are decoded for the device pixels they cover.
    void setPixelRatio(double ratio) { m_pixelRatio = ratio > 0 ? ratio : 1.0; }
    double pixelRatio() const { return m_pixelRatio; }
    LayoutInput layoutInput() const;
    // Decodes a slot again when its slot has outgrown the decoded picture,
    // and drops the spread read ahead when it was decoded for other slots.
    // True when something was decoded again.
    bool refreshResolution();
    // Decode pages on two threads (on by default).
    void setParallelDecoding(bool on) { m_parallel = on; }

    // Starts decoding the spread after the current one in the direction of
    // the last move, unless it is held or under way already (or there is
    // none). True when it started.
    bool readAhead();
    // readAhead() once the events waiting now are handled: the view calls it
    // after painting, so reading ahead starts when the view is idle.
    void readAheadWhenIdle();
    void setReadAheadEnabled(bool on);
    Ahead aheadState() const;
    // The spread index held or under way ahead, -1 = none.
    int aheadSpread() const;
    // Pages decoded ahead so far.
    int aheadDecodeCount() const { return m_aheadDecodes; }

signals:
    // The spread read ahead now is decoded (or failed).
    void readAheadDone();

private:
    struct AheadJob;
    struct AheadRun {
        std::shared_ptr<AheadJob> job;
        std::vector<std::future<void>> workers;
    };

    // The decode box of a slot in device pixels (invalid without a viewport).
    QSize deviceBox(const LayoutInput &in, bool leftSlotImage) const;
    // Decodes the wanted slots (their page set) for the current viewport and
    // reports each one's success; a left slot that cannot be read leaves the
    // right one unread.
    void decodeSlots(bool wantLeft, bool wantRight, bool *leftOk, bool *rightOk);
    // The spread read ahead from `spread` in a direction, -1 = none.
    int spreadAfter(int spread, bool forward) const;
    // The spread to read ahead now: the next one in the direction of the last
    // move, or the second one when that move went back to the first.
    int aheadTarget() const;
    // Takes the spread read ahead as the current pages when it is `spread`,
    // was decoded for the slots of now and decoded whole.
    bool takeAhead(int spread);
    bool aheadFitsSlots() const;
    void discardAhead();
    void aheadFinished();
    void pruneRetired();

    std::shared_ptr<PageSource> m_source;
    int m_position = 1;
    int m_positionAtOpening = 1;
    uint8_t m_layoutFlags = 0;
    bool m_singlePage = false;
    int m_zoom = 0;
    SlotPicture m_left, m_right;
    bool m_forward = true;
    bool m_movedForward = true; // direction of the last move, for reading ahead
    int m_rotation = 0;
    int m_loadCount = 0;
    bool m_parallel = true;
    bool m_hasViewport = false;
    Box m_client;
    int m_space = 0;
    bool m_enlarge = false;
    double m_pixelRatio = 1.0;

    bool m_readAheadEnabled = true;
    bool m_aheadWanted = false; // asked while discarded workers still ran
    QTimer m_idle;
    AheadRun m_ahead;
    std::vector<AheadRun> m_retired; // discarded, still running
    std::atomic<int> m_aheadDecodes{0};
};

} // namespace leafreader
