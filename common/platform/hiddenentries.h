#pragma once

#include <QFileInfo>
#include <QSet>
#include <QString>

namespace platform {

// Which entries of one folder a listing leaves out as hidden: dot files, the
// names the folder's ".hidden" file lists (one a line, as file managers keep
// them), and on FAT volumes the entries with the hidden attribute.
class HiddenEntries {
public:
    explicit HiddenEntries(const QString &folder);

    bool isHidden(const QFileInfo &entry) const;

private:
    QSet<QString> m_listed;
    bool m_fatAttributes = false;
};

} // namespace platform
