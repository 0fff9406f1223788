#include "savenames.h"

#include "bookdocument.h"

#include <book/bookrecords.h>
#include <platform/paths.h>

namespace bindery {

QString proposedFileName(int autoFileName, const QString &rawTitle, bool ticked, int y, int m, int d)
{
    QString title = rawTitle;
    title.replace(u'/', QChar(0xFF0F));
    const bool hasTitle = !title.isEmpty();
    QString datePart; // the date as the rule writes it, without separator
    switch (autoFileName) {
    case 2:
        if (ticked)
            datePart = QString::asprintf("%04d", y);
        break;
    case 3:
        if (ticked)
            datePart = m != 0 ? QString::asprintf("%04d%02d", y, m) : QString::asprintf("%04d", y);
        break;
    case 4:
        if (ticked) {
            if (m == 0)
                datePart = QString::asprintf("%04d", y);
            else if (d == 0)
                datePart = QString::asprintf("%04d%02d", y, m);
            else
                datePart = QString::asprintf("%04d%02d%02d", y, m, d);
        }
        break;
    case 1:
        break;
    default:
        return {};
    }
    if (hasTitle)
        return (datePart.isEmpty() ? QString() : datePart + u' ') + title + QStringLiteral(".kvb");
    if (!datePart.isEmpty())
        return datePart + QStringLiteral(".kvb");
    return {};
}

QString proposedSavePath(const BookDocument &doc, int autoFileName, const QString &bookFolder)
{
    QString folder;
    QString name;
    if (!doc.documentPath.isEmpty()) {
        folder = platform::folderOf(doc.documentPath);
        name = platform::fileNameOf(doc.documentPath);
    } else {
        folder = bookFolder;
        name = proposedFileName(autoFileName, doc.title, doc.datePresent, doc.year, doc.month, doc.day);
    }
    if (name.isEmpty())
        return folder;
    if (folder.isEmpty())
        return name;
    return platform::joinPath(folder, name);
}

QString exportFileName(const QString &folder, const QString &prefix, int number, uint8_t kind)
{
    return platform::joinPath(folder, prefix + QString::asprintf("%04d", number) + kvb::extensionForKind(kind));
}

} // namespace bindery
