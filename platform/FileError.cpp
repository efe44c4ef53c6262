#include "platform/FileError.h"

#include <cstring>

std::string FileError::message() const {
  return "Err: " + std::to_string(number) + " " + description;
}

FileError FileError::FromErrno(int errorNumber) {
  if (errorNumber == 0) errorNumber = EIO;
  return FileError{errorNumber, std::strerror(errorNumber)};
}
