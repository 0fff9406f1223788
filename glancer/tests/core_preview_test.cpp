// Preview mode: the page list and start position, the layout a folder opens
// in, Glancer's moves table, layouts and bindings, zoom, the file-name popup,
// the JPEG check and the input tables.
#include "core/glancercommands.h"
#include "core/glancerpagesource.h"
#include "core/pagemoves.h"
#include "core/previewer.h"

#include "platform/filenames.h"
#include "tests/testsupport.h"

#include <QScopeGuard>

#include <QSignalSpy>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace glancer;

namespace {

class PreviewTest : public testing::Test {
protected:
    // Page i is a JPEG of width 100 + i, so its natural size names it.
    void pages(const QStringList &names)
    {
        for (int i = 0; i < names.size(); ++i)
            ASSERT_TRUE(testsupport::writeFile(m_dir.filePath(names[i]),
                                               testsupport::encode(testsupport::cornerPicture(100 + i, 140), "JPG", 80)));
    }
    QStringList numbered(int n)
    {
        QStringList names;
        for (int i = 1; i <= n; ++i)
            names << QStringLiteral("%1.jpg").arg(i, 2, 10, QChar(u'0'));
        pages(names);
        return names;
    }
    PreviewRow row(const QString &name) const
    {
        PreviewRow r;
        r.kind = PreviewRow::Image;
        r.path = m_dir.filePath(name);
        return r;
    }
    std::pair<int, int> shown() const
    {
        const auto page = [](const leafreader::SlotPicture &slot) {
            return slot.isEmpty() ? -1 : slot.naturalSize.width() - 100 + 1;
        };
        return {page(m_session.leftSlot()), page(m_session.rightSlot())};
    }
    // Positions visited by repeating a command until it stops moving.
    std::vector<int> walk(Previewer &preview, int command)
    {
        std::vector<int> visited{m_session.position()};
        for (int i = 0; i < 20; ++i) {
            preview.onCommand(command);
            if (m_session.position() == visited.back())
                break;
            visited.push_back(m_session.position());
        }
        return visited;
    }

    QTemporaryDir m_dir;
    leafreader::PageSession m_session;
    GlancerSettings m_settings;
};

} // namespace

TEST(PageMoves, EveryRowOfTheTable)
{
    // Layout 1: one page each way.
    EXPECT_EQ(nextPosition(3, 6, 1), 4);
    EXPECT_EQ(nextPosition(6, 6, 1), 6);
    EXPECT_EQ(previousPosition(3, 1), 2);
    EXPECT_EQ(previousPosition(1, 1), 1);
    // Layout 2: {1} {2,3} {4,5}...
    EXPECT_EQ(nextPosition(1, 9, 2), 3);
    EXPECT_EQ(nextPosition(2, 9, 2), 5);
    EXPECT_EQ(nextPosition(3, 9, 2), 5);
    EXPECT_EQ(nextPosition(8, 9, 2), 9);
    EXPECT_EQ(previousPosition(5, 2), 3);
    EXPECT_EQ(previousPosition(4, 2), 3);
    EXPECT_EQ(previousPosition(2, 2), 1);
    EXPECT_EQ(previousPosition(1, 2), 1);
    // Layout 3: {1,2} {3,4}...
    EXPECT_EQ(nextPosition(1, 9, 3), 4);
    EXPECT_EQ(nextPosition(2, 9, 3), 4);
    EXPECT_EQ(nextPosition(8, 9, 3), 9);
    EXPECT_EQ(previousPosition(4, 3), 2);
    EXPECT_EQ(previousPosition(3, 3), 2);
    EXPECT_EQ(previousPosition(2, 3), 1);
    EXPECT_EQ(previousPosition(1, 3), 1);

    EXPECT_EQ(openingLayout(1, 3), 1);
    EXPECT_EQ(openingLayout(2, 2), 3);
    EXPECT_EQ(openingLayout(2, 1), 1);
    EXPECT_EQ(openingLayout(3, 2), 2);
    EXPECT_EQ(openingLayout(7, 1), 1);
}

TEST_F(PreviewTest, PageListStartPositionAndOpeningLayout)
{
    pages({"A.JPG", "b.jpg", "C.jpg", "d.png"});
    m_settings.picExt = PicJpeg;
    Previewer preview(m_session, m_settings);
    ASSERT_EQ(preview.open(row("C.jpg")), Previewer::OpenResult::Opened);
    const PreviewRow current = preview.current();
    EXPECT_EQ(current.position, 3);
    EXPECT_EQ(current.count, 3);
    EXPECT_EQ(current.layout, 2); // Layout2
    EXPECT_EQ(current.binding, 0);
    EXPECT_EQ(current.zoom, 0);
    EXPECT_EQ(shown(), std::make_pair(3, 2)); // right binding: higher page left
    EXPECT_EQ(preview.pathAtOpening(), m_dir.filePath("C.jpg"));

    // A type that is not shown is not in the page list: cannot open.
    EXPECT_EQ(preview.open(row("d.png")), Previewer::OpenResult::CannotOpen);

    // One image alone opens in layout 1, two in layout 3 unless Layout2 is 1.
    QTemporaryDir one, two;
    ASSERT_TRUE(testsupport::writeFile(one.filePath("x.jpg"), testsupport::readFile(m_dir.filePath("b.jpg"))));
    m_settings.layout2 = 3;
    PreviewRow r;
    r.kind = PreviewRow::Image;
    r.path = one.filePath("x.jpg");
    ASSERT_EQ(preview.open(r), Previewer::OpenResult::Opened);
    EXPECT_EQ(preview.layout(), 1);
    for (const char *name : {"x.jpg", "y.jpg"})
        ASSERT_TRUE(testsupport::writeFile(two.filePath(name), testsupport::readFile(m_dir.filePath("b.jpg"))));
    r.path = two.filePath("x.jpg");
    m_settings.layout2 = 2;
    ASSERT_EQ(preview.open(r), Previewer::OpenResult::Opened);
    EXPECT_EQ(preview.layout(), 3);
    m_settings.layout2 = 1;
    ASSERT_EQ(preview.open(r), Previewer::OpenResult::Opened);
    EXPECT_EQ(preview.layout(), 1);
}

TEST_F(PreviewTest, EveryNameIsItsOwnPageWhateverItsBytesOrCase)
{
    // あ and い in CP932, and A.jpg beside a.jpg.
    const QString a = platform::nameFromBytes("\x82\xa0.jpg"), i = platform::nameFromBytes("\x82\xa2.jpg");
    const auto cleanup = qScopeGuard([this] { testsupport::removeRawNamedEntries(m_dir.path()); });
    pages({"01.jpg", a, i, "A.jpg", "a.jpg"});
    Previewer preview(m_session, m_settings);
    ASSERT_EQ(preview.open(row("a.jpg")), Previewer::OpenResult::Opened);
    EXPECT_EQ(preview.current().count, 5);
    EXPECT_EQ(preview.current().position, 3); // 01, A, a, あ, い
    EXPECT_EQ(shown(), std::make_pair(5, 4)); // a.jpg with A.jpg on its right

    ASSERT_EQ(preview.open(row(a)), Previewer::OpenResult::Opened);
    EXPECT_EQ(preview.current().position, 4);
    EXPECT_EQ(shown(), std::make_pair(3, 2));
    preview.setFileNamesShown(true);
    EXPECT_EQ(preview.fileNameTexts().left, QStringLiteral("い.jpg"));
    EXPECT_EQ(preview.fileNameTexts().right, QStringLiteral("あ.jpg"));
}

TEST_F(PreviewTest, SixPageSequencesOfLayoutsTwoAndThree)
{
    numbered(6);
    Previewer preview(m_session, m_settings);
    ASSERT_EQ(preview.open(row("01.jpg")), Previewer::OpenResult::Opened);
    ASSERT_EQ(preview.layout(), 2);
    EXPECT_EQ(walk(preview, CmdNextPage), (std::vector<int>{1, 3, 5, 6}));
    EXPECT_EQ(walk(preview, CmdPreviousPage), (std::vector<int>{6, 5, 3, 1}));

    preview.onCommand(CmdLayout3);
    EXPECT_EQ(walk(preview, CmdNextPage), (std::vector<int>{1, 4, 6}));
    const int loads = m_session.loadCount();
    EXPECT_EQ(walk(preview, CmdPreviousPage), (std::vector<int>{6, 4, 2, 1}));
    // 6 -> 4 -> 2 load; 2 -> 1 stays in the first spread and loads nothing.
    EXPECT_EQ(m_session.loadCount(), loads + 2);
    EXPECT_EQ(shown(), std::make_pair(2, 1));

    preview.onCommand(CmdLayout1);
    EXPECT_EQ(walk(preview, CmdNextPage), (std::vector<int>{1, 2, 3, 4, 5, 6}));
}

TEST_F(PreviewTest, SkipsFirstAndLastAlwaysLoadAgain)
{
    numbered(30);
    m_settings.skipForward = 5;
    m_settings.skipBack = 600;
    Previewer preview(m_session, m_settings);
    ASSERT_EQ(preview.open(row("02.jpg")), Previewer::OpenResult::Opened);
    int loads = m_session.loadCount();
    preview.onCommand(CmdSkipForward);
    EXPECT_EQ(m_session.position(), 7);
    preview.onCommand(CmdSkipBack);
    EXPECT_EQ(m_session.position(), 1);
    EXPECT_EQ(m_session.loadCount(), loads + 2);
    preview.onCommand(CmdFirstPage); // already there: loaded again all the same
    EXPECT_EQ(m_session.loadCount(), loads + 3);
    preview.onCommand(CmdLastPage);
    EXPECT_EQ(m_session.position(), 30);
    EXPECT_FALSE(preview.itemState(CmdNextPage).enabled);
    EXPECT_TRUE(preview.itemState(CmdFirstPage).enabled);
    preview.onCommand(CmdSkipForward);
    EXPECT_EQ(m_session.position(), 30);
    loads = m_session.loadCount();
    preview.onCommand(CmdLastPage);
    EXPECT_EQ(m_session.loadCount(), loads + 1);
}

TEST_F(PreviewTest, LayoutsBindingsZoomAndFileNames)
{
    numbered(5);
    m_settings.layout2 = 1;
    Previewer preview(m_session, m_settings);
    int changes = 0;
    preview.onFileNamesChanged = [&] { ++changes; };
    ASSERT_EQ(preview.open(row("02.jpg")), Previewer::OpenResult::Opened);
    EXPECT_EQ(shown(), std::make_pair(2, -1));

    // Bindings mean nothing one page at a time.
    preview.onCommand(CmdBindLeft);
    preview.onCommand(CmdBindingToggle);
    EXPECT_EQ(preview.binding(), 0);
    EXPECT_FALSE(preview.itemState(CmdBindLeft).enabled);
    EXPECT_TRUE(preview.itemState(CmdBindRight).checked);
    EXPECT_EQ(changes, 0);
    FileNameTexts names = preview.fileNameTexts();
    EXPECT_FALSE(names.spread);
    EXPECT_EQ(names.whole, "02.jpg");

    // Cycling 1 -> 2 -> 3 -> 1; the pages follow at the same position.
    preview.onCommand(CmdLayoutCycle);
    EXPECT_EQ(preview.layout(), 2);
    EXPECT_EQ(shown(), std::make_pair(3, 2));
    EXPECT_TRUE(preview.itemState(CmdLayout2).checked);
    preview.onCommand(CmdBindLeft);
    EXPECT_EQ(shown(), std::make_pair(2, 3));
    names = preview.fileNameTexts();
    EXPECT_TRUE(names.spread);
    EXPECT_EQ(names.left, "02.jpg");
    EXPECT_EQ(names.right, "03.jpg");
    preview.onCommand(CmdLayoutCycle);
    preview.onCommand(CmdLayoutCycle);
    EXPECT_EQ(preview.layout(), 1);
    EXPECT_EQ(changes, 4);

    // Zoom: the toggle, region commands, and the moves that turn pages.
    preview.onCommand(CmdZoomToggle);
    EXPECT_EQ(m_session.zoom(), 5);
    preview.onCommand(leafreader::zoomCommand(8));
    preview.onCommand(CmdZoomDown); // bottom row: next page, top row
    EXPECT_EQ(m_session.position(), 3);
    EXPECT_EQ(m_session.zoom(), 2);
    EXPECT_TRUE(preview.itemState(leafreader::zoomCommand(2)).checked);
    preview.onCommand(CmdZoomOff);
    EXPECT_EQ(m_session.zoom(), 0);

    preview.onCommand(CmdFileNames);
    EXPECT_TRUE(preview.fileNamesShown());
    EXPECT_TRUE(preview.itemState(CmdFileNames).checked);
    preview.close();
    EXPECT_FALSE(preview.fileNamesShown());
    EXPECT_FALSE(preview.onCommand(CmdNextPage)); // nothing open
}

TEST_F(PreviewTest, JpegWithoutFrameIsRefusedAndExifNineIsShownAsStored)
{
    // Start of image, an application segment, then straight to the scan.
    QByteArray noFrame("\xFF\xD8\xFF\xE0\x00\x04\x00\x00\xFF\xDA\x00\x02", 12);
    ASSERT_TRUE(testsupport::writeFile(m_dir.filePath("a.jpg"), noFrame));
    const QImage corners = testsupport::cornerPicture(200, 100);
    ASSERT_TRUE(testsupport::writeFile(m_dir.filePath("b.jpg"), testsupport::jpegWithOrientation(corners, 9)));
    // Not a JPEG by its first bytes.
    ASSERT_TRUE(testsupport::writeFile(m_dir.filePath("c.jpeg"), testsupport::encode(corners, "PNG")));

    GlancerPageSource source(m_dir.path(), {"a.jpg", "b.jpg", "c.jpeg"});
    QByteArray bytes;
    uint8_t kind = 0;
    EXPECT_FALSE(source.readPage(0, bytes, kind));
    EXPECT_TRUE(source.readPage(1, bytes, kind));
    EXPECT_FALSE(source.readPage(2, bytes, kind));

    m_settings.layout2 = 1;
    Previewer preview(m_session, m_settings);
    EXPECT_EQ(preview.open(row("a.jpg")), Previewer::OpenResult::CannotOpen);
    ASSERT_EQ(preview.open(row("b.jpg")), Previewer::OpenResult::Opened);
    EXPECT_EQ(m_session.leftSlot().naturalSize, QSize(200, 100));
    const QRgb topLeft = m_session.leftSlot().image.pixel(4, 4);
    EXPECT_GT(qRed(topLeft), 180); // red stays top-left: not turned
    EXPECT_LT(qGreen(topLeft), 90);
}

TEST(GlancerInput, KeysCellsAndPad)
{
    using leafreader::zoomCommand;
    // Digits of the main keyboard laid out as the numeric pad; not the pad's own.
    EXPECT_EQ(previewKeyCommand(Qt::Key_7, Qt::NoModifier), zoomCommand(1));
    EXPECT_EQ(previewKeyCommand(Qt::Key_2, Qt::NoModifier), zoomCommand(8));
    EXPECT_EQ(previewKeyCommand(Qt::Key_5, Qt::NoModifier), zoomCommand(5));
    EXPECT_EQ(previewKeyCommand(Qt::Key_0, Qt::NoModifier), CmdZoomOff);
    EXPECT_EQ(previewKeyCommand(Qt::Key_7, Qt::KeypadModifier), 0);
    EXPECT_EQ(previewKeyCommand(Qt::Key_7, Qt::ShiftModifier), 0);
    EXPECT_EQ(previewKeyCommand(Qt::Key_3, Qt::ControlModifier), CmdLeaveFullScreen);

    EXPECT_EQ(previewKeyCommand(Qt::Key_Backspace, Qt::NoModifier), CmdFileNames);
    EXPECT_EQ(previewKeyCommand(Qt::Key_Tab, Qt::NoModifier), CmdLayoutCycle);
    EXPECT_EQ(previewKeyCommand(Qt::Key_O, Qt::ControlModifier), CmdBindingToggle);
    EXPECT_EQ(previewKeyCommand(Qt::Key_S, Qt::ControlModifier), CmdClosePreview);
    EXPECT_EQ(previewKeyCommand(Qt::Key_PageDown, Qt::NoModifier), CmdSkipForward);
    EXPECT_EQ(previewKeyCommand(Qt::Key_PageDown, Qt::ShiftModifier), 0);
    EXPECT_EQ(previewKeyCommand(Qt::Key_End, Qt::ShiftModifier), CmdLastPage);
    EXPECT_EQ(previewKeyCommand(Qt::Key_MediaTogglePlayPause, Qt::NoModifier), CmdClosePreview);
    EXPECT_EQ(previewKeyCommand(Qt::Key_VolumeUp, Qt::NoModifier), -1);

    EXPECT_EQ(listKeyCommand(Qt::Key_Backspace, Qt::ShiftModifier), CmdUpFolder);
    EXPECT_EQ(listKeyCommand(Qt::Key_Backspace, Qt::NoModifier), 0);
    EXPECT_EQ(listKeyCommand(Qt::Key_Escape, Qt::NoModifier), CmdTopFolder);
    EXPECT_EQ(listKeyCommand(Qt::Key_Return, Qt::NoModifier), CmdOpenRow);
    EXPECT_EQ(listKeyCommand(Qt::Key_MediaPlay, Qt::NoModifier), CmdOpenRow);
    EXPECT_EQ(listKeyCommand(Qt::Key_F, Qt::ControlModifier), CmdFullScreen);
    EXPECT_EQ(listKeyCommand(Qt::Key_5, Qt::NoModifier), 0);

    EXPECT_EQ(previewCellCommand(0, false), CmdLayoutCycle);
    EXPECT_EQ(previewCellCommand(6, true), CmdBindingToggle);
    EXPECT_EQ(previewCellCommand(8, false), CmdFileNames);
    EXPECT_EQ(previewCellCommand(7, false), CmdNextPage);
    EXPECT_EQ(previewCellCommand(4, true), CmdZoomOff);

    EXPECT_EQ(previewPadCommand(9), CmdClosePreview);
    EXPECT_EQ(previewPadCommand(12), CmdLayoutCycle);
    EXPECT_EQ(previewPadCommand(18), CmdBindingToggle);
    EXPECT_EQ(previewPadCommand(15), CmdZoomLeft);
    EXPECT_EQ(listPadAction(15).command, CmdUpFolder);
    EXPECT_EQ(listPadAction(8).listKey, int(Qt::Key_PageUp));
    EXPECT_EQ(listPadAction(20).command, CmdTopFolder);
    EXPECT_EQ(listPadAction(12).command, 0);
}

namespace {

// Waits until the spread after the shown one is decoded on the workers.
bool restUntilReadAhead(leafreader::PageSession &s)
{
    if (!s.readAhead() && s.aheadState() == leafreader::PageSession::Ahead::None)
        return false;
    QSignalSpy done(&s, &leafreader::PageSession::readAheadDone);
    for (int i = 0; i < 100 && s.aheadState() != leafreader::PageSession::Ahead::Ready; ++i)
        done.wait(100);
    return s.aheadState() == leafreader::PageSession::Ahead::Ready;
}

} // namespace

TEST_F(PreviewTest, NextSpreadAfterARestIsReadAheadAndMovesBackDiscardIt)
{
    numbered(8);
    m_settings.layout2 = 3;
    m_settings.bind = 1; // left binding: the lower page on the left
    Previewer preview(m_session, m_settings);
    ASSERT_EQ(preview.open(row("01.jpg")), Previewer::OpenResult::Opened);
    const int loads = m_session.loadCount();

    // Glancer's next page lands on the higher page of the next spread: the
    // spread read ahead is the one it shows, so nothing is decoded.
    ASSERT_TRUE(restUntilReadAhead(m_session));
    preview.onCommand(CmdNextPage);
    EXPECT_EQ(m_session.position(), 4);
    EXPECT_EQ(m_session.loadCount(), loads);
    EXPECT_EQ(shown(), std::make_pair(3, 4));
    ASSERT_TRUE(restUntilReadAhead(m_session));
    preview.onCommand(CmdNextPage);
    EXPECT_EQ(m_session.position(), 6);
    EXPECT_EQ(m_session.loadCount(), loads);
    EXPECT_EQ(shown(), std::make_pair(5, 6));

    // Back: the spread ahead (7, 8) goes, and the previous spread is decoded.
    ASSERT_TRUE(restUntilReadAhead(m_session));
    EXPECT_EQ(m_session.aheadSpread(), 3);
    preview.onCommand(CmdPreviousPage);
    EXPECT_EQ(m_session.aheadState(), leafreader::PageSession::Ahead::None);
    EXPECT_EQ(m_session.loadCount(), loads + 1);
    EXPECT_EQ(shown(), std::make_pair(3, 4));

    // A skip, a new layout or a new binding drop it as well.
    ASSERT_TRUE(restUntilReadAhead(m_session));
    preview.onCommand(CmdLastPage);
    EXPECT_EQ(m_session.aheadState(), leafreader::PageSession::Ahead::None);
    preview.onCommand(CmdFirstPage);
    ASSERT_TRUE(restUntilReadAhead(m_session));
    preview.onCommand(CmdLayout2);
    EXPECT_EQ(m_session.aheadState(), leafreader::PageSession::Ahead::None);
    ASSERT_TRUE(restUntilReadAhead(m_session));
    preview.onCommand(CmdBindingToggle);
    EXPECT_EQ(m_session.aheadState(), leafreader::PageSession::Ahead::None);
    preview.close();
    EXPECT_EQ(m_session.aheadState(), leafreader::PageSession::Ahead::None);
}

TEST_F(PreviewTest, ScanThatFailsAheadOrIsReplacedIsReadAgainWhenShown)
{
    numbered(6);
    m_settings.layout2 = 3;
    m_settings.bind = 1; // left binding: the lower page on the left
    Previewer preview(m_session, m_settings);
    ASSERT_EQ(preview.open(row("01.jpg")), Previewer::OpenResult::Opened);

    // Page 3 is not a JPEG while the view rests: it is refused again when
    // shown, and its half stays empty, as without reading ahead.
    const QString third = m_dir.filePath("03.jpg");
    const QByteArray good = testsupport::encode(testsupport::cornerPicture(102, 140), "JPG", 80);
    ASSERT_TRUE(testsupport::writeFile(third, "not a picture"));
    ASSERT_TRUE(restUntilReadAhead(m_session));
    int loads = m_session.loadCount();
    preview.onCommand(CmdNextPage);
    EXPECT_EQ(m_session.loadCount(), loads + 1);
    EXPECT_EQ(shown().first, -1);

    // A page scanned again after it was read ahead shows the new scan.
    ASSERT_TRUE(testsupport::writeFile(third, good));
    preview.onCommand(CmdFirstPage);
    ASSERT_TRUE(restUntilReadAhead(m_session));
    const QByteArray rescan = testsupport::encode(testsupport::cornerPicture(150, 140), "JPG", 80);
    ASSERT_TRUE(testsupport::writeFile(third, rescan));
    loads = m_session.loadCount();
    preview.onCommand(CmdNextPage);
    EXPECT_EQ(m_session.loadCount(), loads + 1);
    EXPECT_EQ(m_session.leftSlot().naturalSize.width(), 150);
}
