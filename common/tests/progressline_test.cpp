#include "platform/commandline.h"
#include "platform/progressline.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <unistd.h>

using namespace platform;

TEST(PlatformProgressLine, TextCountsTimesAndANameShortenedAtItsFrontToFitTheWidth)
{
    EXPECT_EQ(progressLineText(QStringLiteral("変換中"), 0, 340, QStringLiteral("a.jpg"), 900, 80),
              QStringLiteral("変換中 0/340  0:00 elapsed  a.jpg"));
    // What is left goes at the pace so far: 12 items in 42 s, 328 to go.
    EXPECT_EQ(progressLineText({}, 12, 340, QStringLiteral("scans/p.jpg"), 42000, 80),
              QStringLiteral("12/340  0:42 elapsed  19:08 left  scans/p.jpg"));
    EXPECT_EQ(progressLineText({}, 3, 3, {}, 3723000, 80), QStringLiteral("3/3  1:02:03 elapsed"));

    // Wide characters take two columns; the line stays short of the last one.
    const QString name = QStringLiteral("本棚/第一巻/頁0001.jpg");
    EXPECT_EQ(progressLineText({}, 1, 2, name, 1000, 30), QStringLiteral("1/2  0:01 elapsed  0:01 left"));
    const QString wider = progressLineText({}, 1, 2, name, 1000, 44);
    EXPECT_EQ(wider, QStringLiteral("1/2  0:01 elapsed  0:01 left  …/頁0001.jpg"));
    EXPECT_LE(terminalColumns(wider), 43);
    // A name cannot send escape sequences to the terminal.
    EXPECT_EQ(progressLineText({}, 0, 1, QStringLiteral("x\x1b[2Jy"), 0, 80),
              QStringLiteral("0/1  0:00 elapsed  x\\u001b[2Jy"));
}

namespace {

struct Capture {
    char *data = nullptr;
    size_t size = 0;
    FILE *stream = open_memstream(&data, &size);
    ~Capture()
    {
        std::fclose(stream);
        std::free(data);
    }
    QByteArray take()
    {
        std::fflush(stream);
        const QByteArray bytes(data, qsizetype(size));
        std::rewind(stream);
        std::fflush(stream);
        return bytes;
    }
};

} // namespace

TEST(PlatformProgressLine, RedrawsInPlaceKeepsOtherLinesAboveAndLeavesNothingBehind)
{
    Capture terminal;
    int64_t clock = 0;
    {
        ProgressLine line(ProgressLine::Terminal{terminal.stream, 80, [&] { return clock; }});
        line.begin({}, 2);
        line.setText(QStringLiteral("a.jpg"));
        // Work begun inside the run is not counted on the line.
        line.begin(QStringLiteral("inner"), 99);
        line.setPosition(50);
        line.end();
        EXPECT_EQ(terminal.take(), QByteArray("\r0/2  0:00 elapsed\x1b[K"));

        // A line the run prints goes above the progress, which comes back.
        clock = 10;
        writeText(terminal.stream, QStringLiteral("a.jpg\tok\n"));
        EXPECT_EQ(terminal.take(), QByteArray("\r\x1b[Ka.jpg\tok\n\r0/2  0:00 elapsed  a.jpg\x1b[K"));

        // Updates closer together than a twentieth of a second are not drawn.
        line.setPosition(1);
        EXPECT_EQ(terminal.take(), QByteArray());
        clock = 2000;
        line.setText(QStringLiteral("b.jpg"));
        EXPECT_EQ(terminal.take(), QByteArray("\r1/2  0:02 elapsed  0:02 left  b.jpg\x1b[K"));
        // The last item is always shown; the end of the work erases the line.
        line.setPosition(2);
        line.end();
        EXPECT_EQ(terminal.take(), QByteArray("\r2/2  0:02 elapsed  b.jpg\x1b[K\r\x1b[K"));
        writeText(terminal.stream, QStringLiteral("2 pictures written\n"));
        EXPECT_EQ(terminal.take(), QByteArray("2 pictures written\n"));
    }
    EXPECT_EQ(terminal.take(), QByteArray());

    // Quiet, or standard error not a terminal (as under the test runner):
    // nothing is drawn.
    EXPECT_FALSE(ProgressLine(true).shown());
    if (!isatty(STDERR_FILENO)) {
        EXPECT_FALSE(ProgressLine(false).shown());
    }
}
