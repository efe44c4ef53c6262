#pragma once

#include "viewer/document/Document.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>

// A 64-bit digest of the bytes of cache.04, so that the document a running
// viewer holds, the file on disk and the state before a change can be
// compared without keeping 425 MB of records around. Any change of a byte,
// of its place or of the length changes it (but for a 2^-64 chance). Most of
// a record is zero, and zero words cost nothing but their count.
class CacheDigest {
 public:
  void Add(std::span<const std::uint8_t> bytes);
  std::uint64_t Value() const;

 private:
  void AddWord(std::uint64_t word, std::uint64_t index);
  void AddByte(std::uint8_t byte);

  std::uint64_t sum_ = 0;
  std::uint64_t length_ = 0;  // bytes added
  std::array<std::uint8_t, 8> partial_{};  // bytes of the word not yet complete
};

// The digest of the bytes CacheWrite would write for `document`.
std::uint64_t DigestDocument(const Document& document);

// The digest of the file's bytes as they are; false when it is not a regular
// file or cannot be read to its end.
bool DigestCacheFile(const std::string& path, std::uint64_t& digest);

// Sixteen lower-case hex digits, and back (false for anything else).
std::string DigestText(std::uint64_t digest);
bool ParseDigestText(const std::string& text, std::uint64_t& digest);
