#include "viewer/document/Document.h"
#include "viewer/output/ExportRequest.h"
#include "viewer/output/PdfLinks.h"

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

// Link areas of a PDF page cover the cells a click follows: where two pieces
// overlap the first listed one, and no piece whose link is not followed.
TEST(PdfLinkAreas, TheCellsAClickFollows) {
  Document document;
  document.PageCount = 10;
  LineRecord& line = document.UseLine(2, 5);
  line.hasLinks = line.hasMarks = 1;
  line.linkPieces = "5,12,20,1E1;5,15,30,1E2;5,40,44,1E3;5,50,52,2E4;";
  line.linkTargets = "10,1E1;3,1E2;11,1E3;4,2E4;";
  const std::vector<PageLinkArea> areas = PageLinkAreas(document, 2);
  ASSERT_EQ(areas.size(), 2u);
  EXPECT_EQ(areas[0].area, QRect(88, 64, 72, 16));  // columns 12..20 of line 5
  EXPECT_EQ(areas[0].targetPage, 10);
  EXPECT_EQ(areas[1].area, QRect(160, 64, 80, 16));  // columns 21..30
  EXPECT_EQ(areas[1].targetPage, 3);
  EXPECT_TRUE(PageLinkAreas(document, 1).empty());
}

}  // namespace
