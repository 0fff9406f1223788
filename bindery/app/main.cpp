#include "binderyapp.h"

#include <platform/commandline.h>

#include <QApplication>

int main(int argc, char *argv[])
{
    bindery::LaunchArguments launch;
    if (const std::optional<int> status = bindery::readLaunchArguments(platform::programArguments(argc, argv), launch))
        return *status;
    QApplication app(argc, argv);
    CBinderyApp bindery;
    return bindery.run(app, launch);
}
