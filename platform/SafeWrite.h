#pragma once

#include "platform/FileError.h"

#include <cstddef>
#include <string>
#include <string_view>

// Writes a whole file so that the target is always either the old or the new
// complete file: the bytes go to a temporary file in the same folder, which
// is flushed to disk and then renamed over the target. A link standing where
// the target is gets replaced, never followed.
class SafeFileWriter {
 public:
  explicit SafeFileWriter(std::string targetPath);
  ~SafeFileWriter();  // discards the temporary file unless committed
  SafeFileWriter(const SafeFileWriter&) = delete;
  SafeFileWriter& operator=(const SafeFileWriter&) = delete;

  // False once any step failed; the first error is kept for Commit().
  bool Write(const void* data, std::size_t size);
  bool Write(std::string_view bytes) { return Write(bytes.data(), bytes.size()); }
  // Leaves a hole of `size` zero bytes (the file reads back the same).
  bool Skip(std::size_t size);
  // Flushes the bytes written so far to disk now, leaving Commit() only the
  // rename: many files can be flushed at once and still renamed in order.
  bool Flush();
  FileError Commit();
  // Commit() without making the rename itself durable: for a caller that
  // syncs the folder (SyncFolderOf) once the renames are in order.
  FileError CommitRename();

 private:
  bool Fail(int errorNumber);
  void Discard();

  std::string target_;
  std::string temporary_;
  int fd_ = -1;
  long long length_ = 0;
  long long written_ = 0;  // where the file ends on disk (holes excluded)
  bool flushed_ = false;   // nothing written since the last Flush()
  FileError error_;
  bool committed_ = false;
};

FileError WriteFileSafely(const std::string& path, std::string_view bytes);

// Makes the renames done in the folder holding `path` durable.
void SyncFolderOf(const std::string& path);

// Test hook standing in for a killed process: while stopped, nothing is
// written or removed and every write fails.
void StopWrites(bool stopped);
bool WritesStopped();

// Test hook standing in for a full disk: once `bytes` bytes have been written
// by this process, every further write fails with ENOSPC. Negative: off.
void SetWriteFailureAfterBytes(long long bytes);
