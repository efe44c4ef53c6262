#include "viewer/document/KeptDocuments.h"

#include "platform/FileIo.h"
#include "platform/ProgramFolder.h"
#include "platform/SafeWrite.h"
#include "viewer/document/Hash64.h"
#include "viewer/document/LittleEndian.h"

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <string_view>

namespace fs = std::filesystem;

namespace {

// Far above any kept document (a full one is about a megabyte), so a stray
// huge file in the folder is not read whole.
constexpr std::size_t kMostKeptFileBytes = 64u << 20;
constexpr std::size_t kKeyDigits = 16, kStampDigits = 16;

std::string Hex(std::uint64_t value) {
  char digits[17];
  std::snprintf(digits, sizeof digits, "%016llx", static_cast<unsigned long long>(value));
  return digits;
}

bool IsHex(const std::string& digits) { return digits.find_first_not_of("0123456789abcdef") == std::string::npos; }

// The earlier release kept one file per text, "<key>.marcas", and wrote no
// time into it: its version is as old as the file.
bool IsEarlierName(const std::string& name) {
  return name.size() == kKeyDigits + std::string_view(kKeptFileSuffix).size() && name.ends_with(kKeptFileSuffix) &&
         IsHex(name.substr(0, kKeyDigits));
}

// Milliseconds since 1970, as the stamps count.
std::uint64_t ModifiedAt(const fs::path& path) {
  std::error_code error;
  const auto time = fs::last_write_time(path, error);
  if (error) return 0;
  const auto since = std::chrono::file_clock::to_sys(time).time_since_epoch();
  const std::int64_t ms = std::chrono::duration_cast<std::chrono::milliseconds>(since).count();
  return static_cast<std::uint64_t>(std::max<std::int64_t>(ms, 0));
}

// "<key>-<stamp>.marcas": the stamp orders the versions of the whole store.
// An earlier release's file has no key of ours and the stamp of its time.
bool ParseName(const fs::path& path, std::string& key, std::uint64_t& stamp) {
  const std::string name = path.filename().string();
  if (IsEarlierName(name)) {
    key.clear();
    stamp = ModifiedAt(path);
    return true;
  }
  const std::string suffix = kKeptFileSuffix;
  if (name.size() != kKeyDigits + 1 + kStampDigits + suffix.size() || name[kKeyDigits] != '-' ||
      !name.ends_with(suffix))
    return false;
  key = name.substr(0, kKeyDigits);
  const std::string digits = name.substr(kKeyDigits + 1, kStampDigits);
  if (!IsHex(digits)) return false;
  stamp = std::stoull(digits, nullptr, 16);
  return IsHex(key);
}

}  // namespace

std::string KeptKey(const TextIdentity& text, std::uint64_t layoutDigest) {
  ByteWriter key;
  if (text.known()) {
    key.Text(text.path);
    key.U64(text.length);
    key.U64(text.digest);
  } else {
    key.Raw("?");
    key.U64(layoutDigest);
  }
  return Hex(Hash64(key.bytes()));
}

KeptDocuments::KeptDocuments(std::string folder, KeptLimits limits)
    : folder_(std::move(folder)), limits_(limits) {}

std::vector<KeptDocuments::Entry> KeptDocuments::List() const {
  std::vector<Entry> entries;
  std::error_code error;
  for (fs::directory_iterator it(folder_, error), end; !error && it != end; it.increment(error)) {
    Entry entry{it->path().string(), {}, 0};
    std::error_code ignored;
    if (it->is_regular_file(ignored) && ParseName(it->path(), entry.key, entry.stamp))
      entries.push_back(std::move(entry));
  }
  // Newest first.
  std::sort(entries.begin(), entries.end(), [](const Entry& a, const Entry& b) {
    return a.stamp != b.stamp ? a.stamp > b.stamp : a.path > b.path;
  });
  return entries;
}

FileError KeptDocuments::Keep(const TextIdentity& text, const Document& document, std::int32_t viewOffset,
                              std::int64_t keptAt) {
  if (!HasReaderMarks(document)) return {};
  if (!MakeFolders(folder_)) return FileError::FromErrno(errno == EEXIST ? ENOTDIR : errno);
  const std::uint64_t layout = DocumentTextDigest(document);
  const std::string plain = EncodeKeptPlain(text, document, viewOffset, keptAt);
  const std::optional<std::string> bytes = EncodeKeptDocument(plain, pack_);
  if (!bytes) return FileError::FromErrno(ENOMEM);  // the only way packing fails in memory
  const std::string key = KeptKey(text, layout);
  std::vector<Entry> entries = List();
  // Later than every version in the store, whatever the clock did.
  const std::uint64_t stamp = std::max<std::uint64_t>(static_cast<std::uint64_t>(std::max<std::int64_t>(keptAt, 0)) * 1000,
                                                      entries.empty() ? 0 : entries.front().stamp + 1);
  const std::string path = folder_ + key + "-" + Hex(stamp) + kKeptFileSuffix;
  if (FileError error = WriteFileSafely(path, *bytes); error.failed()) return error;
  // Only once the new version is on disk: the same marks kept before leave.
  for (const Entry& entry : entries) {
    KeptDocument earlier;
    if (entry.key != key || !Read(entry.path, text, layout, earlier)) continue;
    earlier.document.CurrentPage = document.CurrentPage;
    if (EncodeKeptPlain(text, earlier.document, viewOffset, keptAt) == plain) {
      std::error_code ignored;
      fs::remove(entry.path, ignored);
    }
  }
  KeepWithinBound(List());
  return {};
}

std::vector<std::string> KeptDocuments::Versions(const TextIdentity& text, std::uint64_t layoutDigest) const {
  const std::string known = text.known() ? KeptKey(text, layoutDigest) : std::string();
  const std::string unknown = KeptKey(TextIdentity{}, layoutDigest);
  std::vector<std::string> paths;
  // An earlier release's file tells its text only inside: Read decides.
  for (const Entry& entry : List()) {
    if (entry.key == known || entry.key == unknown || entry.key.empty()) paths.push_back(entry.path);
  }
  return paths;
}

bool KeptDocuments::Read(const std::string& path, const TextIdentity& text, std::uint64_t layoutDigest,
                         KeptDocument& kept) const {
  std::string bytes;
  if (!FileExists(path) || ReadWholeFile(path, bytes, kMostKeptFileBytes).failed() ||
      !DecodeKeptDocument(bytes, kept))
    return false;
  if (IsEarlierName(fs::path(path).filename().string()))
    kept.keptAt = static_cast<std::int64_t>(ModifiedAt(path) / 1000);
  if (kept.text.known()) return kept.text == text;
  return DocumentTextDigest(kept.document) == layoutDigest;
}

void KeptDocuments::KeepWithinBound(const std::vector<Entry>& entries) const {
  std::uint64_t total = 0;
  for (std::size_t i = 0; i < entries.size(); ++i) {
    std::error_code ignored;
    const std::uintmax_t size = fs::file_size(entries[i].path, ignored);
    total += ignored ? 0 : size;
    // The version just kept stays whatever its size.
    if (i == 0 || (i < limits_.documents && total <= limits_.bytes)) continue;
    fs::remove(entries[i].path, ignored);
  }
}
