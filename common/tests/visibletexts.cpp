#include "visibletexts.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAction>
#include <QComboBox>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QSet>
#include <QTabBar>
#include <QTextEdit>
#include <QWidget>

namespace testsupport {

namespace {

class Collector {
public:
    QStringList texts;

    void add(const QString &where, const QString &text)
    {
        if (!text.trimmed().isEmpty())
            texts << where + QStringLiteral(": ") + text;
    }

    void addAction(const QString &where, QAction *action)
    {
        if (!action || m_actions.contains(action))
            return;
        m_actions.insert(action);
        const QString place = where + QStringLiteral(" action ") + action->text();
        add(place, action->text());
        add(place + QStringLiteral(" tool tip"), action->toolTip() == stripped(action->text()) ? QString() : action->toolTip());
        add(place + QStringLiteral(" status tip"), action->statusTip());
        if (QMenu *menu = action->menu())
            addMenu(place, menu);
    }

    void addMenu(const QString &where, QMenu *menu)
    {
        if (m_menus.contains(menu))
            return;
        m_menus.insert(menu);
        add(where + QStringLiteral(" menu title"), menu->title());
        for (QAction *action : menu->actions())
            addAction(where, action);
    }

    void addWidget(QWidget *widget)
    {
        const QString where = QString::fromLatin1(widget->metaObject()->className())
                              + (widget->objectName().isEmpty() ? QString() : u'#' + widget->objectName());
        if (widget->isWindow())
            add(where + QStringLiteral(" title"), widget->windowTitle());
        add(where + QStringLiteral(" tool tip"), widget->toolTip());
        add(where + QStringLiteral(" status tip"), widget->statusTip());
        add(where + QStringLiteral(" what's this"), widget->whatsThis());
        if (auto *label = qobject_cast<QLabel *>(widget))
            add(where, label->text());
        if (auto *button = qobject_cast<QAbstractButton *>(widget))
            add(where, button->text());
        if (auto *group = qobject_cast<QGroupBox *>(widget))
            add(where, group->title());
        if (auto *line = qobject_cast<QLineEdit *>(widget))
            add(where + QStringLiteral(" placeholder"), line->placeholderText());
        if (auto *progress = qobject_cast<QProgressBar *>(widget))
            add(where, progress->text());
        if (auto *combo = qobject_cast<QComboBox *>(widget)) {
            for (int i = 0; i < combo->count(); ++i)
                add(where + QStringLiteral(" item"), combo->itemText(i));
        }
        if (auto *tabs = qobject_cast<QTabBar *>(widget)) {
            for (int i = 0; i < tabs->count(); ++i) {
                add(where + QStringLiteral(" tab"), tabs->tabText(i));
                add(where + QStringLiteral(" tab tool tip"), tabs->tabToolTip(i));
            }
        }
        if (auto *plain = qobject_cast<QPlainTextEdit *>(widget); plain && plain->isReadOnly())
            add(where, plain->toPlainText());
        if (auto *rich = qobject_cast<QTextEdit *>(widget); rich && rich->isReadOnly())
            add(where, rich->toPlainText());
        if (auto *header = qobject_cast<QHeaderView *>(widget); header && header->model()) {
            for (int i = 0; i < header->count(); ++i) {
                add(where + QStringLiteral(" header"), header->model()->headerData(i, header->orientation()).toString());
                add(where + QStringLiteral(" header tool tip"),
                    header->model()->headerData(i, header->orientation(), Qt::ToolTipRole).toString());
            }
        }
        if (auto *menu = qobject_cast<QMenu *>(widget))
            addMenu(where, menu);
        for (QAction *action : widget->actions())
            addAction(where, action);
    }

private:
    // An action's tool tip defaults to its text less the & of its accelerator.
    static QString stripped(QString text)
    {
        text.replace(QStringLiteral("&&"), QStringLiteral("\x01"));
        text.remove(u'&');
        text.replace(u'\x01', u'&');
        return text;
    }

    QSet<QAction *> m_actions;
    QSet<QMenu *> m_menus;
};

} // namespace

bool containsJapanese(QStringView text)
{
    for (const QChar c : text) {
        const char16_t u = c.unicode();
        if ((u >= 0x3000 && u <= 0x30FF)     // Japanese punctuation, kana
            || (u >= 0x3400 && u <= 0x4DBF)  // CJK extension A
            || (u >= 0x4E00 && u <= 0x9FFF)  // CJK ideographs
            || (u >= 0xF900 && u <= 0xFAFF)  // CJK compatibility ideographs
            || (u >= 0xFF00 && u <= 0xFFEF)) // full-width and half-width forms
            return true;
    }
    return false;
}

QStringList visibleTexts(QWidget *window)
{
    Collector collector;
    collector.addWidget(window);
    for (QWidget *widget : window->findChildren<QWidget *>())
        collector.addWidget(widget);
    return collector.texts;
}

QStringList japaneseTexts(QWidget *window)
{
    QStringList found;
    for (const QString &entry : visibleTexts(window)) {
        if (containsJapanese(entry))
            found << entry;
    }
    return found;
}

std::string japaneseReport(QWidget *window)
{
    return japaneseTexts(window).join(u'\n').toStdString();
}

} // namespace testsupport
