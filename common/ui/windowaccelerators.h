#pragma once

#include <QKeySequence>
#include <QList>
#include <QObject>

#include <functional>

class QShortcut;
class QWidget;

namespace ui {

// The keyboard accelerators of a program's main window. They act wherever
// the focus is in the window, text fields included: a line edit claims the
// keys the platform binds to its own editing (on X11 desktops Ctrl+E is
// end of line, Ctrl+D delete, Ctrl+K delete to the end) before the window's
// shortcuts see them, and these keys are the window's here.
class WindowAccelerators : public QObject {
public:
    explicit WindowAccelerators(QWidget *window);

    // A shortcut of the window that runs `action`.
    QShortcut *add(const QKeySequence &keys, std::function<void()> action);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QWidget *m_window;
    QList<QKeySequence> m_keys;
};

} // namespace ui
