#include "retonerapp.h"

#include "retonerdlg.h"
#include "retoneroptions.h"

#include <picture/picture.h>
#include <platform/settings.h>
#include <ui/language.h>
#include <ui/uifont.h>
#include <ui/widgetprompt.h>
#include <ui/windowplacement.h>

#include <QApplication>
#include <QTimer>

int runRetonerWindow(QApplication &app, const retoner::RetonerOptions &options)
{
    app.setOrganizationName(QStringLiteral("Velloran"));
    app.setApplicationName(QStringLiteral("Retoner"));
    app.setApplicationDisplayName(QStringLiteral("Retoner"));
    platform::applyUiFont(app);
    ui::loadTexts(u"retoner");

    const bool screenshot = !options.screenshot.isEmpty();
    platform::WidgetPrompt prompt;
    prompt.setDefaultSuffix(QStringLiteral("tnp"));
    CRetonerDlg dialog(prompt);
    prompt.setParent(&dialog);
    // A screenshot run leaves the user's settings alone.
    const auto store = platform::openSettings(QStringLiteral("Retoner"));
    if (screenshot)
        dialog.setModeChooser([] { return retoner::RegistrationMode::AutoSaturatedIsColor; });
    dialog.start(screenshot ? nullptr : store.get(), !ui::ignoreStoredPosition() && !screenshot);
    dialog.show();

    int result = 0;
    QTimer::singleShot(0, &dialog, [&] {
        dialog.processArguments(options.files);
        if (!screenshot)
            return;
        dialog.waitForPreview();
        QTimer::singleShot(200, &dialog, [&] {
            QCoreApplication::processEvents();
            result = kvb::writePngFile(dialog.grab().toImage(), options.screenshot) ? 0 : 1;
            app.exit(result);
        });
    });
    QObject::connect(&dialog, &QDialog::finished, &app, [&app] { app.exit(0); });
    const int code = app.exec();
    return screenshot ? result : code;
}
