// Both programs walked through the driver in both builds: every menu, every
// dialog a menu command opens and every message, with each text shown held
// against the build's own table.
#include "tests/DriverRunner.h"
#include "tests/TempFolder.h"
#include "tests/texts/ShownTexts.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <ostream>

namespace {

using enum TextId;

struct Build {
  const char* name;
  const char* lang;
  const TextSet& (*texts)();
};

void PrintTo(const Build& build, std::ostream* out) { *out << build.name; }

struct Control {
  int id;
  TextId text;
};

// The captions of the viewer's dialogs, control by control.
constexpr Control kConfigurator[] = {
    {3301, ConfiguratorFormatHeading},      {3302, ConfiguratorFormatPng},
    {3303, ConfiguratorFormatJpg},          {3304, ConfiguratorFormatTif},
    {3305, ConfiguratorFormatBmp},          {3306, ConfiguratorFormatGif},
    {3307, ConfiguratorFooter1Heading},     {3308, ConfiguratorFooter1Show},
    {3309, ConfiguratorFooter1Position},    {3310, ConfiguratorAlignLeft},
    {3311, ConfiguratorAlignCentre},        {3312, ConfiguratorAlignRight},
    {3313, ConfiguratorFooter1FontSize},    {3315, ConfiguratorFooter1FontStyle},
    {3316, ConfiguratorStyleBold},          {3317, ConfiguratorStyleItalic},
    {3318, ConfiguratorStyleUnderline},     {3320, ConfiguratorFooter2Position},
    {3321, ConfiguratorFooter2Heading},     {3322, ConfiguratorFooter2Show},
    {3323, ConfiguratorAlignLeft},          {3324, ConfiguratorAlignCentre},
    {3325, ConfiguratorAlignRight},         {3326, ConfiguratorFooter2FontSize},
    {3328, ConfiguratorFooter2FontStyle},   {3329, ConfiguratorStyleBold},
    {3330, ConfiguratorStyleItalic},        {3331, ConfiguratorStyleUnderline},
    {3332, ConfiguratorFooter1Text},        {3335, ConfiguratorFooter2Text},
    {3336, ConfiguratorPageNumberPosition}, {3337, ConfiguratorPageNumberHeading},
    {3338, ConfiguratorPageNumberShow},     {3339, ConfiguratorAlignLeft},
    {3340, ConfiguratorAlignCentre},        {3341, ConfiguratorAlignRight},
    {3342, ConfiguratorPageNumberFontSize}, {3344, ConfiguratorPageNumberProperties},
    {3345, ConfiguratorPageNumberWithWord}, {3347, ConfiguratorNumberingHeading},
    {3348, ConfiguratorNumberingArabic},    {3349, ConfiguratorNumberingRoman},
    {3350, ConfiguratorRomanUpper},         {3351, ConfiguratorRomanLower},
    {3354, ConfiguratorSelectorHeading},    {3355, ConfiguratorSelectorRounded},
    {3356, ConfiguratorSelectorSquare},     {3357, ConfiguratorExit},
    {3358, ConfiguratorFormatPdf},
};
constexpr Control kConfiguratorLists[] = {
    {3314, ConfiguratorFontSize09}, {3314, ConfiguratorFontSize12}, {3327, ConfiguratorFontSize10},
    {3343, ConfiguratorFontSize11},
};
constexpr Control kColours[] = {{31002, ColoursSave}, {31004, ColoursReset}, {31003, ColoursExit}};
constexpr Control kExport[] = {
    {7001, ExportHeading},     {7003, ExportRange}, {7005, ExportRangeTo}, {7007, ExportAllPages},
    {7010, ExportFolderLabel}, {7011, ExportSave},  {7013, ExportPrint},   {7012, ExportExit},
};
constexpr Control kPrint[] = {{1001, PrintCopiesLabel}, {1004, PrintColourModeLabel}, {1008, PrintQualityLabel},
                              {1009, PrintContinue}};
constexpr Control kPrintLists[] = {
    {1002, PrintCopies01},         {1002, PrintCopies02},     {1002, PrintCopies03},     {1002, PrintCopies04},
    {1002, PrintCopies05},         {1002, PrintCopies10},     {1005, PrintColourMonochrome},
    {1005, PrintColourColour},     {1007, PrintQualityDraft}, {1007, PrintQualityLow},
    {1007, PrintQualityMedium},    {1007, PrintQualityHigh},
};
constexpr Control kFind[] = {
    {0, EditorFindWhatLabel},    {0, EditorDirectionLabel}, {1040, EditorWholeWordLabel}, {1041, EditorMatchCaseLabel},
    {1056, EditorDirectionUp},   {1057, EditorDirectionDown}, {1, EditorFindNextButton}, {2, EditorCancelButton},
};
constexpr Control kReplace[] = {
    {0, EditorReplaceWithLabel}, {1024, EditorReplaceButton}, {1025, EditorReplaceAllButton},
};

// The menus in the order shown: a popup (id 0) and then its items.
constexpr Control kViewerMenus[] = {
    {0, ViewerMenuFiles},       {1046, ViewerMenuNew},
    {1070, ViewerMenuSaveImage}, {1048, ViewerMenuAuthor},
    {1047, ViewerMenuExit},     {0, ViewerMenuEdit},
    {1078, ViewerMenuUpdate},   {1084, ViewerMenuUndo},
    {1085, ViewerMenuGoTo},     {0, ViewerMenuPersonalize},
    {1077, ViewerMenuSetUp},    {0, ViewerMenuUnderlines},
    {1072, ViewerMenuSelectorSwitch}, {1073, ViewerMenuUnderlineWholeLine},
    {1074, ViewerMenuUnderlineVertical}, {1075, ViewerMenuUnderlinePiece},
    {1076, ViewerMenuUnderlineTwoColours}, {1086, ViewerMenuUnderlineLink},
    {1088, ViewerMenuUnderlineBold}, {0, ViewerMenuColours},
    {1079, ViewerMenuFavouriteColours}, {1080, ViewerMenuColourHorizontal},
    {1081, ViewerMenuColourVertical}, {1082, ViewerMenuColourTwoColourBackground},
    {1083, ViewerMenuColourTwoColourText}, {1087, ViewerMenuColourLink},
    {0, ViewerMenuAlignment},   {1090, ViewerMenuAlignLeft},
    {1091, ViewerMenuAlignCentre}, {1092, ViewerMenuAlignRight},
    {0, ViewerMenuRead},        {1093, ViewerMenuGuideReader},
};
constexpr Control kEditorMenus[] = {
    {0, EditorMenuFiles},  {1010, EditorMenuNew},   {1002, EditorMenuReadPlain}, {1003, EditorMenuWriteFormatted},
    {1004, EditorMenuWriteUnformatted}, {1005, EditorMenuAuthor}, {1006, EditorMenuExit},
    {0, EditorMenuEdit},   {1007, EditorMenuFind},  {1011, EditorMenuReplace},
};

// A piece of line 5 on the canvas, columns 12 to 20, dragged by the mouse.
constexpr const char* kDragPiece = "press 92 72\nmove 156 72\nrelease 156 72\n";

class TextWalk : public testing::TestWithParam<Build> {
 protected:
  std::string T(TextId id) const { return std::string(TextIn(GetParam().texts(), id)); }

  std::vector<std::string> Drive(const std::string& program, const std::string& script) {
    lines_ = RunDriver(program + " --lang " + GetParam().lang + " --folder '" + folder_.File("program") + "'", script);
    return lines_;
  }

  std::vector<std::string> MenuLines(const Control* first, const Control* last) const {
    std::vector<std::string> lines;
    for (const Control* entry = first; entry != last; ++entry) {
      lines.push_back(entry->id == 0 ? "menu \"" + T(entry->text) + "\""
                                     : "item " + std::to_string(entry->id) + " \"" + T(entry->text) + "\"");
    }
    return lines;
  }

  // What the "menus" command printed after the window's title.
  std::vector<std::string> MenuBlock() const {
    const auto startsWith = [](const std::string& line, const char* word) { return line.rfind(word, 0) == 0; };
    auto line = std::find_if(lines_.begin(), lines_.end(), [&](const auto& l) { return startsWith(l, "window "); });
    std::vector<std::string> block;
    while (line != lines_.end() && ++line != lines_.end() &&
           (startsWith(*line, "menu ") || startsWith(*line, "item "))) {
      block.push_back(*line);
    }
    return block;
  }

  std::vector<std::string> Printed(const std::string& prefix) const {
    std::vector<std::string> out;
    for (const std::string& line : lines_) {
      if (line.rfind(prefix, 0) == 0) out.push_back(line);
    }
    return out;
  }

  void ExpectShown(const std::string& line) const {
    EXPECT_NE(std::find(lines_.begin(), lines_.end(), line), lines_.end()) << line;
  }

  void ExpectCaptions(std::span<const Control> controls, const char* kind = "text") const {
    for (const Control& control : controls) {
      ExpectShown(std::string(kind) + " " + std::to_string(control.id) + " \"" + T(control.text) + "\"");
    }
  }

  // A message with the icon its box shows ("" for none).
  void ExpectMessage(TextId text, const std::string& icon = "", TextId caption = CaptionProgrammer) const {
    ExpectShown("message " + T(caption) + " | " + T(text) + icon);
  }

  // Nothing failed, and nothing shown is foreign to the build's table.
  void ExpectOnlyTableTexts(std::size_t atLeast, const std::vector<std::string>& userData) const {
    EXPECT_TRUE(Printed("error").empty()) << Printed("error").front();
    const std::vector<ShownText> shown = ShownTextsOf(lines_);
    EXPECT_GE(shown.size(), atLeast) << "the walk went all the way";
    for (const ShownText& text : shown) {
      EXPECT_TRUE(MadeOfTableTexts(text.text, GetParam().texts(), userData))
          << text.where << ": \"" << text.text << "\" is not made of the " << GetParam().name << " table";
    }
  }

  TempFolder folder_;
  std::vector<std::string> lines_;
};

std::string ViewerScript(const std::string& textFile) {
  return "menus\ncommand 1048\nchoose\ncommand 1046\nfile\n"
         "choose " + textFile + "\ncommand 1046\nstate\nkill\nstate\n"
         "answer 2\ncommand 1085\nstate\ncommand 1084\n"
         // The configurator, refusing an enabled footer without text.
         "command 1077\ntexts\nclick 3308\nclick 3357\nclick 3308\nclick 3357\n"
         // The favourite colours: save, reset, and the question on leaving.
         "command 1079\ntexts\ncolour 1 2 3\nppress 14 14\nclick 31002\nreply no\nclick 31004\n"
         "colour 4 5 6\nppress 14 14\nreply no\nclick 31003\n"
         // Export of one page, of a range and of all, then printing without a printer.
         "command 1070\ntexts\nset 7008 a/b\nclick 7011\nset 7008 out\nclick 7011\n"
         "command 1070\nclick 7003\nset 7004 1\nset 7006 2\nset 7008 out\nclick 7011\n"
         "command 1070\nclick 7007\nset 7008 out\nclick 7011\n"
         "command 1070\nset 7008 out\nclick 7013\ntexts\nclick 1009\n" +
         // A link, and a vertical bar without two lines.
         std::string(kDragPiece) + "answer 3\nanswer 1\ncommand 1086\n"
         "command 1072\npress 8 40\ncommand 1074\nstate\n";
}

TEST_P(TextWalk, TheViewerShowsOnlyItsTableTexts) {
  const std::string textFile = folder_.File("walk.txt");
  std::string text = "{@@x,missing.png}\r\n{@@y,.}\r\n";
  for (int line = 1; line <= 140; ++line) text += "line " + std::to_string(line) + " of the walk\r\n";
  WriteFileBytes(textFile, text);
  // No print system: printing reports its failure instead of printing.
  ::setenv("CUPS_SERVER", folder_.File("no-cups-here").c_str(), 1);
  Drive("", ViewerScript(textFile));
  ::unsetenv("CUPS_SERVER");

  EXPECT_EQ(Printed("window"), std::vector<std::string>{"window \"" + T(ViewerWindowTitle) + "\""});
  EXPECT_EQ(MenuBlock(), MenuLines(std::begin(kViewerMenus), std::end(kViewerMenus)));

  ExpectShown("message " + T(CaptionProgrammer) + " | " + T(ViewerAboutMadeBy) + "\\n" + T(MakerWebAddress) + "\\n" +
              T(ViewerAboutVisitMe));
  ExpectShown("file " + T(ViewerFileFilter) + " | *.* | " + T(ViewerFileFilter));
  ExpectShown("message " + T(ImageLoaderCaption) + " | " + T(ImageLoaderMissingBefore) + folder_.File("missing.png") +
              T(ImageLoaderMissingAfter) + " [warning]");
  ExpectMessage(ViewerMessageCacheRead);
  const auto states = Printed("state");
  ASSERT_EQ(states.size(), 4u);
  EXPECT_EQ(ParseStateLine(states[0])["caption"], T(ViewerCaptionPage) + "1" + T(ViewerCaptionOf) + "3");
  EXPECT_EQ(ParseStateLine(states[1])["caption"], T(ViewerCaptionPage) + "1" + T(ViewerCaptionOf) + "3");
  EXPECT_EQ(ParseStateLine(states[2])["caption"], T(ViewerCaptionPageFlip) + "2" + T(ViewerCaptionOf) + "3");
  ExpectShown("input " + T(ViewerPagePromptTitleFrom) + T(ViewerPagePromptTitleTo) + "3 | " + T(ViewerPagePrompt) +
              " -> 2");

  ExpectShown("dialog \"" + T(ConfiguratorTitle) + "\"");
  ExpectCaptions(kConfigurator);
  ExpectCaptions(kConfiguratorLists, "item");
  ExpectMessage(ConfiguratorMessageFooterMissing, " [warning]");

  ExpectShown("dialog \"" + T(ColoursTitle) + "\"");
  ExpectCaptions(kColours);
  ExpectMessage(ColoursMessageSaved);
  ExpectShown("question " + T(CaptionProgrammer) + " | " + T(ColoursQuestionReset) + "\\n" +
              T(ColoursQuestionResetConsequence) + " -> no [question]");
  ExpectShown("question " + T(CaptionProgrammer) + " | " + T(ColoursQuestionSaveOnExit) + " -> no [question]");

  ExpectShown("dialog \"" + T(ExportTitle) + "\"");
  ExpectCaptions(kExport);
  ExpectShown("text 7002 \"" + T(ExportSinglePageBefore) + "2" + T(ExportSinglePageAfter) + "\"");
  ExpectMessage(ExportMessageBadFolderName, " [warning]");
  ExpectMessage(ExportMessagePageDone);
  ExpectMessage(ExportMessageRangeDone);
  ExpectMessage(ExportMessageDocumentDone);

  ExpectShown("dialog \"" + T(PrintTitle) + "\"");
  ExpectCaptions(kPrint);
  ExpectCaptions(kPrintLists, "item");
  ExpectMessage(PrintMessageNoDefaultPrinter, " [warning]");

  ExpectMessage(ViewerMessageNotTwoLines, " [warning]");
  EXPECT_GE(Printed("input").size(), 2u) << "Go to and the link target";
  // Each missing picture is told of once per load: twice here (New, and the restart).
  EXPECT_EQ(Printed("message " + T(ImageLoaderCaption) + " | " + T(ImageLoaderMissingBefore)).size(), 2u);
  ExpectOnlyTableTexts(150, {folder_.File("missing.png"), folder_.File(".")});
}

TEST_P(TextWalk, TheEditorShowsOnlyItsTableTexts) {
  const std::string plain = folder_.File("plain.txt");
  WriteFileBytes(plain, "uno dos uno\r\n");
  Drive("--editor",
        "menus\nstatus\nwait 1100\nstatus\ncommand 1005\n"
        "choose " + plain + "\ncommand 1002\nfile\ncommand 1003\n"
        "choose " + plain + "\ncommand 1004\nfile\n"
        "command 1007\ntexts\nset 1152 zzz\nclick 1\nclick 2\n"
        "select 0 0\ncommand 1011\ntexts\nset 1152 dos\nset 1153 tres\nclick 1\nclick 1024\n");

  EXPECT_EQ(MenuBlock(), MenuLines(std::begin(kEditorMenus), std::end(kEditorMenus)));
  EXPECT_EQ(Printed("window"), std::vector<std::string>{"window \"" + T(EditorWindowTitle) + "\""});
  const auto statuses = Printed("status");
  ASSERT_EQ(statuses.size(), 2u);
  EXPECT_EQ(statuses[0], "status " + T(EditorStatusLinesInitial) + " | " + T(EditorStatusPagesInitial));
  EXPECT_EQ(statuses[1].substr(statuses[1].size() - T(EditorStatusPagesSuffix).size()), T(EditorStatusPagesSuffix));
  EXPECT_NE(statuses[1].find(T(EditorStatusLinesSuffix) + " | "), std::string::npos);

  ExpectShown("message " + T(CaptionProgrammer) + " | " + T(EditorAboutHope) + "\\n" + T(EditorAboutComplement) +
              "\\n" + T(EditorAboutMadeBy) + T(MakerWebAddress) + "\\n\\n" + T(EditorAboutVisitMe));
  ExpectShown("file " + T(EditorOpenFilter) + " | *.* | " + T(EditorOpenFilter));
  ExpectShown("file " + T(EditorSaveFilter) + " | *.* | " + T(EditorSaveFilter));
  ExpectMessage(EditorMessageLoaded);
  ExpectMessage(EditorMessageSavedFormatted);
  ExpectMessage(EditorMessageSavedPlain);

  ExpectShown("dialog \"" + T(EditorFindDialogTitle) + "\"");
  ExpectShown("dialog \"" + T(EditorReplaceDialogTitle) + "\"");
  ExpectCaptions(kFind);
  ExpectCaptions(kReplace);
  ExpectMessage(EditorMessageNoMatches, " [information]", EditorFindTitle);
  ExpectMessage(EditorMessageNoOtherResults, " [information]", EditorFindTitle);
  ExpectOnlyTableTexts(45, {});
}

// The walk's judge must itself tell a build's texts from foreign ones.
TEST(ShownTexts, OnlyTextsOfTheBuildsTablePass) {
  struct Case {
    const char* text;
    bool spanish;
    bool english;
  };
  const Case cases[] = {
      {"Página 12 de 30", true, false},
      {"Pagina 2 de 3", true, false},
      {"Page 2 of 3", false, true},
      {"Página 2 of 3", false, false},
      {"Salir", true, false},
      {"Exit", false, true},
      {"Salir ", false, false},
      {"Programa Realizado por : \\nwww.marvessa.example\\nVisitame ...", true, false},
      {"Err: 28 No space left on device", true, true},
      {"Vamos a leer tu cache, Espera", false, false},
      {"", true, true},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(MadeOfTableTexts(c.text, SpanishTexts(), {}), c.spanish) << c.text;
    EXPECT_EQ(MadeOfTableTexts(c.text, EnglishTexts(), {}), c.english) << c.text;
  }
  const char* missing = "[GraphicLoadImageFileToBitmap] called on </a b.png> Missing file";
  EXPECT_TRUE(MadeOfTableTexts(missing, EnglishTexts(), {"/a b.png"})) << "a file name is the user's";
  EXPECT_FALSE(MadeOfTableTexts(missing, EnglishTexts(), {}));
}

INSTANTIATE_TEST_SUITE_P(Builds, TextWalk,
                         testing::Values(Build{"Spanish", "es", &SpanishTexts}, Build{"English", "en", &EnglishTexts}),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
