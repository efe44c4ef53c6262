// The two text sets: each role once, every text whole and in its words.
#include "texts/TextSet.h"

#include <QByteArrayView>

#include <gtest/gtest.h>

namespace {

using enum TextId;

// Typed by hand: a file saved in another encoding would garble accents, so every text must be valid UTF-8.
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

// A few texts of each kind word for word in both builds, and some they share; the rest are read by driver tests.
TEST(TextSets, ExactTextsInBothBuilds) {
  const struct { TextId id; std::string_view spanish, english; } rows[] = {
      {ViewerWindowTitle, "Marvessa DIN A4", "Marvessa marvessa-en"},
      {ViewerMenuSetUp, "Configurador", "Set up"},
      {ViewerAboutMadeBy, "Programa Realizado por : ", "Program Made by : "},
      {ConfiguratorMessageFooterMissing, "Tienes que escribir un Pie de Página ...", "You have to type a footer ..."},
      {ColoursTitle, "Tus Colores Favoritos Cargalos y Guardalos", "Your favorites colors load and save them"},
      {ExportPrint, "Imprimir", "Print"},
      {PrintTitle, "Configura la impresión", "Configure printing"},
      {PrintCopies01, "01 copia", "01 copy"},
      {PrintColourMonochrome, "1 - Monocromo", "1 - Monochrome"},
      {ConfiguratorFontSize12, "12", "12"},
      {PrintMessageNoDefaultPrinter, "No tienes una Impresora configurada por defecto ...",
       "You do not have a Printer configured by default ..."},
      {ImageLoaderCaption, "Programador", "Programador"},
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

// The installed set answers every look-up; a set lacking a role must not leave the last set's text behind.
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
