// The editor's window and its text box as the writer sees and uses them.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QAction>
#include <QKeySequence>
#include <QLineEdit>
#include <QMenu>
#include <QScrollBar>
#include <QStatusBar>
#include <QTest>
#include <QTimer>

#include "editor/EditorIds.h"
#include "editor/EditorTextBox.h"
#include "editor/EditorWindow.h"
#include "platform/ScriptedDialogs.h"
#include "texts/TextSet.h"

namespace {

class EditorTextBoxTest : public testing::Test {
 protected:
  void SetUp() override {
    box_.resize(778, 875);
    box_.show();
  }

  // Every visible cell of the 8 x 16 grid shows ink exactly where its laid-out character prints.
  void ExpectShownAsLaidOut() {
    const QImage image = box_.viewport()->grab().toImage();
    const std::u16string_view text = box_.Text();
    const std::vector<VisualLine> lines = LayoutVisualLines(text);
    const std::size_t first = box_.FirstVisibleLine();
    const std::size_t rows = static_cast<std::size_t>(image.height() / box_.LineHeight());
    for (std::size_t row = 0; row < rows && first + row < lines.size(); ++row) {
      const VisualLine& line = lines[first + row];
      // A tab reaches the next stop of every 8 columns.
      std::vector<bool> printing(94, false);
      for (std::size_t k = 0, column = 0; k < line.length; ++k) {
        const char16_t unit = text[line.start + k];
        column = unit == u'\t' ? (column / 8 + 1) * 8 : column + 1;
        if (unit != u'\t' && column <= printing.size()) printing[column - 1] = unit > u' ';
      }
      for (std::size_t column = 0; column < 94; ++column) {
        const bool prints = printing[column];
        const QRect cell = box_.CellRect(first + row, column);
        bool ink = false;
        for (int y = std::max(0, cell.top()); y <= cell.bottom() && y < image.height(); ++y) {
          for (int x = cell.left(); x <= cell.right() && x < image.width(); ++x) ink |= qGray(image.pixel(x, y)) < 128;
        }
        ASSERT_EQ(ink, prints) << "line " << first + row << " column " << column + 1;
      }
    }
  }

  EditorTextBox box_;
};

// Where the lines break is the layout's test; here the drawing follows it.
TEST_F(EditorTextBoxTest, ShowsTheLinesCellByCellAndTheCaretFollowsTheGrid) {
  std::u16string many;
  for (int k = 0; k < 40; ++k) many += std::u16string(92, u'X') + u" X\r\n\r\n";
  const struct {
    const char* name; std::u16string text; int topLine;
  } cases[] = {
      {"blanks kept at the break", std::u16string(93, u'X') + u"      XX", 0},
      {"a run of blanks across the box", u"X" + std::u16string(200, u' ') + u"X", 0},
      {"lone CR, lone LF, tabs and NUL", std::u16string(u"X\rXX\nX\tX\0X\t\tX", 13), 0},
      {"a long text scrolled", many, 30},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    box_.SetText(c.text);
    box_.verticalScrollBar()->setValue(c.topLine);
    ASSERT_EQ(box_.FirstVisibleLine(), static_cast<std::size_t>(c.topLine));
    ExpectShownAsLaidOut();
  }
  // Typing at the start reflows the whole first paragraph.
  box_.SetText(u"");
  for (int k = 0; k < 30; ++k) QTest::keyClicks(&box_, "palabra ");
  QTest::keyClick(&box_, Qt::Key_Home, Qt::ControlModifier);
  QTest::keyClicks(&box_, "ab ");
  ExpectShownAsLaidOut();
  // End stays on a wrapped line after its kept blank; a click places the caret, a double click takes the word.
  box_.SetText(std::u16string(92, u'a') + u" bbb\r\ntres");
  box_.SetSelection(0, 0);
  QTest::keyClick(&box_, Qt::Key_End);
  EXPECT_EQ(box_.Selection(), (TextSelection{93, 93}));
  EXPECT_EQ(box_.CaretRect().top(), box_.CellRect(0, 0).top());
  QTest::keyClick(&box_, Qt::Key_Right);
  EXPECT_EQ(box_.CaretRect().top(), box_.CellRect(1, 0).top());
  QTest::mouseClick(box_.viewport(), Qt::LeftButton, Qt::NoModifier, box_.CellRect(2, 2).center() - QPoint(2, 0));
  EXPECT_EQ(box_.Selection(), (TextSelection{100, 100}));
  QTest::mouseDClick(box_.viewport(), Qt::LeftButton, Qt::NoModifier, box_.CellRect(1, 1).center());
  EXPECT_EQ(box_.Selection(), (TextSelection{93, 96}));
}

// Keys: a key sequence ("Shift+End"), "=xy" (typed text) or "menu2" (context menu item 2).
void Act(EditorTextBox* box, const std::string& keys) {
  std::istringstream words(keys);
  for (std::string word; words >> word;) {
    if (word[0] == '=') {
      QTest::keyClicks(box, QString::fromStdString(word.substr(1)));
    } else if (word.starts_with("menu")) {
      const std::unique_ptr<QMenu> menu = box->MakeContextMenu();  // Undo, Cut, Copy, Paste, Delete, Select All
      QList<QAction*> items = menu->actions();
      items.removeIf([](const QAction* action) { return action->isSeparator(); });
      QAction* item = items.size() == 6 ? items[std::stoi(word.substr(4)) - 1] : nullptr;
      ASSERT_TRUE(item && item->isEnabled()) << word;
      item->trigger();
    } else {
      const QKeyCombination key = QKeySequence::fromString(QString::fromStdString(word))[0];
      ASSERT_NE(key.key(), Qt::Key_unknown) << word;
      QTest::keyClick(box, key.key(), key.keyboardModifiers());
    }
  }
}

TEST_F(EditorTextBoxTest, KeysAndTheContextMenuEditAsInThePlatformBox) {
  const struct {
    const char* name; std::u16string text; std::size_t caret; const char* keys; std::u16string after;
    TextSelection selection;
  } cases[] = {
      {"Enter types CR LF", u"ab", 1, "Return", u"a\r\nb", {3, 3}},
      {"Backspace takes CR LF whole", u"a\r\nb", 3, "Backspace", u"ab", {1, 1}},
      {"typing replaces the selection", u"abc", 0, "Shift+End =xy", u"xy", {2, 2}},
      {"a second undo takes back the undo", u"ab", 2, "=cde Ctrl+Z Ctrl+Z", u"abcde", {5, 5}},
      {"Down keeps the column", u"abcdef\r\nxy\r\nuvwxyz", 4, "Down Down", u"abcdef\r\nxy\r\nuvwxyz", {16, 16}},
      {"control keys type nothing", u"ab", 1, "Ctrl+B", u"ab", {1, 1}},
      {"the menu's Paste puts the Cut where the caret is", u"abc", 1, "Shift+Right menu2 menu6 menu4", u"b",
       {1, 1}},
      {"the menu's Undo takes back its Delete", u"abc", 1, "Shift+Right menu5 menu1", u"abc", {2, 2}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    box_.SetText(c.text);
    box_.SetSelection(c.caret, c.caret);
    Act(&box_, c.keys);
    EXPECT_EQ(box_.Text(), c.after);
    EXPECT_EQ(box_.Selection(), c.selection);
  }
}

// The Spanish build; the words of both builds are checked through the driver.
class EditorWindowTest : public testing::Test {
 protected:
  void SetUp() override {
    InstallTextSet(SpanishTexts());
    window_ = std::make_unique<EditorWindow>(dialogs_);
    window_->show();
  }

  template <typename Widget>
  Widget* Control(QWidget* parent, int id) {
    for (Widget* widget : parent->findChildren<Widget*>()) {
      if (widget->property(kControlIdProperty).toInt() == id) return widget;
    }
    return nullptr;
  }
  void Click(QWidget* dialog, int id) { Control<QAbstractButton>(dialog, id)->click(); }

  std::vector<std::string> shown_;
  ScriptedDialogs dialogs_{[this](const std::string& line) { shown_.push_back(line); }};
  std::unique_ptr<EditorWindow> window_;
};

// Back from another window the caret is in the box again; a close request ends the window as Exit does.
TEST_F(EditorWindowTest, OpensAtItsPlaceKeepsTheFocusInItsBoxAndEndsOnClose) {
  EXPECT_EQ(std::pair(window_->size(), window_->pos()), std::pair(QSize(788, 930), QPoint(70, 58)));
  EXPECT_TRUE(window_->windowFlags() & Qt::WindowMinimizeButtonHint);
  EXPECT_FALSE(window_->windowFlags() & (Qt::WindowCloseButtonHint | Qt::WindowMaximizeButtonHint));

  auto* box = Control<EditorTextBox>(window_.get(), 1001);
  ASSERT_NE(box, nullptr);
  EXPECT_EQ(box->geometry(), QRect(5, 5, 778, 875));
  EXPECT_EQ(box->horizontalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
  EXPECT_EQ(std::pair(box->font().family(), box->font().pixelSize()), std::pair(QString("Courier New"), 13));

  EXPECT_EQ(window_->statusBar()->property(kControlIdProperty).toInt(), 1008);
  EXPECT_TRUE(window_->statusBar()->font().bold());

  window_->activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(window_.get()));
  QWidget other;
  other.setFocusPolicy(Qt::StrongFocus);
  other.show();
  other.activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&other));
  EXPECT_FALSE(window_->Box().hasFocus());
  window_->activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(window_.get()));
  EXPECT_TRUE(window_->Box().hasFocus());

  bool ended = false;
  QObject::connect(window_.get(), &EditorWindow::Ended, [&ended] { ended = true; });
  window_->OnCommand(1007);
  window_->close();
  EXPECT_TRUE(ended && window_->HasEnded());
  EXPECT_EQ(window_->OpenDialog(), nullptr);
  EXPECT_FALSE(window_->findChild<QTimer*>()->isActive());
}

// Reading and writing without format share the last name chosen; a cancelled dialog forgets it.
TEST_F(EditorWindowTest, FileDialogsStartFromTheLastNameChosen) {
  dialogs_.fileAnswers = {"  /tmp/no such dir/notas.txt ", "", ""};
  window_->OnCommand(1002);  // not there: nothing happens
  EXPECT_EQ(dialogs_.lastFileChoice.startFolder, "");
  window_->OnCommand(1004);
  EXPECT_EQ(dialogs_.lastFileChoice.startFolder, "/tmp/no such dir/");
  EXPECT_EQ(dialogs_.lastFileChoice.proposedName, "notas.txt");
  window_->OnCommand(1002);
  EXPECT_EQ(dialogs_.lastFileChoice.startFolder, "");
  EXPECT_EQ(dialogs_.lastFileChoice.proposedName, "");
  EXPECT_TRUE(shown_.empty()) << "no message for a missing file or a cancelled dialog";
  EXPECT_EQ(window_->Box().Content().LineCount(), 2u) << "the ruler stays";
}

// A second request brings the open dialog forward; the next opens with the last request's options and texts.
TEST_F(EditorWindowTest, OneDialogAtATimeAndTheOptionsCarryOver) {
  window_->Box().SetText(u"uno dos uno");
  window_->Box().SetSelection(11, 11);
  window_->OnCommand(1007);
  FindReplaceDialog* find = window_->OpenDialog();
  ASSERT_NE(find, nullptr);
  EXPECT_EQ(find->windowTitle().toStdString(), "Buscar");
  EXPECT_TRUE(Control<QAbstractButton>(find, EditorId::Down)->isChecked()) << "downward alone at first";
  EXPECT_FALSE(Control<QAbstractButton>(find, EditorId::FindNext)->isEnabled()) << "nothing to find yet";
  window_->OnCommand(1011);
  EXPECT_EQ(window_->OpenDialog(), find);

  Control<QLineEdit>(find, EditorId::FindText)->setText("uno");
  Click(find, EditorId::WholeWord);
  Click(find, EditorId::Up);
  Click(find, EditorId::FindNext);
  EXPECT_EQ(window_->Box().Selection(), (TextSelection{8, 11}));
  Click(find, EditorId::Cancel);
  EXPECT_EQ(window_->OpenDialog(), nullptr);

  window_->OnCommand(1011);
  FindReplaceDialog* replace = window_->OpenDialog();
  ASSERT_NE(replace, nullptr);
  EXPECT_EQ(replace->windowTitle().toStdString(), "Reemplazar");
  EXPECT_EQ(Control<QLineEdit>(replace, EditorId::FindText)->text(), "uno") << "the last search shows";
  EXPECT_TRUE(Control<QAbstractButton>(replace, EditorId::WholeWord)->isChecked());
  Control<QLineEdit>(replace, EditorId::ReplaceText)->setText("1");
  Click(replace, EditorId::ReplaceAll);  // upward, as the find dialog left it
  EXPECT_EQ(window_->Box().Text(), u"1 dos uno");
}

}  // namespace
