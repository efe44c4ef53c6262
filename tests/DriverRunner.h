#pragma once

#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

// Runs the headless driver on a script and collects what it prints.
inline std::vector<std::string> RunDriver(const std::string& arguments, const std::string& script) {
  const std::filesystem::path scriptFile =
      std::filesystem::temp_directory_path() / ("marvessa-script-" + std::to_string(::getpid()) + ".txt");
  std::ofstream(scriptFile) << script;
  const std::string command = std::string(MARVESSA_DRIVE) + " " + arguments + " '" + scriptFile.string() +
                              "' 2>/dev/null";
  std::vector<std::string> lines;
  if (FILE* out = ::popen(command.c_str(), "r")) {
    std::string line;
    for (int c; (c = std::fgetc(out)) != EOF;) {
      if (c != '\n') line += static_cast<char>(c);
      else lines.push_back(std::exchange(line, {}));
    }
    ::pclose(out);
  }
  std::filesystem::remove(scriptFile);
  return lines;
}

// The fields of a "state ..." line: caption, page, pages, loaded, ...
inline std::map<std::string, std::string> ParseStateLine(const std::string& line) {
  std::map<std::string, std::string> fields;
  const auto captionEnd = line.find("\" ");
  const auto captionStart = line.find("caption=\"");
  if (captionStart == std::string::npos || captionEnd == std::string::npos) return fields;
  fields["caption"] = line.substr(captionStart + 9, captionEnd - captionStart - 9);
  std::istringstream rest(line.substr(captionEnd + 2));
  std::string pair;
  while (rest >> pair) {
    const auto equals = pair.find('=');
    if (equals != std::string::npos) fields[pair.substr(0, equals)] = pair.substr(equals + 1);
  }
  return fields;
}

// The lines that start with `prefix`.
inline std::vector<std::string> Matching(const std::vector<std::string>& lines, const std::string& prefix) {
  std::vector<std::string> out;
  for (const auto& line : lines) {
    if (line.starts_with(prefix)) out.push_back(line);
  }
  return out;
}

// The fields of the last state line, none when there is none.
inline std::map<std::string, std::string> LastState(const std::vector<std::string>& lines) {
  const auto states = Matching(lines, "state ");
  return states.empty() ? std::map<std::string, std::string>{} : ParseStateLine(states.back());
}

// Driver lines dragging the mouse along `line` of the page from column `from` to `to`, cells' middles.
inline std::string DragScript(int line, int from, int to) {
  const std::string y = " " + std::to_string((line - 1) * 16 + 8) + "\n";
  const auto x = [](int column) { return std::to_string((column - 1) * 8 + 4); };
  return "press " + x(from) + y + "move " + x(to) + y + "release " + x(to) + y;
}

// Driver lines underlining the whole of `line` through its selector.
inline std::string UnderlineLineScript(int line) {
  return "command 1072\npress 8 " + std::to_string((line - 1) * 16 + 8) + "\ncommand 1073\n";
}
