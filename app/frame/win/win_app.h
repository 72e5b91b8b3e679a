#pragma once

#include <windows.h>

namespace s::process::commandline {
class ICommandLine;
}

namespace s::app::win {

// Our own small application object for the start-up: what the entry point knows about the
// process (instance handle, command line, show command) and the start-up override.
class WinApp {
public:
    WinApp() = default;
    virtual ~WinApp() = default;
    WinApp(const WinApp&) = delete;
    WinApp& operator=(const WinApp&) = delete;

    // Called once by the entry point before InitInstance.
    void attach(HINSTANCE instance, const wchar_t* commandLine, int showCommand);

    HINSTANCE instance() const { return instance_; }
    // The arguments after the program name, as the process received them.
    const wchar_t* commandLine() const { return commandLine_; }
    int showCommand() const { return showCommand_; }
    // Splits the arguments by the platform's rules into `into`; false when that failed.
    bool parseCommandLine(process::commandline::ICommandLine& into) const;

    // The program's work. A false result ends the process with ExitInstance's code.
    virtual bool InitInstance() { return true; }
    virtual int ExitInstance() { return 0; }

private:
    HINSTANCE instance_ = nullptr;
    const wchar_t* commandLine_ = L"";
    int showCommand_ = SW_SHOWNORMAL;
};

}  // namespace s::app::win
