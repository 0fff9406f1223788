// The built program: what it answers before any window, and a screenshot run
// that meets a message box.
#include "testfixtures.h"

#include <QFileInfo>
#include <QImage>
#include <QProcess>

#include <gtest/gtest.h>

namespace {

struct ProgramRun {
    bool finished = false;
    int status = -1;
    QString out;
    QString err;
};

ProgramRun bindery(const QStringList &arguments, const QString &configFolder)
{
    QProcess p;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("XDG_CONFIG_HOME"), configFolder);
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    p.setProcessEnvironment(env);
    p.start(QStringLiteral(VELLORAN_BUILD_DIR "/bindery/bindery"), arguments);
    ProgramRun run;
    // A window that waits would never end: give up well before the test's time.
    run.finished = p.waitForFinished(30000);
    if (!run.finished) {
        p.kill();
        p.waitForFinished(5000);
    }
    run.status = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
    run.out = QString::fromUtf8(p.readAllStandardOutput());
    run.err = QString::fromUtf8(p.readAllStandardError());
    return run;
}

} // namespace

TEST(BinderyProgram, HelpAndVersionAnswerWithoutStartingTheWindow)
{
    binderytest::Workspace ws;
    const QString config = ws.folder(QStringLiteral("config"));
    const ProgramRun help = bindery({QStringLiteral("--help")}, config);
    ASSERT_TRUE(help.finished);
    EXPECT_EQ(help.status, 0);
    EXPECT_TRUE(help.out.startsWith(QStringLiteral("usage: bindery"))) << help.out.toStdString();
    const ProgramRun version = bindery({QStringLiteral("--version")}, config);
    ASSERT_TRUE(version.finished);
    EXPECT_EQ(version.status, 0);
    EXPECT_EQ(version.out, QStringLiteral("Bindery 1.0.0.0\n"));
    const ProgramRun bad = bindery({QStringLiteral("--bogus"), ws.path(QStringLiteral("a.jpg"))}, config);
    ASSERT_TRUE(bad.finished);
    EXPECT_EQ(bad.status, 2);
    EXPECT_EQ(bad.err, QStringLiteral("bindery: unknown option --bogus\n"));
}

TEST(BinderyProgram, ScreenshotRunAnswersMessagesInsteadOfWaiting)
{
    binderytest::Workspace ws;
    const QString truncated = ws.file(QStringLiteral("cut.kvb"), QByteArray("\x05KVB\x02\x00\x00\x00\x80", 9));
    const QString shot = ws.path(QStringLiteral("shot.png"));
    const ProgramRun run = bindery({QStringLiteral("--screenshot"), shot, truncated}, ws.folder(QStringLiteral("config")));
    ASSERT_TRUE(run.finished) << "the run waited on a message box";
    EXPECT_EQ(run.status, 0);
    EXPECT_TRUE(run.err.contains(QStringLiteral("KVBファイルの読み出しに失敗しました。"))) << run.err.toStdString();
    EXPECT_FALSE(QImage(shot).isNull());
}
