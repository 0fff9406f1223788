// The command-line rules and the showing of names that every program shares.
#include "platform/commandline.h"
#include "platform/filenames.h"
#include "platform/paths.h"
#include "platform/prompt.h"
#include "platform/safefile.h"
#include "testsupport.h"

#include <QDir>
#include <QScopeGuard>
#include <QTemporaryDir>
#include <QUrl>

#include <gtest/gtest.h>

#include <algorithm>

using namespace platform;

namespace {

ProgramCommandLine programWithScreenshot()
{
    return ProgramCommandLine({QStringLiteral("prog"), QStringLiteral("Prog"), QStringLiteral("usage: prog\n")},
                              {QCommandLineOption(QStringLiteral("screenshot"), QString(), QStringLiteral("FILE"))});
}

} // namespace

TEST(ProgramCommandLine, HelpAndVersionEndTheProgramInsteadOfStartingIt)
{
    ProgramCommandLine line = programWithScreenshot();
    EXPECT_EQ(line.parse({"prog", "--help"}), ProgramCommandLine::Outcome::Help);
    EXPECT_EQ(line.parse({"prog", "book.kvb", "-h"}), ProgramCommandLine::Outcome::Help);
    EXPECT_EQ(line.parse({"prog", "--version"}), ProgramCommandLine::Outcome::Version);
    EXPECT_EQ(line.parse({"prog", "-v"}), ProgramCommandLine::Outcome::Version);
    EXPECT_EQ(line.versionLine(), QStringLiteral("Prog 1.0.0.0"));
    EXPECT_EQ(line.read({"prog", "--help"}), 0);
}

TEST(ProgramCommandLine, UnknownOptionsAreUsageErrorsNamingThem)
{
    ProgramCommandLine line = programWithScreenshot();
    EXPECT_EQ(line.parse({"prog", "--bogus", "a"}), ProgramCommandLine::Outcome::UsageError);
    EXPECT_EQ(line.error(), QStringLiteral("unknown option --bogus"));
    EXPECT_EQ(line.parse({"prog", "-x"}), ProgramCommandLine::Outcome::UsageError);
    EXPECT_EQ(line.error(), QStringLiteral("unknown option -x"));
    // A single dash and a word is one option, not a row of letters.
    EXPECT_EQ(line.parse({"prog", "-hv"}), ProgramCommandLine::Outcome::UsageError);
    EXPECT_EQ(line.error(), QStringLiteral("unknown option --hv"));
    EXPECT_EQ(line.parse({"prog", "--screenshot"}), ProgramCommandLine::Outcome::UsageError);
    EXPECT_FALSE(line.error().contains(u'\n'));
    EXPECT_EQ(line.read({"prog", "--bogus"}), 2);
}

TEST(ProgramCommandLine, DoubleDashEndsTheOptions)
{
    ProgramCommandLine line = programWithScreenshot();
    ASSERT_EQ(line.parse({"prog", "a", "--", "--title", "--output=x", "-h", "--"}), ProgramCommandLine::Outcome::Run);
    EXPECT_EQ(line.positionalArguments(), (QStringList{"a", "--title", "--output=x", "-h", "--"}));
    EXPECT_EQ(line.positionalBeforeEnd(), 1);
    // "--" as an option's value is that value, not the end of the options.
    ASSERT_EQ(line.parse({"prog", "--screenshot", "--", "a", "--", "/D"}), ProgramCommandLine::Outcome::Run);
    EXPECT_EQ(line.value(QStringLiteral("screenshot")), QStringLiteral("--"));
    EXPECT_EQ(line.positionalArguments(), (QStringList{"a", "/D"}));
    EXPECT_EQ(line.positionalBeforeEnd(), 1);
    ASSERT_EQ(line.parse({"prog", "--screenshot=s.png", "a", "b", "-"}), ProgramCommandLine::Outcome::Run);
    EXPECT_EQ(line.positionalBeforeEnd(), 3);
}

TEST(ProgramCommandLine, AnOptionValueThatIsNotUtf8IsAUsageErrorNotTheNextWord)
{
    // Left out, it would hand --screenshot the book after it, and the
    // screenshot would be written over the book.
    const char *shotFirst[] = {"prog", "--screenshot", "shot\xff.png", "book.kvb"};
    ProgramCommandLine line = programWithScreenshot();
    EXPECT_EQ(line.read(programArguments(4, shotFirst)), 2);
    // Anywhere else it is a name the program takes as its bytes; after "--"
    // no word is an option, so none has a value.
    const char *elsewhere[] = {"prog", "--screenshot", "s.png", "bad\xff.kvb", "--", "--screenshot", "x\xfe"};
    const ProgramArguments arguments = programArguments(7, elsewhere);
    EXPECT_EQ(line.read(arguments), std::nullopt);
    EXPECT_EQ(line.value(QStringLiteral("screenshot")), QStringLiteral("s.png"));
    EXPECT_EQ(line.positionalArguments(),
              (QStringList{nameFromBytes("bad\xff.kvb"), "--screenshot", nameFromBytes("x\xfe")}));
    EXPECT_EQ(arguments.unusable, (QStringList{"bad\\xff.kvb", "x\\xfe"}));
}

TEST(ShownText, ControlCharactersAreEscapedNeitherPassedNorCut)
{
    EXPECT_EQ(escapedText(u"\x1b[2Jtitle"), QStringLiteral("\\u001b[2Jtitle"));
    EXPECT_EQ(escapedText(QStringView(u"a\0b", 3)), QStringLiteral("a\\u0000b"));
    EXPECT_EQ(escapedText(u"\x9b" "1m\x7f"), QStringLiteral("\\u009b1m\\u007f"));
    EXPECT_EQ(escapedText(u"本 \U0001F600 C:\\x"), QStringLiteral("本 \U0001F600 C:\\x"));
    const QChar lone[] = {QChar(0xD800), QChar(u'x')};
    EXPECT_EQ(escapedText(QStringView(lone, 2)), QStringLiteral("\\ud800x"));
}

TEST(FileNames, NamesThatAreNotUtf8AreShownByTheirBytes)
{
    EXPECT_EQ(escapedName("a\xff" "b.jpg"), QStringLiteral("a\\xffb.jpg"));
    EXPECT_EQ(escapedName("\xe6\x9c\xac.jpg"), QStringLiteral("本.jpg"));
    EXPECT_EQ(escapedName("\xc0\xaf\xed\xa0\x80\x1b"), QStringLiteral("\\xc0\\xaf\\xed\\xa0\\x80\\u001b"));
    EXPECT_EQ(escapedName("\xe6\x9c"), QStringLiteral("\\xe6\\x9c"));
    EXPECT_TRUE(isRepresentableName("\xe6\x9c\xac.jpg"));
    EXPECT_FALSE(isRepresentableName("a\xff" "b.jpg"));
    EXPECT_FALSE(isRepresentableName("\xed\xa0\x80"));

    const char *argv[] = {"prog", "ok.jpg", "bad\xfe.jpg", "--title"};
    const ProgramArguments arguments = programArguments(4, argv);
    EXPECT_EQ(arguments.usable, (QStringList{"prog", "ok.jpg", nameFromBytes("bad\xfe.jpg"), "--title"}));
    EXPECT_EQ(arguments.unusable, QStringList{"bad\\xfe.jpg"});
    EXPECT_EQ(nameBytes(arguments.usable[2]), QByteArray("bad\xfe.jpg"));
}

TEST(FileNames, ANameKeepsItsBytesAndShowsAsUtf8ThenCp932ThenEscaped)
{
    QByteArray everyByte;
    for (int b = 1; b < 256; ++b)
        everyByte += char(b);
    const QByteArray names[] = {"\xe6\x9c\xac.jpg", "a\xff" "b.jpg", "\x93\xfa\x96\x7b.jpg", "\xed\xa0\x80",
                                "\xf0\x9f\x98\x80\xff", "\xed\xb2\x80", everyByte};
    for (const QByteArray &raw : names) {
        EXPECT_EQ(nameBytes(nameFromBytes(raw)), raw) << raw.toHex().constData();
        EXPECT_EQ(escapedText(nameFromBytes(raw)), escapedName(raw));
    }
    EXPECT_FALSE(carriesRawBytes(nameFromBytes("\xe6\x9c\xac.jpg")));
    EXPECT_TRUE(carriesRawBytes(nameFromBytes("a\xff")));
    // Text typed in this run is not mistaken for bytes: U+10080 is a pair.
    EXPECT_EQ(nameBytes(u"\U00010080"), QByteArray("\xf0\x90\x82\x80"));

    EXPECT_EQ(shownName(u"本.jpg"), QStringLiteral("本.jpg"));
    EXPECT_EQ(shownName(nameFromBytes("\x93\xfa\x96\x7b.jpg")), QStringLiteral("日本.jpg"));
    EXPECT_EQ(shownName(nameFromBytes("b\xff\xfe.kvb")), QStringLiteral("b\\xff\\xfe.kvb"));
    EXPECT_EQ(shownName(nameFromBytes("/tmp/\x93\xfa\x96\x7b/\xe6\x9c\xac/x\xff.jpg")),
              QStringLiteral("/tmp/日本/本/x\\xff.jpg"));
}

TEST(FileNames, FilesAreListedOpenedAndWrittenByTheirBytes)
{
    QTemporaryDir dir;
    const auto cleanup = qScopeGuard([&dir] { testsupport::removeRawNamedEntries(dir.path()); });
    ASSERT_TRUE(testsupport::writeRawNamedFile(dir.path(), "good.jpg", "1"));
    ASSERT_TRUE(testsupport::writeRawNamedFile(dir.path(), "\x93\xfa.jpg", "abc"));
    ASSERT_TRUE(testsupport::makeRawNamedFolder(dir.path(), "sub\xfe"));

    QList<FolderEntry> entries = folderEntries(dir.path());
    std::sort(entries.begin(), entries.end(), [](const auto &a, const auto &b) { return a.name < b.name; });
    ASSERT_EQ(entries.size(), 3);
    EXPECT_EQ(entries[0].name, QStringLiteral("good.jpg"));
    EXPECT_EQ(nameBytes(entries[1].name), QByteArray("sub\xfe"));
    EXPECT_TRUE(entries[1].isFolder);
    EXPECT_EQ(nameBytes(entries[2].name), QByteArray("\x93\xfa.jpg"));
    EXPECT_TRUE(entries[2].isFile);
    EXPECT_EQ(entries[2].size, 3);
    EXPECT_TRUE(folderEntries(dir.filePath(QStringLiteral("missing"))).isEmpty());

    const QString picture = joinPath(dir.path(), entries[2].name);
    EXPECT_TRUE(isFile(picture));
    EXPECT_EQ(pathInfo(picture).size, 3);
    EXPECT_TRUE(isFolder(joinPath(dir.path(), entries[1].name)));
    QFile file;
    ASSERT_TRUE(openFile(file, picture, QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), QByteArray("abc"));
    QFile folder;
    EXPECT_FALSE(openFile(folder, joinPath(dir.path(), entries[1].name), QIODevice::ReadOnly));
    EXPECT_EQ(canonicalPath(picture), joinPath(canonicalPath(dir.path()), entries[2].name));

    // Written under the same bytes, beside the folder and inside it.
    const QString copy = joinPath(joinPath(dir.path(), entries[1].name), nameFromBytes("c\xff.jpg"));
    ASSERT_TRUE(writeNewFile(copy, "xyz"));
    QFile written;
    ASSERT_TRUE(openFile(written, copy, QIODevice::ReadOnly));
    EXPECT_EQ(written.readAll(), QByteArray("xyz"));
    QFile truncated;
    ASSERT_TRUE(openFile(truncated, copy, QIODevice::WriteOnly));
    truncated.close();
    EXPECT_EQ(pathInfo(copy).size, 0);
    testsupport::removeRawNamedEntries(joinPath(dir.path(), entries[1].name));

    // A relative path, and a dropped file's URL.
    ASSERT_TRUE(QDir::setCurrent(dir.path()));
    EXPECT_EQ(absolutePath(QStringLiteral("./x/..//") + entries[2].name),
              joinPath(canonicalPath(dir.path()), entries[2].name));
    EXPECT_EQ(nameBytes(localPathOf(QUrl(QStringLiteral("file:///tmp/a%FF%E6%9C%AC.jpg")))),
              QByteArray("/tmp/a\xff\xe6\x9c\xac.jpg"));
    EXPECT_TRUE(localPathOf(QUrl(QStringLiteral("https://example.org/a.jpg"))).isEmpty());
    QDir::setCurrent(QDir::rootPath());
}

TEST(FileNames, FolderEntriesQtCannotListAreFound)
{
    QTemporaryDir dir;
    const auto cleanup = qScopeGuard([&dir] { testsupport::removeRawNamedEntries(dir.path()); });
    ASSERT_TRUE(testsupport::writeRawNamedFile(dir.path(), "good.jpg", {}));
    ASSERT_TRUE(testsupport::writeRawNamedFile(dir.path(), "bad\xff.jpg", {}));
    ASSERT_TRUE(testsupport::makeRawNamedFolder(dir.path(), "sub\xfe"));
    QList<UnrepresentableEntry> found = unrepresentableEntries(dir.path());
    std::sort(found.begin(), found.end(), [](const auto &a, const auto &b) { return a.name < b.name; });
    ASSERT_EQ(found.size(), 2);
    EXPECT_EQ(found[0].name, QByteArray("bad\xff.jpg"));
    EXPECT_FALSE(found[0].isFolder);
    EXPECT_EQ(found[0].shownPath(dir.path()), dir.path() + QStringLiteral("/bad\\xff.jpg"));
    EXPECT_TRUE(found[1].isFolder);
    EXPECT_TRUE(unrepresentableEntries(dir.filePath(QStringLiteral("missing"))).isEmpty());
}

TEST(UnattendedPrompt, AnswersAtOnceAndNeverAsksToRetry)
{
    UnattendedPrompt prompt;
    EXPECT_EQ(prompt.message(QStringLiteral("gone"), PromptIcon::Stop, PromptButtons::RetryCancel), PromptAnswer::Cancel);
    EXPECT_EQ(prompt.message(QStringLiteral("broken"), PromptIcon::Stop, PromptButtons::Ok), PromptAnswer::Ok);
    EXPECT_TRUE(prompt.openFile({}, {}, {}).isEmpty());
    EXPECT_EQ(prompt.texts(), (QStringList{"gone", "broken"}));
}
