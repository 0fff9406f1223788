#pragma once

#include <book/bookrecords.h>
#include <platform/orderedwork.h>
#include <platform/progress.h>

#include <QImage>
#include <QSize>

namespace bindery {

struct ThumbnailResult {
    bool loaded = false; // the page could be decoded
    QImage thumbnail;    // null when it could not be made
};

// The list thumbnail of one page: decoded at a reduced size that still covers
// the box, then scaled to the size the full picture would give.
ThumbnailResult makePageThumbnail(const kvb::PageEntry &page, QSize box);

// Makes the list thumbnails of many pages on worker threads. Results are taken
// in page order on the caller's thread, which may keep its window alive
// through the progress's processEvents while it waits.
class ThumbnailLoader {
public:
    ThumbnailLoader(const kvb::PageList &pages, QSize box, int threads = 0);

    // The next page's thumbnail, in page order.
    ThumbnailResult takeNext(platform::Progress *progress = nullptr) { return m_work.takeNext(progress); }

private:
    platform::OrderedWork<ThumbnailResult> m_work;
};

} // namespace bindery
