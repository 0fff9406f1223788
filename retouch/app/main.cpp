#include "retouchapp.h"

#include <platform/commandline.h>
#include <platform/version.h>

#include <QApplication>

#include <cstdio>

int main(int argc, char *argv[])
{
    // Read before any application exists, so --help and --version work
    // without a display.
    const retouch::CommandLine line = retouch::parseCommandLine(platform::programArguments(argc, argv).usable);
    switch (line.mode) {
    case retouch::CommandLine::Help:
        std::fputs(retouch::usageText().toUtf8().constData(), stdout);
        return 0;
    case retouch::CommandLine::Version:
        std::printf("retouch%s\n", platform::versionText().toUtf8().constData());
        return 0;
    case retouch::CommandLine::UsageError:
        std::fprintf(stderr, "retouch: %s\n", line.error.toUtf8().constData());
        return 2;
    case retouch::CommandLine::Apply: {
        QCoreApplication app(argc, argv);
        QCoreApplication::setOrganizationName(QStringLiteral("Velloran"));
        QCoreApplication::setApplicationName(QStringLiteral("Retouch"));
        return runApplyCommand(line);
    }
    case retouch::CommandLine::Window: break;
    }
    QApplication app(argc, argv);
    app.setOrganizationName(QStringLiteral("Velloran"));
    app.setApplicationName(QStringLiteral("Retouch"));
    app.setApplicationDisplayName(QStringLiteral("Retouch"));
    return runWindow(app, line);
}
