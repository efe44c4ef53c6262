#pragma once

#include "platform/FileError.h"
#include "viewer/document/KeptDocumentCodec.h"

#include <string>

// The link between the document cache.04 holds and the text file it was
// made from, kept in a file of its own beside cache.04. It carries a digest
// of the lines the text laid out, and is trusted only for a document that
// lays out those same lines: a link left stale by a kill, or by an Undo
// that read an earlier document back, names no text at all.
class TextLink {
 public:
  void SetPath(std::string path) { path_ = std::move(path); }

  // The shown document was just made from `text`.
  void Bind(TextIdentity text, const Document& document);
  // Takes the stored link when it names `document`'s text.
  void Read(const Document& document);
  // Stores the link once cache.04 holds `document`; nothing to do when the
  // link does not name it or is stored already.
  FileError Write(const Document& document);
  // The text `document` was made from; an identity without a path when that
  // is not known.
  TextIdentity TextOf(const Document& document) const;

 private:
  std::string path_;
  TextIdentity text_;
  std::uint64_t layout_ = 0;  // the digest of the lines text_ lays out
  std::string onDisk_;        // the link as the file holds it
};
