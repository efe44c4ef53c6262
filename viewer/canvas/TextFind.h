#pragma once

#include "viewer/document/Document.h"

#include <compare>
#include <cstddef>
#include <deque>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// Finding text as a reader expects it: letters without case or accents,
// any run of blanks (a line end, empty lines and the markers of bullets and
// icons among them) as one blank, so that a phrase the layout broke over
// lines or pages is still found. Plain logic over the document's lines.

// A character of the document: its page, line and 0-based index in the
// line's text.
struct TextPlace {
  int page = 0;
  int line = 0;
  int index = 0;

  friend constexpr auto operator<=>(const TextPlace&, const TextPlace&) = default;
};

// A hit, from its first to its last character (inclusive).
struct TextMatch {
  TextPlace first;
  TextPlace last;

  friend constexpr bool operator==(const TextMatch&, const TextMatch&) = default;
  bool OnOneLine() const { return first.page == last.page && first.line == last.line; }
};

// A Windows-1252 character as it is compared: lower case, without accent;
// every blank (space, tab, no-break space, control character) is ' '.
char FoldForFind(char cp1252);

// Every hit of `needle` (Windows-1252) in the shown text of pages
// 1..PageCount, in reading order, none overlapping the one before. Blanks
// at the needle's ends do not count; an empty needle has no hits.
std::vector<TextMatch> FindMatches(const Document& document, std::string_view needle);

// Which hit a search shows: the first at or after `from`, or the last one
// before it; round the end of the document to its start and back. Needs at
// least one hit.
std::size_t MatchAtOrAfter(const std::vector<TextMatch>& matches, const TextPlace& from);
std::size_t MatchBefore(const std::vector<TextMatch>& matches, const TextPlace& from);

// What the view shows of the last search. Never part of the document.
struct FindView {
  std::string text;                 // the last text searched for, as typed
  std::optional<TextMatch> anchor;  // the last hit shown: next and previous go on from it
  int shownNumber = 0;              // the shown hit's place among all hits, 0 while none is shown
  int hitCount = 0;
};

// Where the reader was before each jump, the latest last; the oldest leave
// past the bound.
class JumpHistory {
 public:
  struct Place {
    int page = 1;
    int offset = 0;
    friend bool operator==(const Place&, const Place&) = default;
  };
  static constexpr std::size_t kBound = 50;

  void Push(Place place) {
    places_.push_back(place);
    if (places_.size() > kBound) places_.pop_front();
  }
  std::optional<Place> Pop() {
    if (places_.empty()) return std::nullopt;
    const Place place = places_.back();
    places_.pop_back();
    return place;
  }
  void Clear() { places_.clear(); }

 private:
  std::deque<Place> places_;
};
