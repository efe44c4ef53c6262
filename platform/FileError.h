#pragma once

#include <string>

// The outcome of a file operation: number 0 means success; otherwise the
// system error number and a short English description of it.
struct FileError {
  int number = 0;
  std::string description;

  bool failed() const { return number != 0; }

  static FileError FromErrno(int errorNumber);
};
