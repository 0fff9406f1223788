#include "binderyapp.h"

#include "binderydlg.h"

#include <platform/settings.h>
#include <ui/uifont.h>
#include <ui/windowplacement.h>

#include <QApplication>
#include <QFileDialog>
#include <QFileInfo>
#include <QTimer>

namespace {

// A file dialog for books: ".kvb" is added to a name typed without extension
// before the dialog checks for an existing file.
QString runBookDialog(QFileDialog::AcceptMode mode, const QString &caption, const QString &start,
                      const QString &filter)
{
    QFileDialog dialog(QApplication::activeWindow(), caption);
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setAcceptMode(mode);
    dialog.setFileMode(mode == QFileDialog::AcceptSave ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    dialog.setNameFilter(filter);
    dialog.setDefaultSuffix(QStringLiteral("kvb"));
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

} // namespace

QString CBinderyPrompt::saveFile(const QString &caption, const QString &proposedPath, const QString &filter)
{
    return runBookDialog(QFileDialog::AcceptSave, caption, proposedPath, filter);
}

QString CBinderyPrompt::openFile(const QString &caption, const QString &folder, const QString &filter)
{
    return runBookDialog(QFileDialog::AcceptOpen, caption, folder, filter);
}

int CBinderyApp::run(QApplication &app, const bindery::LaunchArguments &launch)
{
    app.setOrganizationName(QStringLiteral("Velloran"));
    app.setApplicationName(QStringLiteral("Bindery"));
    app.setApplicationDisplayName(QStringLiteral("Bindery"));
    platform::applyUiFont(app);

    const QString screenshot = launch.screenshot;
    // A screenshot run answers every message at once: nobody is there to.
    CBinderyPrompt widgetPrompt;
    platform::UnattendedPrompt unattended;
    platform::Prompt &prompt = screenshot.isEmpty() ? static_cast<platform::Prompt &>(widgetPrompt) : unattended;
    CBinderyDlg dialog(prompt);
    widgetPrompt.setParent(&dialog);
    const auto store = platform::openSettings(QStringLiteral("Bindery"));
    // Stands in for the Scroll Lock key: start at the default place and size.
    dialog.loadSettings(*store, !ui::ignoreStoredPosition() && screenshot.isEmpty());
    if (screenshot.isEmpty())
        dialog.setSettingsStore(store.get());
    dialog.show();

    int result = 0;
    // The command line is taken once the window is up.
    QTimer::singleShot(0, &dialog, [&] {
        dialog.processArguments(launch);
        if (screenshot.isEmpty())
            return;
        QTimer::singleShot(200, &dialog, [&] {
            QCoreApplication::processEvents();
            const bool saved = dialog.grab().save(screenshot, "PNG");
            result = saved ? 0 : 1;
            app.exit(result);
        });
    });
    QObject::connect(&dialog, &QDialog::finished, &app, [&app] { app.exit(0); });
    const int code = app.exec();
    return screenshot.isEmpty() ? code : result;
}
