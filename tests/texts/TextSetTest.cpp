#include "texts/TextSet.h"
#include "texts/VersionRecord.h"

#include <gtest/gtest.h>

#include <charconv>
#include <cstddef>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

namespace {

constexpr auto kRoleCount = static_cast<std::size_t>(TextId::Count);

std::size_t IndexOf(TextId id) { return static_cast<std::size_t>(id); }

// How many continuation bytes follow a UTF-8 lead byte; 4 marks a bad lead.
std::size_t ContinuationCount(unsigned char lead) {
  if (lead < 0x80) return 0;
  if (lead >= 0xC2 && lead <= 0xDF) return 1;
  if (lead >= 0xE0 && lead <= 0xEF) return 2;
  if (lead >= 0xF0 && lead <= 0xF4) return 3;
  return 4;
}

// The tables are typed by hand in UTF-8; a file saved in another encoding
// would show garbled accents, so every text must be well-formed UTF-8.
bool IsValidUtf8(std::string_view text) {
  std::size_t i = 0;
  while (i < text.size()) {
    const std::size_t extra = ContinuationCount(static_cast<unsigned char>(text[i]));
    if (extra > 3 || i + extra >= text.size()) return false;
    for (std::size_t k = 1; k <= extra; ++k) {
      if ((static_cast<unsigned char>(text[i + k]) & 0xC0) != 0x80) return false;
    }
    i += extra + 1;
  }
  return true;
}

// The value a dialog reads back from the first `digits` characters of an item.
int LeadingNumber(std::string_view text, std::size_t digits) {
  int value = -1;
  const std::string_view head = text.substr(0, digits);
  const auto result = std::from_chars(head.data(), head.data() + head.size(), value);
  return result.ptr == head.data() + head.size() ? value : -1;
}

struct LanguageCase {
  const char* name;
  const TextSet& (*set)();
};

void PrintTo(const LanguageCase& language, std::ostream* out) { *out << language.name; }

class EachTextSet : public testing::TestWithParam<LanguageCase> {
 protected:
  const TextSet& Set() const { return GetParam().set(); }
  std::string_view In(TextId id) const { return TextIn(Set(), id); }
};

TEST_P(EachTextSet, HoldsEveryRoleExactlyOnce) {
  std::vector<int> seen(kRoleCount, 0);
  for (const TextEntry& entry : Set().entries) {
    ASSERT_LT(IndexOf(entry.id), kRoleCount) << "entry outside the roles: \"" << entry.text << "\"";
    ++seen[IndexOf(entry.id)];
  }
  for (std::size_t role = 0; role < kRoleCount; ++role) {
    EXPECT_EQ(seen[role], 1) << "role " << role << " of TextId.h, Spanish text \""
                             << TextIn(SpanishTexts(), static_cast<TextId>(role)) << "\"";
  }
}

TEST_P(EachTextSet, EveryTextIsNonEmptyUtf8) {
  for (const TextEntry& entry : Set().entries) {
    EXPECT_FALSE(entry.text.empty()) << "role " << IndexOf(entry.id);
    EXPECT_TRUE(IsValidUtf8(entry.text)) << "role " << IndexOf(entry.id);
  }
}

// The print and configurator dialogs store the number an item starts with,
// so a reworded item must still begin with the value it stands for.
TEST_P(EachTextSet, ListItemsStartWithTheValueTheyStore) {
  struct Item {
    TextId id;
    std::size_t digits;
    int value;
  };
  const Item items[] = {
      {TextId::PrintCopies01, 2, 1},          {TextId::PrintCopies02, 2, 2},
      {TextId::PrintCopies03, 2, 3},          {TextId::PrintCopies04, 2, 4},
      {TextId::PrintCopies05, 2, 5},          {TextId::PrintCopies10, 2, 10},
      {TextId::PrintColourMonochrome, 1, 1},  {TextId::PrintColourColour, 1, 2},
      {TextId::PrintQualityDraft, 1, 1},      {TextId::PrintQualityLow, 1, 2},
      {TextId::PrintQualityMedium, 1, 3},     {TextId::PrintQualityHigh, 1, 4},
      {TextId::ConfiguratorFontSize09, 2, 9}, {TextId::ConfiguratorFontSize10, 2, 10},
      {TextId::ConfiguratorFontSize11, 2, 11}, {TextId::ConfiguratorFontSize12, 2, 12},
  };
  for (const Item& item : items) {
    EXPECT_EQ(LeadingNumber(In(item.id), item.digits), item.value) << In(item.id);
  }
}

// Before the first count the status bar shows a count of zero in the same
// form as every later count.
TEST_P(EachTextSet, InitialStatusTextsAreZeroCounts) {
  EXPECT_EQ(In(TextId::EditorStatusLinesInitial),
            "0" + std::string(In(TextId::EditorStatusLinesSuffix)));
  EXPECT_EQ(In(TextId::EditorStatusPagesInitial),
            "0" + std::string(In(TextId::EditorStatusPagesSuffix)));
}

TEST_P(EachTextSet, RulerNumbersColumns1To93AndMarksColumn94) {
  const std::string_view ruler = In(TextId::EditorRuler);
  ASSERT_EQ(ruler.size(), 94u);
  for (std::size_t column = 1; column <= 93; ++column) {
    EXPECT_EQ(ruler[column - 1], static_cast<char>('0' + column % 10)) << "column " << column;
  }
  EXPECT_EQ(ruler[93], '*');
}

INSTANTIATE_TEST_SUITE_P(Languages, EachTextSet,
                         testing::Values(LanguageCase{"Spanish", &SpanishTexts},
                                         LanguageCase{"English", &EnglishTexts}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(TextSets, ExactTextsInBothLanguages) {
  struct Row {
    TextId id;
    std::string_view spanish;
    std::string_view english;
  };
  const Row rows[] = {
      {TextId::ViewerMenuUnderlineWholeLine, "Subrayar Línea completa Horizontal",
       "Underline Full Horizontal Line"},
      {TextId::ViewerMessageCacheRead, "Vamos a leer tu cache, Espera ...",
       "Let's read your cache, Wait ..."},
      {TextId::ViewerQuestionKeptMarks, "Este texto tiene marcas guardadas. ¿Quieres recuperarlas?",
       "This text has saved marks. Do you want them back?"},
      {TextId::ViewerCaptionPage, "Página ", "Page "},
      {TextId::ViewerCaptionPageFlip, "Pagina ", "Page "},
      {TextId::ViewerMenuSetUp, "Configurador", "Set up"},
      {TextId::ConfiguratorTitle, "Configurador", "Configurator"},
      {TextId::ConfiguratorFooter1FontSize, "Tamaño de la fuente pie de página 1", "Font size footer 1"},
      {TextId::ConfiguratorPageNumberShow, "Quiero que aparezca el número de página ",
       "I want the page number to appear"},
      {TextId::ConfiguratorPageNumberWithWord, "El número de página incluye la palabra \"Página \"",
       "The page number includes the word \"Page\""},
      {TextId::ColoursSave, "Archivar", "Save"},
      {TextId::ExportSave, "Grabar", "Save"},
      {TextId::ViewerAboutMadeBy, "Programa Realizado por : ", "Program Made by : "},
      {TextId::EditorWindowTitle, "Editor para Marvessa DIN A4", "Editor for Marvessa marvessa-en"},
      {TextId::EditorAboutVisitMe, "Visitame !!! ", "Visit me !!! "},
      {TextId::EditorMessageNoOtherResults, "No se encontró ningún otro resultado",
       "No other results found"},
      {TextId::ViewerStartupFailure,
       "Error inicializando GDI+ ... (El programa necesita XP ó superior ...)",
       "Error initializing GDI+ ... (The program requires XP or higher ...)"},
      {TextId::EditorVersionNumber, "1.7.3.1", "1.7.3.2"},
      {TextId::ViewerVersionFileVersion, "VerNum 4.703", "VerNum 4.704"},
  };
  for (const Row& row : rows) {
    EXPECT_EQ(TextIn(SpanishTexts(), row.id), row.spanish);
    EXPECT_EQ(TextIn(EnglishTexts(), row.id), row.english);
  }
}

TEST(TextSets, SharedTextsReadTheSameInBothBuilds) {
  const TextId shared[] = {
      TextId::ImageLoaderCaption,     TextId::ImageLoaderMissingBefore,
      TextId::ImageLoaderMissingAfter, TextId::ImageLoaderReadErrorBefore,
      TextId::ImageLoaderReadErrorAfter, TextId::ErrorPrefix,
      TextId::ConfiguratorFormatPng,  TextId::ConfiguratorFormatGif,
      TextId::EditorRuler,            TextId::EditorSaveFilter,
      TextId::ViewerVersionNumber,    TextId::MakerWebAddress,
  };
  for (const TextId id : shared) {
    EXPECT_EQ(TextIn(SpanishTexts(), id), TextIn(EnglishTexts(), id)) << "role " << IndexOf(id);
  }
  // The picture loader keeps its Spanish title in the English build.
  EXPECT_EQ(TextIn(EnglishTexts(), TextId::ImageLoaderCaption), "Programador");
}

TEST(TextSets, StartupFailureStyleFollowsTheBuild) {
  EXPECT_EQ(SpanishTexts().startupFailureStyle, StartupFailureStyle::TaskModalForegroundNoTitle);
  EXPECT_EQ(EnglishTexts().startupFailureStyle, StartupFailureStyle::PlainOkWithTitle);
  EXPECT_EQ(SpanishTexts().language, "es");
  EXPECT_EQ(EnglishTexts().language, "en");
}

TEST(InstalledTextSet, SwitchingSetsChangesEveryLookUp) {
  InstallTextSet(SpanishTexts());
  EXPECT_EQ(Text(TextId::ViewerCaptionPageFlip), "Pagina ");
  EXPECT_EQ(Text(TextId::CaptionProgrammer), "Programador");

  InstallTextSet(EnglishTexts());
  EXPECT_EQ(Text(TextId::ViewerCaptionPageFlip), "Page ");
  EXPECT_EQ(Text(TextId::CaptionProgrammer), "Programmer");

  InstallTextSet(SpanishTexts());
  EXPECT_EQ(Text(TextId::ViewerMenuSetUp), "Configurador");
}

TEST(InstalledTextSet, RolesOutsideTheSetGiveEmptyText) {
  // A set that lacks a role must not leave the previous set's text behind.
  constexpr TextEntry kPartial[] = {{TextId::CaptionProgrammer, "Caption"}};
  const TextSet partial{"xx", StartupFailureStyle::PlainOkWithTitle, kPartial};

  InstallTextSet(SpanishTexts());
  InstallTextSet(partial);
  EXPECT_EQ(Text(TextId::CaptionProgrammer), "Caption");
  EXPECT_EQ(Text(TextId::EditorWindowTitle), "");
  EXPECT_EQ(TextIn(partial, TextId::EditorWindowTitle), "");
  EXPECT_EQ(Text(TextId::Count), "");
  EXPECT_EQ(Text(static_cast<TextId>(-1)), "");
}

}  // namespace

namespace {

TEST(TextSet, FileErrorsShowInOneFormInBothBuilds) {
  for (const TextSet* set : {&SpanishTexts(), &EnglishTexts()}) {
    InstallTextSet(*set);
    EXPECT_EQ(ErrorText(28, "No space left on device"), "Err: 28 No space left on device");
  }
}

}  // namespace


namespace {

TEST(VersionRecord, EachProgramCarriesItsNumbersAndStringsInItsLanguage) {
  struct Case {
    const TextSet* texts;
    ProgramKind program;
    const char* name;
    const char* numbers;
    const char* fileVersion;
    const char* productVersion;
    const char* comments;
  };
  const Case cases[] = {
      {&SpanishTexts(), ProgramKind::Viewer, "marvessa-es", "4.7.0.4", "VerNum 4.703", "Version Producto 4.7",
       "Programa Freeware"},
      {&EnglishTexts(), ProgramKind::Viewer, "marvessa-en", "4.7.0.4", "VerNum 4.704", "Product Version 4.7",
       "Freeware Program"},
      {&SpanishTexts(), ProgramKind::Editor, "marvessa-editor-es", "1.7.3.1", "VerNum 1.731", "Version Producto 1.7",
       "Programa Freeware"},
      {&EnglishTexts(), ProgramKind::Editor, "marvessa-editor-en", "1.7.3.2", "VerNum 1.732", "Product Version 1.7",
       "Freeware Program"},
  };
  for (const Case& c : cases) {
    const VersionRecord record = VersionRecordOf(*c.texts, c.program);
    EXPECT_EQ(record.productName, c.name);
    EXPECT_EQ(record.originalFilename, c.name);
    EXPECT_EQ(record.numbers, c.numbers) << c.name;
    EXPECT_EQ(record.fileVersion, c.fileVersion) << c.name;
    EXPECT_EQ(record.productVersion, c.productVersion) << c.name;
    EXPECT_EQ(record.comments, c.comments) << c.name;
    EXPECT_EQ(record.languageCode, 1034);
  }
  const VersionRecord spanish = VersionRecordOf(SpanishTexts(), ProgramKind::Viewer);
  EXPECT_EQ(spanish.internalName, "Privado");
  EXPECT_EQ(spanish.privateBuild, "Informacion Privada");
  EXPECT_EQ(spanish.specialBuild, "Informacion Especial");
}

}  // namespace
