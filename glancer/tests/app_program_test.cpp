// The program as a process: its command line, a screenshot run, and one
// running copy per user.
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>

#include "tests/testsupport.h"

#include <gtest/gtest.h>

#include <unistd.h>

namespace {

class ProgramTest : public testing::Test {
protected:
    ProgramTest()
    {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("QT_QPA_PLATFORM", "offscreen");
        env.insert("XDG_CONFIG_HOME", m_home.filePath("config"));
        env.insert("XDG_DATA_HOME", m_home.filePath("data"));
        // The single-instance lock and socket live in the temporary folder.
        env.insert("TMPDIR", m_home.path());
        m_env = env;
    }
    int run(const QStringList &arguments, QByteArray *out = nullptr, QByteArray *err = nullptr, int ms = 60000)
    {
        QProcess process;
        process.setProcessEnvironment(m_env);
        process.start(QStringLiteral(GLANCER_PROGRAM), arguments);
        if (!process.waitForFinished(ms)) {
            process.kill();
            process.waitForFinished();
            return -1;
        }
        if (out)
            *out = process.readAllStandardOutput();
        if (err)
            *err = process.readAllStandardError();
        return process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    }

    QTemporaryDir m_home;
    QProcessEnvironment m_env;
};

} // namespace

TEST_F(ProgramTest, HelpVersionAndUsageErrors)
{
    QByteArray out, err;
    EXPECT_EQ(run({"--help"}, &out), 0);
    EXPECT_TRUE(out.startsWith("usage: glancer")) << out.constData();
    EXPECT_EQ(run({"--version"}, &out), 0);
    EXPECT_TRUE(out.startsWith("glancer 1.")) << out.constData();
    EXPECT_EQ(run({"--bogus"}, &out, &err), 2);
    EXPECT_EQ(err.count('\n'), 1);
    EXPECT_TRUE(err.contains("bogus")) << err.constData();
    EXPECT_EQ(run({"a", "b"}, &out, &err), 2);
}

TEST_F(ProgramTest, ScreenshotOfAFolderAndOfAnImage)
{
    const QString folder = m_home.filePath("--pages");
    QDir().mkpath(folder);
    ASSERT_TRUE(testsupport::writeFile(folder + "/a.jpg",
                                       testsupport::encode(testsupport::cornerPicture(200, 300), "JPG")));
    const QString listShot = m_home.filePath("list.png");
    EXPECT_EQ(run({"--screenshot", listShot, "--", folder}), 0);
    EXPECT_FALSE(QImage(listShot).isNull());
    const QString pageShot = m_home.filePath("page.png");
    EXPECT_EQ(run({"--screenshot", pageShot, "--", folder + "/a.jpg"}), 0);
    const QImage page(pageShot);
    ASSERT_FALSE(page.isNull());
    // The preview: grey around a page, not the black list.
    EXPECT_EQ(page.pixel(2, 2), qRgb(96, 96, 96));
}

TEST_F(ProgramTest, SecondCopyBringsTheFirstForwardAndEnds)
{
    QProcess first;
    first.setProcessEnvironment(m_env);
    first.start(QStringLiteral(GLANCER_PROGRAM), QStringList{});
    ASSERT_TRUE(first.waitForStarted());
    const QString socket = m_home.path() + "/Glancer.2023.Velloran." + QString::number(::getuid());
    for (int i = 0; i < 300 && !QFile::exists(socket); ++i)
        QThread::msleep(100);
    ASSERT_TRUE(QFile::exists(socket));

    EXPECT_EQ(run({m_home.path()}, nullptr, nullptr, 20000), 0);
    EXPECT_EQ(first.state(), QProcess::Running);
    first.terminate();
    if (!first.waitForFinished(10000)) {
        first.kill();
        first.waitForFinished();
    }
}
