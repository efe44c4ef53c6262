// The picture loader over any file: the first byte picks the name ending (the readers trust it first)
// and the box the picture is drawn into, as the page, the export and the icons ask for it.
#include "platform/ScriptedDialogs.h"
#include "tests/fuzz/FuzzSupport.h"
#include "texts/TextSet.h"
#include "viewer/canvas/PictureLoader.h"

#include <array>

namespace {

struct Box { int width, height; bool keepProportions; };

constexpr std::array<const char*, 6> kEndings = {"", ".png", ".jpg", ".bmp", ".gif", ".tif"};
constexpr std::array<Box, 4> kBoxes = {{{0, 0, false}, {16, 16, true}, {200, 100, true}, {40, 30, false}}};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  EnsureGuiApplication();
  [[maybe_unused]] static const bool texts = (InstallTextSet(EnglishTexts()), true);
  const std::string path = ScratchPath(std::string("picture") + kEndings[data[0] % kEndings.size()]);
  WriteFileBytes(path, std::string(reinterpret_cast<const char*>(data) + 1, size - 1));
  ScriptedDialogs dialogs([](const std::string&) {});
  PictureLoader loader(dialogs);
  const QString name = QString::fromStdString(path);
  const int height = loader.PictureHeight(name);
  FUZZ_CHECK(height >= 0);
  const Box box = kBoxes[data[0] / kEndings.size() % kBoxes.size()];
  const QImage picture = loader.GraphicLoadImageFileToBitmap(name, box.width, box.height, box.keepProportions);
  if (picture.isNull()) return 0;
  if (box.keepProportions) {
    FUZZ_CHECK(picture.width() <= box.width && picture.height() <= box.height);
  } else if (box.width > 0) {
    FUZZ_CHECK(picture.size() == QSize(box.width, box.height));
  }
  return 0;
}
