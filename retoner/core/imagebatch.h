#pragma once

#include "colorlutcache.h"
#include "imageentry.h"
#include "previewrenderer.h"
#include "tonepipeline.h"
#include "tonesettings.h"

#include <platform/progress.h>

#include <QSize>
#include <QString>
#include <QStringList>

#include <memory>
#include <optional>
#include <vector>

namespace platform {
class Prompt;
}

namespace retoner {

// What a registration or conversion tells its onlooker (the progress dialog
// and list of the window, or the command line): the progress of the run, and
// for registration what became of each file. Every call has a default, so an
// onlooker takes only what it shows.
class BatchObserver : public platform::Progress {
public:
    // Registration: a file left out at the extension (message empty) or size
    // test; an entry appended to the list (message empty when it read well).
    virtual void fileSkipped(const QString &path, const QString &message) { (void)path; (void)message; }
    virtual void entryAdded(int index, const ImageEntry &entry, const QString &message)
    {
        (void)index; (void)entry; (void)message;
    }
    // Conversion: an entry that was not saved, and why.
    virtual void saveFailed(int index, const ImageEntry &entry, const QString &reason)
    {
        (void)index; (void)entry; (void)reason;
    }
};

// Conversion needs its output folder to exist as a folder.
bool outputFolderExists(const QString &folder);
QString noOutputFolderMessage(); // "保存フォルダーが見つかりません。"

struct ConvertReport {
    enum Outcome {
        NothingToDo,    // the list is empty
        Busy,           // a registration or conversion is running
        NoOutputFolder, // the output folder does not exist
        Finished,       // the loop ran (maybe cancelled)
    };
    Outcome outcome = NothingToDo;
    int written = 0;
    int failures = 0;
    bool cancelled = false;
    QString message; // the final message shown, empty if none
};

// The registered images and the two batch operations over them. Runs on the
// calling thread; the observer keeps a window responsive between items.
class ImageBatch {
public:
    explicit ImageBatch(platform::Prompt &prompt);

    const std::vector<std::unique_ptr<ImageEntry>> &entries() const { return m_entries; }
    int count() const { return static_cast<int>(m_entries.size()); }
    const ImageEntry &entry(int index) const { return *m_entries.at(index); }

    // True while registerFiles or convertAll runs; neither can be started
    // again then (the observer's processEvents may deliver user commands), and
    // the list cannot be changed.
    bool isBusy() const { return m_busy; }

    // Whether registration keeps each entry's reduced picture for the list.
    // A run without a list (the command line) turns it off, so its memory
    // does not grow with the number of files.
    void setKeepThumbnails(bool keep) { m_keepThumbnails = keep; }

    // Registers the files with a supported extension, in path order, after the
    // existing entries. Returns the number of entries added.
    int registerFiles(const QStringList &paths, RegistrationMode mode, BatchObserver &observer);

    // Converts every entry into settings.outputFolder.
    ConvertReport convertAll(const ToneSettings &settings, BatchObserver &observer);

    // registerFiles then convertAll of the entries it adds, for a run without
    // a list: each picture is read once, for its registration and its
    // conversion together. The observer hears what it would hear from the two
    // (the conversion's failures after every file's registration), but of one
    // piece of work, "変換中". Nothing registered: outcome NothingToDo.
    ConvertReport registerAndConvert(const QStringList &paths, RegistrationMode mode,
                                     const ToneSettings &settings, BatchObserver &observer);

    // The integer means of width and height over all entries (unread ones count 0).
    QSize averageSize() const;

    // List commands; false (and a beep) while busy.
    bool setColor(const std::vector<int> &indices, bool isColor);
    bool remove(std::vector<int> indices);

    // The current image as a 1-based index, 0 when the list is empty.
    int currentImage() const { return m_current; }
    bool setCurrentImage(int oneBasedIndex);

    // What the preview of the current image needs; none when there is no
    // current image or a batch runs.
    std::optional<PreviewJob> previewJob(const ToneSettings &settings) const;

    // The preview of the current image computed here: its source and the
    // converted result (result empty when the conversion refuses the size).
    // False when there is no current image or its file does not read.
    bool preview(const ToneSettings &settings, cv::Mat &source, cv::Mat &result);

    // The colour table of the last conversion or preview.
    const ColorLut &colorLut() const { return m_luts.lut(); }

    static QString outputExtension(int format);

private:
    // The files of `paths` that registration takes, in path order; the
    // messages for the others are shown.
    std::vector<std::unique_ptr<ImageEntry>> collectFiles(const QStringList &paths, BatchObserver &observer);
    void addEntry(std::unique_ptr<ImageEntry> entry, bool readWell, BatchObserver &observer);
    // The conversion loop of the list, or of the entries `registering`, which
    // it classifies and appends to the list as it goes.
    void convertEntries(const ToneSettings &settings, BatchObserver &observer,
                        std::vector<std::unique_ptr<ImageEntry>> *registering, RegistrationMode mode,
                        ConvertReport &report);
    // Whether a conversion may start (not busy, the output folder there);
    // false with the report's outcome and message set.
    bool mayConvert(const ToneSettings &settings, ConvertReport &report);
    // The final message of a conversion.
    void finishReport(ConvertReport &report);

    platform::Prompt &m_prompt;
    std::vector<std::unique_ptr<ImageEntry>> m_entries;
    ColorLutCache m_luts;
    int m_current = 0;
    bool m_busy = false;
    bool m_keepThumbnails = true;
};

} // namespace retoner
