#pragma once

#include <QSet>
#include <QString>
#include <QStringView>

namespace platform {

// Which entries of one folder a listing leaves out as hidden: dot files, the
// names the folder's ".hidden" file lists (one a line, as file managers keep
// them), and on FAT volumes the entries with the hidden attribute.
class HiddenEntries {
public:
    explicit HiddenEntries(const QString &folder);

    // An entry by its name (as nameFromBytes gives it) and its path.
    bool isHidden(QStringView name, const QString &path) const;

private:
    QSet<QString> m_listed;
    bool m_fatAttributes = false;
};

} // namespace platform
