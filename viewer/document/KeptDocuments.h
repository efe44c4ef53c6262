#pragma once

#include "platform/FileError.h"
#include "viewer/document/KeptDocumentCodec.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

// The folder of kept documents beside cache.04: one compressed file per kept
// version of a text (named by the text and the time it was kept), each
// written safely. Keeping never deletes marks: a text kept again gets a new
// version beside the earlier ones. The store is bounded; past its bound the
// versions kept longest ago leave first. The files the earlier release kept
// (one per text, "<key>.marcas") are read as versions as old as the file.
inline constexpr const char* kKeptFolderName = "Marcas";
inline constexpr const char* kKeptFileSuffix = ".marcas";
// The link between cache.04's document and its text file.
inline constexpr const char* kTextLinkFileName = "cache.04.texto";

struct KeptLimits {
  std::uint64_t bytes = 256ull << 20;  // a fully marked 200-page document takes about 1 MB
  std::size_t documents = 200;
};

class KeptDocuments {
 public:
  explicit KeptDocuments(std::string folder = {}, KeptLimits limits = {});

  void SetFolder(std::string folder) { folder_ = std::move(folder); }
  const std::string& folder() const { return folder_; }  // with trailing "/"
  void SetPacker(KeptPacker pack) { pack_ = std::move(pack); }

  // Keeps a marked document as the newest version of its text (a text not
  // known is kept by the lines it lays out). A document without marks is
  // not kept; one whose marks are already kept for the text replaces that
  // version, so the same marks are not kept twice.
  FileError Keep(const TextIdentity& text, const Document& document, std::int32_t viewOffset, std::int64_t keptAt);
  // The versions that belong to a text laid out as `layoutDigest`, newest
  // first: those kept for exactly this text (same path, same bytes) and
  // those whose text was not known; the earlier release's files, whose text
  // only Read tells.
  std::vector<std::string> Versions(const TextIdentity& text, std::uint64_t layoutDigest) const;
  // Reads one version; false when it is damaged or not of that text.
  bool Read(const std::string& path, const TextIdentity& text, std::uint64_t layoutDigest, KeptDocument& kept) const;

 private:
  struct Entry {
    std::string path;
    std::string key;
    std::uint64_t stamp;
  };
  std::vector<Entry> List() const;
  void KeepWithinBound(const std::vector<Entry>& entries) const;

  std::string folder_;  // with trailing "/"
  KeptLimits limits_;
  KeptPacker pack_ = PackFast;
};

// The name's part that tells a text's versions apart from other texts'.
std::string KeptKey(const TextIdentity& text, std::uint64_t layoutDigest);
