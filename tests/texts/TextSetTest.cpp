// The two text sets: each role once, every text whole and in its words.
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
    const std::size_t extra =
        lead < 0x80 ? 0 : lead < 0xC2 ? 4 : lead < 0xE0 ? 1 : lead < 0xF0 ? 2 : lead < 0xF5 ? 3 : 4;
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

// A few texts of each kind, word for word in both builds: titles, menus,
// labels, messages, captions; the texts one build shares with the other.
// The editor's texts are checked where they show, through the driver.
TEST(TextSets, ExactTextsInBothBuilds) {
  const struct { TextId id; std::string_view spanish, english; } rows[] = {
      {ViewerWindowTitle, "Marvessa DIN A4", "Marvessa marvessa-en"},
      {ViewerMenuColours, "Colores", "Colors"},
      {ViewerMenuSetUp, "Configurador", "Set up"},
      {ViewerMenuUnderlineWholeLine, "Subrayar Línea completa Horizontal", "Underline Full Horizontal Line"},
      {ViewerAboutMadeBy, "Programa Realizado por : ", "Program Made by : "},
      {ViewerFileFilter, "Texto", "Text"},
      {ViewerCaptionPage, "Página ", "Page "},
      {ViewerCaptionPageFlip, "Pagina ", "Page "},
      {ViewerCaptionOf, " de ", " of "},
      {ViewerMessageCacheRead, "Vamos a leer tu cache, Espera ...", "Let's read your cache, Wait ..."},
      {ViewerMessageNotTwoLines, "No has seleccionado 2 líneas solamente ...",
       "You have not selected 2 lines only ..."},
      {ConfiguratorTitle, "Configurador", "Configurator"},
      {ConfiguratorFooter1FontSize, "Tamaño de la fuente pie de página 1", "Font size footer 1"},
      {ConfiguratorSelectorSquare, "control con formas cuadradas", "control with square shapes"},
      {ConfiguratorMessageFooterMissing, "Tienes que escribir un Pie de Página ...", "You have to type a footer ..."},
      {ColoursTitle, "Tus Colores Favoritos Cargalos y Guardalos", "Your favorites colors load and save them"},
      {ColoursSave, "Archivar", "Save"},
      {ColoursMessageSaved, "Mis Colores Favoritos han sido Archivados", "My favorite colors have been archived"},
      {ColoursQuestionSaveOnExit, "Desea guardar los cambios antes de Salir ?",
       "Do you want to save changes before exiting ?"},
      {ExportTitle, "Exportar páginas", "Export pages"},
      {ExportSave, "Grabar", "Save"},
      {ExportPrint, "Imprimir", "Print"},
      {ExportMessagePageDone, "Imagen exportada ...", "Exported image ..."},
      {PrintTitle, "Configura la impresión", "Configure printing"},
      {PrintQualityHigh, "4 - Alta Resolución", "4 - High Resolution"},
      {PrintMessageNoDefaultPrinter, "No tienes una Impresora configurada por defecto ...",
       "You do not have a Printer configured by default ..."},
      {CaptionProgrammer, "Programador", "Programmer"},
      {ImageLoaderCaption, "Programador", "Programador"},
      {ImageLoaderMissingBefore, "[GraphicLoadImageFileToBitmap] called on <",
       "[GraphicLoadImageFileToBitmap] called on <"},
      {ErrorPrefix, "Err: ", "Err: "},
      {EditorFindDialogTitle, "Buscar", "Find"},
      {EditorReplaceDialogTitle, "Reemplazar", "Replace"},
      {ViewerStartupFailure, "Error inicializando GDI+ ... (El programa necesita XP ó superior ...)",
       "Error initializing GDI+ ... (The program requires XP or higher ...)"},
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
