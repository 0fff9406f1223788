#include "batchcommand.h"
#include "retonerapp.h"
#include "retoneroptions.h"

#include <platform/commandline.h>
#include <ui/language.h>

#include <QApplication>

#include <cstdio>

namespace {

void print(FILE *stream, const QString &text)
{
    std::fputs(text.toUtf8().append('\n').constData(), stream);
}

} // namespace

int main(int argc, char **argv)
{
    using retoner::RetonerOptions;
    // The options decide whether a window is needed at all, so they are read
    // before any application object exists.
    const RetonerOptions options = retoner::parseRetonerOptions(platform::programArguments(argc, argv).usable);
    switch (options.mode) {
    case RetonerOptions::Help:
        print(stdout, retoner::retonerUsage());
        return 0;
    case RetonerOptions::Version:
        print(stdout, retoner::retonerVersionLine());
        return 0;
    case RetonerOptions::UsageError:
        print(stderr, QStringLiteral("retoner: ") + options.error + QStringLiteral(" (retoner --help shows the usage)"));
        return 2;
    default:
        break;
    }
    if (options.mode == RetonerOptions::Window) {
        QApplication app(argc, argv);
        return runRetonerWindow(app, options);
    }
    // Batch work needs no display.
    QCoreApplication app(argc, argv);
    QCoreApplication::setOrganizationName(QStringLiteral("Velloran"));
    QCoreApplication::setApplicationName(QStringLiteral("Retoner"));
    // The messages printed per file and at the end speak the window's language.
    ui::loadTexts(u"retoner");
    if (options.mode == RetonerOptions::Batch)
        return retoner::runBatch(options);
    return retoner::writeDefaultSettings(options);
}
