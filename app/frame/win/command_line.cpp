#include "app/frame/win/command_line.h"

#include <windows.h>
// After windows.h, which it needs.
#include <shellapi.h>

#include <string>

#include "base/str_buffer.h"

namespace s::process::commandline::win {

void CommandLine::addArgument(const char16_t* text, bool isFlag, bool /*isLast*/) {
    str::StrBuffer* argument = str::StrBuffer::take();
    if (isFlag)
        argument->appendUnit(u'-');
    argument->appendText(text ? text : u"");
    arguments_.add(argument);
}

bool splitArguments(const wchar_t* arguments, ICommandLine& into) {
    // The platform treats the first piece as the program name, with its own rules (no
    // backslash escapes): give it a plain stand-in so the real arguments get the usual ones.
    std::wstring line = L"x ";
    line += arguments ? arguments : L"";
    int count = 0;
    LPWSTR* pieces = CommandLineToArgvW(line.c_str(), &count);
    if (pieces == nullptr)
        return false;
    for (int i = 1; i < count; ++i) {
        const auto* piece = reinterpret_cast<const char16_t*>(pieces[i]);
        bool isFlag = piece[0] == u'-' || piece[0] == u'/';
        into.addArgument(isFlag ? piece + 1 : piece, isFlag, i + 1 == count);
    }
    LocalFree(pieces);
    return true;
}

}  // namespace s::process::commandline::win
