// Find and replace over the box's text: direction, case, whole words, what is selected and the message.
#include <gtest/gtest.h>

#include "editor/FindReplace.h"

namespace {

constexpr std::uint32_t kUp = 0;
constexpr std::uint32_t kWord = FR_DOWN | FR_WHOLEWORD;

// The box as find and replace sees it; each request is applied as the editor window applies it.
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
  const struct {  // found none: "no matches", the caret stays
    const char* name; std::u16string text; std::size_t caret; std::uint32_t options; std::u16string findText;
    std::optional<TextSelection> found;
  } cases[] = {
      {"whole word before a full stop", u"el perro.", 0, kWord, u"perro", TextSelection{3, 8}},
      {"no whole word before a line end", u"el perro\r\nsale", 0, kWord, u"perro", std::nullopt},
      {"delimiters alone as a whole word", u"a .. b", 0, kWord, u"..", TextSelection{2, 4}},
      {"delimiters beside letters", u"a...b", 0, kWord, u"..", std::nullopt},
      {"accented capitals find small letters", u"el ñandú", 0, FR_DOWN, u"ÑANDÚ", TextSelection{3, 8}},
      {"match case keeps them apart", u"un árbol", 0, FR_DOWN | FR_MATCHCASE, u"ÁRBOL", std::nullopt},
      {"œ š ž ÿ have capitals", u"œšžÿ", 0, FR_DOWN, u"ŒŠŽŸ", TextSelection{0, 4}},
      {"ß does not become SS", u"straße", 0, FR_DOWN, u"STRASSE", std::nullopt},
      {"downward from the caret", u"abc abc abc", 4, FR_DOWN, u"abc", TextSelection{4, 7}},
      {"upward with the caret right after the word", u"uno dos", 3, kUp, u"uno", TextSelection{0, 3}},
      {"upward does not see a word after the caret", u"dos uno", 5, kUp, u"uno", std::nullopt},
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

// Repeated find next: each occurrence in turn, overlapping ones too, then "no matches" keeping the last.
TEST(FindReplaceTest, RepeatedFindNextAndReplaceWalkTheOccurrences) {
  const struct {
    std::u16string text; std::size_t caret; std::uint32_t options; std::u16string findText;
    std::vector<std::size_t> starts;
  } cases[] = {
      {u"aaaa", 0, FR_DOWN, u"aa", {0, 1, 2}},
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
  // Replace then selects the next occurrence of the text, not one made by the insertion.
  Box box{u"a a", {}};
  EXPECT_EQ(box.Request(FR_REPLACE | FR_DOWN, u"a", u"ba"), FindMessage::None);
  EXPECT_EQ(box.text, u"ba a");
  EXPECT_EQ(box.selection, (TextSelection{3, 4}));
  EXPECT_EQ(box.Request(FR_REPLACE | FR_DOWN, u"a", u"ba"), FindMessage::NoOtherResults);
  EXPECT_EQ(box.selection, (TextSelection{5, 5}));
  EXPECT_EQ(box.Request(FR_REPLACE | FR_DOWN, u"a", u"ba"), FindMessage::NoMatches);
}

TEST(FindReplaceTest, ReplaceAllReplacesEveryOccurrenceAndSelectsTheLast) {
  const struct {
    const char* name; std::u16string text; std::size_t caret; std::uint32_t options;
    std::u16string findText, replaceText, result; TextSelection selection; FindMessage message = FindMessage::None;
  } cases[] = {
      {"the replacement ends with the search text", u"aaa", 0, FR_DOWN, u"a", u"ba", u"bababa", {4, 6}},
      {"a whole word inside the replacement", u"a a", 0, kWord, u"a", u"a a", u"a a a a", {4, 7}},
      {"a whole word that begins in the inserted text", u"...", 0, kWord, u"..", u"b..", u"b.b..", {2, 5}},
      {"an empty replacement removes every occurrence", u"aab", 0, FR_DOWN, u"a", u"", u"b", {0, 0}},
      {"an occurrence from the insertion into the text", u"aaa", 0, FR_DOWN, u"aa", u"xa", u"xxa", {1, 3}},
      {"upward leaves what ends at the caret", u"a a a", 5, kUp, u"a", u"bb", u"bb bb a", {0, 2}},
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

// Search texts are cut to 255; near matches must not cost the lengths' product; a self-feeding replace all ends.
TEST(FindReplaceTest, LongTextsAndNearMatchesEndPromptly) {
  const std::u16string a254(254, u'a'), a255 = a254 + u"a";
  Box cut{a255 + u" " + a255, {}};
  EXPECT_EQ(cut.Request(FR_FINDNEXT | kWord, a255 + a254), FindMessage::None);
  EXPECT_EQ(cut.selection, (TextSelection{0, 255}));
  const std::size_t n = 1000000;
  Box box{std::u16string(n, u'a'), {}};
  EXPECT_EQ(box.Request(FR_FINDNEXT | FR_DOWN, a254 + u"b"), FindMessage::NoMatches);
  EXPECT_EQ(box.Request(FR_FINDNEXT | kWord, a255), FindMessage::NoMatches);
  box.selection = {n, n};
  EXPECT_EQ(box.Request(FR_FINDNEXT | kUp | FR_WHOLEWORD, a255), FindMessage::NoMatches);
  box.selection = {0, 0};
  EXPECT_EQ(box.Request(FR_REPLACEALL | FR_DOWN, a255, u"b" + a254), FindMessage::None);
  EXPECT_EQ(box.text, std::u16string(n - 254, u'b') + a254);
  EXPECT_EQ(box.selection, (TextSelection{n - 255, n}));
  Box stale{u"abc", {50, 60}};  // a selection beyond the text is held inside
  EXPECT_EQ(stale.Request(FR_FINDNEXT | FR_DOWN, u"abc"), FindMessage::NoMatches);
  EXPECT_EQ(stale.Request(FR_FINDNEXT | kUp, u"abc"), FindMessage::None);
}

}  // namespace
