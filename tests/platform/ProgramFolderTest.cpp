#include "platform/ProgramFolder.h"
#include "platform/FileIo.h"

#include "tests/TempFolder.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

TEST(FileIo, ReadsOnlyRegularFiles) {
  TempFolder folder;
  std::string bytes = "stale";
  EXPECT_EQ(ReadWholeFile(folder.path(), bytes).number, EISDIR);
  EXPECT_TRUE(bytes.empty());
  EXPECT_EQ(ReadWholeFile(folder.File("none"), bytes).number, ENOENT);
  WriteFileBytes(folder.File("f"), std::string("a\0b", 3));
  EXPECT_FALSE(ReadWholeFile(folder.File("f"), bytes).failed());
  EXPECT_EQ(bytes, std::string("a\0b", 3));
  EXPECT_FALSE(ReadWholeFile(folder.File("f"), bytes, 3).failed()) << "a file of exactly the limit is read";
  EXPECT_EQ(ReadWholeFile(folder.File("f"), bytes, 2).number, EFBIG);
  EXPECT_TRUE(bytes.empty());
  EXPECT_TRUE(FileExists(folder.File("f")) && !FileExists(folder.path()));
}

// The executable's folder when writable and not an installed layout; else the user folder, made on first use.
TEST(ProgramFolder, FilesLiveBesideTheProgramOrInTheUserFolder) {
  TempFolder prefix;
  std::filesystem::create_directories(prefix.File("bin"));
  std::filesystem::create_directories(prefix.File("share/marvessa"));
  const std::string user = prefix.File("home/.local/share/marvessa/viewer");
  EXPECT_FALSE(IsInstalledLayout(prefix.File("bin")));
  EXPECT_EQ(ResolveProgramFolder(prefix.File("bin"), user), prefix.File("bin/"));
  EXPECT_FALSE(FolderExists(user)) << "the user folder is made only when needed";
  EXPECT_EQ(ResolveProgramFolder(prefix.File("missing-install"), user), user + "/");
  EXPECT_TRUE(FolderExists(user));
  WriteFileBytes(prefix.File("share/marvessa/installed"), "");
  EXPECT_TRUE(IsInstalledLayout(prefix.File("bin") + "/"));
  EXPECT_EQ(ResolveProgramFolder(prefix.File("bin"), user), user + "/");
  if (::geteuid() != 0) {
    TempFolder readOnly;
    ::chmod(readOnly.path().c_str(), 0555);
    EXPECT_EQ(ResolveProgramFolder(readOnly.path(), user), user + "/");
  }
  SetProgramFolder("/opt/x");  // every file path is built from the one folder
  EXPECT_EQ(ProgramFile("cache.04"), "/opt/x/cache.04");
}

}  // namespace
