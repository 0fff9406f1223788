#pragma once

#include <QString>
#include <QStringList>

namespace platform {
class Progress;
struct UnrepresentableEntry;
}

namespace harvester {

// The order in which a walk visits a folder's entries: code unit by code
// unit with letters compared as capitals, so runs are repeatable whatever
// order the file system keeps. Names that differ only in case follow their
// exact code units. Returns <0, 0 or >0.
int compareEntryNames(const QString &a, const QString &b);

// Walks a folder tree, handing every folder and file to OnFolder and OnFile
// (0 ends the walk). Entries are visited in compareEntryNames order, depth
// first, a subfolder's contents right after the subfolder itself. Links to
// folders are never followed or reported; entries that are neither folders
// nor regular files (broken links, pipes, devices) are passed over, and so
// is every path of kMaxPathBytes bytes or more.
class CFileWalker {
public:
    virtual ~CFileWalker() = default;

    virtual int OnFolder(const QString &fullPath, const QString &name) = 0;
    virtual int OnFile(const QString &fullPath, const QString &name) = 0;

    // True when the whole tree was walked; false when a handler or the stop
    // flag ended it. A folder that cannot be listed is walked as empty.
    bool Walk(const QString &folderPath, bool recursive);

    // Before each entry the waiting events are handled through `progress`;
    // then the walk ends once `*stopFlag` is set (or the progress reports a
    // cancel request). The flag is cleared when a walk enters a folder.
    void setControl(platform::Progress *progress, bool *stopFlag)
    {
        m_progress = progress;
        m_stopFlag = stopFlag;
    }

private:
    bool stopSeen();

    platform::Progress *m_progress = nullptr;
    bool *m_stopFlag = nullptr;
};

// Collects the files whose extension (the text after the name's last '.')
// equals `extension` without regard to case.
class CTypedFileWalker : public CFileWalker {
public:
    explicit CTypedFileWalker(QString extension) : extension(std::move(extension)) {}

    int OnFolder(const QString &fullPath, const QString &name) override;
    int OnFile(const QString &fullPath, const QString &name) override;

    QString extension;
    QStringList result;
};

// Collects the archives a book can be made from (kvb::isArchivePath).
class CArchiveWalker : public CFileWalker {
public:
    int OnFolder(const QString &fullPath, const QString &name) override;
    int OnFile(const QString &fullPath, const QString &name) override;

    QStringList result;
};

// Collects every folder below the one walked.
class CFolderWalker : public CFileWalker {
public:
    int OnFolder(const QString &fullPath, const QString &name) override;
    int OnFile(const QString &fullPath, const QString &name) override;

    QStringList result;
};

} // namespace harvester
