// The editor's window and its text box as the writer sees and uses them.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QAction>
#include <QClipboard>
#include <QGuiApplication>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QScrollBar>
#include <QStatusBar>
#include <QTest>
#include <QTimer>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "editor/EditorIds.h"
#include "editor/EditorTextBox.h"
#include "editor/EditorWindow.h"
#include "platform/ScriptedDialogs.h"
#include "texts/TextSet.h"

namespace {

std::u16string Letters(char16_t letter, std::size_t count) { return std::u16string(count, letter); }

class EditorTextBoxTest : public testing::Test {
 protected:
  void SetUp() override {
    box_.resize(778, 875);
    box_.show();
  }

  // Every visible cell of the 8 x 16 grid shows ink exactly where the laid
  // out line has a character that prints.
  void ExpectShownAsLaidOut() {
    const QImage image = box_.viewport()->grab().toImage();
    const std::u16string_view text = box_.Text();
    const std::vector<VisualLine> lines = LayoutVisualLines(text);
    const std::size_t first = box_.FirstVisibleLine();
    const std::size_t rows = static_cast<std::size_t>(image.height() / box_.LineHeight());
    for (std::size_t row = 0; row < rows && first + row < lines.size(); ++row) {
      const VisualLine& line = lines[first + row];
      for (std::size_t column = 0; column < 94; ++column) {
        const bool prints = column < line.length && text[line.start + column] > u' ';
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

TEST_F(EditorTextBoxTest, ShowsTheLinesCellByCell) {
  std::u16string many;
  for (int k = 0; k < 40; ++k) many += Letters(u'X', 92) + u" X\r\n\r\n";
  const struct {
    const char* name;
    std::u16string text;
    int topLine;
  } cases[] = {
      {"the ruler's asterisk wraps",
       u"123456789012345678901234567890123456789012345678901234567890123456789012345678901234567890123*", 0},
      {"blanks kept at the break", Letters(u'X', 93) + u"      XX", 0},
      {"a run of blanks across the box", u"X" + Letters(u' ', 200) + u"X", 0},
      {"words after a long word", Letters(u'X', 100) + u" XX XX", 0},
      {"lone CR, lone LF, tab and NUL", std::u16string(u"X\rXX\nX\tX\0X", 10), 0},
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
}

// Item `n` (from 1) of the box's context menu: Undo, Cut, Copy, Paste,
// Delete, Select All.
QAction* MenuItem(QMenu& menu, int n) {
  QList<QAction*> items;
  for (QAction* action : menu.actions()) {
    if (!action->isSeparator()) items.push_back(action);
  }
  return items.size() == 6 ? items[n - 1] : nullptr;
}

TEST_F(EditorTextBoxTest, KeysAndTheContextMenuEditAsInThePlatformBox) {
  using Keys = std::function<void(EditorTextBox*)>;
  const auto key = [](Qt::Key k, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    return [k, modifiers](EditorTextBox* w) { QTest::keyClick(w, k, modifiers); };
  };
  const auto selectThenMenu = [](std::vector<int> items) {
    return [items](EditorTextBox* w) {
      QTest::keyClick(w, Qt::Key_Right, Qt::ShiftModifier);
      for (const int item : items) {
        const std::unique_ptr<QMenu> menu = w->MakeContextMenu();
        ASSERT_TRUE(MenuItem(*menu, item) && MenuItem(*menu, item)->isEnabled()) << item;
        MenuItem(*menu, item)->trigger();
      }
    };
  };
  const struct {
    const char* name;
    std::u16string text;
    std::size_t caret;
    Keys keys;
    std::u16string after;
    TextSelection selection;
  } cases[] = {
      {"Enter types CR LF", u"ab", 1, key(Qt::Key_Return), u"a\r\nb", {3, 3}},
      {"Backspace takes CR LF whole", u"a\r\nb", 3, key(Qt::Key_Backspace), u"ab", {1, 1}},
      {"Delete takes CR LF whole", u"a\r\nb", 1, key(Qt::Key_Delete), u"ab", {1, 1}},
      {"Tab types a tab", u"ab", 1, key(Qt::Key_Tab), u"a\tb", {2, 2}},
      {"typing replaces the selection", u"abc", 0,
       [](EditorTextBox* w) { QTest::keyClick(w, Qt::Key_End, Qt::ShiftModifier), QTest::keyClicks(w, "xy"); }, u"xy",
       {2, 2}},
      {"a second undo takes back the undo", u"ab", 2,
       [](EditorTextBox* w) { QTest::keyClicks(w, "cde"); for (int k = 0; k < 2; ++k) QTest::keyClick(w, Qt::Key_Z, Qt::ControlModifier); },
       u"abcde", {5, 5}},
      {"Down keeps the column", u"abcdef\r\nxy\r\nuvwxyz", 4,
       [](EditorTextBox* w) { QTest::keyClick(w, Qt::Key_Down), QTest::keyClick(w, Qt::Key_Down); },
       u"abcdef\r\nxy\r\nuvwxyz", {16, 16}},
      {"Ctrl+A selects everything", u"a\r\nb", 0, key(Qt::Key_A, Qt::ControlModifier), u"a\r\nb", {0, 4}},
      {"control keys type nothing", u"ab", 1, key(Qt::Key_B, Qt::ControlModifier), u"ab", {1, 1}},
      {"the menu's Paste puts the Cut where the caret is", u"abc", 1, selectThenMenu({2, 6, 4}), u"b", {1, 1}},
      {"the menu's Undo takes back its Delete", u"abc", 1, selectThenMenu({5, 1}), u"abc", {2, 2}},
      {"the menu's Copy leaves the text", u"abc", 1, selectThenMenu({3}), u"abc", {1, 2}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    box_.SetText(c.text);
    box_.SetSelection(c.caret, c.caret);
    c.keys(&box_);
    EXPECT_EQ(box_.Text(), c.after);
    EXPECT_EQ(box_.Selection(), c.selection);
  }
}

// Each item of the context menu (Undo, Cut, Copy, Paste, Delete, Select
// All) is enabled exactly when it can act.
TEST_F(EditorTextBoxTest, TheContextMenuEnablesWhatCanAct) {
  const struct {
    std::u16string text;
    TextSelection selection;
    const char* clipboard;
    std::vector<bool> enabled;
  } cases[] = {
      {u"", {0, 0}, "", {false, false, false, false, false, false}},
      {u"abc", {1, 1}, "x", {false, false, false, true, false, true}},
      {u"abc", {0, 3}, "", {false, true, true, false, true, false}},
  };
  for (const auto& c : cases) {
    box_.SetText(c.text);
    box_.SetSelection(c.selection.start, c.selection.end);
    QGuiApplication::clipboard()->setText(c.clipboard);
    const std::unique_ptr<QMenu> menu = box_.MakeContextMenu();
    std::vector<bool> enabled;
    for (int item = 1; item <= 6; ++item) enabled.push_back(MenuItem(*menu, item)->isEnabled());
    EXPECT_EQ(enabled, c.enabled) << c.selection.start << ".." << c.selection.end;
  }
}

// End on a wrapped line stops after its kept blank, on that line; a click
// puts the caret in the cell clicked, a double click selects the word.
TEST_F(EditorTextBoxTest, CaretFollowsTheGrid) {
  box_.SetText(Letters(u'a', 92) + u" bbb\r\ntres");
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

TEST_F(EditorTextBoxTest, ReplacingTheWholeTextKeepsTheViewAndCanBeUndone) {
  std::u16string text;
  for (int k = 0; k < 200; ++k) text += u"linea\r\n";
  box_.SetText(text);
  box_.verticalScrollBar()->setValue(100);
  std::u16string changed = text;
  box_.ReplaceWholeText(changed.replace(700, 5, u"LINEA"));
  EXPECT_EQ(box_.Text(), changed);
  EXPECT_EQ(box_.FirstVisibleLine(), 100u);
  QTest::keyClick(&box_, Qt::Key_Z, Qt::ControlModifier);
  EXPECT_EQ(box_.Text(), text);
}

// The window's texts in each build, as the writer reads them.
struct Language {
  const char* name;
  const TextSet& (*texts)();
  const char* title;
  const char* linesZero;
  const char* pagesZero;
  std::vector<std::string> menu;  // popups and entries in order, "-" a separator
  std::vector<std::string> about;
  const char* findTitle;
  const char* replaceTitle;
};

void PrintTo(const Language& language, std::ostream* out) { *out << language.name; }

class EditorWindowTest : public testing::TestWithParam<Language> {
 protected:
  void SetUp() override {
    InstallTextSet(GetParam().texts());
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

TEST_P(EditorWindowTest, OpensWithTheRulerAndZeroCounts) {
  EXPECT_EQ(window_->windowTitle().toStdString(), GetParam().title);
  EXPECT_EQ(window_->size(), QSize(788, 930));
  EXPECT_EQ(window_->pos(), QPoint(70, 58));
  EXPECT_TRUE(window_->windowFlags() & Qt::WindowMinimizeButtonHint);
  EXPECT_FALSE(window_->windowFlags() & (Qt::WindowCloseButtonHint | Qt::WindowMaximizeButtonHint));

  auto* box = Control<EditorTextBox>(window_.get(), 1001);
  ASSERT_NE(box, nullptr);
  EXPECT_EQ(box->geometry(), QRect(5, 5, 778, 875));
  EXPECT_EQ(box->horizontalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
  EXPECT_EQ(box->Content().LineCount(), 2u) << "the ruler's asterisk wraps";
  EXPECT_EQ(box->font().family(), "Courier New");
  EXPECT_EQ(box->font().pixelSize(), 13);

  EXPECT_EQ(window_->statusBar()->property(kControlIdProperty).toInt(), 1008);
  EXPECT_TRUE(window_->statusBar()->font().bold());
  EXPECT_EQ(window_->LinesStatus().toStdString(), GetParam().linesZero);
  EXPECT_EQ(window_->PagesStatus().toStdString(), GetParam().pagesZero);
  auto* timer = window_->findChild<QTimer*>();
  ASSERT_NE(timer, nullptr);
  EXPECT_EQ(timer->interval(), 1000);
  EXPECT_TRUE(timer->isActive());
}

TEST_P(EditorWindowTest, MenuAndAboutShowTheBuildsTexts) {
  std::vector<std::string> menu;
  std::vector<int> ids;
  for (QAction* popup : window_->menuBar()->actions()) {
    menu.push_back(popup->text().toStdString());
    for (QAction* entry : popup->menu()->actions()) {
      menu.push_back(entry->isSeparator() ? "-" : entry->text().toStdString());
      if (!entry->isSeparator()) ids.push_back(entry->data().toInt());
    }
  }
  EXPECT_EQ(menu, GetParam().menu);
  EXPECT_EQ(ids, (std::vector<int>{1010, 1002, 1003, 1004, 1005, 1006, 1007, 1011}));

  window_->OnCommand(1005);
  const std::vector<std::string>& about = GetParam().about;
  EXPECT_EQ(shown_, std::vector<std::string>{"message " + about[0] + " | " + about[1] + "\\n" + about[2] + "\\n" +
                                             about[3] + std::string(Text(TextId::MakerWebAddress)) + "\\n\\n" +
                                             about[4]});
}

// Reading and writing without format share the last name chosen; a
// cancelled dialog forgets it.
TEST_P(EditorWindowTest, FileDialogsStartFromTheLastNameChosen) {
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

// Asking for a dialog while one is open brings that one forward; the next
// dialog opens with the options and texts the last request reported.
TEST_P(EditorWindowTest, OneDialogAtATimeAndTheOptionsCarryOver) {
  window_->Box().SetText(u"uno dos uno");
  window_->Box().SetSelection(11, 11);
  window_->OnCommand(1007);
  FindReplaceDialog* find = window_->OpenDialog();
  ASSERT_NE(find, nullptr);
  EXPECT_EQ(find->windowTitle().toStdString(), GetParam().findTitle);
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
  EXPECT_EQ(replace->windowTitle().toStdString(), GetParam().replaceTitle);
  EXPECT_EQ(Control<QLineEdit>(replace, EditorId::FindText)->text(), "uno") << "the last search shows";
  EXPECT_TRUE(Control<QAbstractButton>(replace, EditorId::WholeWord)->isChecked());
  Control<QLineEdit>(replace, EditorId::ReplaceText)->setText("1");
  Click(replace, EditorId::ReplaceAll);  // upward, as the find dialog left it
  EXPECT_EQ(window_->Box().Text(), u"1 dos uno");
}

// Switching to another window and back puts the caret back in the box.
TEST_P(EditorWindowTest, TheBoxGetsTheFocusBackWhenTheWindowIsActiveAgain) {
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
}

TEST_P(EditorWindowTest, ACloseRequestEndsTheWindowAsExitDoes) {
  bool ended = false;
  QObject::connect(window_.get(), &EditorWindow::Ended, [&ended] { ended = true; });
  window_->OnCommand(1007);
  window_->close();
  EXPECT_TRUE(ended && window_->HasEnded());
  EXPECT_EQ(window_->OpenDialog(), nullptr);
  EXPECT_FALSE(window_->findChild<QTimer*>()->isActive());
}

INSTANTIATE_TEST_SUITE_P(
    Languages, EditorWindowTest,
    testing::Values(
        Language{"Spanish", &SpanishTexts, "Editor para Marvessa DIN A4", "0 líneas", "0 páginas",
                 {"Archivos", "Nuevo", "-", "Leer texto plano", "-", "Grabar texto plano con formato", "-",
                  "Grabar texto plano sin formato", "-", "Autor", "-", "Salir", "Editar", "Buscar", "-", "Reemplazar"},
                 {"Programador", "Espero te sirva de utilidad este pequeño programa ...",
                  "Complemento para el Marvessa DIN A4", "Programa realizado por ", "Visitame !!! "},
                 "Buscar", "Reemplazar"},
        Language{"English", &EnglishTexts, "Editor for Marvessa marvessa-en", "0 lines", "0 pages",
                 {"Files", "New", "-", "Read plain text", "-", "Write plain text with format", "-",
                  "Write plain text without format", "-", "Author", "-", "Exit", "Edit", "Find", "-", "Replace"},
                 {"Programmer", "I hope this little program will be useful to you ...",
                  "Complement for Marvessa marvessa-en", "Program made by ", "Visit me !!! "},
                 "Find", "Replace"}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
