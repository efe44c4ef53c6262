#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

// What the export dialog leaves for the command that opened it; kept for the
// whole run so the dialog reopens with the last choice.
struct ExportRequest {
  std::int32_t mode = 0;  // 1 current page, 2 range, 3 all pages, 0 cancelled
  std::int16_t first = 0;
  std::int16_t last = 0;
  std::string folder;  // as typed, trimmed
  std::int32_t printRequested = 0;
};

inline constexpr std::int32_t kExportCancelled = 0;
inline constexpr std::int32_t kExportCurrentPage = 1;
inline constexpr std::int32_t kExportRange = 2;
inline constexpr std::int32_t kExportAllPages = 3;

// The page number a range box holds: digits only (blanks around them are
// ignored); nothing for an empty box, any other character or a number too
// long to be a page.
std::optional<int> PageBoxValue(std::string_view text);

// A range needs at least two pages, all of them in the document.
bool IsExportRangeValid(std::optional<int> first, std::optional<int> last, int pageCount);

// The folder name without the blanks around it.
std::string TrimFolderName(std::string_view typed);

// A name for one folder right below the program folder: not empty, no
// separator, not "." or "..", no control character; anything else could
// write elsewhere.
bool IsExportFolderNameValid(std::string_view trimmed);
// A name typed but refused for what it holds (the reader needs telling why).
bool IsFolderNameRefusedForWhatItHolds(std::string_view trimmed);

enum class ExportButton { Save, Print, Exit };

// What the dialog's boxes hold when a button is pressed.
struct ExportDialogInput {
  std::int32_t mode = kExportCurrentPage;
  std::string firstText;
  std::string lastText;
  std::string folderText;
};

// Carries out a button of the export dialog on the request; true when the
// dialog closes. Invalid input leaves the request's outcome untouched and
// the dialog open.
bool AcceptExportButton(ExportButton button, const ExportDialogInput& input, int pageCount,
                        ExportRequest& request);
