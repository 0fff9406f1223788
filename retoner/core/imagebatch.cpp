#include "imagebatch.h"

#include <platform/paths.h>
#include <platform/prompt.h>

#include <QFile>
#include <QFileInfo>

#include <opencv2/imgcodecs.hpp>

#include <algorithm>
#include <climits>

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

bool hasUsableSize(const QString &path)
{
    if (!QFileInfo(path).isFile())
        return false;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    const qint64 size = file.size();
    return size > 0 && size < SizeLimit;
}

} // namespace

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
        if (!classifyImage(*entry, mode)) {
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
    if (settings.outputFolder.isEmpty() || !QFileInfo(settings.outputFolder).isDir()) {
        report.outcome = ConvertReport::NoOutputFolder;
        report.message = QStringLiteral("保存フォルダーが見つかりません。");
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
        if (settings.color.correctionEnabled)
            updateColorLut(settings.correction);
        const QString extension = outputExtension(settings.output.format);

        for (int i = 0; i < total; ++i) {
            const ImageEntry &entry = *m_entries[i];
            observer.setText(entry.path);
            cv::Mat image;
            if (!readPicture(entry.path, image)) {
                ++report.failures;
                continue;
            }
            cv::Mat result;
            bool converted = false;
            try {
                converted = toneConvert(settings, m_lut, image, result, entry.isColor != 0,
                                        average.width(), average.height());
            } catch (const cv::Exception &) {
            } catch (const std::bad_alloc &) {
            }
            image.release();
            if (!converted) {
                ++report.failures;
            } else {
                const QString outputPath =
                    platform::joinPath(settings.outputFolder, entry.outputName + extension);
                if (writePicture(outputPath, result, writeParams))
                    ++report.written;
                else
                    ++report.failures;
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

void ImageBatch::updateColorLut(const ColorCorrectionTable &table)
{
    if (m_lut.isValid() && m_lutPoints == table)
        return;
    buildColorLut(table, m_lut);
    m_lutPoints = table;
}

bool ImageBatch::preview(const ToneSettings &settings, cv::Mat &source, cv::Mat &result)
{
    source.release();
    result.release();
    if (m_current < 1 || m_current > count() || m_busy)
        return false;
    const ImageEntry &entry = *m_entries[m_current - 1];
    if (!readPicture(entry.path, source))
        return false;
    const QSize average = averageSize();
    try {
        if (entry.isColor && settings.color.correctionEnabled)
            updateColorLut(settings.correction);
        if (!toneConvert(settings, m_lut, source, result, entry.isColor != 0, average.width(),
                         average.height()))
            result.release();
    } catch (const cv::Exception &) {
        result.release();
    } catch (const std::bad_alloc &) {
        result.release();
    }
    return true;
}

} // namespace retoner
