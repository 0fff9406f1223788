#include "thumbnailloader.h"

#include <picture/picture.h>

#include <QThread>

#include <algorithm>
#include <chrono>

namespace bindery {

ThumbnailResult makePageThumbnail(const kvb::PageEntry &page, QSize box)
{
    ThumbnailResult result;
    QImage picture;
    QSize natural;
    kvb::LoadOptions options;
    options.fitWithin = box;
    options.naturalSize = &natural;
    if (!kvb::loadPagePicture(page, picture, options))
        return result;
    result.loaded = true;
    // The size follows the stored picture, so a reduced decode gives the same
    // thumbnail size as a full one.
    const QSize size = kvb::listThumbnailSize(natural.isValid() ? natural : picture.size(), box);
    if (size.isEmpty())
        return result;
    result.thumbnail = picture.size() == size
                           ? picture
                           : picture.scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    return result;
}

ThumbnailLoader::ThumbnailLoader(const kvb::PageList &pages, QSize box, int threads)
    : m_pages(pages), m_box(box)
{
    m_results.resize(m_pages.size());
    if (threads <= 0)
        threads = std::max(1, QThread::idealThreadCount());
    threads = std::min<int>(threads, int(m_pages.size()));
    for (int i = 0; i < threads; ++i)
        m_threads.emplace_back([this] { work(); });
}

ThumbnailLoader::~ThumbnailLoader()
{
    {
        std::lock_guard lock(m_mutex);
        m_stop = true;
    }
    for (std::thread &t : m_threads)
        t.join();
}

void ThumbnailLoader::work()
{
    for (;;) {
        size_t index;
        {
            std::lock_guard lock(m_mutex);
            if (m_stop || m_next >= m_pages.size())
                return;
            index = m_next++;
        }
        ThumbnailResult result = makePageThumbnail(m_pages[index], m_box);
        {
            std::lock_guard lock(m_mutex);
            m_results[index] = std::move(result);
        }
        m_ready.notify_all();
    }
}

ThumbnailResult ThumbnailLoader::take(int index, platform::Progress *progress)
{
    std::unique_lock lock(m_mutex);
    while (!m_results[size_t(index)]) {
        if (progress) {
            m_ready.wait_for(lock, std::chrono::milliseconds(30));
            lock.unlock();
            progress->processEvents();
            lock.lock();
        } else {
            m_ready.wait(lock);
        }
    }
    ThumbnailResult result = std::move(*m_results[size_t(index)]);
    m_results[size_t(index)].reset();
    return result;
}

} // namespace bindery
