#include "coverpicture.h"

#include "kvbfile.h"
#include "picture/picture.h"

#include <vector>

namespace kvb {

bool bookCoverPicture(const QString &bookPath, int size, QImage &picture)
{
    if (size < 1 || size > kMaxCoverPictureSize)
        return false;
    BookHeader header{};
    PageList pages;
    std::vector<uint8_t> thumbnail(kThumbnailBytes);
    // The whole walk, not just the head: a cut or damaged book gets no
    // thumbnail, so a file manager does not show a book that will not open.
    if (!KVBFile::readBook(bookPath, KVBFile::ReadOptions{&header, nullptr, &pages, thumbnail.data()}))
        return false;

    const QSize box(size, size);
    QImage source;
    if (header.thumbnailFlag & 1) {
        source = bookThumbnailImage(thumbnail.data());
    } else {
        if (pages.empty())
            return false;
        // The decoder reduces a JPEG while decoding (DCT scaling), so even a
        // 600-dpi scan costs a fraction of a full decode.
        if (!loadPagePicture(pages.front(), source, LoadOptions{box, nullptr}))
            return false;
    }
    if (source.isNull())
        return false;
    // Pictures are made smaller, never larger: a file manager enlarges a
    // small thumbnail itself when it wants to.
    const QImage result = source.width() <= size && source.height() <= size
                              ? source
                              : makeListThumbnail(source, box);
    if (result.isNull())
        return false;
    picture = result;
    return true;
}

} // namespace kvb
