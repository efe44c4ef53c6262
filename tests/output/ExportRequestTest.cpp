#include "viewer/output/ExportRequest.h"

#include <gtest/gtest.h>

namespace {

TEST(ExportRange, OnlyRangesOfTwoOrMorePagesInsideTheDocument) {
  struct Case {
    const char* first;
    const char* last;
    bool valid;
  };
  const Case cases[] = {
      {"1", "2", true},       {"12", "13", true},      {" 2 ", "4", true},     // blanks around digits
      {"3", "3", false},                                                       // one page: use the current page
      {"13", "13", false},    {"13", "14", false},                             // starts at the last page
      {"5", "3", false},      {"0", "5", false},       {"-1", "5", false},
      {"abc", "5", false},    {"2x", "5", false},      {"", "5", false},       {"  ", "5", false},
      {"1", "99999", false},  {"1", "65538", false},                          // would wrap to 2 in 16 bits
      {"1", "9999999999", false},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(IsExportRangeValid(PageBoxValue(c.first), PageBoxValue(c.last), 13), c.valid)
        << c.first << ".." << c.last;
  }
}

TEST(ExportFolder, OnlyOneFolderRightBelowTheProgramFolder) {
  struct Case {
    const char* typed;
    bool valid;
  };
  const Case cases[] = {{"x", true},        {" fotos ", true},   {"página 1", true}, {"", false},
                        {"   ", false},     {".", false},        {"..", false},      {" .. ", false},
                        {"a/b", false},     {"/tmp/x", false},   {"../x", false},    {"..\\x", false},
                        {"a\tb", false},    {"a\nb", false}};
  for (const Case& c : cases) EXPECT_EQ(IsExportFolderNameValid(TrimFolderName(c.typed)), c.valid) << c.typed;
  EXPECT_EQ(TrimFolderName(" fotos "), "fotos");
}

TEST(ExportButtons, SaveNeedsAFolderAndARangeWhenOneIsChosen) {
  ExportRequest request;
  EXPECT_FALSE(AcceptExportButton(ExportButton::Save, {1, "", "", "  "}, 13, request));
  EXPECT_TRUE(AcceptExportButton(ExportButton::Save, {3, "", "", " fotos"}, 13, request));
  EXPECT_EQ(request.mode, 3);
  EXPECT_EQ(request.folder, "fotos");
  EXPECT_EQ(request.printRequested, 0);

  EXPECT_FALSE(AcceptExportButton(ExportButton::Save, {2, "4", "4", "x"}, 13, request));
  EXPECT_TRUE(AcceptExportButton(ExportButton::Save, {2, "4", "6", "x"}, 13, request));
  EXPECT_EQ(request.first, 4);
  EXPECT_EQ(request.last, 6);
}

TEST(ExportButtons, PrintNeedsNoFolderAndARefusedRangeDoesNotTurnSaveIntoPrint) {
  ExportRequest request;
  EXPECT_TRUE(AcceptExportButton(ExportButton::Print, {1, "", "", ""}, 13, request));
  EXPECT_EQ(request.printRequested, 1);

  request = {};
  EXPECT_FALSE(AcceptExportButton(ExportButton::Print, {2, "9", "2", ""}, 13, request));
  EXPECT_EQ(request.printRequested, 0);
  EXPECT_TRUE(AcceptExportButton(ExportButton::Save, {2, "2", "9", "x"}, 13, request));
  EXPECT_EQ(request.printRequested, 0) << "the reader pressed Save last";
}

TEST(ExportButtons, ExitCancels) {
  ExportRequest request{3, 2, 5, "x", 1};
  EXPECT_TRUE(AcceptExportButton(ExportButton::Exit, {3, "", "", ""}, 13, request));
  EXPECT_EQ(request.mode, kExportCancelled);
  EXPECT_EQ(request.folder, "x") << "the folder name is kept for the run";
}

}  // namespace
