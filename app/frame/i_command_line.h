#pragma once

#include <cstdint>

#include "base/object.h"
#include "base/pool.h"

namespace s::process::commandline {

// The program's arguments in command-line order, without the program name. Filled once at
// start-up on the main thread; read-only afterwards.
class ICommandLine : public base::IObject, public thread::IPoolable {
public:
    virtual int32_t argumentCount() const = 0;
    // The argument at a 0-based position; the empty text out of range.
    virtual const char16_t* argumentAt(int32_t index) const = 0;
    // Runs once the platform has passed every argument; changes nothing.
    virtual void afterParse() = 0;
    // Parsing hook, called for each argument in order. A flag arrives without its leading
    // "-" or "/".
    virtual void addArgument(const char16_t* text, bool isFlag, bool isLast) = 0;

    // The first argument equal to `text` ignoring case; -1 when there is none.
    int32_t findArgument(const char16_t* text) const;
};

}  // namespace s::process::commandline
