#include "platform/ScriptedDialogs.h"
#include "texts/TextSet.h"
#include "viewer/shell/BusyIndicator.h"
#include "viewer/shell/MainWindow.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QElapsedTimer>

namespace {

struct RecordingDialogs : ScriptedDialogs {
  RecordingDialogs() : ScriptedDialogs([](const std::string&) {}) {}
  void ShowMessage(std::string_view caption, std::string_view text, MessageStyle s, MessageIcon i) override {
    shown = std::string(caption) + " | " + std::string(text), style = s, icon = i;
  }
  std::string shown;
  MessageStyle style = MessageStyle::Plain;
  MessageIcon icon = MessageIcon::None;
};

TEST(StartupFailure, EachBuildShowsItsOwnBox) {
  struct Case { const TextSet& set; const char* shown; MessageStyle style; };
  const Case cases[] = {
      {SpanishTexts(), " | Error inicializando GDI+ ... (El programa necesita XP ó superior ...)",
       MessageStyle::TaskModalFront},
      {EnglishTexts(), "Programmer | Error initializing GDI+ ... (The program requires XP or higher ...)",
       MessageStyle::Plain},
  };
  for (const Case& c : cases) {
    InstallTextSet(c.set);
    RecordingDialogs dialogs;
    ShowStartupFailure(dialogs);
    EXPECT_EQ(dialogs.shown, c.shown);
    EXPECT_EQ(dialogs.style, c.style);
    EXPECT_EQ(dialogs.icon, MessageIcon::Warning);
  }
}

// Control 1089 at (138, 358), 385 x 133 px, steps through the frames 801..812 as its timer runs.
TEST(BusyIndicator, SitsInItsPlaceAndStepsThroughItsFrames) {
  QWidget window;
  BusyIndicator busy(&window);
  EXPECT_EQ(busy.geometry(), QRect(138, 358, 385, 133));
  busy.Show();
  std::vector<int> frames = {busy.frame()};
  QElapsedTimer waited;
  waited.start();
  while (frames.size() < 3 && waited.elapsed() < 10000) {
    QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
    if (busy.frame() != frames.back()) frames.push_back(busy.frame());
  }
  busy.Hide();
  EXPECT_EQ(frames, (std::vector<int>{801, 802, 803}));
}

}  // namespace
