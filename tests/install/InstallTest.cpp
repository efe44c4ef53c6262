// An installed copy of the programs: what cmake --install puts into a
// prefix, and that an installed program keeps its files in the user's data
// folder, never beside its executable.
#include "tests/TempFolder.h"

#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <filesystem>
#include <set>
#include <thread>
#include <sys/wait.h>

// The driver run by these tests is the copy placed among the installed programs.
static std::string gInstalledDriver;
#define MARVESSA_DRIVE gInstalledDriver
#include "tests/DriverRunner.h"

namespace {

namespace fs = std::filesystem;

const char* const kPrograms[] = {"marvessa-es", "marvessa-en", "marvessa-editor-es", "marvessa-editor-en"};

std::string Quoted(const std::string& text) { return "'" + text + "'"; }

// The width and height a PNG file's header gives; 0 x 0 when it is none.
std::pair<int, int> PngSize(const std::string& bytes) {
  if (bytes.size() < 24 || bytes.compare(1, 3, "PNG") != 0) return {0, 0};
  const auto at = [&](std::size_t i) {
    int value = 0;
    for (std::size_t k = i; k < i + 4; ++k) value = value << 8 | static_cast<unsigned char>(bytes[k]);
    return value;
  };
  return {at(16), at(20)};
}

std::set<std::string> EntriesOf(const std::string& folder) {
  std::set<std::string> names;
  std::error_code ignored;
  for (const auto& entry : fs::directory_iterator(folder, ignored)) names.insert(entry.path().filename().string());
  return names;
}

class Installed : public testing::Test {
 protected:
  void SetUp() override {
    const std::string command = std::string(MARVESSA_CMAKE) + " --install " + Quoted(MARVESSA_BUILD_DIR) +
                                " --prefix " + Quoted(Prefix()) + " > /dev/null";
    ASSERT_EQ(std::system(command.c_str()), 0) << command;
    // The user's folders are those of a scratch home.
    saved_home_ = std::getenv("HOME") ? std::getenv("HOME") : "";
    ::setenv("HOME", scratch_.File("home").c_str(), 1);
    ::unsetenv("XDG_DATA_HOME");
  }
  void TearDown() override { ::setenv("HOME", saved_home_.c_str(), 1); }

  std::string Prefix() const { return scratch_.File("prefix"); }
  std::string Bin() const { return Prefix() + "/bin"; }
  std::string UserFolder(const std::string& program) const {
    return scratch_.File("home") + "/.local/share/marvessa/" + program;
  }

  // The driver copied among the programs, so that its own folder is an
  // installed one and it settles its program folder as they do.
  void PlaceDriver() {
    gInstalledDriver = Bin() + "/marvessa-drive";
    fs::copy_file(MARVESSA_BUILT_DRIVE, gInstalledDriver, fs::copy_options::overwrite_existing);
  }

  TempFolder scratch_;
  std::string saved_home_;
};

TEST_F(Installed, PutsTheProgramsTheirEntriesAndTheIconInThePrefix) {
  for (const std::string program : kPrograms) {
    const fs::path file = Bin() + "/" + program;
    ASSERT_TRUE(fs::is_regular_file(file)) << program;
    EXPECT_NE(fs::status(file).permissions() & fs::perms::owner_exec, fs::perms::none) << program;
    const std::string entry = ReadFileBytes(Prefix() + "/share/applications/" + program + ".desktop");
    EXPECT_NE(entry.find("[Desktop Entry]"), std::string::npos) << program;
    EXPECT_NE(entry.find("\nExec=" + program + "\n"), std::string::npos) << program;
    EXPECT_NE(entry.find("\nIcon=marvessa\n"), std::string::npos) << program;
  }
  for (const int size : {16, 24, 32, 48, 64, 128, 256}) {
    const std::string icon = Prefix() + "/share/icons/hicolor/" + std::to_string(size) + "x" + std::to_string(size) +
                             "/apps/marvessa.png";
    EXPECT_EQ(PngSize(ReadFileBytes(icon)), std::make_pair(size, size)) << icon;
  }
  EXPECT_TRUE(fs::exists(Prefix() + "/share/marvessa/installed"));
}

// Each program file carries the texts and version record of its own
// language only.
TEST_F(Installed, EachProgramCarriesOnlyItsOwnLanguage) {
  struct Case {
    const char* program;
    const char* own;
    const char* foreign;
  };
  const Case cases[] = {
      {"marvessa-es", "VerNum 4.703", "VerNum 4.704"},
      {"marvessa-es", "Vamos a leer tu cache, Espera ...", "Let's read your cache, Wait ..."},
      {"marvessa-en", "Product Version 4.7", "Version Producto 4.7"},
      {"marvessa-en", "Let's read your cache, Wait ...", "Vamos a leer tu cache, Espera ..."},
      {"marvessa-editor-es", "VerNum 1.731", "VerNum 1.732"},
      {"marvessa-editor-es", "Texto Grabado con formato ...", "Formatted saved text ..."},
      {"marvessa-editor-en", "VerNum 1.732", "VerNum 1.731"},
      {"marvessa-editor-en", "Formatted saved text ...", "Texto Grabado con formato ..."},
  };
  for (const Case& c : cases) {
    const std::string bytes = ReadFileBytes(Bin() + "/" + c.program);
    EXPECT_NE(bytes.find(c.own), std::string::npos) << c.program << " lacks " << c.own;
    EXPECT_EQ(bytes.find(c.foreign), std::string::npos) << c.program << " holds " << c.foreign;
  }
}

TEST_F(Installed, AViewerKeepsItsDocumentInTheUsersFolder) {
  PlaceDriver();
  const std::set<std::string> installed = EntriesOf(Bin());
  std::string text;
  for (int line = 1; line <= 100; ++line) text += "line " + std::to_string(line) + "\r\n";
  WriteFileBytes(scratch_.File("text.txt"), text);

  const std::string load = "choose " + scratch_.File("text.txt") + "\ncommand 1046\nstate\ncommand 1047\n";
  const auto first = RunDriver("--lang en", load);
  const auto again = RunDriver("--lang es", "state\ncommand 1047\n");
  ASSERT_FALSE(first.empty());
  ASSERT_EQ(again.size(), 2u);
  EXPECT_EQ(again[0], "message Programador | Vamos a leer tu cache, Espera ...");
  auto state = ParseStateLine(again[1]);
  EXPECT_EQ(state["loaded"], "1");
  EXPECT_EQ(state["pages"], "2");
  for (const char* file : {"cache.04", "Configuracion.ini"}) {
    EXPECT_TRUE(fs::is_regular_file(UserFolder("viewer") + "/" + file)) << file;
  }
  EXPECT_EQ(EntriesOf(Bin()), installed) << "nothing is written beside the programs";
}

TEST_F(Installed, AnEditorWritesItsTextInTheUsersFolder) {
  PlaceDriver();
  const std::set<std::string> installed = EntriesOf(Bin());
  const auto lines = RunDriver("--editor --lang en", "set-text one\\ntwo\ncommand 1003\n");
  EXPECT_EQ(lines, std::vector<std::string>{"message Programmer | Formatted saved text ..."});
  EXPECT_EQ(ReadFileBytes(UserFolder("editor") + "/cache.txt"), "one\r\ntwo\r\n");
  EXPECT_EQ(EntriesOf(Bin()), installed);
}

// The installed program itself, started as a user starts it: it settles in
// the user's folder. It runs until it is ended; the wait for its folder is
// only a bound against a program that never gets there.
TEST_F(Installed, TheInstalledViewerStartsInTheUsersFolder) {
  const std::set<std::string> installed = EntriesOf(Bin());
  const std::string program = Bin() + "/marvessa-en";
  const pid_t child = ::fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    ::setenv("QT_QPA_PLATFORM", "offscreen", 1);
    ::execl(program.c_str(), program.c_str(), static_cast<char*>(nullptr));
    ::_exit(127);
  }
  bool settled = false;
  int status = 0;
  bool ended = false;
  for (int tries = 0; tries < 600 && !settled && !ended; ++tries) {
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
    settled = fs::is_directory(UserFolder("viewer"));
    ended = ::waitpid(child, &status, WNOHANG) == child;
  }
  if (!ended) {
    ::kill(child, SIGKILL);
    ::waitpid(child, &status, 0);
  }
  EXPECT_TRUE(settled) << "the user's folder was not made";
  EXPECT_FALSE(ended) << "the viewer ended by itself, status " << status;
  EXPECT_EQ(EntriesOf(Bin()), installed);
}

}  // namespace
