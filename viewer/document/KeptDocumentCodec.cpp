#include "viewer/document/KeptDocumentCodec.h"

#include "viewer/document/RecordLayout.h"

#include <zlib.h>

#include <algorithm>
#include <array>
#include <cstring>
#include <filesystem>
#include <set>

namespace {

constexpr std::string_view kKeptMagic{"MVKEPT\x01\n", 8};
constexpr std::string_view kLinkMagic{"MVLINK\x01\n", 8};
// A 200-page document with every field full stays below this; a file that
// claims more is not one of ours.
constexpr std::uint64_t kMostPlainBytes = 512ull << 20;

constexpr std::array<std::string LineRecord::*, 8> kTexts{
    &LineRecord::text,       &LineRecord::horizontalMarks, &LineRecord::twoColourPieces, &LineRecord::verticalMarks,
    &LineRecord::linkPieces, &LineRecord::linkTargets,     &LineRecord::alignment,       &LineRecord::boldPieces};
constexpr std::array<std::size_t, 8> kTextSizes{kTextFieldSize,     kMarkListFieldSize, kTwoColourFieldSize,
                                                kMarkListFieldSize, kMarkListFieldSize, kMarkListFieldSize,
                                                kAlignmentFieldSize, kMarkListFieldSize};
constexpr std::array<std::int32_t LineRecord::*, 7> kNumbers{
    &LineRecord::absoluteLine, &LineRecord::pageNumber, &LineRecord::hasMarks, &LineRecord::hasLinks,
    &LineRecord::hasBold,      &LineRecord::imageLine,  &LineRecord::keepRecord};

class Writer {
 public:
  void U64(std::uint64_t v) {
    for (int i = 0; i < 8; ++i) out_ += static_cast<char>(v >> (8 * i));
  }
  void I32(std::int32_t v) {
    const auto u = static_cast<std::uint32_t>(v);
    for (int i = 0; i < 4; ++i) out_ += static_cast<char>(u >> (8 * i));
  }
  void Text(std::string_view text) {
    I32(static_cast<std::int32_t>(text.size()));
    out_ += text;
  }
  std::string& bytes() { return out_; }

 private:
  std::string out_;
};

class Reader {
 public:
  explicit Reader(std::string_view in) : in_(in) {}
  bool U64(std::uint64_t& v) {
    if (in_.size() < 8) return false;
    v = 0;
    for (int i = 0; i < 8; ++i) v |= std::uint64_t{static_cast<std::uint8_t>(in_[i])} << (8 * i);
    in_.remove_prefix(8);
    return true;
  }
  bool I32(std::int32_t& v) {
    if (in_.size() < 4) return false;
    std::uint32_t u = 0;
    for (int i = 0; i < 4; ++i) u |= std::uint32_t{static_cast<std::uint8_t>(in_[i])} << (8 * i);
    v = static_cast<std::int32_t>(u);
    in_.remove_prefix(4);
    return true;
  }
  // A text of at most `most` bytes.
  bool Text(std::string& text, std::size_t most) {
    std::int32_t size = 0;
    if (!I32(size) || size < 0 || static_cast<std::size_t>(size) > std::min(most, in_.size())) return false;
    text.assign(in_.substr(0, static_cast<std::size_t>(size)));
    in_.remove_prefix(static_cast<std::size_t>(size));
    return true;
  }
  bool Bytes(std::uint8_t* to, std::size_t size) {
    if (in_.size() < size) return false;
    std::memcpy(to, in_.data(), size);
    in_.remove_prefix(size);
    return true;
  }
  bool Within(std::int32_t& v, std::int32_t low, std::int32_t high) { return I32(v) && v >= low && v <= high; }
  bool empty() const { return in_.empty(); }

 private:
  std::string_view in_;
};

void WriteIdentity(Writer& w, const TextIdentity& text) {
  w.Text(text.path);
  w.U64(text.length);
  w.U64(text.digest);
  w.I32(static_cast<std::int32_t>(text.check));
}

bool ReadIdentity(Reader& r, TextIdentity& text) {
  std::int32_t check = 0;
  if (!r.Text(text.path, 4096) || text.path.empty() || !r.U64(text.length) || !r.U64(text.digest) || !r.I32(check))
    return false;
  text.check = static_cast<std::uint32_t>(check);
  return true;
}

void WriteLine(Writer& w, int page, int line, const LineRecord& record, const LineBox& box) {
  w.I32(page);
  w.I32(line);
  for (const auto member : kNumbers) w.I32(record.*member);
  w.I32(record.lineInPage);
  for (const auto member : kTexts) w.Text(record.*member);
  w.I32(static_cast<std::int32_t>(record.reserved.runs.size()));
  for (const auto& run : record.reserved.runs) {
    w.I32(run.offset);
    w.Text(run.bytes);
  }
  w.bytes().append(reinterpret_cast<const char*>(box.savedBytes.data()), box.savedBytes.size());
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
  for (const auto member : kNumbers) {
    if (!r.I32(record.*member)) return false;
  }
  if (!r.Within(lineInPage, INT16_MIN, INT16_MAX)) return false;
  record.lineInPage = static_cast<std::int16_t>(lineInPage);
  for (std::size_t i = 0; i < kTexts.size(); ++i) {
    if (!r.Text(record.*kTexts[i], kTextSizes[i] - 1)) return false;
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
  if (!record.IsInUse() || !r.Bytes(saved.data(), saved.size())) return false;
  document.UseLine(page, line) = std::move(record);
  document.Box(page, line).savedBytes = saved;
  return true;
}

}  // namespace

namespace {

std::uint64_t Fnv1a(std::uint64_t hash, std::string_view bytes) {
  for (const char c : bytes) hash = (hash ^ static_cast<std::uint8_t>(c)) * 0x100000001b3ull;
  return hash;
}
constexpr std::uint64_t kFnvStart = 0xcbf29ce484222325ull;

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
  text.digest = Fnv1a(kFnvStart, bytes);
  uLong crc = crc32(0, nullptr, 0);
  for (std::string_view rest = bytes; !rest.empty();) {
    const std::size_t step = std::min<std::size_t>(rest.size(), 1u << 30);
    crc = crc32(crc, reinterpret_cast<const Bytef*>(rest.data()), static_cast<uInt>(step));
    rest.remove_prefix(step);
  }
  text.check = static_cast<std::uint32_t>(crc);
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

std::uint64_t DocumentTextDigest(const Document& document) {
  std::uint64_t hash = kFnvStart;
  for (int page = 1; page <= document.PageCount; ++page) {
    for (int line = 1; line <= kLinesPerPage; ++line) {
      const LineRecord& r = document.Line(page, line);
      if (!r.IsInUse()) continue;
      const std::int32_t place[] = {page, line, r.absoluteLine, r.imageLine};
      hash = Fnv1a(hash, std::string_view(reinterpret_cast<const char*>(place), sizeof place));
      hash = Fnv1a(Fnv1a(hash, r.text), std::string_view("\0", 1));
    }
  }
  return hash;
}

std::string EncodeKeptPlain(const TextIdentity& text, const Document& d, std::int32_t viewOffset) {
  Writer plain;
  WriteIdentity(plain, text);
  for (const std::int32_t v : {d.CurrentPage, d.PageCount, d.LineCounter, d.linkCounter, d.boldCounter, viewOffset})
    plain.I32(v);
  for (int page = 1; page <= d.PageCount; ++page) {
    for (int line = 1; line <= kLinesPerPage; ++line) {
      if (d.Line(page, line).IsInUse()) WriteLine(plain, page, line, d.Line(page, line), d.Box(page, line));
    }
  }
  return std::move(plain.bytes());
}

std::string EncodeKeptDocument(const TextIdentity& text, const Document& document, std::int32_t viewOffset) {
  const std::string plain = EncodeKeptPlain(text, document, viewOffset);
  uLongf packedSize = compressBound(static_cast<uLong>(plain.size()));
  Writer out;
  out.bytes() = kKeptMagic;
  out.U64(plain.size());
  std::string& bytes = out.bytes();
  const std::size_t start = bytes.size();
  bytes.resize(start + packedSize);
  // The fastest level: New waits for it, and marks compress well anyway.
  compress2(reinterpret_cast<Bytef*>(bytes.data() + start), &packedSize, reinterpret_cast<const Bytef*>(plain.data()),
            static_cast<uLong>(plain.size()), Z_BEST_SPEED);
  bytes.resize(start + packedSize);
  return std::move(bytes);
}

bool DecodeKeptDocument(std::string_view bytes, KeptDocument& kept) {
  if (bytes.substr(0, kKeptMagic.size()) != kKeptMagic) return false;
  Reader head(bytes.substr(kKeptMagic.size()));
  std::uint64_t plainSize = 0;
  std::string plain;
  return head.U64(plainSize) && Inflate(bytes.substr(kKeptMagic.size() + 8), plainSize, plain) &&
         DecodeKeptPlain(plain, kept);
}

bool DecodeKeptPlain(std::string_view plain, KeptDocument& kept) {
  Reader r(plain);
  Document& d = kept.document;
  d = Document();
  if (!ReadIdentity(r, kept.text) || !r.Within(d.CurrentPage, 1, kMaxPages) || !r.Within(d.PageCount, 1, kMaxPages) ||
      !r.Within(d.LineCounter, 0, INT32_MAX) || !r.I32(d.linkCounter) || !r.I32(d.boldCounter) ||
      !r.Within(kept.viewOffset, -kPageHeight, kViewHeight) || d.CurrentPage > d.PageCount)
    return false;
  while (!r.empty()) {
    if (!ReadLine(r, d)) return false;
  }
  d.DocumentLoaded = 1;
  return true;
}

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
  return ReadIdentity(r, text) && r.U64(documentDigest) && r.empty();
}
