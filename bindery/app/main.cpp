#include "binderyapp.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    CBinderyApp bindery;
    return bindery.run(app, QCoreApplication::arguments());
}
