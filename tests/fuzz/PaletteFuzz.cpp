// The favourite-colours reader: every cell's box stays near the control; what is read is written back.
#include "tests/fuzz/FuzzSupport.h"
#include "viewer/settings/Palette.h"

namespace {

constexpr int kControlSide = 1000;  // far beyond the 13 x 10 slots of 25 pixels

bool Near(int coordinate) { return coordinate >= -kControlSide && coordinate <= kControlSide; }

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  const Palette palette = ReadPalette(bytes);
  for (const PaletteCell& cell : palette.cells) {
    const PaletteBox box = CellBox(cell);
    FUZZ_CHECK(Near(box.left) && Near(box.right) && Near(box.top) && Near(box.bottom));
    FUZZ_CHECK(box.left <= box.right && box.top <= box.bottom);
  }
  FUZZ_CHECK(ReadPalette(WritePalette(palette)) == palette);
  const std::string path = ScratchPath("Mis Colores.log");
  WriteFileBytes(path, std::string(bytes));
  FUZZ_CHECK(LoadPaletteFile(path) == palette);
  return 0;
}
