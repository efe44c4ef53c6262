// The sample texts load whole, and their picture directives and the picture files match one to one.
#include "tests/viewer/ViewerTestSupport.h"

#include "platform/CodePage.h"
#include "viewer/document/TextLoader.h"

#include <map>
#include <set>

namespace {

using Example = ViewerProgram;

TEST_F(Example, SamplesLoadWithEveryPictureAndNoOtherFile) {
  const std::map<std::string, int> pages = {{"water-cycle.txt", 4}, {"ciclo-del-agua.txt", 2}};
  const std::set<std::string> pictureKinds = {".png", ".jpg", ".jpeg", ".gif", ".bmp", ".tif", ".tiff"};
  std::set<std::string> named, pictureFiles;
  for (const auto& entry : std::filesystem::directory_iterator(MARVESSA_EXAMPLES)) {
    const std::string file = entry.path().filename().string(), extension = entry.path().extension().string();
    if (pictureKinds.count(extension)) pictureFiles.insert(file);
    if (extension != ".txt") continue;
    ASSERT_TRUE(pages.count(file)) << file << " is a sample not loaded here";
    for (const std::string& line : ReadTextLinesCp1252(ReadFileBytes(entry.path().string()))) {
      if (std::string name; PictureDirectiveName(line, name)) named.insert(name);
    }
    // Every page shown once: a missing or unreadable picture would show its message.
    FreshProgramFolder();
    const std::string count = std::to_string(pages.at(file));
    const std::string keys = Times("key Right\n", pages.at(file) - 1);
    const auto lines = Run(Load(entry.path().string()) + keys + "state\n", "en");
    ASSERT_EQ(lines.size(), 1u) << file << ": " << lines.front();
    EXPECT_EQ(Fields(LastState(lines), {"pages", "page"}), count + " " + count);
  }
  EXPECT_EQ(named, pictureFiles) << "a picture without its file, or a file no sample shows";
}

}  // namespace
