#pragma once

#include "tests/viewer/ViewerTestSupport.h"
#include "viewer/settings/SettingsFile.h"

#include <QRect>

#include <map>
#include <string>
#include <vector>

// The settings dialogs through the driver: the settings file before and
// after, and what the driver's "inspect" lines say about a control.
class SettingsDialogProgram : public ViewerProgram {
 protected:
  void WriteSettingsFile(const std::string& ini) {
    std::filesystem::create_directories(ProgramFolderPath());
    WriteFileBytes(ProgramFilePath(std::string(kSettingsFileName)), ini);
  }

  bool SettingsFileExists() const {
    return std::filesystem::exists(ProgramFilePath(std::string(kSettingsFileName)));
  }

  ViewerSettings SavedSettings() const {
    ViewerSettings settings;
    Settings("get", settings, ProgramFilePath(std::string(kSettingsFileName)));
    return settings;
  }

  // The fields of the "control ID ..." line of `id`: enabled, checked,
  // text, selected, rect.
  static std::map<std::string, std::string> ControlLine(const std::vector<std::string>& lines, int id) {
    const std::string prefix = "control " + std::to_string(id) + " ";
    for (const auto& line : lines) {
      if (line.rfind(prefix, 0) != 0) continue;
      std::map<std::string, std::string> fields;
      const auto textStart = line.find("text=\"");
      const auto textEnd = line.find("\" selected=");
      fields["text"] = line.substr(textStart + 6, textEnd - textStart - 6);
      std::istringstream rest(line.substr(prefix.size(), textStart - prefix.size()) + line.substr(textEnd + 2));
      std::string pair;
      while (rest >> pair) {
        const auto equals = pair.find('=');
        if (equals != std::string::npos) fields[pair.substr(0, equals)] = pair.substr(equals + 1);
      }
      return fields;
    }
    return {};
  }

  static QRect RectOf(const std::map<std::string, std::string>& control) {
    int x = 0, y = 0, w = 0, h = 0;
    std::sscanf(control.count("rect") ? control.at("rect").c_str() : "", "%d,%d,%d,%d", &x, &y, &w, &h);
    return QRect(x, y, w, h);
  }

  static std::string InspectAll(const std::vector<int>& ids) {
    std::string script;
    for (const int id : ids) script += "inspect " + std::to_string(id) + "\n";
    return script;
  }
};
