#pragma once

#include <cstdint>

// Names of the predefined registry roots: the documented one ("HKEY_LOCAL_MACHINE") and the
// native object name the ntdll calls take ("\Registry\Machine").
namespace s::reg::win {

// The documented name of a root, or nullptr for an unknown root.
const char16_t* rootName(uint32_t root);

// The native name of a root, or nullptr for an unknown root:
//   HKEY_LOCAL_MACHINE  \Registry\Machine
//   HKEY_USERS          \Registry\User
//   HKEY_CURRENT_USER   \Registry\User\<SID of the process token's user>
//   HKEY_CLASSES_ROOT   \Registry\Machine\Software\Classes
//   HKEY_CURRENT_CONFIG \Registry\Machine\System\CurrentControlSet\Hardware Profiles\Current
// The current user's name is computed once per process.
const char16_t* nativeRootName(uint32_t root);

}  // namespace s::reg::win
