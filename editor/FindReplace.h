#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

// The editor's find and replace engine: the requests of the find and replace
// dialogs turned into searches and edits of the box's text, as plain
// functions over a UTF-16 text, without widgets.
//
// Positions are 0-based offsets in UTF-16 units of the text as given; line
// ends are ordinary characters here (CR LF counts two), and they are no word
// delimiters, so whichever line ends the caller keeps, its own positions come
// back. Capitals are found per unit (ASCII, Latin-1 and Latin Extended-A
// letters to their capitals, "ÿ" to "Ÿ"); a letter without a one-unit
// capital, such as "ß", stays as it is, so folding never changes a length.

// Request flags of the dialogs, with the platform's values.
inline constexpr std::uint32_t FR_DOWN = 0x1;
inline constexpr std::uint32_t FR_WHOLEWORD = 0x2;
inline constexpr std::uint32_t FR_MATCHCASE = 0x4;
inline constexpr std::uint32_t FR_FINDNEXT = 0x8;
inline constexpr std::uint32_t FR_REPLACE = 0x10;
inline constexpr std::uint32_t FR_REPLACEALL = 0x20;
inline constexpr std::uint32_t FR_DIALOGTERM = 0x40;

// The dialogs' text buffers hold 255 characters; longer texts are cut.
inline constexpr std::size_t kSearchTextCapacity = 255;

// The one record both dialogs share: what the last request reported.
struct SearchRecord {
  std::uint32_t flags = 0;
  std::u16string findText;
  std::u16string replaceText;
};

// Everything find and replace keeps between requests, for the whole run.
struct FindReplaceState {
  SearchRecord record;
  std::uint32_t rememberedOptions = 0;  // the flags of the last request
  std::size_t lastFoundPosition = 0;    // 1-based start of the last occurrence used, 0 none
  std::u16string lastMatch;             // the search text in capitals, after a find
};

struct TextSelection {
  std::size_t start = 0;
  std::size_t end = 0;

  bool operator==(const TextSelection&) const = default;
};

// The message a request ends with; its text and the "Buscar" / "Find" title
// come from the build's text set.
enum class FindMessage { None, NoMatches, NoOtherResults };

struct FindRequestResult {
  int result = 1;  // what the window procedure answers: 0 for the closing notice
  FindMessage message = FindMessage::None;
  bool textReplaced = false;
  std::u16string text;      // the box's new whole text, when textReplaced
  TextSelection selection;  // the box's selection after the request
  // A match is selected: scroll the caret into view, bring the editor window
  // forward and give the box the focus.
  bool revealSelection = false;
};

// The flags a dialog opens with: the remembered options, or FR_DOWN alone
// while there are none.
std::uint32_t OptionsForNewDialog(const FindReplaceState& state);

// Handles one dialog request: state.record holds what the dialog reported,
// boxText and boxSelection what the box holds when the request arrives.
FindRequestResult HandleFindRequest(FindReplaceState& state, std::u16string_view boxText,
                                    TextSelection boxSelection);

// The capital of one unit, as the search compares letters without match case.
char16_t FoldToCapital(char16_t unit);

// One of the 36 characters that may stand beside a whole word.
bool IsWordDelimiter(char16_t unit);
