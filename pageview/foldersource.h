#pragma once

#include "pagesource.h"

#include <QStringList>

namespace leafreader {

// The image files of one folder as pages, in the order the caller gives
// (the caller also chooses which files belong). A file's kind comes from its
// extension; what the file holds is seen only when it is decoded. Files are
// opened for the one read and closed again.
class FolderSource : public PageSource {
public:
    FolderSource(const QString &folder, const QStringList &fileNames);

    const QString &folder() const { return m_folder; }
    const QStringList &fileNames() const { return m_names; }

    int pageCount() const override { return int(m_names.size()); }
    // False for a file that has gone, cannot be read, is not a picture by its
    // extension, or is too large for a page (4 GiB or more).
    bool readPage(int index, QByteArray &bytes, uint8_t &kind) override;
    // Each read opens its own file.
    bool readsConcurrently() const override { return true; }
    QString pageFile(int index) const override;
    // The file's size, modification time and inode: a file written again or
    // replaced while the folder is shown changes it.
    QByteArray pageStamp(int index) const override;

private:
    QString m_folder;
    QStringList m_names;
};

} // namespace leafreader
