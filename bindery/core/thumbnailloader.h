#pragma once

#include <book/bookrecords.h>
#include <platform/progress.h>

#include <QImage>
#include <QSize>

#include <condition_variable>
#include <mutex>
#include <optional>
#include <thread>
#include <vector>

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
    ~ThumbnailLoader();
    ThumbnailLoader(const ThumbnailLoader &) = delete;
    ThumbnailLoader &operator=(const ThumbnailLoader &) = delete;

    ThumbnailResult take(int index, platform::Progress *progress = nullptr);

private:
    void work();

    kvb::PageList m_pages;
    QSize m_box;
    std::vector<std::optional<ThumbnailResult>> m_results;
    std::mutex m_mutex;
    std::condition_variable m_ready;
    size_t m_next = 0;
    bool m_stop = false;
    std::vector<std::thread> m_threads;
};

} // namespace bindery
