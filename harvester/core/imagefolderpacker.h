#pragma once

#include <archive/archiveimport.h>
#include <book/bookrecords.h>
#include <book/principalattributes.h>
#include <platform/filestamp.h>

#include <QString>

#include <functional>
#include <optional>

namespace platform {
class Progress;
class Prompt;
} // namespace platform

namespace harvester {

// The book options of a run, as the dialog's boxes stood at Start.
struct BookOptions {
    bool cover = true;
    bool bindR = true;
    bool spread = true;
    bool thumb = true;
    bool nameAsTitle = false;
    bool numberAsDate = false;
    // What the target folder's name becomes: 1 Author, 2 Publisher,
    // 3 Circle; 0 (or no choice, -1) nothing.
    int targetName = 0;

    uint8_t layoutFlags() const;
};

// How the pages of an image folder are ordered.
enum class PageOrder {
    // By path, code unit by code unit: file-name order for one folder.
    ByPath,
    // By the number the extractor gives each image ("Img-999" before
    // "Img-1000"), so a PDF of a thousand images or more keeps its order.
    ByExtractorNumber,
};

// How an archive went into its book.
struct ArchivePacking {
    kvb::ArchiveImport import;
    // The archive as it was before it was read; it may go later only while
    // it is still this file with this content.
    std::optional<platform::FileStamp> stamp;
};

// Packs the picture files of one folder, or the pages of one archive, into a
// book named after a folder, a PDF or the archive, with title, date and a
// name attribute taken from names.
class ImageFolderPacker {
public:
    // Refused: the archive could not be read whole (damaged, encrypted, or
    // breaking a rule of taking archives in); nothing was written.
    enum Result { Written = 0, StopRun = 1, NoImageFiles = 2, Refused = 3 };

    using LogLine = std::function<void(const QString &)>;
    ImageFolderPacker(platform::Prompt &prompt, LogLine log) : m_prompt(prompt), m_log(std::move(log)) {}

    BookOptions options;
    QString targetFolderName;
    // Shown as busy while a folder is packed.
    platform::Progress *busy = nullptr;
    // When given, a book is written on a worker thread while the waiting
    // events are handed on through it, so a window keeps turning while the
    // book is written and flushed to disk (a flush waits for the disk, which
    // may be busy for long); without it books are written on this thread.
    platform::Progress *waiting = nullptr;
    // A book is being written and events are handed on meanwhile.
    bool writing() const { return m_writing; }

    // The book beside `nameSource` (".pdf" dropped) that `imageFolder`'s
    // pictures go into. The book is written only through the book
    // library's atomic write, so a failed write leaves an old book as it was.
    // `packed`, when given, receives the pages as they were found (their
    // files and stamps) once the book is written.
    int ImageFolderToKVB(const QString &imageFolder, const QString &nameSource,
                         PageOrder order = PageOrder::ByPath, kvb::PageList *packed = nullptr);
    // The same for pages already collected, in their order.
    int packPages(const QString &nameSource, kvb::PageList pages, kvb::PageList *packed = nullptr);
    // The book `bookPath` from the pages of `archive`, its attributes from
    // the archive's ComicInfo.xml where it gives them and from the name
    // rules elsewhere. The book is written only when the whole archive was
    // read and checked, through the book library's atomic write.
    int ArchiveToKVB(const QString &archive, const QString &bookPath, ArchivePacking &packing);
    // The book beside an archive: its name without the extension, ".kvb".
    static QString bookPathForArchive(const QString &archive);

    // Whether the last StopRun came from a failed write (not from declining
    // to overwrite a book).
    bool lastStopFailed() const { return m_lastStopFailed; }

    // The book path for a name source, and the name it takes its title from.
    struct BookName {
        QString bookPath;
        QString name;
    };
    static BookName bookNameFor(const QString &nameSource);

    // The picture files of a folder as pages (not its subfolders; files
    // that cannot be opened, are empty or 4 GiB or larger are left out).
    static kvb::PageList collectPages(const QString &imageFolder, PageOrder order);
    // One picture file as a page, with its stamp; nothing when it cannot be
    // opened, is empty or is 4 GiB or larger.
    static std::optional<kvb::PageEntry> pageFromFile(const QString &path, uint8_t kind);

    // The attributes of a book named `name`: title and date by the options,
    // then the target folder's name as author, publisher or circle.
    kvb::AttributeList attributesFor(const QString &name) const { return kvb::bookAttributeList(principalFor(name)); }
    kvb::PrincipalAttributes principalFor(const QString &name) const;

private:
    // False (logged) when a book stands at `bookPath` and the user declines
    // to overwrite it.
    bool mayOverwrite(const QString &bookPath);
    // Runs `work` (a book write) as `waiting` says.
    void writeAside(const std::function<void()> &work);
    int pack(const QString &nameSource, const std::function<kvb::PageList()> &collect, kvb::PageList *packed);

    platform::Prompt &m_prompt;
    LogLine m_log;
    bool m_lastStopFailed = false;
    bool m_writing = false;
};

} // namespace harvester
