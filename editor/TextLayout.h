#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "platform/LineBreaking.h"

// How the editor's text box lays its text out: a fixed-pitch box 93 cells
// wide, so that every visual line fits the viewer's 93 printed columns.
//
// Conventions:
// - The text is UTF-16, as the box holds it; offsets and lengths count
//   UTF-16 units, so they map one to one to the box's character positions.
// - CR LF, a lone CR and a lone LF each end a line (a paragraph). A text that
//   ends with a line end has an empty last line; an empty text has one line.
// - Lines break by the rule the viewer lays its pages out with
//   (platform/LineBreaking.h): every unit takes one cell, a NUL included,
//   but a tab, which reaches the next stop of every 8 columns; only the
//   blank is a place to break, and the blanks at a break all stay at the end
//   of the upper line, even beyond the 93rd cell (they show as nothing).
// - A paragraph's visual lines depend on that paragraph alone, so a caller
//   may count paragraph by paragraph and recount only the ones that changed:
//   the count of a text is the sum of the counts of its paragraphs.

inline constexpr int kEditorColumns = static_cast<int>(kPageColumns);
inline constexpr std::size_t kEditorLinesPerPage = 66;

// One line as the box shows it: where it starts in the text and how many
// units it holds, without its line end.
struct VisualLine {
  std::size_t start = 0;
  std::size_t length = 0;
};

// Gives the visual lines of a text one after the other without storing them,
// so counting a huge text costs no memory. The text must outlive the walker.
class VisualLineWalker {
 public:
  explicit VisualLineWalker(std::u16string_view text, int columns = kEditorColumns);

  // The next visual line; false once every line was given (a text has at
  // least one).
  bool Next(VisualLine& line);

 private:
  void EndParagraphAt(std::size_t lineEnd);

  std::u16string_view text_;
  std::size_t columns_;
  std::size_t next_ = 0;
  bool done_ = false;
};

std::vector<VisualLine> LayoutVisualLines(std::u16string_view text,
                                          int columns = kEditorColumns);

// The number of visual lines, what the box answers to a line count: at least 1.
std::size_t CountVisualLines(std::u16string_view text, int columns = kEditorColumns);

// Whole pages of 66 lines; a partly filled last page does not count.
std::size_t CountPages(std::size_t lines);

// The text as written "with format": each visual line followed by CR LF.
std::u16string FormatAsShown(std::u16string_view text, int columns = kEditorColumns);
