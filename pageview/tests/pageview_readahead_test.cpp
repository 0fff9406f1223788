// Reading ahead: the spread after the one shown is decoded on workers while
// the view rests, and a step onto it decodes nothing.
#include "pageview/bookpainter.h"
#include "pageview/booksource.h"
#include "pageview/foldersource.h"
#include "pageview/pagesession.h"

#include "pageview_testpages.h"
#include "tests/testsupport.h"

#include <QSignalSpy>
#include <QTemporaryDir>
#include <QThread>

#include <gtest/gtest.h>

using namespace leafreader;

namespace {

class ReadAhead : public testing::Test {
protected:
    static QByteArray pageJpeg(int i) { return pageviewtest::pageJpeg(i); }
    QStringList writePages(int count)
    {
        QStringList names;
        for (int i = 0; i < count; ++i) {
            names << QStringLiteral("p%1.jpg").arg(i, 2, 10, QChar(u'0'));
            EXPECT_TRUE(testsupport::writeFile(m_dir.filePath(names.back()), pageJpeg(i)));
        }
        return names;
    }
    // A spread without a cover, left binding: spread s shows pages 2s and 2s + 1.
    void open(PageSession &s, int pages, int position = 1)
    {
        PageSession::Start start;
        start.position = position;
        start.layoutFlags = kvb::PageSpread;
        ASSERT_EQ(s.open(std::make_unique<FolderSource>(m_dir.path(), writePages(pages)), start),
                  PageSession::OpenResult::Opened);
    }
    static bool waitAhead(PageSession &s)
    {
        QSignalSpy done(&s, &PageSession::readAheadDone);
        for (int i = 0; i < 100 && s.aheadState() != PageSession::Ahead::Ready; ++i)
            done.wait(100);
        return s.aheadState() == PageSession::Ahead::Ready;
    }
    static std::pair<int, int> shown(const PageSession &s) { return pageviewtest::shown(s); }

    QTemporaryDir m_dir;
};

} // namespace

TEST_F(ReadAhead, StepForwardAfterARestDecodesNothing)
{
    PageSession s;
    s.setViewport({0, 0, 400, 300}, 4, false);
    open(s, 8);
    const int loads = s.loadCount();
    ASSERT_TRUE(s.readAhead());
    EXPECT_FALSE(s.readAhead()); // under way already
    ASSERT_TRUE(waitAhead(s));
    EXPECT_EQ(s.aheadSpread(), 1);
    EXPECT_EQ(s.aheadDecodeCount(), 2);

    EXPECT_TRUE(s.nextPage());
    EXPECT_EQ(s.loadCount(), loads);
    EXPECT_EQ(shown(s), std::make_pair(2, 3));
    EXPECT_EQ(s.aheadState(), PageSession::Ahead::None);
    // Reduced ahead to the size it is drawn at, so painting only copies it.
    const PageLayout layout = computeLayout(s.layoutInput());
    ASSERT_EQ(layout.pictures.size(), 2u);
    EXPECT_EQ(s.leftSlot().prepared.size(), uprightSize(layout.pictures[0].target, 0));

    // Automatic turning steps the same way: the next rest reads spread 2.
    ASSERT_TRUE(s.readAhead());
    ASSERT_TRUE(waitAhead(s));
    EXPECT_EQ(s.aheadSpread(), 2);
    EXPECT_TRUE(s.nextPage());
    EXPECT_EQ(s.loadCount(), loads);
    EXPECT_EQ(shown(s), std::make_pair(4, 5));
}

TEST_F(ReadAhead, MovesTheOtherWayJumpsAndNewSlotsDiscardIt)
{
    PageSession s;
    s.setViewport({0, 0, 400, 300}, 0, false);
    open(s, 10, 5); // spread 2
    ASSERT_TRUE(s.readAhead());
    ASSERT_TRUE(waitAhead(s));
    EXPECT_EQ(s.aheadSpread(), 3);

    // Back: the spread ahead is gone, the previous one decoded as before.
    int loads = s.loadCount();
    EXPECT_TRUE(s.previousPage());
    EXPECT_EQ(s.aheadState(), PageSession::Ahead::None);
    EXPECT_EQ(s.loadCount(), loads + 1);
    EXPECT_EQ(shown(s), std::make_pair(2, 3));
    // Resting now reads backwards.
    ASSERT_TRUE(s.readAhead());
    ASSERT_TRUE(waitAhead(s));
    EXPECT_EQ(s.aheadSpread(), 0);

    // A jump onto that very spread still decodes it anew.
    loads = s.loadCount();
    EXPECT_TRUE(s.firstPage());
    EXPECT_EQ(s.loadCount(), loads + 1);
    EXPECT_EQ(s.aheadState(), PageSession::Ahead::None);
    // Nothing lies before the first spread: the rest there reads forward.
    ASSERT_TRUE(s.readAhead());
    ASSERT_TRUE(waitAhead(s));
    EXPECT_EQ(s.aheadSpread(), 1);

    // A zoom that changes the decode size drops it; a move within the
    // current spread in the same direction keeps it.
    EXPECT_TRUE(s.nextPage()); // spread 1
    ASSERT_TRUE(s.readAhead());
    ASSERT_TRUE(waitAhead(s));
    s.setZoom(5);
    s.refreshResolution();
    EXPECT_EQ(s.aheadState(), PageSession::Ahead::None);
    ASSERT_TRUE(s.readAhead());
    ASSERT_TRUE(waitAhead(s));
    EXPECT_TRUE(s.moveTo(4, true));
    EXPECT_EQ(s.aheadSpread(), 2);
    // So does a new layout.
    s.setLayoutFlags(kvb::PageSpread | kvb::Cover);
    EXPECT_EQ(s.aheadState(), PageSession::Ahead::None);
}

TEST_F(ReadAhead, PageThatFailedOrChangedAheadIsReadAgainWhenShown)
{
    PageSession s;
    open(s, 6);
    const QString third = m_dir.filePath(QStringLiteral("p02.jpg"));
    ASSERT_TRUE(testsupport::writeFile(third, "not a picture"));
    ASSERT_TRUE(s.readAhead());
    ASSERT_TRUE(waitAhead(s));

    // Still broken when shown: the slot stays empty, as without reading ahead.
    int loads = s.loadCount();
    EXPECT_TRUE(s.nextPage());
    EXPECT_EQ(s.loadCount(), loads + 1);
    EXPECT_EQ(shown(s), std::make_pair(-1, -1));

    // Mended in between: the page shows.
    open(s, 6);
    ASSERT_TRUE(testsupport::writeFile(third, "not a picture"));
    ASSERT_TRUE(s.readAhead());
    ASSERT_TRUE(waitAhead(s));
    ASSERT_TRUE(testsupport::writeFile(third, pageJpeg(2)));
    loads = s.loadCount();
    EXPECT_TRUE(s.nextPage());
    EXPECT_EQ(s.loadCount(), loads + 1);
    EXPECT_EQ(shown(s), std::make_pair(2, 3));

    // A page written again after it was read ahead shows its new bytes.
    open(s, 6);
    ASSERT_TRUE(s.readAhead());
    ASSERT_TRUE(waitAhead(s));
    ASSERT_TRUE(testsupport::writeFile(third, pageJpeg(40)));
    loads = s.loadCount();
    EXPECT_TRUE(s.nextPage());
    EXPECT_EQ(s.loadCount(), loads + 1);
    EXPECT_EQ(shown(s), std::make_pair(40, 3));
}

TEST_F(ReadAhead, ResultsArriveOnTheSessionsThreadAndClosingDiscards)
{
    PageSession s;
    open(s, 6);
    QThread *arrivedOn = nullptr;
    QObject::connect(&s, &PageSession::readAheadDone, [&] { arrivedOn = QThread::currentThread(); });
    QSignalSpy done(&s, &PageSession::readAheadDone);
    ASSERT_TRUE(s.readAhead());
    // The state turns Ready on the workers; the report follows on this thread.
    ASSERT_TRUE(done.wait(10000));
    EXPECT_EQ(s.aheadState(), PageSession::Ahead::Ready);
    EXPECT_EQ(arrivedOn, QThread::currentThread());

    s.close();
    EXPECT_EQ(s.aheadState(), PageSession::Ahead::None);
    EXPECT_FALSE(s.readAhead());

    // Closed or destroyed while the workers run: nothing is left behind.
    open(s, 6);
    ASSERT_TRUE(s.readAhead());
    s.close();
    {
        PageSession gone;
        open(gone, 6);
        ASSERT_TRUE(gone.readAhead());
    }
    // Reading ahead again waits until the discarded workers are done, so no
    // more than two spreads are decoded at any time.
    open(s, 6);
    s.readAhead();
    EXPECT_TRUE(waitAhead(s));
}

TEST_F(ReadAhead, BookPagesAreReadOnTheViewsThread)
{
    testsupport::BookBytes book;
    book.header(4, kvb::PageSpread);
    for (int i = 0; i < 4; ++i)
        book.page(kvb::Jpeg, pageJpeg(i));
    const QString path = m_dir.filePath(QStringLiteral("b.kvb"));
    ASSERT_TRUE(testsupport::writeFile(path, book.bytes()));
    PageSession s;
    ASSERT_EQ(openBook(s, path, {}), PageSession::OpenResult::Opened);
    ASSERT_TRUE(s.readAhead());
    ASSERT_TRUE(waitAhead(s));
    const int loads = s.loadCount();
    EXPECT_TRUE(s.nextPage());
    EXPECT_EQ(s.loadCount(), loads);
    EXPECT_EQ(shown(s), std::make_pair(2, 3));
    EXPECT_FALSE(s.readAhead()); // nothing after the last spread
}
