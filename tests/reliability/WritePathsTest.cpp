// Every file written to a full disk, a read-only folder, over a link: told, previous kept, program goes on.
#include "tests/DriverRunner.h"
#include "tests/MarkedDocuments.h"
#include "tests/reliability/DriverChild.h"
#include "viewer/document/KeptDocuments.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/mount.h>

#include <cstring>

namespace {

constexpr char kSize[] = "size=4m";

// A tmpfs of its own where it can be mounted, else a plain folder and the driver's write limit.
class SmallFileSystem {
 public:
  explicit SmallFileSystem(std::string path) : path_(std::move(path)) {
    std::filesystem::create_directories(path_);
    mounted_ = ::mount("tmpfs", path_.c_str(), "tmpfs", 0, kSize) == 0;
  }
  ~SmallFileSystem() { mounted_ ? static_cast<void>(::umount2(path_.c_str(), MNT_DETACH)) : SetWritable(true); }
  SmallFileSystem(const SmallFileSystem&) = delete;
  SmallFileSystem& operator=(const SmallFileSystem&) = delete;

  bool mounted() const { return mounted_; }

  // Takes every free block with a file of its own.
  void Fill() const {
    const int fd = ::open((path_ + "/filler").c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
    const std::string block(4096, 'b');
    while (fd >= 0 && ::write(fd, block.data(), block.size()) > 0) {}
    ::close(fd);
  }

  // A remount where it is mounted, else the folders' modes (which bind all but root).
  bool MakeReadOnly() const {
    if (mounted_) return ::mount(nullptr, path_.c_str(), nullptr, MS_REMOUNT | MS_RDONLY, kSize) == 0;
    if (::geteuid() == 0) return false;
    SetWritable(false);
    return true;
  }

 private:
  void SetWritable(bool writable) const {
    const auto how = writable ? std::filesystem::perm_options::add : std::filesystem::perm_options::remove;
    std::error_code ignored;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(path_, ignored)) {
      if (entry.is_directory(ignored)) {
        std::filesystem::permissions(entry.path(), std::filesystem::perms::owner_write, how, ignored);
      }
    }
    std::filesystem::permissions(path_, std::filesystem::perms::owner_write, how, ignored);
  }

  std::string path_;
  bool mounted_ = false;
};

const auto Mark = UnderlineLineScript;

// `before` writes the file, `write` again where it cannot, `after` prints a `goesOn` line: still works.
struct WritePath {
  const char* name;
  bool editor;
  std::string file;
  std::string before, write, after;
  const char* goesOn;
  bool namesThePath;  // the message ends with " (" + path + ")"

  bool kept() const { return file.ends_with('/'); }
};

enum class Place { Full, ReadOnly, Link };

class WritePaths : public ::testing::TestWithParam<Place>, public DriverFolder {
 protected:
  std::vector<WritePath> Paths() {
    const std::string shortText = folder.File("short.txt"), longText = folder.File("long.txt");
    WriteFileBytes(shortText, "one\r\ntwo\r\nthree\r\n");
    WriteFileBytes(longText, NumberedLines(70));
    const std::string load = "choose " + shortText + "\ncommand 1046\n";
    const std::string loadLong = "choose " + longText + "\ncommand 1046\n";
    const std::string kept = std::string(kKeptFolderName) + "/";  // its one file
    // Marked, kept while the long text is open, marked once more and left.
    const std::string markedAndKept =
        load + Mark(1) + loadLong + "choose " + shortText + "\nreply yes\ncommand 1046\n" + Mark(2) + "command 1047\n";
    const std::string exportToX = "command 1070\nclick 7007\nset 7008 x\nclick 7011\n";
    const std::string toPage1 = "answer 1\ncommand 1085\nstate\n";
    return {
        {"cache.04 written whole", false, "cache.04", load, loadLong, "answer 2\ncommand 1085\nstate\n",
         "state caption=\"P", false},
        {"cache.04 changed in place", false, "cache.04", load + Mark(1) + Mark(2), Mark(1) + Mark(2), "state\n",
         "state ", false},
        {"Configuracion.ini", false, "Configuracion.ini", "command 1077\nclick 3303\nclick 3357\n",
         "command 1077\nclick 3304\nclick 3357\n", "state\n", "state ", false},
        {"Mis Colores.log", false, "Mis Colores.log",
         load + "command 1079\ncolour 255 0 0\nppress 39 39\nclick 31002\nclick 31003\n",
         "command 1079\ncolour 0 0 255\nppress 39 39\nclick 31002\n", "close\nstate\n", "state ", false},
        {"cache.txt", true, "cache.txt", "set-text old text\ncommand 1003\n", "set-text new text\ncommand 1003\n",
         "set-text more\ntext\n", "text more", false},
        {"kept document", false, kept, markedAndKept, loadLong, "state\n", "state ", false},
        {"exported picture", false, "x/1.bmp", load + exportToX, exportToX, toPage1, "state ", true},
        {"exported PDF", false, "x/1.pdf", load + "command 1077\nclick 3358\nclick 3357\n" + exportToX, exportToX, toPage1,
         "state ", true},
    };
  }

  std::vector<std::string> Run(const WritePath& path, const std::string& script, long long failAfter) {
    std::vector<std::string> arguments = Arguments(path.editor);
    if (failAfter >= 0) arguments.insert(arguments.begin(), {"--fail-writes-after", std::to_string(failAfter)});
    return RunScript(script, arguments);
  }
};

// A link in place of the file is replaced, not followed: the file it points to is left alone.
TEST_P(WritePaths, TheUserIsToldAndThePreviousFileStays) {
  const Place place = GetParam();
  int count = 0;
  for (const WritePath& path : Paths()) {
    SCOPED_TRACE(path.name);
    program = folder.File("program" + std::to_string(++count));  // a fresh one for each path
    SmallFileSystem disk(ProgramPath());
    if (place == Place::ReadOnly && !disk.mounted() && ::geteuid() == 0) {
      GTEST_SKIP() << "root writes into any folder, and this machine lets no file system be mounted read-only";
    }
    const auto before = Run(path, path.before, -1);
    std::string file = ProgramPath(path.file);
    if (path.kept()) {
      for (const auto& entry : std::filesystem::directory_iterator(file)) file = entry.path().string();
    }
    const std::string previous = ReadFileBytes(file);
    ASSERT_FALSE(previous.empty()) << (before.empty() ? "no output" : before.back());

    long long failAfter = -1;
    const std::string linked = folder.File("elsewhere" + std::to_string(count));
    if (place == Place::Link) {
      WriteFileBytes(linked, previous);  // so the program reads through the link as its own file
      std::filesystem::remove(file);
      std::filesystem::create_symlink(linked, file);
    } else if (place == Place::ReadOnly) {
      ASSERT_TRUE(disk.MakeReadOnly());
    } else if (disk.mounted()) {
      disk.Fill();
    } else {
      failAfter = 0;  // the driver's stand-in for a full disk
    }
    const auto lines = Run(path, path.write + path.after, failAfter);

    const int error = place == Place::Full ? ENOSPC : disk.mounted() ? EROFS : EACCES;
    std::string expected = "message Programador | Err: " + std::to_string(error) + " " + std::strerror(error);
    if (path.namesThePath) expected += " (" + file + ")";
    // A new version is written beside the kept one, and New stops.
    if (path.kept()) {
      expected += " (" + ProgramPath(kKeptFolderName) +
                  ")\\nNo se ha abierto el texto, para que no se pierdan las marcas del documento mostrado.";
    }
    expected += " [warning]";
    std::vector<std::string> failures;  // those shown, and the script lines the driver could not carry out
    for (const auto& line : lines) {
      if (line.find(" | Err: ") != std::string::npos || line.rfind("error ", 0) == 0) failures.push_back(line);
    }
    EXPECT_EQ(failures, place == Place::Link ? std::vector<std::string>{} : std::vector{expected});
    EXPECT_EQ(ReadFileBytes(place == Place::Link ? linked : file), previous) << "the previous file is kept";
    if (place == Place::Link && !path.kept()) {
      EXPECT_TRUE(std::filesystem::is_regular_file(std::filesystem::symlink_status(file))) << "link replaced";
    }
    bool wentOn = false;
    for (const auto& line : lines) wentOn = wentOn || line.rfind(path.goesOn, 0) == 0;
    EXPECT_TRUE(wentOn) << "a later command works";
    for (const auto& entry : std::filesystem::recursive_directory_iterator(ProgramPath())) {
      EXPECT_EQ(entry.path().filename().string().find(".tmp-"), std::string::npos) << entry.path();
    }
  }
}

INSTANTIATE_TEST_SUITE_P(Reliability, WritePaths,
                         ::testing::Values(Place::Full, Place::ReadOnly, Place::Link),
                         ([](auto& p) { return std::array{"Full", "ReadOnly", "Link"}[int(p.param)]; }));

}  // namespace
