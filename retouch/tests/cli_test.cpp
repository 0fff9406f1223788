// The built program's command line: --apply end to end, and usage.
#include "testimages.h"
#include "testsupport.h"

#include <QDir>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <opencv2/imgcodecs.hpp>

using namespace retouchtest;

namespace {

testsupport::ProgramRun runRetouch(const QStringList &arguments)
{
    return testsupport::runProgram(QStringLiteral(RETOUCH_PROGRAM), arguments);
}

} // namespace

TEST(RetouchCommandLine, ApplyWritesEachPictureIntoTheOutputFolder)
{
    QTemporaryDir dir;
    const QString wide = dir.filePath(QStringLiteral("wide.png"));
    const QString scan = dir.filePath(QStringLiteral("scan.jpg"));
    const QString narrow = dir.filePath(QStringLiteral("narrow.bmp"));
    ASSERT_TRUE(writePicture(wide, gradient(64, 20)));
    ASSERT_TRUE(writePicture(scan, gradient(64, 20)));
    ASSERT_TRUE(writePicture(narrow, gradient(30, 20)));
    const QString profile = dir.filePath(QStringLiteral("p.csv"));
    ASSERT_TRUE(testsupport::writeFile(profile, "column,all,r,g,b\n5,10,0,0,0\n40,0,-3,0,0\ngamma,0\n"));
    const QString out = dir.filePath(QStringLiteral("out"));
    ASSERT_TRUE(QDir().mkpath(out));

    const testsupport::ProgramRun run = runRetouch({QStringLiteral("--apply"), profile, QStringLiteral("--quality"),
                                QStringLiteral("90"), QStringLiteral("--output"), out, wide, narrow, scan});
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.outLines(), QStringList({wide + QStringLiteral("\tok"),
                                    narrow + QStringLiteral("\tColumn beyond the image at line 3.[%1]").arg(profile),
                                    scan + QStringLiteral("\tok")}));
    const cv::Mat result = readPicture(out + QStringLiteral("/wide.png"), cv::IMREAD_COLOR);
    cv::Mat expected = gradient(64, 20);
    for (int y = 0; y < 20; ++y) {
        cv::Vec3b &p = expected.at<cv::Vec3b>(y, 5);
        p = cv::Vec3b(cv::saturate_cast<uchar>(p[0] + 10), cv::saturate_cast<uchar>(p[1] + 10),
                      cv::saturate_cast<uchar>(p[2] + 10));
        expected.at<cv::Vec3b>(y, 40)[2] -= 3;
    }
    EXPECT_EQ(cv::norm(result, expected, cv::NORM_INF), 0);
    EXPECT_TRUE(QFile::exists(out + QStringLiteral("/scan.jpg")));
    EXPECT_FALSE(QFile::exists(out + QStringLiteral("/narrow.bmp")));

    // The pictures' own folder as output would replace them: refused.
    const QByteArray before = testsupport::readFile(wide);
    const testsupport::ProgramRun same = runRetouch({QStringLiteral("--apply"), profile, QStringLiteral("--output"), dir.path(), wide});
    EXPECT_EQ(same.status, 1);
    EXPECT_EQ(same.outLines(), QStringList{wide + QStringLiteral("\tOutput would replace the source.[%1]").arg(wide)});
    EXPECT_EQ(testsupport::readFile(wide), before);
}

TEST(RetouchCommandLine, ScreenshotOfAPictureThatFailsToOpenDoesNotWait)
{
    // Nobody answers the message of a screenshot run: it goes to standard
    // error and the window is still written.
    QTemporaryDir dir;
    const QString missing = dir.filePath(QStringLiteral("missing.png"));
    const QString shot = dir.filePath(QStringLiteral("shot.png"));
    const testsupport::ProgramRun run = runRetouch({QStringLiteral("--screenshot"), shot, missing});
    EXPECT_EQ(run.status, 0);
    // (The offscreen platform may add warnings of its own.)
    EXPECT_TRUE(run.errLines().contains(QStringLiteral("File open failed.[%1]").arg(missing))) << run.err.toStdString();
    EXPECT_FALSE(readPicture(shot, cv::IMREAD_COLOR).empty());
}

TEST(RetouchCommandLine, HelpVersionAndUsageErrors)
{
    const testsupport::ProgramRun help = runRetouch({QStringLiteral("--help")});
    EXPECT_EQ(help.status, 0);
    ASSERT_FALSE(help.outLines().isEmpty());
    EXPECT_EQ(help.outLines()[0], QStringLiteral("usage: retouch [IMAGE]"));
    const testsupport::ProgramRun version = runRetouch({QStringLiteral("--version")});
    EXPECT_EQ(version.status, 0);
    EXPECT_EQ(version.outLines(), QStringList{QStringLiteral("retouch 1.0.0.0")});

    const testsupport::ProgramRun unknown = runRetouch({QStringLiteral("--frobnicate")});
    EXPECT_EQ(unknown.status, 2);
    EXPECT_EQ(unknown.errLines(), QStringList{QStringLiteral("retouch: Unknown option 'frobnicate'.")});
    EXPECT_EQ(runRetouch({QStringLiteral("--apply"), QStringLiteral("p.csv"), QStringLiteral("x.png")}).status, 2);
    EXPECT_EQ(runRetouch({QStringLiteral("--apply"), QStringLiteral("p.csv"), QStringLiteral("--quality"),
                          QStringLiteral("101"), QStringLiteral("--output"), QStringLiteral("."), QStringLiteral("x.png")})
                  .status,
              2);
    // "--" ends the options: a picture named like an option is a picture.
    const testsupport::ProgramRun dashed = runRetouch({QStringLiteral("--apply"), QStringLiteral("none.csv"), QStringLiteral("--output"),
                                   QStringLiteral("."), QStringLiteral("--"), QStringLiteral("--help")});
    EXPECT_EQ(dashed.status, 1);
    EXPECT_EQ(dashed.outLines(), QStringList{QStringLiteral("none.csv\tOffsets file open failed.[none.csv]")});
}
