#include "viewer/canvas/MarkReader.h"

#include "platform/CodePage.h"
#include "viewer/canvas/InlineMarkers.h"
#include "viewer/canvas/MarkCommands.h"
#include "viewer/canvas/PageRenderer.h"
#include "viewer/document/MarkList.h"

#include <algorithm>
#include <array>

namespace {

// What each printed cell of a line shows, as UTF-8: its character, a
// bullet's symbol in the cell of its backslash, nothing in the other cells
// of a bullet or an icon. Held as one string with where each cell starts.
class ShownCells {
 public:
  explicit ShownCells(const LineRecord& record) {
    // A picture line holds the picture's file name, which the page does not print.
    const std::string_view text = record.imageLine == 1 ? std::string_view() : std::string_view(record.text);
    const std::size_t printed = std::min(text.size(), static_cast<std::size_t>(kPrintedChars));
    const std::string utf8 = Cp1252ToUtf8(text.substr(0, printed));
    const std::vector<bool> covered = MarkerCharacters(text);
    std::vector<int> bullets(printed, 0);
    for (const InlineMarker& bullet : FindBulletMarkers(text)) {
      const auto at = static_cast<std::size_t>(bullet.position - 1);
      if (at < printed) bullets[at] = bullet.value;
    }
    static constexpr std::array<std::string_view, 4> kBullets = {"\u25A0", "\u25CF", "\u25C6", "\u25B6"};
    shown_.reserve(utf8.size());
    starts_.reserve(printed + 1);
    std::size_t from = 0;  // where the cell's character starts in `utf8`
    for (std::size_t cell = 0; cell < printed && from < utf8.size(); ++cell) {
      std::size_t to = from + 1;
      while (to < utf8.size() && (static_cast<unsigned char>(utf8[to]) & 0xC0) == 0x80) ++to;
      starts_.push_back(shown_.size());
      if (bullets[cell] >= 1 && bullets[cell] <= 4) {
        shown_ += kBullets[static_cast<std::size_t>(bullets[cell] - 1)];
      } else if (!covered[cell]) {
        shown_.append(utf8, from, to - from);
      }
      from = to;
    }
    starts_.push_back(shown_.size());
  }

  // Columns first..last, blanks at both ends left out.
  std::string Columns(long long first, long long last) const {
    first = std::max<long long>(first, kFirstTextColumn);
    last = std::min<long long>(last, kFirstTextColumn + static_cast<long long>(starts_.size()) - 2);
    if (first > last) return {};
    const std::size_t from = starts_[static_cast<std::size_t>(first - kFirstTextColumn)];
    const std::size_t to = starts_[static_cast<std::size_t>(last - kFirstTextColumn + 1)];
    const std::size_t begin = shown_.find_first_not_of(' ', from);
    if (begin >= to) return {};
    return shown_.substr(begin, shown_.find_last_not_of(' ', to - 1) - begin + 1);
  }

  std::string All() const { return Columns(kFirstTextColumn, kLastTextColumn); }

 private:
  std::string shown_;
  std::vector<std::size_t> starts_;
};

// The lines of a bar, as the margin shows it beside them.
std::string BarText(const Document& document, int page, int first, int last) {
  std::string text;
  for (int line = std::max(first, 1); line <= std::min(last, kLinesPerPage); ++line) {
    if (line > std::max(first, 1)) text += '\n';
    text += ShownCells(document.Line(page, line)).All();
  }
  const bool blank = text.find_first_not_of('\n') == std::string::npos;
  return blank ? std::string() : text;
}

void ReadLineMarks(const Document& document, int page, int line, std::vector<ReadMark>& marks) {
  const LineRecord& record = document.Line(page, line);
  if (!LineTakesPartInMarks(record)) return;
  const ShownCells cells(record);
  const auto add = [&](MarkKind kind, int first, int last, std::string text, int lastLine = 0, int target = 0) {
    if (text.empty()) return;
    marks.push_back({page, line, lastLine ? lastLine : line, first, last, kind, std::move(text), target});
  };
  for (const MarkEntry& bar : ParseMarkEntries(record.verticalMarks)) {
    const int first = std::min(bar.Number(0), bar.Number(1)), last = std::max(bar.Number(0), bar.Number(1));
    // The bar stands in the margin, before the line's first character.
    add(MarkKind::Bar, kFirstTextColumn - 1, kFirstTextColumn - 1, BarText(document, page, first, last), last);
  }
  for (const MarkEntry& underline : ParseMarkEntries(record.horizontalMarks)) {
    // The underline runs from the column after its first number; any stored
    // numbers, however far off the page, stay within the grid here.
    const int after = static_cast<int>(std::clamp(underline.Number(1) + 1LL, 0LL, 1LL * kColumnCells));
    const int end = std::clamp(underline.Number(2), 0, kColumnCells);
    const int first = std::min(after, end), last = std::max(after, end);
    add(MarkKind::Underline, first, last, cells.Columns(first, last));
  }
  // Reversed pieces paint nothing and cannot be clicked: they are not read.
  const auto addPieces = [&](MarkKind kind, const std::string& list) {
    for (const MarkEntry& piece : ParseMarkEntries(list)) {
      const int first = piece.Number(1), last = piece.Number(2);
      if (first > last) continue;
      // A link is followed only from the line its entry names.
      const bool followed = kind == MarkKind::Link && piece.Number(0) == line;
      const int target = followed ? LinkPieceTarget(document, record, piece) : 0;
      add(kind, first, last, cells.Columns(first, last), 0, target);
    }
  };
  addPieces(MarkKind::TwoColours, record.twoColourPieces);
  if (record.hasBold == 1) addPieces(MarkKind::Bold, record.boldPieces);
  if (record.hasLinks == 1) addPieces(MarkKind::Link, record.linkPieces);
}

}  // namespace

std::vector<ReadMark> ReadMarks(const Document& document, int firstPage, int lastPage) {
  std::vector<ReadMark> marks;
  for (int page = std::max(firstPage, 1); page <= std::min(lastPage, kMaxPages); ++page) {
    const std::size_t pageStart = marks.size();
    for (int line = 1; line <= kLinesPerPage; ++line) ReadLineMarks(document, page, line, marks);
    // Within a line the lists are read kind by kind: the columns give the order the eye reads them in.
    std::stable_sort(marks.begin() + static_cast<std::ptrdiff_t>(pageStart), marks.end(),
                     [](const ReadMark& a, const ReadMark& b) {
                       if (a.line != b.line) return a.line < b.line;
                       if (a.firstColumn != b.firstColumn) return a.firstColumn < b.firstColumn;
                       return a.kind < b.kind;
                     });
  }
  return marks;
}
