// Find and replace over the box's text: direction, case, whole words, what
// each request selects and the message it ends with.
#include <gtest/gtest.h>

#include <optional>
#include <random>
#include <string>
#include <vector>

#include "editor/FindReplace.h"

// Selections print as [start, end) in failure messages.
void PrintTo(const TextSelection& selection, std::ostream* os) {
  *os << "[" << selection.start << ", " << selection.end << ")";
}

namespace {

constexpr std::uint32_t kUp = 0;
constexpr std::uint32_t kWord = FR_DOWN | FR_WHOLEWORD;

std::u16string Letters(char16_t letter, std::size_t count) { return std::u16string(count, letter); }

// The box as find and replace sees it; each request is applied as the
// editor window applies it.
struct Box {
  Box(std::u16string boxText, TextSelection boxSelection) : text(std::move(boxText)), selection(boxSelection) {}

  std::u16string text;
  TextSelection selection;
  FindReplaceState state;

  FindMessage Request(std::uint32_t flags, std::u16string findText, std::u16string replaceText = u"") {
    state.record = SearchRecord{flags, std::move(findText), std::move(replaceText)};
    FindRequestResult result = HandleFindRequest(state, text, selection);
    if (result.textReplaced) text = std::move(result.text);
    selection = result.selection;
    return result.message;
  }
};

TEST(FindReplaceTest, FindNextSelectsTheOccurrenceThatCounts) {
  const struct {
    const char* name;
    std::u16string text;
    std::size_t caret;
    std::uint32_t options;
    std::u16string findText;
    std::optional<TextSelection> found;  // none: "no matches", the caret stays
  } cases[] = {
      {"whole word before a full stop", u"el perro.", 0, kWord, u"perro", TextSelection{3, 8}},
      {"whole word at the start", u"perro come", 0, kWord, u"perro", TextSelection{0, 5}},
      {"whole word at the end", u"come perro", 0, kWord, u"perro", TextSelection{5, 10}},
      {"no whole word before a line end", u"el perro\r\nsale", 0, kWord, u"perro", std::nullopt},
      {"no whole word beside a tab", u"a\tperro", 0, kWord, u"perro", std::nullopt},
      {"a longer word's beginning is skipped", u"perros y perro", 0, kWord, u"perro", TextSelection{9, 14}},
      {"whole word between question marks", u"¿perro?", 0, kWord, u"perro", TextSelection{1, 6}},
      {"delimiters alone as a whole word", u"a .. b", 0, kWord, u"..", TextSelection{2, 4}},
      {"delimiters beside letters", u"a...b", 0, kWord, u"..", std::nullopt},
      {"accented capitals find small letters", u"el ñandú", 0, FR_DOWN, u"ÑANDÚ", TextSelection{3, 8}},
      {"small letters find capitals", u"ÁRBOL", 0, FR_DOWN, u"árbol", TextSelection{0, 5}},
      {"match case keeps them apart", u"un árbol", 0, FR_DOWN | FR_MATCHCASE, u"ÁRBOL", std::nullopt},
      {"œ š ž ÿ have capitals", u"œšžÿ", 0, FR_DOWN, u"ŒŠŽŸ", TextSelection{0, 4}},
      {"ß does not become SS", u"straße", 0, FR_DOWN, u"STRASSE", std::nullopt},
      {"downward from the caret", u"abc abc abc", 4, FR_DOWN, u"abc", TextSelection{4, 7}},
      {"downward past the caret", u"abc abc abc", 5, FR_DOWN, u"abc", TextSelection{8, 11}},
      {"downward with the caret at the end", u"abc abc", 7, FR_DOWN, u"abc", std::nullopt},
      {"upward with the caret right after the word", u"uno dos", 3, kUp, u"uno", TextSelection{0, 3}},
      {"upward from the very end", u"dos uno", 7, kUp, u"uno", TextSelection{4, 7}},
      {"upward does not see a word after the caret", u"dos uno", 5, kUp, u"uno", std::nullopt},
      {"NUL is no delimiter", std::u16string(u"x\0ab", 4), 0, kWord, u"ab", std::nullopt},
      {"an empty search text finds nothing", u"abc", 0, FR_DOWN, u"", std::nullopt},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    Box box{c.text, {c.caret, c.caret}};
    EXPECT_EQ(box.Request(FR_FINDNEXT | c.options, c.findText), c.found ? FindMessage::None : FindMessage::NoMatches);
    EXPECT_EQ(box.selection, c.found.value_or(TextSelection{c.caret, c.caret}));
    EXPECT_EQ(box.text, c.text);
  }
}

// Find next repeated: each occurrence in turn (overlapping ones too, and
// with blanks around the search text), then "no matches" with the last one
// kept selected.
TEST(FindReplaceTest, RepeatedFindNextWalksTheOccurrences) {
  const struct {
    std::u16string text;
    std::size_t caret;
    std::uint32_t options;
    std::u16string findText;
    std::vector<std::size_t> starts;
  } cases[] = {
      {u"uno dos uno", 0, FR_DOWN, u"UNO", {0, 8}},
      {u"aaaa", 0, FR_DOWN, u"aa", {0, 1, 2}},
      {u"casa de la casa de la", 0, FR_DOWN, u" de ", {4, 15}},
      {u"uno dos uno tres uno", 20, kUp, u"uno", {17, 8, 0}},
  };
  for (const auto& c : cases) {
    Box box{c.text, {c.caret, c.caret}};
    const std::size_t length = c.findText.size();
    for (const std::size_t start : c.starts) {
      ASSERT_EQ(box.Request(FR_FINDNEXT | c.options, c.findText), FindMessage::None);
      EXPECT_EQ(box.selection, (TextSelection{start, start + length}));
    }
    EXPECT_EQ(box.Request(FR_FINDNEXT | c.options, c.findText), FindMessage::NoMatches);
    EXPECT_EQ(box.selection, (TextSelection{c.starts.back(), c.starts.back() + length}));
  }
}

TEST(FindReplaceTest, ReplaceChangesTheSelectedOccurrenceAndSelectsTheNext) {
  Box box{u"uno dos uno", {}};
  box.Request(FR_FINDNEXT | FR_DOWN, u"uno");
  EXPECT_EQ(box.Request(FR_REPLACE | FR_DOWN, u"uno", u"tres"), FindMessage::None);
  EXPECT_EQ(box.text, u"tres dos uno");
  EXPECT_EQ(box.selection, (TextSelection{9, 12}));
  EXPECT_EQ(box.Request(FR_REPLACE | FR_DOWN, u"uno", u"tres"), FindMessage::NoOtherResults);
  EXPECT_EQ(box.text, u"tres dos tres");
  EXPECT_EQ(box.selection, (TextSelection{13, 13}));
  EXPECT_EQ(box.Request(FR_REPLACE | FR_DOWN, u"uno", u"tres"), FindMessage::NoMatches);
  EXPECT_EQ(box.text, u"tres dos tres");
  Box inserted{u"a a", {}};  // the next occurrence of the text, not of the insertion
  EXPECT_EQ(inserted.Request(FR_REPLACE | FR_DOWN, u"a", u"ba"), FindMessage::None);
  EXPECT_EQ(inserted.selection, (TextSelection{3, 4}));
}

TEST(FindReplaceTest, ReplaceAllReplacesEveryOccurrenceAndSelectsTheLast) {
  const struct {
    const char* name;
    std::u16string text;
    std::size_t caret;
    std::uint32_t options;
    std::u16string findText, replaceText, result;
    TextSelection selection;
    FindMessage message = FindMessage::None;
  } cases[] = {
      {"three one-letter texts", u"aaa", 0, FR_DOWN, u"a", u"b", u"bbb", {2, 3}},
      {"the replacement ends with the search text", u"aaa", 0, FR_DOWN, u"a", u"ba", u"bababa", {4, 6}},
      {"a whole word inside the replacement", u"a a", 0, kWord, u"a", u"a a", u"a a a a", {4, 7}},
      {"a whole word that begins in the inserted text", u"...", 0, kWord, u"..", u"b..", u"b.b..", {2, 5}},
      {"a whole word at the inserted text's end", u"...", 0, kWord, u"..", u" ..", u" ...", {0, 3}},
      {"an empty replacement removes every occurrence", u"aab", 0, FR_DOWN, u"a", u"", u"b", {0, 0}},
      {"whole words only", u"el perro, perros y perro", 0, kWord, u"perro", u"can", u"el can, perros y can", {17, 20}},
      {"without match case", u"Uno uno UNO", 0, FR_DOWN, u"uno", u"1", u"1 1 1", {4, 5}},
      {"from the caret on", u"a a a", 1, FR_DOWN, u"a", u"b", u"a b b", {4, 5}},
      {"an occurrence from the insertion into the text", u"aaa", 0, FR_DOWN, u"aa", u"xa", u"xxa", {1, 3}},
      {"upward leaves what ends at the caret", u"a a a", 5, kUp, u"a", u"bb", u"bb bb a", {0, 2}},
      {"upward whole words", u"perro perros perro", 18, kUp | FR_WHOLEWORD, u"perro", u"can", u"can perros perro",
       {0, 3}},
      {"nothing to replace", u"uno dos", 2, FR_DOWN, u"tres", u"x", u"uno dos", {2, 2}, FindMessage::NoMatches},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    Box box{c.text, {c.caret, c.caret}};
    EXPECT_EQ(box.Request(FR_REPLACEALL | c.options, c.findText, c.replaceText), c.message);
    EXPECT_EQ(box.text, c.result);
    EXPECT_EQ(box.selection, c.selection);
  }
}

TEST(FindReplaceTest, DialogsOpenWithTheRememberedOptions) {
  FindReplaceState state;
  EXPECT_EQ(OptionsForNewDialog(state), FR_DOWN);
  state.record.flags = FR_FINDNEXT | FR_WHOLEWORD;
  EXPECT_EQ(HandleFindRequest(state, u"text", {}).result, 1);
  state.record.flags = FR_DIALOGTERM;
  EXPECT_EQ(HandleFindRequest(state, u"text", {}).result, 0);
  EXPECT_EQ(OptionsForNewDialog(state), FR_FINDNEXT | FR_WHOLEWORD);
}

// The 36 delimiters by their Windows-1252 codes; line ends, tab and NUL are none.
TEST(FindReplaceTest, WordDelimitersAreTheThirtySixListed) {
  const std::u16string delimiters =
      u"\xBF\xA1\x21\x22\x23\xA4\x25\x26\x2F\x28\x29\x3D\x3F\x60\xB4\x7C\x40\xA3"
      u"\x24\x7B\x5B\x5D\x7D\x2B\x5E\xA8\x7E\x2A\x27\x2C\x3B\x2E\x3A\x2D\x5F\x20";
  int count = 0;
  for (char16_t unit = 0; unit < 0x100; ++unit) count += IsWordDelimiter(unit);
  EXPECT_EQ(count, 36);
  for (const char16_t unit : delimiters) EXPECT_TRUE(IsWordDelimiter(unit)) << int(unit);
}

// Texts longer than the dialogs' 255 characters are cut; near matches
// everywhere must not cost the product of the lengths, and a replace all
// whose every replacement makes the next occurrence ends.
TEST(FindReplaceTest, LongTextsAndNearMatchesEndPromptly) {
  Box cut{Letters(u'a', 255) + u" " + Letters(u'a', 255), {}};
  EXPECT_EQ(cut.Request(FR_FINDNEXT | kWord, Letters(u'a', 300)), FindMessage::None);
  EXPECT_EQ(cut.selection, (TextSelection{0, 255}));

  const std::size_t n = 1000000;
  Box box{Letters(u'a', n), {}};
  EXPECT_EQ(box.Request(FR_FINDNEXT | FR_DOWN, Letters(u'a', 254) + u"b"), FindMessage::NoMatches);
  EXPECT_EQ(box.Request(FR_FINDNEXT | kWord, Letters(u'a', 255)), FindMessage::NoMatches);
  box.selection = {n, n};
  EXPECT_EQ(box.Request(FR_FINDNEXT | kUp | FR_WHOLEWORD, Letters(u'a', 255)), FindMessage::NoMatches);
  box.selection = {0, 0};
  EXPECT_EQ(box.Request(FR_REPLACEALL | FR_DOWN, Letters(u'a', 255), u"b" + Letters(u'a', 254)), FindMessage::None);
  EXPECT_EQ(box.text, Letters(u'b', n - 254) + Letters(u'a', 254));
  EXPECT_EQ(box.selection, (TextSelection{n - 255, n}));

  Box stale{u"abc", {50, 60}};  // a selection beyond the text is held inside
  EXPECT_EQ(stale.Request(FR_FINDNEXT | FR_DOWN, u"abc"), FindMessage::NoMatches);
  EXPECT_EQ(stale.Request(FR_FINDNEXT | kUp, u"abc"), FindMessage::None);
}

// The engine scans in one pass and rebuilds the text piece by piece; this
// model does each request the slow and obvious way (position P, a search
// step that tries every place, the text spliced after every replacement).
// Both must agree on every random text.
class Model {
 public:
  explicit Model(const SearchRecord& record) : record_(record), down_((record.flags & FR_DOWN) != 0) {}

  FindMessage Run(Box& box, const std::u16string& lastMatch) const {
    const TextSelection s = box.selection;
    if (record_.flags & FR_FINDNEXT) {
      const bool stepPast = !down_ || (s.start < s.end && Capitals(box.text.substr(s.start, s.end - s.start)) == lastMatch) ||
                            s.end == box.text.size();
      const std::size_t found = Step(box.text, s.start + (stepPast ? 1 : 0));
      if (found == std::u16string::npos) return FindMessage::NoMatches;
      box.selection = {found, found + record_.findText.size()};
      return FindMessage::None;
    }
    std::size_t found = Step(box.text, s.start);
    if (found == std::u16string::npos) return FindMessage::NoMatches;
    if (record_.flags & FR_REPLACE) {
      const std::size_t next = ReplaceAt(box.text, found);
      const std::size_t caret = found + record_.replaceText.size();
      box.selection = next == std::u16string::npos ? TextSelection{caret, caret}
                                                   : TextSelection{next, next + record_.findText.size()};
      return next == std::u16string::npos ? FindMessage::NoOtherResults : FindMessage::None;
    }
    std::size_t last = found;
    for (int round = 0; found != std::u16string::npos && round < 10000; ++round) {
      last = found;
      found = ReplaceAt(box.text, found);
    }
    EXPECT_EQ(found, std::u16string::npos) << "replace all does not end";
    box.selection = {last, last + record_.replaceText.size()};
    return FindMessage::None;
  }

  static std::u16string Capitals(std::u16string text) {
    for (char16_t& unit : text) unit = FoldToCapital(unit);
    return text;
  }

 private:
  bool MatchesAt(const std::u16string& text, std::size_t i) const {
    const std::u16string& find = record_.findText;
    if (i + find.size() > text.size()) return false;
    const bool exact = record_.flags & FR_MATCHCASE;
    const std::u16string piece = text.substr(i, find.size());
    return exact ? piece == find : Capitals(piece) == Capitals(find);
  }

  bool Counts(const std::u16string& text, std::size_t i) const {
    const std::size_t end = i + record_.findText.size();
    return !(record_.flags & FR_WHOLEWORD) ||
           ((i == 0 || IsWordDelimiter(text[i - 1])) && (end >= text.size() || IsWordDelimiter(text[end])));
  }

  // The search step over 1-based P; gives the 0-based start or npos.
  std::size_t Step(const std::u16string& text, std::size_t p) const {
    const std::size_t length = record_.findText.size();
    for (std::size_t found = std::u16string::npos; length > 0; p = found + 1, found = std::u16string::npos) {
      for (std::size_t i = down_ ? p : 0; down_ ? i < text.size() : p >= 1 && i + length <= p - 1; ++i) {
        if (MatchesAt(text, i) && (found == std::u16string::npos || !down_)) found = i;
      }
      if (found == std::u16string::npos || Counts(text, found)) return found;
    }
    return std::u16string::npos;
  }

  std::size_t ReplaceAt(std::u16string& text, std::size_t at) const {
    text = text.substr(0, at) + record_.replaceText + text.substr(at + record_.findText.size());
    const std::size_t inserted = record_.replaceText.size();
    if (!down_) return Step(text, at + 1);
    const std::size_t next = Step(text, inserted == 0 ? at : at + 1);
    const bool inside = next != std::u16string::npos && next + record_.findText.size() <= at + inserted;
    return inside ? Step(text, at + inserted) : next;
  }

  const SearchRecord& record_;
  bool down_;
};

// Narrow alphabets, so occurrences overlap, touch and run into replacements.
TEST(FindReplaceTest, AgreesWithTheStepByStepModel) {
  std::mt19937 random(20240611);
  const auto randomText = [&random](std::u16string_view alphabet, std::size_t maxLength) {
    std::u16string text(random() % (maxLength + 1), u' ');
    for (char16_t& unit : text) unit = alphabet[random() % alphabet.size()];
    return text;
  };
  const std::uint32_t requests[] = {FR_FINDNEXT, FR_REPLACE, FR_REPLACEALL};
  const std::u16string_view alphabets[][3] = {
      {u"aab .\r\nAáÁ", u"aA b.", u"ab ."}, {u"a.b", u"a.", u"a.b"}, {u"..a", u".", u". b"}};
  for (int round = 0; round < 45000; ++round) {
    const auto& letters = alphabets[round % 3];
    const std::u16string text = randomText(letters[0], 24);
    const SearchRecord record{static_cast<std::uint32_t>(requests[random() % 3] | (random() % 8)), randomText(letters[1], 3),
                              randomText(letters[2], 5)};
    const std::size_t end = random() % (text.size() + 1);
    const std::size_t start = random() % (end + 1);
    const std::u16string lastMatch = (random() % 2) ? Model::Capitals(text.substr(start, end - start)) : u"";

    Box box{text, {start, end}};
    box.state.lastMatch = lastMatch;
    Box model = box;
    const FindMessage message = box.Request(record.flags, record.findText, record.replaceText);
    SCOPED_TRACE(::testing::Message() << "round " << round);
    ASSERT_EQ(message, Model(record).Run(model, lastMatch));
    ASSERT_EQ(box.text, model.text);
    ASSERT_EQ(box.selection, model.selection);
  }
}

}  // namespace
