#pragma once

#include "platform/FileError.h"
#include "viewer/document/KeptDocumentCodec.h"

#include <cstddef>
#include <cstdint>
#include <string>

// The folder of kept documents beside cache.04: one compressed file per text
// (named by the text's path and bytes), each written safely. The store is
// bounded; past its bound the documents kept longest ago leave first.
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

  // Keeps a marked document for its text, replacing the one kept for the same
  // text before. A document without marks is not kept: it would only hide
  // the marks kept for its text.
  FileError Keep(const TextIdentity& text, const Document& document, std::int32_t viewOffset);
  // The document kept for exactly this text (same path, same bytes).
  bool Find(const TextIdentity& text, KeptDocument& kept) const;

  std::string FileFor(const TextIdentity& text) const;

 private:
  void KeepWithinBound(const std::string& newest) const;

  std::string folder_;  // with trailing "/"
  KeptLimits limits_;
};
