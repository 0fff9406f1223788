#include "pagesession.h"

#include "bookpainter.h"

#include "book/bookrecords.h"
#include "picture/picture.h"

#include <cmath>
#include <mutex>

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

// The picture reduced to the device pixels it covers when the layout `in`
// (its own image still unset) shows it; null when it is not drawn.
QImage preparedPicture(const SlotPicture &slot, LayoutInput in, bool leftSlotImage, double ratio)
{
    (leftSlotImage ? in.leftImage : in.rightImage) = slot.naturalSize;
    const PageLayout layout = computeLayout(in);
    for (const PictureDraw &picture : layout.pictures) {
        if (picture.leftSlotImage == leftSlotImage)
            return BookPainter::scaledFor(slot.image,
                                          BookPainter::devicePixels(uprightSize(picture.target, in.rotation), ratio));
    }
    return {};
}

} // namespace

// One spread read ahead: what it was decoded for, and the workers' results.
struct PageSession::AheadJob {
    int spread = -1;
    uint8_t layoutFlags = 0;
    bool singlePage = false;
    QSize leftBox, rightBox;

    std::mutex mutex;
    int pending = 0; // slots still decoding
    SlotPicture left, right;
    bool leftOk = true, rightOk = true;
    QByteArray leftStamp, rightStamp; // the pages' stamps before their bytes were read

    bool done()
    {
        std::lock_guard lock(mutex);
        return pending == 0;
    }
};

PageSession::PageSession(QObject *parent) : QObject(parent)
{
    m_idle.setSingleShot(true);
    m_idle.setInterval(0);
    connect(&m_idle, &QTimer::timeout, this, [this] { readAhead(); });
}

void PageSession::readAheadWhenIdle()
{
    if (m_readAheadEnabled && isOpen())
        m_idle.start();
}

PageSession::~PageSession()
{
    // Workers report to this object: they must be gone before it is.
    discardAhead();
    for (AheadRun &run : m_retired) {
        for (std::future<void> &worker : run.workers)
            worker.wait();
    }
}

PageSession::OpenResult PageSession::open(std::unique_ptr<PageSource> source, const Start &start)
{
    close();
    if (!source || source->pageCount() < 1)
        return OpenResult::CannotOpen;
    m_source = std::shared_ptr<PageSource>(std::move(source));
    m_position = std::max(1, std::min(start.position, pageCount()));
    m_positionAtOpening = m_position;
    m_layoutFlags = start.layoutFlags;
    m_singlePage = start.singlePage;
    m_zoom = start.zoom;
    m_rotation = 0;
    m_forward = true;
    m_movedForward = true;
    if (!loadCurrentPages()) {
        close();
        return OpenResult::PageLoadFailed;
    }
    return OpenResult::Opened;
}

void PageSession::close()
{
    m_idle.stop();
    discardAhead();
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

bool PageSession::moveTo(int position, bool forward, Move kind)
{
    const int n = pageCount();
    if (!isOpen() || n < 1)
        return false;
    position = std::max(1, std::min(position, n));
    const int old = m_position;
    if (position == old)
        return false;
    const int oldSpread = spread();
    m_forward = forward;
    m_movedForward = forward;
    m_position = position;
    const int newSpread = spread();
    const bool newPages = kind == Move::Reload || newSpread != oldSpread;
    if (newPages && kind == Move::Step && takeAhead(newSpread))
        return true;
    // The spread ahead stays only while it is still the one to read next.
    if (m_ahead.job && m_ahead.job->spread != aheadTarget())
        discardAhead();
    if (newPages)
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
    discardAhead();
    m_singlePage = single;
    loadCurrentPages();
    return true;
}

void PageSession::setLayoutFlags(uint8_t layoutFlags)
{
    discardAhead();
    m_layoutFlags = layoutFlags;
    if (isOpen())
        loadCurrentPages();
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
    if (m_ahead.job && !aheadFitsSlots())
        discardAhead();
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

int PageSession::spreadAfter(int from, bool forward) const
{
    const int target = forward ? from + 1 : from - 1;
    if (target < 0)
        return -1;
    const kvb::SpreadPages pages = kvb::spreadPages(target, pageCount(), m_layoutFlags, m_singlePage);
    return pages.left >= 0 || pages.right >= 0 ? target : -1;
}

int PageSession::aheadTarget() const
{
    // Back at the first spread (the first page, or steps back to it) the
    // only way on is forward.
    const int from = spread();
    const int target = spreadAfter(from, m_movedForward);
    return target < 0 && !m_movedForward ? spreadAfter(from, true) : target;
}

bool PageSession::aheadFitsSlots() const
{
    const AheadJob &job = *m_ahead.job;
    const LayoutInput in = layoutInput();
    return job.layoutFlags == m_layoutFlags && job.singlePage == m_singlePage
        && job.leftBox == deviceBox(in, true) && job.rightBox == deviceBox(in, false);
}

void PageSession::setReadAheadEnabled(bool on)
{
    m_readAheadEnabled = on;
    if (!on)
        discardAhead();
}

PageSession::Ahead PageSession::aheadState() const
{
    if (!m_ahead.job)
        return Ahead::None;
    return m_ahead.job->done() ? Ahead::Ready : Ahead::Running;
}

int PageSession::aheadSpread() const
{
    return m_ahead.job ? m_ahead.job->spread : -1;
}

bool PageSession::readAhead()
{
    if (!m_readAheadEnabled || !isOpen())
        return false;
    pruneRetired();
    const int target = aheadTarget();
    if (m_ahead.job && m_ahead.job->spread == target && aheadFitsSlots())
        return false;
    discardAhead();
    if (target < 0)
        return false;
    // Discarded workers still hold their pictures: start when they are done,
    // so no more than two spreads are ever decoded at once.
    if (!m_retired.empty()) {
        m_aheadWanted = true;
        return false;
    }
    m_aheadWanted = false;

    auto job = std::make_shared<AheadJob>();
    job->spread = target;
    job->layoutFlags = m_layoutFlags;
    job->singlePage = m_singlePage;
    const LayoutInput in = [this] {
        LayoutInput empty = layoutInput();
        empty.leftImage = empty.rightImage = QSize();
        return empty;
    }();
    job->leftBox = deviceBox(in, true);
    job->rightBox = deviceBox(in, false);
    const kvb::SpreadPages pages = kvb::spreadPages(target, pageCount(), m_layoutFlags, m_singlePage);
    job->left.page = pages.left;
    job->right.page = pages.right;

    // A slot's work: its page's bytes (read here unless the source may be
    // read on the workers), decoded and reduced for the screen.
    struct SlotWork {
        bool leftSlot;
        int page;
        QSize box;
        QByteArray bytes;
        uint8_t kind = 0;
        bool read = false;
        QByteArray stamp;
    };
    std::vector<SlotWork> work;
    if (pages.left >= 0)
        work.push_back({true, pages.left, job->leftBox, {}, 0, false, {}});
    if (pages.right >= 0)
        work.push_back({false, pages.right, job->rightBox, {}, 0, false, {}});
    const std::shared_ptr<PageSource> concurrentSource = m_source->readsConcurrently() ? m_source : nullptr;
    for (SlotWork &w : work) {
        if (!concurrentSource) {
            w.stamp = m_source->pageStamp(w.page);
            w.read = m_source->readPage(w.page, w.bytes, w.kind);
        }
    }
    job->pending = int(work.size());
    const double ratio = m_pixelRatio;
    auto decodeOne = [job, concurrentSource, in, ratio, this](SlotWork w) {
        if (concurrentSource) {
            w.stamp = concurrentSource->pageStamp(w.page);
            w.read = concurrentSource->readPage(w.page, w.bytes, w.kind);
        }
        bool ok = false;
        SlotPicture slot;
        slot.page = w.page;
        if (w.read) {
            slot = decodePage(w.page, std::move(w.bytes), w.kind, w.box, &ok);
            ++m_aheadDecodes;
        }
        if (ok)
            slot.prepared = preparedPicture(slot, in, w.leftSlot, ratio);
        bool last = false;
        {
            std::lock_guard lock(job->mutex);
            (w.leftSlot ? job->left : job->right) = std::move(slot);
            (w.leftSlot ? job->leftOk : job->rightOk) = ok;
            (w.leftSlot ? job->leftStamp : job->rightStamp) = std::move(w.stamp);
            last = --job->pending == 0;
        }
        // The session outlives its workers (its destructor waits for them),
        // and the call runs on the session's own thread.
        if (last)
            QMetaObject::invokeMethod(this, [this] { aheadFinished(); }, Qt::QueuedConnection);
    };
    m_ahead.job = job;
    if (m_parallel) {
        for (SlotWork &w : work)
            m_ahead.workers.push_back(std::async(std::launch::async, decodeOne, std::move(w)));
    } else {
        m_ahead.workers.push_back(std::async(std::launch::async, [decodeOne, work]() mutable {
            for (SlotWork &w : work)
                decodeOne(std::move(w));
        }));
    }
    if (work.empty())
        QMetaObject::invokeMethod(this, [this] { aheadFinished(); }, Qt::QueuedConnection);
    return true;
}

bool PageSession::takeAhead(int target)
{
    if (!m_ahead.job || m_ahead.job->spread != target || !aheadFitsSlots())
        return false;
    // Under way: it finishes sooner than a decode started now.
    for (std::future<void> &worker : m_ahead.workers)
        worker.wait();
    AheadJob &job = *m_ahead.job;
    // A page that failed is decoded again when shown, so the failure shows as
    // it would have; one whose file changed since it was read shows the new
    // bytes.
    const auto unchanged = [this](const SlotPicture &slot, const QByteArray &stamp) {
        return slot.page < 0 || m_source->pageStamp(slot.page) == stamp;
    };
    if (!job.leftOk || !job.rightOk || !unchanged(job.left, job.leftStamp)
        || !unchanged(job.right, job.rightStamp)) {
        discardAhead();
        return false;
    }
    m_left = std::move(job.left);
    m_right = std::move(job.right);
    m_ahead = AheadRun();
    return true;
}

void PageSession::discardAhead()
{
    if (!m_ahead.job)
        return;
    if (m_ahead.job->done()) {
        for (std::future<void> &worker : m_ahead.workers)
            worker.wait();
    } else {
        m_retired.push_back(std::move(m_ahead));
    }
    m_ahead = AheadRun();
}

void PageSession::pruneRetired()
{
    std::erase_if(m_retired, [](AheadRun &run) { return run.job->done(); });
}

void PageSession::aheadFinished()
{
    pruneRetired();
    if (m_aheadWanted && m_retired.empty())
        readAhead();
    if (m_ahead.job && m_ahead.job->done())
        emit readAheadDone();
}

} // namespace leafreader
