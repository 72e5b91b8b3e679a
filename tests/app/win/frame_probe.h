#pragma once

#include <cstdint>

// What the single-instance tests and their stand-in program agree on.
namespace s::tests::app {

// Answered by the probe's windows: the number of show messages the main window received,
// plus 1000 for each one the hidden owner received.
inline constexpr uint32_t kProbeCountMessage = 0x8000 + 100;
// Exit code of a probe that found a running copy and told it to show itself.
inline constexpr int kProbeToldCopy = 2;

}  // namespace s::tests::app
