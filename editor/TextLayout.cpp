#include "editor/TextLayout.h"

#include <algorithm>

namespace {

bool IsLineEnd(char16_t unit) { return unit == u'\r' || unit == u'\n'; }

}  // namespace

VisualLineWalker::VisualLineWalker(std::u16string_view text, int columns)
    : text_(text), columns_(static_cast<std::size_t>(std::max(columns, 1))) {}

bool VisualLineWalker::Next(VisualLine& line) {
  if (done_) return false;
  const std::size_t start = next_;
  const std::size_t end = NextLineEnd(text_, start, columns_);
  line = VisualLine{start, end - start};
  if (end == text_.size() || IsLineEnd(text_[end])) {
    EndParagraphAt(end);
  } else {
    next_ = end;
  }
  return true;
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
