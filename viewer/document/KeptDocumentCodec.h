#pragma once

#include "viewer/document/Document.h"

#include <cstdint>
#include <string>
#include <string_view>

// A marked document the reader moved away from, kept for its text file so
// that it can come back when that text is opened again. Stored compressed:
// a 200-page document is 425 MB as a cache file but only its used fields
// here.

// A text file as it was when its document was made: its path and a
// fingerprint of its bytes, so that a changed text is told apart.
struct TextIdentity {
  std::string path;
  std::uint64_t length = 0;
  std::uint64_t digest = 0;  // FNV-1a of the bytes
  std::uint32_t check = 0;   // CRC-32 of the bytes

  bool known() const { return !path.empty(); }
  friend bool operator==(const TextIdentity&, const TextIdentity&) = default;
};

TextIdentity IdentifyText(std::string path, std::string_view bytes);

struct KeptDocument {
  TextIdentity text;
  Document document;  // CurrentPage is the page the reader was on
  std::int32_t viewOffset = 0;
};

// Whether a reader marked the document: a mark list or an alignment set.
bool HasReaderMarks(const Document& document);

// A digest of the lines a document was laid out from (places and texts),
// which its marks do not change: tells whether a stored link to a text
// belongs to the document cache.04 holds.
std::uint64_t DocumentTextDigest(const Document& document);

std::string EncodeKeptDocument(const TextIdentity& text, const Document& document, std::int32_t viewOffset);
// Takes any bytes: false, with `kept` unspecified, for anything that is not
// exactly what EncodeKeptDocument writes.
bool DecodeKeptDocument(std::string_view bytes, KeptDocument& kept);

// The document's fields before compression, and their reading; exposed so
// that the fuzzer reaches the reader past the compression's own checks.
std::string EncodeKeptPlain(const TextIdentity& text, const Document& document, std::int32_t viewOffset);
bool DecodeKeptPlain(std::string_view plain, KeptDocument& kept);

// The link between cache.04's document and its text file.
std::string EncodeTextLink(const TextIdentity& text, std::uint64_t documentDigest);
bool DecodeTextLink(std::string_view bytes, TextIdentity& text, std::uint64_t& documentDigest);
