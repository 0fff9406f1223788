#include "pageview/controldlg.h"

#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

using namespace leafreader;

TEST(ControlPad, SizeCellsAndClicks)
{
    EXPECT_EQ(CControlDlg::readerPadSize(0), QSize(32 * 384 / 100, 32 * 896 / 100));
    EXPECT_EQ(CControlDlg::sizeFor(50), QSize(192, 448));
    CControlDlg pad;
    pad.setPadSize(CControlDlg::sizeFor(100)); // 384 x 896: cells of 128 x 128
    EXPECT_EQ(pad.buttonAt({0, 0}), 0);
    EXPECT_EQ(pad.buttonAt({383, 895}), 20);
    EXPECT_EQ(pad.buttonAt({200, 300}), 7);
    pad.show();
    QSignalSpy clicked(&pad, &CControlDlg::buttonClicked);
    QTest::mouseClick(&pad, Qt::LeftButton, {}, QPoint(200, 300));
    ASSERT_EQ(clicked.count(), 1);
    EXPECT_EQ(clicked[0][0].toInt(), 7);
    // Pressed on one button and released on another: nothing.
    QTest::mousePress(&pad, Qt::LeftButton, {}, QPoint(200, 300));
    QTest::mouseMove(&pad, QPoint(60, 500));
    QTest::mouseRelease(&pad, Qt::LeftButton, {}, QPoint(60, 500));
    EXPECT_EQ(clicked.count(), 1);
    // Button 1 drags the pad and reports nothing.
    pad.move(100, 100);
    QTest::mousePress(&pad, Qt::LeftButton, {}, QPoint(190, 60));
    QTest::mouseMove(&pad, QPoint(230, 90));
    QTest::mouseRelease(&pad, Qt::LeftButton, {}, QPoint(230, 90));
    EXPECT_EQ(pad.pos(), QPoint(140, 130));
    EXPECT_EQ(clicked.count(), 1);
}
