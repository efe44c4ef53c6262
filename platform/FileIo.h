#pragma once

#include "platform/FileError.h"

#include <cstddef>
#include <limits>
#include <string>

// Far beyond any text, settings or palette file the programs make (200 pages
// of text take under 2 MB); a bigger file is refused rather than exhausting
// memory.
inline constexpr std::size_t kMaxTextFileBytes = 256u << 20;

// Reads a whole file. Only regular files are read, so a folder or a device
// named by mistake gives an error instead of a hang; a file of more than
// maxBytes gives EFBIG.
FileError ReadWholeFile(const std::string& path, std::string& bytes,
                        std::size_t maxBytes = std::numeric_limits<std::size_t>::max());

bool FileExists(const std::string& path);      // a regular file
bool FolderExists(const std::string& path);
