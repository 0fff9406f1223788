#include "bookunpacker.h"

#include "foldertree.h"
#include "messages.h"

#include <book/kvbfile.h>
#include <platform/prompt.h>

namespace harvester {

QString BookUnpacker::pageFileName(const QString &folder, int index, uint8_t kind)
{
    QString extension;
    switch (kind) {
    case kvb::Jpeg: extension = QStringLiteral("jpg"); break;
    case kvb::Png: extension = QStringLiteral("png"); break;
    case kvb::Bmp: extension = QStringLiteral("bmp"); break;
    default: extension = QStringLiteral("xxx"); break;
    }
    return folder + QStringLiteral("/Img") + QStringLiteral("%1").arg(index, 4, 10, QLatin1Char('0')) + u'.'
           + extension;
}

bool BookUnpacker::writePageFile(const kvb::PageEntry &page, const QString &destination)
{
    return kvb::KVBFile::copyPageData(page, destination);
}

bool BookUnpacker::goOn(const QString &question)
{
    return m_prompt.message(question, platform::PromptIcon::Question, platform::PromptButtons::OkCancel)
           == platform::PromptAnswer::Ok;
}

QString BookUnpacker::outputFolderFor(const QString &bookPath)
{
    const qsizetype dot = bookPath.lastIndexOf(u'.');
    return dot < 0 ? bookPath : bookPath.left(dot);
}

int BookUnpacker::KVBToImageFolder(const QString &bookPath)
{
    const QString folder = outputFolderFor(bookPath);
    const bool exists = isExistingFolder(folder);
    m_lastStopFailed = false;
    if (exists && !goOn(text::OutputFolderExists))
        return StopRun;
    // From here on a Cancel ends the run after a failure.
    m_lastStopFailed = true;
    if (!exists && !CreateFolderTree(folder))
        return goOn(text::OutputFolderNotMade) ? PassedOver : StopRun;

    kvb::PageList pages;
    if (!kvb::KVBFile::readBook(bookPath, nullptr, nullptr, &pages))
        return goOn(text::BookUnreadable) ? PassedOver : StopRun;

    for (size_t i = 0; i < pages.size(); ++i) {
        if (!writePageFile(pages[i], pageFileName(folder, int(i), pages[i].kind)))
            return goOn(text::PageNotWritten) ? PassedOver : StopRun;
    }
    return GoOn;
}

} // namespace harvester
