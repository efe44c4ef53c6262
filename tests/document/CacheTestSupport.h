#pragma once

#include "tests/TempFolder.h"
#include "viewer/document/Document.h"
#include "viewer/document/LittleEndian.h"
#include "viewer/document/RecordCodec.h"
#include "viewer/document/RecordLayout.h"

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
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

// A loaded text of `lines` lines, 65 to a page, as the loader fills the grid.
inline Document LoadedText(int lines) {
  Document document;
  for (int n = 1; n <= lines; ++n) {
    const int page = (n - 1) / kLinesPerPage + 1;
    const int line = (n - 1) % kLinesPerPage + 1;
    document.UseLine(page, line) = TextLine(page, line, n, n % 7 == 0 ? "" : "line " + std::to_string(n));
  }
  document.PageCount = (lines - 1) / kLinesPerPage + 1;
  document.DocumentLoaded = 1;
  return document;
}

// A document with something in every kind of field a cache carries.
inline Document MarkedDocument() {
  Document document = LoadedText(100);
  LineRecord& marked = document.UseLine(1, 5);
  marked.horizontalMarks = "5,9,14;5,20,31;";
  marked.twoColourPieces = "5,10,14,65535,0;";
  marked.verticalMarks = "5,9;";
  marked.linkPieces = "5,12,20,1E1;";
  marked.linkTargets = "2,1E1;";
  marked.boldPieces = "5,4,8;";
  marked.hasMarks = marked.hasLinks = marked.hasBold = 1;
  document.UseLine(1, 6).alignment = "AL2";
  document.UseLine(1, 7).imageLine = 1;
  document.UseLine(2, 1).reserved.runs = {{RecordLayout::kReserved + 10, "keep me"}};
  document.UseLine(2, 40) = TextLine(2, 40, 0);  // not in use: absoluteLine 0 ...
  document.UseLine(2, 40).keepRecord = 1;        // ... but kept
  for (int line = 1; line <= kLinesPerPage; ++line) document.Box(1, line).savedBytes.fill(static_cast<std::uint8_t>(line));
  document.linkCounter = -4;
  document.boldCounter = 2147483647;
  return document;
}
