#pragma once

#include <cstdint>

// The framework's growth rule for text buffers (in code units) and arrays (in elements).
namespace s::col {

// One step: 100 below 100, x3 below 10 000 000, x2 below 50 000 000, x1.5 below
// 100 000 000, x1.2 from there on (truncated). Never returns less than `capacity` + 1.
uint32_t growOnceFrom(uint32_t capacity);

// Applies growOnceFrom until at least `needed` fits.
uint32_t grownCapacity(uint32_t capacity, uint32_t needed);

// The most units or elements a text buffer or array holds: their counts are signed 32-bit.
inline constexpr uint32_t kMaxCount = 0x7FFFFFFF;

// grownCapacity limited to kMaxCount; 0 when `needed` itself is beyond kMaxCount.
uint32_t boundedCapacity(uint32_t capacity, uint32_t needed);

}  // namespace s::col
