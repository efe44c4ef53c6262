#pragma once

#include "viewer/document/Document.h"
#include "viewer/document/LittleEndian.h"
#include "viewer/document/RecordCodec.h"

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

// A folder of its own for each test, removed afterwards.
class TempFolder {
 public:
  TempFolder() {
    std::string pattern = (std::filesystem::temp_directory_path() / "doc-test-XXXXXX").string();
    path_ = ::mkdtemp(pattern.data()) ? pattern : std::string();
  }
  ~TempFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
  }
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;

  const std::string& path() const { return path_; }
  std::string File(const std::string& name) const { return path_ + "/" + name; }
  std::size_t EntryCount() const {
    return static_cast<std::size_t>(std::distance(std::filesystem::directory_iterator(path_),
                                                  std::filesystem::directory_iterator()));
  }

 private:
  std::string path_;
};

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

inline LineRecord TextLine(int page, int line, int absoluteLine, std::string text = "text") {
  LineRecord record;
  record.absoluteLine = absoluteLine;
  record.pageNumber = page;
  record.lineInPage = static_cast<std::int16_t>(line);
  record.text = std::move(text);
  return record;
}

inline void Append(Bytes& file, const Bytes& record) { file.insert(file.end(), record.begin(), record.end()); }

// The number stored at `offset` of record `index` of a cache file.
inline std::int32_t StoredInt32(const Bytes& file, std::size_t index, std::size_t offset) {
  return LoadInt32(file.data() + index * kRecordSize + offset);
}
