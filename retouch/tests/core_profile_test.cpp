// Stripe profiles: the file, its bad lines and applying it.
#include "core/offsetprofile.h"
#include "core/retoucheditor.h"

#include "testimages.h"
#include "testsupport.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace retouch;
using namespace retouchtest;

TEST(OffsetProfile, ReplayGivesThePictureTheEditorMade)
{
    QTemporaryDir dir;
    const QString page = dir.filePath(QStringLiteral("page.png"));
    ASSERT_TRUE(writePicture(page, gradient(40, 30)));
    platform::ScriptedPrompt prompt;
    RetouchEditor first(prompt);
    ASSERT_EQ(first.openImage(page), OpenResult::Opened);
    first.setCurve(2);
    first.moveCursorTo(3, 0);
    first.setOffset(Channel::All, 7);
    first.setOffset(Channel::B, -30);
    first.moveCursorTo(39, 0);
    first.setOffset(Channel::R, 30);
    first.moveCursorTo(20, 0);
    first.setOffset(Channel::All, 5); // cancels at last, computed under curve 2
    first.setOffset(Channel::R, -5);
    first.setOffset(Channel::G, -5);
    first.setOffset(Channel::B, -5);
    first.moveCursorTo(11, 0);
    first.setOffset(Channel::All, 4); // set back to 0: encode[decode[v]] under curve 2
    first.setOffset(Channel::All, 0);
    first.setCurve(4); // recomputes 3 and 39 only
    first.moveCursorTo(25, 0);
    first.setOffset(Channel::G, 3);
    first.setOffset(Channel::G, 0);
    ASSERT_GT(cv::norm(first.image().edited().col(11), first.image().source().col(11), cv::NORM_INF), 0);
    const QString profile = dir.filePath(QStringLiteral("stripes.csv"));
    ASSERT_TRUE(first.saveOffsets(profile));
    EXPECT_EQ(testsupport::readFile(profile),
              QByteArray("column,all,r,g,b,curve\n3,7,0,0,-30,4\n11,0,0,0,0,2\n20,5,-5,-5,-5,2\n25,0,0,0,0,4\n"
                         "39,0,30,0,0,4\ngamma,4\n"));

    RetouchEditor second(prompt);
    ASSERT_EQ(second.openImage(page), OpenResult::Opened);
    second.setCurve(1);
    second.moveCursorTo(8, 0);
    second.setOffset(Channel::G, 9); // a correction the profile does not hold
    prompt.planAnswer(platform::PromptAnswer::Yes);
    ASSERT_TRUE(second.loadOffsets(profile));
    EXPECT_EQ(prompt.texts(), QStringList{QStringLiteral("Discard unsaved changes?")});
    EXPECT_EQ(second.curve(), 4);
    EXPECT_EQ(second.image().allOffsets(), first.image().allOffsets());
    EXPECT_EQ(cv::norm(second.image().edited(), first.image().edited(), cv::NORM_INF), 0);
    // Saved again, the profile is the same.
    const QString again = dir.filePath(QStringLiteral("again.csv"));
    ASSERT_TRUE(second.saveOffsets(again));
    EXPECT_EQ(testsupport::readFile(again), testsupport::readFile(profile));

    // A profile of five fields a line: a column whose offsets cancel stays as
    // the source; the others are recomputed under the profile's curve.
    ASSERT_TRUE(testsupport::writeFile(profile, "column,all,r,g,b\n3,7,0,0,-30\n20,5,-5,-5,-5\ngamma,2\n"));
    prompt.planAnswer(platform::PromptAnswer::Yes);
    ASSERT_TRUE(second.loadOffsets(profile));
    EXPECT_GT(cv::norm(second.image().edited().col(3), second.image().source().col(3), cv::NORM_INF), 0);
    EXPECT_EQ(cv::norm(second.image().edited().col(20), second.image().source().col(20), cv::NORM_INF), 0);
}

TEST(OffsetProfile, RefusesBadLinesNamingThem)
{
    struct Case {
        const char *text;
        ProfileReadResult::Status status;
        int line;
    };
    const Case cases[] = {
        {"", ProfileReadResult::FormatError, 1},
        {"1,2,3,4,5\n", ProfileReadResult::FormatError, 1},
        {"column,all,r,g,b\n\n3,1,2,3\n", ProfileReadResult::FormatError, 3},
        {"column,all,r,g,b\n3,1,2,3,x\n", ProfileReadResult::FormatError, 2},
        {"column,all,r,g,b\n3,1,2,3,4 5\n", ProfileReadResult::FormatError, 2},
        {"column,all,r,g,b\n-1,0,0,0,1\n", ProfileReadResult::FormatError, 2},
        {"column,all,r,g,b\n4,1,0,0,0\n4,2,0,0,0\n", ProfileReadResult::FormatError, 3},
        {"column,all,r,g,b\ngamma,7\n", ProfileReadResult::FormatError, 2},
        {"column,all,r,g,b\ngamma,1\ngamma,2\n", ProfileReadResult::FormatError, 3},
        {"column,all,r,g,b\r\n2,0,0,0,0\r\n5,31,0,0,0\r\n", ProfileReadResult::OutOfRange, 3},
        {"column,all,r,g,b\n5,0,0,-31,0\n", ProfileReadResult::OutOfRange, 2},
        {"column,all,r,g,b,curve\n5,0,0,1,0,7\n", ProfileReadResult::FormatError, 2},
        {"column,all,r,g,b,curve\n5,0,0,1,0,-2\n", ProfileReadResult::FormatError, 2},
        {"column,all,r,g,b,curve\n5,0,0,1,0,1,1\n", ProfileReadResult::FormatError, 2},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.text);
        const ProfileReadResult result = parseOffsetProfile(QByteArray(c.text));
        EXPECT_EQ(result.status, c.status);
        EXPECT_EQ(result.line, c.line);
        EXPECT_TRUE(result.profile.columns.empty());
    }
    const ProfileReadResult good =
        parseOffsetProfile("\xEF\xBB\xBF column, all, r, g, b\r\n\r\n 7 ,-30,30,0,1\r\ngamma , 0\r\n");
    EXPECT_EQ(good.status, ProfileReadResult::Ok);
    ASSERT_EQ(good.profile.columns.size(), 1u);
    EXPECT_EQ(good.profile.columns[0].line, 3);
    EXPECT_EQ(good.profile.columns[0].offsets, (ColumnOffsets{-30, 30, 0, 1}));
    EXPECT_EQ(good.profile.curve, 0);
    EXPECT_EQ(parseOffsetProfile("column,all,r,g,b\n").profile.curve, std::nullopt);
}

TEST(OffsetProfile, ColumnBeyondThePictureChangesNothing)
{
    QTemporaryDir dir;
    const QString page = dir.filePath(QStringLiteral("page.png"));
    ASSERT_TRUE(writePicture(page, gradient(10, 10)));
    const QString profile = dir.filePath(QStringLiteral("wide.csv"));
    ASSERT_TRUE(testsupport::writeFile(profile, "column,all,r,g,b\n9,1,0,0,0\n10,1,0,0,0\ngamma,0\n"));

    platform::ScriptedPrompt prompt;
    RetouchEditor editor(prompt);
    ASSERT_EQ(editor.openImage(page), OpenResult::Opened);
    editor.setOffset(Channel::All, 4);
    const cv::Mat before = editor.image().edited().clone();
    EXPECT_FALSE(editor.loadOffsets(profile));
    EXPECT_EQ(prompt.texts(), QStringList{QStringLiteral("Column beyond the image at line 3.[%1]").arg(profile)});
    EXPECT_EQ(editor.curve(), 4);
    EXPECT_EQ(editor.currentOffsets().all, 4);
    EXPECT_EQ(cv::norm(editor.image().edited(), before, cv::NORM_INF), 0);

    prompt.clear();
    EXPECT_FALSE(editor.loadOffsets(dir.filePath(QStringLiteral("none.csv"))));
    EXPECT_EQ(prompt.texts(),
              QStringList{QStringLiteral("Offsets file open failed.[%1]").arg(dir.filePath(QStringLiteral("none.csv")))});
}
