#include "viewer/canvas/MarkCommands.h"

#include "viewer/document/MarkList.h"

#include <string>
#include <utility>

namespace {

LineRecord& CurrentLine(Document& document, int line) { return document.UseLine(document.CurrentPage, line); }
const LineRecord& ReadLine(const Document& document, int line) {
  return document.Line(document.CurrentPage, line);
}

bool CanCarryMarks(const LineRecord& record) { return !IsBlankText(record.text) && !IsCentredOrRight(record); }

// A piece is stored with its columns in reading order, whichever way the
// reader dragged: a reversed entry would draw nothing and a reversed link
// could never be followed.
PieceSelection InReadingOrder(PieceSelection piece) {
  if (piece.startColumn > piece.endColumn) std::swap(piece.startColumn, piece.endColumn);
  return piece;
}

}  // namespace

bool IsBlankText(std::string_view text) { return text.find_first_not_of(' ') == std::string_view::npos; }

bool IsCentredOrRight(const LineRecord& record) {
  return record.alignment == kAlignCentre || record.alignment == kAlignRight;
}

MarkOutcome MarkWholeLines(Document& document, const LineFlags& selection) {
  MarkOutcome outcome = MarkOutcome::Unchanged;
  for (int line = 1; line <= kLinesPerPage; ++line) {
    if (selection[static_cast<std::size_t>(line - 1)] != 1 || !CanCarryMarks(ReadLine(document, line))) continue;
    LineRecord& record = CurrentLine(document, line);
    const auto first = static_cast<int>(record.text.find_first_not_of(' ')) + 1;
    const auto length = static_cast<int>(record.text.size());
    if (!AppendMarkEntry(record.horizontalMarks, kMarkListFieldSize, {line, first + 2, length + 3})) {
      outcome = MarkOutcome::ListFull;
      continue;
    }
    record.hasMarks = 1;
    if (outcome == MarkOutcome::Unchanged) outcome = MarkOutcome::Changed;
  }
  return outcome;
}

MarkOutcome MarkVerticalBar(Document& document, const LineFlags& selection) {
  int first = 0, last = 0, count = 0;
  for (int line = 1; line <= kLinesPerPage; ++line) {
    if (selection[static_cast<std::size_t>(line - 1)] != 1) continue;
    ++count;
    if (first == 0) first = line;
    last = line;
  }
  if (count != 2) return MarkOutcome::NotTwoLines;
  LineRecord& record = CurrentLine(document, first);
  if (!AppendMarkEntry(record.verticalMarks, kMarkListFieldSize, {first, last})) return MarkOutcome::ListFull;
  record.hasMarks = 1;
  return MarkOutcome::Changed;
}

bool PieceCanBeMarked(const Document& document, const PieceSelection& piece) {
  return IsLineInRange(piece.anchorLine) && CanCarryMarks(ReadLine(document, piece.anchorLine));
}

MarkOutcome MarkPiece(Document& document, const PieceSelection& chosen, PieceKind kind,
                      const ColourSettings& colours) {
  if (!PieceCanBeMarked(document, chosen)) return MarkOutcome::Unchanged;
  const PieceSelection piece = InReadingOrder(chosen);
  LineRecord& record = CurrentLine(document, piece.anchorLine);
  const int line = piece.anchorLine;
  bool stored = false;
  switch (kind) {
    case PieceKind::Underline:
      stored = AppendMarkEntry(record.horizontalMarks, kMarkListFieldSize,
                               {line, piece.startColumn - 1, piece.endColumn});
      break;
    case PieceKind::TwoColours:
      stored = AppendMarkEntry(record.twoColourPieces, kTwoColourFieldSize,
                               {line, piece.startColumn, piece.endColumn, colours.twoColourBackground,
                                colours.twoColourText});
      break;
    case PieceKind::Bold:
      stored = AppendMarkEntry(record.boldPieces, kMarkListFieldSize, {line, piece.startColumn, piece.endColumn});
      if (stored) record.hasBold = 1;
      break;
  }
  if (!stored) return MarkOutcome::ListFull;
  record.hasMarks = 1;
  return MarkOutcome::Changed;
}

MarkOutcome MarkLink(Document& document, const PieceSelection& chosen, int targetPage) {
  if (!PieceCanBeMarked(document, chosen)) return MarkOutcome::Unchanged;
  const PieceSelection piece = InReadingOrder(chosen);
  LineRecord& record = CurrentLine(document, piece.anchorLine);
  const std::string id = "1E" + std::to_string(static_cast<long long>(document.linkCounter) + 1);
  // Both lists or neither: a piece without its target would be a dead link.
  if (!MarkEntryFits(record.linkPieces, kMarkListFieldSize,
                     {piece.anchorLine, piece.startColumn, piece.endColumn, id}) ||
      !MarkEntryFits(record.linkTargets, kMarkListFieldSize, {targetPage, id})) {
    return MarkOutcome::ListFull;
  }
  ++document.linkCounter;
  AppendMarkEntry(record.linkPieces, kMarkListFieldSize, {piece.anchorLine, piece.startColumn, piece.endColumn, id});
  AppendMarkEntry(record.linkTargets, kMarkListFieldSize, {targetPage, id});
  record.hasMarks = 1;
  record.hasLinks = 1;
  return MarkOutcome::Changed;
}

int FollowLink(const Document& document, int line, int column) {
  return FollowLinkOnPage(document, document.CurrentPage, line, column);
}

int FollowLinkOnPage(const Document& document, int page, int line, int column) {
  const LineRecord& record = document.Line(page, line);
  if (record.hasLinks != 1 || record.linkPieces.empty()) return 0;
  for (const MarkEntry& piece : ParseMarkEntries(record.linkPieces)) {
    if (piece.Number(0) != line || column < piece.Number(1) || column > piece.Number(2)) continue;
    if (const int target = LinkPieceTarget(document, record, piece)) return target;
  }
  return 0;
}

int LinkPieceTarget(const Document& document, const LineRecord& record, const MarkEntry& piece) {
  const std::string_view id = piece.Text(3);
  if (id.empty() || id[0] != '1') return 0;
  for (const MarkEntry& target : ParseMarkEntries(record.linkTargets)) {
    if (target.Text(1) != id) continue;
    const int page = target.Number(0);
    return page >= 1 && page <= document.PageCount ? page : 0;  // a target off the document is not followed
  }
  return 0;
}

void AlignLines(Document& document, const LineFlags& selection, std::string_view tag) {
  for (int line = 1; line <= kLinesPerPage; ++line) {
    if (selection[static_cast<std::size_t>(line - 1)] != 1) continue;
    const LineRecord& current = ReadLine(document, line);
    if (IsBlankText(current.text) || current.hasMarks != 0 || current.hasLinks != 0 || current.hasBold != 0) continue;
    CurrentLine(document, line).alignment = std::string(tag);
  }
}
