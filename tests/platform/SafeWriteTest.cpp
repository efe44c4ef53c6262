#include "platform/SafeWrite.h"

#include "tests/TempFolder.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

class SafeWrite : public ::testing::Test {
 protected:
  void TearDown() override { SetWriteFailureAfterBytes(-1); }
  TempFolder folder;
};

// Replaced whole: a link in its place is replaced, not followed; mode kept; a dropped writer leaves nothing.
TEST_F(SafeWrite, ReplacesTheTargetWhole) {
  const std::string victim = folder.File("victim");
  WriteFileBytes(victim, "must survive");
  const std::string path = folder.File("Configuracion.ini");
  std::filesystem::create_symlink(victim, path);
  EXPECT_FALSE(WriteFileSafely(path, "settings that are longer").failed());
  EXPECT_EQ(ReadFileBytes(victim), "must survive");
  EXPECT_FALSE(std::filesystem::is_symlink(path));
  ::chmod(path.c_str(), 0640);
  ASSERT_FALSE(WriteFileSafely(path, "new").failed());
  EXPECT_EQ(ReadFileBytes(path), "new");
  struct stat info {};
  ::stat(path.c_str(), &info);
  EXPECT_EQ(info.st_mode & 07777, 0640u);
  {
    SafeFileWriter writer(folder.File("never"));
    writer.Write("partial");
  }
  EXPECT_EQ(folder.EntryCount(), 2u) << "no temporary file left behind";
}

TEST_F(SafeWrite, ErrorsCarryTheirNumberAndTheSystemsWords) {
  struct Case { const char* name; FileError error; int number; const char* description; };
  const Case cases[] = {
      {"missing folder", WriteFileSafely(folder.File("no/x"), "data"), ENOENT, "No such file or directory"},
      {"no error number is still an error", FileError::FromErrno(0), EIO, "Input/output error"},
      {"an error number is kept", FileError::FromErrno(EPERM), EPERM, "Operation not permitted"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(c.error.number, c.number) << c.name;
    EXPECT_EQ(c.error.description, c.description) << c.name;
  }
}

// A trailing hole counts in the length; written via descriptor 0, as a program without standard input has.
TEST_F(SafeWrite, HolesReadBackAsZeros) {
  const int input = ::dup(0);
  ::close(0);
  SafeFileWriter writer(folder.File("holes"));
  writer.Write("ab");
  writer.Skip(100000);
  writer.Write("cd");
  writer.Skip(5);
  const FileError error = writer.Commit();
  ::dup2(input, 0);
  ::close(input);
  ASSERT_FALSE(error.failed());
  EXPECT_EQ(ReadFileBytes(folder.File("holes")), "ab" + std::string(100000, '\0') + "cd" + std::string(5, 0));
}

}  // namespace
