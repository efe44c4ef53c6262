#include "platform/SafeWrite.h"

#include "tests/TempFolder.h"

#include <atomic>
#include <filesystem>
#include <thread>
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

// What killed writers left in the folder goes at the next write into it, whatever file it was for; a live
// writer's file and files merely alike stay.
TEST_F(SafeWrite, TheNextWriteRemovesWhatKilledWritersLeft) {
  const std::string left[] = {"3.pdf.tmp-Ab12Cd", "cache.04.tmp-x1y2z3"};
  const std::string kept[] = {"3.pdf.tmp-short", "notes.tmp-", "3.pdf"};
  for (const std::string& name : left) WriteFileBytes(folder.File(name), "half");
  for (const std::string& name : kept) WriteFileBytes(folder.File(name), "mine");
  SafeFileWriter live(folder.File("4.pdf"));
  ASSERT_TRUE(live.Write("being written"));
  ASSERT_FALSE(WriteFileSafely(folder.File("5.pdf"), "new").failed());
  for (const std::string& name : left) EXPECT_FALSE(std::filesystem::exists(folder.File(name))) << name;
  for (const std::string& name : kept) EXPECT_TRUE(std::filesystem::exists(folder.File(name))) << name;
  EXPECT_FALSE(live.Commit().failed()) << "a live writer's file stays";
}

// Writers side by side in one folder (as the export's) never take each other's file for a dead writer's.
TEST_F(SafeWrite, WritersSideBySideInOneFolderAllSucceed) {
  std::vector<std::thread> writers;
  std::atomic<int> failures = 0;
  for (int w = 0; w < 4; ++w) {
    writers.emplace_back([&, w] {
      for (int k = 0; k < 200; ++k) {
        failures += WriteFileSafely(folder.File(std::to_string(w * 1000 + k) + ".png"), "page").failed();
      }
    });
  }
  for (std::thread& writer : writers) writer.join();
  EXPECT_EQ(failures, 0);
  EXPECT_EQ(folder.EntryCount(), 800u);
}

// An error keeps its number and the system's words; no number at all is still an error.
TEST_F(SafeWrite, ErrorsCarryTheirNumberAndTheSystemsWords) {
  const auto [missing, none, kept] = std::tuple(WriteFileSafely(folder.File("no/x"), "data"), FileError::FromErrno(0),
                                                FileError::FromErrno(EPERM));
  EXPECT_EQ(std::tuple(missing.number, missing.description), std::tuple(ENOENT, "No such file or directory"));
  EXPECT_EQ(std::tuple(none.number, none.description), std::tuple(EIO, "Input/output error"));
  EXPECT_EQ(std::tuple(kept.number, kept.description), std::tuple(EPERM, "Operation not permitted"));
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
