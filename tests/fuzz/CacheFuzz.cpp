// The cache reader over any bytes: as the whole file, as patches over a good cache (so that small inputs
// reach every field), or as a journal beside it. A canonical cache must be written again byte for byte.
#include "tests/fuzz/FuzzSupport.h"
#include "viewer/document/CacheFile.h"
#include "viewer/document/CacheJournal.h"

#include <algorithm>

namespace {

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

}  // namespace

// The first byte picks what the rest is: 0 the whole file, 1 patches over the base cache, 2 a journal.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  static const std::string base = BaseCache();
  const std::string path = ScratchPath("cache.04");
  const std::string_view rest(reinterpret_cast<const char*>(data) + 1, size - 1);
  const int mode = data[0] % 3;
  const std::string bytes = mode == 0 ? std::string(rest) : mode == 1 ? ApplyPatches(base, rest) : base;
  WriteFileBytes(path, bytes);
  if (mode == 2) WriteFileBytes(CacheJournalPath(path), std::string(rest));
  Document document;
  bool canonical = false;
  if (!(mode == 2 ? CacheRead(document, path) : CacheReadChecked(document, path, {}, canonical))) return 0;
  CheckDocumentFields(document);
  FUZZ_CHECK(document.CurrentPage == 1 && document.DocumentLoaded == 1);
  if (mode == 2 || !canonical) return 0;
  const std::string again = ScratchPath("again.04");
  FUZZ_CHECK(!CacheWrite(document, again).failed());
  FUZZ_CHECK(ReadFileBytes(again) == bytes);
  return 0;
}
