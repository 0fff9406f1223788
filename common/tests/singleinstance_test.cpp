// The single-instance rule across two processes: the test process runs as the
// first copy and starts itself again as the second.
#include "ui/singleinstance.h"

#include <QCoreApplication>
#include <QProcess>
#include <QElapsedTimer>
#include <QSignalSpy>
#include <QTest>
#include <QThread>

#include <functional>

#include <gtest/gtest.h>

#include <cstdio>

namespace {

const char *const kNameVariable = "SINGLE_INSTANCE_TEST_NAME";

// Runs the event loop until the condition holds or 10 s have passed.
bool waitUntil(const std::function<bool()> &condition)
{
    QElapsedTimer clock;
    clock.start();
    while (!condition()) {
        if (clock.elapsed() > 10000)
            return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        QThread::msleep(5);
    }
    return true;
}

} // namespace

// Runs only inside the child process the test below starts.
TEST(SingleInstanceChild, ActsAsSecondCopy)
{
    const QString name = qEnvironmentVariable(kNameVariable);
    if (name.isEmpty())
        GTEST_SKIP() << "started by SingleInstance.SecondCopyRaisesTheFirst";
    platform::SingleInstance instance(name);
    EXPECT_EQ(instance.start("/books/handed over.kvb"), platform::SingleInstance::Role::Second);
}

// Takes the first place and keeps it until it is killed.
TEST(SingleInstanceChild, HoldsTheLock)
{
    const QString name = qEnvironmentVariable("SINGLE_INSTANCE_HOLD_NAME");
    if (name.isEmpty())
        GTEST_SKIP() << "started by SingleInstance.ALockLeftByAKilledCopyIsTakenOver";
    platform::SingleInstance instance(name);
    ASSERT_EQ(instance.start(), platform::SingleInstance::Role::First);
    std::printf("ready\n");
    std::fflush(stdout);
    QThread::sleep(30);
}

TEST(SingleInstance, SecondCopyRaisesTheFirst)
{
    const QString name = QStringLiteral("SingleInstanceTest.%1").arg(QCoreApplication::applicationPid());
    platform::SingleInstance first(name);
    ASSERT_EQ(first.start(), platform::SingleInstance::Role::First);
    QSignalSpy raised(&first, &platform::SingleInstance::activationRequested);

    QProcess child;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(kNameVariable, name);
    child.setProcessEnvironment(env);
    child.setProcessChannelMode(QProcess::MergedChannels);
    child.start(QCoreApplication::applicationFilePath(),
                {"--gtest_filter=SingleInstanceChild.ActsAsSecondCopy"});
    ASSERT_TRUE(child.waitForStarted(5000));
    // The child waits for our answer, so keep the event loop running.
    EXPECT_TRUE(waitUntil([&] { return raised.count() == 1; }));
    EXPECT_TRUE(waitUntil([&] { return child.state() == QProcess::NotRunning; }));
    ASSERT_EQ(raised.count(), 1) << child.readAll().toStdString();
    EXPECT_EQ(child.exitCode(), 0) << child.readAll().toStdString();
    EXPECT_EQ(raised.at(0).at(0).toString(), "/books/handed over.kvb");
}

TEST(SingleInstance, ALockLeftByAKilledCopyIsTakenOver)
{
    const QString name = QStringLiteral("SingleInstanceStale.%1").arg(QCoreApplication::applicationPid());
    QProcess child;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("SINGLE_INSTANCE_HOLD_NAME", name);
    child.setProcessEnvironment(env);
    child.start(QCoreApplication::applicationFilePath(), {"--gtest_filter=SingleInstanceChild.HoldsTheLock"});
    ASSERT_TRUE(child.waitForStarted(5000));
    QByteArray output;
    while (!output.contains("ready") && child.waitForReadyRead(10000))
        output += child.readAllStandardOutput();
    ASSERT_TRUE(output.contains("ready"));
    child.kill(); // no chance to remove its lock or socket
    child.waitForFinished(5000);

    platform::SingleInstance next(name);
    EXPECT_EQ(next.start(), platform::SingleInstance::Role::First);
}
