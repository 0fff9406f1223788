// The main dialog on a real display: Esc closes and Enter starts nothing,
// whichever text box holds the focus.
#include "testfixtures.h"

#include "app/harvesterdlg.h"
#include "core/controlenabling.h"

#include "tests/acceleratorcheck.h"

#include <gtest/gtest.h>

using namespace harvester;
using testsupport::Accelerator;

TEST(HarvesterKeys, EscClosesAndEnterIsNoCommandInEveryTextBox)
{
    platform::ScriptedPrompt prompt;
    CHarvesterDlg dlg(prompt);
    dlg.setExtractor(harvestertest::fakeExtractor());
    std::vector<int> ran;
    QObject::connect(&dlg, &CHarvesterDlg::commandIssued, [&ran](int id) { ran.push_back(id); });
    const std::vector<Accelerator> keys = {
        {QKeySequence(Qt::Key_Return), IdEnter},
        {QKeySequence(Qt::Key_Enter), IdEnter},
        {QKeySequence(Qt::Key_Escape), IdClose},
    };
    const testsupport::AcceleratorReport report =
        testsupport::checkAcceleratorsInTextFields(&dlg, keys, [&ran] { return std::exchange(ran, {}); });
    // The target and work folder boxes and the log.
    EXPECT_EQ(report.fieldsTried, 3);
    EXPECT_TRUE(report.misses.isEmpty()) << report.misses.join(u'\n').toStdString();
}
