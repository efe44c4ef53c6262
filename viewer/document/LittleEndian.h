#pragma once

#include <cstdint>

// Stored numbers are little-endian whatever the machine; these spell that out
// (the compiler turns them into plain moves on x86).

inline void StoreInt32(std::uint8_t* at, std::int32_t value) {
  const auto v = static_cast<std::uint32_t>(value);
  at[0] = static_cast<std::uint8_t>(v);
  at[1] = static_cast<std::uint8_t>(v >> 8);
  at[2] = static_cast<std::uint8_t>(v >> 16);
  at[3] = static_cast<std::uint8_t>(v >> 24);
}

inline void StoreInt16(std::uint8_t* at, std::int16_t value) {
  const auto v = static_cast<std::uint16_t>(value);
  at[0] = static_cast<std::uint8_t>(v);
  at[1] = static_cast<std::uint8_t>(v >> 8);
}

inline std::int32_t LoadInt32(const std::uint8_t* at) {
  const std::uint32_t v = std::uint32_t{at[0]} | std::uint32_t{at[1]} << 8 |
                          std::uint32_t{at[2]} << 16 | std::uint32_t{at[3]} << 24;
  return static_cast<std::int32_t>(v);
}

inline std::int16_t LoadInt16(const std::uint8_t* at) {
  const auto v = static_cast<std::uint16_t>(at[0] | at[1] << 8);
  return static_cast<std::int16_t>(v);
}
