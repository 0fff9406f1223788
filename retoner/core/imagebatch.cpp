#include "imagebatch.h"

#include <platform/filenames.h>
#include <platform/orderedwork.h>
#include <platform/paths.h>
#include <platform/prompt.h>
#include <platform/uitext.h>

#include <QCoreApplication>
#include <QFile>

#include <opencv2/imgcodecs.hpp>

#include <algorithm>
#include <climits>
#include <optional>
#include <set>

#include <sys/stat.h>

namespace retoner {

namespace {

// Files of this size or larger are refused at registration.
constexpr qint64 SizeLimit = qint64(1) << 32;

// Marks the batch busy for one operation.
class BusyScope {
public:
    explicit BusyScope(bool &flag) : m_flag(flag) { m_flag = true; }
    ~BusyScope() { m_flag = false; }
    BusyScope(const BusyScope &) = delete;
    BusyScope &operator=(const BusyScope &) = delete;

private:
    bool &m_flag;
};

// Messages of registration and conversion, in the language in use when shown.
using platform::UiText;
constexpr UiText SizeMessage{"ImageBatch",
                             QT_TRANSLATE_NOOP("ImageBatch", "サイズが0または4GB以上のファイルは無視されます。")};
constexpr UiText NothingFoundMessage{
    "ImageBatch",
    QT_TRANSLATE_NOOP("ImageBatch", "対象ファイルが見つかりません。\n拡張子は jpg, jpeg, png, bmp のみ対応しています。")};
constexpr UiText ReadFailedMessage{"ImageBatch", QT_TRANSLATE_NOOP("ImageBatch", "画像ファイルの読み出しに失敗しました。")};
constexpr UiText TooSmallMessage{"ImageBatch", QT_TRANSLATE_NOOP("ImageBatch", "変換後のサイズが1ピクセル未満になります。")};
constexpr UiText ConvertFailedMessage{"ImageBatch", QT_TRANSLATE_NOOP("ImageBatch", "画像の変換に失敗しました。")};
constexpr UiText SameAsSourceMessage{"ImageBatch",
                                     QT_TRANSLATE_NOOP("ImageBatch", "保存先が登録された元画像と同じファイルです。")};
constexpr UiText WriteFailedMessage{"ImageBatch", QT_TRANSLATE_NOOP("ImageBatch", "画像ファイルの保存に失敗しました。")};

// A file as the system knows it, whatever name or link leads to it.
struct FileId {
    dev_t device;
    ino_t inode;
    auto operator<=>(const FileId &) const = default;
};

std::optional<FileId> fileIdOf(const QString &path)
{
    struct stat info;
    if (::stat(platform::nameBytes(path).constData(), &info) != 0)
        return std::nullopt;
    return FileId{info.st_dev, info.st_ino};
}

bool hasUsableSize(const QString &path)
{
    QFile file;
    if (!platform::isFile(path) || !platform::openFile(file, path, QIODevice::ReadOnly))
        return false;
    const qint64 size = file.size();
    return size > 0 && size < SizeLimit;
}

} // namespace

bool outputFolderExists(const QString &folder)
{
    return !folder.isEmpty() && platform::isFolder(folder);
}

QString noOutputFolderMessage()
{
    return QCoreApplication::translate("ImageBatch", "保存フォルダーが見つかりません。");
}

ImageBatch::ImageBatch(platform::Prompt &prompt) : m_prompt(prompt) {}

QString ImageBatch::outputExtension(int format)
{
    switch (format) {
    case FormatBmp: return QStringLiteral(".bmp");
    case FormatPng: return QStringLiteral(".png");
    default: return QStringLiteral(".jpg");
    }
}

std::vector<std::unique_ptr<ImageEntry>> ImageBatch::collectFiles(const QStringList &paths,
                                                                 BatchObserver &observer)
{
    std::vector<std::unique_ptr<ImageEntry>> found;
    for (const QString &path : paths) {
        const uint8_t kind = imageKindForPath(path);
        if (kind == 0) {
            observer.fileSkipped(path, QString());
            continue;
        }
        if (!hasUsableSize(path)) {
            m_prompt.message(SizeMessage, platform::PromptIcon::Stop);
            observer.fileSkipped(path, SizeMessage);
            continue;
        }
        auto entry = std::make_unique<ImageEntry>();
        entry->kind = kind;
        entry->path = path;
        entry->outputName = platform::baseNameOf(path);
        found.push_back(std::move(entry));
    }
    if (found.empty()) {
        m_prompt.message(NothingFoundMessage, platform::PromptIcon::Stop);
        return found;
    }
    // Ordinal, case-sensitive, stable.
    std::stable_sort(found.begin(), found.end(),
                     [](const auto &a, const auto &b) { return a->path < b->path; });
    return found;
}

void ImageBatch::addEntry(std::unique_ptr<ImageEntry> entry, bool readWell, BatchObserver &observer)
{
    QString message;
    if (!readWell) {
        message = ReadFailedMessage;
        m_prompt.message(message, platform::PromptIcon::Stop);
    }
    // The entry is listed even when it did not read; it fails again at conversion.
    m_entries.push_back(std::move(entry));
    if (m_current == 0)
        m_current = 1;
    observer.entryAdded(count() - 1, *m_entries.back(), message);
}

int ImageBatch::registerFiles(const QStringList &paths, RegistrationMode mode,
                              BatchObserver &observer)
{
    if (m_busy) {
        m_prompt.beep();
        return 0;
    }
    BusyScope busy(m_busy);

    std::vector<std::unique_ptr<ImageEntry>> found = collectFiles(paths, observer);
    if (found.empty())
        return 0;
    const int total = static_cast<int>(std::min<size_t>(found.size(), INT_MAX));
    observer.begin(QCoreApplication::translate("ImageBatch", "登録中"), total);
    int done = 0;
    for (auto &entry : found) {
        observer.setText(entry->path);
        const bool readWell = classifyImage(*entry, mode, m_keepThumbnails);
        addEntry(std::move(entry), readWell, observer);
        ++done;
        observer.processEvents();
        if (observer.cancelRequested())
            break;
        observer.setPosition(done);
    }
    observer.end();
    return done;
}

QSize ImageBatch::averageSize() const
{
    if (m_entries.empty())
        return {};
    long long width = 0, height = 0;
    for (const auto &entry : m_entries) {
        width += entry->width;
        height += entry->height;
    }
    const long long n = static_cast<long long>(m_entries.size());
    return QSize(static_cast<int>(width / n), static_cast<int>(height / n));
}

namespace {

// What the workers make of one entry: its picture read (and classified when
// the run registers on the way), converted and encoded as the output file.
struct ConvertedEntry {
    bool read = false;
    // Size and decision, when classified on the way (false when that failed).
    bool classifiedWell = false;
    ImageEntry classified;
    bool refused = false; // the target size has a side below 1
    bool converted = false;
    bool encoded = false;
    std::vector<uchar> file;
};

// Two pictures are worked on at a time: while one is decoded, which runs on
// one core, the other's chain runs on all cores, and the caller's thread
// writes the one before. Each holds one full-size picture at most.
constexpr int PicturesInFlight = 2;

bool needsAverageSize(const OutputParams &output)
{
    return output.resizeMode == ScaleByRatio && output.uniformSize;
}

} // namespace

void ImageBatch::convertEntries(const ToneSettings &settings, BatchObserver &observer,
                                std::vector<std::unique_ptr<ImageEntry>> *registering,
                                RegistrationMode mode, ConvertReport &report)
{
    // The entries converted: the list's, or those registered on the way.
    std::vector<const ImageEntry *> todo;
    for (const auto &entry : registering ? *registering : m_entries)
        todo.push_back(entry.get());
    const int total = static_cast<int>(std::min<size_t>(todo.size(), INT_MAX));
    observer.begin(QCoreApplication::translate("ImageBatch", "変換中"), total);

    const QSize average = averageSize();
    const std::vector<int> writeParams{cv::IMWRITE_JPEG_QUALITY, settings.output.jpegQuality};
    // One table for the whole batch: the costly weighting is done once. The
    // workers read copies of it and of the settings, which nothing done
    // between files (events are processed there) can change under them.
    const ColorLut lut =
        settings.color.correctionEnabled ? m_luts.lutFor(settings.correction) : m_luts.lut();
    const QString extension = outputExtension(settings.output.format);
    // Writing over a registered source (the output folder being the
    // pictures' own folder) would lose the original.
    std::set<FileId> sources;
    for (const auto *list : {&m_entries, registering})
        if (list)
            for (const auto &entry : *list)
                if (const auto id = fileIdOf(entry->path))
                    sources.insert(*id);

    const ToneSettings chain = settings;
    const bool classify = registering != nullptr;
    const bool keepThumbnails = m_keepThumbnails;
    const auto convert = [&, chain, extension](size_t index) {
        const ImageEntry &entry = *todo[index];
        ConvertedEntry done;
        // Each worker decodes into the same memory, picture after picture.
        thread_local cv::Mat buffer;
        done.read = readPicture(entry.path, buffer, true);
        cv::Mat image = buffer;
        if (!done.read)
            return done;
        if (classify)
            done.classifiedWell = classifyPicture(done.classified, image, mode, keepThumbnails);
        const bool isColor = (classify ? done.classified.isColor : entry.isColor) != 0;
        cv::Mat result;
        try {
            done.converted = toneConvert(chain, lut, std::move(image), result, isColor, average.width(),
                                         average.height());
            done.refused = !done.converted;
        } catch (const cv::Exception &) {
        } catch (const std::bad_alloc &) {
        }
        if (done.converted)
            done.encoded = encodePicture(extension, result, writeParams, done.file);
        return done;
    };
    platform::OrderedWork<ConvertedEntry> work(todo.size(), convert, PicturesInFlight, PicturesInFlight);

    // The conversion's failures, told after the registration of every file
    // when both happen in one run, as they would be in two.
    std::vector<std::pair<int, QString>> failures;
    for (int i = 0; i < total; ++i) {
        observer.setText(todo[i]->path);
        ConvertedEntry done = work.takeNext();
        if (registering) {
            auto &entry = (*registering)[size_t(i)];
            if (done.classifiedWell) {
                entry->width = done.classified.width;
                entry->height = done.classified.height;
                entry->isColor = done.classified.isColor;
                entry->thumbnail = std::move(done.classified.thumbnail);
            }
            addEntry(std::move(entry), done.classifiedWell, observer);
        }
        const int index = registering ? count() - 1 : i;
        const ImageEntry &entry = *m_entries[size_t(index)];
        const auto fail = [&](const QString &reason) {
            ++report.failures;
            if (registering)
                failures.emplace_back(index, reason);
            else
                observer.saveFailed(index, entry, reason);
        };
        if (!done.read) {
            fail(ReadFailedMessage);
            // No progress for it, but a stop asked for while passing over
            // unreadable files is still seen.
            observer.processEvents();
            if (observer.cancelRequested()) {
                report.cancelled = true;
                break;
            }
            continue;
        }
        if (!done.converted) {
            fail(done.refused ? TooSmallMessage : ConvertFailedMessage);
        } else {
            const QString outputPath = platform::joinPath(settings.outputFolder, entry.outputName + extension);
            const auto target = fileIdOf(outputPath);
            if (target && sources.count(*target))
                fail(SameAsSourceMessage);
            else if (done.encoded && writePictureFile(outputPath, done.file))
                ++report.written;
            else
                fail(WriteFailedMessage);
        }
        observer.processEvents();
        if (observer.cancelRequested()) {
            report.cancelled = true;
            break;
        }
        observer.setPosition(i + 1);
    }
    observer.end();
    for (const auto &[index, reason] : failures)
        observer.saveFailed(index, *m_entries[size_t(index)], reason);
}

void ImageBatch::finishReport(ConvertReport &report)
{
    if (report.failures > 0) {
        report.message =
            QCoreApplication::translate("ImageBatch", "%1 個のファイルの保存に失敗しました。").arg(report.failures);
        m_prompt.message(report.message, platform::PromptIcon::None);
    } else if (report.cancelled) {
        report.message = QCoreApplication::translate("ImageBatch", "中止しました。");
        m_prompt.message(report.message, platform::PromptIcon::Information);
    } else {
        report.message = QCoreApplication::translate("ImageBatch", "完了しました。");
        m_prompt.message(report.message, platform::PromptIcon::Information);
    }
}

bool ImageBatch::mayConvert(const ToneSettings &settings, ConvertReport &report)
{
    if (m_busy) {
        m_prompt.beep();
        report.outcome = ConvertReport::Busy;
        return false;
    }
    if (!outputFolderExists(settings.outputFolder)) {
        report.outcome = ConvertReport::NoOutputFolder;
        report.message = noOutputFolderMessage();
        m_prompt.message(report.message, platform::PromptIcon::Stop);
        return false;
    }
    return true;
}

ConvertReport ImageBatch::convertAll(const ToneSettings &settings, BatchObserver &observer)
{
    ConvertReport report;
    // Busy first (a beep), then an empty list (nothing at all), then the folder.
    if ((!m_busy && m_entries.empty()) || !mayConvert(settings, report))
        return report;
    report.outcome = ConvertReport::Finished;
    {
        BusyScope busy(m_busy);
        convertEntries(settings, observer, nullptr, RegistrationMode::AllColor, report);
    }
    finishReport(report);
    return report;
}

ConvertReport ImageBatch::registerAndConvert(const QStringList &paths, RegistrationMode mode,
                                             const ToneSettings &settings, BatchObserver &observer)
{
    ConvertReport report;
    // Each picture's size then depends on all the others: they are all
    // registered before the first is converted.
    if (needsAverageSize(settings.output)) {
        if (registerFiles(paths, mode, observer) == 0)
            return report;
        if (observer.cancelRequested()) {
            report.outcome = ConvertReport::Finished;
            report.cancelled = true;
            finishReport(report);
            return report;
        }
        return convertAll(settings, observer);
    }

    if (!mayConvert(settings, report))
        return report;
    {
        BusyScope busy(m_busy);
        std::vector<std::unique_ptr<ImageEntry>> found = collectFiles(paths, observer);
        if (found.empty())
            return report;
        report.outcome = ConvertReport::Finished;
        convertEntries(settings, observer, &found, mode, report);
    }
    finishReport(report);
    return report;
}

bool ImageBatch::setColor(const std::vector<int> &indices, bool isColor)
{
    if (m_busy) {
        m_prompt.beep();
        return false;
    }
    for (int index : indices)
        if (index >= 0 && index < count())
            m_entries[index]->isColor = isColor ? 1 : 0;
    return true;
}

bool ImageBatch::remove(std::vector<int> indices)
{
    if (m_busy) {
        m_prompt.beep();
        return false;
    }
    std::sort(indices.begin(), indices.end());
    indices.erase(std::unique(indices.begin(), indices.end()), indices.end());
    // From the last to the first, so the indices still to go stay valid.
    for (auto it = indices.rbegin(); it != indices.rend(); ++it)
        if (*it >= 0 && *it < count())
            m_entries.erase(m_entries.begin() + *it);
    if (m_current > count())
        m_current = count();
    return true;
}

bool ImageBatch::setCurrentImage(int oneBasedIndex)
{
    if (oneBasedIndex < 1 || oneBasedIndex > count())
        return false;
    m_current = oneBasedIndex;
    return true;
}

std::optional<PreviewJob> ImageBatch::previewJob(const ToneSettings &settings) const
{
    if (m_current < 1 || m_current > count() || m_busy)
        return std::nullopt;
    const ImageEntry &entry = *m_entries[m_current - 1];
    return PreviewJob{entry.path, entry.isColor != 0, averageSize(), settings};
}

bool ImageBatch::preview(const ToneSettings &settings, cv::Mat &source, cv::Mat &result)
{
    source.release();
    result.release();
    const std::optional<PreviewJob> job = previewJob(settings);
    if (!job || !readPicture(job->path, source))
        return false;
    convertPreview(*job, m_luts, source, result);
    return true;
}

} // namespace retoner
