#include "editor/EditorTextBox.h"

#include <QFontMetrics>
#include <QGlyphRun>
#include <QGuiApplication>
#include <QInputMethod>
#include <QPaintEvent>
#include <QPainter>
#include <QScrollBar>
#include <QStyleHints>

#include <algorithm>

#include "editor/EditorIds.h"

namespace {

bool IsHighSurrogate(char16_t unit) { return unit >= 0xD800 && unit <= 0xDBFF; }
bool IsLowSurrogate(char16_t unit) { return unit >= 0xDC00 && unit <= 0xDFFF; }

// Units that leave their cell empty: the blank, the tab, control characters
// (a NUL included) and halves of broken surrogate pairs.
bool ShowsNothing(char16_t unit) {
  return unit <= u' ' || (unit >= 0x7F && unit < 0xA0) || (unit >= 0xD800 && unit <= 0xDFFF);
}

// Glyphs of one colour on one visual line, placed cell by cell.
struct GlyphRow {
  QList<quint32> glyphs;
  QList<QPointF> positions;
};

}  // namespace

QFont MakeEditorFont(bool bold) {
  QFont font(QStringLiteral("Courier New"));
  font.setStyleHint(QFont::TypeWriter);
  font.setPixelSize(13);  // 10 points at 96 dots per inch
  font.setBold(bold);
  font.setHintingPreference(QFont::PreferFullHinting);
  return font;
}

EditorTextBox::EditorTextBox(QWidget* parent) : QAbstractScrollArea(parent), font_(MakeEditorFont(false)) {
  setProperty(kControlIdProperty, EditorId::TextBox);
  setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
  setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  setFocusPolicy(Qt::StrongFocus);
  setAttribute(Qt::WA_InputMethodEnabled, true);
  viewport()->setCursor(Qt::IBeamCursor);
  setFont(font_);
  rawFont_ = QRawFont::fromFont(font_);
  const QFontMetrics metrics(font_);
  lineHeight_ = std::max(1, metrics.lineSpacing());
  ascent_ = metrics.ascent();
  UpdateScrollRange();
}

void EditorTextBox::SetText(std::u16string text) {
  if (!content_.SetText(std::move(text))) return;
  anchor_ = caret_ = 0;
  caretAtLineEnd_ = false;
  goalColumn_ = -1;
  undo_ = UndoStep{};
  typingRun_ = false;
  changed_ = false;
  TextChanged();
  verticalScrollBar()->setValue(0);
  CaretChanged();
}

void EditorTextBox::ReplaceWholeText(std::u16string_view text) {
  const std::u16string_view old = Text();
  const std::size_t shorter = std::min(old.size(), text.size());
  std::size_t prefix = 0;
  while (prefix < shorter && old[prefix] == text[prefix]) ++prefix;
  std::size_t suffix = 0;
  while (suffix < shorter - prefix && old[old.size() - 1 - suffix] == text[text.size() - 1 - suffix]) {
    ++suffix;
  }
  Edit(prefix, old.size() - prefix - suffix, text.substr(prefix, text.size() - prefix - suffix), false);
}

TextSelection EditorTextBox::Selection() const {
  return {std::min(anchor_, caret_), std::max(anchor_, caret_)};
}

void EditorTextBox::SetSelection(std::size_t anchor, std::size_t caret) {
  anchor_ = content_.SnapToCharacter(anchor);
  caret_ = content_.SnapToCharacter(caret);
  caretAtLineEnd_ = false;
  goalColumn_ = -1;
  typingRun_ = false;
  CaretChanged();
}

void EditorTextBox::TypeText(std::u16string_view text) { InsertText(text, true); }

void EditorTextBox::InsertText(std::u16string_view text, bool typing) {
  const TextSelection selection = Selection();
  Edit(selection.start, selection.end - selection.start, text, typing);
}

void EditorTextBox::Edit(std::size_t at, std::size_t count, std::u16string_view inserted, bool typing) {
  at = std::min(at, content_.Size());
  count = std::min(count, content_.Size() - at);
  if (count == 0 && inserted.empty()) return;
  const bool joins = typing && typingRun_ && undo_.valid && count == 0 &&
                     undo_.at + undo_.inserted.size() == at;
  std::u16string removed(Text().substr(at, count));
  if (!content_.Replace(at, count, inserted)) return;
  if (joins) {
    undo_.inserted.append(inserted);
  } else {
    undo_ = UndoStep{true, at, std::move(removed), std::u16string(inserted)};
  }
  typingRun_ = typing;
  changed_ = true;
  TextChanged();
  PlaceCaret(at + inserted.size(), false);
}

// The platform's box takes back its last edit, and a second undo takes
// back the undo.
void EditorTextBox::Undo() {
  if (!undo_.valid) return;
  UndoStep step = undo_;
  if (!content_.Replace(step.at, step.inserted.size(), step.removed)) return;
  std::swap(step.removed, step.inserted);
  undo_ = std::move(step);
  typingRun_ = false;
  changed_ = true;
  TextChanged();
  PlaceCaret(undo_.at + undo_.inserted.size(), false);
}

std::size_t EditorTextBox::FirstVisibleLine() const {
  return static_cast<std::size_t>(std::max(0, verticalScrollBar()->value()));
}

int EditorTextBox::VisibleRows() const {
  return std::max(1, (viewport()->height() - kTopMargin) / lineHeight_);
}

void EditorTextBox::UpdateScrollRange() {
  const std::size_t rows = static_cast<std::size_t>(VisibleRows());
  const std::size_t lines = content_.LineCount();
  const std::size_t top = lines > rows ? lines - rows : 0;
  verticalScrollBar()->setRange(0, static_cast<int>(std::min<std::size_t>(top, INT32_MAX)));
  verticalScrollBar()->setPageStep(static_cast<int>(rows));
  verticalScrollBar()->setSingleStep(1);
}

void EditorTextBox::TextChanged() {
  UpdateScrollRange();
  viewport()->update();
}

void EditorTextBox::CaretChanged() {
  caretShown_ = true;
  const int flash = QGuiApplication::styleHints()->cursorFlashTime();
  if (flash > 0 && hasFocus()) blink_.start(flash / 2, this);
  viewport()->update();
  if (hasFocus()) QGuiApplication::inputMethod()->update(Qt::ImCursorRectangle);
}

void EditorTextBox::ScrollCaretIntoView() {
  const std::size_t line = CaretLine();
  const std::size_t first = FirstVisibleLine();
  const std::size_t rows = static_cast<std::size_t>(VisibleRows());
  if (line < first) {
    verticalScrollBar()->setValue(static_cast<int>(line));
  } else if (line >= first + rows) {
    verticalScrollBar()->setValue(static_cast<int>(line - rows + 1));
  }
}

std::size_t EditorTextBox::CaretLine() const {
  const std::size_t line = content_.LineOf(caret_);
  if (caretAtLineEnd_ && line > 0) {
    const VisualLine upper = content_.Line(line - 1);
    if (upper.start + upper.length == caret_) return line - 1;
  }
  return line;
}

std::size_t EditorTextBox::ColumnOf(std::size_t line, std::size_t offset) const {
  const VisualLine shown = content_.Line(line);
  return ColumnOfUnit(Text().substr(shown.start, shown.length), offset - shown.start);
}

QRect EditorTextBox::CellRect(std::size_t line, std::size_t column) const {
  const auto row = static_cast<long long>(line) - static_cast<long long>(FirstVisibleLine());
  const long long x = kLeftMargin + static_cast<long long>(column) * kCellWidth;
  const long long y = kTopMargin + row * lineHeight_;
  return QRect(static_cast<int>(std::clamp<long long>(x, -kCellWidth, INT32_MAX / 2)),
               static_cast<int>(std::clamp<long long>(y, -lineHeight_, INT32_MAX / 2)), kCellWidth,
               lineHeight_);
}

QRect EditorTextBox::CaretRect() const {
  const std::size_t line = CaretLine();
  const QRect cell = CellRect(line, ColumnOf(line, caret_));
  // Blanks kept at a wrap may run past the box; the caret stays inside.
  const int x = std::min(cell.left(), viewport()->width() - 2);
  return QRect(x, cell.top(), 1, lineHeight_);
}

quint32 EditorTextBox::GlyphOf(char16_t unit) const {
  if (unit < 256 && latinKnown_[unit]) return latinGlyphs_[unit];
  const QChar character(unit);
  quint32 glyph = 0;
  int count = 1;
  if (!rawFont_.glyphIndexesForChars(&character, 1, &glyph, &count) || count != 1) glyph = 0;
  if (unit < 256) {
    latinKnown_[unit] = true;
    latinGlyphs_[unit] = glyph;
  }
  return glyph;
}

void EditorTextBox::paintEvent(QPaintEvent* event) {
  QPainter painter(viewport());
  painter.fillRect(event->rect(), palette().color(QPalette::Base));
  const TextSelection selection = Selection();
  const std::size_t first = FirstVisibleLine();
  const int rows = VisibleRows() + 1;
  for (int row = 0; row < rows; ++row) {
    const std::size_t index = first + static_cast<std::size_t>(row);
    if (index >= content_.LineCount()) break;
    PaintLine(painter, index, kTopMargin + row * lineHeight_, selection);
  }
  if (hasFocus() && caretShown_) painter.fillRect(CaretRect(), palette().color(QPalette::Text));
}

// Every unit in its own cell: glyphs of the box's font go on the grid as
// glyph runs; a character the font lacks is drawn by fallback, clipped to
// its cell, so it cannot push the rest of the line out of place.
void EditorTextBox::PaintLine(QPainter& painter, std::size_t index, int y,
                              const TextSelection& selection) {
  const VisualLine line = content_.Line(index);
  const std::u16string_view text = Text();
  const std::size_t end = line.start + line.length;
  const std::size_t selectedFrom = std::clamp(selection.start, line.start, end);
  const std::size_t selectedTo = std::clamp(selection.end, line.start, end);
  if (selectedFrom < selectedTo) {
    const QRect from = CellRect(index, ColumnOf(index, selectedFrom));
    const std::size_t cells = ColumnOf(index, selectedTo) - ColumnOf(index, selectedFrom);
    const int width = static_cast<int>(std::min<std::size_t>(cells, 4096)) * kCellWidth;
    painter.fillRect(QRect(from.left(), y, width, lineHeight_), palette().color(QPalette::Highlight));
  }
  const QColor colours[2] = {palette().color(QPalette::Text), palette().color(QPalette::HighlightedText)};
  GlyphRow rows[2];
  const std::size_t shownColumns = static_cast<std::size_t>(viewport()->width() / kCellWidth + 1);
  // A tab takes the cells up to its stop, as on the viewer's pages.
  for (std::size_t k = 0, column = 0; k < line.length && column < shownColumns;
       column += CellWidth(text[line.start + k], column), ++k) {
    const std::size_t at = line.start + k;
    const char16_t unit = text[at];
    const int which = at >= selectedFrom && at < selectedTo ? 1 : 0;
    const int x = kLeftMargin + static_cast<int>(column) * kCellWidth;
    const bool pair = IsHighSurrogate(unit) && k + 1 < line.length && IsLowSurrogate(text[at + 1]);
    const quint32 glyph = pair || ShowsNothing(unit) ? 0 : GlyphOf(unit);
    if (glyph != 0) {
      rows[which].glyphs.append(glyph);
      rows[which].positions.append(QPointF(x, y + ascent_));
    } else if (pair || !ShowsNothing(unit)) {
      const int cells = pair ? 2 : 1;
      painter.setPen(colours[which]);
      painter.setFont(font_);
      painter.drawText(QRect(x, y, cells * kCellWidth, lineHeight_), Qt::AlignLeft | Qt::AlignVCenter,
                       QString(reinterpret_cast<const QChar*>(text.data() + at), cells));
      if (pair) ++k, ++column;
    }
  }
  for (int which = 0; which < 2; ++which) {
    if (rows[which].glyphs.isEmpty()) continue;
    QGlyphRun run;
    run.setRawFont(rawFont_);
    run.setGlyphIndexes(rows[which].glyphs);
    run.setPositions(rows[which].positions);
    painter.setPen(colours[which]);
    painter.drawGlyphRun(QPointF(0, 0), run);
  }
}

void EditorTextBox::resizeEvent(QResizeEvent* event) {
  QAbstractScrollArea::resizeEvent(event);
  UpdateScrollRange();
}

void EditorTextBox::scrollContentsBy(int, int) { viewport()->update(); }

void EditorTextBox::timerEvent(QTimerEvent* event) {
  if (event->timerId() != blink_.timerId()) {
    QAbstractScrollArea::timerEvent(event);
    return;
  }
  caretShown_ = !caretShown_;
  viewport()->update(CaretRect());
}

void EditorTextBox::focusInEvent(QFocusEvent* event) {
  QAbstractScrollArea::focusInEvent(event);
  CaretChanged();
}

void EditorTextBox::focusOutEvent(QFocusEvent* event) {
  QAbstractScrollArea::focusOutEvent(event);
  blink_.stop();
  viewport()->update();
}

// The tab key types a tab: the box is the window's only place for the keys.
bool EditorTextBox::focusNextPrevChild(bool) { return false; }
