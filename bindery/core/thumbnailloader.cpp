#include "thumbnailloader.h"

#include <picture/picture.h>

#include <QThread>

#include <algorithm>

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

namespace {

int workerCount(int threads)
{
    return threads > 0 ? threads : std::max(1, QThread::idealThreadCount());
}

} // namespace

// Thumbnails are small: every page may be made ahead of the one taken.
ThumbnailLoader::ThumbnailLoader(const kvb::PageList &pages, QSize box, int threads)
    : m_work(
          pages.size(), [pages, box](size_t index) { return makePageThumbnail(pages[index], box); },
          workerCount(threads), pages.size())
{
}

} // namespace bindery
