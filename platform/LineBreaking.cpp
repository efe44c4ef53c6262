#include "platform/LineBreaking.h"

#include <algorithm>

namespace {

template <typename Char>
bool IsLineEnd(Char unit) { return unit == Char('\r') || unit == Char('\n'); }

template <typename Char>
bool IsDigit(Char unit) { return unit >= Char('0') && unit <= Char('9'); }

// Whether a cut before `at` would part a surrogate pair.
template <typename Char>
bool PartsPair(std::basic_string_view<Char> text, std::size_t at) {
  if constexpr (sizeof(Char) == 1) {
    return false;
  } else {
    return at > 0 && at < text.size() && text[at - 1] >= 0xD800 && text[at - 1] <= 0xDBFF &&
           text[at] >= 0xDC00 && text[at] <= 0xDFFF;
  }
}

// Where a line wider than its cells breaks; `limit` is its first unit that
// does not fit (limit > start).
template <typename Char>
std::size_t BreakBefore(std::basic_string_view<Char> text, std::size_t start, std::size_t limit) {
  if (text[limit] == Char(' ')) {
    std::size_t end = limit;
    while (end < text.size() && text[end] == Char(' ')) ++end;
    return end;
  }
  for (std::size_t k = limit; k > start; --k) {
    if (text[k - 1] == Char(' ')) return k;
  }
  std::size_t cut = limit;
  if (PartsPair(text, cut) && cut - 1 > start) --cut;
  // A marker's symbol covers all its cells: it goes whole to the next line.
  for (std::size_t at = cut - std::min<std::size_t>(cut - start - 1, 3); at < cut; ++at) {
    if (InlineMarkerLength(text, at) > cut - at) return at;
  }
  return cut;
}

}  // namespace

template <typename Char>
std::size_t CellWidth(Char unit, std::size_t column, std::size_t columns) {
  if (unit != Char('\t') || column >= columns) return 1;
  return std::min((column / kTabStop + 1) * kTabStop, columns) - column;
}

template <typename Char>
std::size_t InlineMarkerLength(std::basic_string_view<Char> text, std::size_t at) {
  if (at + 3 > text.size() || text[at] != Char('\\')) return 0;
  const Char tag = text[at + 1];
  if (tag == Char('$')) return text[at + 2] >= Char('1') && text[at + 2] <= Char('4') ? 3 : 0;
  if (tag != Char('#') || at + 4 > text.size() || !IsDigit(text[at + 2]) || !IsDigit(text[at + 3])) return 0;
  return text[at + 2] == Char('0') && text[at + 3] == Char('0') ? 0 : 4;
}

template <typename Char>
std::size_t NextLineEnd(std::basic_string_view<Char> text, std::size_t start, std::size_t columns) {
  columns = std::max<std::size_t>(columns, 1);
  std::size_t column = 0;
  std::size_t at = start;
  while (at < text.size() && !IsLineEnd(text[at])) {
    const std::size_t width = CellWidth(text[at], column, columns);
    if (column + width > columns) return BreakBefore(text, start, at);
    column += width;
    ++at;
  }
  return at;
}

template <typename Char>
std::size_t ColumnOfUnit(std::basic_string_view<Char> line, std::size_t offset, std::size_t columns) {
  std::size_t column = 0;
  for (std::size_t k = 0; k < std::min(offset, line.size()); ++k) column += CellWidth(line[k], column, columns);
  return column + (offset > line.size() ? offset - line.size() : 0);
}

template <typename Char>
std::size_t UnitNearColumn(std::basic_string_view<Char> line, std::size_t column, std::size_t columns) {
  std::size_t at = 0;
  for (std::size_t left = 0; at < line.size(); ++at) {
    const std::size_t width = CellWidth(line[at], left, columns);
    if (column < left + width) return column - left <= width / 2 ? at : at + 1;
    left += width;
  }
  return at;
}

std::string ExpandTabs(std::string_view line, std::size_t columns) {
  if (line.find('\t') == std::string_view::npos) return std::string(line);
  std::string out;
  out.reserve(line.size());
  for (const char c : line) {
    if (c == '\t') {
      out.append(CellWidth(c, out.size(), columns), ' ');
    } else {
      out += c;
    }
  }
  return out;
}

#define MARVESSA_LINE_BREAKING(Char)                                                                  \
  template std::size_t CellWidth<Char>(Char, std::size_t, std::size_t);                              \
  template std::size_t InlineMarkerLength<Char>(std::basic_string_view<Char>, std::size_t);          \
  template std::size_t NextLineEnd<Char>(std::basic_string_view<Char>, std::size_t, std::size_t);    \
  template std::size_t ColumnOfUnit<Char>(std::basic_string_view<Char>, std::size_t, std::size_t);   \
  template std::size_t UnitNearColumn<Char>(std::basic_string_view<Char>, std::size_t, std::size_t);
MARVESSA_LINE_BREAKING(char)
MARVESSA_LINE_BREAKING(char16_t)
