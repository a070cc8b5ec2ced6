// The program: the application object, the main window and the message loop.
#include "ui/Startup.h"

int main(int argc, char* argv[]) { return orvelan::OrvelanMain(argc, argv); }
