#pragma once

#include "tests/MarkedDocuments.h"
#include "tests/TempFolder.h"
#include "viewer/document/LittleEndian.h"
#include "viewer/document/RecordCodec.h"

#include <cstdint>
#include <fstream>
#include <iterator>
#include <vector>

using Bytes = std::vector<std::uint8_t>;

inline Bytes ReadBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

inline void WriteBytes(const std::string& path, const Bytes& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
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
