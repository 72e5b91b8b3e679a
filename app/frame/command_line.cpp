#include "app/frame/i_command_line.h"

#include "base/str_buffer.h"

namespace s::process::commandline {

int32_t ICommandLine::findArgument(const char16_t* text) const {
    str::StrBuffer wanted(text);
    for (int32_t i = 0; i < argumentCount(); ++i) {
        if (wanted.equalsIgnoreCase(argumentAt(i)))
            return i;
    }
    return -1;
}

}  // namespace s::process::commandline
