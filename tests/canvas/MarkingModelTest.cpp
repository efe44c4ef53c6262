// What marking does to the document, below any drawing: inline markers, guide moves and mark commands.
#include "tests/MarkedDocuments.h"
#include "viewer/canvas/GuideMoves.h"
#include "viewer/canvas/InlineMarkers.h"
#include "viewer/canvas/MarkCommands.h"

#include <gtest/gtest.h>

namespace {

using Pairs = std::vector<std::pair<int, int>>;

Pairs PositionsAndValues(const std::vector<InlineMarker>& markers) {
  Pairs out;
  for (const auto& m : markers) out.emplace_back(m.position, m.value);
  return out;
}

TEST(InlineMarkers, FindsBulletsAndIcons) {
  const std::tuple<const char*, Pairs, Pairs> cases[] = {  // text, bullets, icons
      {"\\$3 item", {{1, 3}}, {}}, {"\\$5 stays text", {}, {}}, {"\\$0", {}, {}}, {"end \\$", {}, {}},
      {"\\$4a\\$1b\\$4", {{5, 1}, {1, 4}, {9, 4}}, {}},  // by shape, then left to right
      {"\\#07 icon", {}, {{1, 7}}}, {"\\#7 single digit", {}, {}}, {"\\#00 zero", {}, {}}, {"\\#1x", {}, {}},
      {"\\#99\\#01", {}, {{5, 1}, {1, 99}}}, {"\\\\#12", {}, {{2, 12}}},
  };
  for (const auto& [text, bullets, icons] : cases) {
    EXPECT_EQ(PositionsAndValues(FindBulletMarkers(text)), bullets) << text;
    EXPECT_EQ(PositionsAndValues(FindIconMarkers(text)), icons) << text;
  }
}

// A document whose pages hold text on the given lines.
Document WithTextOn(const std::vector<std::vector<int>>& pages) {
  Document document;
  document.PageCount = static_cast<int>(pages.size());
  for (int page = 1; page <= document.PageCount; ++page) {
    for (const int line : pages[static_cast<std::size_t>(page - 1)]) PutLine(document, page, line, "text");
  }
  return document;
}

TEST(GuideMoves, StepsOverEmptyAndPictureLinesAndScrollsPastLine51) {
  Document document = WithTextOn({{1, 2, 5, 51, 52, 60}, {3, 4}, {}});
  document.UseLine(1, 2).imageLine = 1;
  const std::tuple<bool, GuidePosition, GuidePosition> cases[] = {  // down, from, to
      {true, {1, 1, 0}, {1, 5, 0}},          // empty and picture lines skipped
      {true, {1, 51, 0}, {1, 52, -200}},     // 51 to 52 scrolls
      {false, {1, 52, -200}, {1, 51, 0}},    // and back
      {true, {1, 60, -200}, {2, 3, 0}},      // next page at offset 0
      {true, {2, 4, 0}, {2, 4, 0}},          // last valid line of the last text page
      {false, {2, 3, 0}, {1, 60, -200}},     // up crosses back
      {false, {1, 1, 0}, {1, 1, 0}},         // first valid line of page 1 stays
  };
  for (const auto& [down, from, expected] : cases) {
    const GuidePosition to = (down ? MoveGuideDown : MoveGuideUp)(document, from, from.line);
    EXPECT_EQ(to, expected) << from.page << "/" << from.line << " -> " << to.page << "/" << to.line;
  }
  GuidePosition found;
  ASSERT_TRUE(FindFirstGuideLine(WithTextOn({{}, {}, {40}}), 1, found));
  EXPECT_EQ(found, (GuidePosition{3, 40, 0}));
  const Document empty = WithTextOn({{}, {}, {}});
  EXPECT_FALSE(FindFirstGuideLine(empty, 1, found));
  EXPECT_EQ(MoveGuideDown(empty, {2, 10, 0}, 10), (GuidePosition{2, 10, 0}));
  EXPECT_EQ(MoveGuideUp(empty, {2, 10, 0}, 10), (GuidePosition{2, 10, 0}));
}

Document PageWith(const std::vector<std::string>& texts) {
  Document document = WithTextOn({{}});
  document.PageCount = 10;
  document.CurrentPage = 1;
  for (std::size_t i = 0; i < texts.size(); ++i) PutLine(document, 1, static_cast<int>(i) + 1, texts[i]);
  return document;
}

LineFlags Selected(std::initializer_list<int> lines) {
  LineFlags flags{};
  for (const int line : lines) flags[static_cast<std::size_t>(line - 1)] = 1;
  return flags;
}

// Whole lines, a bar and alignment take the selected lines; alignment skips marked and blank ones.
TEST(MarkCommands, LineCommandsTakeTheSelectedLines) {
  Document document = PageWith({"   abc", "", "    ", "centred", "linked", "bold", "plain"});
  document.UseLine(1, 4).alignment = "AL2";
  EXPECT_EQ(MarkWholeLines(document, Selected({1, 2, 3, 4})), MarkOutcome::Changed);
  EXPECT_EQ(document.Line(1, 1).horizontalMarks, "1,6,9;") << "columns 7..9";
  for (const int line : {2, 3, 4}) EXPECT_EQ(document.Line(1, line).hasMarks, 0) << line;
  EXPECT_EQ(MarkWholeLines(document, Selected({2})), MarkOutcome::Unchanged);
  document.UseLine(1, 5).hasLinks = 1;
  document.UseLine(1, 6).hasBold = 1;
  AlignLines(document, Selected({1, 2, 5, 6, 7}), kAlignCentre);
  EXPECT_EQ(document.Line(1, 7).alignment, "AL2");
  for (const int line : {1, 2, 5, 6}) EXPECT_EQ(document.Line(1, line).alignment, "") << line;
  EXPECT_EQ(MarkVerticalBar(document, Selected({3})), MarkOutcome::NotTwoLines);
  EXPECT_EQ(MarkVerticalBar(document, Selected({3, 5, 7})), MarkOutcome::NotTwoLines);
  EXPECT_EQ(MarkVerticalBar(document, Selected({7, 3})), MarkOutcome::Changed);
  EXPECT_EQ(document.Line(1, 3).verticalMarks, "3,7;");
}

TEST(MarkCommands, PiecesAreStoredInReadingOrder) {
  Document document = PageWith({"", "", "", "", "some text to mark here"});
  const ColourSettings colours{255, 255, 16777215, 65280, 255};
  const std::tuple<PieceKind, PieceSelection, std::string LineRecord::*, const char*> cases[] = {
      {PieceKind::Underline, {5, 10, 14}, &LineRecord::horizontalMarks, "5,9,14;"},
      {PieceKind::Underline, {5, 14, 10}, &LineRecord::horizontalMarks, "5,9,14;5,9,14;"},
      {PieceKind::TwoColours, {5, 14, 10}, &LineRecord::twoColourPieces, "5,10,14,65280,16777215;"},
      {PieceKind::Bold, {5, 7, 4}, &LineRecord::boldPieces, "5,4,7;"},
  };
  for (const auto& [kind, piece, list, entry] : cases) {
    EXPECT_EQ(MarkPiece(document, piece, kind, colours), MarkOutcome::Changed);
    EXPECT_EQ(document.Line(1, 5).*list, entry);
  }
  EXPECT_EQ(document.Line(1, 5).hasBold, 1);
  EXPECT_EQ(MarkPiece(document, {1, 4, 6}, PieceKind::Bold, colours), MarkOutcome::Unchanged) << "blank line";
  // A full list (448 of its 451 characters) keeps what it had.
  std::string& list = document.UseLine(1, 5).horizontalMarks;
  while (list.size() < 445) list += "1,9,14;";
  const std::string full = list;
  EXPECT_EQ(MarkPiece(document, {5, 100, 113}, PieceKind::Underline, {}), MarkOutcome::ListFull);
  EXPECT_EQ(document.Line(1, 5).horizontalMarks, full);
}

TEST(MarkCommands, LinksAreNumberedAndFollowedOnlyToRealPages) {
  Document document = PageWith({"x", "", "", "", "line with a link in it"});
  ASSERT_EQ(MarkLink(document, {5, 20, 12}, 10), MarkOutcome::Changed) << "dragged right to left";
  EXPECT_EQ(document.Line(1, 5).linkPieces, "5,12,20,1E1;");
  EXPECT_EQ(document.Line(1, 5).linkTargets, "10,1E1;");
  EXPECT_EQ(document.linkCounter, 1);
  for (const auto& [column, page] : Pairs{{11, 0}, {12, 10}, {20, 10}, {21, 0}}) {
    EXPECT_EQ(FollowLink(document, 5, column), page) << column;
  }
  EXPECT_EQ(FollowLink(document, 4, 12), 0);
  // Lists from any cache, followed from column 10 of line 1: pieces, targets, page.
  const std::tuple<const char*, const char*, int> cases[] = {
      {"1,1,50,1E1;", "abc,1E1;", 0}, {"1,1,50,1E1;", "0,1E1;", 0}, {"1,1,50,1E1;", "-3,1E1;", 0},
      {"1,1,50,1E1;", "11,1E1;", 0},  {"1,1,50,2E1;", "3,2E1;", 0}, {"1,50,1,1E1;", "3,1E1;", 0},
      {"1,1;,,,;", "3", 0},           {"1,1,50,1E1;1,1,50,1E2;", "4,1E2;5,1E1;", 5},
      {"1,1,50,1E1;1,1,50,1E2;", "99,1E1;4,1E2;", 4},
  };
  LineRecord& line = document.UseLine(1, 1);
  line.hasLinks = 1;
  for (const auto& [pieces, targets, page] : cases) {
    line.linkPieces = pieces;
    line.linkTargets = targets;
    EXPECT_EQ(FollowLink(document, 1, 10), page) << pieces << " / " << targets;
  }
}

}  // namespace
