// The built program's command line: --apply end to end, and usage.
#include "testimages.h"

#include <QDir>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <opencv2/imgcodecs.hpp>

using namespace retouchtest;

namespace {

struct ProgramRun {
    int status = -1;
    QStringList out;
    QStringList err;
};

ProgramRun runRetouch(const QStringList &arguments)
{
    QProcess process;
    process.start(QStringLiteral(RETOUCH_PROGRAM), arguments);
    ProgramRun run;
    if (!process.waitForFinished(60000))
        return run;
    run.status = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    run.out = QString::fromUtf8(process.readAllStandardOutput()).split(u'\n', Qt::SkipEmptyParts);
    run.err = QString::fromUtf8(process.readAllStandardError()).split(u'\n', Qt::SkipEmptyParts);
    return run;
}

bool writeText(const QString &path, const QByteArray &text)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(text) == text.size();
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
    ASSERT_TRUE(writeText(profile, "column,all,r,g,b\n5,10,0,0,0\n40,0,-3,0,0\ngamma,0\n"));
    const QString out = dir.filePath(QStringLiteral("out"));
    ASSERT_TRUE(QDir().mkpath(out));

    const ProgramRun run = runRetouch({QStringLiteral("--apply"), profile, QStringLiteral("--quality"),
                                QStringLiteral("90"), QStringLiteral("--output"), out, wide, narrow, scan});
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.out, QStringList({wide + QStringLiteral("\tok"),
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
    const QByteArray before = fileBytes(wide);
    const ProgramRun same = runRetouch({QStringLiteral("--apply"), profile, QStringLiteral("--output"), dir.path(), wide});
    EXPECT_EQ(same.status, 1);
    EXPECT_EQ(same.out, QStringList{wide + QStringLiteral("\tOutput would replace the source.[%1]").arg(wide)});
    EXPECT_EQ(fileBytes(wide), before);
}

TEST(RetouchCommandLine, HelpVersionAndUsageErrors)
{
    const ProgramRun help = runRetouch({QStringLiteral("--help")});
    EXPECT_EQ(help.status, 0);
    ASSERT_FALSE(help.out.isEmpty());
    EXPECT_EQ(help.out[0], QStringLiteral("usage: retouch [IMAGE]"));
    const ProgramRun version = runRetouch({QStringLiteral("--version")});
    EXPECT_EQ(version.status, 0);
    EXPECT_EQ(version.out, QStringList{QStringLiteral("retouch 1.0.0.0")});

    const ProgramRun unknown = runRetouch({QStringLiteral("--frobnicate")});
    EXPECT_EQ(unknown.status, 2);
    EXPECT_EQ(unknown.err, QStringList{QStringLiteral("retouch: Unknown option 'frobnicate'.")});
    EXPECT_EQ(runRetouch({QStringLiteral("--apply"), QStringLiteral("p.csv"), QStringLiteral("x.png")}).status, 2);
    EXPECT_EQ(runRetouch({QStringLiteral("--apply"), QStringLiteral("p.csv"), QStringLiteral("--quality"),
                          QStringLiteral("101"), QStringLiteral("--output"), QStringLiteral("."), QStringLiteral("x.png")})
                  .status,
              2);
    // "--" ends the options: a picture named like an option is a picture.
    const ProgramRun dashed = runRetouch({QStringLiteral("--apply"), QStringLiteral("none.csv"), QStringLiteral("--output"),
                                   QStringLiteral("."), QStringLiteral("--"), QStringLiteral("--help")});
    EXPECT_EQ(dashed.status, 1);
    EXPECT_EQ(dashed.out, QStringList{QStringLiteral("none.csv\tOffsets file open failed.[none.csv]")});
}
