#include "retouchapp.h"

#include "retouchdlg.h"

#include "core/profilerun.h"
#include "core/retouchsettings.h"

#include <picture/picture.h>
#include <platform/commandline.h>
#include <platform/filenames.h>
#include <platform/progressline.h>
#include <platform/settings.h>
#include <ui/language.h>
#include <ui/uifont.h>
#include <ui/widgetprompt.h>

#include <QApplication>
#include <QTimer>

#include <cstdio>
#if defined(__GLIBC__)
#include <malloc.h>
#endif

using platform::printLine;

int runWindow(QApplication &app, const retouch::CommandLine &line)
{
    platform::applyUiFont(app);
    ui::loadTexts(u"retouch");

    const bool screenshot = !line.screenshot.isEmpty();
    // Nobody answers a screenshot run: its messages are answered at once and
    // printed on standard error.
    platform::ScriptedPrompt unattended;
    platform::WidgetPrompt widgets;
    platform::Prompt &prompt = screenshot ? static_cast<platform::Prompt &>(unattended) : widgets;
    CRetouchDlg dialog(prompt);
    widgets.setParent(&dialog);
    const auto store = platform::openSettings(QStringLiteral("Retouch"));
    dialog.loadSettings(*store);
    dialog.show();

    int result = 0;
    // The picture is opened once the window is up.
    QTimer::singleShot(0, &dialog, [&] {
        if (!line.image.isEmpty())
            dialog.openFile(platform::absolutePath(line.image));
        if (!screenshot)
            return;
        QTimer::singleShot(200, &dialog, [&] {
            QCoreApplication::processEvents();
            result = kvb::writePngFile(dialog.grab().toImage(), line.screenshot) ? 0 : 1;
            app.exit(result);
        });
    });
    QObject::connect(&dialog, &QDialog::finished, &app, [&app] { app.exit(0); });
    const int code = app.exec();
    for (const QString &message : unattended.texts())
        printLine(stderr, message);
    if (screenshot)
        return result;
    dialog.saveSettings(*store);
    return code;
}

int runApplyCommand(const retouch::CommandLine &line)
{
    if (!platform::isFolder(line.outputFolder)) {
        printLine(stderr, QStringLiteral("retouch: %1 is not a folder").arg(line.outputFolder));
        return 1;
    }
#if defined(__GLIBC__)
    // The pictures of a batch are about the same size (a 4960 x 7016 scan
    // takes 100 MB per copy): memory freed after one stays with the process
    // for the next instead of going back to the system and being faulted in
    // again, page by page.
    mallopt(M_MMAP_MAX, 0);
    mallopt(M_TRIM_THRESHOLD, 1 << 30);
#endif
    retouch::ProfileRun run;
    run.profilePath = line.profile;
    run.outputFolder = line.outputFolder;
    if (line.quality >= 0) {
        run.quality = line.quality;
    } else {
        retouch::RetouchSettings settings;
        settings.load(*platform::openSettings(QStringLiteral("Retouch")));
        run.quality = settings.jq;
    }
    run.images = line.images;
    platform::ProgressLine progress(line.quiet);
    const int failures = retouch::runProfile(
        run,
        [](const QString &path, const QString &message) {
            printLine(stdout, platform::escapedText(path) + u'\t' + (message.isEmpty() ? QStringLiteral("ok") : message));
        },
        &progress);
    return failures == 0 ? 0 : 1;
}
