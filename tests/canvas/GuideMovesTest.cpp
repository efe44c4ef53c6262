#include "viewer/canvas/GuideMoves.h"

#include <gtest/gtest.h>

namespace {

// A document whose pages hold text on the given lines.
Document WithTextOn(const std::vector<std::vector<int>>& pages) {
  Document document;
  document.PageCount = static_cast<int>(pages.size());
  for (int page = 1; page <= document.PageCount; ++page) {
    for (const int line : pages[static_cast<std::size_t>(page - 1)]) {
      LineRecord& record = document.UseLine(page, line);
      record.absoluteLine = line;
      record.text = "text";
    }
  }
  return document;
}

TEST(GuideMoves, StepsOverEmptyAndPictureLines) {
  Document document = WithTextOn({{1, 2, 5, 51, 52, 60}, {3, 4}, {}});
  document.UseLine(1, 2).imageLine = 1;
  struct Case {
    const char* name;
    bool down;
    GuidePosition from;
    int lastLine;
    GuidePosition to;
  };
  const Case cases[] = {
      {"skips empty and picture lines", true, {1, 1, 0}, 1, {1, 5, 0}},
      {"51 to 52 scrolls", true, {1, 51, 0}, 51, {1, 52, -200}},
      {"52 back to 51 scrolls back", false, {1, 52, -200}, 52, {1, 51, 0}},
      {"crosses to the next page at offset 0", true, {1, 60, -200}, 60, {2, 3, 0}},
      {"last valid line of the last text page", true, {2, 4, 0}, 4, {2, 4, 0}},
      {"up crosses back", false, {2, 3, 0}, 3, {1, 60, -200}},
      {"up on the first valid line of page 1 stays", false, {1, 1, 0}, 1, {1, 1, 0}},
  };
  for (const Case& c : cases) {
    const GuidePosition to =
        c.down ? MoveGuideDown(document, c.from, c.lastLine) : MoveGuideUp(document, c.from, c.lastLine);
    EXPECT_EQ(to, c.to) << c.name << ": " << to.page << "/" << to.line << "/" << to.viewOffset;
  }
}

TEST(GuideMoves, SearchesEndOnADocumentWithoutValidLines) {
  const Document empty = WithTextOn({{}, {}, {}});
  GuidePosition found;
  EXPECT_FALSE(FindFirstGuideLine(empty, 1, found));
  const GuidePosition from{2, 10, 0};
  EXPECT_EQ(MoveGuideDown(empty, from, 10), from);
  EXPECT_EQ(MoveGuideUp(empty, from, 10), from);
  const Document lastPageEmpty = WithTextOn({{7}, {}});
  EXPECT_EQ(MoveGuideDown(lastPageEmpty, {1, 7, 0}, 7), (GuidePosition{1, 7, 0}));
}

TEST(GuideMoves, SwitchingOnFindsTheFirstValidLineFromTheCurrentPage) {
  const Document document = WithTextOn({{}, {}, {40}});
  GuidePosition found;
  ASSERT_TRUE(FindFirstGuideLine(document, 1, found));
  EXPECT_EQ(found, (GuidePosition{3, 40, 0}));
}

}  // namespace
