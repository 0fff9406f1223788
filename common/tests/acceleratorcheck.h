#pragma once

#include <QKeySequence>
#include <QStringList>

#include <functional>
#include <vector>

class QWidget;

namespace testsupport {

// One accelerator of a main window and the command it must run;
// kNoCommand for a key the window swallows (Enter in a dialog that has no
// use for it).
struct Accelerator {
    static constexpr int kNoCommand = -1;
    QKeySequence keys;
    int command;
};

struct AcceleratorReport {
    int fieldsTried = 0;
    // One line per key that did not do what it should ("title #1: Ctrl+E ran
    // nothing"), empty when every key ran its command in every field.
    QStringList misses;
};

// Shows `window`, waits until it is active, then puts the focus in each of
// its text fields in turn (line edits, the edits of combo and spin boxes,
// plain and rich text boxes; fields that are hidden, disabled or take no
// focus are left out) and presses every accelerator through the window
// system's path, where a field may claim the key before the window's
// shortcuts. `takeCommands` hands back the commands the window ran since it
// was last called. A key that closes the window (Esc) is pressed again in
// the next field after the window is shown again. Needs a real display:
// offscreen platforms have no platform key bindings.
AcceleratorReport checkAcceleratorsInTextFields(QWidget *window, const std::vector<Accelerator> &accelerators,
                                                const std::function<std::vector<int>()> &takeCommands);

} // namespace testsupport
