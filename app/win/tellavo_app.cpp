#include "app/win/tellavo_app.h"

#include <commctrl.h>

#include "app/frame/i_command_line.h"
#include "app/frame/win/app_base.h"
#include "app/frame/win/app_window.h"
#include "gui/drawer/skinner.h"

bool CTellavoApp::InitInstance() {
    INITCOMMONCONTROLSEX controls{};
    controls.dwSize = sizeof controls;
    controls.dwICC = 0xFF;
    InitCommonControlsEx(&controls);
    WinApp::InitInstance();

    // The application base owns the skinner and applies the stored skin to it.
    s::app::win::AppBase* base =
        s::app::win::AppBase::create(*this, s::gui::drawer::Skinner::create(u"ThinWindow"));
    if (!base)
        return false;
    // The main window's state store; its name is the root of the world clock's settings.
    s::app::win::AppWindow* mainWindow = s::app::win::AppWindow::create(
        base->editionWord(), base, u"MainWindow", s::app::win::AppWindow::kMainWidth,
        s::app::win::AppWindow::kMainHeight, false, s::app::IAppWindow::kIconize, base->skinner(),
        nullptr);
    // A running copy has been told to show itself: this start ends here.
    if (!base->notifyRunningCopy(true, false, true)) {
        s::process::commandline::ICommandLine* arguments = base->commandLine();
        if (!arguments || arguments->argumentCount() == 0)
            base->handleSilentFlag();
    }
    if (mainWindow)
        mainWindow->release();
    base->release();
    return false;
}
