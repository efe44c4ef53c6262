#include "tools/DriverScript.h"

#include <charconv>
#include <cstdio>

DriverCommand ParseDriverCommand(std::string_view line) {
  while (!line.empty() && (line.back() == '\r' || line.back() == '\n')) line.remove_suffix(1);
  DriverCommand command;
  command.line = std::string(line);
  const auto start = line.find_first_not_of(' ');
  if (start == std::string_view::npos) return command;
  line.remove_prefix(start);
  const auto blank = line.find(' ');
  command.verb = std::string(line.substr(0, blank));
  if (blank != std::string_view::npos) command.rest = std::string(line.substr(blank + 1));
  return command;
}

std::string UnescapeDriverText(std::string_view text) {
  std::string out;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] != '\\' || i + 1 == text.size()) {
      out += text[i];
      continue;
    }
    const char next = text[++i];
    out += next == 'n' ? '\n' : next == 't' ? '\t' : next == 'r' ? '\r' : next;
  }
  return out;
}

std::string EscapeDriverText(std::string_view text) {
  std::string out;
  for (const char c : text) {
    if (c == '\\') {
      out += "\\\\";
    } else if (c == '\n') {
      out += "\\n";
    } else if (c == '\r') {
      out += "\\r";
    } else if (c == '\t') {
      out += "\\t";
    } else {
      out += c;
    }
  }
  return out;
}

namespace {
bool gMuted = false;
}  // namespace

void MuteDriverOutput(bool muted) { gMuted = muted; }

void PrintDriverLine(const std::string& line) {
  if (gMuted) return;
  std::fwrite(line.data(), 1, line.size(), stdout);
  std::fputc('\n', stdout);
  std::fflush(stdout);
}

void PrintDriverError(const DriverCommand& command, std::string_view why) {
  PrintDriverLine("error " + command.line + ": " + std::string(why));
}

bool ParseDriverNumber(std::string_view text, long long& value) {
  while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
  while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
  if (!text.empty() && text.front() == '+') text.remove_prefix(1);
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  return error == std::errc() && end == text.data() + text.size() && !text.empty();
}
