#include <gtest/gtest.h>

#include <random>
#include <string>

#include "EditorBox.h"

// The engine scans in one pass and rebuilds the text piece by piece. This
// model does each request the slow and obvious way: position P, a search step
// that tries every place, the text spliced after every replacement. Both
// must agree on every text.

namespace {

struct ModelBox {
  std::u16string text;
  TextSelection selection;
  std::u16string lastMatch;
};

std::u16string ToCapitals(std::u16string text) {
  for (char16_t& unit : text) unit = FoldToCapital(unit);
  return text;
}

class Model {
 public:
  explicit Model(const SearchRecord& record) : record_(record), down_((record.flags & FR_DOWN) != 0) {}

  FindMessage Run(ModelBox& box) {
    const TextSelection s = box.selection;
    if (record_.flags & FR_FINDNEXT) return FindNext(box, s);
    if (record_.flags & FR_REPLACE) return Replace(box, s);
    return ReplaceAll(box, s);
  }

 private:
  bool MatchesAt(const std::u16string& text, std::size_t i) const {
    const std::u16string& find = record_.findText;
    if (i + find.size() > text.size()) return false;
    for (std::size_t k = 0; k < find.size(); ++k) {
      const bool exact = record_.flags & FR_MATCHCASE;
      const char16_t a = exact ? text[i + k] : FoldToCapital(text[i + k]);
      const char16_t b = exact ? find[k] : FoldToCapital(find[k]);
      if (a != b) return false;
    }
    return true;
  }

  bool Counts(const std::u16string& text, std::size_t i) const {
    if (!(record_.flags & FR_WHOLEWORD)) return true;
    const std::size_t end = i + record_.findText.size();
    return (i == 0 || IsWordDelimiter(text[i - 1])) &&
           (end >= text.size() || IsWordDelimiter(text[end]));
  }

  // The search step over 1-based P; gives the 0-based start or npos.
  std::size_t Step(const std::u16string& text, std::size_t p) const {
    const std::size_t length = record_.findText.size();
    if (length == 0) return std::u16string::npos;
    for (;;) {
      std::size_t found = std::u16string::npos;
      if (down_) {
        for (std::size_t i = p; i < text.size() && found == std::u16string::npos; ++i) {
          if (MatchesAt(text, i)) found = i;
        }
      } else {
        for (std::size_t i = 0; p >= 1 && i + length <= p - 1; ++i) {
          if (MatchesAt(text, i)) found = i;
        }
      }
      if (found == std::u16string::npos || Counts(text, found)) return found;
      p = found + 1;
    }
  }

  std::size_t StepAfterReplacement(const std::u16string& text, std::size_t at) const {
    const std::size_t inserted = record_.replaceText.size();
    if (!down_) return Step(text, at + 1);
    const std::size_t next = Step(text, inserted == 0 ? at : at + 1);
    const bool inside = next != std::u16string::npos &&
                        next + record_.findText.size() <= at + inserted;
    return inside ? Step(text, at + inserted) : next;
  }

  std::size_t ReplaceAt(std::u16string& text, std::size_t at) const {
    text = text.substr(0, at) + record_.replaceText + text.substr(at + record_.findText.size());
    return StepAfterReplacement(text, at);
  }

  FindMessage FindNext(ModelBox& box, TextSelection s) const {
    const bool stepPast =
        !down_ || (s.start < s.end &&
                   ToCapitals(box.text.substr(s.start, s.end - s.start)) == box.lastMatch) ||
        s.end == box.text.size();
    const std::size_t found = Step(box.text, s.start + (stepPast ? 1 : 0));
    if (found == std::u16string::npos) return FindMessage::NoMatches;
    box.selection = {found, found + record_.findText.size()};
    box.lastMatch = ToCapitals(record_.findText);
    return FindMessage::None;
  }

  FindMessage Replace(ModelBox& box, TextSelection s) const {
    const std::size_t found = Step(box.text, s.start);
    if (found == std::u16string::npos) return FindMessage::NoMatches;
    const std::size_t next = ReplaceAt(box.text, found);
    if (next == std::u16string::npos) {
      const std::size_t caret = found + record_.replaceText.size();
      box.selection = {caret, caret};
      return FindMessage::NoOtherResults;
    }
    box.selection = {next, next + record_.findText.size()};
    return FindMessage::None;
  }

  FindMessage ReplaceAll(ModelBox& box, TextSelection s) const {
    std::size_t found = Step(box.text, s.start);
    if (found == std::u16string::npos) return FindMessage::NoMatches;
    std::size_t last = found;
    for (int round = 0; found != std::u16string::npos && round < 10000; ++round) {
      last = found;
      found = ReplaceAt(box.text, found);
    }
    EXPECT_EQ(found, std::u16string::npos) << "replace all does not end";
    box.selection = {last, last + record_.replaceText.size()};
    return FindMessage::None;
  }

  const SearchRecord& record_;
  bool down_;
};

std::u16string MakeRandomText(std::mt19937& random, std::u16string_view alphabet, std::size_t maxLength) {
  std::u16string text(random() % (maxLength + 1), u' ');
  for (char16_t& unit : text) unit = alphabet[random() % alphabet.size()];
  return text;
}

// The letters random texts are drawn from: a wide mix, and narrow ones in
// which occurrences overlap, touch and run into replacements all the time.
struct Alphabets {
  std::u16string_view text;
  std::u16string_view findText;
  std::u16string_view replaceText;
};

TEST(FindReplaceModelTest, AgreesWithTheStepByStepModel) {
  std::mt19937 random(20240611);
  const std::uint32_t requests[] = {FR_FINDNEXT, FR_REPLACE, FR_REPLACEALL};
  const Alphabets alphabets[] = {
      {u"aab .\r\nAáÁ", u"aA b.", u"ab ."}, {u"a.b", u"a.", u"a.b"}, {u"..a", u".", u". b"}};
  for (int round = 0; round < 45000; ++round) {
    const Alphabets& letters = alphabets[round % 3];
    const std::u16string text = MakeRandomText(random, letters.text, 24);
    SearchRecord record;
    record.flags = requests[random() % 3] | (random() % 8);  // FR_DOWN, FR_WHOLEWORD, FR_MATCHCASE
    record.findText = MakeRandomText(random, letters.findText, 3);
    record.replaceText = MakeRandomText(random, letters.replaceText, 5);
    const std::size_t end = random() % (text.size() + 1);
    const std::size_t start = random() % (end + 1);
    const std::u16string lastMatch = (random() % 2) ? ToCapitals(text.substr(start, end - start))
                                                    : std::u16string();

    EditorBox box{{}, text, {start, end}};
    box.state.lastMatch = lastMatch;
    const FindMessage message =
        box.Request(record.flags, record.findText, record.replaceText);

    ModelBox model{text, {start, end}, lastMatch};
    const FindMessage expected = Model(record).Run(model);

    SCOPED_TRACE(::testing::Message()
                 << "round " << round << " flags " << record.flags << " text "
                 << ::testing::PrintToString(text) << " find "
                 << ::testing::PrintToString(record.findText) << " replace "
                 << ::testing::PrintToString(record.replaceText) << " selection " << start
                 << ".." << end);
    ASSERT_EQ(message, expected);
    ASSERT_EQ(box.text, model.text);
    ASSERT_EQ(box.selection, model.selection);
  }
}

}  // namespace
