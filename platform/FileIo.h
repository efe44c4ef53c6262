#pragma once

#include "platform/FileError.h"

#include <string>

// Reads a whole file. Only regular files are read, so a folder or a device
// named by mistake gives an error instead of a hang.
FileError ReadWholeFile(const std::string& path, std::string& bytes);

bool FileExists(const std::string& path);      // a regular file
bool FolderExists(const std::string& path);
