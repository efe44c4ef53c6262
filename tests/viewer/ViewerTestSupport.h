#pragma once

#include "tests/DriverRunner.h"
#include "tests/MarkedDocuments.h"
#include "tests/TempFolder.h"
#include "viewer/document/CacheFile.h"

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

// A program folder and a text folder of its own for each test, and the
// driver to run the viewer in them.
class ViewerProgram : public ::testing::Test {
 protected:
  std::string ProgramFolderPath() const { return folder.File("program"); }
  std::string ProgramFilePath(const std::string& name) const { return ProgramFolderPath() + "/" + name; }

  std::vector<std::string> Run(const std::string& script, const std::string& lang = "es") {
    return RunDriver("--lang " + lang + " --folder '" + ProgramFolderPath() + "'", script);
  }

  std::string WriteText(const std::string& name, const std::string& content) {
    const std::string path = folder.File(name);
    WriteFileBytes(path, content);
    return path;
  }

  Document ReadCache() const {
    Document document;
    EXPECT_TRUE(CacheRead(document, ProgramFilePath(kCacheFileName)));
    return document;
  }

  static std::map<std::string, std::string> LastState(const std::vector<std::string>& lines) {
    for (auto it = lines.rbegin(); it != lines.rend(); ++it) {
      if (it->rfind("state ", 0) == 0) return ParseStateLine(*it);
    }
    return {};
  }

  static std::vector<std::string> Matching(const std::vector<std::string>& lines, const std::string& prefix) {
    std::vector<std::string> out;
    for (const auto& line : lines) {
      if (line.rfind(prefix, 0) == 0) out.push_back(line);
    }
    return out;
  }

  TempFolder folder;
};
