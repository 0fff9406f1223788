#include "batchcommand.h"

#include <QCoreApplication>

#include <cstdio>

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setOrganizationName(QStringLiteral("Velloran"));
    QCoreApplication::setApplicationName(QStringLiteral("Retoner"));
    const QStringList arguments = QCoreApplication::arguments();
    if (retoner::isCommandLineMode(arguments))
        return retoner::runCommandLine(arguments);
    std::fputs("retoner: the window comes in a later version; use --batch\n",
               stderr);
    return 2;
}
