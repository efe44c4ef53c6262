#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "EditorBox.h"

namespace {

constexpr std::uint32_t kUp = 0;

std::u16string RepeatLetter(char16_t letter, std::size_t count) { return std::u16string(count, letter); }

struct FindCase {
  const char* name;
  std::u16string text;
  std::size_t caret;
  std::uint32_t options;
  std::u16string findText;
  std::optional<TextSelection> found;  // none: "no matches", the caret stays
};

TEST(FindReplaceTest, FindNextSelectsTheOccurrenceThatCounts) {
  const std::uint32_t word = FR_DOWN | FR_WHOLEWORD;
  const FindCase cases[] = {
      {"whole word before a full stop", u"el perro.", 0, word, u"perro", TextSelection{3, 8}},
      {"whole word at the start", u"perro come", 0, word, u"perro", TextSelection{0, 5}},
      {"whole word at the end", u"come perro", 0, word, u"perro", TextSelection{5, 10}},
      {"no whole word before a line end", u"el perro\r\nsale", 0, word, u"perro", std::nullopt},
      {"no whole word after a line feed", u"a\nperro", 0, word, u"perro", std::nullopt},
      {"no whole word beside a tab", u"a\tperro", 0, word, u"perro", std::nullopt},
      {"a longer word's beginning is skipped", u"perros y perro", 0, word, u"perro",
       TextSelection{9, 14}},
      {"whole word between question marks", u"¿perro?", 0, word, u"perro", TextSelection{1, 6}},
      {"delimiters alone as a whole word", u"a .. b", 0, word, u"..", TextSelection{2, 4}},
      {"delimiters beside letters", u"a...b", 0, word, u"..", std::nullopt},
      {"accented capitals find small letters", u"un árbol", 0, FR_DOWN, u"ÁRBOL",
       TextSelection{3, 8}},
      {"capital Ñ and Ú", u"el ñandú", 0, FR_DOWN, u"ÑANDÚ", TextSelection{3, 8}},
      {"small letters find capitals", u"ÁRBOL", 0, FR_DOWN, u"árbol", TextSelection{0, 5}},
      {"match case keeps them apart", u"un árbol", 0, FR_DOWN | FR_MATCHCASE, u"ÁRBOL",
       std::nullopt},
      {"œ š ž ÿ have capitals", u"œšžÿ", 0, FR_DOWN, u"ŒŠŽŸ", TextSelection{0, 4}},
      {"ß does not become SS", u"straße", 0, FR_DOWN, u"STRASSE", std::nullopt},
      {"ß matches itself", u"straße", 0, FR_DOWN, u"STRAßE", TextSelection{0, 6}},
      {"downward from the caret", u"abc abc abc", 4, FR_DOWN, u"abc", TextSelection{4, 7}},
      {"downward past the caret", u"abc abc abc", 5, FR_DOWN, u"abc", TextSelection{8, 11}},
      {"downward with the caret at the end", u"abc abc", 7, FR_DOWN, u"abc", std::nullopt},
      {"upward with the caret right after the word", u"uno dos", 3, kUp, u"uno",
       TextSelection{0, 3}},
      {"upward from the very end", u"dos uno", 7, kUp, u"uno", TextSelection{4, 7}},
      {"upward does not see a word after the caret", u"dos uno", 5, kUp, u"uno",
       std::nullopt},
      {"NUL is an ordinary character", std::u16string(u"a\0b a\0b", 7), 1, FR_DOWN,
       std::u16string(u"a\0b", 3), TextSelection{4, 7}},
      {"NUL is no delimiter", std::u16string(u"x\0ab", 4), 0, word, u"ab", std::nullopt},
      {"an empty search text finds nothing", u"abc", 0, FR_DOWN, u"", std::nullopt},
  };
  for (const FindCase& c : cases) {
    SCOPED_TRACE(c.name);
    EditorBox box{{}, c.text, {}};
    box.PutCaret(c.caret);
    const FindMessage message = box.Request(FR_FINDNEXT | c.options, c.findText);
    EXPECT_EQ(message, c.found ? FindMessage::None : FindMessage::NoMatches);
    EXPECT_EQ(box.selection, c.found.value_or(TextSelection{c.caret, c.caret}));
    EXPECT_EQ(box.text, c.text);
  }
}

TEST(FindReplaceTest, FindNextWalksTheOccurrencesAndKeepsTheLast) {
  EditorBox box{{}, u"uno dos uno", {}};
  EXPECT_EQ(box.Request(FR_FINDNEXT | FR_DOWN, u"UNO"), FindMessage::None);
  EXPECT_EQ(box.selection, (TextSelection{0, 3}));
  EXPECT_EQ(box.Request(FR_FINDNEXT | FR_DOWN, u"UNO"), FindMessage::None);
  EXPECT_EQ(box.selection, (TextSelection{8, 11}));
  EXPECT_EQ(box.Request(FR_FINDNEXT | FR_DOWN, u"UNO"), FindMessage::NoMatches);
  EXPECT_EQ(box.selection, (TextSelection{8, 11}));
}

TEST(FindReplaceTest, FindNextFindsOverlappingOccurrencesInTurn) {
  EditorBox box{{}, u"aaaa", {}};
  for (std::size_t start : {0u, 1u, 2u}) {
    ASSERT_EQ(box.Request(FR_FINDNEXT | FR_DOWN, u"aa"), FindMessage::None);
    EXPECT_EQ(box.selection, (TextSelection{start, start + 2}));
  }
  EXPECT_EQ(box.Request(FR_FINDNEXT | FR_DOWN, u"aa"), FindMessage::NoMatches);
}

TEST(FindReplaceTest, UpwardFindWalksBackToTheStart) {
  EditorBox box{{}, u"uno dos uno tres uno", {}};
  box.PutCaret(box.text.size());
  for (std::size_t start : {17u, 8u, 0u}) {
    ASSERT_EQ(box.Request(FR_FINDNEXT | kUp, u"uno"), FindMessage::None);
    EXPECT_EQ(box.selection, (TextSelection{start, start + 3}));
  }
  EXPECT_EQ(box.Request(FR_FINDNEXT | kUp, u"uno"), FindMessage::NoMatches);
  EXPECT_EQ(box.selection, (TextSelection{0, 3}));
}

// A search text with a blank at either end used to find the same place again
// and again, as the remembered match had lost its blanks.
TEST(FindReplaceTest, FindNextStepsOnWithBlanksAroundTheSearchText) {
  EditorBox box{{}, u"casa de la casa de la", {}};
  for (std::size_t start : {4u, 15u}) {
    ASSERT_EQ(box.Request(FR_FINDNEXT | FR_DOWN, u" de "), FindMessage::None);
    EXPECT_EQ(box.selection, (TextSelection{start, start + 4}));
  }
  EXPECT_EQ(box.Request(FR_FINDNEXT | FR_DOWN, u" de "), FindMessage::NoMatches);

  EditorBox blanks{{}, u"a b c", {}};
  for (std::size_t start : {1u, 3u}) {
    ASSERT_EQ(blanks.Request(FR_FINDNEXT | FR_DOWN, u" "), FindMessage::None);
    EXPECT_EQ(blanks.selection, (TextSelection{start, start + 1}));
  }
}

TEST(FindReplaceTest, ReplaceChangesTheSelectedOccurrenceAndSelectsTheNext) {
  EditorBox box{{}, u"uno dos uno", {}};
  box.Request(FR_FINDNEXT | FR_DOWN, u"uno");
  EXPECT_EQ(box.Request(FR_REPLACE | FR_DOWN, u"uno", u"tres"), FindMessage::None);
  EXPECT_EQ(box.text, u"tres dos uno");
  EXPECT_EQ(box.selection, (TextSelection{9, 12}));
  EXPECT_EQ(box.Request(FR_REPLACE | FR_DOWN, u"uno", u"tres"), FindMessage::NoOtherResults);
  EXPECT_EQ(box.text, u"tres dos tres");
  EXPECT_EQ(box.selection, (TextSelection{13, 13}));
  EXPECT_EQ(box.Request(FR_REPLACE | FR_DOWN, u"uno", u"tres"), FindMessage::NoMatches);
  EXPECT_EQ(box.text, u"tres dos tres");
}

TEST(FindReplaceTest, ReplaceSelectsTheNextOccurrenceOfTheTextNotOfTheInsertion) {
  EditorBox box{{}, u"a a", {}};
  EXPECT_EQ(box.Request(FR_REPLACE | FR_DOWN, u"a", u"ba"), FindMessage::None);
  EXPECT_EQ(box.text, u"ba a");
  EXPECT_EQ(box.selection, (TextSelection{3, 4}));
}

struct ReplaceAllCase {
  const char* name;
  std::u16string text;
  std::size_t caret;
  std::uint32_t options;
  std::u16string findText;
  std::u16string replaceText;
  std::u16string result;
  TextSelection selection;
};

TEST(FindReplaceTest, ReplaceAllReplacesEveryOccurrenceAndSelectsTheLast) {
  const ReplaceAllCase cases[] = {
      {"three one-letter texts", u"aaa", 0, FR_DOWN, u"a", u"b", u"bbb", {2, 3}},
      {"the replacement ends with the search text", u"aaa", 0, FR_DOWN, u"a", u"ba",
       u"bababa", {4, 6}},
      {"the replacement doubles the search text", u"a a", 0, FR_DOWN, u"a", u"aa", u"aa aa",
       {3, 5}},
      {"a whole word inside the replacement", u"a a", 0, FR_DOWN | FR_WHOLEWORD, u"a", u"a a",
       u"a a a a", {4, 7}},
      {"a whole word that begins in the inserted text", u"...", 0, FR_DOWN | FR_WHOLEWORD,
       u"..", u"b..", u"b.b..", {2, 5}},
      {"a whole word at the inserted text's end", u"...", 0, FR_DOWN | FR_WHOLEWORD, u"..",
       u" ..", u" ...", {0, 3}},
      {"an empty replacement removes every occurrence", u"aab", 0, FR_DOWN, u"a", u"", u"b",
       {0, 0}},
      {"whole words only", u"el perro, perros y perro", 0, FR_DOWN | FR_WHOLEWORD, u"perro",
       u"can", u"el can, perros y can", {17, 20}},
      {"without match case", u"Uno uno UNO", 0, FR_DOWN, u"uno", u"1", u"1 1 1", {4, 5}},
      {"from the caret on", u"a a a", 1, FR_DOWN, u"a", u"b", u"a b b", {4, 5}},
      {"an occurrence from the insertion into the text", u"aaa", 0, FR_DOWN, u"aa", u"xa",
       u"xxa", {1, 3}},
      {"upward from the end", u"a a a.", 6, kUp, u"a", u"bb", u"bb bb bb.", {0, 2}},
      {"upward leaves what ends at the caret", u"a a a", 5, kUp, u"a", u"bb", u"bb bb a",
       {0, 2}},
      {"upward whole words", u"perro perros perro", 18, kUp | FR_WHOLEWORD, u"perro", u"can",
       u"can perros perro", {0, 3}},
  };
  for (const ReplaceAllCase& c : cases) {
    SCOPED_TRACE(c.name);
    EditorBox box{{}, c.text, {}};
    box.PutCaret(c.caret);
    EXPECT_EQ(box.Request(FR_REPLACEALL | c.options, c.findText, c.replaceText),
              FindMessage::None);
    EXPECT_EQ(box.text, c.result);
    EXPECT_EQ(box.selection, c.selection);
  }
}

TEST(FindReplaceTest, ReplaceAllWithoutAnOccurrenceChangesNothing) {
  EditorBox box{{}, u"uno dos", {2, 5}};
  EXPECT_EQ(box.Request(FR_REPLACEALL | FR_DOWN, u"tres", u"x"), FindMessage::NoMatches);
  EXPECT_EQ(box.text, u"uno dos");
  EXPECT_EQ(box.selection, (TextSelection{2, 5}));
}

TEST(FindReplaceTest, DialogsOpenWithTheRememberedOptions) {
  FindReplaceState state;
  EXPECT_EQ(OptionsForNewDialog(state), FR_DOWN);

  state.record.flags = FR_FINDNEXT | FR_WHOLEWORD;
  EXPECT_EQ(HandleFindRequest(state, u"text", {}).result, 1);
  EXPECT_EQ(OptionsForNewDialog(state), FR_FINDNEXT | FR_WHOLEWORD);

  state.record.flags = FR_DIALOGTERM;
  EXPECT_EQ(HandleFindRequest(state, u"text", {}).result, 0);
  EXPECT_EQ(OptionsForNewDialog(state), FR_FINDNEXT | FR_WHOLEWORD);
}

TEST(FindReplaceTest, SearchTextsAreCutToTheDialogsCapacity) {
  const std::u16string longest = RepeatLetter(u'a', kSearchTextCapacity);
  EditorBox box{{}, longest + u" " + longest, {}};
  EXPECT_EQ(box.Request(FR_FINDNEXT | FR_DOWN | FR_WHOLEWORD, RepeatLetter(u'a', 300)),
            FindMessage::None);
  EXPECT_EQ(box.selection, (TextSelection{0, kSearchTextCapacity}));
  EXPECT_EQ(box.Request(FR_FINDNEXT | FR_DOWN | FR_WHOLEWORD, longest), FindMessage::None);
  EXPECT_EQ(box.selection, (TextSelection{256, 256 + kSearchTextCapacity}));
}

TEST(FindReplaceTest, StaleSelectionBeyondTheTextIsHeldInside) {
  EditorBox box{{}, u"abc", {50, 60}};
  EXPECT_EQ(box.Request(FR_FINDNEXT | FR_DOWN, u"abc"), FindMessage::NoMatches);
  EXPECT_EQ(box.Request(FR_FINDNEXT | kUp, u"abc"), FindMessage::None);
  EXPECT_EQ(box.selection, (TextSelection{0, 3}));
}

// Near matches everywhere: a long search text over a long run of its first
// letter must not cost the product of their lengths.
TEST(FindReplaceTest, LongNearMatchesEndPromptly) {
  const std::size_t n = 1000000;
  const std::u16string run = RepeatLetter(u'a', n);
  EditorBox box{{}, run, {}};
  EXPECT_EQ(box.Request(FR_FINDNEXT | FR_DOWN, RepeatLetter(u'a', 254) + u"b"),
            FindMessage::NoMatches);
  EXPECT_EQ(box.Request(FR_FINDNEXT | FR_DOWN | FR_WHOLEWORD, RepeatLetter(u'a', 255)),
            FindMessage::NoMatches);
  box.PutCaret(n);
  EXPECT_EQ(box.Request(FR_FINDNEXT | kUp | FR_WHOLEWORD, RepeatLetter(u'a', 255)),
            FindMessage::NoMatches);

  // Each replacement makes the next occurrence begin in it and end one
  // letter further in the text: n - 255 replacements in a row.
  box.PutCaret(0);
  EXPECT_EQ(box.Request(FR_REPLACEALL | FR_DOWN, RepeatLetter(u'a', 255), u"b" + RepeatLetter(u'a', 254)),
            FindMessage::None);
  EXPECT_EQ(box.text, RepeatLetter(u'b', n - 254) + RepeatLetter(u'a', 254));
  EXPECT_EQ(box.selection, (TextSelection{n - 255, n}));
}

TEST(FindReplaceTest, ReplaceAllOnTwentyMegabytes) {
  std::u16string text;
  for (int i = 0; i < 2500000; ++i) text += u"la casa ";
  EditorBox box{{}, std::move(text), {}};
  EXPECT_EQ(box.Request(FR_REPLACEALL | FR_DOWN, u"casa", u"casas"), FindMessage::None);
  EXPECT_EQ(box.text.size(), 2500000u * 9);
  EXPECT_EQ(box.text.substr(0, 18), u"la casas la casas ");
  EXPECT_EQ(box.Selected(), u"casas");
  EXPECT_EQ(box.selection.end, box.text.size() - 1);
}

}  // namespace
