#include "platform/FileError.h"

#include <cstring>

FileError FileError::FromErrno(int errorNumber) {
  if (errorNumber == 0) errorNumber = EIO;
  return FileError{errorNumber, std::strerror(errorNumber)};
}
