#include "platform/commandline.h"
#include "platform/drives.h"
#include "platform/foldermove.h"
#include "platform/cp932.h"
#include "platform/orderedwork.h"
#include "platform/paths.h"
#include "platform/prompt.h"
#include "platform/safefile.h"
#include "platform/settings.h"
#include "platform/textcompare.h"
#include "platform/version.h"
#include "testsupport.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <thread>
#include <csignal>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace platform;

TEST(PlatformText, LogicalCompareOrdersNumbersByValueAndIgnoresCase)
{
    QStringList names{QStringLiteral("Vol10"), QStringLiteral("vol2"), QStringLiteral("Vol1"),
                      QStringLiteral("vol02b"), QStringLiteral("a"), QStringLiteral("B"),
                      QStringLiteral("Vol2a")};
    std::sort(names.begin(), names.end(),
              [](const QString &a, const QString &b) { return logicalCompare(a, b) < 0; });
    EXPECT_EQ(names, (QStringList{"a", "B", "Vol1", "vol02b", "vol2", "Vol2a", "Vol10"}));
    EXPECT_EQ(logicalCompare(u"ABC", u"abc"), 0);
    EXPECT_LT(logicalCompare(u"abc", u"abcd"), 0);
    EXPECT_GT(logicalCompare(u"x99999999999999999999", u"x100"), 0); // longer than 64 bits
}

TEST(PlatformText, HalfWidthAndControlCharacters)
{
    EXPECT_TRUE(isHalfWidth(u"Abc 123!~"));
    EXPECT_TRUE(isHalfWidth(u"ｱｲｳﾟ"));
    EXPECT_FALSE(isHalfWidth(u"abcあ"));
    EXPECT_FALSE(isHalfWidth(u"ＡＢＣ"));
    EXPECT_TRUE(isControlCharacter(QChar(u'\t')));
    EXPECT_TRUE(isControlCharacter(QChar(0x7F)));
    EXPECT_TRUE(isControlCharacter(QChar(0x85)));
    EXPECT_FALSE(isControlCharacter(QChar(u' ')));
    EXPECT_FALSE(isControlCharacter(QChar(u'本')));
    EXPECT_TRUE(hasControlCharacter(u"題名\x1f"));
    EXPECT_FALSE(hasControlCharacter(u"題名 です"));
}

TEST(PlatformText, UnmarkedNamesAreUtf8WhereValidElseCp932)
{
    // A name is UTF-8 when its bytes are, else CP932: "表紙/ソ.jpg" in CP932
    // has 0x5C as a second byte twice and is not valid UTF-8.
    EXPECT_EQ(decodeUtf8OrCp932(QStringLiteral("表紙/ソ.jpg").toUtf8()), QStringLiteral("表紙/ソ.jpg"));
    EXPECT_EQ(decodeUtf8OrCp932(QByteArray("\x95\x5c\x8e\x86/\x83\x5c.jpg")), QStringLiteral("表紙/ソ.jpg"));
    EXPECT_FALSE(isValidUtf8(QByteArray("\xc0\xaf"))); // overlong '/'
    EXPECT_FALSE(isValidUtf8(QByteArray("\xed\xa0\x80"))); // a surrogate
}

TEST(PlatformPaths, SplitsOnTheLastSlash)
{
    EXPECT_EQ(folderOf(u"/a/b/c.kvb"), QStringLiteral("/a/b"));
    EXPECT_EQ(folderOf(u"c.kvb"), QString());
    EXPECT_EQ(fileNameOf(u"/a/b/c.tar.kvb"), QStringLiteral("c.tar.kvb"));
    EXPECT_EQ(extensionOf(u"/a.b/c"), QString());
    EXPECT_EQ(extensionOf(u"/a/c.JPEG"), QStringLiteral("JPEG"));
    EXPECT_EQ(baseNameOf(u"/a/c.tar.kvb"), QStringLiteral("c.tar"));
    EXPECT_EQ(joinPath(u"/a/", u"b"), QStringLiteral("/a/b"));
    EXPECT_EQ(joinPath(u"/a", u"b"), QStringLiteral("/a/b"));
    EXPECT_EQ(withoutTrailingSlash(u"/a/b//"), QStringLiteral("/a/b"));
    EXPECT_EQ(withoutTrailingSlash(u"/"), QStringLiteral("/"));
}

TEST(PlatformFolderMove, UpOneFolderAndDriveListRules)
{
    const QStringList roots = {"/", "/media/usb"};
    FolderMove m = upOneFolder("/a/b/c", roots);
    EXPECT_EQ(m.folder, "/a/b");
    EXPECT_EQ(m.selectName, "c");
    m = upOneFolder("/a/b/c/", roots); // a trailing slash is ignored
    EXPECT_EQ(m.folder, "/a/b");
    EXPECT_EQ(m.selectName, "c");
    m = upOneFolder("/a", roots);
    EXPECT_EQ(m.folder, "/");
    EXPECT_EQ(m.selectName, "a");
    m = upOneFolder("/", roots);
    EXPECT_TRUE(m.folder.isEmpty());
    EXPECT_EQ(m.selectName, "/");
    m = upOneFolder("/media/usb", roots);
    EXPECT_TRUE(m.folder.isEmpty());
    EXPECT_EQ(m.selectName, "/media/usb");
    m = toDriveList("/media/usb/books/x", roots);
    EXPECT_EQ(m.selectName, "/media/usb");
    m = toDriveList("/home/me", roots);
    EXPECT_EQ(m.selectName, "/");

    // Drive rows keep "root|display name"; the root is what a move compares.
    EXPECT_EQ(driveRootOf(Drive{"/media/usb", "USB"}.rowPath()), "/media/usb");
    EXPECT_EQ(driveRoots({{"/", "System"}, {"/media/usb", "USB"}}), roots);
}

TEST(PlatformSettings, StoreIsAnIniFileUnderTheCompanyInGroupSettings)
{
    {
        auto store = openSettings(QStringLiteral("UnitTest"));
        store->setValue(QStringLiteral("PageSpread"), 1);
    }
    const QString config = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
    QFile ini(config + QStringLiteral("/Velloran/UnitTest.ini"));
    ASSERT_TRUE(ini.open(QIODevice::ReadOnly));
    const QByteArray text = ini.readAll();
    EXPECT_TRUE(text.contains("[Settings]"));
    EXPECT_TRUE(text.contains("PageSpread=1"));
    EXPECT_EQ(openSettings(QStringLiteral("UnitTest"))->value(QStringLiteral("PageSpread")).toInt(), 1);
    EXPECT_TRUE(QFileInfo(localDataFolder(QStringLiteral("UnitTest"))).isDir());
}

namespace {

QStringList temporaries(const QTemporaryDir &dir)
{
    return QDir(dir.path()).entryList({QStringLiteral("$KV*.tmp")}, QDir::Files | QDir::Hidden);
}

bool writeAtomically(const QString &path, FileRole role, const QByteArray &bytes)
{
    AtomicFile file(path, role);
    return file.open() && file.write(bytes) && file.commit();
}

mode_t modeOf(const QString &path)
{
    struct stat st;
    return ::lstat(QFile::encodeName(path).constData(), &st) == 0 ? st.st_mode : 0;
}

} // namespace

TEST(PlatformSafeFile, ReplaceIsWholeOrNothingAndRefusesFolders)
{
    QTemporaryDir dir;
    const QString target = dir.filePath(QStringLiteral("book.kvb"));
    ASSERT_TRUE(testsupport::writeFile(target, "old"));
    {
        AtomicFile file(target, FileRole::Document);
        ASSERT_TRUE(file.open());
        ASSERT_TRUE(file.write("new, longer"));
        EXPECT_EQ(temporaries(dir).size(), 1);
        EXPECT_EQ(testsupport::readFile(target), QByteArray("old"));
    } // never committed
    EXPECT_EQ(testsupport::readFile(target), QByteArray("old"));
    EXPECT_TRUE(temporaries(dir).isEmpty());
    ASSERT_TRUE(writeAtomically(target, FileRole::Document, "new"));
    EXPECT_EQ(testsupport::readFile(target), QByteArray("new"));

    const QString folder = dir.filePath(QStringLiteral("folder.kvb"));
    ASSERT_TRUE(QDir().mkpath(folder + QStringLiteral("/inside")));
    EXPECT_FALSE(writeAtomically(folder, FileRole::Document, "x"));
    EXPECT_FALSE(writeAtomically(folder, FileRole::Output, "x"));
    EXPECT_FALSE(writeAtomically(dir.filePath(QStringLiteral("missing/x.kvb")), FileRole::Document, "x"));
    EXPECT_FALSE(writeAtomically(QString(), FileRole::Document, "x"));
    EXPECT_TRUE(QFileInfo(folder).isDir());
    EXPECT_TRUE(temporaries(dir).isEmpty());
}

TEST(PlatformSafeFile, SavingThroughALinkReplacesTheLinkedFileKeepingModeAndOwner)
{
    QTemporaryDir dir;
    ASSERT_TRUE(QDir().mkpath(dir.filePath(QStringLiteral("shelf"))));
    const QString real = dir.filePath(QStringLiteral("shelf/real.kvb"));
    ASSERT_TRUE(testsupport::writeFile(real, "old"));
    ASSERT_EQ(::chmod(QFile::encodeName(real).constData(), 0640), 0);
    ASSERT_TRUE(testsupport::giveToUnprivileged(real));
    struct stat before;
    ASSERT_EQ(::stat(QFile::encodeName(real).constData(), &before), 0);
    // A chain of two links, the first one relative.
    const QString link = dir.filePath(QStringLiteral("link.kvb"));
    const QString outer = dir.filePath(QStringLiteral("outer.kvb"));
    ASSERT_EQ(::symlink("shelf/real.kvb", QFile::encodeName(link).constData()), 0);
    ASSERT_TRUE(QFile::link(link, outer));

    ASSERT_TRUE(writeAtomically(outer, FileRole::Document, "new"));
    EXPECT_TRUE(QFileInfo(outer).isSymLink());
    EXPECT_TRUE(QFileInfo(link).isSymLink());
    EXPECT_EQ(testsupport::readFile(real), QByteArray("new"));
    struct stat after;
    ASSERT_EQ(::stat(QFile::encodeName(real).constData(), &after), 0);
    EXPECT_EQ(after.st_mode & 07777, 0640u);
    EXPECT_EQ(after.st_uid, before.st_uid);
    EXPECT_EQ(after.st_gid, before.st_gid);
    EXPECT_TRUE(QDir(dir.filePath(QStringLiteral("shelf"))).entryList({QStringLiteral("$KV*")}, QDir::Files | QDir::Hidden).isEmpty());

    // An output file never writes through a link: the link itself goes.
    ASSERT_TRUE(writeAtomically(link, FileRole::Output, "page"));
    EXPECT_FALSE(QFileInfo(link).isSymLink());
    EXPECT_EQ(testsupport::readFile(link), QByteArray("page"));
    EXPECT_EQ(testsupport::readFile(real), QByteArray("new"));
    EXPECT_TRUE(S_ISREG(modeOf(link)));

    // A loop of links is refused.
    const QString loop = dir.filePath(QStringLiteral("loop.kvb"));
    ASSERT_TRUE(QFile::link(loop, loop));
    EXPECT_FALSE(writeAtomically(loop, FileRole::Document, "x"));
}

TEST(PlatformSafeFile, FilesAndFoldersTheUserMayNotWriteAreRefusedNotReplaced)
{
    QTemporaryDir dir;
    ASSERT_TRUE(testsupport::giveToUnprivileged(dir.path()));
    const QString readOnly = dir.filePath(QStringLiteral("read-only.kvb"));
    ASSERT_TRUE(testsupport::writeFile(readOnly, "kept"));
    ASSERT_EQ(::chmod(QFile::encodeName(readOnly).constData(), 0444), 0);
    ASSERT_TRUE(testsupport::giveToUnprivileged(readOnly));
    const QString lockedFolder = dir.filePath(QStringLiteral("locked"));
    ASSERT_TRUE(QDir().mkpath(lockedFolder));
    const QString writable = lockedFolder + QStringLiteral("/writable.kvb");
    ASSERT_TRUE(testsupport::writeFile(writable, "kept"));
    ASSERT_TRUE(testsupport::giveToUnprivileged(writable));
    ASSERT_TRUE(testsupport::giveToUnprivileged(lockedFolder));
    ASSERT_EQ(::chmod(QFile::encodeName(lockedFolder).constData(), 0555), 0);

    const int failures = testsupport::runUnprivileged([&] {
        int bits = 0;
        if (writeAtomically(readOnly, FileRole::Document, "new"))
            bits |= 1;
        if (writeAtomically(readOnly, FileRole::Output, "new"))
            bits |= 2;
        // No temporary file can be made beside it, and it is not rewritten in place.
        if (writeAtomically(writable, FileRole::Document, "new"))
            bits |= 4;
        // Where the user may write, the same user can.
        if (!writeAtomically(dir.filePath(QStringLiteral("new.kvb")), FileRole::Document, "new"))
            bits |= 8;
        return bits;
    });
    ::chmod(QFile::encodeName(lockedFolder).constData(), 0755);
    if (failures == testsupport::kUnprivilegedUnavailable)
        GTEST_SKIP() << "no unprivileged user to run as";
    EXPECT_EQ(failures, 0);
    EXPECT_EQ(testsupport::readFile(readOnly), QByteArray("kept"));
    EXPECT_EQ(modeOf(readOnly) & 07777, 0444u);
    EXPECT_EQ(testsupport::readFile(writable), QByteArray("kept"));
    EXPECT_TRUE(temporaries(dir).isEmpty());
}

TEST(PlatformSafeFile, TemporaryFilesOfKilledWritersAreRemovedAndLiveOnesKept)
{
    QTemporaryDir dir;
    int ready[2];
    ASSERT_EQ(::pipe(ready), 0);
    const pid_t writer = ::fork();
    ASSERT_GE(writer, 0);
    if (writer == 0) {
        AtomicFile file(dir.filePath(QStringLiteral("slow.kvb")), FileRole::Document);
        const char state = file.open() && file.write("half a book") ? 'w' : 'f';
        (void)!::write(ready[1], &state, 1);
        for (;;)
            ::pause();
    }
    ::close(ready[1]);
    char state = 0;
    ASSERT_EQ(::read(ready[0], &state, 1), 1);
    ::close(ready[0]);
    ASSERT_EQ(state, 'w');
    const QStringList left = temporaries(dir);
    ASSERT_EQ(left.size(), 1);

    // The writer is still at work: its file stays.
    EXPECT_TRUE(writeAtomically(dir.filePath(QStringLiteral("a.kvb")), FileRole::Document, "a"));
    EXPECT_EQ(temporaries(dir), left);

    ::kill(writer, SIGKILL);
    ::waitpid(writer, nullptr, 0);
    EXPECT_EQ(temporaries(dir), left);
    EXPECT_TRUE(writeAtomically(dir.filePath(QStringLiteral("b.kvb")), FileRole::Output, "b"));
    EXPECT_TRUE(temporaries(dir).isEmpty());
    EXPECT_FALSE(QFile::exists(dir.filePath(QStringLiteral("slow.kvb"))));
}

TEST(PlatformPrompt, ScriptedPromptRecordsAndAnswers)
{
    ScriptedPrompt prompt;
    prompt.planAnswer(PromptAnswer::Cancel);
    EXPECT_EQ(prompt.message(QStringLiteral("q?"), PromptIcon::Question, PromptButtons::OkCancel),
              PromptAnswer::Cancel);
    // Unplanned questions take the first button.
    EXPECT_EQ(prompt.message(QStringLiteral("y?"), PromptIcon::Question, PromptButtons::YesNo),
              PromptAnswer::Yes);
    prompt.planFiles({QStringLiteral("/x/a.jpg"), QStringLiteral("/x/b.jpg")});
    EXPECT_EQ(prompt.openFiles({}, QStringLiteral("/x"), {}).size(), 2);
    EXPECT_TRUE(prompt.saveFile({}, QStringLiteral("/x/p.kvb"), {}).isEmpty()); // unplanned: cancelled
    EXPECT_EQ(prompt.texts(), (QStringList{"q?", "y?"}));
    ASSERT_EQ(prompt.dialogs().size(), 2u);
    EXPECT_EQ(prompt.dialogs()[1].start, QStringLiteral("/x/p.kvb"));
    prompt.beep();
    EXPECT_EQ(prompt.beeps(), 1);
}

TEST(PlatformConsole, PrintLineWritesUtf8AndALineEndAtOnce)
{
    FILE *stream = std::tmpfile();
    ASSERT_NE(stream, nullptr);
    printLine(stream, QStringLiteral("頁\tok"));
    // Flushed: the bytes are in the file before the stream is closed.
    QFile file;
    ASSERT_TRUE(file.open(fileno(stream), QIODevice::ReadOnly));
    file.seek(0);
    EXPECT_EQ(file.readAll(), QByteArray("\xe9\xa0\x81\tok\n"));
    file.close();
    std::fclose(stream);
}

TEST(PlatformVersion, FourNumbersWithLeadingSpace)
{
    EXPECT_TRUE(QRegularExpression(QStringLiteral("^ \\d+\\.\\d+\\.\\d+\\.\\d+$")).match(versionText()).hasMatch());
}

// Results come in item order however the workers finish, and no more items
// are made ahead than allowed (each holds a full-size picture in a batch).
TEST(PlatformOrderedWork, ItemOrderAndABoundOnTheItemsMadeAhead)
{
    std::atomic<int> running{0}, mostRunning{0}, made{0};
    {
        OrderedWork<int> work(
            40,
            [&](size_t index) {
                const int now = ++running;
                int most = mostRunning;
                while (now > most && !mostRunning.compare_exchange_weak(most, now)) {
                }
                // Even items take longer, so odd ones finish first.
                std::this_thread::sleep_for(std::chrono::milliseconds(index % 2 ? 1 : 4));
                ++made;
                --running;
                return int(index) * 3;
            },
            3, 2);
        for (int i = 0; i < 30; ++i) {
            ASSERT_EQ(work.takeNext(), i * 3);
            // Taken, made and waiting: never more than two beyond what was taken.
            EXPECT_LE(made.load(), i + 1 + 2);
        }
        // Going away with items left: those being made finish, no others start.
    }
    EXPECT_LE(mostRunning.load(), 2);
    EXPECT_LE(made.load(), 32);
    EXPECT_EQ(running.load(), 0);
}
