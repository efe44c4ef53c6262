// Finding text as a reader expects it, over the document's lines.
#include "tests/MarkedDocuments.h"
#include "viewer/canvas/TextFind.h"

#include <gtest/gtest.h>

namespace {

using Places = std::vector<std::vector<int>>;  // page, line, index of the first and of the last character

Places AsPlaces(const std::vector<TextMatch>& matches) {
  Places out;
  for (const TextMatch& m : matches) {
    out.push_back({m.first.page, m.first.line, m.first.index, m.last.page, m.last.line, m.last.index});
  }
  return out;
}

// Windows-1252 text, as the document holds it.
Document StudyText() {
  Document document;
  PutLine(document, 1, 1, "La lecci\xF3n primera");
  PutLine(document, 1, 2, "LECCI\xD3N dos");
  PutLine(document, 1, 3, "el ciclo del");
  PutLine(document, 1, 4, "   agua sigue");
  PutLine(document, 1, 65, "fin de la");
  PutLine(document, 2, 1, "p\xE1gina  y m\xE1s");
  PutLine(document, 2, 3, "Ni\xF1o \\$1 Ca\xE7" "a \xCA\xE8");
  PutLine(document, 2, 4, "{@@Figure,agua.png}").imageLine = 1;
  PutLine(document, 2, 5, std::string(93, 'x') + "hidden");
  PutLine(document, 2, 6, "aaaaa");
  document.PageCount = 2;
  return document;
}

TEST(FindMatches, ComparesAsAReaderReads) {
  const Document document = StudyText();
  const std::pair<std::string, Places> cases[] = {
      {"leccion", {{1, 1, 3, 1, 1, 9}, {1, 2, 0, 1, 2, 6}}},
      {"LECCI\xD3N", {{1, 1, 3, 1, 1, 9}, {1, 2, 0, 1, 2, 6}}},
      {"del agua", {{1, 3, 9, 1, 4, 6}}},               // over a line break
      {"  DEL \t  Agua ", {{1, 3, 9, 1, 4, 6}}},        // blanks at the ends and runs of them
      {"de la pagina", {{1, 65, 4, 2, 1, 5}}},          // over a page break and the empty lines before it
      {"pagina y mas", {{2, 1, 0, 2, 1, 12}}},
      {"nino caca ee", {{2, 3, 0, 2, 3, 15}}},          // a bullet's marker reads as a blank
      {"agua", {{1, 4, 3, 1, 4, 6}}},                   // not the picture's name
      {"hidden", {}},                                   // past what the page shows
      {"aa", {{2, 6, 0, 2, 6, 1}, {2, 6, 2, 2, 6, 3}}}, // none overlapping
      {"leccion primeras", {}}, {"", {}}, {"  \t ", {}},
  };
  for (const auto& [needle, places] : cases) EXPECT_EQ(AsPlaces(FindMatches(document, needle)), places) << needle;
}

TEST(JumpHistory, GoesBackFromTheLatestAndKeepsFifty) {
  JumpHistory jumps;
  for (int page = 1; page <= 60; ++page) jumps.Push({page, -page});
  std::vector<int> pages;
  while (const auto place = jumps.Pop()) pages.push_back(place->page);
  ASSERT_EQ(pages.size(), 50u);
  EXPECT_EQ(pages.front(), 60);
  EXPECT_EQ(pages.back(), 11);
}

}  // namespace
