#include "foldersource.h"

#include "book/bookrecords.h"
#include "picture/picture.h"
#include "platform/filestamp.h"
#include "platform/paths.h"

#include <QFile>

#include <limits>
#include <optional>

namespace leafreader {

FolderSource::FolderSource(const QString &folder, const QStringList &fileNames)
    : m_folder(folder), m_names(fileNames)
{
}

QString FolderSource::pageFile(int index) const
{
    if (index < 0 || index >= pageCount())
        return {};
    return platform::joinPath(m_folder, m_names[index]);
}

QByteArray FolderSource::pageStamp(int index) const
{
    const QString path = pageFile(index);
    QFile file(path);
    std::optional<platform::FileStamp> stamp;
    if (!path.isEmpty() && file.open(QIODevice::ReadOnly))
        stamp = platform::fileStampOf(file.handle());
    if (!stamp)
        return QByteArrayLiteral("gone");
    return QByteArray(reinterpret_cast<const char *>(&*stamp), sizeof *stamp);
}

bool FolderSource::readPage(int index, QByteArray &bytes, uint8_t &kind)
{
    const QString path = pageFile(index);
    if (path.isEmpty())
        return false;
    kind = kvb::pageKindFromExtension(path);
    if (kind != kvb::Jpeg && kind != kvb::Png && kind != kvb::Bmp)
        return false;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    // Page sizes are 32-bit, in a folder as in a book.
    const qint64 size = file.size();
    if (size < 0 || size > qint64(std::numeric_limits<uint32_t>::max()))
        return false;
    return kvb::readPageBytes(file, 0, uint32_t(size), bytes);
}

} // namespace leafreader
