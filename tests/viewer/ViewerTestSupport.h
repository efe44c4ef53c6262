#pragma once

#include "tests/DriverRunner.h"
#include "tests/MarkedDocuments.h"
#include "tests/TempFolder.h"
#include "viewer/document/CacheFile.h"
#include "viewer/settings/SettingsFile.h"

#include <map>
#include <gtest/gtest.h>

// A program folder and a text folder of its own for each test, and the driver to run the viewer in them.
class ViewerProgram : public ::testing::Test {
 public:
  static std::string Load(const std::string& path) { return "choose " + path + "\ncommand 1046\n"; }

 protected:
  std::string ProgramFolderPath() const { return folder.File("program"); }
  std::string ProgramFilePath(const std::string& name) const { return folder.File("program/" + name); }
  void FreshProgramFolder() const { std::filesystem::remove_all(ProgramFolderPath()); }

  // The named fields of a state line, joined by blanks.
  static std::string Fields(const std::map<std::string, std::string>& state,
                            const std::vector<std::string>& names) {
    std::string joined;
    for (const std::string& name : names) {
      if (&name != &names.front()) joined += " ";
      joined += state.count(name) ? state.at(name) : "?";
    }
    return joined;
  }

  std::vector<std::string> Run(const std::string& script, const std::string& lang = "es") {
    return RunDriver("--lang " + lang + " --folder '" + ProgramFolderPath() + "'", script);
  }

  std::string WriteText(const std::string& name, const std::string& content) {
    WriteFileBytes(folder.File(name), content);
    return folder.File(name);
  }

  void WriteProgramFile(const std::string& name, const std::string& bytes) {
    std::filesystem::create_directories(ProgramFolderPath());
    WriteFileBytes(ProgramFilePath(name), bytes);
  }

  Document ReadCache() const {
    Document document;
    EXPECT_TRUE(CacheRead(document, ProgramFilePath(kCacheFileName)));
    return document;
  }

  ViewerSettings SavedSettings() const {
    ViewerSettings settings;
    Settings("get", settings, ProgramFilePath(std::string(kSettingsFileName)));
    return settings;
  }

  // The fields of the driver's "control ID ..." line of `id`: enabled, checked, text, selected, rect.
  static std::map<std::string, std::string> ControlLine(const std::vector<std::string>& lines, int id) {
    const auto found = Matching(lines, "control " + std::to_string(id) + " ");
    if (found.empty()) return {};
    const std::string& line = found[0];
    const auto textStart = line.find("text=\""), textEnd = line.find("\" selected=");
    // The caption may hold blanks: the rest is parsed as a state line is.
    auto fields = ParseStateLine("caption=\"" + line.substr(textStart + 6, textEnd - textStart - 6) + "\" " +
                                 line.substr(0, textStart) + line.substr(textEnd + 2));
    fields["text"] = fields["caption"];
    return fields;
  }

  static std::string InspectAll(const std::vector<int>& ids) {
    std::string script;
    for (const int id : ids) script += "inspect " + std::to_string(id) + "\n";
    return script;
  }

  TempFolder folder;
};
