#include "app/frame/win/win_app.h"

#include "app/frame/win/command_line.h"

namespace s::app::win {

void WinApp::attach(HINSTANCE instance, const wchar_t* commandLine, int showCommand) {
    instance_ = instance;
    commandLine_ = commandLine ? commandLine : L"";
    showCommand_ = showCommand;
}

bool WinApp::parseCommandLine(process::commandline::ICommandLine& into) const {
    return process::commandline::win::splitArguments(commandLine_, into);
}

}  // namespace s::app::win
