// The kept-documents reader over any bytes; the first byte picks what the rest is: a kept file, its fields
// before compression (to reach the field reader), or a text link. What is read is kept again the same.
#include "tests/fuzz/FuzzSupport.h"
#include "platform/ProgramFolder.h"
#include "viewer/document/KeptDocuments.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  const std::string_view rest(reinterpret_cast<const char*>(data) + 1, size - 1);
  KeptDocument kept;
  switch (data[0] % 3) {
    case 0: {
      if (!DecodeKeptDocument(rest, kept)) return 0;
      // The store finds it under its text's name, as the viewer does.
      const std::string folder = ScratchPath("kept/");
      MakeFolders(folder);
      KeptDocuments store(folder);
      WriteFileBytes(store.FileFor(kept.text), std::string(rest));
      KeptDocument found;
      FUZZ_CHECK(store.Find(kept.text, found));
      break;
    }
    case 1:
      if (!DecodeKeptPlain(rest, kept)) return 0;
      break;
    default: {
      TextIdentity text;
      std::uint64_t digest = 0;
      if (DecodeTextLink(rest, text, digest)) FUZZ_CHECK(EncodeTextLink(text, digest) == rest);
      return 0;
    }
  }
  const std::string plain = EncodeKeptPlain(kept.text, kept.document, kept.viewOffset);
  KeptDocument again;
  FUZZ_CHECK(DecodeKeptPlain(plain, again));
  FUZZ_CHECK(EncodeKeptPlain(again.text, again.document, again.viewOffset) == plain);
  return 0;
}
