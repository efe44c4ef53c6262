// The text box's keyboard, mouse and input-method handling.
#include "editor/EditorTextBox.h"

#include <QClipboard>
#include <QContextMenuEvent>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QScrollBar>

#include <algorithm>

namespace {

// Words, for moving by word and the double click, are runs of anything but
// blanks, tabs and line ends.
bool IsWordUnit(char16_t unit) {
  return unit != u' ' && unit != u'\t' && unit != u'\r' && unit != u'\n';
}

std::size_t NextWordStart(std::u16string_view text, std::size_t at) {
  while (at < text.size() && IsWordUnit(text[at])) ++at;
  while (at < text.size() && !IsWordUnit(text[at])) ++at;
  return at;
}

std::size_t PreviousWordStart(std::u16string_view text, std::size_t at) {
  while (at > 0 && !IsWordUnit(text[at - 1])) --at;
  while (at > 0 && IsWordUnit(text[at - 1])) --at;
  return at;
}

// What a key may type: no control characters, and nothing with Ctrl held
// (but Ctrl+Alt, which some layouts use for their third level).
bool IsTypeable(const QKeyEvent& event) {
  const QString text = event.text();
  const Qt::KeyboardModifiers modifiers = event.modifiers();
  if (text.isEmpty() || (modifiers & Qt::MetaModifier) ||
      ((modifiers & Qt::ControlModifier) && !(modifiers & Qt::AltModifier))) {
    return false;
  }
  return std::none_of(text.begin(), text.end(), [](QChar c) {
    return c.unicode() < 0x20 || c.unicode() == 0x7F;
  });
}

std::u16string ToText(const QString& text) { return WithCrLfLineEnds(text.toStdU16String()); }

}  // namespace

void EditorTextBox::keyPressEvent(QKeyEvent* event) {
  if (HandleEditKey(event) || HandleMoveKey(event)) {
    event->accept();
    return;
  }
  if (IsTypeable(*event)) {
    TypeText(event->text().toStdU16String());
    event->accept();
    return;
  }
  QAbstractScrollArea::keyPressEvent(event);
}

bool EditorTextBox::HandleEditKey(QKeyEvent* event) {
  if (event->matches(QKeySequence::Undo) || event->matches(QKeySequence::Redo)) {
    Do(EditAction::Undo);
  } else if (event->matches(QKeySequence::Copy)) {
    Do(EditAction::Copy);
  } else if (event->matches(QKeySequence::Cut)) {
    Do(EditAction::Cut);
  } else if (event->matches(QKeySequence::Paste)) {
    Do(EditAction::Paste);
  } else if (event->matches(QKeySequence::SelectAll)) {
    Do(EditAction::SelectAll);
  } else if (event->matches(QKeySequence::DeleteStartOfWord)) {
    DeleteSelectionOr(Move::WordBack);
  } else if (event->matches(QKeySequence::DeleteEndOfWord)) {
    DeleteSelectionOr(Move::WordOn);
  } else if (event->matches(QKeySequence::Delete)) {
    Do(EditAction::Delete);
  } else if (event->key() == Qt::Key_Backspace) {
    DeleteSelectionOr(Move::CharBack);
  } else if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
    TypeText(u"\r\n");
  } else if (event->key() == Qt::Key_Tab && !(event->modifiers() & Qt::ControlModifier)) {
    TypeText(u"\t");
  } else {
    return false;
  }
  return true;
}

bool EditorTextBox::CanDo(EditAction action) const {
  const TextSelection selection = Selection();
  switch (action) {
    case EditAction::Undo: return undo_.valid;
    case EditAction::Cut:
    case EditAction::Copy:
    case EditAction::Delete: return selection.start != selection.end;
    case EditAction::Paste: return !QGuiApplication::clipboard()->text().isEmpty();
    case EditAction::SelectAll: return selection.end - selection.start < content_.Size();
  }
  return false;
}

void EditorTextBox::Do(EditAction action) {
  switch (action) {
    case EditAction::Undo: Undo(); break;
    case EditAction::Copy: CopySelection(); break;
    case EditAction::Cut:
      // With nothing selected there is nothing to cut: the text stays.
      if (!CanDo(EditAction::Cut)) break;
      CopySelection();
      DeleteSelectionOr(Move::CharOn);
      break;
    case EditAction::Paste: PasteText(); break;
    case EditAction::Delete: DeleteSelectionOr(Move::CharOn); break;  // the Delete key also without a selection
    case EditAction::SelectAll: SetSelection(0, content_.Size()); break;
  }
}

std::unique_ptr<QMenu> EditorTextBox::MakeContextMenu() {
  struct Item {
    EditAction action;
    const char* text;  // Qt's own text of the platform's edit box
    QKeySequence::StandardKey key;
  };
  static constexpr Item kItems[] = {
      {EditAction::Undo, "&Undo", QKeySequence::Undo},
      {EditAction::Cut, "Cu&t", QKeySequence::Cut},
      {EditAction::Copy, "&Copy", QKeySequence::Copy},
      {EditAction::Paste, "&Paste", QKeySequence::Paste},
      {EditAction::Delete, "Delete", QKeySequence::Delete},
      {EditAction::SelectAll, "Select All", QKeySequence::SelectAll},
  };
  auto menu = std::make_unique<QMenu>(this);
  for (const Item& item : kItems) {
    if (item.action == EditAction::Cut || item.action == EditAction::SelectAll) menu->addSeparator();
    const QString shortcut = QKeySequence(item.key).toString(QKeySequence::NativeText);
    QAction* action = menu->addAction(QCoreApplication::translate("QWidgetTextControl", item.text) + '\t' + shortcut);
    action->setData(static_cast<int>(item.action));
    action->setEnabled(CanDo(item.action));
    connect(action, &QAction::triggered, this, [this, what = item.action] { Do(what); });
  }
  return menu;
}

void EditorTextBox::contextMenuEvent(QContextMenuEvent* event) {
  const std::unique_ptr<QMenu> menu = MakeContextMenu();
  menu->exec(event->globalPos());
  event->accept();
}

bool EditorTextBox::HandleMoveKey(QKeyEvent* event) {
  struct MoveKey {
    QKeySequence::StandardKey move;
    QKeySequence::StandardKey select;
    Move what;
  };
  static constexpr MoveKey kKeys[] = {
      {QKeySequence::MoveToPreviousChar, QKeySequence::SelectPreviousChar, Move::CharBack},
      {QKeySequence::MoveToNextChar, QKeySequence::SelectNextChar, Move::CharOn},
      {QKeySequence::MoveToPreviousWord, QKeySequence::SelectPreviousWord, Move::WordBack},
      {QKeySequence::MoveToNextWord, QKeySequence::SelectNextWord, Move::WordOn},
      {QKeySequence::MoveToStartOfLine, QKeySequence::SelectStartOfLine, Move::LineStart},
      {QKeySequence::MoveToEndOfLine, QKeySequence::SelectEndOfLine, Move::LineEnd},
      {QKeySequence::MoveToPreviousLine, QKeySequence::SelectPreviousLine, Move::LineUp},
      {QKeySequence::MoveToNextLine, QKeySequence::SelectNextLine, Move::LineDown},
      {QKeySequence::MoveToPreviousPage, QKeySequence::SelectPreviousPage, Move::PageUp},
      {QKeySequence::MoveToNextPage, QKeySequence::SelectNextPage, Move::PageDown},
      {QKeySequence::MoveToStartOfDocument, QKeySequence::SelectStartOfDocument, Move::TextStart},
      {QKeySequence::MoveToEndOfDocument, QKeySequence::SelectEndOfDocument, Move::TextEnd},
  };
  for (const MoveKey& key : kKeys) {
    const bool select = event->matches(key.select);
    if (select || event->matches(key.move)) {
      MoveCaret(key.what, select);
      return true;
    }
  }
  return false;
}

void EditorTextBox::MoveCaret(Move move, bool select) {
  const bool vertical =
      move == Move::LineUp || move == Move::LineDown || move == Move::PageUp || move == Move::PageDown;
  if (!vertical) goalColumn_ = -1;
  typingRun_ = false;
  // An arrow without shift first drops the selection at its own side.
  if (!select && anchor_ != caret_ && (move == Move::CharBack || move == Move::CharOn)) {
    const TextSelection selection = Selection();
    PlaceCaret(move == Move::CharBack ? selection.start : selection.end, false);
    return;
  }
  bool atLineEnd = false;
  const std::size_t target = PositionAfter(move, atLineEnd);
  PlaceCaret(target, select, atLineEnd);
}

std::size_t EditorTextBox::PositionAfter(Move move, bool& atLineEnd) {
  const std::ptrdiff_t page = VisibleRows();
  switch (move) {
    case Move::CharBack: return content_.PreviousPosition(caret_);
    case Move::CharOn: return content_.NextPosition(caret_);
    case Move::WordBack: return PreviousWordStart(Text(), caret_);
    case Move::WordOn: return NextWordStart(Text(), caret_);
    case Move::LineStart: return PositionInLine(CaretLine(), 0, atLineEnd);
    case Move::LineEnd: return PositionInLine(CaretLine(), SIZE_MAX, atLineEnd);
    case Move::LineUp: return VerticalTarget(-1, atLineEnd);
    case Move::LineDown: return VerticalTarget(1, atLineEnd);
    case Move::PageUp: return VerticalTarget(-page, atLineEnd);
    case Move::PageDown: return VerticalTarget(page, atLineEnd);
    case Move::TextStart: return 0;
    case Move::TextEnd: return content_.Size();
  }
  return caret_;
}

// Up and down keep the column the caret had when the vertical moves began.
std::size_t EditorTextBox::VerticalTarget(std::ptrdiff_t lines, bool& atLineEnd) {
  const std::size_t line = CaretLine();
  if (goalColumn_ < 0) {
    goalColumn_ = static_cast<int>(std::min<std::size_t>(ColumnOf(line, caret_), INT32_MAX));
  }
  const auto last = static_cast<std::ptrdiff_t>(content_.LineCount()) - 1;
  const std::ptrdiff_t target = std::clamp(static_cast<std::ptrdiff_t>(line) + lines, std::ptrdiff_t{0}, last);
  return PositionInLine(static_cast<std::size_t>(target), static_cast<std::size_t>(goalColumn_), atLineEnd);
}

// A column at or past the end of a wrapped line is its end, shown on that
// line rather than at the start of the next one.
std::size_t EditorTextBox::PositionInLine(std::size_t index, std::size_t column, bool& atLineEnd) const {
  const VisualLine line = content_.Line(index);
  const std::size_t end = line.start + line.length;
  const std::size_t at = line.start + UnitNearColumn(Text().substr(line.start, line.length), column);
  atLineEnd = at == end && index + 1 < content_.LineCount() && content_.Line(index + 1).start == end;
  return at;
}

void EditorTextBox::PlaceCaret(std::size_t caret, bool select, bool atLineEnd) {
  caret_ = content_.SnapToCharacter(caret);
  if (!select) anchor_ = caret_;
  caretAtLineEnd_ = atLineEnd;
  ScrollCaretIntoView();
  CaretChanged();
}

void EditorTextBox::DeleteSelectionOr(Move move) {
  TextSelection range = Selection();
  if (range.start == range.end) {
    bool atLineEnd = false;
    const std::size_t target = PositionAfter(move, atLineEnd);
    range = {std::min(caret_, target), std::max(caret_, target)};
  }
  Edit(range.start, range.end - range.start, u"", false);
}

void EditorTextBox::CopySelection() {
  const TextSelection selection = Selection();
  if (selection.start == selection.end) return;
  const std::u16string_view piece = Text().substr(selection.start, selection.end - selection.start);
  QGuiApplication::clipboard()->setText(
      QString::fromUtf16(piece.data(), static_cast<qsizetype>(piece.size())));
}

void EditorTextBox::PasteText() {
  const QString pasted = QGuiApplication::clipboard()->text();
  if (!pasted.isEmpty()) InsertText(ToText(pasted), false);
}

void EditorTextBox::inputMethodEvent(QInputMethodEvent* event) {
  if (!event->commitString().isEmpty()) TypeText(ToText(event->commitString()));
  event->accept();
}

QVariant EditorTextBox::inputMethodQuery(Qt::InputMethodQuery query) const {
  switch (query) {
    case Qt::ImEnabled: return true;
    case Qt::ImCursorRectangle: return CaretRect().translated(viewport()->pos());
    case Qt::ImFont: return font_;
    default: return QAbstractScrollArea::inputMethodQuery(query);
  }
}

std::size_t EditorTextBox::PositionAt(QPoint point, bool& atLineEnd) const {
  const int y = point.y() - kTopMargin;
  const long long row = y < 0 ? -1 - (-y - 1) / lineHeight_ : y / lineHeight_;
  const long long last = static_cast<long long>(content_.LineCount()) - 1;
  const long long line = std::clamp(static_cast<long long>(FirstVisibleLine()) + row, 0LL, last);
  const int column = std::max(0, (point.x() - kLeftMargin + kCellWidth / 2) / kCellWidth);
  return PositionInLine(static_cast<std::size_t>(line), static_cast<std::size_t>(column), atLineEnd);
}

void EditorTextBox::mousePressEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) return;
  bool atLineEnd = false;
  const std::size_t at = PositionAt(event->position().toPoint(), atLineEnd);
  goalColumn_ = -1;
  typingRun_ = false;
  PlaceCaret(at, (event->modifiers() & Qt::ShiftModifier) != 0, atLineEnd);
}

void EditorTextBox::mouseMoveEvent(QMouseEvent* event) {
  if (!(event->buttons() & Qt::LeftButton)) return;
  const QPoint point = event->position().toPoint();
  // Dragging past the top or the bottom scrolls a line at a time.
  if (point.y() < 0) verticalScrollBar()->triggerAction(QAbstractSlider::SliderSingleStepSub);
  if (point.y() >= viewport()->height()) verticalScrollBar()->triggerAction(QAbstractSlider::SliderSingleStepAdd);
  bool atLineEnd = false;
  PlaceCaret(PositionAt(point, atLineEnd), true, atLineEnd);
}

void EditorTextBox::mouseDoubleClickEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) return;
  bool atLineEnd = false;
  SelectWordAt(PositionAt(event->position().toPoint(), atLineEnd));
}

void EditorTextBox::SelectWordAt(std::size_t offset) {
  const std::u16string_view text = Text();
  std::size_t start = std::min(offset, text.size());
  std::size_t end = start;
  while (start > 0 && IsWordUnit(text[start - 1])) --start;
  while (end < text.size() && IsWordUnit(text[end])) ++end;
  SetSelection(start, end);
}
