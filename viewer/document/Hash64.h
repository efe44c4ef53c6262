#pragma once

#include <cstdint>
#include <string_view>

// The one 64-bit hash of stored bytes (64-bit FNV-1a): the journal's check,
// a text's digest, the kept files' names and the digest of a laid-out text.
// It is written into files, so it never changes.
inline constexpr std::uint64_t kHash64Start = 0xcbf29ce484222325ull;

inline std::uint64_t Hash64(std::string_view bytes, std::uint64_t hash = kHash64Start) {
  for (const char c : bytes) hash = (hash ^ static_cast<std::uint8_t>(c)) * 0x100000001b3ull;
  return hash;
}
