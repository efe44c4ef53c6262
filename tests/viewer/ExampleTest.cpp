// The sample texts of examples/ load whole, and their picture directives
// and the picture files there match one to one.
#include "tests/viewer/ViewerTestSupport.h"

#include "platform/CodePage.h"
#include "viewer/document/TextLoader.h"

#include <set>

namespace {

namespace fs = std::filesystem;

using Example = ViewerProgram;

TEST_F(Example, SamplesLoadWithEveryPictureAndNoOtherFile) {
  const fs::path examples = MARVESSA_EXAMPLES;
  const std::pair<const char*, int> samples[] = {{"water-cycle.txt", 4}, {"ciclo-del-agua.txt", 2}};
  std::set<std::string> named, present;
  for (const auto& [file, pages] : samples) {
    for (const std::string& line : ReadTextLinesCp1252(ReadFileBytes((examples / file).string()))) {
      if (std::string name; PictureDirectiveName(line, name)) named.insert(name);
    }
    // Every page shown once, so every picture is read; a missing or
    // unreadable one would show its message.
    FreshProgramFolder();
    const auto lines =
        Run(Load((examples / file).string()) + Repeat("key Right", pages - 1) + "state\n", "en");
    ASSERT_EQ(lines.size(), 1u) << file << ": " << lines.front();
    EXPECT_EQ(Fields(LastState(lines), {"pages", "page"}),
              std::to_string(pages) + " " + std::to_string(pages));
    present.insert(file);
  }
  std::set<std::string> pictureFiles, texts;
  const std::set<std::string> pictureKinds = {".png", ".jpg", ".jpeg", ".gif", ".bmp", ".tif", ".tiff"};
  for (const auto& entry : fs::directory_iterator(examples)) {
    const std::string extension = entry.path().extension().string();
    if (pictureKinds.count(extension)) pictureFiles.insert(entry.path().filename().string());
    if (extension == ".txt") texts.insert(entry.path().filename().string());
  }
  EXPECT_EQ(named, pictureFiles) << "a picture without its file, or a file no sample shows";
  EXPECT_EQ(texts, present) << "every sample text is loaded above";
}

}  // namespace
