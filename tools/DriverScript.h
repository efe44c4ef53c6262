#pragma once

#include <string>
#include <string_view>

// The headless driver reads one command per line: a verb, then its
// arguments. Empty lines and lines starting with "#" are skipped.
struct DriverCommand {
  std::string verb;
  std::string rest;    // everything after the verb and one blank
  std::string line;    // the line as written, for error reports
};

DriverCommand ParseDriverCommand(std::string_view line);

// Texts written with \n, \t and \\ escapes.
std::string UnescapeDriverText(std::string_view text);
// The other way, for printing texts on one line.
std::string EscapeDriverText(std::string_view text);

// Prints one line of the driver's report and flushes it.
void PrintDriverLine(const std::string& line);
// While muted (a killed program's last moments) nothing is printed.
void MuteDriverOutput(bool muted);
// "error LINE: WHY"
void PrintDriverError(const DriverCommand& command, std::string_view why);

// Reads a whole number; false when the text is not one.
bool ParseDriverNumber(std::string_view text, long long& value);
