#pragma once

#include <QAbstractScrollArea>
#include <QBasicTimer>
#include <QFont>
#include <QRawFont>

#include <array>
#include <cstddef>
#include <memory>
#include <string>
#include <string_view>

#include "editor/BoxText.h"
#include "editor/FindReplace.h"

class QMenu;

// Courier New at 10 points (13 pixels), regular for the box, bold for the
// status bar.
QFont MakeEditorFont(bool bold);

// The editor's text box: a fixed-pitch grid of cells, 93 to a visual line,
// showing exactly the visual lines of the layout engine (BoxText keeps them).
// Each unit of the text takes one cell: glyphs are placed on the grid by
// hand, so what the writer sees, what the status bar counts and what
// "with format" writes are one and the same layout.
class EditorTextBox : public QAbstractScrollArea {
 public:
  // The edits the keys and the context menu share, in the menu's order.
  enum class EditAction { Undo, Cut, Copy, Paste, Delete, SelectAll };

  static constexpr int kCellWidth = 8;
  static constexpr int kLeftMargin = 3;
  static constexpr int kTopMargin = 1;

  explicit EditorTextBox(QWidget* parent = nullptr);

  const BoxText& Content() const { return content_; }
  std::u16string_view Text() const { return content_.Text(); }

  // Replaces the whole text as loading does: caret at the start, view at the
  // top, nothing to undo, nothing changed.
  void SetText(std::u16string text);
  // Whether the text was edited since it was set or last marked unchanged
  // (after it was written).
  bool Changed() const { return changed_; }
  void MarkUnchanged() { changed_ = false; }
  // Replaces the whole text by a changed version of it: only the part that
  // differs is edited, so the view stays and the change can be undone.
  void ReplaceWholeText(std::u16string_view text);

  TextSelection Selection() const;  // start <= end
  // The selection from anchor to caret (either order), clamped to the text.
  void SetSelection(std::size_t anchor, std::size_t caret);
  void ScrollCaretIntoView();

  // What typing does: the selection gives way to the text, and a run of
  // typing is undone as one.
  void TypeText(std::u16string_view text);

  std::size_t FirstVisibleLine() const;
  int LineHeight() const { return lineHeight_; }
  // The viewport rectangle of a cell of a visual line.
  QRect CellRect(std::size_t line, std::size_t column) const;
  // The column where the unit at `offset` of visual line `line` starts.
  std::size_t ColumnOf(std::size_t line, std::size_t offset) const;
  QRect CaretRect() const;

  // Whether an edit can act now, and the edit itself.
  bool CanDo(EditAction action) const;
  void Do(EditAction action);
  // The menu a right click opens: Undo, Cut, Copy, Paste, Delete and
  // Select All in Qt's texts (so in the build's language), each enabled
  // when it can act and carrying its EditAction as data.
  std::unique_ptr<QMenu> MakeContextMenu();

 protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void scrollContentsBy(int dx, int dy) override;
  void timerEvent(QTimerEvent* event) override;
  void focusInEvent(QFocusEvent* event) override;
  void focusOutEvent(QFocusEvent* event) override;
  bool focusNextPrevChild(bool next) override;
  void keyPressEvent(QKeyEvent* event) override;
  void inputMethodEvent(QInputMethodEvent* event) override;
  QVariant inputMethodQuery(Qt::InputMethodQuery query) const override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void contextMenuEvent(QContextMenuEvent* event) override;

 private:
  // The one edit the box can take back, as the platform's box keeps it.
  struct UndoStep {
    bool valid = false;
    std::size_t at = 0;
    std::u16string removed;
    std::u16string inserted;
  };
  enum class Move { CharBack, CharOn, WordBack, WordOn, LineStart, LineEnd, LineUp, LineDown,
                    PageUp, PageDown, TextStart, TextEnd };

  void Edit(std::size_t at, std::size_t count, std::u16string_view inserted, bool typing);
  void InsertText(std::u16string_view text, bool typing);
  void Undo();
  void DeleteSelectionOr(Move move);
  void CopySelection();
  void PasteText();
  bool HandleEditKey(QKeyEvent* event);
  bool HandleMoveKey(QKeyEvent* event);
  void MoveCaret(Move move, bool select);
  std::size_t PositionAfter(Move move, bool& atLineEnd);
  std::size_t VerticalTarget(std::ptrdiff_t lines, bool& atLineEnd);
  std::size_t PositionInLine(std::size_t index, std::size_t column, bool& atLineEnd) const;
  void PlaceCaret(std::size_t caret, bool select, bool atLineEnd = false);
  std::size_t CaretLine() const;
  std::size_t PositionAt(QPoint point, bool& atLineEnd) const;
  void SelectWordAt(std::size_t offset);
  void TextChanged();
  void CaretChanged();
  void UpdateScrollRange();
  int VisibleRows() const;
  void PaintLine(QPainter& painter, std::size_t index, int y, const TextSelection& selection);
  quint32 GlyphOf(char16_t unit) const;

  BoxText content_;
  std::size_t anchor_ = 0;
  std::size_t caret_ = 0;
  bool caretAtLineEnd_ = false;  // a caret at a wrap point shown at the upper line's end
  int goalColumn_ = -1;          // the column up and down keep, -1 none
  bool caretShown_ = true;
  UndoStep undo_;
  bool typingRun_ = false;  // the last edit was typing, so more typing joins it
  bool changed_ = false;
  QFont font_;
  QRawFont rawFont_;
  mutable std::array<quint32, 256> latinGlyphs_{};
  mutable std::array<bool, 256> latinKnown_{};
  int lineHeight_ = 16;
  int ascent_ = 12;
  QBasicTimer blink_;
};
