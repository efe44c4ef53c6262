// The text box as the writer sees and uses it: what it draws on its grid,
// and what keys and the mouse do.
#include <gtest/gtest.h>

#include <QClipboard>
#include <QGuiApplication>
#include <QImage>
#include <QMenu>
#include <QScrollBar>
#include <QTest>

#include <memory>
#include <string>
#include <vector>

#include "editor/EditorTextBox.h"

namespace {

std::u16string Letters(char16_t letter, std::size_t count) { return std::u16string(count, letter); }

class EditorTextBoxTest : public testing::Test {
 protected:
  void SetUp() override {
    box_.resize(778, 875);
    box_.show();
  }

  // Whether a cell of the viewport shows any ink.
  static bool HasInk(const QImage& image, const QRect& cell) {
    for (int y = std::max(0, cell.top()); y <= cell.bottom() && y < image.height(); ++y) {
      for (int x = std::max(0, cell.left()); x <= cell.right() && x < image.width(); ++x) {
        if (qGray(image.pixel(x, y)) < 128) return true;
      }
    }
    return false;
  }

  // Every visible cell shows ink exactly where the engine's line has a
  // character that prints, in the row the engine gives it.
  void ExpectShownAsTheEngineLaysOut() {
    const QImage image = box_.viewport()->grab().toImage();
    const std::u16string_view text = box_.Text();
    const std::vector<VisualLine> lines = LayoutVisualLines(text);
    ASSERT_EQ(box_.Content().LineCount(), lines.size());
    const std::size_t first = box_.FirstVisibleLine();
    const std::size_t rows = static_cast<std::size_t>(image.height() / box_.LineHeight());
    for (std::size_t row = 0; row < rows && first + row < lines.size(); ++row) {
      const VisualLine& line = lines[first + row];
      for (std::size_t column = 0; column < kEditorColumns + 1; ++column) {
        const bool prints = column < line.length && text[line.start + column] > u' ';
        ASSERT_EQ(HasInk(image, box_.CellRect(first + row, column)), prints)
            << "line " << first + row << " column " << column + 1;
      }
    }
  }

  EditorTextBox box_;
};

struct ShownCase {
  const char* name;
  std::u16string text;
  std::size_t topLine;
};

TEST_F(EditorTextBoxTest, ShowsTheEngineLinesCellByCell) {
  const std::u16string x92 = Letters(u'X', 92);
  const std::u16string x93 = Letters(u'X', 93);
  std::u16string many;
  for (int k = 0; k < 40; ++k) many += x92 + u" X\r\n\r\n";
  const ShownCase cases[] = {
      {"the ruler's asterisk wraps",
       u"123456789012345678901234567890123456789012345678901234567890123456789012345678901234567890123*", 0},
      {"a blank in column 93", x92 + u" XX", 0},
      {"a blank in column 94", x93 + u" XX", 0},
      {"blanks kept at the break", x93 + u"      XX", 0},
      {"a run of blanks across the box", u"X" + Letters(u' ', 200) + u"X", 0},
      {"a 200-letter word", Letters(u'X', 200), 0},
      {"words after a long word", Letters(u'X', 100) + u" XX XX", 0},
      {"empty paragraphs", u"X\r\n\r\n\r\nX", 0},
      {"lone CR and lone LF", u"X\rXX\nXXX", 0},
      {"tab and NUL print nothing", std::u16string(u"X\tX\0X", 5), 0},
      {"a long text scrolled", many, 30},
  };
  for (const ShownCase& c : cases) {
    SCOPED_TRACE(c.name);
    box_.SetText(c.text);
    box_.verticalScrollBar()->setValue(static_cast<int>(c.topLine));
    ASSERT_EQ(box_.FirstVisibleLine(), c.topLine);
    ExpectShownAsTheEngineLaysOut();
  }
}

TEST_F(EditorTextBoxTest, TypedTextIsShownAsTheEngineLaysItOut) {
  box_.SetText(u"");
  for (int k = 0; k < 30; ++k) QTest::keyClicks(&box_, "palabra ");
  QTest::keyClick(&box_, Qt::Key_Return);
  QTest::keyClicks(&box_, QString(150, QChar('Z')));
  // Typing at the start reflows the whole first paragraph.
  QTest::keyClick(&box_, Qt::Key_Home, Qt::ControlModifier);
  QTest::keyClicks(&box_, "ab ");
  ExpectShownAsTheEngineLaysOut();
}

struct KeyCase {
  const char* name;
  std::u16string text;
  std::size_t caret;
  std::function<void(QWidget*)> keys;
  std::u16string after;
  TextSelection selection;
};

// Item `n` (from 1) of the box's context menu, chosen as a click on it would.
void ChooseFromMenu(QWidget* w, int n) {
  const std::unique_ptr<QMenu> menu = static_cast<EditorTextBox*>(w)->MakeContextMenu();
  QList<QAction*> items;
  for (QAction* action : menu->actions()) {
    if (!action->isSeparator()) items.push_back(action);
  }
  ASSERT_EQ(items.size(), 6);
  ASSERT_TRUE(items[n - 1]->isEnabled()) << "item " << n;
  items[n - 1]->trigger();
}

TEST_F(EditorTextBoxTest, KeysAndTheContextMenuEditAsInThePlatformBox) {
  const auto click = [](Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    return [key, modifiers](QWidget* w) { QTest::keyClick(w, key, modifiers); };
  };
  // The menu's items: Undo, Cut, Copy, Paste, Delete, Select All.
  const auto selectThenMenu = [](std::vector<int> items) {
    return [items](QWidget* w) {
      QTest::keyClick(w, Qt::Key_Right, Qt::ShiftModifier);
      for (const int item : items) ChooseFromMenu(w, item);
    };
  };
  const KeyCase cases[] = {
      {"Enter types CR LF", u"ab", 1, click(Qt::Key_Return), u"a\r\nb", {3, 3}},
      {"Backspace takes CR LF whole", u"a\r\nb", 3, click(Qt::Key_Backspace), u"ab", {1, 1}},
      {"Delete takes CR LF whole", u"a\r\nb", 1, click(Qt::Key_Delete), u"ab", {1, 1}},
      {"Tab types a tab", u"ab", 1, click(Qt::Key_Tab), u"a\tb", {2, 2}},
      {"Left steps over CR LF", u"a\r\nb", 3, click(Qt::Key_Left), u"a\r\nb", {1, 1}},
      {"Shift+Right selects", u"abc", 0,
       [](QWidget* w) {
         QTest::keyClick(w, Qt::Key_Right, Qt::ShiftModifier);
         QTest::keyClick(w, Qt::Key_Right, Qt::ShiftModifier);
       },
       u"abc", {0, 2}},
      {"typing replaces the selection", u"abc", 0,
       [](QWidget* w) {
         QTest::keyClick(w, Qt::Key_End, Qt::ShiftModifier);
         QTest::keyClicks(w, "xy");
       },
       u"xy", {2, 2}},
      {"undo takes back a run of typing", u"ab", 2,
       [](QWidget* w) {
         QTest::keyClicks(w, "cde");
         QTest::keyClick(w, Qt::Key_Z, Qt::ControlModifier);
       },
       u"ab", {2, 2}},
      {"a second undo takes back the undo", u"ab", 2,
       [](QWidget* w) {
         QTest::keyClicks(w, "cde");
         QTest::keyClick(w, Qt::Key_Z, Qt::ControlModifier);
         QTest::keyClick(w, Qt::Key_Z, Qt::ControlModifier);
       },
       u"abcde", {5, 5}},
      {"Down keeps the column", u"abcdef\r\nxy\r\nuvwxyz", 4,
       [](QWidget* w) {
         QTest::keyClick(w, Qt::Key_Down);
         QTest::keyClick(w, Qt::Key_Down);
       },
       u"abcdef\r\nxy\r\nuvwxyz", {16, 16}},
      {"Ctrl+A selects everything", u"a\r\nb", 0, click(Qt::Key_A, Qt::ControlModifier), u"a\r\nb",
       {0, 4}},
      {"control keys type nothing", u"ab", 1, click(Qt::Key_B, Qt::ControlModifier), u"ab", {1, 1}},
      {"Ctrl+X with nothing selected cuts nothing", u"ab", 1, click(Qt::Key_X, Qt::ControlModifier), u"ab", {1, 1}},
      {"the menu's Cut takes the selection", u"abc", 1, selectThenMenu({2}), u"ac", {1, 1}},
      {"the menu's Paste puts it where the caret is", u"abc", 1, selectThenMenu({2, 6, 4}), u"b", {1, 1}},
      {"the menu's Undo takes back its Delete", u"abc", 1, selectThenMenu({5, 1}), u"abc", {2, 2}},
      {"the menu's Copy leaves the text", u"abc", 1, selectThenMenu({3}), u"abc", {1, 2}},
      {"the menu's Select All", u"a\r\nb", 1, [](QWidget* w) { ChooseFromMenu(w, 6); }, u"a\r\nb", {0, 4}},
  };
  for (const KeyCase& c : cases) {
    SCOPED_TRACE(c.name);
    box_.SetText(c.text);
    box_.SetSelection(c.caret, c.caret);
    c.keys(&box_);
    EXPECT_EQ(box_.Text(), c.after);
    EXPECT_EQ(box_.Selection(), c.selection);
  }
}

// Each item of the context menu is enabled exactly when it can act.
TEST_F(EditorTextBoxTest, TheContextMenuEnablesWhatCanAct) {
  struct Case {
    const char* name;
    std::u16string text;
    TextSelection selection;
    const char* clipboard;
    bool typed;  // an edit to take back
    std::vector<bool> enabled;  // Undo, Cut, Copy, Paste, Delete, Select All
  };
  const Case cases[] = {
      {"an empty box", u"", {0, 0}, "", false, {false, false, false, false, false, false}},
      {"text, nothing selected", u"abc", {1, 1}, "x", false, {false, false, false, true, false, true}},
      {"a selection after typing", u"abc", {0, 2}, "x", true, {true, true, true, true, true, true}},
      {"everything selected", u"abc", {0, 3}, "", false, {false, true, true, false, true, false}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    box_.SetText(c.text);
    if (c.typed) box_.TypeText(u"z");
    box_.SetSelection(c.selection.start, c.selection.end);
    QGuiApplication::clipboard()->setText(c.clipboard);
    const std::unique_ptr<QMenu> menu = box_.MakeContextMenu();
    std::vector<bool> enabled;
    for (const QAction* action : menu->actions()) {
      if (!action->isSeparator()) enabled.push_back(action->isEnabled());
    }
    EXPECT_EQ(enabled, c.enabled);
  }
}

// End on a wrapped line stops after its kept blank, on that line; typing
// there goes before the next line's first word.
TEST_F(EditorTextBoxTest, EndOfAWrappedLineStaysOnThatLine) {
  box_.SetText(Letters(u'a', 92) + u" bbb");
  box_.SetSelection(0, 0);
  QTest::keyClick(&box_, Qt::Key_End);
  EXPECT_EQ(box_.Selection(), (TextSelection{93, 93}));
  EXPECT_EQ(box_.CaretRect().top(), box_.CellRect(0, 0).top());
  QTest::keyClick(&box_, Qt::Key_Right);
  EXPECT_EQ(box_.CaretRect().top(), box_.CellRect(1, 0).top());
}

TEST_F(EditorTextBoxTest, AClickPlacesTheCaretInTheCellClicked) {
  box_.SetText(u"uno dos\r\ntres");
  const QPoint inTres = box_.CellRect(1, 2).center() - QPoint(EditorTextBox::kCellWidth / 4, 0);
  QTest::mouseClick(box_.viewport(), Qt::LeftButton, Qt::NoModifier, inTres);
  EXPECT_EQ(box_.Selection(), (TextSelection{11, 11}));
  QTest::mouseDClick(box_.viewport(), Qt::LeftButton, Qt::NoModifier, box_.CellRect(0, 5).center());
  EXPECT_EQ(box_.Selection(), (TextSelection{4, 7}));
}

TEST_F(EditorTextBoxTest, ReplacingTheWholeTextKeepsTheViewAndCanBeUndone) {
  std::u16string text;
  for (int k = 0; k < 200; ++k) text += u"linea\r\n";
  box_.SetText(text);
  box_.verticalScrollBar()->setValue(100);
  std::u16string changed = text;
  changed.replace(700, 5, u"LINEA");
  box_.ReplaceWholeText(changed);
  EXPECT_EQ(box_.Text(), changed);
  EXPECT_EQ(box_.FirstVisibleLine(), 100u);
  QTest::keyClick(&box_, Qt::Key_Z, Qt::ControlModifier);
  EXPECT_EQ(box_.Text(), text);
}

}  // namespace
