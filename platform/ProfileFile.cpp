#include "platform/ProfileFile.h"

#include "platform/CodePage.h"
#include "platform/FileIo.h"
#include "platform/SafeWrite.h"

#include <algorithm>
#include <cerrno>

namespace {

std::string_view Trim(std::string_view s) {
  const auto first = s.find_first_not_of(" \t");
  if (first == std::string_view::npos) return {};
  const auto last = s.find_last_not_of(" \t");
  return s.substr(first, last - first + 1);
}

bool SameName(std::string_view a, std::string_view b) {
  return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
    const auto lower = [](char c) { return (c >= 'A' && c <= 'Z') ? char(c - 'A' + 'a') : c; };
    return lower(x) == lower(y);
  });
}

// A line break or end-of-text byte inside a value would split or cut the file.
std::string KeyLine(std::string_view key, std::string_view value) {
  std::string line = std::string(key) + "=" + std::string(value);
  for (char& c : line) {
    if (c == '\r' || c == '\n' || c == '\x1A') c = ' ';
  }
  return line;
}

}  // namespace

ProfileFile::Line ProfileFile::ParseLine(std::string text) {
  Line line;
  const std::string_view trimmed = Trim(text);
  if (!trimmed.empty() && trimmed.front() == '[') {
    const auto close = trimmed.find(']');
    line.kind = Line::Section;
    line.name = Trim(trimmed.substr(1, close == std::string_view::npos ? std::string_view::npos : close - 1));
  } else if (!trimmed.empty() && trimmed.front() != ';') {
    const auto equals = trimmed.find('=');
    if (equals != std::string_view::npos) {
      line.kind = Line::Key;
      line.name = Trim(trimmed.substr(0, equals));
      line.value = Trim(trimmed.substr(equals + 1));
    }
  }
  line.text = std::move(text);
  return line;
}

ProfileFile ProfileFile::Parse(std::string_view fileBytes) {
  ProfileFile profile;
  const std::string text = DecodeTextFile(fileBytes);
  if (text.empty()) return profile;
  for (const std::string_view line : SplitLines(text)) {
    profile.lines_.push_back(ParseLine(std::string(line)));
  }
  return profile;
}

FileError ProfileFile::Load(const std::string& path, ProfileFile& profile) {
  std::string bytes;
  FileError error = ReadWholeFile(path, bytes, kMaxTextFileBytes);
  if (error.number == ENOENT) error = {};
  profile = error.failed() ? ProfileFile{} : Parse(bytes);
  return error;
}

bool ProfileFile::FindSection(std::string_view section, SectionRange& range) const {
  for (std::size_t i = 0; i < lines_.size(); ++i) {
    if (lines_[i].kind != Line::Section || !SameName(lines_[i].name, section)) continue;
    range.header = i;
    range.end = i + 1;
    while (range.end < lines_.size() && lines_[range.end].kind != Line::Section) ++range.end;
    return true;
  }
  return false;
}

std::size_t ProfileFile::FindKey(const SectionRange& range, std::string_view key) const {
  for (std::size_t i = range.header + 1; i < range.end; ++i) {
    if (lines_[i].kind == Line::Key && SameName(lines_[i].name, key)) return i;
  }
  return std::string::npos;
}

std::string ProfileFile::Get(std::string_view section, std::string_view key,
                             std::string_view defaultValue) const {
  SectionRange range{};
  if (!FindSection(section, range)) return std::string(defaultValue);
  const std::size_t at = FindKey(range, key);
  return at == std::string::npos ? std::string(defaultValue) : lines_[at].value;
}

void ProfileFile::Set(std::string_view section, std::string_view key, std::string_view value) {
  SectionRange range{};
  if (!FindSection(section, range)) {
    lines_.push_back(ParseLine("[" + std::string(section) + "]"));
    lines_.push_back(ParseLine(KeyLine(key, value)));
    return;
  }
  const std::size_t at = FindKey(range, key);
  if (at != std::string::npos) {
    lines_[at] = ParseLine(KeyLine(key, value));
    return;
  }
  // After the section's last non-blank line, so blank separators stay below it.
  std::size_t insertAt = range.end;
  while (insertAt > range.header + 1 && Trim(lines_[insertAt - 1].text).empty()) --insertAt;
  lines_.insert(lines_.begin() + static_cast<std::ptrdiff_t>(insertAt), ParseLine(KeyLine(key, value)));
}

std::string ProfileFile::Serialize() const {
  std::string out;
  for (const Line& line : lines_) {
    out += line.text;
    out += "\r\n";
  }
  return out;
}

FileError ProfileFile::Save(const std::string& path) const {
  return WriteFileSafely(path, Serialize());
}

std::string ReadProfileString(std::string_view section, std::string_view key,
                              std::string_view defaultValue, const std::string& path) {
  ProfileFile profile;
  ProfileFile::Load(path, profile);
  return profile.Get(section, key, defaultValue);
}

FileError WriteProfileString(std::string_view section, std::string_view key,
                             std::string_view value, const std::string& path) {
  ProfileFile profile;
  // A file that exists but cannot be read is not replaced: its lines would be lost.
  if (FileError error = ProfileFile::Load(path, profile); error.failed()) return error;
  profile.Set(section, key, value);
  return profile.Save(path);
}
