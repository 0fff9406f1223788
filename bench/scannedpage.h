#pragma once

// The 600-dpi A4 scans the page-view benchmarks work on, made on first use in
// $VELLORAN_BENCH_DIR and kept there, so the compare scripts can time a peer
// program (djpeg) on the very same files.
#include "book/kvbfile.h"

#include <QCoreApplication>
#include <QDir>
#include <QEventLoop>
#include <QFile>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QRandomGenerator>
#include <QString>
#include <QTimer>

namespace bench {

inline QString benchDir(const char *fallback)
{
    const QString dir = qEnvironmentVariable("VELLORAN_BENCH_DIR", QString::fromLatin1(fallback));
    QDir().mkpath(dir);
    return dir;
}

// A page as a scanner delivers it (4960 x 7016): paper tone with a little
// noise, lines of dark "text", a picture block with gradients.
inline QImage scannedPage(int seed)
{
    QImage page(4960, 7016, QImage::Format_RGB32);
    QRandomGenerator random{quint32(seed)};
    for (int y = 0; y < page.height(); ++y) {
        auto *row = reinterpret_cast<QRgb *>(page.scanLine(y));
        for (int x = 0; x < page.width(); ++x) {
            const int n = int(random.generate() & 7);
            row[x] = qRgb(244 - n, 240 - n, 228 - n);
        }
    }
    QPainter p(&page);
    p.setRenderHint(QPainter::Antialiasing);
    for (int line = 0; line < 140; ++line) {
        const int y = 500 + line * 42;
        if (y > 3300 && y < 5200)
            continue;
        int x = 400;
        while (x < 4500) {
            const int word = 60 + int(random.bounded(260));
            p.fillRect(x, y, std::min(word, 4560 - x), 26, QColor(40, 38, 36));
            x += word + 30;
        }
    }
    QLinearGradient g(600, 3350, 4300, 5150);
    g.setColorAt(0, QColor(30, 90, 160));
    g.setColorAt(1, QColor(200, 120, 40));
    p.fillRect(QRect(600, 3350, 3700, 1800), g);
    p.setBrush(QColor(240, 240, 240, 160));
    p.drawEllipse(QPoint(2400 + seed * 300, 4250), 700, 600);
    return page;
}

// page<n>.jpg in `dir`, drawn and saved when missing.
inline QString scannedPageFile(const QString &dir, int n)
{
    const QString path = dir + QStringLiteral("/page%1.jpg").arg(n);
    if (!QFile::exists(path))
        scannedPage(n).save(path, "JPG", 90);
    return path;
}

// A spread book `name` in `dir` of `pageCount` pages, the two scans in turn.
inline QString scanBook(const QString &dir, const QString &name, int pageCount)
{
    const QString path = dir + u'/' + name;
    if (QFile::exists(path))
        return path;
    kvb::PageList pages;
    for (int i = 0; i < pageCount; ++i) {
        kvb::PageEntry e;
        e.kind = kvb::Jpeg;
        e.sourcePath = scannedPageFile(dir, 1 + i % 2);
        e.size = uint32_t(QFile(e.sourcePath).size());
        pages.push_back(e);
    }
    if (!kvb::KVBFile::writeBook(path, kvb::PageSpread, false, {}, pages))
        return {};
    return path;
}

// Lets the application handle its events for `ms` milliseconds, as a user
// resting on a page gives it time. The loop sleeps between events, as the
// program's own does, so the workers reading ahead get the processor.
inline void rest(int ms)
{
    QEventLoop loop;
    QTimer::singleShot(ms, &loop, &QEventLoop::quit);
    loop.exec();
}

} // namespace bench
