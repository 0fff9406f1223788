// List mode: what a folder lists, in which order, the Size column, and the
// moves between folders and the drive list.
#include "core/folderlist.h"
#include "core/folderlisting.h"
#include "core/glancercommands.h"
#include "core/sizetable.h"

#include "platform/filenames.h"
#include "tests/testsupport.h"

#include <QScopeGuard>

#include <QDir>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace glancer;

namespace {

class ListTest : public testing::Test {
protected:
    void file(const QString &name, const QByteArray &bytes = "x")
    {
        ASSERT_TRUE(testsupport::writeFile(m_dir.filePath(name), bytes));
    }
    void folder(const QString &name) { ASSERT_TRUE(QDir(m_dir.path()).mkpath(name)); }
    static QStringList labels(const std::vector<PreviewRow> &rows)
    {
        QStringList out;
        for (const PreviewRow &row : rows)
            out << rowLabel(row);
        return out;
    }

    QTemporaryDir m_dir;
};

} // namespace

TEST_F(ListTest, FoldersFirstThenShownImagesEachSortedWithoutRegardToCase)
{
    for (const char *name : {"b.jpg", "A.JPG", "C.jpeg", "d.Png", "e.bmp", "f.gif", "noext", "g.jpg.txt"})
        file(QString::fromLatin1(name));
    folder(QStringLiteral("zeta"));
    folder(QStringLiteral("Alpha"));
    folder(QStringLiteral("beta.jpg"));
    // Hidden: dot files and folders, and the names of the folder's .hidden list.
    file(QStringLiteral(".secret.jpg"));
    folder(QStringLiteral(".cache"));
    file(QStringLiteral("listed.png"));
    folder(QStringLiteral("listed folder"));
    file(QStringLiteral(".hidden"), "listed.png\nlisted folder\n");

    const std::vector<PreviewRow> rows = listFolder(m_dir.path(), PicBmp | PicJpeg | PicPng);
    EXPECT_EQ(labels(rows), (QStringList{"Alpha", "beta.jpg", "zeta", "A.JPG", "b.jpg", "C.jpeg", "d.Png", "e.bmp"}));
    EXPECT_EQ(rows[0].kind, PreviewRow::Folder);
    EXPECT_EQ(rows[0].path, m_dir.filePath("Alpha"));
    EXPECT_EQ(rows[3].kind, PreviewRow::Image);
    EXPECT_EQ(rows[3].size, 1u);
    EXPECT_EQ(rows[0].size, 0u);

    // The type bits choose the image files; folders stay.
    EXPECT_EQ(labels(listFolder(m_dir.path(), PicJpeg)),
              (QStringList{"Alpha", "beta.jpg", "zeta", "A.JPG", "b.jpg", "C.jpeg"}));
    EXPECT_EQ(labels(listFolder(m_dir.path(), PicPng | PicBmp)),
              (QStringList{"Alpha", "beta.jpg", "zeta", "d.Png", "e.bmp"}));
    EXPECT_EQ(labels(listFolder(m_dir.path(), 0)), (QStringList{"Alpha", "beta.jpg", "zeta"}));

    // The page list holds the image files only, in the same order.
    const QStringList pages = pageNames(m_dir.path(), PicJpeg);
    EXPECT_EQ(pages, (QStringList{"A.JPG", "b.jpg", "C.jpeg"}));
    EXPECT_EQ(pagePosition(pages, u"c.JPEG"), 3);
    EXPECT_EQ(pagePosition(pages, u"d.png"), 0);
}

TEST(SizeColumn, BytesKilobytesMegabytesGigabytes)
{
    EXPECT_EQ(sizeText(0), "0");
    EXPECT_EQ(sizeText(10239), "10239");
    EXPECT_EQ(sizeText(10240), "10 K");
    EXPECT_EQ(sizeText(10 * 1024 * 1024 - 1), "10239 K");
    EXPECT_EQ(sizeText(10 * 1024 * 1024), "10 M");
    EXPECT_EQ(sizeText(10ull * 1024 * 1024 * 1024 - 1), "10239 M");
    EXPECT_EQ(sizeText(10ull * 1024 * 1024 * 1024), "10 G");

    // The size table and the column widths.
    EXPECT_EQ(SizeMetrics::forIndex(0).rowHeight(), 22);
    EXPECT_EQ(SizeMetrics::forIndex(4).rowHeight(), 89);
    EXPECT_EQ(SizeMetrics::forIndex(2).headerSecondLine(), 28);
    EXPECT_EQ(SizeMetrics::forIndex(9).iconSize, 80); // out of the table: its last row
    const ColumnWidths narrow = ColumnWidths::compute(500, 20, SizeMetrics::forIndex(2));
    EXPECT_EQ(narrow.size, 160);
    EXPECT_EQ(narrow.file, 500 - 20 - 160 - 3);
    EXPECT_EQ(ColumnWidths::compute(1940, 20, SizeMetrics::forIndex(0)).size, 320);
}

TEST_F(ListTest, OpeningMovingUpAndTheDriveList)
{
    folder(QStringLiteral("sub/deeper"));
    file(QStringLiteral("sub/page.jpg"));
    GlancerSettings settings;
    platform::ScriptedPrompt prompt;
    FolderList list(settings, prompt);
    const QString root = m_dir.path();
    list.setDriveSource([root] { return std::vector<platform::Drive>{{root, QStringLiteral("Scans")}}; });

    // The drive list: one row per drive, the root as the name to select.
    list.refresh();
    EXPECT_TRUE(list.inDriveList());
    EXPECT_EQ(list.folderLine(), "<Drive Select>");
    ASSERT_EQ(list.rows().size(), 1u);
    EXPECT_EQ(list.rows()[0].path, root + "|Scans");
    EXPECT_EQ(rowLabel(list.rows()[0]), "Scans");
    EXPECT_FALSE(list.upOneFolder());
    EXPECT_FALSE(list.commandEnabled(CmdUpFolder));
    EXPECT_TRUE(list.commandEnabled(CmdExpandFolder));
    EXPECT_FALSE(list.commandEnabled(CmdOpenRow));

    EXPECT_EQ(list.openSelected().kind, FolderList::OpenRequest::Nothing);
    EXPECT_EQ(list.currentFolder(), root);
    EXPECT_EQ(list.folderLine(), root);
    EXPECT_EQ(list.openSelected().kind, FolderList::OpenRequest::Nothing); // into "sub"
    EXPECT_EQ(list.currentFolder(), root + "/sub");
    EXPECT_EQ(list.selected(), 0); // "deeper", the first row
    list.select(1);
    FolderList::OpenRequest request = list.openSelected();
    EXPECT_EQ(request.kind, FolderList::OpenRequest::OpenImage);
    EXPECT_EQ(request.row.path, root + "/sub/page.jpg");
    EXPECT_EQ(list.findPath(root + "/SUB/PAGE.JPG"), 1);

    // An image gone since the listing: the list is made again.
    ASSERT_TRUE(QFile::remove(root + "/sub/page.jpg"));
    request = list.openSelected();
    EXPECT_EQ(request.kind, FolderList::OpenRequest::Nothing);
    EXPECT_EQ(list.rows().size(), 1u);

    // Up selects the folder left; up from the drive root goes to the drive list.
    EXPECT_TRUE(list.upOneFolder());
    EXPECT_EQ(list.currentFolder(), root);
    EXPECT_EQ(rowName(*list.selectedRow()), "sub");
    EXPECT_TRUE(list.upOneFolder());
    EXPECT_TRUE(list.inDriveList());
    EXPECT_EQ(rowName(*list.selectedRow()), root);

    // To the drive list from deep inside selects the drive.
    list.setCurrentFolder(root + "/sub/deeper");
    list.refresh();
    EXPECT_TRUE(list.toDriveList());
    EXPECT_TRUE(list.inDriveList());
    EXPECT_EQ(list.selected(), 0);
    EXPECT_TRUE(prompt.texts().isEmpty());
}

TEST_F(ListTest, NamesThatAreNotUtf8AreListedAndExactNamesAreFoundFirst)
{
    const auto cleanup = qScopeGuard([this] { testsupport::removeRawNamedEntries(m_dir.path()); });
    for (const QString &name : {QStringLiteral("A.jpg"), QStringLiteral("a.jpg"), platform::nameFromBytes("\x82\xa0.jpg"),
                                platform::nameFromBytes("b\xff.jpg")})
        file(name);
    ASSERT_TRUE(testsupport::makeRawNamedFolder(m_dir.path(), "\x93\xfa\x96\x7b"));
    GlancerSettings settings;
    settings.currentFolder = m_dir.path();
    platform::ScriptedPrompt prompt;
    FolderList list(settings, prompt);
    list.refresh(QStringLiteral("a.jpg"));
    EXPECT_EQ(labels(list.rows()), (QStringList{"日本", "A.jpg", "a.jpg", "b\\xff.jpg", "あ.jpg"}));
    EXPECT_EQ(list.selected(), 2);
    const QString lower = m_dir.filePath(QStringLiteral("a.jpg"));
    EXPECT_EQ(list.findPath(lower), 2);
    EXPECT_EQ(list.findPath(m_dir.filePath(QStringLiteral("A.JPG"))), 1); // no exact name: the first of any case
    list.refresh(QStringLiteral("A.JPG"));
    EXPECT_EQ(list.selected(), 1);

    list.select(4);
    const FolderList::OpenRequest request = list.openSelected();
    EXPECT_EQ(request.kind, FolderList::OpenRequest::OpenImage);
    EXPECT_EQ(request.row.path, m_dir.path() + u'/' + platform::nameFromBytes("\x82\xa0.jpg"));
    list.select(0);
    list.openSelected();
    EXPECT_EQ(list.folderLine(), m_dir.path() + QStringLiteral("/日本"));
    EXPECT_TRUE(prompt.texts().isEmpty());
}

TEST_F(ListTest, FolderThatHasGoneAsksToRetry)
{
    GlancerSettings settings;
    settings.currentFolder = m_dir.filePath(QStringLiteral("gone"));
    platform::ScriptedPrompt prompt;
    FolderList list(settings, prompt);
    list.setDriveSource([] { return std::vector<platform::Drive>{}; });
    prompt.planAnswer(platform::PromptAnswer::Retry);
    prompt.planAnswer(platform::PromptAnswer::Cancel);
    list.refresh();
    EXPECT_EQ(prompt.texts(), (QStringList{"フォルダーが見つかりません。", "フォルダーが見つかりません。"}));
    EXPECT_EQ(prompt.shown()[0].buttons, platform::PromptButtons::RetryCancel);
    EXPECT_TRUE(list.inDriveList());
    EXPECT_TRUE(settings.currentFolder.isEmpty());
    EXPECT_EQ(list.selected(), -1);
    EXPECT_EQ(list.openSelected().kind, FolderList::OpenRequest::Beep);
}
