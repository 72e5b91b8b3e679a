#pragma once

#include <cstdint>

#include "app/frame/i_command_line.h"
#include "base/str_array.h"

namespace s::process::commandline::win {

// The arguments as the platform splits them. A flag written with "/" is kept in the dash
// form: "/startup" and "-startup" both read "-startup", "--startup" stays as it is.
// Filled on the main thread at start-up, read-only afterwards.
class CommandLine final : public thread::Pooled<CommandLine, ICommandLine> {
public:
    const char16_t* className() const override { return u"s_process_commandline_win_CommandLine"; }
    CommandLine* newInstance() const override { return take(); }
    void reset() override { arguments_.clear(); }

    int32_t argumentCount() const override { return arguments_.count(); }
    const char16_t* argumentAt(int32_t index) const override { return arguments_.textAt(index); }
    void afterParse() override {}
    void addArgument(const char16_t* text, bool isFlag, bool isLast) override;

private:
    str::StrArray arguments_;
};

// Splits `arguments` (what follows the program name, as the process received it) by the
// platform's quoting rules (CommandLineToArgvW) and passes each piece to `into`. A piece
// starting with "-" or "/" is a flag and goes without that character. False when the
// platform could not split the text; nothing is added then.
bool splitArguments(const wchar_t* arguments, ICommandLine& into);

}  // namespace s::process::commandline::win
