#include "editor/EditorFiles.h"

#include <cerrno>
#include <filesystem>
#include <sys/stat.h>

#include "editor/BoxText.h"
#include "editor/TextLayout.h"
#include "platform/CodePage.h"
#include "platform/FileIo.h"
#include "platform/SafeWrite.h"
#include "texts/TextSet.h"

namespace {

constexpr char16_t kReplacement = 0xFFFD;

void AppendCodePoint(std::u16string& out, char32_t cp) {
  if (cp < 0x10000) {
    out += static_cast<char16_t>(cp);
  } else {
    cp -= 0x10000;
    out += static_cast<char16_t>(0xD800 + (cp >> 10));
    out += static_cast<char16_t>(0xDC00 + (cp & 0x3FF));
  }
}

void AppendUtf8(std::string& out, char32_t cp) {
  if (cp < 0x80) {
    out += static_cast<char>(cp);
    return;
  }
  const int extra = cp < 0x800 ? 1 : cp < 0x10000 ? 2 : 3;
  static constexpr unsigned char kLead[] = {0, 0xC0, 0xE0, 0xF0};
  out += static_cast<char>(kLead[extra] | (cp >> (6 * extra)));
  for (int k = extra - 1; k >= 0; --k) out += static_cast<char>(0x80 | ((cp >> (6 * k)) & 0x3F));
}

// One UTF-8 sequence at i: its code point and length; length 1 and U+FFFD
// for a malformed one.
std::size_t DecodeUtf8(std::string_view s, std::size_t i, char32_t& cp) {
  const auto lead = static_cast<unsigned char>(s[i]);
  cp = kReplacement;
  if (lead < 0x80) {
    cp = lead;
    return 1;
  }
  const std::size_t length = lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC0 ? 2 : 0;
  if (length == 0 || lead > 0xF4 || i + length > s.size()) return 1;
  char32_t value = lead & (0x7F >> length);
  for (std::size_t k = 1; k < length; ++k) {
    const auto b = static_cast<unsigned char>(s[i + k]);
    if ((b & 0xC0) != 0x80) return 1;
    value = (value << 6) | (b & 0x3F);
  }
  static constexpr char32_t kMinimum[] = {0, 0, 0x80, 0x800, 0x10000};
  if (value < kMinimum[length] || value > 0x10FFFF || (value >= 0xD800 && value <= 0xDFFF)) return 1;
  cp = value;
  return length;
}

// "Set the file's attributes to normal": a read-only cache.txt is rewritten
// all the same. Errors are left to the write that follows.
void MakeWritable(const std::string& path) {
  struct stat info {};
  if (::lstat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode) && !(info.st_mode & S_IWUSR)) {
    ::chmod(path.c_str(), (info.st_mode & 07777) | S_IWUSR);
  }
}

// Where an append really goes: a link is followed, so the file it names is
// extended and the link stays.
std::string AppendTarget(const std::string& path) {
  std::error_code error;
  if (!std::filesystem::is_symlink(path, error)) return path;
  const std::filesystem::path resolved = std::filesystem::canonical(path, error);
  return error ? path : resolved.string();
}

}  // namespace

std::u16string TextFromUtf8(std::string_view utf8) {
  std::u16string text;
  text.reserve(utf8.size());
  for (std::size_t i = 0; i < utf8.size();) {
    char32_t cp = 0;
    i += DecodeUtf8(utf8, i, cp);
    AppendCodePoint(text, cp);
  }
  return text;
}

std::string Utf8FromText(std::u16string_view text) {
  std::string utf8;
  utf8.reserve(text.size() + text.size() / 4);
  for (std::size_t i = 0; i < text.size(); ++i) {
    char32_t cp = text[i];
    if (cp >= 0xD800 && cp <= 0xDBFF && i + 1 < text.size() && text[i + 1] >= 0xDC00 &&
        text[i + 1] <= 0xDFFF) {
      cp = 0x10000 + ((cp - 0xD800) << 10) + (text[++i] - 0xDC00);
    } else if (cp >= 0xD800 && cp <= 0xDFFF) {
      cp = kReplacement;
    }
    AppendUtf8(utf8, cp);
  }
  return utf8;
}

std::u16string TextFromFileBytes(std::string_view bytes) {
  std::u16string text = WithCrLfLineEnds(TextFromUtf8(DecodeTextFile(bytes)));
  // The last line is taken even when no line end follows it, and an empty
  // file is one empty line.
  if (text.empty() || text.back() != u'\n') text += u"\r\n";
  return text;
}

FileError ReadTextFile(const std::string& path, std::u16string& text) {
  std::string bytes;
  const FileError read = ReadWholeFile(path, bytes, kMaxTextFileBytes);
  if (read.failed()) return read;
  text = TextFromFileBytes(bytes);
  return {};
}

FileError WriteTextAsShown(const std::string& path, std::u16string_view text) {
  MakeWritable(path);
  return WriteFileSafely(path, Utf8FromText(FormatAsShown(text)));
}

FileError AppendTextUnchanged(const std::string& path, std::u16string_view text) {
  const std::string target = AppendTarget(path);
  std::string bytes;
  const FileError read = ReadWholeFile(target, bytes);
  if (read.failed() && read.number != ENOENT) return read;
  bytes += Utf8FromText(text);
  bytes += "\r\n";
  return WriteFileSafely(target, bytes);
}

std::string TrimBlanks(std::string_view text) {
  const auto first = text.find_first_not_of(' ');
  if (first == std::string_view::npos) return {};
  return std::string(text.substr(first, text.find_last_not_of(' ') - first + 1));
}

FileChoice MakeFileChoice(std::string_view lastFileName, FileDialogMode mode) {
  const std::string name = TrimBlanks(lastFileName);
  const auto slash = name.rfind('/');
  FileChoice choice;
  if (slash != std::string::npos) choice.startFolder = name.substr(0, slash + 1);
  choice.proposedName = slash == std::string::npos ? name : name.substr(slash + 1);
  const TextId filter = mode == FileDialogMode::Open ? TextId::EditorOpenFilter : TextId::EditorSaveFilter;
  choice.filterName = std::string(Text(filter));
  choice.defaultSuffix = choice.filterName;
  choice.pattern = "*.*";
  return choice;
}
