#include "acceleratorcheck.h"

#include <QApplication>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTest>
#include <QTextEdit>

namespace testsupport {

namespace {

// A readable name for a field: its own object name, else that of the combo
// or spin box it belongs to, else its class.
QString fieldName(const QWidget *field)
{
    for (const QWidget *w = field; w && !w->isWindow(); w = w->parentWidget()) {
        if (!w->objectName().isEmpty() && !w->objectName().startsWith(QLatin1String("qt_")))
            return w->objectName();
        if (w != field)
            return QString::fromLatin1(w->metaObject()->className());
    }
    return QString::fromLatin1(field->metaObject()->className());
}

bool isTextField(QWidget *w)
{
    return qobject_cast<QLineEdit *>(w) || qobject_cast<QPlainTextEdit *>(w) || qobject_cast<QTextEdit *>(w);
}

// The widget that takes the focus for `field`: a combo or spin box takes it
// for its edit.
QWidget *focusTaker(QWidget *field)
{
    QWidget *w = field;
    while (w->focusProxy())
        w = w->focusProxy();
    return w;
}

bool showActive(QWidget *window)
{
    window->show();
    window->activateWindow();
    return QTest::qWaitForWindowActive(window);
}

QString commandList(const std::vector<int> &ran)
{
    QStringList parts;
    for (int id : ran)
        parts << QString::number(id);
    return parts.join(u',');
}

} // namespace

AcceleratorReport checkAcceleratorsInTextFields(QWidget *window, const std::vector<Accelerator> &accelerators,
                                                const std::function<std::vector<int>()> &takeCommands)
{
    AcceleratorReport report;
    if (!showActive(window)) {
        report.misses << QStringLiteral("the window did not become active");
        return report;
    }
    const QList<QWidget *> widgets = window->findChildren<QWidget *>();
    for (QWidget *field : widgets) {
        if (!window->isVisible() && !showActive(window)) {
            report.misses << QStringLiteral("the window did not come back");
            return report;
        }
        if (!isTextField(field) || !field->isVisible() || !field->isEnabled() || field->window() != window)
            continue;
        QWidget *taker = focusTaker(field);
        if (taker->focusPolicy() == Qt::NoFocus)
            continue;
        ++report.fieldsTried;
        const QString name = QStringLiteral("%1 #%2").arg(fieldName(field)).arg(report.fieldsTried);
        for (const Accelerator &accelerator : accelerators) {
            if (!window->isVisible() && !showActive(window)) {
                report.misses << name + QStringLiteral(": the window did not come back");
                return report;
            }
            field->setFocus(Qt::OtherFocusReason);
            if (QApplication::focusWidget() != taker) {
                report.misses << name + QStringLiteral(": cannot take the focus");
                break;
            }
            takeCommands();
            const QKeyCombination keys = accelerator.keys[0];
            QTest::keyClick(taker, keys.key(), keys.keyboardModifiers());
            const std::vector<int> ran = takeCommands();
            const QString key = accelerator.keys.toString();
            if (accelerator.command == Accelerator::kNoCommand) {
                if (!ran.empty())
                    report.misses << name + QStringLiteral(": %1 ran %2").arg(key, commandList(ran));
            } else if (ran.empty()) {
                report.misses << name + QStringLiteral(": %1 ran nothing").arg(key);
            } else if (ran != std::vector<int>{accelerator.command}) {
                report.misses << name + QStringLiteral(": %1 ran %2").arg(key, commandList(ran));
            }
        }
    }
    return report;
}

} // namespace testsupport
