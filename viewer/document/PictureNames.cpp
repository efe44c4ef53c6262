#include "viewer/document/PictureNames.h"

#include "platform/CodePage.h"
#include "viewer/document/LineRecord.h"

#include <filesystem>
#include <system_error>
#include <vector>

namespace fs = std::filesystem;

namespace {

// The record holds the name in Windows-1252: a name it cannot hold whole,
// or would hold with a character changed, would look for another file.
bool RecordHolds(const std::string& utf8, std::string& cp1252) {
  cp1252 = Utf8ToCp1252(utf8);
  return !cp1252.empty() && cp1252.size() < kTextFieldSize && Cp1252ToUtf8(cp1252) == utf8;
}

// Whether `candidate` finds the picture `file` finds. A file that is not
// there cannot be asked, so its forms are taken at their word.
bool LeadsToTheSameFile(const std::string& candidate, const std::string& file) {
  std::error_code error;
  if (candidate == file || !fs::exists(file, error)) return true;
  return fs::equivalent(candidate, file, error);
}

}  // namespace

std::string PictureFileOfDirective(std::string_view written, const std::string& textFolder) {
  const std::string name = Cp1252ToUtf8(written);
  if (!name.empty() && name.front() == '/') return name;
  // A text named from the current folder: its pictures are looked up from
  // the program folder later, so they need a path that does not depend on it.
  std::error_code error;
  const fs::path file = fs::absolute(textFolder + name, error);
  return error ? textFolder + name : file.string();
}

std::string PictureRecordName(const std::string& file, const std::string& programFolder) {
  const fs::path normal = fs::path(file).lexically_normal();
  std::vector<std::string> forms = {file, normal.string()};
  if (normal.is_absolute() && fs::path(programFolder).is_absolute()) {
    forms.push_back(normal.lexically_relative(programFolder).string());
  }
  for (const std::string& form : forms) {
    std::string cp1252;
    if (RecordHolds(form, cp1252) && LeadsToTheSameFile(PictureFileOfRecord(cp1252, programFolder), file)) {
      return cp1252;
    }
  }
  return {};
}

std::string PictureFileOfRecord(std::string_view recordName, const std::string& programFolder) {
  const std::string name = Cp1252ToUtf8(recordName);
  if (!name.empty() && name.front() == '/') return name;
  return programFolder + name;
}
