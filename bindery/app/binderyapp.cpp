#include "binderyapp.h"

#include "binderydlg.h"

#include <picture/picture.h>
#include <platform/settings.h>
#include <ui/language.h>
#include <ui/uifont.h>
#include <ui/windowplacement.h>

#include <QApplication>
#include <QTimer>

int CBinderyApp::run(QApplication &app, const bindery::LaunchArguments &launch)
{
    app.setOrganizationName(QStringLiteral("Velloran"));
    app.setApplicationName(QStringLiteral("Bindery"));
    app.setApplicationDisplayName(QStringLiteral("Bindery"));
    platform::applyUiFont(app);
    ui::loadTexts(u"bindery");

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
            const bool saved = kvb::writePngFile(dialog.grab().toImage(), screenshot);
            result = saved ? 0 : 1;
            app.exit(result);
        });
    });
    QObject::connect(&dialog, &QDialog::finished, &app, [&app] { app.exit(0); });
    const int code = app.exec();
    return screenshot.isEmpty() ? code : result;
}
