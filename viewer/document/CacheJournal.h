#pragma once

#include "platform/FileError.h"

#include <cstdint>
#include <string>
#include <vector>

// A change to cache.04 that touches only some of its bytes is first written
// whole to a journal beside it ("cache.04.journal", replaced safely), then
// applied in place, then the journal is removed. Whatever stops the program
// in between, the next reader finds the old file, or the old file and a
// complete journal that brings it to the new state.

struct CacheByteRange {
  std::uint64_t offset = 0;
  std::vector<std::uint8_t> bytes;
};

std::string CacheJournalPath(const std::string& cachePath);

// Writes the journal, applies the ranges to the cache file (whose length
// must be `cacheLength`) and removes the journal. On an error before the
// file was touched, the file is as it was; after, the journal remains.
FileError ApplyCacheChanges(const std::string& cachePath, std::uint64_t cacheLength,
                            const std::vector<CacheByteRange>& ranges);

// Completes a change an earlier run left half done, or drops a journal that
// is incomplete, damaged or does not fit the file. Nothing when there is none.
void RecoverCacheChanges(const std::string& cachePath);

// The journal's bytes and their reading; exposed for tests.
std::vector<std::uint8_t> EncodeCacheJournal(std::uint64_t cacheLength, const std::vector<CacheByteRange>& ranges);
bool DecodeCacheJournal(const std::vector<std::uint8_t>& journal, std::uint64_t& cacheLength,
                        std::vector<CacheByteRange>& ranges);
