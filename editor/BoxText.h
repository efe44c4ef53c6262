#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "editor/TextLayout.h"

// The text box's text together with the visual lines it is shown in. The
// lines are the layout engine's, kept up to date edit by edit: an edit lays
// out again only the lines that can see it, and stops as soon as a line
// starts where an old line started in the unchanged rest, so typing into a
// long text never lays the whole text out again.
//
// The text keeps whatever line ends it is given (CR LF, lone CR, lone LF, as
// the layout engine reads them); the box types CR LF for a new line.
class BoxText {
 public:
  // The box holds at most this many units, so a line start fits 32 bits.
  static constexpr std::size_t kMaxUnits = 0xFFFFFFF0u;

  BoxText();

  // Both refuse (returning false, changing nothing) a text beyond kMaxUnits.
  bool SetText(std::u16string text);
  // Replaces `count` units at `start` by `inserted`; start and count are
  // clamped to the text.
  bool Replace(std::size_t start, std::size_t count, std::u16string_view inserted);

  const std::u16string& Text() const { return text_; }
  std::size_t Size() const { return text_.size(); }

  // What the box answers to a line count: at least 1.
  std::size_t LineCount() const { return starts_.size(); }
  // Line `index` (< LineCount()), without its line end.
  VisualLine Line(std::size_t index) const;
  // The line an offset stands in; a wrap point starts the lower line.
  std::size_t LineOf(std::size_t offset) const;

  // One character on or back: CR LF and a surrogate pair count as one.
  std::size_t NextPosition(std::size_t offset) const;
  std::size_t PreviousPosition(std::size_t offset) const;
  // The nearest place a caret may stand at or before offset: never inside
  // CR LF or inside a surrogate pair.
  std::size_t SnapToCharacter(std::size_t offset) const;

 private:
  void LayOutFrom(std::size_t firstLine, std::size_t editStart, std::size_t removed,
                  std::size_t inserted);
  std::size_t FirstLineSeeing(std::size_t offset) const;
  std::size_t LastReadOffset(std::size_t index) const;
  std::size_t NextStart(std::size_t index) const;

  std::u16string text_;
  std::vector<std::uint32_t> starts_;  // where each visual line starts
};

// The text with every line end (CR LF, lone CR, lone LF) made CR LF, as the
// box types a new line.
std::u16string WithCrLfLineEnds(std::u16string_view text);
