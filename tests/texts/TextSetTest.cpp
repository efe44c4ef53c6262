// The two text sets: each role once, every text whole. The texts' words are
// checked where they show, by the walks and the editor's window tests.
#include "texts/TextSet.h"

#include <gtest/gtest.h>

#include <charconv>
#include <string>
#include <string_view>
#include <vector>

namespace {

using enum TextId;

// The tables are typed by hand; a file saved in another encoding would show
// garbled accents, so every text must be well-formed UTF-8.
bool IsValidUtf8(std::string_view text) {
  for (std::size_t i = 0; i < text.size();) {
    const auto lead = static_cast<unsigned char>(text[i]);
    const std::size_t extra = lead < 0x80 ? 0 : lead < 0xC2 ? 4 : lead < 0xE0 ? 1 : lead < 0xF0 ? 2 : lead < 0xF5 ? 3 : 4;
    if (extra > 3 || i + extra >= text.size()) return false;
    for (std::size_t k = 1; k <= extra; ++k) {
      if ((static_cast<unsigned char>(text[i + k]) & 0xC0) != 0x80) return false;
    }
    i += extra + 1;
  }
  return true;
}

TEST(TextSets, HoldEveryRoleOnceAsNonEmptyUtf8) {
  for (const TextSet* set : {&SpanishTexts(), &EnglishTexts()}) {
    std::vector<int> seen(static_cast<std::size_t>(Count), 0);
    for (const TextEntry& entry : set->entries) {
      const auto role = static_cast<std::size_t>(entry.id);
      ASSERT_LT(role, seen.size()) << set->language << ": \"" << entry.text << "\"";
      ++seen[role];
      EXPECT_FALSE(entry.text.empty()) << set->language << " role " << role;
      EXPECT_TRUE(IsValidUtf8(entry.text)) << set->language << " role " << role;
    }
    EXPECT_EQ(seen, std::vector<int>(seen.size(), 1)) << set->language;
  }
  EXPECT_FALSE(IsValidUtf8("\xC3")) << "the check itself";
  EXPECT_FALSE(IsValidUtf8("a\xE1rbol"));
}

// The print and configurator dialogs store the number an item starts with.
TEST(TextSets, ListItemsStartWithTheValueTheyStore) {
  const struct {
    TextId id; std::size_t digits; int value;
  } items[] = {
      {PrintCopies01, 2, 1},         {PrintCopies05, 2, 5},     {PrintCopies10, 2, 10},
      {PrintColourMonochrome, 1, 1}, {PrintColourColour, 1, 2}, {PrintQualityDraft, 1, 1},
      {PrintQualityHigh, 1, 4},      {ConfiguratorFontSize09, 2, 9}, {ConfiguratorFontSize12, 2, 12},
  };
  for (const TextSet* set : {&SpanishTexts(), &EnglishTexts()}) {
    for (const auto& item : items) {
      const std::string_view head = TextIn(*set, item.id).substr(0, item.digits);
      int value = -1;
      std::from_chars(head.data(), head.data() + head.size(), value);
      EXPECT_EQ(value, item.value) << TextIn(*set, item.id);
    }
  }
}

// The one text the walks cannot reach: the viewer's message when it cannot
// start, which also differs in form between the builds.
TEST(TextSets, StartupFailureFollowsTheBuild) {
  EXPECT_EQ(TextIn(SpanishTexts(), ViewerStartupFailure),
            "Error inicializando GDI+ ... (El programa necesita XP ó superior ...)");
  EXPECT_EQ(TextIn(EnglishTexts(), ViewerStartupFailure),
            "Error initializing GDI+ ... (The program requires XP or higher ...)");
  EXPECT_EQ(SpanishTexts().startupFailureStyle, StartupFailureStyle::TaskModalForegroundNoTitle);
  EXPECT_EQ(EnglishTexts().startupFailureStyle, StartupFailureStyle::PlainOkWithTitle);
}

// The installed set answers every look-up; a set that lacks a role must not
// leave the previous set's text behind.
TEST(InstalledTextSet, SwitchingSetsChangesEveryLookUp) {
  InstallTextSet(SpanishTexts());
  EXPECT_EQ(Text(ViewerCaptionPageFlip), "Pagina ");
  EXPECT_EQ(ErrorText(28, "No space left on device"), "Err: 28 No space left on device");
  InstallTextSet(EnglishTexts());
  EXPECT_EQ(Text(ViewerCaptionPageFlip), "Page ");
  EXPECT_EQ(ErrorText(28, "No space left on device"), "Err: 28 No space left on device");

  constexpr TextEntry kPartial[] = {{CaptionProgrammer, "Caption"}};
  InstallTextSet(TextSet{"xx", StartupFailureStyle::PlainOkWithTitle, kPartial});
  EXPECT_EQ(Text(CaptionProgrammer), "Caption");
  EXPECT_EQ(Text(EditorWindowTitle), "");
  EXPECT_EQ(Text(Count), "");
  EXPECT_EQ(Text(static_cast<TextId>(-1)), "");
}

}  // namespace
