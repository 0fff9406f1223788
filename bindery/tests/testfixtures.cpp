#include "testfixtures.h"

#include <book/bookrecords.h>
#include <platform/paths.h>

namespace binderytest {

QString Workspace::picture(const QString &name, int width, int height) const
{
    const QString ext = platform::extensionOf(name).toLower();
    const char *format = ext == u"png" ? "PNG" : ext == u"bmp" ? "BMP" : "JPG";
    return file(name, testsupport::encode(testsupport::cornerPicture(width, height), format));
}

QString Workspace::file(const QString &name, const QByteArray &bytes) const
{
    const QString full = path(name);
    QDir().mkpath(platform::folderOf(full));
    testsupport::writeFile(full, bytes);
    return full;
}

QByteArray jpegBytes(int width, int height)
{
    return testsupport::encode(testsupport::cornerPicture(width, height), "JPG");
}

QByteArray pngBytes(int width, int height)
{
    return testsupport::encode(testsupport::cornerPicture(width, height), "PNG");
}

QString tinyPagesBook(const Workspace &ws, int pages)
{
    testsupport::BookBytes book;
    book.header(uint16_t(pages));
    const QByteArray tiny = pngBytes(2, 3);
    for (int i = 0; i < pages; ++i)
        book.page(kvb::Png, tiny);
    return ws.file(QStringLiteral("tiny-pages.kvb"), book.bytes());
}

} // namespace binderytest
