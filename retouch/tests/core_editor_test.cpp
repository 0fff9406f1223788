// The editor without a window: opening, the cursor, saving and the settings.
#include "core/imagefile.h"
#include "core/retoucheditor.h"

#include "testimages.h"
#include "testsupport.h"

#include <platform/filenames.h>

#include <QDir>
#include <QFileInfo>
#include <QImage>
#include <QScopeGuard>
#include <QSettings>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <opencv2/imgcodecs.hpp>

#include <csignal>
#include <sys/resource.h>

using namespace retouch;
using namespace retouchtest;

namespace {

class EditorTest : public ::testing::Test {
protected:
    QString path(const QString &name) const { return m_dir.filePath(name); }
    QString write(const QString &name, const cv::Mat &picture)
    {
        const QString file = path(name);
        EXPECT_TRUE(writePicture(file, picture)) << qPrintable(file);
        return file;
    }
    // The quality dialog: records that it was asked, answers `m_answer`.
    void recordQuality()
    {
        m_editor.setQualityAsker([this](int current) -> std::optional<int> {
            m_asked.push_back(current);
            return m_answer;
        });
    }
    QStringList leftovers() const
    {
        return QDir(m_dir.path()).entryList({QStringLiteral("*.tmp")}, QDir::Files);
    }

    QTemporaryDir m_dir;
    platform::ScriptedPrompt m_prompt;
    RetouchEditor m_editor{m_prompt};
    std::vector<int> m_asked;
    std::optional<int> m_answer = 80;
};

} // namespace

TEST_F(EditorTest, OpensTrueColourPicturesAtTheirDepth)
{
    const QString bmp24 = write(QStringLiteral("a.bmp"), gradient(40, 30, 3));
    ASSERT_EQ(m_editor.openImage(bmp24), OpenResult::Opened);
    EXPECT_EQ(m_editor.image().bitsPerPixel(), 24);
    EXPECT_EQ(cv::norm(m_editor.image().source(), gradient(40, 30, 3), cv::NORM_INF), 0);
    EXPECT_EQ(m_editor.path(), bmp24);
    EXPECT_EQ(m_editor.cursor(), QPoint(20, 15));

    const QString bmp32 = write(QStringLiteral("b.bmp"), gradient(41, 31, 4));
    ASSERT_EQ(m_editor.openImage(bmp32), OpenResult::Opened);
    EXPECT_EQ(m_editor.image().bitsPerPixel(), 32);
    EXPECT_EQ(m_editor.cursor(), QPoint(20, 15));

    // A transparent PNG keeps its alpha in the source; saved, it is opaque.
    const QString png = write(QStringLiteral("c.png"), gradient(50, 20, 4));
    ASSERT_EQ(m_editor.openImage(png), OpenResult::Opened);
    EXPECT_EQ(m_editor.image().bitsPerPixel(), 32);
    EXPECT_EQ(m_editor.image().source().at<cv::Vec4b>(0, 10)[3], 245);
    ASSERT_EQ(m_editor.saveTo(path(QStringLiteral("opaque.png"))), SaveResult::Saved);
    const cv::Mat saved = readPicture(path(QStringLiteral("opaque.png")), cv::IMREAD_UNCHANGED);
    ASSERT_EQ(saved.channels(), 4);
    std::vector<cv::Mat> planes;
    cv::split(saved, planes);
    double lowest = 0;
    cv::minMaxLoc(planes[3], &lowest);
    EXPECT_EQ(lowest, 255);
    EXPECT_TRUE(m_prompt.texts().isEmpty()) << qPrintable(m_prompt.texts().join(u'\n'));
}

TEST_F(EditorTest, OpensAndSavesNamesThatAreNotUtf8ByTheirBytes)
{
    const QString page = write(platform::nameFromBytes("\x82\xa0.png"), gradient(12, 8));
    const QString saved = path(platform::nameFromBytes("c\xff.png"));
    const auto cleanup = qScopeGuard([this] { testsupport::removeRawNamedEntries(m_dir.path()); });
    ASSERT_EQ(m_editor.openImage(page), OpenResult::Opened);
    m_editor.setOffset(Channel::All, 5);
    ASSERT_EQ(m_editor.saveTo(saved), SaveResult::Saved);
    EXPECT_EQ(cv::norm(readPicture(saved, cv::IMREAD_UNCHANGED), m_editor.image().edited(), cv::NORM_INF), 0);
    EXPECT_TRUE(m_prompt.texts().isEmpty()) << qPrintable(m_prompt.texts().join(u'\n'));
}

TEST_F(EditorTest, RefusesPaletteAndGreyPicturesAndFilesThatDoNotDecode)
{
    QImage palette(20, 10, QImage::Format_Indexed8);
    palette.setColorTable({qRgb(0, 0, 0), qRgb(255, 0, 0)});
    palette.fill(1);
    const QString palettePng = path(QStringLiteral("palette.png"));
    ASSERT_TRUE(palette.save(palettePng, "PNG"));
    const QString greyJpeg = write(QStringLiteral("grey.jpg"), cv::Mat(10, 10, CV_8UC1, cv::Scalar(90)));
    const QString broken = path(QStringLiteral("broken.jpg"));
    ASSERT_TRUE(testsupport::writeFile(broken, "\xFF\xD8 not a picture"));
    // A few hundred bytes claiming 20000 x 20000 pixels: not gigabytes of grey.
    const QString fake = path(QStringLiteral("fake.jpg"));
    ASSERT_TRUE(testsupport::writeFile(fake, testsupport::jpegClaiming(QSize(20000, 20000), 8)));

    const QString good = write(QStringLiteral("good.png"), gradient(8, 8));
    ASSERT_EQ(m_editor.openImage(good), OpenResult::Opened);
    EXPECT_EQ(m_editor.openImage(palettePng), OpenResult::FormatError);
    EXPECT_FALSE(m_editor.hasImage()) << "a failed open leaves no picture";
    EXPECT_TRUE(m_editor.path().isEmpty());
    EXPECT_EQ(m_editor.openImage(greyJpeg), OpenResult::FormatError);
    EXPECT_EQ(m_editor.openImage(broken), OpenResult::OpenFailed);
    EXPECT_EQ(m_editor.openImage(fake), OpenResult::OpenFailed);
    EXPECT_EQ(m_editor.openImage(path(QStringLiteral("missing.png"))), OpenResult::OpenFailed);
    EXPECT_EQ(m_prompt.texts(), QStringList({QStringLiteral("File format error.[%1]").arg(palettePng),
                                             QStringLiteral("File format error.[%1]").arg(greyJpeg),
                                             QStringLiteral("File open failed.[%1]").arg(broken),
                                             QStringLiteral("File open failed.[%1]").arg(fake),
                                             QStringLiteral("File open failed.[%1]")
                                                 .arg(path(QStringLiteral("missing.png")))}));
    EXPECT_EQ(m_prompt.shown().front().icon, platform::PromptIcon::Stop);
}

TEST(HeldBitDepth, FollowsHowTheDecoderHeldThePicture)
{
    EXPECT_EQ(heldBitDepth(QImage::Format_RGB32, "jpeg", 0), 24);
    EXPECT_EQ(heldBitDepth(QImage::Format_ARGB32, "png", 0), 32);
    EXPECT_EQ(heldBitDepth(QImage::Format_RGBX64, "png", 0), 32);
    EXPECT_EQ(heldBitDepth(QImage::Format_RGB32, "bmp", 32), 32);
    EXPECT_EQ(heldBitDepth(QImage::Format_RGB32, "bmp", 24), 24);
    EXPECT_EQ(heldBitDepth(QImage::Format_RGB32, "bmp", 16), 16);
    EXPECT_EQ(heldBitDepth(QImage::Format_Indexed8, "png", 0), 8);
    EXPECT_EQ(heldBitDepth(QImage::Format_Grayscale8, "jpeg", 0), 8);
}

TEST_F(EditorTest, CursorStaysOnThePicture)
{
    ASSERT_EQ(m_editor.openImage(write(QStringLiteral("small.png"), gradient(7, 5))), OpenResult::Opened);
    EXPECT_EQ(m_editor.cursor(), QPoint(3, 2));
    for (int i = 0; i < 5; ++i)
        m_editor.runCommand(CmdLeft);
    EXPECT_EQ(m_editor.cursor(), QPoint(0, 2));
    for (int i = 0; i < 10; ++i)
        m_editor.runCommand(CmdRight);
    EXPECT_EQ(m_editor.cursor(), QPoint(6, 2));
    // The picture follows the mouse: a move right and down by 2 moves the
    // cursor left and up.
    m_editor.moveCursorTo(3, 2);
    m_editor.drag(QPoint(50, 50), QPoint(52, 51));
    EXPECT_EQ(m_editor.cursor(), QPoint(1, 1));
    m_editor.drag(QPoint(0, 0), QPoint(100, -100));
    EXPECT_EQ(m_editor.cursor(), QPoint(0, 4));
    m_editor.moveCursorTo(kScrollPage, -1);
    EXPECT_EQ(m_editor.cursor(), QPoint(6, 0));
}

TEST_F(EditorTest, SpinStepsEditTheColumnUnderTheCursor)
{
    ASSERT_EQ(m_editor.openImage(write(QStringLiteral("s.png"), gradient(10, 4))), OpenResult::Opened);
    m_editor.settings().gammaSel = 0;
    m_editor.setCurve(0);
    m_editor.moveCursorTo(3, 0);
    m_editor.stepOffset(Channel::R, SpinStep::PageDown);
    m_editor.stepOffset(Channel::R, SpinStep::LineDown);
    m_editor.stepOffset(Channel::All, SpinStep::Top);
    EXPECT_EQ(m_editor.currentOffsets(), (ColumnOffsets{30, 5, 0, 0}));
    EXPECT_TRUE(m_editor.isModified());
    const cv::Vec3b p = m_editor.image().edited().at<cv::Vec3b>(1, 3);
    EXPECT_EQ(p, cv::Vec3b(3 + 30, 1 + 30, 4 + 35));
    m_editor.moveCursorTo(4, 0);
    EXPECT_EQ(m_editor.currentOffsets(), ColumnOffsets{});
}

TEST_F(EditorTest, AsksTheJpegQualityOnlyForJpegNames)
{
    ASSERT_EQ(m_editor.openImage(write(QStringLiteral("page.png"), gradient(30, 20))), OpenResult::Opened);
    recordQuality();
    EXPECT_EQ(m_editor.saveTo(path(QStringLiteral("out.JPEG"))), SaveResult::Saved);
    EXPECT_EQ(m_editor.settings().jq, 80);
    m_answer = 20;
    EXPECT_EQ(m_editor.saveTo(path(QStringLiteral("out.jpg"))), SaveResult::Saved);
    EXPECT_EQ(m_editor.saveTo(path(QStringLiteral("out.bmp"))), SaveResult::Saved);
    EXPECT_EQ(m_asked, (std::vector<int>{95, 80}));
    EXPECT_EQ(m_editor.settings().jq, 20);
    EXPECT_GT(testsupport::readFile(path(QStringLiteral("out.JPEG"))).size(), testsupport::readFile(path(QStringLiteral("out.jpg"))).size());
    EXPECT_EQ(readPicture(path(QStringLiteral("out.bmp")), cv::IMREAD_UNCHANGED).channels(), 3);
    EXPECT_EQ(m_editor.path(), path(QStringLiteral("out.bmp")));

    // Cancelling the quality dialog writes nothing.
    m_answer.reset();
    EXPECT_EQ(m_editor.saveTo(path(QStringLiteral("cancelled.jpg"))), SaveResult::Cancelled);
    EXPECT_FALSE(QFile::exists(path(QStringLiteral("cancelled.jpg"))));
    EXPECT_EQ(m_editor.path(), path(QStringLiteral("out.bmp")));
    EXPECT_TRUE(m_prompt.texts().isEmpty());
}

TEST_F(EditorTest, FailedSavesLeaveTheFileOnDiskAsItWas)
{
    const QString page = write(QStringLiteral("page.png"), gradient(600, 400));
    const QByteArray original = testsupport::readFile(page);
    ASSERT_EQ(m_editor.openImage(page), OpenResult::Opened);
    m_editor.setOffset(Channel::All, 12);

    // An encoder that refuses: a name whose extension no encoder knows.
    const QString unknown = path(QStringLiteral("page.xyz"));
    ASSERT_TRUE(QFile::copy(page, unknown));
    EXPECT_EQ(m_editor.saveTo(unknown), SaveResult::Failed);
    EXPECT_EQ(testsupport::readFile(unknown), original);

    // A full disk: the file size limit stops the write halfway.
    const auto previous = std::signal(SIGXFSZ, SIG_IGN);
    rlimit saved{};
    getrlimit(RLIMIT_FSIZE, &saved);
    rlimit small = saved;
    small.rlim_cur = 4096;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
    const SaveResult result = m_editor.save();
    setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, previous);
    EXPECT_EQ(result, SaveResult::Failed);
    EXPECT_EQ(testsupport::readFile(page), original);
    EXPECT_TRUE(m_editor.isModified());
    EXPECT_TRUE(leftovers().isEmpty()) << qPrintable(leftovers().join(u' '));
    EXPECT_EQ(m_prompt.texts(), QStringList({QStringLiteral("Save image failed.[%1]").arg(unknown),
                                             QStringLiteral("Save image failed.[%1]").arg(page)}));

    // With room again the same save goes through.
    EXPECT_EQ(m_editor.save(), SaveResult::Saved);
    EXPECT_FALSE(m_editor.isModified());
    EXPECT_EQ(cv::norm(readPicture(page, cv::IMREAD_COLOR), m_editor.image().edited(), cv::NORM_INF), 0);
}

TEST_F(EditorTest, SavingOverALinkedPictureReplacesTheLinkedFile)
{
    const QString folder = path(QStringLiteral("scans"));
    ASSERT_TRUE(QDir().mkpath(folder));
    const QString real = write(QStringLiteral("scans/page.png"), gradient(60, 40));
    ASSERT_TRUE(QFile::setPermissions(real, QFile::ReadOwner | QFile::WriteOwner));
    const QFile::Permissions permissions = QFile::permissions(real);
    ASSERT_FALSE(permissions & QFile::ReadOther);
    const QString link = path(QStringLiteral("page.png"));
    ASSERT_TRUE(QFile::link(real, link));
    ASSERT_EQ(m_editor.openImage(link), OpenResult::Opened);
    m_editor.setOffset(Channel::All, 12);

    // The link stays a link and the file it names gets the corrections,
    // with the permissions it had.
    ASSERT_EQ(m_editor.save(), SaveResult::Saved);
    EXPECT_TRUE(QFileInfo(link).isSymLink());
    EXPECT_EQ(cv::norm(readPicture(real, cv::IMREAD_COLOR), m_editor.image().edited(), cv::NORM_INF), 0);
    EXPECT_EQ(QFile::permissions(real), permissions);
    EXPECT_TRUE(QDir(folder).entryList({QStringLiteral("*.tmp")}, QDir::Files).isEmpty());

    // An output file written by a batch replaces a link in its place and
    // leaves the file behind the link alone.
    const QByteArray before = testsupport::readFile(real);
    m_editor.setOffset(Channel::All, -5);
    ASSERT_EQ(m_editor.saveTo(link, platform::FileRole::Output), SaveResult::Saved);
    EXPECT_FALSE(QFileInfo(link).isSymLink());
    EXPECT_EQ(testsupport::readFile(real), before);
}

TEST_F(EditorTest, AsksBeforeDroppingUnsavedCorrections)
{
    const QString first = write(QStringLiteral("first.png"), gradient(10, 10));
    const QString second = write(QStringLiteral("second.png"), gradient(12, 12));
    ASSERT_EQ(m_editor.openImage(first), OpenResult::Opened);

    // Nothing corrected: no question.
    m_prompt.planPath(second);
    EXPECT_TRUE(m_editor.runCommand(CmdOpen));
    EXPECT_TRUE(m_prompt.texts().isEmpty());

    m_editor.setOffset(Channel::G, -3);
    m_prompt.planAnswer(platform::PromptAnswer::No);
    EXPECT_FALSE(m_editor.runCommand(CmdOpen));
    EXPECT_EQ(m_editor.path(), second);
    EXPECT_EQ(m_editor.currentOffsets().g, -3);
    ASSERT_EQ(m_prompt.shown().size(), 1u);
    EXPECT_EQ(m_prompt.shown()[0].text, QStringLiteral("Discard unsaved changes?"));
    EXPECT_EQ(m_prompt.shown()[0].buttons, platform::PromptButtons::YesNoDefaultNo);
    EXPECT_EQ(m_prompt.dialogs().size(), 1u) << "no file dialog after No";

    m_prompt.planAnswer(platform::PromptAnswer::Yes);
    m_prompt.planPath(first);
    EXPECT_TRUE(m_editor.runCommand(CmdOpen));
    EXPECT_EQ(m_editor.path(), first);
    EXPECT_FALSE(m_editor.isModified());
}

TEST(RetouchSettings, OutOfRangeOrMalformedValuesKeepTheDefaults)
{
    QTemporaryDir dir;
    QSettings store(dir.filePath(QStringLiteral("Retouch.ini")), QSettings::IniFormat);
    RetouchSettings settings;
    store.setValue("GammaSel", 7);
    store.setValue("JQ", 101);
    settings.load(store);
    EXPECT_EQ(settings.gammaSel, 4);
    EXPECT_EQ(settings.jq, 95);
    store.setValue("GammaSel", "2x");
    store.setValue("JQ", -1);
    settings.load(store);
    EXPECT_EQ(settings.gammaSel, 4);
    EXPECT_EQ(settings.jq, 95);

    settings.gammaSel = 0;
    settings.jq = 0;
    settings.save(store);
    RetouchSettings again;
    again.load(store);
    EXPECT_EQ(again.gammaSel, 0);
    EXPECT_EQ(again.jq, 0);
}
