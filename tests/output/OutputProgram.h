#pragma once

#include "tests/viewer/ViewerTestSupport.h"
#include "viewer/settings/ViewerSettings.h"

#include <QImage>

#include <cstdio>

// What a shell command printed (standard error included) and its status.
struct CommandOutput { int status = -1; std::string text; };

// Runs a shell command, ended after `seconds` if it has not finished.
inline CommandOutput RunCommand(const std::string& command, int seconds = 60) {
  CommandOutput out;
  const std::string bounded = "timeout " + std::to_string(seconds) + " sh -c '" + command + "' 2>&1";
  if (FILE* pipe = ::popen(bounded.c_str(), "r")) {
    char buffer[4096];
    for (std::size_t n; (n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;) out.text.append(buffer, n);
    out.status = ::pclose(pipe);
  }
  return out;
}

inline bool HaveTool(const std::string& name) { return RunCommand("command -v " + name, 10).status == 0; }

// The viewer run by the driver on documents whose pages tell their number in the text of their second line.
class OutputProgram : public ViewerProgram {
 protected:
  static std::string PageMarker(int page) { return "This is page " + std::to_string(page) + " of the text"; }

  std::string WritePagedText(int pages) {
    std::string text;
    for (int page = 1; page <= pages; ++page) {
      for (int line = 1; line <= 65; ++line) text += (line == 2 ? "    " + PageMarker(page) : "") + "\r\n";
    }
    return WriteText("pages.txt", text);
  }

  // Configuracion.ini with the changes made to the default settings.
  void WriteSettings(const std::function<void(ViewerSettings&)>& change) {
    std::filesystem::create_directories(ProgramFolderPath());
    ViewerSettings settings;
    change(settings);
    ASSERT_FALSE(Settings("save", settings, ProgramFilePath(std::string(kSettingsFileName))).failed());
  }

  static void ShowFootersAndPageNumber(ViewerSettings& settings) {
    settings.footers[0] = {1, kBlockAlignLeft, 10, 0, 0, 0, "Footer of the page"};
    settings.pageNumber.enabled = 1;
  }

  // The first line starting with `prefix`, empty when none does.
  static std::string First(const std::vector<std::string>& lines, const std::string& prefix) {
    const auto found = Matching(lines, prefix);
    return found.empty() ? std::string() : found[0];
  }

  // The box of the pixels of an area that `is` picks.
  static QRect Box(const QImage& image, QRect area, const std::function<bool(QRgb)>& is) {
    QRect box;
    area = area.intersected(image.rect());
    for (int y = area.top(); y <= area.bottom(); ++y) {
      for (int x = area.left(); x <= area.right(); ++x) box |= is(image.pixel(x, y)) ? QRect(x, y, 1, 1) : QRect();
    }
    return box;
  }

  // Whether any pixel of the area is darker than `limit`.
  static bool HasInk(const QImage& image, QRect area, int limit = 250) {
    return !Box(image, area, [limit](QRgb p) { return qGray(p) < limit; }).isEmpty();
  }
};
