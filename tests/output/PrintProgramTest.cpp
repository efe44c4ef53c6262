#include "tests/output/OutputProgram.h"
#include "tests/output/PrivateCups.h"

#include <unistd.h>

#include <cstdlib>
#include <memory>
#include <optional>

namespace {

constexpr const char* kQueue = "marvessa-pdf";

// The test printer's A4 sheet as pdftoppm draws it at 20 dpi: the page is
// fitted into the printable part, 18 points in from every edge, with its
// proportions kept: as wide as that part and centred in its height.
struct SheetRaster {
  static constexpr double kScale = 20.0 / 72.0;
  static constexpr double kWidthPoints = 559;
  static constexpr double kHeightPoints = kWidthPoints * 1122 / 794;
  static constexpr double kLeft = 18 * kScale;
  static constexpr double kTop = (18 + (806 - kHeightPoints) / 2) * kScale;
  static constexpr double kWidth = kWidthPoints * kScale;
  static constexpr double kHeight = kHeightPoints * kScale;

  static int Row(int pageY) { return static_cast<int>(kTop + pageY * kHeight / 1122); }
  static int Column(int pageX) { return static_cast<int>(kLeft + pageX * kWidth / 794); }
  static int LineOfRow(int row) { return static_cast<int>((row + 0.5 - kTop) * 1122 / kHeight / 16) + 1; }
};

// The text line whose band holds the most ink.
int DarkestLine(const QImage& sheet) {
  int darkest = 0;
  long best = -1;
  for (int row = SheetRaster::Row(0); row < SheetRaster::Row(65 * 16); ++row) {
    long ink = 0;
    for (int x = 0; x < sheet.width(); ++x) ink += 255 - qGray(sheet.pixel(x, row));
    if (ink > best) {
      best = ink;
      darkest = row;
    }
  }
  return SheetRaster::LineOfRow(darkest);
}

class Print : public OutputProgram {
 protected:
  void SetUp() override {
    for (const char* name : {"CUPS_SERVER", "PRINTER", "LPDEST"}) {
      if (const char* value = std::getenv(name)) saved_.emplace_back(name, value);
      ::unsetenv(name);
    }
    UseScheduler(folder.File("no-scheduler.sock"));
  }
  void TearDown() override {
    ::unsetenv("CUPS_SERVER");
    for (const auto& [name, value] : saved_) ::setenv(name.c_str(), value.c_str(), 1);
  }

  static void UseScheduler(const std::string& socket) { ::setenv("CUPS_SERVER", socket.c_str(), 1); }

  // A scheduler of the test's own with the PDF queue; skips only where the
  // machine has no print system to run.
  void StartScheduler(bool defaultQueue) {
    const std::string missing = PrivateCups::MissingTools();
    if (!missing.empty()) GTEST_SKIP() << "no print system to test with: " << missing;
    cups_ = std::make_unique<PrivateCups>();
    std::string why;
    ASSERT_TRUE(cups_->Start(why)) << why;
    ASSERT_TRUE(cups_->AddPdfQueue(kQueue, defaultQueue, why)) << why;
    UseScheduler(cups_->Socket());
  }

  std::string PrintRangeScript(int pages, int first, int last, const std::string& inDialog = "click 1009\n") {
    return LoadScript(WritePagedText(pages)) + "command 1070\nclick 7003\nset 7004 " + std::to_string(first) +
           "\nset 7006 " + std::to_string(last) + "\nclick 7013\n" + inDialog + "state\n";
  }

  QImage Rasterise(int job) {
    const std::string pdf = cups_->OutputFolder() + "/job-" + std::to_string(job) + ".pdf";
    const std::string prefix = folder.File("sheet-" + std::to_string(job));
    const CommandOutput out = RunCommand("pdftoppm -r 20 -gray -singlefile " + pdf + " " + prefix, 30);
    EXPECT_EQ(out.status, 0) << out.text;
    return QImage(QString::fromStdString(prefix + ".pgm"));
  }

  std::unique_ptr<PrivateCups> cups_;

 private:
  std::vector<std::pair<std::string, std::string>> saved_;
};

TEST_F(Print, PagesThreeToFiveAreThreeJobsOfTheirOwnPages) {
  StartScheduler(true);
  WriteSettings([](ViewerSettings& s) { ShowFootersAndPageNumber(s); });
  const auto lines = Run(PrintRangeScript(6, 3, 5, "inspect 1010\npick 1002 2\npick 1005 2\npick 1007 4\nclick 1009\n"));
  EXPECT_TRUE(Matching(lines, "message").empty()) << Matching(lines, "message").front();
  ASSERT_EQ(Matching(lines, "control 1010").size(), 1u);
  EXPECT_NE(Matching(lines, "control 1010")[0].find(std::string("text=\"") + kQueue + "\""), std::string::npos);
  EXPECT_EQ(LastState(lines)["page"], "1");
  ASSERT_TRUE(cups_->WaitForFinishedJobs(3, 60)) << cups_->ErrorLogTail();
  EXPECT_EQ(cups_->FinishedJobs(), 3);
  for (int job = 1; job <= 3; ++job) {
    const std::string options = ReadFileBytes(cups_->OutputFolder() + "/job-" + std::to_string(job) + ".options");
    EXPECT_NE(options.find("copies=2\n"), std::string::npos) << options;
    EXPECT_NE(options.find("print-color-mode=color"), std::string::npos) << options;
    EXPECT_NE(options.find("print-quality=5"), std::string::npos) << options;
    const QImage sheet = Rasterise(job);
    ASSERT_EQ(sheet.height(), 234) << "A4 at 20 dpi";
    ASSERT_NEAR(sheet.width(), 165, 1);
    const int page = job + 2;
    EXPECT_NEAR(DarkestLine(sheet), MarkerLine(page), 1) << "job " << job << " holds page " << page;
    EXPECT_TRUE(HasInk(sheet, QRect(0, SheetRaster::Row(1040), 165, SheetRaster::Row(1088) - SheetRaster::Row(1040)),
                       200))
        << "footers and page number of job " << job;
    const QRect leftEdge(SheetRaster::Column(0) - 1, SheetRaster::Row(0) + 1, 3, SheetRaster::Row(1100) - SheetRaster::Row(0));
    EXPECT_FALSE(HasInk(sheet, leftEdge, 245)) << "no border on job " << job;
    const std::string pdf = cups_->OutputFolder() + "/job-" + std::to_string(job) + ".pdf";
    EXPECT_NE(RunCommand("pdftotext " + pdf + " -").text.find(std::string(93, '#')), std::string::npos)
        << "job " << job << " carries its text as text";
  }
}

TEST_F(Print, WithoutADefaultPrinterTwoMessagesOnceThenNothing) {
  struct Case {
    bool scheduler;
    const char* error;
  };
  const Case cases[] = {{false, "message Programmer | Err: 1282 Print system not available [warning]"},
                        {true, "message Programmer | Err: 1030 No default printer [warning]"}};
  for (const Case& c : cases) {
    std::filesystem::remove_all(ProgramFolderPath());
    if (c.scheduler) StartScheduler(false);
    if (IsSkipped()) return;
    const auto lines = Run(PrintRangeScript(4, 1, 4), "en");
    EXPECT_EQ(Matching(lines, "message"),
              (std::vector<std::string>{
                  c.error, "message Programmer | You do not have a Printer configured by default ... [warning]"}));
    EXPECT_EQ(LastState(lines)["page"], "1");
  }
  EXPECT_EQ(cups_->FinishedJobs(), 0);
}

TEST_F(Print, AHungPrintSystemIsGivenUpOn) {
  const std::string path = folder.File("hung.sock");
  const int listener = SilentPrintSystem(path);
  ASSERT_GE(listener, 0);
  UseScheduler(path);
  const auto lines = Run(LoadScript(WritePagedText(1)) + "command 1070\nclick 7013\nclick 1009\nstate\n", "en");
  ::close(listener);
  EXPECT_EQ(Matching(lines, "message"),
            std::vector<std::string>{"message Programmer | Err: 1282 Print system not available [warning]"});
  EXPECT_EQ(LastState(lines)["busy"], "0");
}

TEST_F(Print, AQueueThatRejectsJobsIsReportedOnce) {
  StartScheduler(true);
  std::string why;
  ASSERT_TRUE(cups_->RejectJobs(kQueue, why)) << why;
  const auto lines = Run(PrintRangeScript(3, 1, 3));
  EXPECT_EQ(Matching(lines, "message"),
            std::vector<std::string>{"message Programador | Err: 1286 server-error-not-accepting-jobs [warning]"});
  EXPECT_EQ(cups_->FinishedJobs(), 0);
}

TEST_F(Print, TheSetUpDialogShowsAndStoresTheChoices) {
  struct Case {
    int storedCopies;
    const char* inDialog;
    const char* selected;  // of the copies list, from 1; 0 none
    int savedCopies;
  };
  const Case cases[] = {
      {6, "click 1009\n", "6", 10},  // the sixth item reads "10 copias"
      {7, "click 1009\n", "0", 0},
      {3, "pick 1002 5\nclose\n", "3", 3},  // the title bar's close keeps the stored value
  };
  for (const Case& c : cases) {
    std::filesystem::remove_all(ProgramFolderPath());
    WriteSettings([&c](ViewerSettings& s) {
      s.print = {c.storedCopies, 2, 4};
    });
    const auto lines = Run(LoadScript(WritePagedText(1)) + "command 1070\nclick 7013\ndialog\ninspect 1002\ninspect 1005\n"
                           "inspect 1007\ninspect 1010\n" + c.inDialog + "command 1047\n");
    EXPECT_EQ(Matching(lines, "dialog title=\"Configura la impresión\"").size(), 1u);
    const auto controls = Matching(lines, "control");
    ASSERT_EQ(controls.size(), 4u);
    EXPECT_NE(controls[0].find(std::string("selected=") + c.selected + " "), std::string::npos) << controls[0];
    EXPECT_NE(controls[1].find("text=\"2 - Color\" selected=2"), std::string::npos) << controls[1];
    EXPECT_NE(controls[2].find("text=\"4 - Alta Resolución\" selected=4"), std::string::npos) << controls[2];
    EXPECT_NE(controls[3].find("text=\"\""), std::string::npos) << "no default printer, no name";
    EXPECT_EQ(Matching(lines, "message Programador | Err: ").size(), 1u) << "printing went ahead";
    EXPECT_EQ(ReadSettings().print.copies, c.savedCopies) << c.storedCopies;
  }
}

}  // namespace
