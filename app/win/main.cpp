#include <windows.h>

#include "app/win/tellavo_app.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR commandLine, int showCommand) {
    CTellavoApp app;
    app.attach(instance, commandLine, showCommand);
    // The start-up override runs the whole program; windows serve their own message loops.
    app.InitInstance();
    return app.ExitInstance();
}
