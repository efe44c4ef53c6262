#include "tests/output/OutputProgram.h"
#include "tests/output/PrivateCups.h"

namespace {

constexpr const char* kQueue = "marvessa-pdf";

// Sheet row at 20 dpi of page row `y`: the page fills the width inside 18-point margins, centred in height.
double SheetRow(double y) {
  const double height = 559.0 * 1122 / 794;
  return (18 + (806 - height) / 2 + y * height / 1122) * 20 / 72;
}

class Print : public OutputProgram {
 protected:
  void SetUp() override {
    for (const char* name : {"PRINTER", "LPDEST"}) ::unsetenv(name);  // they would name a default printer
    ::setenv("CUPS_SERVER", folder.File("no-scheduler.sock").c_str(), 1);
  }
  void TearDown() override { ::unsetenv("CUPS_SERVER"); }

  // Skips only where the machine has no print system to run.
  void StartScheduler(bool defaultQueue) {
    for (const char* tool : {"cupsd", "lpadmin", "lpstat", "cupsreject", "pdftoppm"}) {
      if (!HaveTool(PrivateCups::Tool(tool))) GTEST_SKIP() << "no print system to test with: no " << tool;
    }
    cups_ = std::make_unique<PrivateCups>();
    std::string why;
    ASSERT_TRUE(cups_->Start(why) && cups_->AddPdfQueue(kQueue, defaultQueue, why)) << why;
    ::setenv("CUPS_SERVER", cups_->Socket().c_str(), 1);
  }

  std::string PrintRangeScript(int pages, int first, int last, const std::string& inDialog = "click 1009\n") {
    return Load(WritePagedText(pages)) + "command 1070\nclick 7003\nset 7004 " + std::to_string(first) +
           "\nset 7006 " + std::to_string(last) + "\nclick 7013\n" + inDialog + "state\n";
  }

  std::unique_ptr<PrivateCups> cups_;
};

// A stored 6 shows as "10 copias"; each job is its own page with footers, no border, and the stored options.
TEST_F(Print, PagesThreeToFiveAreThreeJobsOfTheirOwnPages) {
  StartScheduler(true);
  if (IsSkipped()) return;
  WriteSettings([](ViewerSettings& s) { ShowFootersAndPageNumber(s), s.print = {6, 2, 4}; });
  const std::string inDialog = "inspect 1002\ninspect 1005\ninspect 1007\ninspect 1010\n"
                               "pick 1002 2\npick 1005 2\npick 1007 4\nclick 1009\n";
  const auto lines = Run(PrintRangeScript(6, 3, 5, inDialog) + "command 1047\n");
  EXPECT_TRUE(Matching(lines, "message").empty()) << First(lines, "message");
  const auto controls = Matching(lines, "control");
  const std::string shown[] = {"text=\"10 copias\" selected=6 ", "text=\"2 - Color\" selected=2",
                               "text=\"4 - Alta Resolución\" selected=4", std::string("text=\"") + kQueue + "\""};
  ASSERT_EQ(controls.size(), std::size(shown));
  for (std::size_t i = 0; i < controls.size(); ++i) {
    EXPECT_NE(controls[i].find(shown[i]), std::string::npos) << controls[i];
  }
  EXPECT_EQ(LastState(lines)["page"], "1");
  EXPECT_EQ(SavedSettings().print.copies, 2);
  ASSERT_TRUE(cups_->WaitForFinishedJobs(3, 60)) << cups_->ErrorLogTail();
  EXPECT_EQ(cups_->FinishedJobs(), 3);
  for (int job = 1; job <= 3; ++job) {
    const std::string name = cups_->OutputFolder() + "/job-" + std::to_string(job), sheetFile = folder.File("sheet");
    const std::string options = ReadFileBytes(name + ".options");
    for (const char* option : {"copies=2\n", "print-color-mode=color", "print-quality=5"}) {
      EXPECT_NE(options.find(option), std::string::npos) << options;
    }
    ASSERT_EQ(RunCommand("pdftoppm -r 20 -gray -singlefile " + name + ".pdf " + sheetFile, 30).status, 0);
    const QImage sheet(QString::fromStdString(sheetFile + ".pgm"));
    ASSERT_EQ(sheet.height(), 234) << "A4 at 20 dpi";
    const int footers = static_cast<int>(SheetRow(1040)), top = static_cast<int>(SheetRow(0)) + 1;
    EXPECT_TRUE(HasInk(sheet, QRect(0, footers, 165, static_cast<int>(SheetRow(1088)) - footers), 200)) << job;
    EXPECT_FALSE(HasInk(sheet, QRect(4, top, 3, static_cast<int>(SheetRow(1100)) - top), 245)) << "no border " << job;
    const std::string text = RunCommand("pdftotext " + name + ".pdf -").text;
    EXPECT_NE(text.find(PageMarker(job + 2)), std::string::npos) << "job " << job << ", page " << job + 2;
  }
}

// Without a usable printer: why, then no default printer, then nothing; a rejecting queue is reported once.
TEST_F(Print, WithoutAUsablePrinterTheMessagesComeOnceThenNothing) {
  const std::string noDefault = "message Programmer | You do not have a Printer configured by default ... [warning]";
  struct Case { bool scheduler, rejecting; std::vector<std::string> messages; };
  const Case cases[] = {
      {false, false, {"message Programmer | Err: 1282 Print system not available [warning]", noDefault}},
      {true, false, {"message Programmer | Err: 1030 No default printer [warning]", noDefault}},
      {true, true, {"message Programmer | Err: 1286 server-error-not-accepting-jobs [warning]"}},
  };
  for (const Case& c : cases) {
    std::filesystem::remove_all(ProgramFolderPath());
    if (c.scheduler) StartScheduler(c.rejecting);
    if (IsSkipped()) return;
    std::string why;
    ASSERT_TRUE(!c.rejecting || cups_->Admin("cupsreject", kQueue, why)) << why;
    const auto lines = Run(PrintRangeScript(4, 1, 4), "en");
    EXPECT_EQ(Matching(lines, "message"), c.messages);
    EXPECT_EQ(LastState(lines)["page"], "1");
    EXPECT_EQ(cups_ ? cups_->FinishedJobs() : 0, 0);
  }
}

}  // namespace
