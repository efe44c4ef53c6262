#include "editor/TextLayout.h"

#include <algorithm>

namespace {

constexpr char16_t kBlank = u' ';

bool IsLineEnd(char16_t unit) { return unit == u'\r' || unit == u'\n'; }

bool IsHighSurrogate(char16_t unit) { return unit >= 0xD800 && unit <= 0xDBFF; }

bool IsLowSurrogate(char16_t unit) { return unit >= 0xDC00 && unit <= 0xDFFF; }

}  // namespace

VisualLineWalker::VisualLineWalker(std::u16string_view text, int columns)
    : text_(text), columns_(static_cast<std::size_t>(std::max(columns, 1))) {}

bool VisualLineWalker::Next(VisualLine& line) {
  if (done_) return false;
  const std::size_t start = next_;
  const std::size_t size = text_.size();
  // Only one box width is looked at, so a paragraph of any length is laid
  // out in one pass.
  const std::size_t window = start + std::min(size - start, columns_);
  std::size_t end = start;
  while (end < window && !IsLineEnd(text_[end])) ++end;
  if (end < size && !IsLineEnd(text_[end])) end = FindBreak(start);
  line = VisualLine{start, end - start};
  if (end == size || IsLineEnd(text_[end])) {
    EndParagraphAt(end);
  } else {
    next_ = end;
  }
  return true;
}

// Where a paragraph wider than the box breaks: the units from start to the
// returned offset form the visual line.
std::size_t VisualLineWalker::FindBreak(std::size_t start) const {
  const std::size_t limit = start + columns_;  // the first unit that does not fit
  if (text_[limit] == kBlank) {
    std::size_t end = limit;
    while (end < text_.size() && text_[end] == kBlank) ++end;
    return end;
  }
  for (std::size_t k = limit; k > start; --k) {
    if (text_[k - 1] == kBlank) return k;
  }
  if (IsLowSurrogate(text_[limit]) && IsHighSurrogate(text_[limit - 1]) && limit - 1 > start) {
    return limit - 1;
  }
  return limit;
}

void VisualLineWalker::EndParagraphAt(std::size_t lineEnd) {
  if (lineEnd == text_.size()) {
    done_ = true;
    return;
  }
  const bool crlf = text_[lineEnd] == u'\r' && lineEnd + 1 < text_.size() &&
                    text_[lineEnd + 1] == u'\n';
  next_ = lineEnd + (crlf ? 2 : 1);
}

std::vector<VisualLine> LayoutVisualLines(std::u16string_view text, int columns) {
  std::vector<VisualLine> lines;
  VisualLineWalker walker(text, columns);
  VisualLine line;
  while (walker.Next(line)) lines.push_back(line);
  return lines;
}

std::size_t CountVisualLines(std::u16string_view text, int columns) {
  std::size_t count = 0;
  VisualLineWalker walker(text, columns);
  VisualLine line;
  while (walker.Next(line)) ++count;
  return count;
}

std::size_t CountPages(std::size_t lines) { return lines / kEditorLinesPerPage; }

std::u16string FormatAsShown(std::u16string_view text, int columns) {
  std::u16string shown;
  shown.reserve(text.size() + text.size() / 32 + 2);
  VisualLineWalker walker(text, columns);
  VisualLine line;
  while (walker.Next(line)) {
    shown.append(text.substr(line.start, line.length));
    shown.append(u"\r\n");
  }
  return shown;
}
