#include "app/win/tellavo_app.h"

#include <windows.h>

#include <commctrl.h>

#include "app/frame/i_command_line.h"
#include "app/frame/win/app_base.h"
#include "app/frame/win/app_window.h"
#include "app/tellavo/dialog.h"
#include "app/tellavo/win/clock_window.h"
#include "gui/drawer/skinner.h"

namespace {

// XP, Server 2003, or Vista and later (NT platform only).
bool isSupportedSystem() {
    OSVERSIONINFOW info{};
    info.dwOSVersionInfoSize = sizeof info;
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
    if (!GetVersionExW(&info))
        return true;
#pragma GCC diagnostic pop
    if (info.dwPlatformId != VER_PLATFORM_WIN32_NT)
        return false;
    if (info.dwMajorVersion >= 6)
        return true;
    return info.dwMajorVersion == 5 && (info.dwMinorVersion == 1 || info.dwMinorVersion == 2);
}

bool isStartupArgument(const char16_t* argument) {
    const char16_t* expected = u"-startup";
    for (; *argument && *expected; ++argument, ++expected) {
        char16_t c = *argument;
        if (c >= u'A' && c <= u'Z')
            c = static_cast<char16_t>(c - u'A' + u'a');
        if (c != *expected)
            return false;
    }
    return *argument == 0 && *expected == 0;
}

}  // namespace

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
    // An unsupported system, or a running copy that has been told to show itself: this
    // start ends here.
    if (mainWindow && isSupportedSystem() && !base->notifyRunningCopy(true, false, true)) {
        bool startup = false;
        s::process::commandline::ICommandLine* arguments = base->commandLine();
        if (!arguments || arguments->argumentCount() == 0) {
            base->handleSilentFlag();
        } else {
            for (int32_t i = 0; i < arguments->argumentCount(); ++i)
                startup = startup || isStartupArgument(arguments->argumentAt(i));
        }
        namespace tellavo = s::time::gui::dialogs::tellavo;
        tellavo::Dialog* dialog = tellavo::Dialog::take();
        if (dialog) {
            dialog->bind(base->localizer(), base->settings());
            tellavo::ClockWindow clockWindow;
            if (clockWindow.build(*dialog, *base, *mainWindow, startup))
                clockWindow.waitUntilClosed();
            clockWindow.release();
            dialog->release();
        }
    }
    if (mainWindow)
        mainWindow->release();
    base->release();
    return false;
}
