#include "viewer/document/KeptDocumentCodec.h"

#include "viewer/document/Hash64.h"
#include "viewer/document/LittleEndian.h"
#include "viewer/document/MarkList.h"
#include "viewer/document/RecordLayout.h"

#include <zlib.h>

#include <algorithm>
#include <array>
#include <cstring>
#include <filesystem>

namespace {

constexpr std::string_view kKeptMagic{"MVKEPT\x02\n", 8};
constexpr std::string_view kLinkMagic{"MVLINK\x02\n", 8};
// Files kept by the earlier release: read, never written, so that an upgrade
// loses no marks. Their identity ends in a CRC-32 of the text and they carry
// no time kept (the store takes the file's).
constexpr std::string_view kEarlierKeptMagic{"MVKEPT\x01\n", 8};
constexpr int kEarlierFormat = 1, kFormat = 2;
// A 200-page document with every field full stays below this; a file that
// claims more is not one of ours.
constexpr std::uint64_t kMostPlainBytes = 512ull << 20;

using Writer = ByteWriter;
using Reader = ByteReader;

void WriteIdentity(Writer& w, const TextIdentity& text) {
  w.Text(text.path);
  w.U64(text.length);
  w.U64(text.digest);
}

// An empty path is a text whose file is not known.
bool ReadIdentity(Reader& r, TextIdentity& text, int format) {
  std::int32_t earlierCheck = 0;
  return r.Text(text.path, 4096) && r.U64(text.length) && r.U64(text.digest) &&
         (format != kEarlierFormat || r.I32(earlierCheck));
}

void WriteLine(Writer& w, int page, int line, const LineRecord& record, const LineBox& box) {
  w.I32(page);
  w.I32(line);
  for (const auto& field : kRecordNumberFields) w.I32(record.*field.member);
  w.I32(record.lineInPage);
  for (const auto& field : kRecordTextFields) w.Text(record.*field.member);
  w.I32(static_cast<std::int32_t>(record.reserved.runs.size()));
  for (const auto& run : record.reserved.runs) {
    w.I32(run.offset);
    w.Text(run.bytes);
  }
  w.Raw(std::string_view(reinterpret_cast<const char*>(box.savedBytes.data()), box.savedBytes.size()));
}

// A run must lie inside one reserved range, as the cache reader makes them.
bool IsReservedRun(const ReservedBytes::Run& run) {
  return std::any_of(kReservedRanges.begin(), kReservedRanges.end(), [&](const ReservedRange& range) {
    return run.offset >= range.offset && run.offset + run.bytes.size() <= range.offset + range.size;
  });
}

bool ReadLine(Reader& r, Document& document) {
  std::int32_t page = 0, line = 0, lineInPage = 0, runs = 0;
  if (!r.Within(page, 1, document.PageCount) || !r.Within(line, 1, kLinesPerPage)) return false;
  if (document.Line(page, line).IsInUse()) return false;  // each slot once
  LineRecord record;
  for (const auto& field : kRecordNumberFields) {
    if (!r.I32(record.*field.member)) return false;
  }
  // A line the cache would place elsewhere, or whose text it would cut at a
  // NUL, would not come back as kept.
  if (!r.I32(lineInPage) || record.pageNumber != page || lineInPage != line) return false;
  record.lineInPage = static_cast<std::int16_t>(lineInPage);
  for (const auto& field : kRecordTextFields) {
    std::string& text = record.*field.member;
    if (!r.Text(text, field.size - 1) || text.find('\0') != std::string::npos) return false;
  }
  if (!r.Within(runs, 0, static_cast<std::int32_t>(kReservedRanges.size()))) return false;
  for (std::int32_t i = 0; i < runs; ++i) {
    ReservedBytes::Run run;
    std::int32_t offset = 0;
    if (!r.Within(offset, 0, kRecordSize) || !r.Text(run.bytes, kRecordSize)) return false;
    run.offset = static_cast<std::uint16_t>(offset);
    if (!IsReservedRun(run)) return false;
    record.reserved.runs.push_back(std::move(run));
  }
  LineBoxBytes saved{};
  std::string box;
  if (!record.IsInUse() || !r.Raw(saved.size(), box)) return false;
  std::memcpy(saved.data(), box.data(), saved.size());
  document.UseLine(page, line) = std::move(record);
  document.Box(page, line).savedBytes = saved;
  return true;
}

// Inflates in growing steps, so that a small hostile file claiming a huge
// size costs no more than what it really holds.
bool Inflate(std::string_view packed, std::uint64_t plainSize, std::string& plain) {
  if (plainSize > kMostPlainBytes) return false;
  z_stream stream{};
  if (inflateInit(&stream) != Z_OK) return false;
  stream.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(packed.data()));
  stream.avail_in = static_cast<uInt>(packed.size());
  plain.clear();
  int status = Z_OK;
  while (status == Z_OK) {
    const std::size_t done = plain.size();
    const std::size_t grown = std::min<std::uint64_t>(plainSize, std::max<std::size_t>(done * 2, 1 << 16));
    if (grown == done) break;  // more than claimed
    plain.resize(grown);
    stream.next_out = reinterpret_cast<Bytef*>(plain.data() + done);
    stream.avail_out = static_cast<uInt>(grown - done);
    status = inflate(&stream, Z_NO_FLUSH);
    plain.resize(grown - stream.avail_out);
    if (status == Z_BUF_ERROR && stream.avail_out == 0) status = Z_OK;
  }
  const bool whole = status == Z_STREAM_END && stream.avail_in == 0 && plain.size() == plainSize;
  inflateEnd(&stream);
  return whole;
}

}  // namespace

TextIdentity IdentifyText(std::string path, std::string_view bytes) {
  TextIdentity text;
  // One text reached by two paths (a link, "..") is one text.
  std::error_code error;
  const std::filesystem::path canonical = std::filesystem::weakly_canonical(path, error);
  text.path = error || canonical.empty() ? std::move(path) : canonical.string();
  text.length = bytes.size();
  text.digest = Hash64(bytes);
  return text;
}

bool HasReaderMarks(const Document& document) {
  for (int page = 1; page <= document.PageCount; ++page) {
    for (int line = 1; line <= kLinesPerPage; ++line) {
      const LineRecord& r = document.Line(page, line);
      if (r.hasMarks || r.hasLinks || r.hasBold || !r.horizontalMarks.empty() || !r.twoColourPieces.empty() ||
          !r.verticalMarks.empty() || !r.linkPieces.empty() || !r.boldPieces.empty() || !r.alignment.empty())
        return true;
    }
  }
  return false;
}

int CountReaderMarks(const Document& document) {
  std::size_t marks = 0;
  for (int page = 1; page <= document.PageCount; ++page) {
    for (int line = 1; line <= kLinesPerPage; ++line) {
      const LineRecord& r = document.Line(page, line);
      for (const std::string* list : {&r.horizontalMarks, &r.twoColourPieces, &r.verticalMarks, &r.linkPieces, &r.boldPieces})
        marks += CountMarkEntries(*list);
      marks += r.alignment.empty() ? 0 : 1;
    }
  }
  return static_cast<int>(marks);
}

std::uint64_t DocumentTextDigest(const Document& document) {
  std::uint64_t hash = kHash64Start;
  for (int page = 1; page <= document.PageCount; ++page) {
    for (int line = 1; line <= kLinesPerPage; ++line) {
      const LineRecord& r = document.Line(page, line);
      if (!r.IsInUse()) continue;
      const std::int32_t place[] = {page, line, r.absoluteLine, r.imageLine};
      hash = Hash64(std::string_view(reinterpret_cast<const char*>(place), sizeof place), hash);
      hash = Hash64(std::string_view("\0", 1), Hash64(r.text, hash));
    }
  }
  return hash;
}

std::string EncodeKeptPlain(const TextIdentity& text, const Document& d, std::int32_t viewOffset, std::int64_t keptAt) {
  Writer plain;
  WriteIdentity(plain, text);
  plain.U64(static_cast<std::uint64_t>(keptAt));
  for (const std::int32_t v : {d.CurrentPage, d.PageCount, d.LineCounter, d.linkCounter, d.boldCounter, viewOffset})
    plain.I32(v);
  for (int page = 1; page <= d.PageCount; ++page) {
    for (int line = 1; line <= kLinesPerPage; ++line) {
      if (d.Line(page, line).IsInUse()) WriteLine(plain, page, line, d.Line(page, line), d.Box(page, line));
    }
  }
  return std::move(plain.bytes());
}

int PackFast(std::string& packed, std::string_view plain) {
  uLongf packedSize = compressBound(static_cast<uLong>(plain.size()));
  packed.resize(packedSize);
  // The fastest level: New waits for it, and marks compress well anyway.
  const int status = compress2(reinterpret_cast<Bytef*>(packed.data()), &packedSize,
                               reinterpret_cast<const Bytef*>(plain.data()), static_cast<uLong>(plain.size()), Z_BEST_SPEED);
  packed.resize(status == Z_OK ? packedSize : 0);
  return status;
}

std::optional<std::string> EncodeKeptDocument(std::string_view plain, const KeptPacker& pack) {
  std::string packed;
  if (pack(packed, plain) != Z_OK) return std::nullopt;  // never kept half packed
  Writer out;
  out.Raw(kKeptMagic);
  out.U64(plain.size());
  out.Raw(packed);
  return std::move(out.bytes());
}

namespace {

bool DecodePlain(std::string_view plain, KeptDocument& kept, int format) {
  Reader r(plain);
  Document& d = kept.document;
  d = Document();
  std::uint64_t keptAt = 0;
  if (!ReadIdentity(r, kept.text, format) || (format != kEarlierFormat && !r.U64(keptAt)) ||
      !r.Within(d.CurrentPage, 1, kMaxPages) ||
      !r.Within(d.PageCount, 1, kMaxPages) || !r.Within(d.LineCounter, 0, INT32_MAX) || !r.I32(d.linkCounter) ||
      !r.I32(d.boldCounter) || !r.Within(kept.viewOffset, -kPageHeight, kViewHeight) || d.CurrentPage > d.PageCount)
    return false;
  kept.keptAt = static_cast<std::int64_t>(keptAt);
  while (!r.empty()) {
    if (!ReadLine(r, d)) return false;
  }
  d.DocumentLoaded = 1;
  return true;
}

}  // namespace

bool DecodeKeptDocument(std::string_view bytes, KeptDocument& kept) {
  const std::string_view magic = bytes.substr(0, kKeptMagic.size());
  const int format = magic == kKeptMagic ? kFormat : magic == kEarlierKeptMagic ? kEarlierFormat : 0;
  if (format == 0) return false;
  Reader head(bytes.substr(kKeptMagic.size()));
  std::uint64_t plainSize = 0;
  std::string plain;
  return head.U64(plainSize) && Inflate(head.rest(), plainSize, plain) && DecodePlain(plain, kept, format);
}

bool DecodeKeptPlain(std::string_view plain, KeptDocument& kept) { return DecodePlain(plain, kept, kFormat); }

std::string EncodeTextLink(const TextIdentity& text, std::uint64_t documentDigest) {
  Writer w;
  w.bytes() = kLinkMagic;
  WriteIdentity(w, text);
  w.U64(documentDigest);
  return w.bytes();
}

bool DecodeTextLink(std::string_view bytes, TextIdentity& text, std::uint64_t& documentDigest) {
  if (bytes.substr(0, kLinkMagic.size()) != kLinkMagic) return false;
  Reader r(bytes.substr(kLinkMagic.size()));
  return ReadIdentity(r, text, kFormat) && r.U64(documentDigest) && r.empty();
}
