#include "glancerpagesource.h"

#include "book/bookrecords.h"
#include "picture/picture.h"

#include <QBuffer>

namespace glancer {

bool GlancerPageSource::readPage(int index, QByteArray &bytes, uint8_t &kind)
{
    if (!FolderSource::readPage(index, bytes, kind))
        return false;
    if (kind != kvb::Jpeg)
        return true;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    return kvb::jpegHasFrame(buffer);
}

} // namespace glancer
