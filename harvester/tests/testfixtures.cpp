#include "testfixtures.h"

#include "core/messages.h"

#include "pdfwriter.h"
#include "book/kvbfile.h"
#include "testsupport.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QTimer>

#include <gtest/gtest.h>

namespace harvestertest {

Workspace::Workspace()
{
    m_dir.setAutoRemove(true);
}

QString Workspace::path(const QString &relative) const
{
    return relative.isEmpty() ? m_dir.path() : m_dir.filePath(relative);
}

QString Workspace::folder(const QString &relative) const
{
    QDir().mkpath(path(relative));
    return path(relative);
}

QString Workspace::file(const QString &relative, const QByteArray &bytes) const
{
    const QString full = path(relative);
    QDir().mkpath(QFileInfo(full).absolutePath());
    testsupport::writeFile(full, bytes);
    return full;
}

QByteArray Workspace::jpeg(int seed, int width, int height)
{
    QImage image = testsupport::cornerPicture(width, height);
    image.setPixelColor(width / 2, height / 2, QColor(seed * 37 % 256, seed * 91 % 256, seed * 13 % 256));
    return testsupport::encode(image, "JPG", 80 + seed % 15);
}

QByteArray Workspace::png(int seed)
{
    QImage image = testsupport::cornerPicture(24, 30);
    image.setPixelColor(1, 1, QColor(seed % 256, 0, 0));
    return testsupport::encode(image, "PNG");
}

QByteArray Workspace::bmp(int seed)
{
    QImage image = testsupport::cornerPicture(20, 20);
    image.setPixelColor(1, 1, QColor(0, seed % 256, 0));
    return testsupport::encode(image, "BMP");
}

QString Workspace::fakePdf(const QString &relative, const QStringList &lines) const
{
    return file(relative, lines.join(u'\n').toUtf8() + '\n');
}

QString Workspace::jpegPdf(const QString &relative, const std::vector<QByteArray> &jpegs) const
{
    std::vector<pdfwriter::PdfPicture> pages;
    for (const QByteArray &jpeg : jpegs)
        pages.push_back(*pdfwriter::jpegPicture(jpeg));
    const QString full = path(relative);
    QDir().mkpath(QFileInfo(full).absolutePath());
    pdfwriter::writePdf(full, pages);
    return full;
}

QString fakeExtractor()
{
    return QStringLiteral(VELLORAN_SOURCE_DIR "/harvester/tests/fake-pdfimages.sh");
}

void RecordingObserver::processEvents()
{
    if (onEvents)
        onEvents();
    QCoreApplication::processEvents();
}

void RecordingObserver::logLine(const QString &text)
{
    lines.append(text);
    if (onLine)
        onLine(text);
}

bool RunFixture::runToEnd(const harvester::RunOptions &options, int timeoutMs)
{
    run.start(options);
    return waitForEnd(timeoutMs);
}

bool RunFixture::waitForEnd(int timeoutMs)
{
    return waitFor([this] { return !run.running(); }, timeoutMs);
}

bool RunFixture::waitFor(const std::function<bool()> &done, int timeoutMs)
{
    QElapsedTimer timer;
    timer.start();
    while (!done() && timer.elapsed() < timeoutMs)
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
    return done();
}

QString finished(int done, int failed, int passedOver, int deleted, int trashed)
{
    return harvester::text::Done + u'\n' + harvester::RunSummary{done, failed, passedOver, deleted, trashed}.text();
}

QString maskRunFolder(const QString &line)
{
    static const QRegularExpression runFolder(QStringLiteral("\\$HVTTemp\\$[0-9a-f]+"));
    return QString(line).replace(runFolder, QStringLiteral("$HVTTemp$*"));
}

QStringList maskRunFolder(const QStringList &lines)
{
    QStringList masked;
    for (const QString &line : lines)
        masked.append(maskRunFolder(line));
    return masked;
}

harvester::RunOptions pdfOptions(int mode, const QString &target, const QString &work)
{
    harvester::RunOptions options;
    options.mode = mode;
    options.targetFolder = target;
    options.workFolder = work;
    options.includeSubfolders = false;
    options.book.thumb = false;
    return options;
}

QByteArray readAll(const QString &path)
{
    return testsupport::readFile(path);
}

kvb::PageList pagesOf(const QString &book)
{
    kvb::PageList pages;
    EXPECT_TRUE(kvb::KVBFile::readBook(book, nullptr, nullptr, &pages)) << book.toStdString();
    return pages;
}

QByteArray pageBytes(const kvb::PageEntry &page)
{
    QFile file(page.sourcePath);
    if (!file.open(QIODevice::ReadOnly) || !file.seek(qint64(page.offset)))
        return {};
    return file.read(page.size);
}

bool exists(const QString &path)
{
    return QFileInfo::exists(path) || QFileInfo(path).isSymLink();
}

} // namespace harvestertest
