#include "editor/BoxText.h"

#include <algorithm>
#include <limits>

namespace {

bool IsLineEnd(char16_t unit) { return unit == u'\r' || unit == u'\n'; }
bool IsHighSurrogate(char16_t unit) { return unit >= 0xD800 && unit <= 0xDBFF; }
bool IsLowSurrogate(char16_t unit) { return unit >= 0xDC00 && unit <= 0xDFFF; }

}  // namespace

BoxText::BoxText() : starts_{0} {}

bool BoxText::SetText(std::u16string text) {
  if (text.size() > kMaxUnits) return false;
  text_ = std::move(text);
  starts_.clear();
  LayOutFrom(0, 0, 0, text_.size());
  return true;
}

bool BoxText::Replace(std::size_t start, std::size_t count, std::u16string_view inserted) {
  start = std::min(start, text_.size());
  count = std::min(count, text_.size() - start);
  if (text_.size() - count + inserted.size() > kMaxUnits) return false;
  // The lines are found in the old text, before it changes.
  const std::size_t firstLine = FirstLineSeeing(start);
  text_.replace(start, count, inserted);
  LayOutFrom(firstLine, start, count, inserted.size());
  return true;
}

std::size_t BoxText::NextStart(std::size_t index) const {
  return index + 1 < starts_.size() ? starts_[index + 1] : text_.size();
}

VisualLine BoxText::Line(std::size_t index) const {
  const std::size_t start = starts_[index];
  std::size_t end = NextStart(index);
  if (index + 1 < starts_.size()) {
    // A line that ends in a line end: its last unit or units are the end.
    if (text_[end - 1] == u'\n') {
      --end;
      if (end > start && text_[end - 1] == u'\r') --end;
    } else if (text_[end - 1] == u'\r') {
      --end;
    }
  }
  return {start, end - start};
}

std::size_t BoxText::LineOf(std::size_t offset) const {
  const auto after = std::upper_bound(starts_.begin(), starts_.end(), offset);
  return static_cast<std::size_t>(after - starts_.begin()) - 1;
}

// The last unit the layout of line `index` looked at: a wrapped line looks a
// whole box width ahead (and over the rest of a marker it may cut) and over
// the blanks it keeps; a line ended by a line
// end looks one unit past that end (is a CR followed by LF?); the last line
// reads to the end of the text.
std::size_t BoxText::LastReadOffset(std::size_t index) const {
  if (index + 1 == starts_.size()) return std::numeric_limits<std::size_t>::max();
  const std::size_t next = starts_[index + 1];
  if (IsLineEnd(text_[next - 1])) {
    const VisualLine line = Line(index);
    return line.start + line.length + 1;
  }
  return std::max<std::size_t>(starts_[index] + kEditorColumns + kLayoutLookAhead, next);
}

// The first line whose layout can change when the text changes at offset.
std::size_t BoxText::FirstLineSeeing(std::size_t offset) const {
  std::size_t index = LineOf(offset);
  while (index > 0 && LastReadOffset(index - 1) >= offset) --index;
  return index;
}

// Lays the lines out again from line firstLine of the old table, after
// `removed` units at editStart were replaced by `inserted` units. A line
// laid out from a place in the unchanged rest where an old line started is
// that old line again, and so is every line after it: there the new lines
// join the old ones, shifted by the change in length.
void BoxText::LayOutFrom(std::size_t firstLine, std::size_t editStart, std::size_t removed,
                         std::size_t inserted) {
  const std::size_t from = firstLine < starts_.size() ? starts_[firstLine] : 0;
  const std::size_t unchangedFrom = editStart + inserted;
  std::vector<std::uint32_t> fresh;
  std::size_t joinAt = starts_.size();  // the old line the new lines join
  VisualLineWalker walker(std::u16string_view(text_).substr(from));
  VisualLine line;
  while (walker.Next(line)) {
    const std::size_t start = from + line.start;
    if (start >= unchangedFrom) {
      const std::size_t oldStart = start - inserted + removed;
      const auto old = std::lower_bound(starts_.begin() + static_cast<std::ptrdiff_t>(firstLine),
                                        starts_.end(), oldStart);
      if (old != starts_.end() && *old == oldStart) {
        joinAt = static_cast<std::size_t>(old - starts_.begin());
        break;
      }
    }
    fresh.push_back(static_cast<std::uint32_t>(start));
  }
  for (std::size_t k = joinAt; k < starts_.size(); ++k) {
    starts_[k] = static_cast<std::uint32_t>(starts_[k] - removed + inserted);
  }
  const auto first = starts_.begin() + static_cast<std::ptrdiff_t>(std::min(firstLine, starts_.size()));
  const auto it = starts_.erase(first, starts_.begin() + static_cast<std::ptrdiff_t>(joinAt));
  starts_.insert(it, fresh.begin(), fresh.end());
}

std::size_t BoxText::SnapToCharacter(std::size_t offset) const {
  offset = std::min(offset, text_.size());
  if (offset == 0 || offset == text_.size()) return offset;
  const char16_t before = text_[offset - 1];
  const char16_t at = text_[offset];
  if (before == u'\r' && at == u'\n') return offset - 1;
  if (IsHighSurrogate(before) && IsLowSurrogate(at)) return offset - 1;
  return offset;
}

std::size_t BoxText::NextPosition(std::size_t offset) const {
  offset = SnapToCharacter(offset);
  if (offset >= text_.size()) return text_.size();
  return offset + 1 < text_.size() && SnapToCharacter(offset + 1) == offset ? offset + 2
                                                                             : offset + 1;
}

std::size_t BoxText::PreviousPosition(std::size_t offset) const {
  offset = SnapToCharacter(offset);
  return offset == 0 ? 0 : SnapToCharacter(offset - 1);
}

std::u16string WithCrLfLineEnds(std::u16string_view text) {
  std::u16string out;
  out.reserve(text.size() + text.size() / 16);
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (!IsLineEnd(text[i])) {
      out += text[i];
      continue;
    }
    if (text[i] == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n') ++i;
    out += u"\r\n";
  }
  return out;
}
