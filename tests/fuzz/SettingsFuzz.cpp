// The settings reader over any file: what it reads survives being saved and read again.
#include "tests/fuzz/FuzzSupport.h"
#include "viewer/settings/SettingsFile.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string bytes(reinterpret_cast<const char*>(data), size);
  const std::string path = ScratchPath("Configuracion.ini");
  WriteFileBytes(path, bytes);
  ViewerSettings read;
  FUZZ_CHECK(!Settings("get", read, path).failed());
  ViewerSettings saved = read;
  if (Settings("save", saved, path).failed()) return 0;
  ViewerSettings again;
  Settings("get", again, path);
  FUZZ_CHECK(again == read);
  return 0;
}
