#include "platform/SafeWrite.h"
#include "tests/TempFolder.h"
#include "viewer/output/PictureFileQueue.h"
#include "viewer/output/PictureFiles.h"

#include <QPainter>

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <cerrno>
#include <filesystem>
#include <functional>

namespace {

// A small picture telling its number by its width and colours.
QImage NumberedPicture(int number) {
  QImage picture(40 + number, 30, QImage::Format_RGB32);
  picture.fill(Qt::white);
  QPainter painter(&picture);
  painter.fillRect(2, 2, number + 1, 10, QColor(10 * number, 0, 200));
  painter.drawText(4, 26, QString::number(number));
  return picture;
}

std::string EncodedPicture(int number) {
  std::string bytes, why;
  EncodePicture(NumberedPicture(number), ".png", bytes, why);
  return bytes;
}

class Queue : public ::testing::Test {
 protected:
  void TearDown() override { SetWriteFailureAfterBytes(-1); }

  std::string Path(int number) const { return folder.File(std::to_string(number) + ".png"); }

  // Hands pictures 1..count over (picture `nullAt` as a null picture) and
  // returns the failure.
  std::optional<PictureFileQueue::Failure> WriteAll(int count, int nullAt = 0, int workers = 0,
                                                    std::size_t pending = 0) {
    PictureFileQueue queue(workers, pending);
    for (int n = 1; n <= count; ++n) {
      if (!queue.Add(n == nullAt ? QImage() : NumberedPicture(n), Path(n))) break;
    }
    return queue.Finish();
  }

  bool HoldsPicture(int number) const {
    const QImage read(QString::fromStdString(Path(number)));
    return read.convertToFormat(QImage::Format_RGB32) == NumberedPicture(number);
  }

  TempFolder folder;
};

TEST_F(Queue, EveryPictureIsWrittenWhateverTheThreadsAndTheRoomInTheQueue) {
  struct Case {
    int workers;
    std::size_t pending;
  };
  for (const Case c : {Case{0, 0}, Case{1, 1}, Case{3, 1}, Case{4, 2}, Case{6, 30}}) {
    std::filesystem::remove_all(folder.path());
    std::filesystem::create_directories(folder.path());
    EXPECT_FALSE(WriteAll(25, 0, c.workers, c.pending)) << c.workers;
    for (int n = 1; n <= 25; ++n) EXPECT_TRUE(HoldsPicture(n)) << c.workers << " workers, picture " << n;
    EXPECT_EQ(folder.EntryCount(), 25u) << "no temporary file left";
  }
}

// Page 3 cannot be written: pages 1 and 2 are, 4 and 5 keep their old
// files, and nothing else is left in the folder, as when written one by one.
TEST_F(Queue, TheFirstFailureEndsTheRunWithEverythingBeforeItWritten) {
  struct Case {
    const char* what;
    std::function<void(const std::string& third)> block;
    int nullAt;
    int error;
  };
  const auto fullDiskInThird = [](const std::string&) {
    SetWriteFailureAfterBytes(static_cast<long long>(EncodedPicture(1).size() + EncodedPicture(2).size() + 10));
  };
  const Case cases[] = {
      {"a folder in its place", [](const std::string& third) { std::filesystem::create_directory(third); }, 0, EISDIR},
      {"a read-only old file",
       [](const std::string& third) {
         WriteFileBytes(third, "old");
         ::chmod(third.c_str(), 0444);
       },
       0, EACCES},
      {"the disk full", fullDiskInThird, 0, ENOSPC},
      {"a picture that cannot be encoded", [](const std::string&) {}, 3, EIO},
  };
  for (const Case& c : cases) {
    std::filesystem::remove_all(folder.path());
    std::filesystem::create_directories(folder.path());
    WriteFileBytes(Path(4), "old four");
    WriteFileBytes(Path(5), "old five");
    c.block(Path(3));
    const std::optional<PictureFileQueue::Failure> failure = WriteAll(5, c.nullAt);
    SetWriteFailureAfterBytes(-1);
    ASSERT_TRUE(failure) << c.what;
    EXPECT_EQ(failure->index, 2u) << c.what;
    EXPECT_EQ(failure->path, Path(3)) << c.what;
    EXPECT_EQ(failure->error.number, c.error) << c.what;
    EXPECT_TRUE(HoldsPicture(1) && HoldsPicture(2)) << c.what;
    EXPECT_EQ(ReadFileBytes(Path(4)), "old four") << c.what;
    EXPECT_EQ(ReadFileBytes(Path(5)), "old five") << c.what;
    const std::size_t third = std::filesystem::exists(Path(3)) ? 1 : 0;
    EXPECT_EQ(folder.EntryCount(), 4u + third) << c.what << ": no temporary file left";
    ::chmod(Path(3).c_str(), 0644);
  }
}

}  // namespace
