#pragma once

#include "bookrecords.h"

#include <QFile>
#include <QIODevice>
#include <QString>

#include <sys/types.h>

namespace platform {
class Progress;
}

namespace kvb {

// Reading and writing of .kvb books. Every operation reports success as a
// bool; the caller words the message.
class KVBFile {
public:
    struct ReadOptions {
        BookHeader *header = nullptr;
        // Attribute records are appended here; null skips them.
        AttributeList *attributes = nullptr;
        // Page records are appended here. Null leaves the page list out: the
        // walk ends with true at the first page record and pageCount is not
        // compared.
        PageList *pages = nullptr;
        // When set, a 96000-byte buffer that receives the thumbnail block
        // instead of moving over it (left alone when the book has none).
        uint8_t *thumbnail = nullptr;
    };

    static bool readBook(const QString &path, const ReadOptions &options);
    // Through a file (QFile) or a book in memory (QBuffer) that the caller
    // opened and keeps open; its position is left as it was, and the page
    // entries name `path` as their source. Other devices are refused.
    static bool readBook(QIODevice &device, const QString &path, const ReadOptions &options);

    // Convenience for the common case.
    static bool readBook(const QString &path, BookHeader *header, AttributeList *attributes,
                         PageList *pages)
    {
        return readBook(path, ReadOptions{header, attributes, pages, nullptr});
    }

    // Writes a book through a temporary file beside the target that then
    // replaces it; a target that is a symbolic link stands for the file it
    // points to. On success every entry of `pages` refers to the new book;
    // on failure the target, `pages` and the folder are as they were. A page
    // whose source file is no longer the one it was found in fails the write.
    // `progress`, when given, sees the pages copied and the source of each.
    static bool writeBook(const QString &target, uint8_t layoutFlags, bool withThumbnail,
                          const AttributeList &attributes, PageList &pages,
                          platform::Progress *progress = nullptr);

    // Writes one page's bytes to a new file of its own, put in place whole; a
    // symbolic link at the destination is replaced, never written through.
    static bool copyPageData(const PageEntry &page, const QString &destination);

    // Number of 4096-byte pieces of page data copied since the start of the
    // process, whether the kernel or the copy buffer moved them; lets tests
    // see how a page was cut.
    static uint64_t copyPieceCount();

    // Page bytes are first copied by the kernel (copy_file_range, whose
    // signature this is); whatever it does not copy (the call is not
    // supported between the two files, fails or copies nothing) goes through
    // the copy buffer. Tests put another function in its place; returns the
    // one it replaces.
    using RangeCopy = ssize_t (*)(int in, off_t *inOffset, int out, off_t *outOffset, size_t n, unsigned flags);
    static RangeCopy setRangeCopy(RangeCopy copy);
};

} // namespace kvb
