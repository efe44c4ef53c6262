#pragma once

#include "tests/MarkedDocuments.h"
#include "tests/TempFolder.h"
#include "viewer/document/CacheFile.h"
#include "viewer/document/LittleEndian.h"
#include "viewer/document/RecordCodec.h"

#include <gtest/gtest.h>

using Bytes = std::vector<std::uint8_t>;

inline Bytes ReadBytes(const std::string& path) {
  const std::string bytes = ReadFileBytes(path);
  return Bytes(bytes.begin(), bytes.end());
}

inline void WriteBytes(const std::string& path, const Bytes& bytes) {
  WriteFileBytes(path, {bytes.begin(), bytes.end()});
}

// What a whole write of `document` puts on disk.
inline Bytes CacheBytes(const Document& document, const std::string& path) {
  EXPECT_FALSE(CacheWrite(document, path).failed());
  return ReadBytes(path);
}

// One stored record as raw bytes, for the cases a Document cannot produce.
inline Bytes EncodeRecord(const LineRecord& line, const RecordCopies& copies = {}) {
  Bytes bytes(kRecordSize);
  EncodeLineRecord(line, copies, RecordBytes(bytes.data(), kRecordSize));
  return bytes;
}

inline Bytes Slice(const Bytes& bytes, std::size_t from, std::size_t size) {
  const auto first = bytes.begin() + static_cast<std::ptrdiff_t>(from);
  return Bytes(first, first + static_cast<std::ptrdiff_t>(size));
}

inline void Append(Bytes& file, const Bytes& record) {
  file.insert(file.end(), record.begin(), record.end());
}

// The number stored at `offset` of record `index` of a cache file.
inline std::int32_t StoredInt32(const Bytes& file, std::size_t index, std::size_t offset) {
  return LoadInt32(file.data() + index * kRecordSize + offset);
}
