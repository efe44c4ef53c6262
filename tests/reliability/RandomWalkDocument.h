#pragma once

#include <string>

// The files the random walk opens: a full document of 200 pages with
// pictures, a short one, and files that are no text at all.
struct WalkFiles {
  std::string fullText;   // 13,000 lines with picture lines among them
  std::string shortText;  // three pages
  std::string picture;    // a picture, chosen as if it were a text
  std::string missing;    // a name with no file
  std::string folder;     // a folder, chosen as if it were a text
};

// Writes them into `folder` (which must exist); the same files every time.
WalkFiles WriteWalkFiles(const std::string& folder);
