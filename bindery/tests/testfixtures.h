#pragma once

#include <tests/testsupport.h>

#include <QDir>
#include <QString>
#include <QTemporaryDir>

namespace binderytest {

// A private folder with small pictures and books made on demand.
class Workspace {
public:
    QString path(const QString &name) const { return m_dir.path() + u'/' + name; }
    QString folder(const QString &name) const
    {
        QDir().mkpath(path(name));
        return path(name);
    }
    // A picture file of the kind its extension names (jpg, png, bmp).
    QString picture(const QString &name, int width = 40, int height = 50) const;
    QString file(const QString &name, const QByteArray &bytes) const;

private:
    QTemporaryDir m_dir;
};

// Picture bytes for book pages.
QByteArray jpegBytes(int width = 40, int height = 50);
QByteArray pngBytes(int width = 40, int height = 50);
// A book of `pages` tiny PNG pages (2 × 3) in the workspace; the most a
// book holds by default.
QString tinyPagesBook(const Workspace &ws, int pages = 65535);

} // namespace binderytest
