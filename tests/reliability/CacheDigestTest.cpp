// The digest the random walk compares states by (the walk itself matches a document's with its file's).
#include "viewer/document/CacheDigest.h"

#include <gtest/gtest.h>

namespace {

std::uint64_t DigestOf(const std::string& bytes, std::size_t piece) {
  CacheDigest digest;
  for (std::size_t at = 0; at < bytes.size(); at += piece) {
    digest.Add(std::span(reinterpret_cast<const std::uint8_t*>(bytes.data() + at), std::min(piece, bytes.size() - at)));
  }
  return digest.Value();
}

TEST(CacheDigest, DependsOnEveryByteItsPlaceAndTheLengthOnlyAndReadsBackAsText) {
  std::string base(100, '\0');
  for (std::size_t i = 0; i < base.size(); i += 7) base[i] = static_cast<char>('a' + i % 26);
  const std::uint64_t whole = DigestOf(base, base.size());
  for (const std::size_t piece : {1, 3, 8, 13, 64}) EXPECT_EQ(DigestOf(base, piece), whole) << piece;
  std::string flipped = base, moved = std::string(1, '\0') + base.substr(0, 99), swapped = base;
  flipped[50] ^= 1;
  std::swap(swapped[0], swapped[7]);
  for (const std::string& changed : {flipped, moved, swapped, base + '\0', base.substr(0, 99), std::string()}) {
    EXPECT_NE(DigestOf(changed, 5), whole);
  }
  std::uint64_t value = 0;  // and its text round trip
  for (const std::uint64_t digest : {0ULL, 1ULL, 0xFEDCBA9876543210ULL, ~0ULL}) {
    EXPECT_TRUE(ParseDigestText(DigestText(digest), value) && value == digest) << digest;
  }
  for (const char* bad : {"", "123", "0123456789abcdeg", "0123456789ABCDEF", "0123456789abcdef0"}) {
    EXPECT_FALSE(ParseDigestText(bad, value)) << bad;
  }
}

}  // namespace
