#include "prompt.h"

#include <QApplication>
#include <QFileDialog>
#include <QMessageBox>
#include <QScopeGuard>

namespace platform {

namespace {

QMessageBox::Icon toQt(PromptIcon icon)
{
    switch (icon) {
    case PromptIcon::Stop: return QMessageBox::Critical;
    case PromptIcon::Information: return QMessageBox::Information;
    case PromptIcon::Question: return QMessageBox::Question;
    case PromptIcon::Warning: return QMessageBox::Warning;
    case PromptIcon::None: break;
    }
    return QMessageBox::NoIcon;
}

PromptAnswer firstAnswer(PromptButtons buttons)
{
    if (buttons == PromptButtons::RetryCancel)
        return PromptAnswer::Retry;
    return buttons == PromptButtons::Ok || buttons == PromptButtons::OkCancel
                   || buttons == PromptButtons::OkCancelDefaultCancel
               ? PromptAnswer::Ok
               : PromptAnswer::Yes;
}

} // namespace

PromptAnswer WidgetPrompt::message(const QString &text, PromptIcon icon, PromptButtons buttons,
                                   const QString &caption)
{
    // A message shown while long work holds the wait cursor gets the arrow.
    const bool waiting = QApplication::overrideCursor() != nullptr;
    if (waiting)
        QApplication::setOverrideCursor(Qt::ArrowCursor);
    const auto restore = qScopeGuard([waiting] {
        if (waiting)
            QApplication::restoreOverrideCursor();
    });
    QMessageBox box(toQt(icon), caption.isEmpty() ? QApplication::applicationDisplayName() : caption,
                    text, QMessageBox::NoButton, m_parent);
    switch (buttons) {
    case PromptButtons::Ok: box.setStandardButtons(QMessageBox::Ok); break;
    case PromptButtons::OkCancel: box.setStandardButtons(QMessageBox::Ok | QMessageBox::Cancel); break;
    case PromptButtons::YesNo: box.setStandardButtons(QMessageBox::Yes | QMessageBox::No); break;
    case PromptButtons::YesNoCancel:
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
        break;
    case PromptButtons::RetryCancel:
        box.setStandardButtons(QMessageBox::Retry | QMessageBox::Cancel);
        break;
    case PromptButtons::OkCancelDefaultCancel:
        box.setStandardButtons(QMessageBox::Ok | QMessageBox::Cancel);
        box.setDefaultButton(QMessageBox::Cancel);
        break;
    }
    switch (box.exec()) {
    case QMessageBox::Ok: return PromptAnswer::Ok;
    case QMessageBox::Yes: return PromptAnswer::Yes;
    case QMessageBox::No: return PromptAnswer::No;
    case QMessageBox::Retry: return PromptAnswer::Retry;
    default: return PromptAnswer::Cancel;
    }
}

QStringList WidgetPrompt::openFiles(const QString &caption, const QString &folder,
                                    const QString &filter)
{
    return QFileDialog::getOpenFileNames(m_parent, caption, folder, filter);
}

QString WidgetPrompt::openFile(const QString &caption, const QString &folder, const QString &filter)
{
    return QFileDialog::getOpenFileName(m_parent, caption, folder, filter);
}

QString WidgetPrompt::saveFile(const QString &caption, const QString &proposedPath,
                               const QString &filter)
{
    return QFileDialog::getSaveFileName(m_parent, caption, proposedPath, filter);
}

QString WidgetPrompt::folder(const QString &caption, const QString &startFolder)
{
    return QFileDialog::getExistingDirectory(m_parent, caption, startFolder);
}

void WidgetPrompt::beep()
{
    QApplication::beep();
}

PromptAnswer ScriptedPrompt::message(const QString &text, PromptIcon icon, PromptButtons buttons,
                                     const QString &caption)
{
    m_shown.push_back({text, icon, buttons, caption});
    if (m_answers.empty())
        return firstAnswer(buttons);
    const PromptAnswer answer = m_answers.front();
    m_answers.pop_front();
    return answer;
}

QStringList ScriptedPrompt::nextFiles(const QString &kind, const QString &caption,
                                      const QString &start, const QString &filter)
{
    m_dialogs.push_back({kind, caption, start, filter});
    if (m_files.empty())
        return {};
    QStringList files = m_files.front();
    m_files.pop_front();
    return files;
}

QStringList ScriptedPrompt::openFiles(const QString &caption, const QString &folder,
                                      const QString &filter)
{
    return nextFiles(QStringLiteral("openFiles"), caption, folder, filter);
}

QString ScriptedPrompt::openFile(const QString &caption, const QString &folder,
                                 const QString &filter)
{
    return nextFiles(QStringLiteral("openFile"), caption, folder, filter).value(0);
}

QString ScriptedPrompt::saveFile(const QString &caption, const QString &proposedPath,
                                 const QString &filter)
{
    return nextFiles(QStringLiteral("saveFile"), caption, proposedPath, filter).value(0);
}

QString ScriptedPrompt::folder(const QString &caption, const QString &startFolder)
{
    return nextFiles(QStringLiteral("folder"), caption, startFolder, {}).value(0);
}

QStringList ScriptedPrompt::texts() const
{
    QStringList out;
    for (const Shown &s : m_shown)
        out << s.text;
    return out;
}

void ScriptedPrompt::clear()
{
    m_answers.clear();
    m_files.clear();
    m_shown.clear();
    m_dialogs.clear();
    m_beeps = 0;
}

} // namespace platform
