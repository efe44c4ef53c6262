// An installed copy of the programs: what cmake --install puts into a prefix, and that an installed program
// keeps its files in the user's data folder, never beside its executable.
#include "tests/TempFolder.h"

#include <QImageReader>

#include <gtest/gtest.h>
#include <sys/wait.h>

#include <array>
#include <chrono>
#include <csignal>
#include <filesystem>
#include <memory>
#include <set>
#include <thread>

// The driver run by these tests is the copy placed among the installed programs, so that it settles its
// program folder as they do.
static std::string gInstalledDriver;
#define MARVESSA_DRIVE gInstalledDriver
#include "tests/DriverRunner.h"

namespace {

namespace fs = std::filesystem;
using namespace std::string_literals;

std::set<std::string> EntriesOf(const std::string& folder) {
  std::set<std::string> names;
  std::error_code ignored;
  for (const auto& entry : fs::directory_iterator(folder, ignored)) names.insert(entry.path().filename().string());
  return names;
}

// One installation for all the tests, run with a scratch home.
class Installed : public testing::Test {
 protected:
  static void SetUpTestSuite() {
    scratch_ = std::make_unique<TempFolder>();
    const std::string command = std::string(MARVESSA_CMAKE) + " --install '" + MARVESSA_BUILD_DIR + "' --prefix '" +
                                Prefix() + "' > /dev/null";
    ASSERT_EQ(std::system(command.c_str()), 0) << command;
    gInstalledDriver = Bin() + "/marvessa-drive";
    fs::copy_file(MARVESSA_BUILT_DRIVE, gInstalledDriver, fs::copy_options::overwrite_existing);
    installed_ = EntriesOf(Bin());
  }
  static void TearDownTestSuite() { scratch_.reset(); }
  void SetUp() override {
    ::setenv("HOME", scratch_->File("home").c_str(), 1);  // this program only runs installed copies
    ::unsetenv("XDG_DATA_HOME");
  }
  void TearDown() override {
    EXPECT_EQ(EntriesOf(Bin()), installed_) << "nothing is written beside the programs";
  }

  static std::string Prefix() { return scratch_->File("prefix"); }
  static std::string Bin() { return Prefix() + "/bin"; }
  static std::string UserFolder(const std::string& name) { return scratch_->File("home/.local/share/marvessa/" + name); }

  static inline std::unique_ptr<TempFolder> scratch_;
  static inline std::set<std::string> installed_;
};

// Each program with its desktop entry, the icon at every size, and each program file with the texts and
// version record of its own language only.
TEST_F(Installed, PutsEachProgramWithItsEntryItsLanguageAndTheIconInThePrefix) {
  struct Program {
    const char* name;
    std::array<const char*, 2> own, foreign;  // version record and a text
  } const programs[] = {
      {"marvessa-es", {"VerNum 4.703", "Vamos a leer tu cache, Espera ..."}, {"VerNum 4.704", "Let's read your cache"}},
      {"marvessa-en", {"Product Version 4.7", "Let's read your cache, Wait ..."}, {"Version Producto", "Vamos a leer"}},
      {"marvessa-editor-es", {"VerNum 1.731", "Texto Grabado con formato ..."}, {"VerNum 1.732", "Formatted saved"}},
      {"marvessa-editor-en", {"VerNum 1.732", "Formatted saved text ..."}, {"VerNum 1.731", "Texto Grabado"}},
  };
  for (const auto& [program, own, foreign] : programs) {
    const std::string file = Bin() + "/" + program, bytes = ReadFileBytes(file);
    EXPECT_NE(fs::status(file).permissions() & fs::perms::owner_exec, fs::perms::none) << program;
    for (const char* text : own) EXPECT_NE(bytes.find(text), std::string::npos) << program << " lacks " << text;
    for (const char* text : foreign) EXPECT_EQ(bytes.find(text), std::string::npos) << program << " holds " << text;
    const std::string entry = ReadFileBytes(Prefix() + "/share/applications/" + program + ".desktop");
    for (const std::string& line : {"[Desktop Entry]\n"s, "\nExec=" + std::string(program) + "\n", "\nIcon=marvessa\n"s}) {
      EXPECT_NE(entry.find(line), std::string::npos) << program << line;
    }
  }
  for (const int size : {16, 24, 32, 48, 64, 128, 256}) {
    const std::string side = std::to_string(size);
    const QImageReader icon(QString::fromStdString(Prefix() + "/share/icons/hicolor/" + side + "x" + side +
                                                   "/apps/marvessa.png"));
    EXPECT_EQ(icon.format().toStdString(), "png") << size;
    EXPECT_EQ(icon.size(), QSize(size, size));
  }
}

TEST_F(Installed, TheViewerAndTheEditorKeepTheirFilesInTheUsersFolder) {
  std::string text;
  for (int line = 1; line <= 100; ++line) text += "line\r\n";
  WriteFileBytes(scratch_->File("text.txt"), text);
  RunDriver("--lang en", "choose " + scratch_->File("text.txt") + "\ncommand 1046\ncommand 1047\n");
  const auto again = RunDriver("--lang es", "state\ncommand 1047\n");
  ASSERT_EQ(again.size(), 2u);
  EXPECT_EQ(again[0], "message Programador | Vamos a leer tu cache, Espera ...");
  EXPECT_EQ(ParseStateLine(again[1])["pages"], "2");
  EXPECT_TRUE(fs::is_regular_file(UserFolder("viewer") + "/Configuracion.ini"));
  const auto lines = RunDriver("--editor --lang en", "set-text one\\ntwo\ncommand 1003\n");
  EXPECT_EQ(lines, std::vector<std::string>{"message Programmer | Formatted saved text ..."});
  EXPECT_EQ(ReadFileBytes(UserFolder("editor") + "/cache.txt"), "one\r\ntwo\r\n");
}

// The installed program itself, started as a user starts it, settles in the user's folder. It runs until it
// is ended; the wait for its folder is only a bound against a program that never gets there.
TEST_F(Installed, TheInstalledViewerStartsInTheUsersFolder) {
  fs::remove_all(UserFolder("viewer"));
  const std::string program = Bin() + "/marvessa-en";
  const pid_t child = ::fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    ::setenv("QT_QPA_PLATFORM", "offscreen", 1);
    ::execl(program.c_str(), program.c_str(), static_cast<char*>(nullptr));
    ::_exit(127);
  }
  bool settled = false, ended = false;
  int status = 0;
  for (int tries = 0; tries < 600 && !settled && !ended; ++tries) {
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
    settled = fs::is_directory(UserFolder("viewer")), ended = ::waitpid(child, &status, WNOHANG) == child;
  }
  if (!ended) ::kill(child, SIGKILL), ::waitpid(child, &status, 0);
  EXPECT_TRUE(settled) << "the user's folder was not made";
  EXPECT_FALSE(ended) << "the viewer ended by itself, status " << status;
}

}  // namespace
