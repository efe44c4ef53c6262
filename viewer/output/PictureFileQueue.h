#pragma once

#include "platform/FileError.h"
#include "platform/SafeWrite.h"

#include <QImage>

#include <condition_variable>
#include <cstddef>
#include <deque>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <vector>

// Picture files written by worker threads with the result of writing them
// one after the other: the pictures are encoded and flushed to disk side by
// side, but the files are opened, written and renamed into place in the
// order they were handed over, and the first one that fails ends the run:
// no file after it is written (its temporary file is discarded).
class PictureFileQueue {
 public:
  struct Failure {
    std::size_t index = 0;  // the failed file, counting from 0 in order of Add
    std::string path;
    FileError error;
  };

  // `workers` threads, at most `pending` pictures held at once (an encoded
  // or written file counts until it is done). 0 workers: as many as the
  // machine has cores, and two more to cover the waits on the disk.
  explicit PictureFileQueue(int workers = 0, std::size_t pending = 0);
  ~PictureFileQueue();  // waits for what was handed over
  PictureFileQueue(const PictureFileQueue&) = delete;
  PictureFileQueue& operator=(const PictureFileQueue&) = delete;

  // Hands over a picture to be encoded by `path`'s extension and written
  // there; waits while the queue is full. False once a file has failed:
  // the picture is then dropped.
  bool Add(QImage picture, std::string path);
  // A picture handed over before whose file is encoded, to be drawn over
  // (saves the memory being mapped afresh for every page); null when none.
  QImage TakeSparePicture();
  // Waits until every file handed over is written or dropped; false when
  // one failed.
  bool WaitUntilDone();
  // The first failure in order; waits until every file is done.
  std::optional<Failure> Finish();

 private:
  struct Job {
    std::size_t index;
    QImage picture;
    std::string path;
  };
  void Work();
  // Encodes, writes the temporary file in turn, flushes it, renames it in
  // turn and makes the rename durable.
  void WriteJob(Job job);
  void WriteInTurn(const Job& job, bool encoded, const std::string& bytes, const std::string& why,
                   std::optional<SafeFileWriter>& writer);
  // True when the file took its place.
  bool RenameInTurn(const Job& job, std::optional<SafeFileWriter>& writer);
  void WaitForTurn(std::unique_lock<std::mutex>& lock, const std::size_t& turn, std::size_t index);
  bool FailedBefore(std::size_t index) const { return failure_ && failure_->index < index; }
  void RecordFailure(std::size_t index, const std::string& path, FileError error);

  std::mutex mutex_;
  std::condition_variable changed_;
  std::deque<Job> jobs_;
  std::vector<QImage> spares_;
  std::size_t added_ = 0;
  std::size_t done_ = 0;
  std::size_t writeTurn_ = 0;   // the file that may open and write its temporary file
  std::size_t renameTurn_ = 0;  // the file that may be renamed into place
  std::size_t pending_;
  bool stopping_ = false;
  std::optional<Failure> failure_;
  std::vector<std::thread> workers_;
};
