#include "viewer/document/KeptDocuments.h"

#include "platform/FileIo.h"
#include "platform/ProgramFolder.h"
#include "platform/SafeWrite.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <filesystem>
#include <vector>

namespace fs = std::filesystem;

namespace {

// Far above any kept document (a full one is about a megabyte), so a stray
// huge file in the folder is not read whole.
constexpr std::size_t kMostKeptFileBytes = 64u << 20;

}  // namespace

KeptDocuments::KeptDocuments(std::string folder, KeptLimits limits)
    : folder_(std::move(folder)), limits_(limits) {}

std::string KeptDocuments::FileFor(const TextIdentity& text) const {
  const std::string link = EncodeTextLink(text, 0);
  std::uint64_t hash = 0xcbf29ce484222325ull;
  for (const char c : link) hash = (hash ^ static_cast<std::uint8_t>(c)) * 0x100000001b3ull;
  char name[17];
  std::snprintf(name, sizeof name, "%016llx", static_cast<unsigned long long>(hash));
  return folder_ + name + kKeptFileSuffix;
}

FileError KeptDocuments::Keep(const TextIdentity& text, const Document& document, std::int32_t viewOffset) {
  if (!text.known() || !HasReaderMarks(document)) return {};
  if (!MakeFolders(folder_)) return FileError::FromErrno(errno);
  const std::string path = FileFor(text);
  if (FileError error = WriteFileSafely(path, EncodeKeptDocument(text, document, viewOffset)); error.failed())
    return error;
  KeepWithinBound(path);
  return {};
}

bool KeptDocuments::Find(const TextIdentity& text, KeptDocument& kept) const {
  std::string bytes;
  const std::string path = FileFor(text);
  if (!FileExists(path) || ReadWholeFile(path, bytes, kMostKeptFileBytes).failed()) return false;
  return DecodeKeptDocument(bytes, kept) && kept.text == text;
}

void KeptDocuments::KeepWithinBound(const std::string& newest) const {
  struct Entry {
    fs::file_time_type time;
    std::uint64_t size;
    fs::path path;
  };
  std::vector<Entry> entries;
  std::error_code error;
  for (fs::directory_iterator it(folder_, error), end; !error && it != end; it.increment(error)) {
    const fs::path& path = it->path();
    std::error_code ignored;
    if (path.extension() != kKeptFileSuffix || !it->is_regular_file(ignored)) continue;
    entries.push_back({it->last_write_time(ignored), it->file_size(ignored), path});
  }
  // Two keeps within the clock's step must still leave in the order kept.
  fs::file_time_type latest = fs::file_time_type::min();
  for (Entry& entry : entries) {
    if (entry.path != newest) latest = std::max(latest, entry.time);
  }
  for (Entry& entry : entries) {
    std::error_code ignored;
    if (entry.path == newest && entry.time <= latest) fs::last_write_time(entry.path, latest + fs::file_time_type::duration(1), ignored);
  }
  // Newest first; the document just kept stays whatever its size.
  std::sort(entries.begin(), entries.end(), [&](const Entry& a, const Entry& b) {
    const bool aNew = a.path == newest, bNew = b.path == newest;
    if (aNew != bNew) return aNew;
    return a.time != b.time ? a.time > b.time : a.path < b.path;
  });
  std::uint64_t total = 0;
  for (std::size_t i = 0; i < entries.size(); ++i) {
    total += entries[i].size;
    if (i == 0 || (i < limits_.documents && total <= limits_.bytes)) continue;
    std::error_code ignored;
    fs::remove(entries[i].path, ignored);
  }
}
