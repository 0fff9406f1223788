// Helper of the install test, asking what a desktop would ask:
//   desktopprobe mimetype FILE...      each file's type, one a line, as
//                                      QMimeDatabase finds it (name and content)
//   desktopprobe size FILE             the picture's format and size: "png 128x100"
//   desktopprobe picture W H OUT.jpg   writes a W x H page-like JPEG
#include <QCoreApplication>
#include <QImage>
#include <QImageReader>
#include <QMimeDatabase>
#include <QPainter>

#include <cstdio>

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments().mid(1);
    if (args.size() >= 2 && args[0] == QLatin1String("mimetype")) {
        const QMimeDatabase db;
        for (const QString &path : args.mid(1))
            std::printf("%s\n", qPrintable(db.mimeTypeForFile(path).name()));
        return 0;
    }
    if (args.size() == 2 && args[0] == QLatin1String("size")) {
        QImageReader reader(args[1]);
        const QSize size = reader.size();
        if (!size.isValid() || !reader.canRead())
            return 1;
        std::printf("%s %dx%d\n", reader.format().constData(), size.width(), size.height());
        return 0;
    }
    if (args.size() == 4 && args[0] == QLatin1String("picture")) {
        QImage image(args[1].toInt(), args[2].toInt(), QImage::Format_RGB32);
        if (image.isNull())
            return 2;
        const int w = image.width(), h = image.height();
        image.fill(QColor(240, 236, 226));
        QPainter painter(&image);
        painter.fillRect(QRect(w / 8, h / 8, w * 3 / 4, h / 3), QColor(40, 90, 140));
        for (int y = h / 2; y < h * 7 / 8; y += std::max(3, h / 60))
            painter.fillRect(w / 8, y, w * 3 / 4, std::max(1, h / 200), QColor(60, 60, 60));
        painter.end();
        return image.save(args[3], "JPG", 85) ? 0 : 1;
    }
    std::fputs("usage: desktopprobe mimetype FILE... | size FILE | picture W H OUT.jpg\n", stderr);
    return 2;
}
