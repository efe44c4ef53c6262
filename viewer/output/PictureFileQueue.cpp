#include "viewer/output/PictureFileQueue.h"

#include "viewer/output/PictureFiles.h"

#include <algorithm>
#include <cerrno>

PictureFileQueue::PictureFileQueue(int workers, std::size_t pending) {
  // Flushing a file waits on the disk, not on a core: the extra threads
  // keep the cores encoding meanwhile.
  if (workers <= 0) workers = static_cast<int>(std::max(1u, std::thread::hardware_concurrency())) + 2;
  pending_ = pending > 0 ? pending : static_cast<std::size_t>(workers) + 2;
  for (int i = 0; i < workers; ++i) workers_.emplace_back([this] { Work(); });
}

PictureFileQueue::~PictureFileQueue() {
  {
    std::unique_lock lock(mutex_);
    changed_.wait(lock, [this] { return done_ == added_; });
    stopping_ = true;
  }
  changed_.notify_all();
  for (std::thread& worker : workers_) worker.join();
}

bool PictureFileQueue::Add(QImage picture, std::string path) {
  {
    std::unique_lock lock(mutex_);
    changed_.wait(lock, [this] { return failure_ || added_ - done_ < pending_; });
    if (failure_) return false;
    jobs_.push_back(Job{added_++, std::move(picture), std::move(path)});
  }
  changed_.notify_all();
  return true;
}

QImage PictureFileQueue::TakeSparePicture() {
  std::lock_guard lock(mutex_);
  if (spares_.empty()) return {};
  QImage spare = std::move(spares_.back());
  spares_.pop_back();
  return spare;
}

bool PictureFileQueue::WaitUntilDone() { return !Finish(); }

std::optional<PictureFileQueue::Failure> PictureFileQueue::Finish() {
  std::unique_lock lock(mutex_);
  changed_.wait(lock, [this] { return done_ == added_; });
  return failure_;
}

void PictureFileQueue::Work() {
  for (;;) {
    std::unique_lock lock(mutex_);
    changed_.wait(lock, [this] { return stopping_ || !jobs_.empty(); });
    if (jobs_.empty()) return;
    Job job = std::move(jobs_.front());
    jobs_.pop_front();
    lock.unlock();
    WriteJob(std::move(job));
  }
}

void PictureFileQueue::WaitForTurn(std::unique_lock<std::mutex>& lock, const std::size_t& turn, std::size_t index) {
  changed_.wait(lock, [&] { return turn == index; });
}

void PictureFileQueue::RecordFailure(std::size_t index, const std::string& path, FileError error) {
  if (!failure_ || index < failure_->index) failure_ = Failure{index, path, std::move(error)};
}

void PictureFileQueue::WriteInTurn(const Job& job, bool encoded, const std::string& bytes, const std::string& why,
                                   std::optional<SafeFileWriter>& writer) {
  // Files are opened and written in order, as one after the other would
  // be: the same bytes reach the disk before a failure, and none after it.
  std::unique_lock lock(mutex_);
  WaitForTurn(lock, writeTurn_, job.index);
  std::optional<FileError> failed;
  if (!FailedBefore(job.index)) {
    lock.unlock();
    if (!encoded) {
      failed = FileError{EIO, why};
    } else {
      writer.emplace(job.path);
      if (!writer->Write(bytes)) {
        failed = writer->Commit();
        writer.reset();
      }
    }
    lock.lock();
  }
  if (failed) RecordFailure(job.index, job.path, std::move(*failed));
  ++writeTurn_;
  changed_.notify_all();
}

bool PictureFileQueue::RenameInTurn(const Job& job, std::optional<SafeFileWriter>& writer) {
  std::unique_lock lock(mutex_);
  WaitForTurn(lock, renameTurn_, job.index);
  bool renamed = false;
  if (writer && !FailedBefore(job.index)) {
    FileError error = writer->CommitRename();
    renamed = !error.failed();
    if (!renamed) RecordFailure(job.index, job.path, std::move(error));
  }
  writer.reset();  // a file after a failure: its temporary file goes
  ++renameTurn_;
  changed_.notify_all();
  return renamed;
}

void PictureFileQueue::WriteJob(Job job) {
  std::string bytes;
  std::string why;
  const bool encoded = EncodePicture(job.picture, FileExtension(job.path), bytes, why);
  {
    std::lock_guard lock(mutex_);
    if (spares_.size() < pending_) spares_.push_back(std::move(job.picture));
    job.picture = QImage();
  }
  std::optional<SafeFileWriter> writer;
  WriteInTurn(job, encoded, bytes, why, writer);
  if (writer) writer->Flush();  // side by side with the other files
  if (RenameInTurn(job, writer)) SyncFolderOf(job.path);
  std::lock_guard lock(mutex_);
  ++done_;
  changed_.notify_all();
}
