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
      const std::uint64_t layout = DocumentTextDigest(kept.document);
      WriteFileBytes(folder + KeptKey(kept.text, layout) + "-0000000000000001.marcas", std::string(rest));
      const std::vector<std::string> versions = store.Versions(kept.text, layout);
      KeptDocument found;
      FUZZ_CHECK(versions.size() == 1 && store.Read(versions[0], kept.text, layout, found));
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
  const std::string plain = EncodeKeptPlain(kept.text, kept.document, kept.viewOffset, kept.keptAt);
  KeptDocument again;
  FUZZ_CHECK(DecodeKeptPlain(plain, again));
  FUZZ_CHECK(EncodeKeptPlain(again.text, again.document, again.viewOffset, again.keptAt) == plain);
  return 0;
}
