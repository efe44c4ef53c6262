// The two text sets: each role once, every text whole and in its words.
#include "texts/TextSet.h"

#include <QByteArrayView>

#include <gtest/gtest.h>

#include <string>
#include <string_view>
#include <vector>

namespace {

using enum TextId;

// The tables are typed by hand; a file saved in another encoding would show garbled accents, so every text
// must be well-formed UTF-8.
TEST(TextSets, HoldEveryRoleOnceAsNonEmptyUtf8) {
  for (const TextSet* set : {&SpanishTexts(), &EnglishTexts()}) {
    std::vector<int> seen(static_cast<std::size_t>(Count), 0);
    for (const TextEntry& entry : set->entries) {
      const auto role = static_cast<std::size_t>(entry.id);
      ASSERT_LT(role, seen.size()) << set->language << ": \"" << entry.text << "\"";
      ++seen[role];
      EXPECT_FALSE(entry.text.empty()) << set->language << " role " << role;
      EXPECT_TRUE(QByteArrayView(entry.text.data(), entry.text.size()).isValidUtf8())
          << set->language << " role " << role;
    }
    EXPECT_EQ(seen, std::vector<int>(seen.size(), 1)) << set->language;
  }
}

// A few texts of each kind, word for word in both builds: titles, menus, labels, list items (the dialogs
// store the number they start with), messages, captions; the texts one build shares with the other. The
// editor's texts, the captions, the error prefix and the messages that driver tests read in both builds are
// checked there, the page flip's below.
TEST(TextSets, ExactTextsInBothBuilds) {
  const struct { TextId id; std::string_view spanish, english; } rows[] = {
      {ViewerWindowTitle, "Marvessa DIN A4", "Marvessa marvessa-en"},
      {ViewerMenuColours, "Colores", "Colors"},
      {ViewerMenuSetUp, "Configurador", "Set up"},
      {ViewerMenuUnderlineWholeLine, "Subrayar Línea completa Horizontal", "Underline Full Horizontal Line"},
      {ViewerAboutMadeBy, "Programa Realizado por : ", "Program Made by : "},
      {ViewerFileFilter, "Texto", "Text"},
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
      {PrintTitle, "Configura la impresión", "Configure printing"},
      {PrintCopies01, "01 copia", "01 copy"},
      {PrintCopies10, "10 copias", "10 copies"},
      {PrintColourMonochrome, "1 - Monocromo", "1 - Monochrome"},
      {PrintQualityHigh, "4 - Alta Resolución", "4 - High Resolution"},
      {ConfiguratorFontSize09, "09", "09"},
      {ConfiguratorFontSize12, "12", "12"},
      {PrintMessageNoDefaultPrinter, "No tienes una Impresora configurada por defecto ...",
       "You do not have a Printer configured by default ..."},
      {ImageLoaderCaption, "Programador", "Programador"},
      {ImageLoaderMissingBefore, "[GraphicLoadImageFileToBitmap] called on <",
       "[GraphicLoadImageFileToBitmap] called on <"},
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

// The installed set answers every look-up; a set that lacks a role must not leave the previous set's text
// behind.
TEST(InstalledTextSet, SwitchingSetsChangesEveryLookUp) {
  InstallTextSet(SpanishTexts());
  EXPECT_EQ(Text(ViewerCaptionPageFlip), "Pagina ");
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
