#pragma once

#include <book/bookrecords.h>

#include <QString>

namespace platform {
class Prompt;
}

namespace harvester {

// Writes the pages of one book as numbered picture files into a folder
// beside it: "Img0000.jpg", "Img0001.png" ... ("Img10000" from page 10000
// on), byte for byte.
class BookUnpacker {
public:
    // PassedOver: the book failed and the user chose to go on; the run goes
    // on, but the book's content did not all arrive.
    enum Result { GoOn = 0, StopRun = 1, PassedOver = 2 };

    explicit BookUnpacker(platform::Prompt &prompt) : m_prompt(prompt) {}

    int KVBToImageFolder(const QString &bookPath);
    // Whether the last StopRun came after a failure (not from declining to
    // write into an existing folder).
    bool lastStopFailed() const { return m_lastStopFailed; }

    // The folder a book is unpacked into: its path without its extension.
    static QString outputFolderFor(const QString &bookPath);

    // The file a page is written to: folder + "/Img" + the index in at least
    // four digits + "." + "jpg", "png", "bmp" or "xxx" by its kind.
    static QString pageFileName(const QString &folder, int index, uint8_t kind);

    // Writes one page as its own file through a temporary file beside it
    // that then takes its place: a file of that name is replaced whole (a
    // link is replaced, not written through) and a failure leaves no part
    // of a page behind.
    static bool writePageFile(const kvb::PageEntry &page, const QString &destination);

private:
    bool goOn(const QString &question);

    platform::Prompt &m_prompt;
    bool m_lastStopFailed = false;
};

} // namespace harvester
