// The main dialog on a real display: the file menu's accelerators run their
// commands wherever the focus is, in the text fields too.
#include "app/binderydlg.h"

#include "tests/acceleratorcheck.h"

#include <QCheckBox>

#include <gtest/gtest.h>

using namespace bindery;
using testsupport::Accelerator;

TEST(BinderyAccelerators, CtrlEAndTheOtherFileKeysWinOverTheTextFields)
{
    platform::ScriptedPrompt prompt;
    CBinderyDlg dlg(prompt);
    // The date box (1040): the date fields take the focus only while the date box is ticked; New
    // clears it, so it is ticked again before every key.
    auto *dateBox = qobject_cast<QCheckBox *>(dlg.control(1040));
    std::vector<int> ran;
    QObject::connect(&dlg, &CBinderyDlg::commandIssued, [&ran](int id) { ran.push_back(id); });
    const std::vector<Accelerator> accelerators = {
        {QKeySequence(Qt::CTRL | Qt::Key_N), CmdNew},
        {QKeySequence(Qt::CTRL | Qt::Key_O), CmdOpenBook},
        {QKeySequence(Qt::CTRL | Qt::Key_P), CmdAddImages},
        {QKeySequence(Qt::CTRL | Qt::Key_F), CmdAddFolderImages},
        {QKeySequence(Qt::CTRL | Qt::Key_D), CmdOpenFolderAsDocument},
        {QKeySequence(Qt::CTRL | Qt::Key_S), CmdSave},
        {QKeySequence(Qt::SHIFT | Qt::CTRL | Qt::Key_S), CmdSaveAs},
        {QKeySequence(Qt::CTRL | Qt::Key_E), CmdExportAll},
        {QKeySequence(Qt::SHIFT | Qt::CTRL | Qt::Key_E), CmdExportSelected},
        {QKeySequence(Qt::Key_Return), Accelerator::kNoCommand},
    };
    const testsupport::AcceleratorReport report =
        testsupport::checkAcceleratorsInTextFields(&dlg, accelerators, [&] {
            if (!dateBox->isChecked())
                dateBox->click();
            return std::exchange(ran, {});
        });
    // Five combo boxes and the year, month and day fields.
    EXPECT_EQ(report.fieldsTried, 8);
    EXPECT_TRUE(report.misses.isEmpty()) << report.misses.join(u'\n').toStdString();
}
