// A book of 65,535 tiny pages in the dialog: the list fills at once, the rows
// in view get their thumbnails first and the window keeps answering while
// the others are made.
#include "testfixtures.h"

#include "app/binderydlg.h"
#include "app/pagelistbox.h"

#include <QElapsedTimer>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

using namespace bindery;
using binderytest::Workspace;
using platform::ScriptedPrompt;

namespace {

QImage itemThumbnail(const CBinderyDlg &dlg, int row)
{
    return dlg.pageList()->item(row)->data(CPageListBox::ThumbnailRole).value<QImage>();
}

} // namespace

TEST(BinderyDialogThumbnails, ABookOf65535TinyPagesLeavesTheWindowAnswering)
{
    Workspace ws;
    const QString path = binderytest::tinyPagesBook(ws);

    ScriptedPrompt prompt;
    CBinderyDlg dlg(prompt);
    dlg.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&dlg));
    QElapsedTimer clock;
    clock.start();
    bindery::LaunchArguments launch;
    launch.paths = {path};
    dlg.processArguments(launch);
    const qint64 addMs = clock.elapsed();
    ASSERT_EQ(dlg.pageList()->count(), 65535);
    // Well under a second on an idle machine; the bound leaves room for a
    // loaded one.
    EXPECT_LT(addMs, 8000) << "adding took " << addMs << " ms";

    // The window answers a 10 ms timer while the other thumbnails are made.
    qint64 longestGap = 0;
    QElapsedTimer gap;
    gap.start();
    QTimer tick;
    QObject::connect(&tick, &QTimer::timeout, [&] { longestGap = std::max(longestGap, gap.restart()); });
    tick.start(10);
    QTest::qWait(600);
    tick.stop();
    EXPECT_LT(longestGap, 300);

    // The rows in view have their thumbnails, and the others are being made
    // from the top in the background.
    EXPECT_FALSE(itemThumbnail(dlg, 0).isNull());
    const int waiting = dlg.editor().nextPendingThumbnail();
    EXPECT_TRUE(waiting == -1 || waiting > 50) << "first waiting page: " << waiting;
    // Scrolling to rows that still wait makes theirs next.
    const int row = 60000;
    ASSERT_EQ(dlg.editor().nextPendingThumbnail(row), row);
    dlg.pageList()->scrollToItem(dlg.pageList()->item(row), QAbstractItemView::PositionAtTop);
    QTest::qWait(100);
    EXPECT_FALSE(itemThumbnail(dlg, row).isNull());
    EXPECT_TRUE(prompt.texts().isEmpty());
}
