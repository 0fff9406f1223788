#include "imagebatch.h"

#include <platform/filenames.h>
#include <platform/paths.h>
#include <platform/prompt.h>

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

const QString SizeMessage = QStringLiteral("サイズが0または4GB以上のファイルは無視されます。");
const QString NothingFoundMessage =
    QStringLiteral("対象ファイルが見つかりません。\n拡張子は jpg, jpeg, png, bmp のみ対応しています。");
const QString ReadFailedMessage = QStringLiteral("画像ファイルの読み出しに失敗しました。");
const QString TooSmallMessage = QStringLiteral("変換後のサイズが1ピクセル未満になります。");
const QString ConvertFailedMessage = QStringLiteral("画像の変換に失敗しました。");
const QString SameAsSourceMessage = QStringLiteral("保存先が登録された元画像と同じファイルです。");
const QString WriteFailedMessage = QStringLiteral("画像ファイルの保存に失敗しました。");

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
    return QStringLiteral("保存フォルダーが見つかりません。");
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

int ImageBatch::registerFiles(const QStringList &paths, RegistrationMode mode,
                              BatchObserver &observer)
{
    if (m_busy) {
        m_prompt.beep();
        return 0;
    }
    BusyScope busy(m_busy);

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
        return 0;
    }
    // Ordinal, case-sensitive, stable.
    std::stable_sort(found.begin(), found.end(),
                     [](const auto &a, const auto &b) { return a->path < b->path; });

    const int total = static_cast<int>(std::min<size_t>(found.size(), INT_MAX));
    observer.begin(QStringLiteral("登録中"), total);
    int done = 0;
    for (auto &entry : found) {
        observer.setText(entry->path);
        QString message;
        if (!classifyImage(*entry, mode, m_keepThumbnails)) {
            message = ReadFailedMessage;
            m_prompt.message(message, platform::PromptIcon::Stop);
        }
        // The entry is listed even when it did not read; it fails again at conversion.
        m_entries.push_back(std::move(entry));
        ++done;
        if (m_current == 0)
            m_current = 1;
        observer.entryAdded(count() - 1, *m_entries.back(), message);
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

ConvertReport ImageBatch::convertAll(const ToneSettings &settings, BatchObserver &observer)
{
    ConvertReport report;
    if (m_busy) {
        m_prompt.beep();
        report.outcome = ConvertReport::Busy;
        return report;
    }
    if (m_entries.empty())
        return report;
    if (!outputFolderExists(settings.outputFolder)) {
        report.outcome = ConvertReport::NoOutputFolder;
        report.message = noOutputFolderMessage();
        m_prompt.message(report.message, platform::PromptIcon::Stop);
        return report;
    }
    report.outcome = ConvertReport::Finished;
    {
        BusyScope busy(m_busy);
        const int total = static_cast<int>(std::min<size_t>(m_entries.size(), INT_MAX));
        observer.begin(QStringLiteral("変換中"), total);

        const QSize average = averageSize();
        const std::vector<int> writeParams{cv::IMWRITE_JPEG_QUALITY, settings.output.jpegQuality};
        // One table for the whole batch: the costly weighting is done once.
        const ColorLut &lut =
            settings.color.correctionEnabled ? m_luts.lutFor(settings.correction) : m_luts.lut();
        const QString extension = outputExtension(settings.output.format);
        // Writing over a registered source (the output folder being the
        // pictures' own folder) would lose the original.
        std::set<FileId> sources;
        for (const auto &entry : m_entries)
            if (const auto id = fileIdOf(entry->path))
                sources.insert(*id);

        for (int i = 0; i < total; ++i) {
            const ImageEntry &entry = *m_entries[i];
            observer.setText(entry.path);
            const auto fail = [&](const QString &reason) {
                ++report.failures;
                observer.saveFailed(i, entry, reason);
            };
            cv::Mat image;
            if (!readPicture(entry.path, image)) {
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
            cv::Mat result;
            bool converted = false;
            bool refused = false;
            try {
                converted = toneConvert(settings, lut, image, result, entry.isColor != 0,
                                        average.width(), average.height());
                refused = !converted;
            } catch (const cv::Exception &) {
            } catch (const std::bad_alloc &) {
            }
            image.release();
            if (!converted) {
                fail(refused ? TooSmallMessage : ConvertFailedMessage);
            } else {
                const QString outputPath =
                    platform::joinPath(settings.outputFolder, entry.outputName + extension);
                const auto target = fileIdOf(outputPath);
                if (target && sources.count(*target))
                    fail(SameAsSourceMessage);
                else if (writePicture(outputPath, result, writeParams))
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
    }

    if (report.failures > 0) {
        report.message = QStringLiteral("%1 個のファイルの保存に失敗しました。").arg(report.failures);
        m_prompt.message(report.message, platform::PromptIcon::None);
    } else if (report.cancelled) {
        report.message = QStringLiteral("中止しました。");
        m_prompt.message(report.message, platform::PromptIcon::Information);
    } else {
        report.message = QStringLiteral("完了しました。");
        m_prompt.message(report.message, platform::PromptIcon::Information);
    }
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
