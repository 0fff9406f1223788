// The main dialog offscreen: commands reach the document and the controls
// follow it.
#include "testfixtures.h"

#include "app/attradddlg.h"
#include "app/binderyapp.h"
#include "app/attreditdlg.h"
#include "app/binderydlg.h"
#include "app/pagelistbox.h"
#include "core/messages.h"

#include <platform/version.h>

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QWheelEvent>
#include <QComboBox>
#include <QFileDialog>
#include <QMessageBox>
#include <QTimer>
#include <QLineEdit>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QSpinBox>

#include <gtest/gtest.h>

using namespace bindery;
using binderytest::Workspace;
using platform::ScriptedPrompt;

namespace {

bool enabled(const CBinderyDlg &dlg, int id)
{
    return dlg.control(id) && dlg.control(id)->isEnabled();
}

} // namespace

TEST(BinderyDialog, AddingPagesFillsTheListAndUpdatesTitleAndButtons)
{
    Workspace ws;
    ScriptedPrompt prompt;
    CBinderyDlg dlg(prompt);
    dlg.show();
    EXPECT_EQ(dlg.windowTitle(), QStringLiteral("Bindery - (新規作成)"));
    EXPECT_FALSE(enabled(dlg, CmdSaveAsButton));
    EXPECT_FALSE(enabled(dlg, CmdSelectAll));

    prompt.planFiles({ws.picture(QStringLiteral("b.jpg"), 80, 100), ws.picture(QStringLiteral("a.png"), 100, 80),
                      ws.picture(QStringLiteral("c.jpg"))});
    dlg.onCommand(CmdAddImages);
    ASSERT_EQ(dlg.pageList()->count(), 3);
    EXPECT_EQ(dlg.windowTitle(), QStringLiteral("Bindery - (新規作成) *"));
    EXPECT_EQ(qobject_cast<QLabel *>(dlg.control(1002))->text(), QStringLiteral("3 "));
    EXPECT_TRUE(enabled(dlg, CmdSaveAsButton));
    EXPECT_FALSE(enabled(dlg, CmdSaveButton));
    EXPECT_TRUE(enabled(dlg, CmdSelectAll));
    EXPECT_FALSE(enabled(dlg, CmdDelete));
    // The list items carry the thumbnails in page order, within the box.
    const QSize box = dlg.pageList()->thumbnailBox();
    EXPECT_EQ(box.width(), box.height() * 4 / 5);
    const QImage first = dlg.pageList()->item(0)->data(CPageListBox::ThumbnailRole).value<QImage>();
    EXPECT_EQ(first.width(), box.width());
    EXPECT_EQ(dlg.editor().document().pages[0].sourcePath.section(u'/', -1), QStringLiteral("a.png"));
    // The preview shows the first spread.
    EXPECT_EQ(dlg.editor().document().currentPosition, 1);
    auto *scroll = qobject_cast<QScrollBar *>(dlg.control(1031));
    EXPECT_EQ(scroll->maximum(), 2);
    EXPECT_EQ(scroll->singleStep(), 2);

    // Selecting in the list enables the page buttons; the edits keep list and pages in step.
    dlg.pageList()->item(1)->setSelected(true);
    EXPECT_EQ(dlg.editor().document().selection, std::vector<int>{1});
    EXPECT_TRUE(enabled(dlg, CmdMoveUp));
    EXPECT_TRUE(enabled(dlg, CmdDuplicate));
    dlg.onCommand(CmdDuplicate);
    EXPECT_EQ(dlg.pageList()->count(), 4);
    EXPECT_TRUE(dlg.pageList()->item(2)->isSelected());
    EXPECT_FALSE(dlg.pageList()->item(1)->isSelected());
    dlg.onCommand(CmdSelectAll);
    EXPECT_EQ(dlg.pageList()->selectedItems().size(), 4);
    dlg.onCommand(CmdDelete);
    EXPECT_EQ(dlg.pageList()->count(), 0);
    EXPECT_EQ(dlg.editor().document().currentPosition, 0);
    EXPECT_TRUE(dlg.previewSlotA().isNull());
    EXPECT_TRUE(prompt.texts().isEmpty());
}

TEST(BinderyDialog, FileMenuGrayingAndFieldEditsMarkTheDocument)
{
    Workspace ws;
    ScriptedPrompt prompt;
    CBinderyDlg dlg(prompt);
    dlg.show();
    dlg.updateFileMenu();
    auto action = [&](const QString &startsWith) -> QAction * {
        for (QAction *a : dlg.fileMenu()->actions()) {
            if (a->text().startsWith(startsWith))
                return a;
        }
        return nullptr;
    };
    ASSERT_NE(action(QStringLiteral("上書き保存")), nullptr);
    EXPECT_FALSE(action(QStringLiteral("上書き保存"))->isEnabled());
    EXPECT_FALSE(action(QStringLiteral("名前を付けて保存"))->isEnabled());
    EXPECT_TRUE(action(QStringLiteral("新規作成"))->isEnabled());
    EXPECT_EQ(action(QStringLiteral("名前を付けて保存"))->shortcut(), QKeySequence(Qt::SHIFT | Qt::CTRL | Qt::Key_S));

    const QString book = ws.path(QStringLiteral("x.kvb"));
    prompt.planFiles({ws.picture(QStringLiteral("p.jpg"))});
    dlg.onCommand(CmdAddImages);
    prompt.planPath(book);
    dlg.onCommand(CmdSaveAsButton);
    EXPECT_EQ(prompt.texts(), QStringList{text::Saved});
    EXPECT_EQ(dlg.windowTitle(), QStringLiteral("Bindery - x.kvb"));
    dlg.updateFileMenu();
    EXPECT_FALSE(action(QStringLiteral("上書き保存"))->isEnabled());
    EXPECT_FALSE(action(QStringLiteral("選択Page画像の書き出し"))->isEnabled());

    // Typing a title marks the document and enables saving.
    auto *title = qobject_cast<QComboBox *>(dlg.control(1049));
    title->setEditText(QStringLiteral("New title"));
    EXPECT_EQ(dlg.editor().document().title, QStringLiteral("New title"));
    EXPECT_EQ(dlg.windowTitle(), QStringLiteral("Bindery - x.kvb *"));
    EXPECT_TRUE(enabled(dlg, CmdSaveButton));
    dlg.updateFileMenu();
    EXPECT_TRUE(action(QStringLiteral("上書き保存"))->isEnabled());

    // The date fields follow the date box; the layout radios follow the spread view.
    EXPECT_FALSE(enabled(dlg, 1027));
    qobject_cast<QRadioButton *>(dlg.control(1017))->click();
    EXPECT_FALSE(dlg.editor().document().pageSpread);
    EXPECT_FALSE(enabled(dlg, 1005));
    EXPECT_EQ(qobject_cast<QScrollBar *>(dlg.control(1031))->singleStep(), 1);

    // Closing a changed document asks, with Cancel as the default button;
    // Cancel keeps the window open.
    prompt.clear();
    prompt.planAnswer(platform::PromptAnswer::Cancel);
    dlg.reject();
    EXPECT_EQ(prompt.texts(), QStringList{text::CloseQuestion});
    EXPECT_EQ(prompt.shown().back().buttons, platform::PromptButtons::OkCancelDefaultCancel);
    EXPECT_TRUE(dlg.isVisible());
}

namespace {

// The list dialog with its small dialog answered by a script.
class ScriptedAttrEditDlg : public CAttrEditDlg {
public:
    using CAttrEditDlg::CAttrEditDlg;
    QStringList items;
    QStringList contents;

protected:
    bool askAttribute(uint8_t, QString &item, QString &content) override
    {
        if (contents.isEmpty())
            return false;
        if (!items.isEmpty())
            item = items.takeFirst();
        content = contents.takeFirst();
        return true;
    }
};

} // namespace

TEST(BinderyAttributeDialog, RowsButtonsAndTheReturnedList)
{
    ScriptedPrompt prompt;
    ScriptedAttrEditDlg dlg(prompt, {}, {});
    dlg.contents = {QStringLiteral("B"), QStringLiteral("V")};
    dlg.items = {};
    dlg.onCommand(CAttrEditDlg::AddAuthor);
    dlg.items = {QStringLiteral("Key")};
    dlg.onCommand(CAttrEditDlg::AddUser);
    ASSERT_EQ(dlg.list()->topLevelItemCount(), 2);
    EXPECT_EQ(dlg.list()->topLevelItem(0)->text(0), QStringLiteral("著者"));
    EXPECT_EQ(dlg.list()->topLevelItem(0)->data(0, Qt::BackgroundRole).value<QColor>(), QColor(216, 216, 216));
    EXPECT_EQ(dlg.list()->topLevelItem(1)->text(0), QStringLiteral("Key"));
    EXPECT_FALSE(dlg.button(CAttrEditDlg::Edit)->isEnabled());

    dlg.list()->topLevelItem(1)->setSelected(true);
    EXPECT_TRUE(dlg.button(CAttrEditDlg::Up)->isEnabled());
    EXPECT_FALSE(dlg.button(CAttrEditDlg::Down)->isEnabled());
    dlg.onCommand(CAttrEditDlg::Up);
    EXPECT_EQ(dlg.list()->topLevelItem(0)->text(0), QStringLiteral("Key"));
    EXPECT_TRUE(dlg.list()->topLevelItem(0)->isSelected());
    ASSERT_EQ(dlg.attributes().size(), 2u);
    EXPECT_EQ(dlg.attributes()[0].type, kvb::UserDefined);
    EXPECT_EQ(dlg.attributes()[1].text, QStringLiteral("B"));

    // The main dialog merges an added author into an empty author field.
    CBinderyDlg main(prompt);
    main.editor().mergeOtherAttributes(dlg.attributes());
    EXPECT_EQ(main.editor().document().author, QStringLiteral("B"));
    EXPECT_EQ(main.editor().document().otherAttributes.size(), 1u);
    EXPECT_EQ(CHeaderCtrlEx::heightForFont(0), 18);
    EXPECT_EQ(CHeaderCtrlEx::heightForFont(-12), 17);
}

TEST(BinderyAttributeDialog, SmallDialogTitlesLimitsAndMessages)
{
    ScriptedPrompt prompt;
    const QStringList names{QStringLiteral("ISBN")};
    const QStringList values{QStringLiteral("v1"), QStringLiteral("v2")};
    CAttrAddDlg user(prompt, kvb::UserDefined, {}, {}, &names, &values);
    EXPECT_EQ(user.windowTitle(), QStringLiteral("ユーザー定義の追加"));
    EXPECT_TRUE(user.itemBox()->isEnabled());
    EXPECT_EQ(user.itemBox()->count(), 1);
    EXPECT_EQ(user.contentBox()->count(), 2);
    // 17 characters cannot be entered as an item name.
    EXPECT_EQ(user.itemBox()->lineEdit()->maxLength(), 16);
    EXPECT_EQ(user.contentBox()->lineEdit()->maxLength(), 127);
    user.itemBox()->setEditText(QStringLiteral("Key"));
    user.contentBox()->setEditText(QString());
    user.accept();
    EXPECT_EQ(prompt.texts(), QStringList{text::ContentEmpty});
    EXPECT_EQ(user.result(), int(QDialog::Rejected));
    user.contentBox()->setEditText(QStringLiteral("Value"));
    user.accept();
    EXPECT_EQ(user.result(), int(QDialog::Accepted));
    EXPECT_EQ(user.item(), QStringLiteral("Key"));
    EXPECT_EQ(user.content(), QStringLiteral("Value"));

    CAttrAddDlg author(prompt, kvb::Author, QStringLiteral("著者"), QStringLiteral("A"), nullptr, &values);
    EXPECT_EQ(author.windowTitle(), QStringLiteral("著者の編集"));
    EXPECT_FALSE(author.itemBox()->isEnabled());
    EXPECT_EQ(author.itemBox()->currentText(), QStringLiteral("著者"));
}

TEST(BinderyDialog, PreviewShowsTheSpreadOfThePositionAndTheWheelTurnsIt)
{
    Workspace ws;
    ScriptedPrompt prompt;
    CBinderyDlg dlg(prompt);
    dlg.resize(900, 700);
    dlg.show();
    // Pages told apart by their sizes: 1.jpg 40x50, 2.jpg 50x40, 3.jpg 60x30, 4.jpg 30x60.
    const QSize sizes[] = {{40, 50}, {50, 40}, {60, 30}, {30, 60}};
    QStringList paths;
    for (int i = 0; i < 4; ++i)
        paths << ws.picture(QStringLiteral("%1.jpg").arg(i + 1), sizes[i].width(), sizes[i].height());
    prompt.planFiles(paths);
    dlg.onCommand(CmdAddImages);
    BookDocument &d = dlg.editor().document();
    ASSERT_EQ(d.pageCount(), 4);
    // A new window shows the document's defaults: spread, cover, right binding.
    EXPECT_TRUE(qobject_cast<QRadioButton *>(dlg.control(1016))->isChecked());
    EXPECT_TRUE(qobject_cast<QRadioButton *>(dlg.control(1005))->isChecked());
    qobject_cast<QRadioButton *>(dlg.control(1015))->click(); // 左綴じ
    EXPECT_FALSE(d.bindRight);
    EXPECT_EQ(dlg.previewSizeB(), sizes[0]);
    qobject_cast<QRadioButton *>(dlg.control(1014))->click(); // 右綴じ, reloads the preview
    EXPECT_TRUE(d.bindRight);
    EXPECT_EQ(dlg.previewSizeA(), sizes[0]); // the cover alone on the left of a right-bound book
    EXPECT_TRUE(dlg.previewSizeB().isEmpty());

    // Turning the wheel towards the user moves one spread forward: (2, 1).
    QWheelEvent towards(QPointF(10, 10), QPointF(10, 10), QPoint(), QPoint(0, -120), Qt::NoButton, Qt::NoModifier,
                        Qt::NoScrollPhase, false);
    QApplication::sendEvent(dlg.control(1019), &towards);
    EXPECT_EQ(d.currentPosition, 3);
    EXPECT_EQ(dlg.previewSizeA(), sizes[2]);
    EXPECT_EQ(dlg.previewSizeB(), sizes[1]);
    // With Ctrl held the wheel does nothing.
    QWheelEvent withCtrl(QPointF(10, 10), QPointF(10, 10), QPoint(), QPoint(0, 120), Qt::NoButton,
                         Qt::ControlModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(dlg.control(1019), &withCtrl);
    EXPECT_EQ(d.currentPosition, 3);

    // Single view: the scroll bar moves one page at a time.
    qobject_cast<QRadioButton *>(dlg.control(1017))->click();
    auto *scroll = qobject_cast<QScrollBar *>(dlg.control(1031));
    scroll->triggerAction(QAbstractSlider::SliderSingleStepAdd);
    EXPECT_EQ(d.currentPosition, 4);
    EXPECT_EQ(dlg.previewSizeA(), sizes[3]);
    scroll->triggerAction(QAbstractSlider::SliderToMinimum);
    EXPECT_EQ(d.currentPosition, 1);
    EXPECT_EQ(dlg.previewSizeA(), sizes[0]);
}

TEST(BinderyPrompt, AboutBoxGoesThroughThePrompt)
{
    ScriptedPrompt prompt;
    CBinderyDlg dlg(prompt);
    QAction *about = nullptr;
    for (QAction *action : dlg.actions())
        if (action->text() == QStringLiteral("Binderyについて(&A)..."))
            about = action;
    ASSERT_NE(about, nullptr);
    about->trigger();
    ASSERT_EQ(prompt.shown().size(), 1u);
    EXPECT_EQ(prompt.shown()[0].text, text::AboutText + platform::versionText());
    EXPECT_EQ(prompt.shown()[0].caption, QStringLiteral("Binderyについて"));
}
