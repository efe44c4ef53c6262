#include "tests/output/PrivateCups.h"
#include "viewer/output/DefaultPrinter.h"
#include "viewer/output/PrintJob.h"
#include "viewer/output/PrintSetupDialog.h"

#include <gtest/gtest.h>
#include <fcntl.h>
#include <unistd.h>

#include <map>

namespace {

using Options = std::map<std::string, std::string>;

Options OptionsFor(const PrintJobSettings& settings, const std::string& unsupported = {}) {
  const auto list =
      PrintJobOptions(settings, [&](const std::string& name, const std::string&) { return name != unsupported; });
  return Options(list.begin(), list.end());
}

TEST(PrintJobOptions, TheFourQualitiesBecomeDraftNormalNormalHigh) {
  const char* expected[] = {"3", "4", "4", "5"};
  for (int quality = 1; quality <= 4; ++quality) {
    EXPECT_EQ(OptionsFor({1, 1, quality})["print-quality"], expected[quality - 1]) << quality;
  }
  EXPECT_EQ(OptionsFor({1, 1, 0}).count("print-quality"), 0u);
  EXPECT_EQ(OptionsFor({1, 1, 5}).count("print-quality"), 0u);
}

TEST(PrintJobOptions, CopiesAndColourModeAsAsked) {
  EXPECT_EQ(OptionsFor({10, 2, 4}), (Options{{"copies", "10"}, {"print-color-mode", "color"}, {"print-quality", "5"}}));
  EXPECT_EQ(OptionsFor({1, 1, 1})["print-color-mode"], "monochrome");
  // Nothing chosen in a list leaves the printer's default.
  EXPECT_EQ(OptionsFor({0, 0, 0}), Options{});
}

TEST(PrintJobOptions, AnUnsupportedSettingIsSkipped) {
  EXPECT_EQ(OptionsFor({3, 2, 1}, "print-color-mode"), (Options{{"copies", "3"}, {"print-quality", "3"}}));
  EXPECT_EQ(OptionsFor({3, 2, 1}, "copies"), (Options{{"print-color-mode", "color"}, {"print-quality", "3"}}));
}

TEST(PrintSetupLists, StoredValuesPickTheirItems) {
  struct Case {
    int copies;
    int item;
  };
  // The sixth item reads "10 copies": a stored 6 picks it too.
  const Case cases[] = {{1, 0}, {5, 4}, {6, 5}, {10, 5}, {0, -1}, {7, -1}, {9, -1}, {11, -1}, {-3, -1}};
  for (const Case& c : cases) EXPECT_EQ(CopiesItem(c.copies), c.item) << c.copies;
  EXPECT_EQ(ColourItem(2), 1);
  EXPECT_EQ(ColourItem(3), -1);
  EXPECT_EQ(QualityItem(4), 3);
  EXPECT_EQ(QualityItem(0), -1);
}

TEST(PrintSetupLists, ContinueReadsTheItemsLeadingNumber) {
  EXPECT_EQ(ItemValue(QStringLiteral("10 copias"), 2), 10);
  EXPECT_EQ(ItemValue(QStringLiteral("01 copy"), 2), 1);
  EXPECT_EQ(ItemValue(QStringLiteral("2 - Color"), 1), 2);
  EXPECT_EQ(ItemValue(QStringLiteral("4 - Alta Resolución"), 1), 4);
  EXPECT_EQ(ItemValue(QString(), 2), 0) << "nothing selected";
}

// The printer's name for the set-up dialog and every page of one command
// ask a print system that takes connections but never answers: it is waited
// for once, and the window gets its turns while it is.
TEST(PrintSystemLink, ASilentPrintSystemIsWaitedForOnceWithTheWindowAlive) {
  TempFolder folder;
  const std::string path = folder.File("hung.sock");
  const int listener = SilentPrintSystem(path);
  ASSERT_GE(listener, 0);
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

}  // namespace
