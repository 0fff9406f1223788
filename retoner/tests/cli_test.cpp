// Runs the built program's batch mode end to end.
#include "core/imagebatch.h"
#include "core/settingsfile.h"

#include "qtprint.h"
#include "testsupport.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <opencv2/imgcodecs.hpp>
#include <opencv2/imgproc.hpp>

using namespace retoner;

namespace {

// The program's run with its standard output as lines.
struct ProgramRun {
    int status = -1;
    QStringList out;
    QString err;
};

ProgramRun runRetoner(const QStringList &arguments)
{
    const testsupport::ProgramRun run = testsupport::runProgram(QStringLiteral(RETONER_PROGRAM), arguments);
    return {run.status, run.outLines(), run.err};
}

class BatchCommandTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        cv::Mat colour(120, 160, CV_8UC3);
        for (int y = 0; y < colour.rows; ++y)
            for (int x = 0; x < colour.cols; ++x)
                colour.at<cv::Vec3b>(y, x) = cv::Vec3b(x, 255 - x, (x * 3 + y * 5) % 256);
        cv::Mat grey(90, 70, CV_8UC3);
        for (int y = 0; y < grey.rows; ++y)
            for (int x = 0; x < grey.cols; ++x)
                grey.at<cv::Vec3b>(y, x) = cv::Vec3b::all(static_cast<uchar>((x * 11 + y) % 256));
        m_colour = write(QStringLiteral("colour.png"), colour);
        m_grey = write(QStringLiteral("grey.bmp"), grey);
        m_out = m_dir.filePath(QStringLiteral("out"));
        QDir().mkpath(m_out);
    }
    QString write(const QString &name, const cv::Mat &image)
    {
        const QString path = m_dir.filePath(name);
        EXPECT_TRUE(cv::imwrite(QFile::encodeName(path).toStdString(), image));
        return path;
    }

    QTemporaryDir m_dir;
    QString m_colour, m_grey, m_out;
};

} // namespace

TEST_F(BatchCommandTest, ConvertsWithASettingsFileAndMatchesThePipeline)
{
    const QString tnp = m_dir.filePath(QStringLiteral("s.tnp"));
    ASSERT_EQ(runRetoner({QStringLiteral("--write-default-settings"), tnp}).status, 0);
    ToneSettings settings;
    ASSERT_TRUE(readSettingsFile(settings, tnp).ok());
    EXPECT_EQ(settings, ToneSettings());

    // PNG output, correction on with a tint, so the bytes can be compared.
    settings.output.format = FormatPng;
    settings.color.correctionEnabled = 1;
    settings.correction[ColorCorrectionTable::greyIndex(3)].saturationShift = 0.2f;
    ASSERT_EQ(writeSettingsFile(settings, tnp), SettingsWriteResult::Written);

    const ProgramRun run = runRetoner({QStringLiteral("--batch"), QStringLiteral("--settings"), tnp,
                             QStringLiteral("--output"), m_out, m_grey, m_colour});
    EXPECT_EQ(run.status, 0) << run.err.toStdString();
    EXPECT_EQ(run.out, (QStringList{m_colour + QStringLiteral("\tColor"), m_grey + QStringLiteral("\tMono"),
                                    QStringLiteral("完了しました。")}));

    // The same conversion in this process gives the same pixels.
    settings.outputFolder = m_out;
    ColorLut lut;
    buildColorLut(settings.correction, lut);
    const cv::Mat source = cv::imread(QFile::encodeName(m_colour).toStdString());
    cv::Mat expected;
    ASSERT_TRUE(toneConvert(settings, lut, source, expected, true, (160 + 70) / 2, (120 + 90) / 2));
    const cv::Mat written = cv::imread(QFile::encodeName(m_out + "/colour.png").toStdString());
    ASSERT_EQ(written.size(), cv::Size(57, 43));
    EXPECT_EQ(cv::norm(written, expected, cv::NORM_INF), 0);
    EXPECT_TRUE(QFile::exists(m_out + "/grey.png"));
}

TEST_F(BatchCommandTest, FailuresAndModesShowInTheLinesAndTheStatus)
{
    const QString broken = m_dir.filePath(QStringLiteral("broken.jpg"));
    ASSERT_TRUE(testsupport::writeFile(broken, "no picture"));

    ProgramRun run = runRetoner({QStringLiteral("--batch"), QStringLiteral("--classify"), QStringLiteral("3"),
                       QStringLiteral("--output"), m_out, m_colour, broken});
    EXPECT_EQ(run.status, 1);
    // Registration, then the conversion's failed file with its reason.
    EXPECT_EQ(run.out, (QStringList{broken + QStringLiteral("\t画像ファイルの読み出しに失敗しました。"),
                                    m_colour + QStringLiteral("\tMono"),
                                    broken + QStringLiteral("\t画像ファイルの読み出しに失敗しました。"),
                                    QStringLiteral("1 個のファイルの保存に失敗しました。")}));
    EXPECT_TRUE(QFile::exists(m_out + "/colour.jpg"));

    // Nothing to register.
    run = runRetoner({QStringLiteral("--batch"), QStringLiteral("--output"), m_out, m_dir.filePath("x.txt")});
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.out.last(),
              QStringLiteral("対象ファイルが見つかりません。\n拡張子は jpg, jpeg, png, bmp のみ対応しています。")
                  .split(u'\n')
                  .last());

    EXPECT_EQ(runRetoner({QStringLiteral("--batch"), QStringLiteral("--classify"), QStringLiteral("4"),
                       m_colour})
                  .status,
              2);
}

TEST_F(BatchCommandTest, ABadSettingsFileStopsBeforeAnythingIsConverted)
{
    const QString tnp = m_dir.filePath(QStringLiteral("bad.tnp"));
    ASSERT_TRUE(testsupport::writeFile(tnp, "ColorParam,5,1,120,1\r\n"));
    const ProgramRun run = runRetoner({QStringLiteral("--batch"), QStringLiteral("--settings"), tnp,
                             QStringLiteral("--output"), m_out, m_colour});
    EXPECT_EQ(run.status, 1);
    EXPECT_TRUE(run.out.isEmpty());
    EXPECT_EQ(run.err.trimmed(), QStringLiteral("設定ファイルの読み出しでエラーが発生しました。（2 回）"));
    EXPECT_TRUE(QDir(m_out).isEmpty());

    EXPECT_EQ(runRetoner({QStringLiteral("--batch"), QStringLiteral("--settings"), tnp + "x",
                       QStringLiteral("--output"), m_out, m_colour})
                  .err.trimmed(),
              QStringLiteral("設定ファイルの読み出しに失敗しました。(Open)"));
}

// A mistyped --output was reported only after every file had been decoded.
TEST_F(BatchCommandTest, AMissingOutputFolderIsReportedBeforeAnythingIsDecoded)
{
    ProgramRun run = runRetoner({QStringLiteral("--batch"), m_colour});
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.out, QStringList(QStringLiteral("保存フォルダーが見つかりません。")));
    run = runRetoner({QStringLiteral("--batch"), QStringLiteral("--output"), m_out + "/missing", m_colour, m_grey});
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.out, QStringList(QStringLiteral("保存フォルダーが見つかりません。")));
}

// --help and --version used to start the window.
TEST_F(BatchCommandTest, HelpVersionUnknownOptionsAndTheEndOfOptions)
{
    ProgramRun run = runRetoner({QStringLiteral("--help")});
    EXPECT_EQ(run.status, 0);
    EXPECT_TRUE(run.out.value(0).startsWith(QStringLiteral("usage: retoner")));
    EXPECT_TRUE(run.out.join(u'\n').contains(QStringLiteral("--  ")));
    run = runRetoner({QStringLiteral("--version")});
    EXPECT_EQ(run.status, 0);
    EXPECT_TRUE(run.out.value(0).startsWith(QStringLiteral("Retoner ")));

    run = runRetoner({QStringLiteral("--bogus"), m_colour});
    EXPECT_EQ(run.status, 2);
    EXPECT_TRUE(run.out.isEmpty());
    EXPECT_EQ(run.err.trimmed().count(u'\n'), 0);
    EXPECT_TRUE(run.err.contains(QStringLiteral("bogus")));

    // After "--" a word that looks like an option is a file.
    const QString odd = m_dir.filePath(QStringLiteral("--output=x.png"));
    ASSERT_TRUE(QFile::copy(m_colour, odd));
    const QString before = QDir::currentPath();
    QDir::setCurrent(m_dir.path());
    run = runRetoner({QStringLiteral("--batch"), QStringLiteral("--output"), m_out, QStringLiteral("--"),
                      QStringLiteral("--output=x.png")});
    QDir::setCurrent(before);
    EXPECT_EQ(run.status, 0) << run.err.toStdString();
    EXPECT_TRUE(QFile::exists(m_out + QStringLiteral("/--output=x.jpg")));
}
