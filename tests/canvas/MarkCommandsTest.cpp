#include "viewer/canvas/MarkCommands.h"

#include <gtest/gtest.h>

namespace {

Document PageWith(const std::vector<std::string>& texts) {
  Document document;
  document.PageCount = 10;
  document.CurrentPage = 1;
  for (std::size_t i = 0; i < texts.size(); ++i) {
    LineRecord& record = document.UseLine(1, static_cast<int>(i) + 1);
    record.absoluteLine = static_cast<int>(i) + 1;
    record.text = texts[i];
  }
  return document;
}

LineFlags Selected(std::initializer_list<int> lines) {
  LineFlags flags{};
  for (const int line : lines) flags[static_cast<std::size_t>(line - 1)] = 1;
  return flags;
}

TEST(MarkCommands, WholeLinesRunFromTheFirstCharacterToTheEnd) {
  Document document = PageWith({"   abc", "", "    ", "centred", "text"});
  document.UseLine(1, 4).alignment = "AL2";
  EXPECT_EQ(MarkWholeLines(document, Selected({1, 2, 3, 4})), MarkOutcome::Changed);
  EXPECT_EQ(document.Line(1, 1).horizontalMarks, "1,6,9;") << "columns 7..9";
  for (const int line : {2, 3, 4}) EXPECT_EQ(document.Line(1, line).hasMarks, 0) << line;
  EXPECT_EQ(MarkWholeLines(document, Selected({2})), MarkOutcome::Unchanged);
}

TEST(MarkCommands, PiecesAreStoredInReadingOrder) {
  Document document = PageWith({"", "", "", "", "some text to mark here"});
  const ColourSettings colours{255, 255, 16777215, 65280, 255};
  struct Case {
    PieceKind kind;
    PieceSelection piece;
    std::string LineRecord::*list;
    const char* entry;
  };
  const Case cases[] = {
      {PieceKind::Underline, {5, 10, 14}, &LineRecord::horizontalMarks, "5,9,14;"},
      {PieceKind::Underline, {5, 14, 10}, &LineRecord::horizontalMarks, "5,9,14;5,9,14;"},
      {PieceKind::TwoColours, {5, 14, 10}, &LineRecord::twoColourPieces, "5,10,14,65280,16777215;"},
      {PieceKind::Bold, {5, 7, 4}, &LineRecord::boldPieces, "5,4,7;"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(MarkPiece(document, c.piece, c.kind, colours), MarkOutcome::Changed);
    EXPECT_EQ(document.Line(1, 5).*c.list, c.entry);
  }
  EXPECT_EQ(document.Line(1, 5).hasBold, 1);
  EXPECT_EQ(MarkPiece(document, {1, 4, 6}, PieceKind::Bold, colours), MarkOutcome::Unchanged) << "blank line";
}

TEST(MarkCommands, AFullListKeepsWhatItHad) {
  Document document = PageWith({"a line with marks"});
  std::string& list = document.UseLine(1, 1).horizontalMarks;
  while (list.size() < 445) list += "1,9,14;";  // 448 of the 451 characters
  const std::string before = list;
  EXPECT_EQ(MarkPiece(document, {1, 100, 113}, PieceKind::Underline, {}), MarkOutcome::ListFull);
  EXPECT_EQ(document.Line(1, 1).horizontalMarks, before);
}

TEST(MarkCommands, VerticalBarNeedsExactlyTwoLines) {
  Document document = PageWith({"a", "b", "c", "d", "e", "f", "g"});
  EXPECT_EQ(MarkVerticalBar(document, Selected({3})), MarkOutcome::NotTwoLines);
  EXPECT_EQ(MarkVerticalBar(document, Selected({3, 5, 7})), MarkOutcome::NotTwoLines);
  EXPECT_EQ(MarkVerticalBar(document, Selected({7, 3})), MarkOutcome::Changed);
  EXPECT_EQ(document.Line(1, 3).verticalMarks, "3,7;");
}

TEST(MarkCommands, LinksAreNumberedAndFollowed) {
  Document document = PageWith({"", "", "", "", "line with a link in it"});
  ASSERT_EQ(MarkLink(document, {5, 20, 12}, 10), MarkOutcome::Changed) << "dragged right to left";
  EXPECT_EQ(document.Line(1, 5).linkPieces, "5,12,20,1E1;");
  EXPECT_EQ(document.Line(1, 5).linkTargets, "10,1E1;");
  EXPECT_EQ(document.linkCounter, 1);
  const std::vector<std::pair<int, int>> clicks = {{11, 0}, {12, 10}, {20, 10}, {21, 0}};
  for (const auto& [column, page] : clicks) EXPECT_EQ(FollowLink(document, 5, column), page) << column;
  EXPECT_EQ(FollowLink(document, 4, 12), 0);
}

TEST(MarkCommands, StoredLinksFromAnyCacheAreFollowedOnlyToRealPages) {
  Document document = PageWith({"x", "y"});
  LineRecord& line = document.UseLine(1, 1);
  line.hasLinks = 1;
  struct Case {
    const char* pieces;
    const char* targets;
    int page;
  };
  const Case cases[] = {
      {"1,1,50,1E1;", "abc,1E1;", 0},         {"1,1,50,1E1;", "0,1E1;", 0},
      {"1,1,50,1E1;", "-3,1E1;", 0},          {"1,1,50,1E1;", "11,1E1;", 0},
      {"1,1,50,2E1;", "3,2E1;", 0},           {"1,1,50,1E1;1,1,50,1E2;", "4,1E2;5,1E1;", 5},
      {"1,1,50,1E1;1,1,50,1E2;", "99,1E1;4,1E2;", 4},
      {"1,50,1,1E1;", "3,1E1;", 0},           {"1,1;,,,;", "3", 0},
  };
  for (const Case& c : cases) {
    line.linkPieces = c.pieces;
    line.linkTargets = c.targets;
    EXPECT_EQ(FollowLink(document, 1, 10), c.page) << c.pieces << " / " << c.targets;
  }
}

TEST(MarkCommands, AlignmentSkipsMarkedAndBlankLines) {
  Document document = PageWith({"plain", "marked", "", "linked"});
  document.UseLine(1, 2).hasMarks = 1;
  document.UseLine(1, 4).hasLinks = 1;
  AlignLines(document, Selected({1, 2, 3, 4}), kAlignCentre);
  EXPECT_EQ(document.Line(1, 1).alignment, "AL2");
  for (const int line : {2, 3, 4}) EXPECT_EQ(document.Line(1, line).alignment, "") << line;
}

}  // namespace
