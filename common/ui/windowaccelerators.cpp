#include "windowaccelerators.h"

#include <QCoreApplication>
#include <QKeyEvent>
#include <QShortcut>
#include <QWidget>

namespace ui {

WindowAccelerators::WindowAccelerators(QWidget *window) : QObject(window), m_window(window)
{
    // A widget sees a key as a shortcut override before the window's
    // shortcuts do; the application's filter sees it before any widget.
    QCoreApplication::instance()->installEventFilter(this);
}

QShortcut *WindowAccelerators::add(const QKeySequence &keys, std::function<void()> action)
{
    m_keys.append(keys);
    auto *shortcut = new QShortcut(keys, m_window);
    connect(shortcut, &QShortcut::activated, this, std::move(action));
    return shortcut;
}

bool WindowAccelerators::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() != QEvent::ShortcutOverride || !watched->isWidgetType())
        return false;
    if (static_cast<QWidget *>(watched)->window() != m_window)
        return false;
    const auto *key = static_cast<QKeyEvent *>(event);
    const QKeySequence pressed(QKeyCombination(key->modifiers() & ~Qt::KeypadModifier, Qt::Key(key->key())));
    if (!m_keys.contains(pressed))
        return false;
    // Left unaccepted, the key goes on to the window's shortcuts; the field
    // does not get to claim it.
    event->ignore();
    return true;
}

} // namespace ui
