#include "leafreaderframe.h"
#include "leafreaderview.h"

#include "pageview/controldlg.h"

#include <QFile>
#include <QMenu>
#include <QScrollBar>
#include <QWheelEvent>

#include <map>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

using namespace leafreader;

namespace {

const QString kDemoBook =
    QStringLiteral(VELLORAN_BUILD_DIR "/demo-library/Demo 01 - Harbour Notes.kvb");

bool isGrey(QRgb c)
{
    return qRed(c) == kPageGrey && qGreen(c) == kPageGrey && qBlue(c) == kPageGrey;
}

// The bounding box of the non-grey pixels in a column range of the image.
QRect paintedBox(const QImage &image, int x0, int x1)
{
    int left = x1, right = x0 - 1, top = image.height(), bottom = -1;
    for (int y = 0; y < image.height(); ++y)
        for (int x = x0; x < x1; ++x)
            if (!isGrey(image.pixel(x, y))) {
                left = std::min(left, x);
                right = std::max(right, x);
                top = std::min(top, y);
                bottom = std::max(bottom, y);
            }
    return right < left ? QRect() : QRect(QPoint(left, top), QPoint(right, bottom));
}

QImage painted(CLeafreaderView &view)
{
    return view.grab().toImage().convertToFormat(QImage::Format_RGB32);
}

class ViewFixture : public testing::Test {
protected:
    void SetUp() override
    {
        if (!QFile::exists(kDemoBook))
            GTEST_SKIP() << "demo library not built";
        m_view = std::make_unique<CLeafreaderView>(m_settings, m_prompt);
        m_view->resize(1000, 700);
        m_view->show();
        QApplication::processEvents();
    }
    bool open(int page = 1)
    {
        BookEntry row;
        row.kind = BookEntry::BookFile;
        row.path = kDemoBook;
        row.page = page;
        return m_view->openBook(row);
    }

    ReaderSettings m_settings;
    platform::ScriptedPrompt m_prompt;
    std::unique_ptr<CLeafreaderView> m_view;
};

} // namespace

TEST_F(ViewFixture, PaintsTheSlotsTheLayoutComputes)
{
    ASSERT_TRUE(open());
    EXPECT_TRUE(m_view->bookMode());
    const Box client = m_view->clientBox();
    const int middle = client.width() / 2;

    // The cover of a right-bound spread: left half only, against the spine.
    QImage image = painted(*m_view);
    PageLayout layout = m_view->currentLayout();
    ASSERT_EQ(layout.pictures.size(), 1u);
    EXPECT_EQ(paintedBox(image, 0, middle), layout.pictures[0].target.toRect());
    EXPECT_EQ(layout.pictures[0].target.right, middle);
    EXPECT_TRUE(paintedBox(image, middle, client.right).isNull());

    // Ctrl+N: pages 2 and 3 side by side.
    QTest::keyClick(m_view.get(), Qt::Key_N, Qt::ControlModifier);
    EXPECT_EQ(m_view->session().position(), 3);
    image = painted(*m_view);
    layout = m_view->currentLayout();
    ASSERT_EQ(layout.pictures.size(), 2u);
    for (const PictureDraw &p : layout.pictures) {
        const bool inLeftHalf = p.target.right <= middle;
        EXPECT_EQ(paintedBox(image, inLeftHalf ? 0 : middle, inLeftHalf ? middle : client.right),
                  p.target.toRect());
    }

    // Tab: single page, centred.
    QTest::keyClick(m_view.get(), Qt::Key_Tab);
    EXPECT_TRUE(m_view->session().singlePage());
    image = painted(*m_view);
    layout = m_view->currentLayout();
    ASSERT_EQ(layout.pictures.size(), 1u);
    EXPECT_EQ(paintedBox(image, 0, client.right), layout.pictures[0].target.toRect());

    // 5: zoom region 5 with its status; the picture overflows the client.
    QTest::keyClick(m_view.get(), Qt::Key_5);
    EXPECT_EQ(m_view->session().zoom(), 5);
    // The book the resume list gets carries the view state and the book's own layout.
    const BookEntry book = m_view->currentBook();
    EXPECT_EQ(book.page, 3);
    EXPECT_EQ(book.zoom, 5);
    EXPECT_EQ(book.singlePage, 1);
    EXPECT_EQ(book.pageCount, m_view->session().pageCount());
    EXPECT_EQ(book.layoutFlags, m_view->session().layoutFlags());
    EXPECT_EQ(book.path, kDemoBook);
    EXPECT_EQ(m_view->statusPopup().text(), kZoomOnText);
    EXPECT_TRUE(m_view->statusPopup().isVisible());
    m_view->timerTick(m_view->now() + MessageDlg::kLifeMs);
    EXPECT_FALSE(m_view->statusPopup().isVisible());
    image = painted(*m_view);
    EXPECT_FALSE(isGrey(image.pixel(client.width() / 2, 2)));
    EXPECT_FALSE(isGrey(image.pixel(client.width() / 2, client.height() - 2)));

    // Ctrl+O turns the page; the painted box is the turned one.
    QTest::keyClick(m_view.get(), Qt::Key_0);
    QTest::keyClick(m_view.get(), Qt::Key_O, Qt::ControlModifier);
    EXPECT_EQ(m_view->session().rotation(), 1);
    image = painted(*m_view);
    layout = m_view->currentLayout();
    const Box target = layout.pictures[0].target;
    EXPECT_GT(target.width(), target.height());
    EXPECT_EQ(paintedBox(image, 0, client.right), target.toRect());
}

TEST_F(ViewFixture, MouseGridWheelAndClosing)
{
    ASSERT_TRUE(open(5));
    const Box client = m_view->clientBox();
    // Bottom-centre cell: next page.
    QTest::mouseClick(m_view.get(), Qt::LeftButton, {}, QPoint(client.width() / 2, client.height() - 5));
    EXPECT_EQ(m_view->session().position(), 7);
    // Top-centre cell: previous page.
    QTest::mouseClick(m_view.get(), Qt::LeftButton, {}, QPoint(client.width() / 2, 5));
    EXPECT_EQ(m_view->session().position(), 5);
    // The wheel over the scroll bar turns one spread, as over the pages.
    QScrollBar *bar = m_view->findChild<QScrollBar *>();
    ASSERT_NE(bar, nullptr);
    const QPoint barPoint(bar->width() / 2, bar->height() / 2);
    QWheelEvent towards(QPointF(barPoint), QPointF(bar->mapToGlobal(barPoint)), QPoint(),
                        QPoint(0, -120), Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(bar, &towards);
    EXPECT_EQ(m_view->session().position(), 7);
    EXPECT_EQ(bar->value(), 6);
    QWheelEvent away(QPointF(barPoint), QPointF(bar->mapToGlobal(barPoint)), QPoint(),
                     QPoint(0, 120), Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(bar, &away);
    EXPECT_EQ(m_view->session().position(), 5);
    // A touchpad's small steps turn one spread per whole notch.
    for (int i = 0; i < 7; ++i) {
        QWheelEvent small(QPointF(200, 200), QPointF(m_view->mapToGlobal(QPoint(200, 200))), QPoint(0, -3),
                          QPoint(0, -20), Qt::NoButton, Qt::NoModifier, Qt::ScrollUpdate, false);
        QApplication::sendEvent(m_view.get(), &small);
    }
    EXPECT_EQ(m_view->session().position(), 7);
    // Bottom-right cell: automatic turning with its status.
    QTest::mouseClick(m_view.get(), Qt::LeftButton, {}, QPoint(client.width() - 5, client.height() - 5));
    EXPECT_TRUE(m_view->controller().autoTurnOn());
    EXPECT_EQ(m_view->statusPopup().text(), kAutoTurnOnText);

    QSignalSpy closed(m_view.get(), &CLeafreaderView::bookClosed);
    QTest::keyClick(m_view.get(), Qt::Key_S, Qt::ControlModifier);
    ASSERT_EQ(closed.count(), 1);
    EXPECT_EQ(closed[0][0].toInt(), int(CLeafreaderView::CloseAdd));
    EXPECT_EQ(closed[0][2].toInt(), 5); // the page at opening
    EXPECT_FALSE(m_view->bookMode());
    EXPECT_FALSE(m_view->session().isOpen());
}

TEST_F(ViewFixture, ControlPadOpensAtTheClickPoint)
{
    CControlDlg &pad = m_view->controlPad();
    const QSize size = pad.size();
    // From the list screens: at the point they pass, not where the cursor is.
    m_view->toggleControlPadAt(QPoint(600, 500));
    ASSERT_TRUE(pad.isVisible());
    EXPECT_EQ(pad.pos(), QPoint(600 - size.width() / 2, 500 - size.height() / 10));
    m_view->toggleControlPadAt(QPoint(600, 500));
    EXPECT_FALSE(pad.isVisible());

    // In book mode a click on the top-right cell shows it at the click.
    ASSERT_TRUE(open());
    const QPoint click(m_view->clientBox().width() - 20, 30);
    QTest::mouseClick(m_view.get(), Qt::LeftButton, {}, click);
    ASSERT_TRUE(pad.isVisible());
    const QPoint global = m_view->mapToGlobal(click);
    EXPECT_EQ(pad.pos(), QPoint(global.x() - size.width() / 2, global.y() - size.height() / 10));
    pad.hide();
}

TEST_F(ViewFixture, BookMenuItemsAndStates)
{
    ASSERT_TRUE(open());
    std::unique_ptr<QMenu> menu(m_view->createBookMenu());
    std::map<int, QAction *> items;
    std::function<void(QMenu *)> collect = [&](QMenu *m) {
        for (QAction *a : m->actions()) {
            if (a->menu())
                collect(a->menu());
            else if (!a->isSeparator())
                items[a->data().toInt()] = a;
        }
    };
    collect(menu.get());
    ASSERT_TRUE(items.count(CmdNextPage));
    EXPECT_EQ(items[CmdNextPage]->text(), QStringLiteral("次のページ\tCtrl+N"));
    EXPECT_TRUE(items[CmdNextPage]->isEnabled());
    EXPECT_FALSE(items[CmdPreviousPage]->isEnabled()); // page 1
    EXPECT_FALSE(items[CmdFirstPage]->isEnabled());
    EXPECT_TRUE(items[CmdSinglePage]->isEnabled()); // a spread book
    EXPECT_FALSE(items[CmdSinglePage]->isChecked());
    EXPECT_TRUE(items[CmdSpread]->isChecked());
    EXPECT_TRUE(items[CmdZoomOff]->isChecked());
    EXPECT_EQ(items[zoomCommand(7)]->text(), QStringLiteral("２倍 - 下段左\t1"));
    EXPECT_TRUE(items[CmdRotate0]->isChecked());
    EXPECT_EQ(items.size(), 29u);

    // Choosing an item goes through the command door.
    items[CmdLastPage]->trigger();
    EXPECT_EQ(m_view->session().position(), m_view->session().pageCount());
}

TEST_F(ViewFixture, OpeningFailuresShowTheirMessages)
{
    BookEntry row;
    row.kind = BookEntry::BookFile;
    row.path = QStringLiteral("/nonexistent/book.kvb");
    EXPECT_FALSE(m_view->openBook(row));
    EXPECT_EQ(m_prompt.texts(), QStringList{QStringLiteral("ファイルを開けません。")});
    EXPECT_EQ(m_prompt.beeps(), 1);
    EXPECT_FALSE(m_view->bookMode());
}

TEST(Frame, TitleFullScreenAndPlacementOnClose)
{
    ReaderSettings settings;
    ui::FrameSettings frameSettings;
    QTemporaryDir dir;
    QSettings store(dir.filePath(QStringLiteral("Leafreader.ini")), QSettings::IniFormat);
    platform::ScriptedPrompt prompt;
    CLeafreaderFrame frame(settings, frameSettings, store, prompt);
    EXPECT_EQ(frame.windowTitle(), QStringLiteral("Leafreader"));
    frame.setDocumentTitle(QStringLiteral("Demo.kvb"));
    EXPECT_EQ(frame.windowTitle(), QStringLiteral("Demo.kvb - Leafreader"));
    EXPECT_EQ(frame.minimumSize(), QSize(640, 480));
    EXPECT_EQ(frame.menuWidget(), nullptr);

    // The view's command door switches full screen; each switch lays the
    // list screens out again.
    frame.show();
    QSignalSpy switched(&frame, &CLeafreaderFrame::fullScreenChanged);
    frame.view().onCommand(CmdFullScreen);
    EXPECT_TRUE(frame.fullScreenOn());
    frame.view().onCommand(CmdLeaveFullScreen); // the user switched it on
    EXPECT_TRUE(frame.fullScreenOn());
    frame.view().onCommand(CmdFullScreen);
    EXPECT_FALSE(frame.fullScreenOn());
    frame.view().onCommand(CmdEnterFullScreen);
    EXPECT_TRUE(frame.fullScreenOn());
    frame.view().onCommand(CmdFullScreen);
    EXPECT_EQ(switched.count(), 4);

    // The system is kept awake while the window is open, not only while a
    // book is shown; closing takes the placement and writes it.
    EXPECT_TRUE(frame.stayAwake().isHeld());
    frame.close();
    EXPECT_FALSE(frame.stayAwake().isHeld());
    EXPECT_TRUE(frameSettings.hasWindowPos);
    EXPECT_FALSE(frameSettings.fullScreen);
    EXPECT_EQ(frameSettings.windowPos.showCommand, 1);
    // Closing writes the placement into the store handed in.
    EXPECT_EQ(store.value(QStringLiteral("FullScreen")).toString(), QStringLiteral("0"));
    EXPECT_EQ(store.value(QStringLiteral("WindowPos")).toString(), frameSettings.windowPos.toText());
}
