#include "tests/TempFolder.h"
#include "viewer/document/Document.h"
#include "viewer/output/DefaultPrinter.h"
#include "viewer/output/ExportRequest.h"
#include "viewer/output/OutputDialogLayout.h"
#include "viewer/output/PdfLinks.h"
#include "viewer/output/PrintJob.h"
#include "viewer/output/PrintSetupDialog.h"

#include <map>
#include <QAbstractButton>
#include <QDialog>

#include <gtest/gtest.h>
#include <fcntl.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

namespace {

// A range needs two or more pages, starting below the last one (13 here).
TEST(ExportChoices, RangesOfTwoOrMorePagesInsideAndOneFolderBelowTheProgramFolder) {
  const std::tuple<const char*, const char*, bool> cases[] = {
      {"1", "2", true},   {"12", "13", true}, {" 2 ", "4", true}, {"3", "3", false},    {"13", "14", false},
      {"5", "3", false},  {"0", "5", false},  {"2x", "5", false}, {"  ", "5", false},   {"1", "99999", false},
      {"1", "65538", false}};  // 65538 would wrap to 2 in 16 bits
  for (const auto& [first, last, valid] : cases) {
    EXPECT_EQ(IsExportRangeValid(PageBoxValue(first), PageBoxValue(last), 13), valid) << first << ".." << last;
  }
  // A folder name: one folder right below the program folder.
  const std::pair<const char*, bool> folders[] = {{"x", true},     {"página 1", true}, {"   ", false},
                                                  {".", false},    {" .. ", false},    {"a/b", false},
                                                  {"..\\x", false}, {"a\tb", false}};
  for (const auto& [typed, valid] : folders) EXPECT_EQ(IsExportFolderNameValid(TrimFolderName(typed)), valid) << typed;
  EXPECT_EQ(TrimFolderName(" fotos "), "fotos");
}

// Each press starts from the request the last left: Save needs a folder (in mode 2 a range), Print none.
TEST(ExportButtons, EachButtonClosesOnlyOnWhatItNeeds) {
  struct Case { ExportButton button; ExportDialogInput input; bool closes; ExportRequest after; };
  const Case cases[] = {
      {ExportButton::Save, {3, "", "", " fotos"}, true, {3, 0, 0, "fotos", 0}},
      {ExportButton::Print, {2, "9", "2", ""}, false, {}},  // a refused Print does not turn the next Save into one
      {ExportButton::Save, {2, "4", "6", "x"}, true, {2, 4, 6, "x", 0}},
      {ExportButton::Exit, {3, "", "", ""}, true, {0, 0, 0, "x", 0}},  // the folder is kept for the run
      {ExportButton::Print, {1, "", "", ""}, true, {1, 0, 0, "", 1}},
  };
  ExportRequest request;
  for (std::size_t i = 0; i < std::size(cases); ++i) {
    const Case& c = cases[i];
    EXPECT_EQ(AcceptExportButton(c.button, c.input, 13, request), c.closes) << i;
    EXPECT_EQ(request.printRequested, c.after.printRequested) << i;
    if (!c.closes) continue;
    EXPECT_EQ(request.mode, c.after.mode) << i;
    const bool keepsFolder = c.button != ExportButton::Print, keepsRange = c.after.mode == 2;
    EXPECT_EQ(keepsFolder ? request.folder : "", keepsFolder ? c.after.folder : "") << i;
    EXPECT_EQ(keepsRange ? request.first * 100 + request.last : 0, c.after.first * 100 + c.after.last) << i;
  }
}

// Link areas cover the cells a click follows: the first listed of overlapping pieces, none not followed.
TEST(PdfLinkAreas, TheCellsAClickFollows) {
  Document document;
  document.PageCount = 10;
  LineRecord& line = document.UseLine(2, 5);
  line.hasLinks = line.hasMarks = 1;
  line.linkPieces = "5,12,20,1E1;5,15,30,1E2;5,40,44,1E3;5,50,52,2E4;";
  line.linkTargets = "10,1E1;3,1E2;11,1E3;4,2E4;";
  const std::vector<PageLinkArea> areas = PageLinkAreas(document, 2);
  ASSERT_EQ(areas.size(), 2u);
  // Columns 12..20 of line 5, then 21..30.
  EXPECT_EQ(std::pair(areas[0].area, areas[0].targetPage), std::pair(QRect(88, 64, 72, 16), 10));
  EXPECT_EQ(std::pair(areas[1].area, areas[1].targetPage), std::pair(QRect(160, 64, 80, 16), 3));
  EXPECT_TRUE(PageLinkAreas(document, 1).empty());
}

// A click clears only its own radio group; 2 pixels a dialog unit; a list is as tall as its closed box.
TEST(OutputDialogLayout, EachRadioGroupKeepsItsChoiceAndControlsTakeTheirTemplateBox) {
  using K = OutputControl;
  const OutputControlSpec specs[] = {
      {1, K::FirstRadio, {}, 5, 20, 185, 30}, {2, K::Radio, {}, 5, 52, 185, 30},
      {3, K::FirstRadio, {}, 5, 88, 25, 16},  {4, K::Radio, {}, 5, 107, 185, 30},
      {5, K::List, {}, 5, 20, 115, 40}};
  QDialog dialog;
  const std::map<int, QWidget*> controls = CreateOutputControls(dialog, specs, {8, 16});
  const auto radio = [&controls](int id) { return static_cast<QAbstractButton*>(controls.at(id)); };
  for (const int id : {1, 4, 2}) radio(id)->click();
  EXPECT_EQ(std::tuple(radio(1)->isChecked(), radio(2)->isChecked(), radio(4)->isChecked()),
            std::tuple(false, true, true));
  EXPECT_EQ(controls.at(3)->geometry(), QRect(10, 176, 50, 32));
  EXPECT_EQ(controls.at(5)->geometry(), QRect(10, 40, 230, controls.at(5)->sizeHint().height()));
}

using Options = std::map<std::string, std::string>;

// Qualities 1-4 are draft, normal, normal, high; an unsupported or unchosen setting leaves the printer's default.
TEST(PrintSettings, TheSettingsBecomeTheJobsOptionsAndPickTheirListItems) {
  const std::tuple<PrintJobSettings, std::string, Options> cases[] = {
      {{10, 2, 4}, "", {{"copies", "10"}, {"print-color-mode", "color"}, {"print-quality", "5"}}},
      {{1, 1, 3}, "", {{"copies", "1"}, {"print-color-mode", "monochrome"}, {"print-quality", "4"}}},
      {{2, 1, 5}, "", {{"copies", "2"}, {"print-color-mode", "monochrome"}}},
      {{0, 0, 0}, "", {}},
      {{3, 2, 1}, "print-color-mode", {{"copies", "3"}, {"print-quality", "3"}}},
  };
  for (const auto& [settings, unsupported, options] : cases) {
    const std::string& missing = unsupported;  // a lambda may not capture a structured binding before C++20 in clang
    const auto list = PrintJobOptions(settings, [&](const std::string& name, auto&) { return name != missing; });
    EXPECT_EQ(Options(list.begin(), list.end()), options) << settings.copies << settings.quality << unsupported;
  }
  // The sixth item reads "10 copias": a stored 6 picks it too. Values out of range pick nothing.
  const std::pair<int, int> copies[] = {{1, 0}, {6, 5}, {10, 5}, {0, -1}, {7, -1}, {11, -1}};
  for (const auto& [stored, item] : copies) EXPECT_EQ(CopiesItem(stored), item) << stored;
  EXPECT_EQ(std::tuple(ColourItem(3), QualityItem(0), QualityItem(5)), std::tuple(-1, -1, -1));
  EXPECT_EQ(std::tuple(ItemValue(QStringLiteral("01 copy"), 2), ItemValue(QString(), 2)), std::tuple(1, 0));
}

// A print system that never answers is waited for once per command, the window getting its turns meanwhile.
TEST(PrintSystemLink, ASilentPrintSystemIsWaitedForOnceWithTheWindowAlive) {
  TempFolder folder;
  const std::string path = folder.File("hung.sock");
  const int listener = ::socket(AF_UNIX, SOCK_STREAM, 0);
  sockaddr_un address{};
  address.sun_family = AF_UNIX;
  path.copy(address.sun_path, sizeof address.sun_path - 1);
  ASSERT_EQ(::bind(listener, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
  ASSERT_EQ(::listen(listener, 8), 0);
  ::setenv("CUPS_SERVER", path.c_str(), 1);
  int turns = 0;
  PrintSystemLink link([&turns] { ++turns; });
  EXPECT_EQ(link.DefaultPrinterName(), "");
  EXPECT_GT(turns, 0);
  for (int page = 1; page <= 3; ++page) {
    PrintFailure failure;
    EXPECT_EQ(link.Attach(failure), nullptr);
    EXPECT_EQ(failure.description, "Print system not available") << page;
  }
  int connections = 0;
  ::fcntl(listener, F_SETFL, O_NONBLOCK);
  for (int accepted; (accepted = ::accept(listener, nullptr, nullptr)) >= 0; ++connections) ::close(accepted);
  ::unsetenv("CUPS_SERVER");
  ::close(listener);
  EXPECT_EQ(connections, 1);
}

// The ten seconds a request may wait hold for each request of a print, not for all of them together.
TEST(ReplyWait, EachRequestMayWaitTenSeconds) {
  ReplyWait wait;
  const int stepsInTenSeconds = static_cast<int>(10.0 / ReplyWait::kStepSeconds + 0.5);
  for (int request = 1; request <= 5; ++request) {
    wait.NewRequest();
    for (int step = 1; step < stepsInTenSeconds; ++step) ASSERT_TRUE(wait.KeepWaiting()) << request << ", " << step;
    EXPECT_FALSE(wait.KeepWaiting()) << "given up after ten seconds of request " << request;
  }
}

}  // namespace
