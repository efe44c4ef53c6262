// The two text sets: each role once, every text whole, and the texts the
// writer and the reader read, word for word in both builds.
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
    TextId id;
    std::size_t digits;
    int value;
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

// A few rows of each kind: titles, menus, labels, messages, status texts,
// versions; shared texts; the forms that differ between the builds.
TEST(TextSets, ExactTextsInBothBuilds) {
  const struct {
    TextId id;
    std::string_view spanish, english;
  } rows[] = {
      {EditorWindowTitle, "Editor para Marvessa DIN A4", "Editor for Marvessa marvessa-en"},
      {EditorMenuWriteFormatted, "Grabar texto plano con formato", "Write plain text with format"},
      {EditorMenuReplace, "Reemplazar", "Replace"},
      {EditorStatusLinesInitial, "0 líneas", "0 lines"},
      {EditorStatusPagesSuffix, " páginas", " pages"},
      {EditorMessageSavedPlain, "Texto Grabado sin formato ...", "Plain saved text ..."},
      {EditorMessageNoOtherResults, "No se encontró ningún otro resultado", "No other results found"},
      {EditorAboutHope, "Espero te sirva de utilidad este pequeño programa ...",
       "I hope this little program will be useful to you ..."},
      {EditorAboutVisitMe, "Visitame !!! ", "Visit me !!! "},
      {EditorOpenFilter, "Texto", "Text"},
      {EditorSaveFilter, "txt", "txt"},
      {EditorRuler, "123456789012345678901234567890123456789012345678901234567890123456789012345678901234567890123*",
       "123456789012345678901234567890123456789012345678901234567890123456789012345678901234567890123*"},
      {CaptionProgrammer, "Programador", "Programmer"},
      {ImageLoaderCaption, "Programador", "Programador"},
      {ImageLoaderMissingBefore, "[GraphicLoadImageFileToBitmap] called on <",
       "[GraphicLoadImageFileToBitmap] called on <"},
      {ErrorPrefix, "Err: ", "Err: "},
      {ViewerMenuUnderlineWholeLine, "Subrayar Línea completa Horizontal", "Underline Full Horizontal Line"},
      {ViewerMenuSetUp, "Configurador", "Set up"},
      {ConfiguratorTitle, "Configurador", "Configurator"},
      {ConfiguratorFooter1FontSize, "Tamaño de la fuente pie de página 1", "Font size footer 1"},
      {ConfiguratorSelectorSquare, "control con formas cuadradas", "control with square shapes"},
      {ViewerCaptionPage, "Página ", "Page "},
      {ViewerCaptionPageFlip, "Pagina ", "Page "},
      {ColoursSave, "Archivar", "Save"},
      {ExportSave, "Grabar", "Save"},
      {ExportPrint, "Imprimir", "Print"},
      {ViewerMessageCacheRead, "Vamos a leer tu cache, Espera ...", "Let's read your cache, Wait ..."},
      {PrintMessageNoDefaultPrinter, "No tienes una Impresora configurada por defecto ...",
       "You do not have a Printer configured by default ..."},
      {ViewerStartupFailure, "Error inicializando GDI+ ... (El programa necesita XP ó superior ...)",
       "Error initializing GDI+ ... (The program requires XP or higher ...)"},
      {EditorVersionNumber, "1.7.3.1", "1.7.3.2"},
      {ViewerVersionFileVersion, "VerNum 4.703", "VerNum 4.704"},
  };
  for (const auto& row : rows) {
    EXPECT_EQ(TextIn(SpanishTexts(), row.id), row.spanish);
    EXPECT_EQ(TextIn(EnglishTexts(), row.id), row.english);
  }
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
