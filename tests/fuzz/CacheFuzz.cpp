// The cache reader over any bytes: as the whole file, as patches over a good
// cache (so that small inputs reach every field of a record), or as a journal
// left beside a good cache. A cache read back as canonical must be written
// again byte for byte.
#include "tests/fuzz/FuzzSupport.h"
#include "viewer/document/CacheFile.h"
#include "viewer/document/CacheJournal.h"
#include "viewer/document/RecordLayout.h"

#include <algorithm>

namespace {

std::string BaseCache() {
  const std::string path = ScratchPath("base.04");
  FUZZ_CHECK(!CacheWrite(FuzzBaseDocument(), path).failed());
  return ReadScratchFile(path);
}

// Each patch: a 3-byte offset into the base, a length byte, then the bytes.
std::string ApplyPatches(std::string base, std::string_view patches) {
  while (patches.size() >= 4) {
    const std::size_t at = (std::size_t{std::uint8_t(patches[0])} << 16 |
                            std::size_t{std::uint8_t(patches[1])} << 8 | std::uint8_t(patches[2])) %
                           base.size();
    const std::size_t length = std::min<std::size_t>(std::uint8_t(patches[3]), patches.size() - 4);
    base.replace(at, std::min(length, base.size() - at), patches.substr(4, length));
    patches.remove_prefix(4 + length);
  }
  return base;
}

void CheckDocument(const Document& document) {
  CheckDocumentFields(document);
  FUZZ_CHECK(document.CurrentPage == 1 && document.DocumentLoaded == 1);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  static const std::string base = BaseCache();
  const std::string path = ScratchPath("cache.04");
  const std::string_view rest(reinterpret_cast<const char*>(data) + 1, size - 1);
  const auto mode = static_cast<CacheInputMode>(data[0] % kCacheInputModes);
  std::string bytes = mode == CacheInputMode::WholeFile ? std::string(rest)
                      : mode == CacheInputMode::Patches ? ApplyPatches(base, rest)
                                                        : base;
  WriteScratchFile(path, bytes);
  Document document;
  if (mode == CacheInputMode::Journal) {
    WriteScratchFile(CacheJournalPath(path), rest);
    if (CacheRead(document, path)) CheckDocument(document);
    return 0;
  }
  bool canonical = false;
  if (!CacheReadChecked(document, path, {}, canonical)) return 0;
  CheckDocument(document);
  if (!canonical) return 0;
  const std::string again = ScratchPath("again.04");
  FUZZ_CHECK(!CacheWrite(document, again).failed());
  FUZZ_CHECK(ReadScratchFile(again) == bytes);
  return 0;
}
