#include "app/win/tellavo_app.h"

#include <commctrl.h>

bool CTellavoApp::InitInstance() {
    INITCOMMONCONTROLSEX controls{};
    controls.dwSize = sizeof controls;
    controls.dwICC = 0xFF;
    InitCommonControlsEx(&controls);
    WinApp::InitInstance();
    return false;
}
