// The sample texts of examples/: they load whole, and their pictures and
// the picture files there match one to one.
#include "tests/viewer/ViewerTestSupport.h"

#include "platform/CodePage.h"
#include "viewer/document/TextLoader.h"

#include <algorithm>
#include <filesystem>
#include <iterator>
#include <set>

namespace {

namespace fs = std::filesystem;

// From the test data folder (tests/viewer/data), an absolute path whatever
// form the compiler gives __FILE__ and wherever the test runs.
const fs::path kExamples = fs::path(MARVESSA_TEST_DATA).parent_path().parent_path().parent_path() / "examples";

struct Sample {
  const char* file;
  int pages;
};

const Sample kSamples[] = {{"water-cycle.txt", 4}, {"ciclo-del-agua.txt", 2}};

std::set<std::string> PicturesNamedIn(const fs::path& text) {
  std::set<std::string> names;
  for (const std::string& line : ReadTextLinesCp1252(ReadFileBytes(text.string()))) {
    std::string name;
    if (PictureDirectiveName(line, name)) names.insert(name);
  }
  return names;
}

bool IsPictureFile(const fs::path& file) {
  static const std::set<std::string> kExtensions = {".png", ".jpg", ".jpeg", ".gif", ".bmp", ".tif", ".tiff"};
  return kExtensions.count(file.extension().string()) > 0;
}

class Example : public ViewerProgram {};

}  // namespace

// Every page is shown once, so every picture is read; a missing or
// unreadable one would print its message box.
TEST_F(Example, SamplesLoadWithEveryPicture) {
  for (const Sample& sample : kSamples) {
    std::string script = "choose " + (kExamples / sample.file).string() + "\ncommand 1046\n";
    for (int page = 2; page <= sample.pages; ++page) script += "key Right\n";
    fs::remove_all(ProgramFolderPath());  // each sample starts without a cache
    const auto lines = Run(script + "state\n", "en");
    std::vector<std::string> shown;
    std::copy_if(lines.begin(), lines.end(), std::back_inserter(shown),
                 [](const std::string& line) { return line.rfind("state ", 0) != 0; });
    EXPECT_EQ(shown, std::vector<std::string>{}) << sample.file;
    auto state = LastState(lines);
    EXPECT_EQ(state["pages"], std::to_string(sample.pages)) << sample.file;
    EXPECT_EQ(state["page"], std::to_string(sample.pages)) << sample.file;
  }
}

TEST_F(Example, PictureFilesAndDirectivesMatch) {
  std::set<std::string> named, listed, texts;
  for (const Sample& sample : kSamples) {
    listed.insert(sample.file);
    const std::set<std::string> names = PicturesNamedIn(kExamples / sample.file);
    EXPECT_FALSE(names.empty()) << sample.file;
    named.insert(names.begin(), names.end());
  }
  std::set<std::string> present;
  for (const auto& entry : fs::directory_iterator(kExamples)) {
    const std::string name = entry.path().filename().string();
    if (IsPictureFile(entry.path())) present.insert(name);
    if (entry.path().extension() == ".txt") texts.insert(name);
  }
  EXPECT_EQ(named, present) << "a picture without its file, or a file no sample shows";
  EXPECT_EQ(listed, texts) << "every sample text is loaded above";
}
