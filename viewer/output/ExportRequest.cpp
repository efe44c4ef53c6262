#include "viewer/output/ExportRequest.h"

#include <algorithm>

namespace {

constexpr std::size_t kMaxPageDigits = 6;

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

std::string_view TrimBlanks(std::string_view text) {
  while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
  while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
  return text;
}

// Reads the range boxes into the request; true when they make a valid range.
bool ReadRange(const ExportDialogInput& input, int pageCount, ExportRequest& request) {
  const std::optional<int> first = PageBoxValue(input.firstText);
  const std::optional<int> last = PageBoxValue(input.lastText);
  if (!IsExportRangeValid(first, last, pageCount)) return false;
  request.first = static_cast<std::int16_t>(*first);
  request.last = static_cast<std::int16_t>(*last);
  return true;
}

}  // namespace

std::optional<int> PageBoxValue(std::string_view text) {
  text = TrimBlanks(text);
  if (text.empty() || text.size() > kMaxPageDigits) return std::nullopt;
  int value = 0;
  for (const char c : text) {
    if (c < '0' || c > '9') return std::nullopt;
    value = value * 10 + (c - '0');
  }
  return value;
}

bool IsExportRangeValid(std::optional<int> first, std::optional<int> last, int pageCount) {
  if (!first || !last) return false;
  return *first > 0 && *first < *last && *first < pageCount && *last <= pageCount;
}

std::string TrimFolderName(std::string_view typed) { return std::string(TrimBlanks(typed)); }

bool IsExportFolderNameValid(std::string_view trimmed) {
  if (trimmed.empty() || trimmed == "." || trimmed == "..") return false;
  return std::none_of(trimmed.begin(), trimmed.end(), [](char c) {
    return c == '/' || c == '\\' || static_cast<unsigned char>(c) < 0x20 || c == 0x7F;
  });
}

bool IsFolderNameRefusedForWhatItHolds(std::string_view trimmed) {
  return !trimmed.empty() && !IsExportFolderNameValid(trimmed);
}

bool AcceptExportButton(ExportButton button, const ExportDialogInput& input, int pageCount,
                        ExportRequest& request) {
  if (button == ExportButton::Exit) {
    request.mode = kExportCancelled;
    return true;
  }
  request.mode = input.mode;
  if (button == ExportButton::Save) {
    const std::string folder = TrimFolderName(input.folderText);
    if (!IsExportFolderNameValid(folder)) return false;
    if (input.mode == kExportRange && !ReadRange(input, pageCount, request)) return false;
    request.folder = folder;
    request.printRequested = 0;
    return true;
  }
  if (input.mode == kExportRange && !ReadRange(input, pageCount, request)) return false;
  request.printRequested = 1;
  return true;
}
