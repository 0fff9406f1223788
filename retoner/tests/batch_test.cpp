#include "core/commandlinepictures.h"
#include "core/imagebatch.h"

#include <platform/filenames.h>
#include <platform/prompt.h>

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QScopeGuard>
#include <QTemporaryDir>

#include "qtprint.h"
#include "testsupport.h"

#include <gtest/gtest.h>

#include <opencv2/imgcodecs.hpp>
#include <opencv2/imgproc.hpp>

#include <algorithm>
#include <functional>

using namespace retoner;

namespace {

const QString ReadFailed = QStringLiteral("画像ファイルの読み出しに失敗しました。");
const QString SizeIgnored = QStringLiteral("サイズが0または4GB以上のファイルは無視されます。");
const QString NothingFound =
    QStringLiteral("対象ファイルが見つかりません。\n拡張子は jpg, jpeg, png, bmp のみ対応しています。");

// Pictures for the colour decision.
cv::Mat rainbow(int width = 240, int height = 160)
{
    cv::Mat hsv(height, width, CV_8UC3);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            hsv.at<cv::Vec3b>(y, x) = cv::Vec3b(x * 180 / width, 60 + (x * 7 + y * 3) % 190,
                                                60 + y * 150 / height);
    cv::Mat bgr;
    cv::cvtColor(hsv, bgr, cv::COLOR_HSV2BGR);
    return bgr;
}

cv::Mat greyRamp(int width = 240, int height = 160)
{
    cv::Mat image(height, width, CV_8UC3);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            image.at<cv::Vec3b>(y, x) = cv::Vec3b::all(static_cast<uchar>(x * 255 / width));
    return image;
}

// One warm hue at many brightnesses, as an old toned photograph.
cv::Mat sepia(int width = 240, int height = 160)
{
    cv::Mat image(height, width, CV_8UC3);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            const double v = 60 + 170.0 * ((x + y) % 97) / 96.0;
            image.at<cv::Vec3b>(y, x) = cv::Vec3b(static_cast<uchar>(v * 0.55),
                                                  static_cast<uchar>(v * 0.78), static_cast<uchar>(v));
        }
    return image;
}

// Grey with a few isolated coloured dots: far fewer than one pixel in 160.
cv::Mat nearlyGrey(int width = 200, int height = 200)
{
    cv::Mat image(height, width, CV_8UC3, cv::Scalar::all(128));
    for (int i = 0; i < 20; ++i)
        image.at<cv::Vec3b>(10 + (i % 5) * 40, 10 + (i / 5) * 45) = cv::Vec3b(0, 0, 255);
    return image;
}

class RecordingObserver : public BatchObserver {
public:
    void begin(const QString &title, int range) override { log << QStringLiteral("begin %1 %2").arg(title).arg(range); }
    void setPosition(int position) override { log << QStringLiteral("pos %1").arg(position); }
    void end() override { log << QStringLiteral("end"); }
    void processEvents() override
    {
        ++pumps;
        if (onPump)
            onPump();
    }
    bool cancelRequested() override { return cancelAfter >= 0 && pumps > cancelAfter; }
    void fileSkipped(const QString &path, const QString &message) override { skipped << path + u'|' + message; }
    void entryAdded(int index, const ImageEntry &entry, const QString &message) override
    {
        added << QStringLiteral("%1 %2 %3").arg(index).arg(entry.outputName, message);
    }
    void saveFailed(int index, const ImageEntry &entry, const QString &reason) override
    {
        failed << QStringLiteral("%1 %2 %3").arg(index).arg(entry.outputName, reason);
    }

    QStringList log, skipped, added, failed;
    int pumps = 0;
    int cancelAfter = -1;
    std::function<void()> onPump;
};

class BatchTest : public ::testing::Test {
protected:
    QString picture(const QString &name, const cv::Mat &image)
    {
        // The extension may be in any case; encode by the lower-case one.
        const QString ext = name.section(u'.', -1).toLower();
        std::vector<uchar> bytes;
        EXPECT_TRUE(cv::imencode("." + ext.toStdString(), image, bytes));
        return rawFile(name, QByteArray(reinterpret_cast<const char *>(bytes.data()),
                                        static_cast<qsizetype>(bytes.size())));
    }
    QString rawFile(const QString &name, const QByteArray &bytes)
    {
        const QString path = m_dir.filePath(name);
        EXPECT_TRUE(testsupport::writeFile(path, bytes));
        return path;
    }
    bool colourOf(const cv::Mat &image, RegistrationMode mode)
    {
        ImageEntry entry;
        entry.path = picture(QStringLiteral("probe.png"), image);
        EXPECT_TRUE(classifyImage(entry, mode));
        return entry.isColor != 0;
    }
    QString outputFolder()
    {
        const QString folder = m_dir.filePath(QStringLiteral("out"));
        QDir().mkpath(folder);
        return folder;
    }

    QTemporaryDir m_dir;
    platform::ScriptedPrompt m_prompt;
};

} // namespace

TEST(DetectionTables, LinearizeAndHueSpread)
{
    const cv::Mat lin = makeLinearizeLut();
    EXPECT_EQ(lin.at<uchar>(0, 0), 0);
    EXPECT_EQ(lin.at<uchar>(0, 20), 4);  // 20 / 4.5049 on the linear segment
    EXPECT_EQ(lin.at<uchar>(0, 255), 255);
    for (int i = 1; i < 256; ++i)
        ASSERT_GE(lin.at<uchar>(0, i), lin.at<uchar>(0, i - 1));
    EXPECT_LT(lin.at<uchar>(0, 128), 70); // mid grey is darker in linear light

    cv::Mat sin2, cos2;
    makeHueSpreadLuts(sin2, cos2);
    EXPECT_EQ(sin2.at<uchar>(0, 0), 0);
    EXPECT_EQ(cos2.at<uchar>(0, 0), 255);
    EXPECT_EQ(sin2.at<uchar>(0, 128), 255);
    EXPECT_EQ(sin2.at<uchar>(0, 64), 127); // sin^2(45 degrees) = 0.5
}

TEST(Classification, ReductionKeepsTheSmallerSideAt256)
{
    const cv::Mat big(3000, 4000, CV_8UC3, cv::Scalar::all(9));
    EXPECT_EQ(reduceForAnalysis(big).size(), cv::Size(341, 256));
    const cv::Mat tall(700, 300, CV_8UC3, cv::Scalar::all(9));
    EXPECT_EQ(reduceForAnalysis(tall).size(), cv::Size(256, 597));
    const cv::Mat small(256, 900, CV_8UC3, cv::Scalar::all(9));
    EXPECT_EQ(reduceForAnalysis(small).size(), small.size());
}

TEST_F(BatchTest, ClassificationInTheAutomaticModes)
{
    for (auto mode : {RegistrationMode::AutoSaturatedIsColor, RegistrationMode::AutoSaturatedIsMono}) {
        const int m = static_cast<int>(mode);
        EXPECT_TRUE(colourOf(rainbow(), mode)) << m;
        EXPECT_FALSE(colourOf(greyRamp(), mode)) << m;
        EXPECT_FALSE(colourOf(nearlyGrey(), mode)) << m;
    }
    // One saturated hue: colour when such images count as colour, else mono.
    EXPECT_TRUE(colourOf(sepia(), RegistrationMode::AutoSaturatedIsColor));
    EXPECT_FALSE(colourOf(sepia(), RegistrationMode::AutoSaturatedIsMono));
    // The fixed modes do not look.
    EXPECT_FALSE(colourOf(rainbow(), RegistrationMode::AllMono));
    EXPECT_TRUE(colourOf(greyRamp(), RegistrationMode::AllColor));

    // The thumbnail is the reduced picture.
    ImageEntry entry;
    entry.path = picture(QStringLiteral("wide.jpg"), rainbow(900, 300));
    ASSERT_TRUE(classifyImage(entry, RegistrationMode::AllColor));
    EXPECT_EQ(entry.width, 900);
    EXPECT_EQ(entry.height, 300);
    EXPECT_EQ(entry.thumbnail.size(), QSize(768, 256));
}

TEST_F(BatchTest, RegistrationOrderKindsAndMessages)
{
    ImageBatch batch(m_prompt);
    RecordingObserver observer;
    const QString c = picture(QStringLiteral("c.Jpeg"), greyRamp());
    const QString a = picture(QStringLiteral("a.JPG"), rainbow());
    const QString b = picture(QStringLiteral("b.bmp"), rainbow());
    const QString text = rawFile(QStringLiteral("notes.txt"), "x");
    const QString empty = rawFile(QStringLiteral("empty.png"), QByteArray());
    cv::Mat grey1;
    cv::cvtColor(greyRamp(), grey1, cv::COLOR_BGR2GRAY);
    const QString grey = picture(QStringLiteral("d-grey.jpg"), grey1);
    const QString folder = m_dir.filePath(QStringLiteral("folder.png"));
    ASSERT_TRUE(QDir().mkdir(folder));

    EXPECT_EQ(batch.registerFiles({c, text, a, empty, b, folder, m_dir.path(), grey},
                                  RegistrationMode::AutoSaturatedIsColor, observer),
              4);
    EXPECT_EQ(m_prompt.texts(), (QStringList{SizeIgnored, SizeIgnored, ReadFailed}));
    // Folders are not searched: one without a picture extension drops out silently.
    EXPECT_EQ(observer.skipped, (QStringList{text + u'|', empty + u'|' + SizeIgnored,
                                             folder + u'|' + SizeIgnored, m_dir.path() + u'|'}));
    EXPECT_EQ(observer.added, (QStringList{QStringLiteral("0 a "), QStringLiteral("1 b "),
                                           QStringLiteral("2 c "), QStringLiteral("3 d-grey ") + ReadFailed}));
    EXPECT_EQ(observer.log, (QStringList{QStringLiteral("begin 登録中 4"), QStringLiteral("pos 1"),
                                         QStringLiteral("pos 2"), QStringLiteral("pos 3"),
                                         QStringLiteral("pos 4"), QStringLiteral("end")}));
    ASSERT_EQ(batch.count(), 4);
    EXPECT_EQ(batch.entry(0).kind, KindJpeg);
    EXPECT_EQ(batch.entry(1).kind, KindBmp);
    EXPECT_EQ(batch.entry(2).kind, KindJpeg);
    EXPECT_EQ(batch.entry(0).isColor, 1);
    EXPECT_EQ(batch.entry(2).isColor, 0);
    // The unreadable one stays listed, size 0, colour until decided.
    EXPECT_EQ(batch.entry(3).width, 0);
    EXPECT_EQ(batch.entry(3).isColor, 1);
    EXPECT_TRUE(batch.entry(3).thumbnail.isNull());
    EXPECT_EQ(batch.currentImage(), 1);
    EXPECT_EQ(batch.averageSize(), QSize(180, 120)); // the unread entry counts 0

    // A second registration appends after the existing entries.
    const QString first = picture(QStringLiteral("0-first.png"), greyRamp(10, 10));
    EXPECT_EQ(batch.registerFiles({first}, RegistrationMode::AllMono, observer), 1);
    EXPECT_EQ(batch.entry(4).path, first);

    m_prompt.clear();
    EXPECT_EQ(batch.registerFiles({empty, text}, RegistrationMode::AllMono, observer), 0);
    EXPECT_EQ(m_prompt.texts(), (QStringList{SizeIgnored, NothingFound}));
}

TEST_F(BatchTest, PictureBeyondTheDecodeLimitIsAFailedReadBeforeDecoding)
{
    // 21000 x 21000 pixels claimed by a few hundred bytes: read whole, it
    // costs gigabytes and many seconds of grey before anything is known.
    const QString huge = rawFile(QStringLiteral("huge.jpg"), testsupport::jpegClaiming(QSize(21000, 21000), 8));
    // No picture the suite knows (a header must say how large it is).
    const QString other = rawFile(QStringLiteral("other.png"), QByteArray("GIF89a") + QByteArray(100, '\0'));
    // 16 bits a sample: refused from its header, before twice the memory.
    cv::Mat deep;
    rainbow().convertTo(deep, CV_16UC3, 257);
    const QString sixteen = picture(QStringLiteral("deep.png"), deep);
    QElapsedTimer timer;
    timer.start();
    cv::Mat image;
    EXPECT_FALSE(readPicture(huge, image));
    EXPECT_FALSE(readPicture(other, image));
    EXPECT_FALSE(readPicture(sixteen, image));
    EXPECT_LT(timer.elapsed(), 3000);

    ImageBatch batch(m_prompt);
    RecordingObserver observer;
    EXPECT_EQ(batch.registerFiles({huge}, RegistrationMode::AutoSaturatedIsColor, observer), 1);
    EXPECT_EQ(m_prompt.texts(), QStringList{ReadFailed});
    EXPECT_EQ(batch.entry(0).width, 0);
    // A picture within the limit still reads.
    EXPECT_TRUE(readPicture(picture(QStringLiteral("fine.png"), rainbow()), image));
}

TEST_F(BatchTest, PictureFarShortOfItsDataIsAFailedRead)
{
    // Within the limit, but a few hundred bytes for 20000 x 20000 pixels: the
    // codec would make up 1.2 GB of grey over seconds and call it a picture.
    const QByteArray fake = testsupport::jpegClaiming(QSize(20000, 20000), 8);
    QElapsedTimer timer;
    timer.start();
    cv::Mat image;
    EXPECT_FALSE(readPicture(rawFile(QStringLiteral("fake.jpg"), fake), image));
    EXPECT_FALSE(readPicture(rawFile(QStringLiteral("ended.jpg"), fake + "\xFF\xD9"), image));
    EXPECT_LT(timer.elapsed(), 3000);
}

TEST_F(BatchTest, AverageSizeCountsPicturesWiderThan16Bits)
{
    ImageBatch batch(m_prompt);
    RecordingObserver observer;
    const QString wide = picture(QStringLiteral("wide.png"), cv::Mat(1, 70000, CV_8UC3, cv::Scalar::all(90)));
    const QString small = picture(QStringLiteral("small.png"), cv::Mat(3, 10, CV_8UC3, cv::Scalar::all(90)));
    ASSERT_EQ(batch.registerFiles({wide, small}, RegistrationMode::AutoSaturatedIsColor, observer), 2);
    EXPECT_EQ(batch.entry(1).width, 70000);
    EXPECT_EQ(batch.averageSize(), QSize(35005, 2));
}

TEST_F(BatchTest, CancelledRegistrationKeepsTheProcessedEntries)
{
    ImageBatch batch(m_prompt);
    RecordingObserver observer;
    observer.cancelAfter = 1;
    QStringList paths;
    for (int i = 0; i < 4; ++i)
        paths << picture(QStringLiteral("p%1.png").arg(i), greyRamp(20, 20));
    EXPECT_EQ(batch.registerFiles(paths, RegistrationMode::AllColor, observer), 2);
    EXPECT_EQ(batch.count(), 2);
    EXPECT_EQ(observer.log, (QStringList{QStringLiteral("begin 登録中 4"), QStringLiteral("pos 1"),
                                         QStringLiteral("end")}));
}

TEST_F(BatchTest, ConvertWritesEveryEntryAndCountsFailures)
{
    ImageBatch batch(m_prompt);
    RecordingObserver observer;
    const QString colour = picture(QStringLiteral("colour.png"), rainbow());
    const QString mono = picture(QStringLiteral("mono.bmp"), greyRamp());
    const QString narrow = picture(QStringLiteral("narrow.png"), greyRamp(5, 40));
    const QString broken = rawFile(QStringLiteral("broken.jpg"), "not a picture");
    ASSERT_EQ(batch.registerFiles({colour, mono, narrow, broken}, RegistrationMode::AutoSaturatedIsColor,
                                  observer),
              4);

    ToneSettings settings;
    settings.outputFolder = outputFolder();
    settings.output.ratioPercent = 10; // the 5-pixel-wide picture gets no size
    settings.output.format = FormatPng;
    settings.color.correctionEnabled = 1;
    m_prompt.clear();
    observer.log.clear();
    const ConvertReport report = batch.convertAll(settings, observer);
    EXPECT_EQ(report.outcome, ConvertReport::Finished);
    EXPECT_EQ(report.written, 2);
    EXPECT_EQ(report.failures, 2);
    EXPECT_EQ(m_prompt.texts(), QStringList(QStringLiteral("2 個のファイルの保存に失敗しました。")));
    EXPECT_EQ(m_prompt.shown().back().icon, platform::PromptIcon::None);
    EXPECT_EQ(QDir(settings.outputFolder).entryList(QDir::Files),
              (QStringList{QStringLiteral("colour.png"), QStringLiteral("mono.png")}));
    // The unreadable entry (first in path order) is skipped at once: no position for it.
    EXPECT_EQ(observer.log, (QStringList{QStringLiteral("begin 変換中 4"), QStringLiteral("pos 2"),
                                         QStringLiteral("pos 3"), QStringLiteral("pos 4"),
                                         QStringLiteral("end")}));
    EXPECT_TRUE(batch.colorLut().isValid());

    const cv::Mat out = cv::imread(QFile::encodeName(settings.outputFolder + "/mono.png").toStdString());
    EXPECT_EQ(out.size(), cv::Size(24, 16));
}

TEST_F(BatchTest, NamesThatAreNotUtf8AreRegisteredAndWrittenUnderTheirBytes)
{
    // あ in CP932, and bytes that are no text at all.
    const QString cp932 = picture(platform::nameFromBytes("\x82\xa0.png"), rainbow());
    const QString other = picture(platform::nameFromBytes("bad\xff.JPG"), greyRamp());
    const auto cleanup = qScopeGuard([this] {
        testsupport::removeRawNamedEntries(outputFolder());
        testsupport::removeRawNamedEntries(m_dir.path());
    });
    const QStringList named = commandLinePictures({cp932, other});
    ASSERT_EQ(named, (QStringList{cp932, other}));

    ImageBatch batch(m_prompt);
    RecordingObserver observer;
    ASSERT_EQ(batch.registerFiles(named, RegistrationMode::AutoSaturatedIsColor, observer), 2);
    EXPECT_TRUE(m_prompt.texts().isEmpty()) << m_prompt.texts().join(u'\n').toStdString();
    ToneSettings settings;
    settings.outputFolder = outputFolder();
    settings.output.format = FormatPng;
    const ConvertReport report = batch.convertAll(settings, observer);
    EXPECT_EQ(report.written, 2);
    QList<QByteArray> written;
    for (const platform::FolderEntry &entry : platform::folderEntries(settings.outputFolder))
        written << platform::nameBytes(entry.name);
    std::sort(written.begin(), written.end());
    EXPECT_EQ(written, (QList<QByteArray>{"bad\xff.png", "\x82\xa0.png"}));
}

TEST_F(BatchTest, ConvertRefusesAMissingOutputFolderAndReportsCancel)
{
    ImageBatch batch(m_prompt);
    RecordingObserver observer;
    ToneSettings settings;
    EXPECT_EQ(batch.convertAll(settings, observer).outcome, ConvertReport::NothingToDo);
    EXPECT_TRUE(m_prompt.texts().isEmpty());

    QStringList paths;
    for (int i = 0; i < 3; ++i)
        paths << picture(QStringLiteral("p%1.jpg").arg(i), rainbow(60, 40));
    ASSERT_EQ(batch.registerFiles(paths, RegistrationMode::AllColor, observer), 3);

    settings.outputFolder = outputFolder();
    ASSERT_TRUE(QDir(settings.outputFolder).removeRecursively());
    m_prompt.clear();
    EXPECT_EQ(batch.convertAll(settings, observer).outcome, ConvertReport::NoOutputFolder);
    EXPECT_EQ(m_prompt.texts(), QStringList(QStringLiteral("保存フォルダーが見つかりません。")));

    settings.outputFolder = outputFolder();
    observer.pumps = 0;
    observer.cancelAfter = 1; // cancel after the second file
    m_prompt.clear();
    ConvertReport report = batch.convertAll(settings, observer);
    EXPECT_TRUE(report.cancelled);
    EXPECT_EQ(report.written, 2);
    EXPECT_EQ(m_prompt.texts(), QStringList(QStringLiteral("中止しました。")));
    EXPECT_EQ(m_prompt.shown().back().icon, platform::PromptIcon::Information);
    EXPECT_EQ(QDir(settings.outputFolder).entryList(QDir::Files).size(), 2);

    // A failure before the cancel wins the message.
    QFile::resize(paths[0], 10);
    observer.pumps = 0;
    m_prompt.clear();
    report = batch.convertAll(settings, observer);
    EXPECT_TRUE(report.cancelled);
    EXPECT_EQ(m_prompt.texts(), QStringList(QStringLiteral("1 個のファイルの保存に失敗しました。")));

    observer.cancelAfter = -1;
    QFile::remove(paths[0]);
    batch.remove({0});
    m_prompt.clear();
    report = batch.convertAll(settings, observer);
    EXPECT_EQ(report.failures, 0);
    EXPECT_EQ(m_prompt.texts(), QStringList(QStringLiteral("完了しました。")));
}

TEST_F(BatchTest, NothingStartsAgainWhileABatchRuns)
{
    ImageBatch batch(m_prompt);
    RecordingObserver observer;
    const QString p0 = picture(QStringLiteral("p0.png"), greyRamp(20, 20));
    const QString p1 = picture(QStringLiteral("p1.png"), greyRamp(20, 20));
    ToneSettings settings;
    settings.outputFolder = outputFolder();

    // Commands that arrive while events are processed between files.
    int nestedRegistered = -1;
    ConvertReport nested;
    bool removed = true;
    observer.onPump = [&] {
        RecordingObserver inner;
        nestedRegistered = batch.registerFiles({p1}, RegistrationMode::AllColor, inner);
        nested = batch.convertAll(settings, inner);
        removed = batch.remove({0});
    };
    EXPECT_EQ(batch.registerFiles({p0}, RegistrationMode::AllColor, observer), 1);
    EXPECT_EQ(nestedRegistered, 0);
    EXPECT_EQ(nested.outcome, ConvertReport::Busy);
    EXPECT_FALSE(removed);
    EXPECT_EQ(batch.count(), 1);
    EXPECT_EQ(m_prompt.beeps(), 3);

    nestedRegistered = -1;
    EXPECT_EQ(batch.convertAll(settings, observer).written, 1);
    EXPECT_EQ(nestedRegistered, 0);
    EXPECT_EQ(batch.count(), 1);
    EXPECT_FALSE(batch.isBusy());
}

TEST_F(BatchTest, ListCommandsAndTheCurrentImage)
{
    ImageBatch batch(m_prompt);
    RecordingObserver observer;
    QStringList paths;
    for (int i = 0; i < 4; ++i)
        paths << picture(QStringLiteral("p%1.png").arg(i), greyRamp(9, 9));
    ASSERT_EQ(batch.registerFiles(paths, RegistrationMode::AllMono, observer), 4);
    EXPECT_TRUE(batch.setColor({1, 3}, true));
    EXPECT_EQ(batch.entry(1).isColor, 1);
    EXPECT_EQ(batch.entry(2).isColor, 0);
    EXPECT_TRUE(batch.setCurrentImage(4));
    EXPECT_FALSE(batch.setCurrentImage(5));
    EXPECT_TRUE(batch.remove({3, 0, 3}));
    EXPECT_EQ(batch.count(), 2);
    EXPECT_EQ(batch.entry(0).outputName, QStringLiteral("p1"));
    EXPECT_EQ(batch.currentImage(), 2);

    ToneSettings settings;
    cv::Mat source, result;
    ASSERT_TRUE(batch.preview(settings, source, result));
    EXPECT_EQ(source.size(), cv::Size(9, 9));
    EXPECT_EQ(result.size(), cv::Size(3, 3));
    settings.output.ratioPercent = 10;
    ASSERT_TRUE(batch.preview(settings, source, result));
    EXPECT_TRUE(result.empty());

    EXPECT_TRUE(batch.remove({0, 1}));
    EXPECT_EQ(batch.currentImage(), 0);
    EXPECT_FALSE(batch.preview(settings, source, result));
}

// The preview keeps its colour table between calls; an edited point must
// still reach the next preview.
TEST_F(BatchTest, PreviewFollowsEditedColourPoints)
{
    ImageBatch batch(m_prompt);
    RecordingObserver observer;
    ASSERT_EQ(batch.registerFiles({picture(QStringLiteral("colour.png"), rainbow(40, 30))},
                                  RegistrationMode::AllColor, observer),
              1);
    ToneSettings settings;
    settings.output.resizeMode = KeepSize;
    settings.color.correctionEnabled = 1;

    const auto expected = [&](const cv::Mat &source) {
        ColorLut lut;
        buildColorLut(settings.correction, lut);
        cv::Mat result;
        EXPECT_TRUE(toneConvert(settings, lut, source, result, true, 0, 0));
        return result;
    };
    cv::Mat source, first, second;
    ASSERT_TRUE(batch.preview(settings, source, first));
    EXPECT_EQ(cv::norm(first, expected(source), cv::NORM_INF), 0.0);

    settings.correction[ColorCorrectionTable::colouredIndex(2, 3, 4)].hueShift = 0.8f;
    settings.correction[ColorCorrectionTable::greyIndex(3)].valueShift = -0.3f;
    ASSERT_TRUE(batch.preview(settings, source, second));
    EXPECT_EQ(cv::norm(second, expected(source), cv::NORM_INF), 0.0);
    EXPECT_GT(cv::norm(first, second, cv::NORM_INF), 0.0);
}

TEST_F(BatchTest, ConvertReplacesALinkInTheOutputFolderInsteadOfWritingThroughIt)
{
    ImageBatch batch(m_prompt);
    RecordingObserver observer;
    ASSERT_EQ(batch.registerFiles({picture(QStringLiteral("page.png"), greyRamp())},
                                  RegistrationMode::AutoSaturatedIsColor, observer),
              1);
    ToneSettings settings;
    settings.outputFolder = outputFolder();
    settings.output.format = FormatPng;
    const QString victim = rawFile(QStringLiteral("victim.txt"), "precious");
    const QString output = settings.outputFolder + QStringLiteral("/page.png");
    ASSERT_TRUE(QFile::link(victim, output));
    EXPECT_EQ(batch.convertAll(settings, observer).written, 1);
    EXPECT_EQ(testsupport::readFile(victim), QByteArray("precious"));
    EXPECT_FALSE(QFileInfo(output).isSymLink());
    EXPECT_FALSE(cv::imread(QFile::encodeName(output).toStdString()).empty());
}

// retoner --batch --output DIR DIR/a.jpg used to replace the original with
// its own conversion.
TEST_F(BatchTest, ConversionNeverWritesOverARegisteredSource)
{
    ImageBatch batch(m_prompt);
    RecordingObserver observer;
    const QString a = picture(QStringLiteral("a.jpg"), rainbow(60, 40));
    const QString b = picture(QStringLiteral("b.png"), rainbow(60, 40));
    const QString c = picture(QStringLiteral("c.png"), greyRamp(60, 40));
    ASSERT_EQ(batch.registerFiles({a, b, c}, RegistrationMode::AllColor, observer), 3);
    const QByteArray original = testsupport::readFile(a);

    // c's output name leads through a link to the source a.
    const QString out = outputFolder();
    ASSERT_TRUE(QFile::link(a, out + QStringLiteral("/c.jpg")));
    ToneSettings settings;
    settings.outputFolder = m_dir.path();
    QStringList reasons;
    struct Failures : RecordingObserver {
        QStringList *reasons;
        void saveFailed(int index, const ImageEntry &entry, const QString &reason) override
        {
            *reasons << QStringLiteral("%1 %2 %3").arg(index).arg(entry.outputName, reason);
        }
    } failures;
    failures.reasons = &reasons;
    const QString sameFile = QStringLiteral("保存先が登録された元画像と同じファイルです。");
    ConvertReport report = batch.convertAll(settings, failures);
    EXPECT_EQ(report.failures, 1);
    EXPECT_EQ(report.written, 2);
    EXPECT_EQ(reasons, QStringList(QStringLiteral("0 a ") + sameFile));
    EXPECT_EQ(testsupport::readFile(a), original);
    EXPECT_TRUE(QFile::exists(m_dir.filePath(QStringLiteral("b.jpg"))));

    reasons.clear();
    settings.outputFolder = out;
    report = batch.convertAll(settings, failures);
    EXPECT_EQ(report.failures, 1);
    EXPECT_EQ(reasons, QStringList(QStringLiteral("2 c ") + sameFile));
    EXPECT_EQ(testsupport::readFile(a), original);
}

// A batch of thousands of files held every list thumbnail (1.3 GB for 5000
// pages); a run without a list keeps none.
TEST_F(BatchTest, RegistrationWithoutAListKeepsNoThumbnails)
{
    ImageBatch batch(m_prompt);
    batch.setKeepThumbnails(false);
    RecordingObserver observer;
    ASSERT_EQ(batch.registerFiles({picture(QStringLiteral("big.png"), rainbow(600, 400)),
                                   picture(QStringLiteral("grey.png"), greyRamp(300, 300))},
                                  RegistrationMode::AutoSaturatedIsColor, observer),
              2);
    EXPECT_TRUE(batch.entry(0).thumbnail.isNull());
    EXPECT_TRUE(batch.entry(1).thumbnail.isNull());
    // The decision and the size are still made.
    EXPECT_EQ(batch.entry(0).isColor, 1);
    EXPECT_EQ(batch.entry(1).isColor, 0);
    EXPECT_EQ(batch.entry(0).width, 600);
}

// Ctrl-C was not seen while the conversion passed over unreadable files.
TEST_F(BatchTest, CancelIsSeenWhilePassingOverUnreadableFiles)
{
    ImageBatch batch(m_prompt);
    RecordingObserver observer;
    QStringList paths;
    for (int i = 0; i < 5; ++i)
        paths << rawFile(QStringLiteral("broken%1.jpg").arg(i), "not a picture");
    ASSERT_EQ(batch.registerFiles(paths, RegistrationMode::AllColor, observer), 5);
    ToneSettings settings;
    settings.outputFolder = outputFolder();
    observer.pumps = 0;
    observer.cancelAfter = 0; // asked for during the first file
    m_prompt.clear();
    const ConvertReport report = batch.convertAll(settings, observer);
    EXPECT_TRUE(report.cancelled);
    EXPECT_EQ(report.failures, 1);
    EXPECT_EQ(m_prompt.texts(), QStringList(QStringLiteral("1 個のファイルの保存に失敗しました。")));
}

// The command line registers and converts in one pass, reading each picture
// once; what it writes, lists and reports must be what the two passes give.
TEST_F(BatchTest, OnePassGivesWhatRegistrationThenConversionGive)
{
    const QStringList paths{picture(QStringLiteral("colour.png"), rainbow()),
                            picture(QStringLiteral("mono.bmp"), greyRamp()),
                            picture(QStringLiteral("sepia.jpg"), sepia()),
                            picture(QStringLiteral("narrow.png"), greyRamp(5, 40)),
                            rawFile(QStringLiteral("broken.jpg"), "not a picture")};
    for (const int uniform : {0, 1}) {
        ToneSettings settings;
        settings.output.ratioPercent = 10; // the 5-pixel-wide picture gets no size
        settings.output.uniformSize = uniform;
        settings.color.correctionEnabled = 1;
        settings.correction[ColorCorrectionTable::greyIndex(2)].saturationShift = 0.2f;

        ImageBatch twoPasses(m_prompt);
        twoPasses.setKeepThumbnails(false);
        RecordingObserver first;
        settings.outputFolder = m_dir.filePath(QStringLiteral("two%1").arg(uniform));
        QDir().mkpath(settings.outputFolder);
        ASSERT_EQ(twoPasses.registerFiles(paths, RegistrationMode::AutoSaturatedIsMono, first), 5);
        const ConvertReport expected = twoPasses.convertAll(settings, first);
        const QString expectedFolder = settings.outputFolder;

        ImageBatch onePass(m_prompt);
        onePass.setKeepThumbnails(false);
        RecordingObserver second;
        settings.outputFolder = m_dir.filePath(QStringLiteral("one%1").arg(uniform));
        QDir().mkpath(settings.outputFolder);
        const ConvertReport report =
            onePass.registerAndConvert(paths, RegistrationMode::AutoSaturatedIsMono, settings, second);

        EXPECT_EQ(report.written, expected.written);
        EXPECT_EQ(report.failures, expected.failures);
        EXPECT_EQ(report.message, expected.message);
        EXPECT_EQ(second.added, first.added);
        EXPECT_EQ(second.failed, first.failed);
        ASSERT_EQ(onePass.count(), twoPasses.count());
        for (int i = 0; i < onePass.count(); ++i) {
            EXPECT_EQ(onePass.entry(i).isColor, twoPasses.entry(i).isColor) << i;
            EXPECT_EQ(onePass.entry(i).width, twoPasses.entry(i).width) << i;
        }
        const QStringList written = QDir(expectedFolder).entryList(QDir::Files);
        EXPECT_EQ(written.size(), expected.written);
        EXPECT_GE(expected.written, 3);
        EXPECT_EQ(QDir(settings.outputFolder).entryList(QDir::Files), written);
        for (const QString &name : written)
            EXPECT_EQ(testsupport::readFile(settings.outputFolder + u'/' + name),
                      testsupport::readFile(expectedFolder + u'/' + name))
                << name.toStdString();
    }
}
