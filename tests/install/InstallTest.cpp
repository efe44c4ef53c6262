// What cmake --install puts into a prefix; installed programs keep their files in the user's data folder.
#include "tests/TempFolder.h"

#include <set>
#include <QImageReader>

#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <filesystem>

// The driver run is a copy placed among the installed programs, so it settles its program folder as they do.
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
    ::unsetenv("XDG_CONFIG_HOME");  // the documents folder is then ~/Documents
  }
  void TearDown() override { EXPECT_EQ(EntriesOf(Bin()), installed_) << "nothing beside the programs"; }

  static std::string Prefix() { return scratch_->File("prefix"); }
  static std::string Bin() { return Prefix() + "/bin"; }
  static std::string UserFolder(const std::string& name) { return scratch_->File("home/.local/share/marvessa/" + name); }

  static inline std::unique_ptr<TempFolder> scratch_;
  static inline std::set<std::string> installed_;
};

// Each program with its own language's texts only and a valid desktop entry that takes a text file; the icon at
// every size.
TEST_F(Installed, PutsEachProgramWithItsEntryItsLanguageAndTheIconInThePrefix) {
  const std::tuple<const char*, const char*, const char*> programs[] = {
      {"marvessa-es", "Vamos a leer tu cache, Espera ...", "Let's read your cache"},
      {"marvessa-en", "Let's read your cache, Wait ...", "Vamos a leer"},
      {"marvessa-editor-es", "Texto Grabado con formato ...", "Formatted saved"},
      {"marvessa-editor-en", "Formatted saved text ...", "Texto Grabado"},
  };
  for (const auto& [program, own, foreign] : programs) {
    const std::string file = Bin() + "/" + program, bytes = ReadFileBytes(file);
    EXPECT_NE(fs::status(file).permissions() & fs::perms::owner_exec, fs::perms::none) << program;
    EXPECT_NE(bytes.find(own), std::string::npos) << program << " lacks " << own;
    EXPECT_EQ(bytes.find(foreign), std::string::npos) << program << " holds " << foreign;
    const std::string entryPath = Prefix() + "/share/applications/" + program + ".desktop";
    const std::string entry = ReadFileBytes(entryPath);
    for (const std::string& line : {"[Desktop Entry]\n"s, "\nExec=" + std::string(program) + " %f\n",
                                    "\nIcon=marvessa\n"s, "\nMimeType=text/plain;\n"s}) {
      EXPECT_NE(entry.find(line), std::string::npos) << program << line;
    }
    EXPECT_EQ(entry.find("Name=Marvessa marvessa-en"), std::string::npos) << program;
    if (std::system("command -v desktop-file-validate > /dev/null") == 0) {
      EXPECT_EQ(std::system(("desktop-file-validate '" + entryPath + "'").c_str()), 0) << program;
    }
  }
  for (const int size : {16, 24, 32, 48, 64, 128, 256}) {
    const std::string path = Prefix() + "/share/icons/hicolor/%1x%1/apps/marvessa.png";
    const QImageReader icon(QString::fromStdString(path).arg(size));
    EXPECT_TRUE(icon.format() == "png" && icon.size() == QSize(size, size)) << size;
  }
}

// Exports go below the documents folder, where the reader finds them, and the messages say where.
TEST_F(Installed, TheProgramsKeepTheirFilesInTheUsersFolderAndExportWhereTheReaderLooks) {
  WriteFileBytes(scratch_->File("text.txt"), "line\r\n");
  const std::string exportOne = "\ncommand 1046\ncommand 1070\nset 7008 fotos\nclick 7011\ncommand 1047\n";
  const auto viewer = RunDriver("--lang en", "choose " + scratch_->File("text.txt") + exportOne);
  const std::set<std::string> viewerFiles = EntriesOf(UserFolder("viewer"));
  EXPECT_TRUE(viewerFiles.count("Configuracion.ini") && viewerFiles.count("cache.04")) << viewerFiles.size();
  const std::string exports = scratch_->File("home/Documents/Marvessa/fotos");
  const std::set<std::string> exported = EntriesOf(exports);
  EXPECT_TRUE(exported.size() == 1 && exported.begin()->rfind("1.", 0) == 0) << exported.size();
  EXPECT_EQ(viewer, std::vector<std::string>{"message Programmer | Exported image ...\\n" + exports});
  const auto editor = RunDriver("--editor --lang en", "set-text one\\ntwo\ncommand 1003\n");
  EXPECT_EQ(ReadFileBytes(UserFolder("editor") + "/cache.txt"), "one\r\ntwo\r\n");
  EXPECT_EQ(editor, std::vector<std::string>{"message Programmer | Formatted saved text ...\\n" + UserFolder("editor") +
                                             "/cache.txt"});
}

// The installed program, started as a file manager starts it with a text, settles in the user's folder and opens
// the text (its document reaches cache.04); the wait is only a bound.
TEST_F(Installed, TheInstalledViewerStartsInTheUsersFolderWithTheTextItIsGiven) {
  fs::remove_all(UserFolder("viewer"));
  WriteFileBytes(scratch_->File("given.txt"), "a text from the file manager\r\n");
  const std::string program = Bin() + "/marvessa-en", text = scratch_->File("given.txt");
  const pid_t child = ::fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    ::setenv("QT_QPA_PLATFORM", "offscreen", 1);
    ::execl(program.c_str(), program.c_str(), text.c_str(), static_cast<char*>(nullptr));
    ::_exit(127);
  }
  const std::string cache = UserFolder("viewer") + "/cache.04";
  bool opened = false, ended = false;
  int status = 0;
  for (int tries = 0; tries < 600 && !opened && !ended; ++tries) {
    ::usleep(100'000);
    opened = ReadFileBytes(cache).find("a text from the file manager") != std::string::npos;
    ended = ::waitpid(child, &status, WNOHANG) == child;
  }
  if (!ended) ::kill(child, SIGKILL), ::waitpid(child, &status, 0);
  EXPECT_TRUE(opened) << "the text did not reach " << cache;
  EXPECT_FALSE(ended) << "the viewer ended by itself, status " << status;
}

}  // namespace
