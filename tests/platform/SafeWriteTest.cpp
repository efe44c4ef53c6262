#include "platform/SafeWrite.h"

#include "tests/TempFolder.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <sys/stat.h>

namespace {

class SafeWrite : public ::testing::Test {
 protected:
  void TearDown() override { SetWriteFailureAfterBytes(-1); }
  TempFolder folder;
};

TEST_F(SafeWrite, ReplacesTheTargetWhole) {
  const std::string path = folder.File("cache.04");
  WriteFileBytes(path, "old contents that are longer");
  EXPECT_FALSE(WriteFileSafely(path, "new").failed());
  EXPECT_EQ(ReadFileBytes(path), "new");
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.path()), {}), 1)
      << "no temporary file left behind";
}

TEST_F(SafeWrite, FailedWriteKeepsTheOldFileAndReportsTheError) {
  const std::string path = folder.File("cache.04");
  WriteFileBytes(path, "previous state");
  for (const long long failAfter : {0LL, 1LL, 4096LL, 70000LL}) {
    SetWriteFailureAfterBytes(failAfter);
    const FileError error = WriteFileSafely(path, std::string(100000, 'n'));
    EXPECT_EQ(error.number, ENOSPC) << failAfter;
    EXPECT_EQ(error.description, "No space left on device");
    EXPECT_EQ(ReadFileBytes(path), "previous state") << failAfter;
  }
  SetWriteFailureAfterBytes(-1);
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.path()), {}), 1);
}

TEST_F(SafeWrite, ReadOnlyFolderIsReported) {
  if (::geteuid() == 0) GTEST_SKIP() << "root writes into read-only folders";
  ::chmod(folder.path().c_str(), 0555);
  EXPECT_EQ(WriteFileSafely(folder.File("x"), "data").number, EACCES);
}

TEST_F(SafeWrite, MissingFolderIsReported) {
  const FileError error = WriteFileSafely(folder.File("no/such/x"), "data");
  EXPECT_EQ(error.number, ENOENT);
  EXPECT_EQ(error.description, "No such file or directory");
}

TEST_F(SafeWrite, HolesReadBackAsZeros) {
  const std::string path = folder.File("holes");
  SafeFileWriter writer(path);
  writer.Write("ab");
  writer.Skip(100000);
  writer.Write("cd");
  writer.Skip(5);  // a trailing hole still counts in the length
  ASSERT_FALSE(writer.Commit().failed());
  const std::string expected = "ab" + std::string(100000, '\0') + "cd" + std::string(5, '\0');
  EXPECT_EQ(ReadFileBytes(path), expected);
}

TEST_F(SafeWrite, ReplacesALinkInsteadOfFollowingIt) {
  const std::string victim = folder.File("victim");
  WriteFileBytes(victim, "must survive");
  const std::string path = folder.File("Configuracion.ini");
  std::filesystem::create_symlink(victim, path);
  EXPECT_FALSE(WriteFileSafely(path, "settings").failed());
  EXPECT_EQ(ReadFileBytes(victim), "must survive");
  EXPECT_FALSE(std::filesystem::is_symlink(path));
  EXPECT_EQ(ReadFileBytes(path), "settings");
}

TEST_F(SafeWrite, AbandonedWriterLeavesNothing) {
  {
    SafeFileWriter writer(folder.File("never"));
    writer.Write("partial");
  }
  EXPECT_TRUE(std::filesystem::is_empty(folder.path()));
}

}  // namespace

namespace {

TEST_F(SafeWrite, KeepsTheOldFilesModeAndRefusesAReadOnlyFile) {
  const std::string path = folder.File("Configuracion.ini");
  WriteFileBytes(path, "old");
  ::chmod(path.c_str(), 0640);
  ASSERT_FALSE(WriteFileSafely(path, "new").failed());
  struct stat info {};
  ::stat(path.c_str(), &info);
  EXPECT_EQ(info.st_mode & 07777, 0640u);

  ::chmod(path.c_str(), 0444);
  EXPECT_EQ(WriteFileSafely(path, "newer").number, EACCES);
  EXPECT_EQ(ReadFileBytes(path), "new");
}

}  // namespace
