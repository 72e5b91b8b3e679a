#pragma once

#include <cstdint>

// Registry roots and value types, with the platform's numbers, for portable code.
namespace s::reg {

constexpr uint32_t kClassesRoot = 0x80000000u;
constexpr uint32_t kCurrentUser = 0x80000001u;
constexpr uint32_t kLocalMachine = 0x80000002u;
constexpr uint32_t kUsers = 0x80000003u;
constexpr uint32_t kCurrentConfig = 0x80000005u;

constexpr uint32_t kTypeNone = 0;
constexpr uint32_t kTypeSz = 1;
constexpr uint32_t kTypeExpandSz = 2;
constexpr uint32_t kTypeBinary = 3;
constexpr uint32_t kTypeDword = 4;
constexpr uint32_t kTypeMultiSz = 7;

// "Any type" for readRaw.
constexpr int32_t kAnyType = -1;

}  // namespace s::reg
