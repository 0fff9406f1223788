#include "glancerapp.h"

#include "platform/version.h"
#include "ui/windowprogram.h"

#include <cstdio>

using namespace glancer;

int main(int argc, char *argv[])
{
    // The command line is read before any window system is asked for, so
    // --help and --version work without a display.
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    LaunchOptions options;
    QString error;
    if (!LaunchOptions::parse(arguments, options, error)) {
        std::fprintf(stderr, "glancer: %s\n", qPrintable(error));
        return 2;
    }
    if (options.help) {
        std::printf("%s\n", qPrintable(LaunchOptions::usage()));
        return 0;
    }
    if (options.version) {
        std::printf("glancer%s\n", qPrintable(platform::versionText()));
        return 0;
    }

    return ui::runWindowProgram<CGlancerApp>(argc, argv, QStringLiteral("Glancer"), options);
}
