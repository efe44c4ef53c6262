#pragma once

#include "viewer/document/Document.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

// A marked document the reader moved away from, kept for its text file so
// that it can come back when that text is opened again. Stored compressed:
// a 200-page document is 425 MB as a cache file but only its used fields
// here.

// A text file as it was when its document was made: its path, its length
// and a digest of its bytes, so that a changed text is told apart. No path:
// the text the document was made from is not known.
struct TextIdentity {
  std::string path;
  std::uint64_t length = 0;
  std::uint64_t digest = 0;

  bool known() const { return !path.empty(); }
  friend bool operator==(const TextIdentity&, const TextIdentity&) = default;
};

TextIdentity IdentifyText(std::string path, std::string_view bytes);

struct KeptDocument {
  TextIdentity text;
  Document document;  // CurrentPage is the page the reader was on
  std::int32_t viewOffset = 0;
  std::int64_t keptAt = 0;  // seconds since 1970 (UTC)
};

// Whether a reader marked the document: a mark list or an alignment set.
bool HasReaderMarks(const Document& document);
// How many marks it carries: every entry of a mark list, and each aligned line.
int CountReaderMarks(const Document& document);

// A digest of the lines a document was laid out from (places and texts),
// which its marks do not change: tells whether a stored link to a text
// belongs to the document cache.04 holds.
std::uint64_t DocumentTextDigest(const Document& document);

// The document's fields before compression, and their reading; exposed so
// that the fuzzer reaches the reader past the compression's own checks.
std::string EncodeKeptPlain(const TextIdentity& text, const Document& document, std::int32_t viewOffset,
                            std::int64_t keptAt);
bool DecodeKeptPlain(std::string_view plain, KeptDocument& kept);

// Packs the plain fields; zlib's status (Z_OK when packed).
using KeptPacker = std::function<int(std::string& packed, std::string_view plain)>;
int PackFast(std::string& packed, std::string_view plain);

// The kept file's bytes; nothing when packing failed.
std::optional<std::string> EncodeKeptDocument(std::string_view plain, const KeptPacker& pack = PackFast);
// Takes any bytes: false, with `kept` unspecified, for anything that is not
// exactly what EncodeKeptDocument writes, or what the earlier release kept
// (whose files hold no time kept: `keptAt` is then 0).
bool DecodeKeptDocument(std::string_view bytes, KeptDocument& kept);

// The link between cache.04's document and its text file.
std::string EncodeTextLink(const TextIdentity& text, std::uint64_t documentDigest);
bool DecodeTextLink(std::string_view bytes, TextIdentity& text, std::uint64_t& documentDigest);
