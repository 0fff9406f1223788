// The document: loading books, page edits, the merge of further attributes,
// validation and the clear question.
#include "testfixtures.h"

#include "core/binderyeditor.h"
#include "core/messages.h"

#include <book/kvbfile.h>

#include <gtest/gtest.h>

using namespace bindery;
using binderytest::Workspace;
using platform::PromptAnswer;
using platform::ScriptedPrompt;
using testsupport::BookBytes;

namespace {

QString attributeSummary(const kvb::AttributeList &list)
{
    QStringList parts;
    for (const auto &a : list)
        parts << QStringLiteral("%1:%2%3").arg(a.type).arg(a.name.isEmpty() ? QString() : a.name + u'=').arg(a.text);
    return parts.join(u',');
}

// An editor holding n JPEG pages named p1.jpg ... pn.jpg.
struct PagesFixture {
    Workspace ws;
    ScriptedPrompt prompt;
    BinderyEditor editor{prompt};

    explicit PagesFixture(int n)
    {
        QStringList paths;
        for (int i = 1; i <= n; ++i)
            paths << ws.picture(QStringLiteral("p%1.jpg").arg(i));
        EXPECT_TRUE(editor.addPagesCommand(paths));
        editor.takeChanges();
    }
    QStringList order() const
    {
        QStringList names;
        for (const auto &page : editor.document().pages)
            names << page.sourcePath.section(u'/', -1).section(u'.', 0, 0);
        return names;
    }
};

} // namespace

TEST(BinderyLoadBook, RepeatedRecordsKeepTheFirstAndMoveTheRestToFurtherAttributes)
{
    Workspace ws;
    BookBytes book;
    book.header(2, kvb::Cover | kvb::PageSpread, 0)
        .text(kvb::Title, QStringLiteral("First"))
        .text(kvb::Title, QStringLiteral("Second"))
        .text(kvb::Author, QStringLiteral("A"))
        .item(QStringLiteral("Key"), QStringLiteral("Value"))
        .text(kvb::Author, QStringLiteral("B"))
        .text(kvb::Author, QStringLiteral("C"))
        .date(2021, 3, 5)
        .date(1999, 1, 1)
        .text(kvb::Circle, QStringLiteral("Circle X"))
        .text(kvb::Subtitle, QStringLiteral("Sub"))
        .text(kvb::Subtitle, QStringLiteral("Sub2"))
        .page(kvb::Jpeg, binderytest::jpegBytes())
        .page(kvb::Png, binderytest::pngBytes());
    const QString path = ws.file(QStringLiteral("b.kvb"), book.bytes());

    ScriptedPrompt prompt;
    BinderyEditor editor(prompt);
    editor.document().bindRight = true;
    editor.document().withThumbnail = true;
    ASSERT_TRUE(editor.openBookFile(path));
    const BookDocument &d = editor.document();
    EXPECT_EQ(d.title, QStringLiteral("First"));
    EXPECT_EQ(d.subtitle, QStringLiteral("Sub"));
    EXPECT_EQ(d.author, QStringLiteral("A"));
    EXPECT_EQ(d.circle, QStringLiteral("Circle X"));
    EXPECT_TRUE(d.publisher.isEmpty());
    EXPECT_TRUE(d.datePresent);
    EXPECT_EQ(d.year, 2021);
    EXPECT_EQ(d.month, 3);
    EXPECT_EQ(d.day, 5);
    EXPECT_EQ(attributeSummary(d.otherAttributes), QStringLiteral("7:Key=Value,3:B,3:C"));
    EXPECT_TRUE(d.cover);
    EXPECT_FALSE(d.bindRight);
    EXPECT_TRUE(d.pageSpread);
    EXPECT_FALSE(d.withThumbnail);
    EXPECT_FALSE(d.modified);
    EXPECT_EQ(d.documentPath, path);
    ASSERT_EQ(d.pageCount(), 2);
    EXPECT_EQ(d.pages[0].sourcePath, path);
    EXPECT_FALSE(d.pages[0].thumbnail.isNull());
    EXPECT_TRUE(prompt.texts().isEmpty());
}

TEST(BinderyLoadBook, UnreadableBookAndUndecodablePageReportAndContinue)
{
    Workspace ws;
    ScriptedPrompt prompt;
    BinderyEditor editor(prompt);
    const QString broken = ws.file(QStringLiteral("broken.kvb"), QByteArray("\x05KVB", 4));
    EXPECT_FALSE(editor.openBookFile(broken));
    EXPECT_EQ(prompt.texts(), QStringList{text::BookUnreadable});
    EXPECT_EQ(editor.document().pageCount(), 0);

    prompt.clear();
    BookBytes book;
    book.header(2).page(kvb::Jpeg, QByteArray("not a picture")).page(kvb::Jpeg, binderytest::jpegBytes());
    const QString path = ws.file(QStringLiteral("badpage.kvb"), book.bytes());
    ASSERT_TRUE(editor.openBookFile(path));
    EXPECT_EQ(prompt.texts(), QStringList{text::PictureUnreadable});
    ASSERT_EQ(editor.document().pageCount(), 2);
    EXPECT_TRUE(editor.document().pages[0].thumbnail.isNull());
    EXPECT_FALSE(editor.document().pages[1].thumbnail.isNull());
}

TEST(BinderyPageEdits, DeleteTheSecondAndFifthOfSixAndClampThePosition)
{
    PagesFixture f(6);
    f.editor.setCurrentPosition(6);
    f.editor.setSelection({4, 1});
    ASSERT_TRUE(f.editor.deleteSelected());
    EXPECT_EQ(f.order(), (QStringList{"p1", "p3", "p4", "p6"}));
    EXPECT_TRUE(f.editor.document().selection.empty());
    EXPECT_TRUE(f.editor.document().modified);
    // The shown page is brought back into the book at once.
    EXPECT_EQ(f.editor.document().currentPosition, 4);
    EXPECT_TRUE(f.editor.takeChanges() & ChangePages);

    f.editor.selectAll();
    ASSERT_TRUE(f.editor.deleteSelected());
    EXPECT_EQ(f.editor.document().currentPosition, 0);
}

TEST(BinderyPageEdits, MovesNeedExactlyOnePageAndStopAtTheEnds)
{
    PagesFixture f(4);
    f.editor.setSelection({0});
    EXPECT_FALSE(f.editor.moveUp());
    EXPECT_FALSE(f.editor.moveToTop());
    EXPECT_TRUE(f.editor.moveDown());
    EXPECT_EQ(f.order(), (QStringList{"p2", "p1", "p3", "p4"}));
    EXPECT_EQ(f.editor.document().selection, std::vector<int>{1});
    EXPECT_TRUE(f.editor.moveToBottom());
    EXPECT_EQ(f.order(), (QStringList{"p2", "p3", "p4", "p1"}));
    EXPECT_EQ(f.editor.document().selection, std::vector<int>{3});
    EXPECT_FALSE(f.editor.moveDown());
    EXPECT_TRUE(f.editor.moveToTop());
    EXPECT_EQ(f.order(), (QStringList{"p1", "p2", "p3", "p4"}));
    f.editor.setSelection({1, 2});
    EXPECT_FALSE(f.editor.moveUp());
    EXPECT_FALSE(f.editor.duplicate());
    const ControlStates s = f.editor.controlStates();
    EXPECT_FALSE(s.moveUp);
    EXPECT_TRUE(s.remove);
    EXPECT_FALSE(s.duplicate);
    EXPECT_TRUE(s.exportSelected);
}

TEST(BinderyPageEdits, DuplicateInsertsACopyBeforeAndKeepsTheOriginalSelected)
{
    PagesFixture f(4);
    f.editor.setSelection({2});
    ASSERT_TRUE(f.editor.duplicate());
    EXPECT_EQ(f.order(), (QStringList{"p1", "p2", "p3", "p3", "p4"}));
    EXPECT_EQ(f.editor.document().selection, std::vector<int>{3});
    const auto &pages = f.editor.document().pages;
    EXPECT_EQ(pages[2].thumbnail, pages[3].thumbnail);
    EXPECT_EQ(pages[2].size, pages[3].size);
    // Select all does not mark the document; page edits do.
    f.editor.document().modified = false;
    f.editor.selectAll();
    EXPECT_EQ(f.editor.document().selection.size(), 5u);
    EXPECT_FALSE(f.editor.document().modified);
}

TEST(BinderyPageEdits, DuplicatingAnUndecodablePageGivesACopyWithoutThumbnail)
{
    Workspace ws;
    ScriptedPrompt prompt;
    BinderyEditor editor(prompt);
    ASSERT_TRUE(editor.addPages({ws.file(QStringLiteral("bad.jpg"), "not a jpeg")}));
    EXPECT_EQ(prompt.texts(), QStringList{text::PictureUnreadable});
    editor.setSelection({0});
    ASSERT_TRUE(editor.duplicate());
    EXPECT_EQ(editor.document().pageCount(), 2);
    EXPECT_TRUE(editor.document().pages[0].thumbnail.isNull());
    EXPECT_EQ(prompt.texts().size(), 1);
}

TEST(BinderyDocument, ClearAsksOnlyWhenThereArePagesAndKeepsLayoutAndDate)
{
    PagesFixture f(2);
    BookDocument &d = f.editor.document();
    d.title = QStringLiteral("T");
    d.datePresent = true;
    d.year = 2020;
    d.cover = false;
    f.prompt.planAnswer(PromptAnswer::Cancel);
    EXPECT_FALSE(f.editor.newDocument());
    EXPECT_EQ(d.pageCount(), 2);
    EXPECT_EQ(f.prompt.texts(), QStringList{text::ClearQuestion});
    EXPECT_EQ(f.prompt.shown().back().icon, platform::PromptIcon::Question);
    EXPECT_EQ(f.prompt.shown().back().buttons, platform::PromptButtons::OkCancel);

    EXPECT_TRUE(f.editor.newDocument());
    EXPECT_EQ(d.pageCount(), 0);
    EXPECT_TRUE(d.title.isEmpty());
    EXPECT_FALSE(d.datePresent);
    EXPECT_EQ(d.year, 2020);
    EXPECT_FALSE(d.cover);
    EXPECT_FALSE(d.modified);
    EXPECT_EQ(f.editor.windowTitle(), QStringLiteral("Bindery - (新規作成)"));

    f.prompt.clear();
    EXPECT_TRUE(f.editor.newDocument());
    EXPECT_TRUE(f.prompt.texts().isEmpty());
}

TEST(BinderyDocument, MergeGivesEmptyPrincipalFieldsTheFirstEditedEntry)
{
    ScriptedPrompt prompt;
    BinderyEditor editor(prompt);
    editor.document().author = QStringLiteral("A");
    kvb::AttributeList edited;
    auto add = [&](uint8_t type, const QString &text, const QString &name = {}) {
        kvb::AttributeEntry e;
        e.type = type;
        e.text = text;
        e.name = name;
        edited.push_back(e);
    };
    add(kvb::Author, QStringLiteral("B"));
    add(kvb::Publisher, QStringLiteral("P1"));
    add(kvb::UserDefined, QStringLiteral("v"), QStringLiteral("n"));
    add(kvb::Publisher, QStringLiteral("P2"));
    add(kvb::Circle, QStringLiteral("C1"));
    editor.mergeOtherAttributes(edited);
    const BookDocument &d = editor.document();
    EXPECT_EQ(d.author, QStringLiteral("A"));
    EXPECT_EQ(d.publisher, QStringLiteral("P1"));
    EXPECT_EQ(d.circle, QStringLiteral("C1"));
    EXPECT_EQ(attributeSummary(d.otherAttributes), QStringLiteral("3:B,7:n=v,4:P2"));
    EXPECT_TRUE(d.modified);
}

TEST(BinderyValidation, GregorianDayLimitsApplyWhetherOrNotTheDateIsTicked)
{
    BookDocument d;
    struct Case {
        int y, m, day;
        bool ok;
    };
    const Case cases[] = {{2000, 2, 29, true}, {2024, 2, 29, true}, {1900, 2, 29, false}, {2023, 2, 29, false},
                          {0, 2, 29, true},    {2021, 4, 31, false}, {2021, 6, 31, false}, {2021, 0, 31, true},
                          {2021, 6, 0, true},  {2021, 12, 31, true}};
    for (const Case &c : cases) {
        d.year = c.y;
        d.month = c.m;
        d.day = c.day;
        d.datePresent = false;
        const Validation v = validateDocument(d);
        EXPECT_EQ(v.ok, c.ok) << c.y << '-' << c.m << '-' << c.day;
        if (!c.ok) {
            EXPECT_EQ(v.message, text::BadDate);
            EXPECT_EQ(v.focus, Field::Day);
        }
    }
}

TEST(BinderyValidation, ControlCharactersAreReportedForTheFirstFieldInOrder)
{
    ScriptedPrompt prompt;
    BinderyEditor editor(prompt);
    BookDocument &d = editor.document();
    d.circle = QStringLiteral("a\tb");
    d.subtitle = QStringLiteral("x\x01");
    d.day = 31;
    d.month = 4;
    EXPECT_FALSE(editor.validate());
    EXPECT_EQ(prompt.texts(), QStringList{text::SubtitleControl});
    EXPECT_EQ(editor.takeFocusRequest(), Field::Subtitle);
    d.subtitle.clear();
    EXPECT_EQ(validateDocument(d).message, text::CircleControl);
    d.circle = QStringLiteral("ok");
    EXPECT_EQ(validateDocument(d).message, text::BadDate);
    // Taking the fields over (before the further-attributes dialog) checks
    // lengths and ranges only.
    d.circle = QStringLiteral("a\tb");
    EXPECT_TRUE(validateDocument(d, true).ok);
    d.title = QString(128, u'x');
    EXPECT_EQ(validateDocument(d).focus, Field::Title);
    EXPECT_EQ(validateDocument(d, true).focus, Field::Title);
}
