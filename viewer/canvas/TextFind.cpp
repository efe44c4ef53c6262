#include "viewer/canvas/TextFind.h"

#include "viewer/canvas/InlineMarkers.h"

#include <algorithm>
#include <array>
#include <cstdint>

namespace {

// Accented Windows-1252 letters (both cases) and the letter each compares as.
constexpr std::string_view kAccented =
    "\xC0\xC1\xC2\xC3\xC4\xC5\xE0\xE1\xE2\xE3\xE4\xE5\xC7\xE7\xC8\xC9\xCA\xCB\xE8\xE9\xEA\xEB"
    "\xCC\xCD\xCE\xCF\xEC\xED\xEE\xEF\xD1\xF1\xD2\xD3\xD4\xD5\xD6\xD8\xF2\xF3\xF4\xF5\xF6\xF8"
    "\xD9\xDA\xDB\xDC\xF9\xFA\xFB\xFC\xDD\xFD\xFF\x9F\x8A\x9A\x8E\x9E\xC6\x8C\xD0\xDE";
constexpr std::string_view kBase =
    "aaaaaaaaaaaacceeeeeeee"
    "iiiiiiiinnoooooooooooo"
    "uuuuuuuuyyyysszz\xE6\x9C\xF0\xFE";
static_assert(kAccented.size() == kBase.size());

constexpr std::array<char, 256> BuildFoldTable() {
  std::array<char, 256> table{};
  for (int c = 0; c < 256; ++c) {
    char folded = static_cast<char>(c);
    if (c < 0x20 || c == ' ' || c == 0x7F || c == 0xA0) folded = ' ';
    if (c >= 'A' && c <= 'Z') folded = static_cast<char>(c - 'A' + 'a');
    table[static_cast<std::size_t>(c)] = folded;
  }
  for (std::size_t i = 0; i < kAccented.size(); ++i) {
    table[static_cast<unsigned char>(kAccented[i])] = kBase[i];
  }
  return table;
}

constexpr std::array<char, 256> kFold = BuildFoldTable();

// The shown text of the document folded into one string, a blank for every
// run of blanks, with the place of each character packed beside it.
struct FoldedText {
  std::string chars;
  std::vector<std::uint32_t> places;

  void Add(char c, int page, int line, int index) {
    if (c == ' ' && (chars.empty() || chars.back() == ' ')) return;
    chars += c;
    places.push_back(static_cast<std::uint32_t>(page) << 16 | static_cast<std::uint32_t>(line) << 8 |
                     static_cast<std::uint32_t>(index));
  }
  TextPlace PlaceAt(std::size_t at) const {
    const std::uint32_t p = places[at];
    return {static_cast<int>(p >> 16), static_cast<int>((p >> 8) & 0xFF), static_cast<int>(p & 0xFF)};
  }
};

FoldedText FoldDocument(const Document& document) {
  FoldedText folded;
  const int pages = std::clamp(document.PageCount, 0, kMaxPages);
  for (int page = 1; page <= pages; ++page) {
    for (int line = 1; line <= kLinesPerPage; ++line) {
      const LineRecord& record = document.Line(page, line);
      // A picture line shows a picture, not its name.
      const std::string_view shown =
          record.imageLine == 1 ? std::string_view() : std::string_view(record.text).substr(0, kPrintedChars);
      const std::vector<bool> marker = MarkerCharacters(shown);
      for (std::size_t i = 0; i < shown.size(); ++i) {
        folded.Add(marker[i] ? ' ' : FoldForFind(shown[i]), page, line, static_cast<int>(i));
      }
      folded.Add(' ', page, line, static_cast<int>(shown.size()));  // the line end
    }
  }
  return folded;
}

std::string FoldNeedle(std::string_view needle) {
  std::string folded;
  for (const char c : needle) {
    const char f = FoldForFind(c);
    if (f != ' ' || (!folded.empty() && folded.back() != ' ')) folded += f;
  }
  while (!folded.empty() && folded.back() == ' ') folded.pop_back();
  return folded;
}

}  // namespace

char FoldForFind(char cp1252) { return kFold[static_cast<unsigned char>(cp1252)]; }

std::vector<TextMatch> FindMatches(const Document& document, std::string_view needle) {
  const std::string folded = FoldNeedle(needle);
  std::vector<TextMatch> matches;
  if (folded.empty()) return matches;
  const FoldedText text = FoldDocument(document);
  for (std::size_t at = text.chars.find(folded); at != std::string::npos;
       at = text.chars.find(folded, at + folded.size())) {
    matches.push_back({text.PlaceAt(at), text.PlaceAt(at + folded.size() - 1)});
  }
  return matches;
}

std::size_t MatchAtOrAfter(const std::vector<TextMatch>& matches, const TextPlace& from) {
  const auto it = std::find_if(matches.begin(), matches.end(), [&](const TextMatch& m) { return m.first >= from; });
  return it == matches.end() ? 0 : static_cast<std::size_t>(it - matches.begin());
}

std::size_t MatchBefore(const std::vector<TextMatch>& matches, const TextPlace& from) {
  const auto it = std::find_if(matches.rbegin(), matches.rend(), [&](const TextMatch& m) { return m.first < from; });
  return it == matches.rend() ? matches.size() - 1 : static_cast<std::size_t>(matches.rend() - it - 1);
}
