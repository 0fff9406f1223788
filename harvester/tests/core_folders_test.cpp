// The walkers, the run log and the folder-tree operations.
#include "testfixtures.h"

#include "core/filewalker.h"
#include "core/foldertree.h"
#include "core/runlog.h"

#include <QDir>
#include <QFile>
#include <QProcess>

#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace harvester;
using harvestertest::Workspace;
using harvestertest::exists;

namespace {

QStringList relative(const Workspace &ws, const QStringList &paths)
{
    QStringList result;
    for (const QString &p : paths)
        result.append(p.mid(ws.path().size() + 1));
    return result;
}

// A tree with mixed-case names, a subfolder whose contents follow it, a link
// back to the top (a loop) and a link to a folder outside.
void buildTree(const Workspace &ws)
{
    ws.file(QStringLiteral("top/b.pdf"), "x");
    ws.file(QStringLiteral("top/A.PDF"), "x");
    ws.file(QStringLiteral("top/c.txt"), "x");
    ws.file(QStringLiteral("top/a_sub/z.pdf"), "x");
    ws.file(QStringLiteral("top/a_sub/deeper/y.pdf"), "x");
    ws.file(QStringLiteral("top/C2.pdf"), "x");
    ws.file(QStringLiteral("top/.hidden.pdf"), "x");
    ws.file(QStringLiteral("outside/o.pdf"), "x");
    QFile::link(ws.path(QStringLiteral("top")), ws.path(QStringLiteral("top/a_sub/loop")));
    QFile::link(ws.path(QStringLiteral("outside")), ws.path(QStringLiteral("top/outlink")));
    QFile::link(ws.path(QStringLiteral("top/b.pdf")), ws.path(QStringLiteral("top/d_link.pdf")));
    QFile::link(ws.path(QStringLiteral("nowhere.pdf")), ws.path(QStringLiteral("top/e_broken.pdf")));
}

} // namespace

TEST(Walkers, VisitNamesInCaseBlindOrderDepthFirstWithoutFollowingFolderLinks)
{
    Workspace ws;
    buildTree(ws);
    ::mkfifo(QFile::encodeName(ws.path(QStringLiteral("top/f_pipe.pdf"))).constData(), 0600);

    CTypedFileWalker flat(QStringLiteral("pdf"));
    EXPECT_TRUE(flat.Walk(ws.path(QStringLiteral("top")), false));
    // '_' (0x5F) sorts after the capitals, so "A.PDF" and "a_sub" compare as
    // "A.PDF" < "A_SUB"; a link to a file counts as a file; a broken link and
    // a pipe do not.
    EXPECT_EQ(relative(ws, flat.result),
              (QStringList{"top/.hidden.pdf", "top/A.PDF", "top/b.pdf", "top/C2.pdf", "top/d_link.pdf"}));

    CTypedFileWalker deep(QStringLiteral("pdf"));
    EXPECT_TRUE(deep.Walk(ws.path(QStringLiteral("top")) + u'/', true));
    EXPECT_EQ(relative(ws, deep.result),
              (QStringList{"top/.hidden.pdf", "top/A.PDF", "top/a_sub/deeper/y.pdf", "top/a_sub/z.pdf", "top/b.pdf",
                           "top/C2.pdf", "top/d_link.pdf"}));

    CFolderWalker folders;
    EXPECT_TRUE(folders.Walk(ws.path(QStringLiteral("top")), true));
    EXPECT_EQ(relative(ws, folders.result), (QStringList{"top/a_sub", "top/a_sub/deeper"}));

    CFolderWalker missing;
    EXPECT_TRUE(missing.Walk(ws.path(QStringLiteral("no such folder")), true));
    EXPECT_TRUE(missing.result.isEmpty());
}

TEST(Walkers, StopFlagEndsTheWalkAndHandlersCanEndIt)
{
    Workspace ws;
    for (int i = 0; i < 5; ++i)
        ws.file(QStringLiteral("t/%1.pdf").arg(i), "x");

    struct StopAfterTwo : CTypedFileWalker {
        StopAfterTwo(bool *flag) : CTypedFileWalker(QStringLiteral("pdf")), flag(flag) {}
        int OnFile(const QString &full, const QString &name) override
        {
            CTypedFileWalker::OnFile(full, name);
            if (result.size() == 2)
                *flag = true;
            return 1;
        }
        bool *flag;
    };
    bool stop = true; // a flag left set from before is cleared by the walk
    StopAfterTwo walker(&stop);
    walker.setControl(nullptr, &stop);
    EXPECT_FALSE(walker.Walk(ws.path(QStringLiteral("t")), false));
    EXPECT_EQ(walker.result.size(), 2);

    struct Refuse : CFileWalker {
        int OnFolder(const QString &, const QString &) override { return 1; }
        int OnFile(const QString &, const QString &) override { return ++seen == 3 ? 0 : 1; }
        int seen = 0;
    } refuse;
    EXPECT_FALSE(refuse.Walk(ws.path(QStringLiteral("t")), false));
    EXPECT_EQ(refuse.seen, 3);
}

TEST(RunLog, KeepsTheLatest1025Lines)
{
    RunLog log;
    for (int i = 1; i <= 1030; ++i)
        log.AppendLog(QStringLiteral("line %1").arg(i));
    ASSERT_EQ(log.lineCount(), 1025);
    EXPECT_EQ(log.lines().front(), QStringLiteral("line 6"));
    EXPECT_EQ(log.lines().back(), QStringLiteral("line 1030"));
    EXPECT_TRUE(log.logText().startsWith(QStringLiteral("line 6\nline 7\n")));

    // A text with a line feed counts as two lines.
    log.AppendLog(QStringLiteral("first\nsecond"));
    EXPECT_EQ(log.lineCount(), 1025);
    EXPECT_EQ(log.lines().front(), QStringLiteral("line 8"));
    EXPECT_TRUE(log.logText().endsWith(QStringLiteral("line 1030\nfirst\nsecond")));
}

TEST(FolderTrees, CreateMakesMissingParentsAndRefusesFilesAndLongPaths)
{
    Workspace ws;
    EXPECT_TRUE(CreateFolderTree(ws.path(QStringLiteral("a/b/c/"))));
    EXPECT_TRUE(isExistingFolder(ws.path(QStringLiteral("a/b/c"))));
    EXPECT_TRUE(CreateFolderTree(ws.path(QStringLiteral("a/b"))));
    ws.file(QStringLiteral("f"), "x");
    EXPECT_FALSE(CreateFolderTree(ws.path(QStringLiteral("f"))));
    EXPECT_FALSE(CreateFolderTree(ws.path(QStringLiteral("f/under"))));
    QFile::link(ws.path(QStringLiteral("missing")), ws.path(QStringLiteral("dangling")));
    EXPECT_FALSE(CreateFolderTree(ws.path(QStringLiteral("dangling"))));
    EXPECT_FALSE(CreateFolderTree(ws.path(QString(kMaxPathBytes, u'x'))));
}

TEST(FolderTrees, DeleteRemovesLinksAsLinksAndNeverTouchesTheirTargets)
{
    Workspace ws;
    ws.file(QStringLiteral("keep/precious.jpg"), "x");
    ws.file(QStringLiteral("keep/file.txt"), "y");
    ws.file(QStringLiteral("tree/a.jpg"), "x");
    ws.file(QStringLiteral("tree/.hidden"), "x");
    ws.file(QStringLiteral("tree/sub/b.jpg"), "x");
    QFile::link(ws.path(QStringLiteral("keep")), ws.path(QStringLiteral("tree/sub/to_keep")));
    QFile::link(ws.path(QStringLiteral("keep/file.txt")), ws.path(QStringLiteral("tree/file_link")));
    QFile::link(ws.path(QStringLiteral("tree")), ws.path(QStringLiteral("tree/sub/loop")));

    EXPECT_TRUE(DeleteFolderTree(ws.path(QStringLiteral("tree/"))));
    EXPECT_FALSE(exists(ws.path(QStringLiteral("tree"))));
    EXPECT_TRUE(exists(ws.path(QStringLiteral("keep/precious.jpg"))));
    EXPECT_TRUE(exists(ws.path(QStringLiteral("keep/file.txt"))));

    // The path itself a link: the link goes, the folder it names stays whole.
    QFile::link(ws.path(QStringLiteral("keep")), ws.path(QStringLiteral("alias")));
    EXPECT_TRUE(DeleteFolderTree(ws.path(QStringLiteral("alias"))));
    EXPECT_FALSE(exists(ws.path(QStringLiteral("alias"))));
    EXPECT_TRUE(exists(ws.path(QStringLiteral("keep/precious.jpg"))));

    EXPECT_FALSE(DeleteFolderTree(ws.path(QStringLiteral("no such folder"))));
}

TEST(FolderTrees, DeleteReportsAFolderThatCouldNotBeEmptied)
{
    // Entries whose paths are too long for the file system's calls are
    // passed over; the folders holding them stay and the result is false.
    Workspace ws;
    ws.file(QStringLiteral("tree/a.jpg"), "x");
    int fd = ::open(QFile::encodeName(ws.path(QStringLiteral("tree"))).constData(), O_RDONLY | O_DIRECTORY);
    const QByteArray name(200, 'd');
    for (int level = 0; level < 22 && fd >= 0; ++level) {
        ::mkdirat(fd, name.constData(), 0700);
        const int next = ::openat(fd, name.constData(), O_RDONLY | O_DIRECTORY);
        ::close(fd);
        fd = next;
    }
    ASSERT_GE(fd, 0);
    ::close(::openat(fd, "deep.jpg", O_CREAT | O_WRONLY, 0600));
    ::close(fd);

    EXPECT_FALSE(DeleteFolderTree(ws.path(QStringLiteral("tree"))));
    EXPECT_TRUE(exists(ws.path(QStringLiteral("tree"))));
    EXPECT_FALSE(exists(ws.path(QStringLiteral("tree/a.jpg"))));
    QProcess::execute(QStringLiteral("rm"), {QStringLiteral("-rf"), ws.path(QStringLiteral("tree"))});
}

TEST(FolderTrees, EmptyFolderClearsLeftoversButKeepsTheFolder)
{
    Workspace ws;
    ws.file(QStringLiteral("w/Img-000.jpg"), "old");
    ws.file(QStringLiteral("w/sub/x.ppm"), "old");
    ws.file(QStringLiteral("target/t.jpg"), "x");
    QFile::link(ws.path(QStringLiteral("target")), ws.path(QStringLiteral("w/link")));
    EXPECT_TRUE(holdsFiles(ws.path(QStringLiteral("w"))));
    EXPECT_TRUE(EmptyFolder(ws.path(QStringLiteral("w"))));
    EXPECT_TRUE(QDir(ws.path(QStringLiteral("w"))).isEmpty(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot));
    EXPECT_TRUE(exists(ws.path(QStringLiteral("target/t.jpg"))));
    EXPECT_FALSE(holdsFiles(ws.path(QStringLiteral("w"))));
}
