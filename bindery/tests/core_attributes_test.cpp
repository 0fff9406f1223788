// The further-attributes list and the add/edit dialog's checks.
#include "core/attributelist.h"
#include "core/messages.h"

#include <gtest/gtest.h>

using namespace bindery;

TEST(BinderyAttributeList, RowsColoursAndEdits)
{
    AttributeListModel model;
    model.add(kvb::Author, QStringLiteral("著者"), QStringLiteral("B"));
    model.add(kvb::UserDefined, QStringLiteral("Key"), QStringLiteral("Value"));
    model.add(kvb::Circle, QStringLiteral("サークル"), QStringLiteral("C"));
    ASSERT_EQ(model.rowCount(), 3);
    EXPECT_EQ(model.itemText(0), QStringLiteral("著者"));
    EXPECT_EQ(model.background(0), QColor(216, 216, 216));
    EXPECT_EQ(model.itemText(1), QStringLiteral("Key"));
    EXPECT_EQ(model.background(1), QColor(255, 255, 255));
    EXPECT_EQ(model.attributes()[1].name, QStringLiteral("Key"));
    EXPECT_EQ(model.attributes()[1].text, QStringLiteral("Value"));

    // Editing an author keeps its type and colour; a user item can be renamed.
    model.edit(0, QStringLiteral("ignored"), QStringLiteral("B2"));
    EXPECT_EQ(model.type(0), kvb::Author);
    EXPECT_EQ(model.itemText(0), QStringLiteral("著者"));
    EXPECT_EQ(model.contentText(0), QStringLiteral("B2"));
    model.edit(1, QStringLiteral("Key2"), QStringLiteral("V2"));
    EXPECT_EQ(model.itemText(1), QStringLiteral("Key2"));

    EXPECT_FALSE(model.moveUp(0));
    EXPECT_FALSE(model.moveDown(2));
    EXPECT_TRUE(model.moveDown(0));
    EXPECT_EQ(model.itemText(1), QStringLiteral("著者"));
    EXPECT_EQ(model.background(1), QColor(216, 216, 216));

    model.remove({2, 0});
    ASSERT_EQ(model.rowCount(), 1);
    EXPECT_EQ(model.contentText(0), QStringLiteral("B2"));
}

TEST(BinderyAttributeList, ButtonsFollowTheSelection)
{
    auto b = AttributeListModel::buttons({}, 3);
    EXPECT_FALSE(b.edit || b.remove || b.up || b.down);
    b = AttributeListModel::buttons({0}, 3);
    EXPECT_TRUE(b.edit && b.remove && b.down);
    EXPECT_FALSE(b.up);
    b = AttributeListModel::buttons({2}, 3);
    EXPECT_TRUE(b.up);
    EXPECT_FALSE(b.down);
    b = AttributeListModel::buttons({0, 1}, 3);
    EXPECT_TRUE(b.remove);
    EXPECT_FALSE(b.edit || b.up || b.down);
}

TEST(BinderyAttributeInput, ChecksInOrderAndDialogTitles)
{
    EXPECT_EQ(checkAttributeInput({}, {}).message, text::ItemEmpty);
    EXPECT_TRUE(checkAttributeInput({}, {}).focusItem);
    EXPECT_EQ(checkAttributeInput(QStringLiteral("a\nb"), {}).message, text::ItemControl);
    EXPECT_EQ(checkAttributeInput(QStringLiteral("a"), {}).message, text::ContentEmpty);
    EXPECT_FALSE(checkAttributeInput(QStringLiteral("a"), {}).focusItem);
    EXPECT_EQ(checkAttributeInput(QStringLiteral("a"), QStringLiteral("x\u0085")).message, text::ContentControl);
    EXPECT_TRUE(checkAttributeInput(QStringLiteral("a"), QStringLiteral("x")).ok);

    EXPECT_EQ(attributeDialogTitle(kvb::UserDefined, {}, false), QStringLiteral("ユーザー定義の追加"));
    EXPECT_EQ(attributeDialogTitle(kvb::Author, QStringLiteral("著者"), true), QStringLiteral("著者の編集"));
    EXPECT_EQ(attributeDialogTitle(kvb::Publisher, QStringLiteral("出版社"), false), QStringLiteral("出版社の追加"));
}
