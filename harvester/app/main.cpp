#include "harvesterapp.h"

int main(int argc, char *argv[])
{
    return CHarvesterApp::main(argc, argv);
}
