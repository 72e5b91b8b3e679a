#include "app/win/tellavo_app.h"

#include <commctrl.h>

#include "app/frame/i_command_line.h"
#include "app/frame/win/app_base.h"

bool CTellavoApp::InitInstance() {
    INITCOMMONCONTROLSEX controls{};
    controls.dwSize = sizeof controls;
    controls.dwICC = 0xFF;
    InitCommonControlsEx(&controls);
    WinApp::InitInstance();

    s::app::win::AppBase* base = s::app::win::AppBase::create(*this, nullptr);
    if (!base)
        return false;
    // A running copy has been told to show itself: this start ends here.
    if (!base->notifyRunningCopy(true, false, true)) {
        s::process::commandline::ICommandLine* arguments = base->commandLine();
        if (!arguments || arguments->argumentCount() == 0)
            base->handleSilentFlag();
    }
    base->release();
    return false;
}
