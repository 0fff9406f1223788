#pragma once

#include <QByteArray>
#include <QFile>
#include <QList>
#include <QString>
#include <QStringView>

class QUrl;

namespace platform {

// A file name is its bytes. Names and paths travel through the programs as
// QString: the bytes that are valid UTF-8 as their text, and every byte that
// is not part of valid UTF-8 as one lone surrogate, U+DC00 + the byte
// (U+DC80..U+DCFF), which no text read from UTF-8 can hold. So a name from a
// Windows machine or an archive (CP932, say) is listed, opened, renamed,
// deleted and written under its own bytes. Paths reach the system through
// nameBytes() and the functions below, never through QFile::encodeName or
// QFileInfo, which turn such bytes into U+FFFD.
QString nameFromBytes(const QByteArray &raw);
QByteArray nameBytes(QStringView name);
// Whether a name or path holds bytes that are not valid UTF-8.
bool carriesRawBytes(QStringView name);

// A name or a path as the user sees it: each component that is valid UTF-8
// as it is; one that is not as CP932 where its bytes are valid CP932, else
// with its bad bytes escaped (\xff).
QString shownName(QStringView nameOrPath);

// Text for a terminal or a message box: control characters (C0, DEL, C1) and
// lone UTF-16 surrogates are shown as \u001b, so a title or a file name can
// neither cut the line short (U+0000) nor send escape sequences; the bytes a
// name carries (above) as \xff. Everything else stays as it is.
QString escapedText(QStringView text);

// A file name's bytes for showing: valid UTF-8 as text (escaped as above),
// every byte that is not part of valid UTF-8 as \xff.
QString escapedName(const QByteArray &raw);

// Whether a name's bytes are valid UTF-8, so that Qt's own file functions,
// which read names as UTF-8, can hold it.
bool isRepresentableName(const QByteArray &raw);

// What a path names; links are followed, as QFileInfo follows them.
struct PathInfo {
    bool exists = false;
    bool isFolder = false;
    bool isFile = false; // a regular file
    bool isLink = false; // the path itself is a symbolic link
    qint64 size = 0;
    qint64 modifiedNs = 0; // nanoseconds since the epoch
};
PathInfo pathInfo(const QString &path);
inline bool isFolder(const QString &path) { return pathInfo(path).isFolder; }
inline bool isFile(const QString &path) { return pathInfo(path).isFile; }
inline bool pathExists(const QString &path) { return pathInfo(path).exists; }

// The path made absolute against the working folder and cleaned of "." and
// ".." components, its bytes kept; links are not resolved.
QString absolutePath(const QString &path);
// The path with every link resolved; empty when it does not exist.
QString canonicalPath(const QString &path);
// A dropped or pasted file: the local path of a file URL, its bytes as the
// URL's percent escapes give them; empty for other URLs.
QString localPathOf(const QUrl &url);

// Opens `file` on the file at `path`, by the path's bytes. A folder is not
// opened. Write modes create the file; WriteOnly without Append empties it,
// as QFile::open does.
bool openFile(QFile &file, const QString &path, QIODevice::OpenMode mode);

// One entry of a folder.
struct FolderEntry {
    QString name; // as nameFromBytes gives it
    bool isFolder = false; // links count as what they point to
    bool isFile = false;
    bool isLink = false;
    qint64 size = 0;
};

// Every entry of `folder` but "." and "..", in the folder's own order; empty
// when the folder cannot be read.
QList<FolderEntry> folderEntries(const QString &folder);

// An entry of a folder whose name is not valid UTF-8, for the tools that
// refuse such names instead of taking them.
struct UnrepresentableEntry {
    QByteArray name; // the name's bytes as the folder holds them
    bool isFolder = false;
    // The entry's path for messages: the folder, '/', the escaped name.
    QString shownPath(const QString &folder) const;
};

// The entries of `folder` (not its subfolders') whose names are not valid
// UTF-8; empty when there are none or the folder cannot be read.
QList<UnrepresentableEntry> unrepresentableEntries(const QString &folder);

} // namespace platform
