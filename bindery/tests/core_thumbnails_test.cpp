// List thumbnails of a large import: only the first rows' are made at once,
// the others when asked for, and the waiting follows the pages through the
// edits.
#include "testfixtures.h"

#include "core/binderyeditor.h"
#include "core/messages.h"

#include <picture/picture.h>

#include <QElapsedTimer>

#include <algorithm>

#include <gtest/gtest.h>

using namespace bindery;
using binderytest::Workspace;
using platform::ScriptedPrompt;

namespace {

int pendingCount(const BookDocument &d)
{
    return int(std::count(d.thumbnailPending.begin(), d.thumbnailPending.end(), 1));
}

} // namespace

TEST(BinderyThumbnails, ABookOf65535TinyPagesOpensWithoutMakingEveryThumbnail)
{
    Workspace ws;
    const QString path = binderytest::tinyPagesBook(ws);

    ScriptedPrompt prompt;
    BinderyEditor editor(prompt);
    editor.setEagerThumbnails(5);
    QElapsedTimer clock;
    clock.start();
    ASSERT_TRUE(editor.openBookFile(path));
    const qint64 openMs = clock.elapsed();
    const BookDocument &d = editor.document();
    ASSERT_EQ(d.pageCount(), 65535);
    EXPECT_EQ(pendingCount(d), 65535 - 5);
    EXPECT_FALSE(d.pages[4].thumbnail.isNull());
    EXPECT_TRUE(d.pages[5].thumbnail.isNull());
    EXPECT_EQ(editor.nextPendingThumbnail(), 5);
    // Reading the page table is all the open does (well under a second on
    // an idle machine; the bound leaves room for a loaded one).
    EXPECT_LT(openMs, 5000) << "opening took " << openMs << " ms";

    // Rows further down are made when asked for, each once.
    EXPECT_EQ(editor.makeThumbnails(40000, 40002), (std::vector<int>{40000, 40001, 40002}));
    EXPECT_TRUE(editor.makeThumbnails(40000, 40002).empty());
    EXPECT_EQ(d.pages[40001].thumbnail.size(), d.pages[0].thumbnail.size());
    EXPECT_EQ(editor.nextPendingThumbnail(40000), 40003);
    EXPECT_EQ(editor.makeThumbnails(65530, 70000).size(), 5u);
    EXPECT_TRUE(prompt.texts().isEmpty());
}

TEST(BinderyThumbnails, WaitingThumbnailsFollowTheirPagesAndReportBadPagesWhenMade)
{
    Workspace ws;
    ScriptedPrompt prompt;
    BinderyEditor editor(prompt);
    editor.setEagerThumbnails(1);
    // Widths 10, 20, ... tell the pages apart by their thumbnails; p4 is no picture.
    QStringList paths;
    for (int i = 1; i <= 5; ++i)
        paths << (i == 4 ? ws.file(QStringLiteral("p4.jpg"), "not a picture")
                         : ws.picture(QStringLiteral("p%1.jpg").arg(i), 10 * i, 100));
    ASSERT_TRUE(editor.addPages(paths));
    EXPECT_TRUE(prompt.texts().isEmpty());
    EXPECT_EQ(editor.document().thumbnailPending, (std::vector<char>{0, 1, 1, 1, 1}));

    // p1 moves to the end, p2 (waiting) is duplicated, p3 is deleted.
    editor.setSelection({0});
    ASSERT_TRUE(editor.moveToBottom()); // p2 p3 p4 p5 p1
    editor.setSelection({0});
    ASSERT_TRUE(editor.duplicate()); // p2 p2 p3 p4 p5 p1
    editor.setSelection({2});
    ASSERT_TRUE(editor.deleteSelected()); // p2 p2 p4 p5 p1
    const BookDocument &d = editor.document();
    EXPECT_EQ(d.thumbnailPending, (std::vector<char>{1, 1, 1, 1, 0}));

    EXPECT_EQ(editor.makeThumbnails(0, 99).size(), 4u);
    EXPECT_EQ(editor.nextPendingThumbnail(), -1);
    const QSize box = editor.thumbnailBox();
    auto widthOf = [&](int index) { return d.pages[size_t(index)].thumbnail.width(); };
    EXPECT_EQ(widthOf(0), kvb::listThumbnailSize(QSize(20, 100), box).width());
    EXPECT_EQ(widthOf(1), widthOf(0));
    EXPECT_TRUE(d.pages[2].thumbnail.isNull());
    EXPECT_EQ(widthOf(3), kvb::listThumbnailSize(QSize(50, 100), box).width());
    EXPECT_EQ(widthOf(4), kvb::listThumbnailSize(QSize(10, 100), box).width());
    // The undecodable page is reported when its thumbnail is made.
    EXPECT_EQ(prompt.texts(), QStringList{text::PictureUnreadable});
}
