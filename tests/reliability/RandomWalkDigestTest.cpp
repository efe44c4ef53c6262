// The digest the random walk compares states by, and its memory trend.
#include "tests/TempFolder.h"
#include "tests/reliability/RandomWalk.h"
#include "viewer/document/CacheDigest.h"
#include "viewer/document/CacheFile.h"

#include <gtest/gtest.h>

#include <numeric>

namespace {

std::uint64_t DigestOf(const std::string& bytes, std::size_t piece) {
  CacheDigest digest;
  for (std::size_t at = 0; at < bytes.size(); at += piece) {
    const std::size_t size = std::min(piece, bytes.size() - at);
    digest.Add(std::span<const std::uint8_t>(reinterpret_cast<const std::uint8_t*>(bytes.data() + at), size));
  }
  return digest.Value();
}

TEST(CacheDigest, DependsOnEveryByteItsPlaceAndTheLengthOnly) {
  std::string base(100, '\0');
  for (std::size_t i = 0; i < base.size(); i += 7) base[i] = static_cast<char>('a' + i % 26);
  const std::uint64_t whole = DigestOf(base, base.size());
  for (const std::size_t piece : {1, 3, 8, 13, 64}) EXPECT_EQ(DigestOf(base, piece), whole) << piece;

  struct Change {
    const char* name;
    std::string bytes;
  };
  std::string flipped = base, moved = base, swapped = base;
  flipped[50] ^= 1;
  moved.insert(moved.begin(), '\0');
  moved.pop_back();
  std::swap(swapped[0], swapped[7]);
  const Change changes[] = {{"a bit flipped", flipped},         {"everything one byte later", moved},
                            {"two bytes swapped", swapped},      {"a zero byte more", base + std::string(1, '\0')},
                            {"a zero byte less", base.substr(0, 99)}, {"nothing", ""}};
  for (const Change& change : changes) EXPECT_NE(DigestOf(change.bytes, 5), whole) << change.name;
}

TEST(CacheDigest, OfADocumentIsThatOfTheFileItsCacheWriteMakes) {
  TempFolder folder;
  Document document;
  EXPECT_EQ(DigestDocument(document), DigestOf("", 1));
  for (int line = 1; line <= 65; line += 3) {
    LineRecord& record = document.UseLine(line % 2 + 1, line);
    record.absoluteLine = line;
    record.pageNumber = line % 2 + 1;
    record.lineInPage = static_cast<std::int16_t>(line);
    record.text = "line " + std::to_string(line);
  }
  document.PageCount = 2;
  document.linkCounter = 3;
  const std::string path = folder.File("cache.04");
  ASSERT_FALSE(CacheWrite(document, path).failed());
  std::uint64_t fromFile = 0;
  ASSERT_TRUE(DigestCacheFile(path, fromFile));
  EXPECT_EQ(fromFile, DigestDocument(document));
  EXPECT_EQ(fromFile, DigestOf(ReadFileBytes(path), 4096));

  document.linkCounter = 4;  // carried by every record
  EXPECT_NE(DigestDocument(document), fromFile);
  EXPECT_FALSE(DigestCacheFile(folder.File("none"), fromFile));
  EXPECT_FALSE(DigestCacheFile(folder.path(), fromFile));
}

TEST(CacheDigest, TextRoundTrip) {
  std::uint64_t value = 0;
  for (const std::uint64_t digest : {0ULL, 1ULL, 0xFEDCBA9876543210ULL, ~0ULL}) {
    ASSERT_TRUE(ParseDigestText(DigestText(digest), value));
    EXPECT_EQ(value, digest);
  }
  for (const char* bad : {"", "123", "0123456789abcdeg", "0123456789ABCDEF", "0123456789abcdef0"}) {
    EXPECT_FALSE(ParseDigestText(bad, value)) << bad;
  }
}

TEST(RandomWalkMemory, GrowthIsToldFromSettlingAndNoise) {
  const auto series = [](long start, long step, int count) {
    std::vector<long> values(static_cast<std::size_t>(count));
    for (int i = 0; i < count; ++i) values[static_cast<std::size_t>(i)] = start + step * i;
    return values;
  };
  std::vector<long> settling = series(100000, 2000, 50);
  const std::vector<long> flat(450, 200000);
  settling.insert(settling.end(), flat.begin(), flat.end());
  std::vector<long> noisy(500);
  for (std::size_t i = 0; i < noisy.size(); ++i) noisy[i] = 150000 + (i % 2 ? 30000 : -30000);
  struct Case {
    const char* name;
    std::vector<long> values;
    bool grows;
  } cases[] = {{"flat", std::vector<long>(500, 150000), false},
               {"settles after the first pages", settling, false},
               {"noisy", noisy, false},
               {"steady leak", series(100000, 1000, 500), true},
               {"too few to tell", series(100000, 100000, 9), false}};
  for (const Case& c : cases) EXPECT_EQ(KeepsGrowing(c.values, 64 * 1024), c.grows) << c.name;
}

}  // namespace
