#include "widgetprompt.h"

#include <QApplication>
#include <QFileDialog>
#include <QFileInfo>
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
    case PromptButtons::YesNoDefaultNo:
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
        box.setDefaultButton(QMessageBox::No);
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
    return runFileDialog(QFileDialog::AcceptOpen, caption, folder, filter);
}

QString WidgetPrompt::saveFile(const QString &caption, const QString &proposedPath,
                               const QString &filter)
{
    return runFileDialog(QFileDialog::AcceptSave, caption, proposedPath, filter);
}

QString WidgetPrompt::runFileDialog(int acceptMode, const QString &caption, const QString &start,
                                    const QString &filter)
{
    const auto mode = static_cast<QFileDialog::AcceptMode>(acceptMode);
    QFileDialog dialog(m_parent ? m_parent : QApplication::activeWindow(), caption);
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setAcceptMode(mode);
    dialog.setFileMode(mode == QFileDialog::AcceptSave ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    dialog.setNameFilter(filter);
    if (!m_defaultSuffix.isEmpty())
        dialog.setDefaultSuffix(m_defaultSuffix);
    const QFileInfo info(start);
    if (!start.isEmpty() && info.isDir()) {
        dialog.setDirectory(start);
    } else if (!start.isEmpty()) {
        dialog.setDirectory(info.absolutePath());
        dialog.selectFile(info.fileName());
    }
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    return dialog.selectedFiles().constFirst();
}

QString WidgetPrompt::folder(const QString &caption, const QString &startFolder)
{
    return QFileDialog::getExistingDirectory(m_parent, caption, startFolder);
}

void WidgetPrompt::beep()
{
    QApplication::beep();
}

} // namespace platform
