#include "app/win/win_app.h"

namespace s::app::win {

void WinApp::attach(HINSTANCE instance, const wchar_t* commandLine, int showCommand) {
    instance_ = instance;
    commandLine_ = commandLine ? commandLine : L"";
    showCommand_ = showCommand;
}

}  // namespace s::app::win
