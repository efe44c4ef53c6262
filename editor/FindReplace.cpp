#include "editor/FindReplace.h"

#include <algorithm>
#include <array>
#include <optional>
#include <vector>

namespace {

// In the program's order; their Windows-1252 codes are also their code points.
constexpr std::u16string_view kWordDelimiters =
    u"\u00BF\u00A1!\"#\u00A4%&/()=?`\u00B4|@\u00A3${[]}+^\u00A8~*',;.:-_ ";
static_assert(kWordDelimiters.size() == 36);

constexpr char16_t kFirstUnfolded = 0x180;

constexpr std::array<char16_t, kFirstUnfolded> BuildCapitals() {
  std::array<char16_t, kFirstUnfolded> capitals{};
  for (char16_t u = 0; u < kFirstUnfolded; ++u) capitals[u] = u;
  for (char16_t u = u'a'; u <= u'z'; ++u) capitals[u] = u - 0x20;
  for (char16_t u = 0xE0; u <= 0xFE; ++u) {
    if (u != 0xF7) capitals[u] = u - 0x20;  // U+00F7 is the division sign
  }
  capitals[0xFF] = 0x178;
  // Latin Extended-A pairs capital and small letter side by side. Dotless i,
  // kra, n preceded by apostrophe and long s have no capital of their own.
  for (char16_t u = 0x101; u <= 0x137; u += 2) {
    if (u != 0x131) capitals[u] = u - 1;
  }
  for (char16_t u = 0x13A; u <= 0x148; u += 2) capitals[u] = u - 1;
  for (char16_t u = 0x14B; u <= 0x177; u += 2) capitals[u] = u - 1;
  for (char16_t u = 0x17A; u <= 0x17E; u += 2) capitals[u] = u - 1;
  return capitals;
}

constexpr std::array<char16_t, kFirstUnfolded> kCapitals = BuildCapitals();

std::u16string FoldAll(std::u16string_view text) {
  std::u16string folded(text);
  for (char16_t& unit : folded) unit = FoldToCapital(unit);
  return folded;
}

// A text read as one while it is in two pieces: the part already rebuilt and
// the part still as it was, so replacing all never copies the whole text per
// replacement.
struct SplicedText {
  std::u16string_view head;
  std::u16string_view tail;

  std::size_t size() const { return head.size() + tail.size(); }
  char16_t at(std::size_t k) const { return k < head.size() ? head[k] : tail[k - head.size()]; }
};

bool StandsAsWord(const SplicedText& text, std::size_t start, std::size_t length) {
  const bool before = start == 0 || IsWordDelimiter(text.at(start - 1));
  const bool after = start + length >= text.size() || IsWordDelimiter(text.at(start + length));
  return before && after;
}

// For each prefix length q, the longest proper prefix of the units that is
// also a suffix of the first q units.
std::vector<std::size_t> BuildBorders(std::u16string_view units) {
  std::vector<std::size_t> borders(units.size() + 1, 0);
  std::size_t k = 0;
  for (std::size_t q = 1; q < units.size(); ++q) {
    while (k > 0 && units[q] != units[k]) k = borders[k];
    if (units[q] == units[k]) ++k;
    borders[q + 1] = k;
  }
  return borders;
}

// The search text prepared for a linear scan in either direction, so a long
// search text over a long text of near matches never scans quadratically.
class SearchPattern {
 public:
  SearchPattern(std::u16string_view needle, bool matchCase) : matchCase_(matchCase) {
    for (char16_t unit : needle) forward_.push_back(Key(unit));
    backward_.assign(forward_.rbegin(), forward_.rend());
    forwardBorders_ = BuildBorders(forward_);
    backwardBorders_ = BuildBorders(backward_);
  }

  std::size_t Length() const { return forward_.size(); }
  char16_t Key(char16_t unit) const { return matchCase_ ? unit : FoldToCapital(unit); }
  const std::u16string& Units(bool down) const { return down ? forward_ : backward_; }
  const std::vector<std::size_t>& Borders(bool down) const {
    return down ? forwardBorders_ : backwardBorders_;
  }

 private:
  bool matchCase_;
  std::u16string forward_;
  std::u16string backward_;
  std::vector<std::size_t> forwardBorders_;
  std::vector<std::size_t> backwardBorders_;
};

// Gives every occurrence, overlapping ones included, in the scan direction:
// downward by rising start from pos, upward by falling start among those that
// end at pos or before.
class OccurrenceScanner {
 public:
  OccurrenceScanner(const SplicedText& text, const SearchPattern& pattern, bool down,
                    std::size_t pos, std::size_t matched = 0)
      : text_(text), pattern_(pattern), down_(down), pos_(pos), matched_(matched) {}

  std::optional<std::size_t> Next() {
    const std::size_t length = pattern_.Length();
    if (length == 0) return std::nullopt;
    while (down_ ? pos_ < text_.size() : pos_ > 0) {
      const std::size_t at = down_ ? pos_++ : --pos_;
      Advance(pattern_.Key(text_.at(at)));
      if (matched_ == length) {
        matched_ = pattern_.Borders(down_)[length];
        return down_ ? pos_ - length : pos_;
      }
    }
    return std::nullopt;
  }

  std::size_t Matched() const { return matched_; }

 private:
  void Advance(char16_t key) {
    const std::u16string& units = pattern_.Units(down_);
    const std::vector<std::size_t>& borders = pattern_.Borders(down_);
    while (matched_ > 0 && units[matched_] != key) matched_ = borders[matched_];
    if (units[matched_] == key) ++matched_;
  }

  const SplicedText& text_;
  const SearchPattern& pattern_;
  bool down_;
  std::size_t pos_;
  std::size_t matched_;
};

// The first occurrence that counts. An occurrence that is no whole word moves
// the search on from its own start: downward to the next start, upward to
// occurrences that end at that start or before.
std::optional<std::size_t> FindCountingOccurrence(OccurrenceScanner& scanner,
                                                  const SplicedText& text,
                                                  std::size_t length, bool down,
                                                  bool wholeWord) {
  std::size_t upwardLimit = text.size();
  while (std::optional<std::size_t> start = scanner.Next()) {
    if (!down && *start + length > upwardLimit) continue;
    if (!wholeWord || StandsAsWord(text, *start, length)) return start;
    upwardLimit = *start;
  }
  return std::nullopt;
}

// The search step from the 1-based position p: downward the first occurrence
// that starts at p + 1 or later, upward the last that lies wholly within the
// first p - 1 characters. Gives the 0-based start.
std::optional<std::size_t> SearchStep(const SplicedText& text, const SearchPattern& pattern,
                                      std::uint32_t flags, std::size_t p) {
  const bool down = (flags & FR_DOWN) != 0;
  if (!down && p == 0) return std::nullopt;
  const std::size_t from = down ? p : std::min(p - 1, text.size());
  OccurrenceScanner scanner(text, pattern, down, from);
  return FindCountingOccurrence(scanner, text, pattern.Length(), down,
                                (flags & FR_WHOLEWORD) != 0);
}

// What the replacement text holds by itself, worked out once: where a scan
// that starts at its second unit stands at its end, and whether an
// occurrence wholly inside it counts (for a whole word that can hang on the
// character that follows it).
struct InsertedTextScan {
  std::size_t length = 0;
  std::size_t matchedAtEnd = 0;
  bool insideCountsBeforeDelimiter = false;  // also before the end of the text
  bool insideCountsBeforeOther = false;
};

InsertedTextScan ScanInsertedText(std::u16string_view replacement, const SearchPattern& pattern,
                                  bool wholeWord) {
  InsertedTextScan inserted;
  inserted.length = replacement.size();
  if (replacement.empty()) return inserted;
  const SplicedText text{replacement, {}};
  OccurrenceScanner scanner(text, pattern, true, 1);
  while (std::optional<std::size_t> start = scanner.Next()) {
    const std::size_t end = *start + pattern.Length();
    if (wholeWord && !IsWordDelimiter(replacement[*start - 1])) continue;
    if (!wholeWord || (end < replacement.size() && IsWordDelimiter(replacement[end]))) {
      inserted.insideCountsBeforeDelimiter = inserted.insideCountsBeforeOther = true;
    } else if (end == replacement.size()) {
      inserted.insideCountsBeforeDelimiter = true;
    }
  }
  inserted.matchedAtEnd = scanner.Matched();
  return inserted;
}

// The search step that follows a replacement at start (P is then the
// replacement's 1-based start). Downward it would search from one unit into
// the inserted text; an occurrence lying wholly inside that text would make
// replacing all endless, so the search then goes on after the inserted text.
// An empty replacement inserts nothing to step past: the search goes on at
// the replacement's place, or the occurrence right after it would be missed.
std::optional<std::size_t> SearchAfterReplacement(const SplicedText& text,
                                                  const SearchPattern& pattern,
                                                  std::uint32_t flags, std::size_t start,
                                                  const InsertedTextScan& inserted) {
  if (!(flags & FR_DOWN)) return SearchStep(text, pattern, flags, start + 1);
  std::size_t from = start;
  std::size_t matched = 0;
  if (inserted.length > 0) {
    from = start + inserted.length;
    const bool delimiterFollows = from >= text.size() || IsWordDelimiter(text.at(from));
    const bool insideCounts = delimiterFollows ? inserted.insideCountsBeforeDelimiter
                                               : inserted.insideCountsBeforeOther;
    // Without a counting occurrence inside, the scan resumes where a scan
    // through the inserted text would stand, so occurrences that begin
    // inside it and end after it are still found.
    if (!insideCounts) matched = inserted.matchedAtEnd;
  }
  OccurrenceScanner scanner(text, pattern, true, from, matched);
  return FindCountingOccurrence(scanner, text, pattern.Length(), true,
                                (flags & FR_WHOLEWORD) != 0);
}

// Replaces all downward in one pass: the rebuilt text so far, followed by the
// rest of the original from restStart.
class DownwardRebuild {
 public:
  DownwardRebuild(std::u16string_view original, std::u16string_view replacement,
                  std::size_t searchLength)
      : original_(original), replacement_(replacement), searchLength_(searchLength) {
    rebuilt_.reserve(original.size());
  }

  SplicedText CurrentText() const { return {rebuilt_, original_.substr(restStart_)}; }

  // start is an offset in CurrentText(); the occurrence begins at the last
  // inserted text or after it.
  void ReplaceAt(std::size_t start) {
    if (start >= rebuilt_.size()) {
      const std::size_t gap = start - rebuilt_.size();
      rebuilt_.append(original_.substr(restStart_, gap));
      restStart_ += gap;
    }
    const std::size_t alreadyRebuilt = rebuilt_.size() - start;
    rebuilt_.resize(start);
    restStart_ = std::min(original_.size(), restStart_ + searchLength_ - alreadyRebuilt);
    rebuilt_.append(replacement_);
  }

  std::u16string Finish() {
    rebuilt_.append(original_.substr(restStart_));
    return std::move(rebuilt_);
  }

 private:
  std::u16string_view original_;
  std::u16string_view replacement_;
  std::size_t searchLength_;
  std::u16string rebuilt_;
  std::size_t restStart_ = 0;
};

struct ReplacedText {
  std::u16string text;
  std::size_t lastStart = 0;  // where the last replacement made begins
};

// Each replacement uses up at least one unit of the original text (an
// occurrence wholly inside inserted text is never taken), which bounds the
// loop by the text's length.
ReplacedText ReplaceAllDownward(std::u16string_view text, std::size_t first,
                                const SearchPattern& pattern, std::uint32_t flags,
                                std::u16string_view replacement) {
  const InsertedTextScan inserted =
      ScanInsertedText(replacement, pattern, (flags & FR_WHOLEWORD) != 0);
  DownwardRebuild rebuild(text, replacement, pattern.Length());
  std::optional<std::size_t> next = first;
  std::size_t last = first;
  for (std::size_t round = 0; next && round <= text.size(); ++round) {
    last = *next;
    rebuild.ReplaceAt(last);
    next = SearchAfterReplacement(rebuild.CurrentText(), pattern, flags, last, inserted);
  }
  return {rebuild.Finish(), last};
}

// Upward each occurrence lies wholly before the previous one, so the text
// before it is still the original; the rebuilt end is kept as pieces. Only
// the unit after an occurrence that ends where the last replacement begins
// is read there: the replacement's first unit. With an empty replacement it
// is the unit after a counting occurrence, a delimiter or nothing, which
// the end of the text stands for.
ReplacedText ReplaceAllUpward(std::u16string_view text, std::size_t first,
                              const SearchPattern& pattern, std::uint32_t flags,
                              std::u16string_view replacement) {
  std::vector<std::u16string_view> pieces;  // the rebuilt end, last piece first
  std::size_t pieceEnd = text.size();
  std::optional<std::size_t> next = first;
  std::size_t last = first;
  for (std::size_t round = 0; next && round <= text.size(); ++round) {
    last = *next;
    const std::size_t after = last + pattern.Length();
    pieces.push_back(text.substr(after, pieceEnd - after));
    pieces.push_back(replacement);
    pieceEnd = last;
    next = SearchStep(SplicedText{text.substr(0, last), replacement.substr(0, 1)}, pattern,
                      flags, last + 1);
  }
  std::u16string rebuilt(text.substr(0, last));
  rebuilt.reserve(text.size());
  for (auto piece = pieces.rbegin(); piece != pieces.rend(); ++piece) rebuilt.append(*piece);
  return {std::move(rebuilt), last};
}

struct Request {
  FindReplaceState& state;
  std::u16string_view text;
  TextSelection selection;
  std::uint32_t flags;
  std::u16string_view findText;
  std::u16string_view replaceText;
  const SearchPattern& pattern;
};

FindRequestResult LeaveBoxAsIs(const Request& request, FindMessage message) {
  FindRequestResult result;
  result.message = message;
  result.selection = request.selection;
  return result;
}

void SelectOccurrence(FindRequestResult& result, FindReplaceState& state, std::size_t start,
                      std::size_t length) {
  result.selection = {start, start + length};
  result.revealSelection = true;
  state.lastFoundPosition = start + 1;
}

// The selection counts as the last match when it reads the same in capitals.
// The last match keeps the search text's blanks: without them a search text
// with a leading or trailing blank would find the same place again and again.
bool SelectionIsLastMatch(const Request& request) {
  const TextSelection& selection = request.selection;
  if (selection.start >= selection.end) return false;
  return FoldAll(request.text.substr(selection.start, selection.end - selection.start)) ==
         request.state.lastMatch;
}

FindRequestResult FindNext(const Request& request) {
  const TextSelection& selection = request.selection;
  const bool stepPast = !(request.flags & FR_DOWN) || SelectionIsLastMatch(request) ||
                        selection.end == request.text.size();
  const std::optional<std::size_t> found =
      SearchStep(SplicedText{request.text, {}}, request.pattern, request.flags,
                 selection.start + (stepPast ? 1 : 0));
  if (!found) return LeaveBoxAsIs(request, FindMessage::NoMatches);
  FindRequestResult result;
  SelectOccurrence(result, request.state, *found, request.pattern.Length());
  request.state.lastMatch = FoldAll(request.findText);
  return result;
}

FindRequestResult ReplaceOnce(const Request& request) {
  const std::size_t length = request.pattern.Length();
  const std::optional<std::size_t> found = SearchStep(
      SplicedText{request.text, {}}, request.pattern, request.flags, request.selection.start);
  if (!found) return LeaveBoxAsIs(request, FindMessage::NoMatches);
  FindRequestResult result;
  result.textReplaced = true;
  result.text.reserve(request.text.size() + request.replaceText.size());
  result.text.append(request.text.substr(0, *found))
      .append(request.replaceText)
      .append(request.text.substr(*found + length));
  request.state.lastFoundPosition = *found + 1;
  const InsertedTextScan inserted = ScanInsertedText(
      request.replaceText, request.pattern, (request.flags & FR_WHOLEWORD) != 0);
  const std::optional<std::size_t> again = SearchAfterReplacement(
      SplicedText{result.text, {}}, request.pattern, request.flags, *found, inserted);
  if (again) {
    SelectOccurrence(result, request.state, *again, length);
  } else {
    // The caret goes after the replacement, where the writer was working.
    const std::size_t caret = *found + request.replaceText.size();
    result.selection = {caret, caret};
    result.message = FindMessage::NoOtherResults;
  }
  return result;
}

FindRequestResult ReplaceAll(const Request& request) {
  const std::optional<std::size_t> found = SearchStep(
      SplicedText{request.text, {}}, request.pattern, request.flags, request.selection.start);
  if (!found) return LeaveBoxAsIs(request, FindMessage::NoMatches);
  const bool down = (request.flags & FR_DOWN) != 0;
  ReplacedText replaced =
      down ? ReplaceAllDownward(request.text, *found, request.pattern, request.flags,
                                request.replaceText)
           : ReplaceAllUpward(request.text, *found, request.pattern, request.flags,
                              request.replaceText);
  FindRequestResult result;
  result.textReplaced = true;
  result.text = std::move(replaced.text);
  SelectOccurrence(result, request.state, replaced.lastStart, request.replaceText.size());
  return result;
}

std::u16string_view CutToCapacity(std::u16string_view text) {
  if (text.size() <= kSearchTextCapacity) return text;
  const bool endsInsidePair = text[kSearchTextCapacity - 1] >= 0xD800 &&
                         text[kSearchTextCapacity - 1] <= 0xDBFF;
  return text.substr(0, kSearchTextCapacity - (endsInsidePair ? 1 : 0));
}

}  // namespace

char16_t FoldToCapital(char16_t unit) {
  return unit < kFirstUnfolded ? kCapitals[unit] : unit;
}

bool IsWordDelimiter(char16_t unit) {
  return kWordDelimiters.find(unit) != std::u16string_view::npos;
}

std::uint32_t OptionsForNewDialog(const FindReplaceState& state) {
  return state.rememberedOptions != 0 ? state.rememberedOptions : FR_DOWN;
}

FindRequestResult HandleFindRequest(FindReplaceState& state, std::u16string_view boxText,
                                    TextSelection boxSelection) {
  const std::uint32_t flags = state.record.flags;
  if (flags & FR_DIALOGTERM) {
    FindRequestResult closing;
    closing.result = 0;
    closing.selection = boxSelection;
    return closing;
  }
  state.rememberedOptions = flags;
  const std::size_t end = std::min(boxSelection.end, boxText.size());
  const TextSelection selection{std::min(boxSelection.start, end), end};
  const std::u16string_view findText = CutToCapacity(state.record.findText);
  const SearchPattern pattern(findText, (flags & FR_MATCHCASE) != 0);
  const Request request{state,    boxText, selection, flags, findText,
                        CutToCapacity(state.record.replaceText), pattern};
  if (flags & FR_FINDNEXT) return FindNext(request);
  if (flags & FR_REPLACE) return ReplaceOnce(request);
  if (flags & FR_REPLACEALL) return ReplaceAll(request);
  return LeaveBoxAsIs(request, FindMessage::None);
}
