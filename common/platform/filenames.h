#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringView>

namespace platform {

// Text for a terminal or a message box: control characters (C0, DEL, C1) and
// lone UTF-16 surrogates are shown as \u001b, so a title or a file name can
// neither cut the line short (U+0000) nor send escape sequences. Everything
// else stays as it is.
QString escapedText(QStringView text);

// A file name's bytes for showing: valid UTF-8 as text (escaped as above),
// every byte that is not part of valid UTF-8 as \xff.
QString escapedName(const QByteArray &raw);

// Whether a name's bytes survive the trip into a QString and back. Qt reads
// names as UTF-8; bytes that are not valid UTF-8 turn into U+FFFD, so a file
// so named can be neither listed nor opened under its own name.
bool isRepresentableName(const QByteArray &raw);

// An entry of a folder whose name cannot be represented, read from the
// system's own listing (Qt's listing leaves such entries out).
struct UnrepresentableEntry {
    QByteArray name; // the name's bytes as the folder holds them
    bool isFolder = false;
    bool isHidden() const { return name.startsWith('.'); }
    // The entry's path for messages: the folder, '/', the escaped name.
    QString shownPath(const QString &folder) const;
};

// The entries of `folder` (not its subfolders') whose names cannot be
// represented; empty when there are none or the folder cannot be read.
QList<UnrepresentableEntry> unrepresentableEntries(const QString &folder);

} // namespace platform
