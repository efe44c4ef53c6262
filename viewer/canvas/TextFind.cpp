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
// run of blanks, with the place of each character packed beside it
// (page << 16 | line << 8 | index).
struct FoldedText {
  std::string chars;
  std::vector<std::uint32_t> places;
  std::size_t used = 0;

  void Add(char c, std::uint32_t place) {
    if (c == ' ' && (used == 0 || chars[used - 1] == ' ')) return;
    chars[used] = c;
    places[used] = place;
    ++used;
  }
  TextPlace PlaceAt(std::size_t at) const {
    const std::uint32_t p = places[at];
    return {static_cast<int>(p >> 16), static_cast<int>((p >> 8) & 0xFF), static_cast<int>(p & 0xFF)};
  }
};

// What a line shows as text: a picture line shows a picture, not its name.
std::string_view ShownText(const LineRecord& record) {
  return record.imageLine == 1 ? std::string_view() : std::string_view(record.text).substr(0, kPrintedChars);
}

FoldedText FoldDocument(const Document& document) {
  FoldedText folded;
  const int pages = std::clamp(document.PageCount, 0, kMaxPages);
  std::size_t size = 0;
  for (int page = 1; page <= pages; ++page) {
    for (int line = 1; line <= kLinesPerPage; ++line) size += ShownText(document.Line(page, line)).size() + 1;
  }
  folded.chars.resize(size);
  folded.places.resize(size);
  for (int page = 1; page <= pages; ++page) {
    for (int line = 1; line <= kLinesPerPage; ++line) {
      const std::string_view shown = ShownText(document.Line(page, line));
      const auto base = static_cast<std::uint32_t>(page) << 16 | static_cast<std::uint32_t>(line) << 8;
      // Markers start with a backslash; most lines have none.
      const std::vector<bool> marker =
          shown.find('\\') == std::string_view::npos ? std::vector<bool>() : MarkerCharacters(shown);
      for (std::size_t i = 0; i < shown.size(); ++i) {
        const bool covered = !marker.empty() && marker[i];
        folded.Add(covered ? ' ' : kFold[static_cast<unsigned char>(shown[i])], base | static_cast<std::uint32_t>(i));
      }
      folded.Add(' ', base | static_cast<std::uint32_t>(shown.size()));  // the line end
    }
  }
  folded.chars.resize(folded.used);
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
