#pragma once

#include "platform/FileError.h"
#include "viewer/document/Document.h"
#include "viewer/document/RecordCodec.h"

#include <functional>
#include <string>

// cache.04 holds the document with all its marks: one fixed-size record per
// used slot, page by page and within a page in line order, with no header.
// It is written before every change, so it is also the one-step undo.

inline constexpr const char* kCacheFileName = "cache.04";

// Writes the used slots of pages 1..PageCount (absoluteLine above 0 or
// keepRecord 1), each with the live linkCounter and boldCounter and the saved
// bytes of its LineBox. The file is replaced only when complete: on any
// failure the previous file stays as it was and the error is returned.
// `onRecord` runs after each record (the window processes its messages).
FileError CacheWrite(const Document& document, const std::string& path,
                     const std::function<void()>& onRecord = {});

// The records CacheWrite writes, in its order, each with the copies it
// carries; `visit` returns false to stop.
void ForEachStoredRecord(const Document& document,
                         const std::function<bool(const LineRecord&, const RecordCopies&)>& visit);

// Reads a cache into `document`: CurrentPage 1, PageCount the page of the
// last record placed, DocumentLoaded 1, the counters from record 1, and the
// grid of lines and boxes from the records (those outside pages 1..200 or
// lines 1..65 are skipped). False, with `document` untouched, when the file
// is missing, not a regular file, empty, not a whole number of records, fails
// to read, or has no record that can be placed. LineCounter and
// LineSelection are not part of the cache and keep their values.
// A change an earlier run left half done is completed (or dropped) first.
bool CacheRead(Document& document, const std::string& path,
               const std::function<void()>& onRecord = {});

// The same, telling whether the file is exactly as CacheWrite would write
// the document it holds.
bool CacheReadChecked(Document& document, const std::string& path, const std::function<void()>& onRecord,
                      bool& canonical);
