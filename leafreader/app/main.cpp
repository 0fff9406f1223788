#include "leafreaderstartup.h"

#include "ui/windowprogram.h"

using namespace leafreader;

int main(int argc, char *argv[])
{
    // Read before the application exists: --help and --version need no
    // display, and must not reach a copy that is already running.
    LaunchOptions options;
    if (const std::optional<int> status = LaunchOptions::read(platform::programArguments(argc, argv), options))
        return *status;

    return ui::runWindowProgram<LeafreaderStartup>(argc, argv, QStringLiteral("Leafreader"), options);
}
