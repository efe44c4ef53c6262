#pragma once

#include "platform/FileError.h"
#include "viewer/document/Document.h"

#include <functional>
#include <memory>
#include <string>

// cache.04 and the document it holds. The store keeps a copy of what the
// file holds, so that saving writes only the records a command changed (the
// file comes out byte for byte as a whole write would make it) and Undo
// needs no reading. A new document, a file that is not as the store left
// it, or a change to many records is written whole.
class CacheStore {
 public:
  explicit CacheStore(std::string path = {});

  void SetPath(std::string path);
  const std::string& path() const { return path_; }

  // Brings the file to `document`. On failure the file is as it was.
  FileError Save(const Document& document, const std::function<void()>& onRecord = {});
  // Reads the file into `document` (completing a change an earlier run left
  // half done); false, with `document` untouched, when there is no usable file.
  bool Load(Document& document, const std::function<void()>& onRecord = {});
  // The document as the file holds it; false when the store does not know.
  bool Restore(Document& document) const;
  // Makes the next save write the whole file.
  void Forget();

 private:
  FileError SaveWhole(const Document& document, const std::function<void()>& onRecord);
  // Nothing when the change is not one that can be written in place.
  bool CollectChanges(const Document& document, std::vector<struct CacheByteRange>& ranges) const;

  std::string path_;
  std::unique_ptr<Document> saved_;  // what the file holds, when known exactly
};
