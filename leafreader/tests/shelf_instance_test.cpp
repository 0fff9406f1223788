// The single-instance rule across two processes: the test process runs as the
// first copy and starts itself again as the second.
#include "platform/singleinstance.h"

#include <QCoreApplication>
#include <QProcess>
#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

#include <cstdio>

namespace {

const char *const kNameVariable = "SHELF_INSTANCE_TEST_NAME";

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
    const QString name = qEnvironmentVariable("SHELF_INSTANCE_HOLD_NAME");
    if (name.isEmpty())
        GTEST_SKIP() << "started by SingleInstance.ALockLeftByAKilledCopyIsTakenOver";
    platform::SingleInstance instance(name);
    ASSERT_EQ(instance.start(), platform::SingleInstance::Role::First);
    std::printf("ready\n");
    std::fflush(stdout);
    QTest::qWait(30000);
}

TEST(SingleInstance, SecondCopyRaisesTheFirst)
{
    const QString name = QStringLiteral("ShelfInstanceTest.%1").arg(QCoreApplication::applicationPid());
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
    QTRY_COMPARE_WITH_TIMEOUT(raised.count(), 1, 10000);
    QTRY_VERIFY_WITH_TIMEOUT(child.state() == QProcess::NotRunning, 10000);
    EXPECT_EQ(child.exitCode(), 0) << child.readAll().toStdString();
    EXPECT_EQ(raised.at(0).at(0).toString(), "/books/handed over.kvb");
}

TEST(SingleInstance, ALockLeftByAKilledCopyIsTakenOver)
{
    const QString name = QStringLiteral("ShelfInstanceStale.%1").arg(QCoreApplication::applicationPid());
    QProcess child;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("SHELF_INSTANCE_HOLD_NAME", name);
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
