#pragma once

#include "platform/FileError.h"

#include <string>
#include <string_view>
#include <vector>

// An INI ("profile") file held as its lines, with the behaviour of the
// classic profile calls: section and key names match without regard to
// case, values lose their surrounding blanks, a missing key gives the
// default; setting a key updates it in place, appends it to its section, or
// appends the section at the end. Every other line is kept as it was.
// Texts are UTF-8; a file is read by the text-file code-page rules.
class ProfileFile {
 public:
  static ProfileFile Parse(std::string_view fileBytes);
  // A missing file gives an empty profile and no error; a file that exists
  // but cannot be read gives an empty profile and the error.
  static FileError Load(const std::string& path, ProfileFile& profile);

  std::string Get(std::string_view section, std::string_view key,
                  std::string_view defaultValue) const;
  // Line breaks inside the value are written as blanks.
  void Set(std::string_view section, std::string_view key, std::string_view value);

  // The file's text: every line ended by CR LF.
  std::string Serialize() const;
  FileError Save(const std::string& path) const;

 private:
  struct Line {
    std::string text;
    enum Kind { Other, Section, Key } kind = Other;
    std::string name;   // section or key name, trimmed
    std::string value;  // key value, trimmed
  };
  struct SectionRange {
    std::size_t header;  // index of the "[name]" line
    std::size_t end;     // one past the section's last line
  };

  static Line ParseLine(std::string text);
  bool FindSection(std::string_view section, SectionRange& range) const;
  std::size_t FindKey(const SectionRange& range, std::string_view key) const;

  std::vector<Line> lines_;
};

// One-call forms, reading or rewriting the whole file (safely) each time.
std::string ReadProfileString(std::string_view section, std::string_view key,
                              std::string_view defaultValue, const std::string& path);
FileError WriteProfileString(std::string_view section, std::string_view key,
                             std::string_view value, const std::string& path);
