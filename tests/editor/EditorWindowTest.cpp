#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QAction>
#include <QLineEdit>
#include <QMenuBar>
#include <QStatusBar>
#include <QTest>
#include <QTimer>

#include <string>
#include <vector>

#include "editor/EditorIds.h"
#include "editor/EditorTextBox.h"
#include "editor/EditorWindow.h"
#include "platform/ScriptedDialogs.h"
#include "texts/TextSet.h"

namespace {

struct Language {
  const char* name;
  const TextSet& (*texts)();
};

void PrintTo(const Language& language, std::ostream* out) { *out << language.name; }

class EditorWindowTest : public testing::TestWithParam<Language> {
 protected:
  void SetUp() override {
    InstallTextSet(GetParam().texts());
    window_ = std::make_unique<EditorWindow>(dialogs_);
    window_->show();
  }

  std::string T(TextId id) const { return std::string(Text(id)); }

  template <typename Widget>
  Widget* Control(QWidget* parent, int id) {
    for (Widget* widget : parent->findChildren<Widget*>()) {
      if (widget->property(kControlIdProperty).toInt() == id) return widget;
    }
    return nullptr;
  }

  std::vector<std::string> shown_;
  ScriptedDialogs dialogs_{[this](const std::string& line) { shown_.push_back(line); }};
  std::unique_ptr<EditorWindow> window_;
};

TEST_P(EditorWindowTest, OpensWithTheRulerAndZeroCounts) {
  EXPECT_EQ(window_->windowTitle().toStdString(), T(TextId::EditorWindowTitle));
  EXPECT_EQ(window_->size(), QSize(788, 930));
  EXPECT_EQ(window_->pos(), QPoint(70, 58));
  const Qt::WindowFlags flags = window_->windowFlags();
  EXPECT_TRUE(flags & Qt::WindowMinimizeButtonHint);
  EXPECT_FALSE(flags & Qt::WindowCloseButtonHint);
  EXPECT_FALSE(flags & Qt::WindowMaximizeButtonHint);

  auto* box = Control<EditorTextBox>(window_.get(), EditorId::TextBox);
  ASSERT_NE(box, nullptr);
  EXPECT_EQ(box->geometry(), QRect(5, 5, 778, 875));
  EXPECT_EQ(box->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
  EXPECT_EQ(box->horizontalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
  EXPECT_EQ(box->Content().LineCount(), 2u) << "the ruler's asterisk wraps";
  EXPECT_EQ(box->font().family(), "Courier New");
  EXPECT_EQ(box->font().pixelSize(), 13);

  EXPECT_EQ(window_->statusBar()->property(kControlIdProperty).toInt(), EditorId::StatusBar);
  EXPECT_TRUE(window_->statusBar()->font().bold());
  EXPECT_EQ(window_->LinesStatus().toStdString(), T(TextId::EditorStatusLinesInitial));
  EXPECT_EQ(window_->PagesStatus().toStdString(), T(TextId::EditorStatusPagesInitial));

  auto* timer = window_->findChild<QTimer*>();
  ASSERT_NE(timer, nullptr);
  EXPECT_EQ(timer->property(kControlIdProperty).toInt(), EditorId::RefreshTimer);
  EXPECT_EQ(timer->interval(), 1000);
  EXPECT_TRUE(timer->isActive());
}

// The menu in order: a popup title, then its entries ("-" a separator).
TEST_P(EditorWindowTest, MenuCarriesTheCommandsInOrder) {
  std::vector<std::pair<std::string, int>> menu;
  for (QAction* popup : window_->menuBar()->actions()) {
    menu.emplace_back(popup->text().toStdString(), -1);
    for (QAction* entry : popup->menu()->actions()) {
      menu.emplace_back(entry->isSeparator() ? "-" : entry->text().toStdString(),
                        entry->isSeparator() ? 0 : entry->data().toInt());
    }
  }
  const std::vector<std::pair<std::string, int>> expected = {
      {T(TextId::EditorMenuFiles), -1},
      {T(TextId::EditorMenuNew), 1010},
      {"-", 0},
      {T(TextId::EditorMenuReadPlain), 1002},
      {"-", 0},
      {T(TextId::EditorMenuWriteFormatted), 1003},
      {"-", 0},
      {T(TextId::EditorMenuWriteUnformatted), 1004},
      {"-", 0},
      {T(TextId::EditorMenuAuthor), 1005},
      {"-", 0},
      {T(TextId::EditorMenuExit), 1006},
      {T(TextId::EditorMenuEdit), -1},
      {T(TextId::EditorMenuFind), 1007},
      {"-", 0},
      {T(TextId::EditorMenuReplace), 1011},
  };
  EXPECT_EQ(menu, expected);
}

TEST_P(EditorWindowTest, AboutShowsItsFiveLines) {
  window_->OnCommand(EditorId::Author);
  ASSERT_EQ(shown_.size(), 1u);
  EXPECT_EQ(shown_[0], "message " + T(TextId::CaptionProgrammer) + " | " + T(TextId::EditorAboutHope) +
                           "\\n" + T(TextId::EditorAboutComplement) + "\\n" +
                           T(TextId::EditorAboutMadeBy) + T(TextId::MakerWebAddress) + "\\n\\n" +
                           T(TextId::EditorAboutVisitMe));
}

// Reading and writing without format share the last name chosen; a
// cancelled dialog forgets it.
TEST_P(EditorWindowTest, FileDialogsStartFromTheLastNameChosen) {
  dialogs_.fileAnswers = {"  /tmp/no such dir/notas.txt ", "", ""};
  window_->OnCommand(EditorId::ReadPlainText);  // not there: nothing happens
  EXPECT_EQ(dialogs_.lastFileChoice.filterName, T(TextId::EditorOpenFilter));
  EXPECT_EQ(dialogs_.lastFileChoice.startFolder, "");
  window_->OnCommand(EditorId::WriteWithoutFormat);
  EXPECT_EQ(dialogs_.lastFileChoice.startFolder, "/tmp/no such dir/");
  EXPECT_EQ(dialogs_.lastFileChoice.proposedName, "notas.txt");
  EXPECT_EQ(dialogs_.lastFileChoice.filterName, "txt");
  EXPECT_EQ(dialogs_.lastFileChoice.pattern, "*.*");
  window_->OnCommand(EditorId::ReadPlainText);
  EXPECT_EQ(dialogs_.lastFileChoice.startFolder, "");
  EXPECT_EQ(dialogs_.lastFileChoice.proposedName, "");
  EXPECT_TRUE(shown_.empty()) << "no message for a missing file or a cancelled dialog";
  EXPECT_EQ(window_->Box().Content().LineCount(), 2u) << "the ruler stays";
}

TEST_P(EditorWindowTest, CountsChangeOnlyWithTheTimer) {
  window_->Box().SetText(u"");
  EXPECT_EQ(window_->LinesStatus().toStdString(), T(TextId::EditorStatusLinesInitial));
  window_->RefreshCounts();
  EXPECT_EQ(window_->LinesStatus().toStdString(), "1" + T(TextId::EditorStatusLinesSuffix));
  EXPECT_EQ(window_->PagesStatus().toStdString(), "0" + T(TextId::EditorStatusPagesSuffix));
}

// Asking for a dialog while one is open brings that one forward; the next
// dialog opens with the options the last request reported.
TEST_P(EditorWindowTest, OneDialogAtATimeAndTheOptionsCarryOver) {
  window_->Box().SetText(u"uno dos uno");
  window_->Box().SetSelection(11, 11);
  window_->OnCommand(EditorId::Find);
  FindReplaceDialog* find = window_->OpenDialog();
  ASSERT_NE(find, nullptr);
  EXPECT_EQ(find->windowTitle().toStdString(), T(TextId::EditorFindDialogTitle));
  EXPECT_TRUE(Control<QAbstractButton>(find, EditorId::Down)->isChecked()) << "FR_DOWN alone at first";
  EXPECT_FALSE(Control<QAbstractButton>(find, EditorId::FindNext)->isEnabled()) << "nothing to find yet";
  window_->OnCommand(EditorId::Replace);
  EXPECT_EQ(window_->OpenDialog(), find);
  EXPECT_EQ(find->Mode(), FindDialogMode::Find);

  Control<QLineEdit>(find, EditorId::FindText)->setText("uno");
  Control<QAbstractButton>(find, EditorId::WholeWord)->click();
  Control<QAbstractButton>(find, EditorId::Up)->click();
  Control<QAbstractButton>(find, EditorId::FindNext)->click();
  EXPECT_EQ(window_->Box().Selection(), (TextSelection{8, 11}));
  Control<QAbstractButton>(find, EditorId::Cancel)->click();
  EXPECT_EQ(window_->OpenDialog(), nullptr);

  window_->OnCommand(EditorId::Replace);
  FindReplaceDialog* replace = window_->OpenDialog();
  ASSERT_NE(replace, nullptr);
  EXPECT_EQ(replace->Mode(), FindDialogMode::Replace);
  EXPECT_EQ(Control<QLineEdit>(replace, EditorId::FindText)->text(), "uno") << "the last search shows";
  EXPECT_TRUE(Control<QAbstractButton>(replace, EditorId::WholeWord)->isChecked());
  EXPECT_EQ(Control<QAbstractButton>(replace, EditorId::Up), nullptr);
  Control<QLineEdit>(replace, EditorId::ReplaceText)->setText("1");
  // Upward, as the find dialog left it: the occurrence before the selection.
  Control<QAbstractButton>(replace, EditorId::ReplaceAll)->click();
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
  window_->OnCommand(EditorId::Find);
  window_->close();
  EXPECT_TRUE(ended);
  EXPECT_TRUE(window_->HasEnded());
  EXPECT_EQ(window_->OpenDialog(), nullptr);
  EXPECT_FALSE(window_->findChild<QTimer*>()->isActive());
}

INSTANTIATE_TEST_SUITE_P(Languages, EditorWindowTest,
                         testing::Values(Language{"Spanish", &SpanishTexts}, Language{"English", &EnglishTexts}),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
