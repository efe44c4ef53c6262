// Both programs walked through the driver in both builds: menus, the dialogs
// menu commands open and their messages. A few texts of each kind are held
// against their exact words; every text shown must be made of the build's
// own table, so no text of the other build or none at all slips in.
#include "tests/DriverRunner.h"
#include "tests/TempFolder.h"
#include "texts/TextSet.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <ostream>

namespace {

struct Build {
  const char* name;
  const char* lang;
  const TextSet& (*texts)();
};

void PrintTo(const Build& build, std::ostream* out) { *out << build.name; }

// A line the driver prints holds PREFIX + the build's text + SUFFIX.
struct Row {
  const char* prefix;
  const char* spanish;
  const char* english;
  const char* suffix;
};

// Whether `text` is made wholly of texts of `set`, numbers, line breaks and
// the user's own words; a file error's description is the system's own.
bool MadeOfTableTexts(std::string_view text, const TextSet& set, const std::vector<std::string>& userData) {
  if (text.starts_with(TextIn(set, TextId::ErrorPrefix))) return true;
  std::vector<std::string_view> pieces{"\\n"};
  for (const TextEntry& entry : set.entries) pieces.push_back(entry.text);
  for (const std::string& data : userData) pieces.push_back(data);
  std::vector<bool> reached(text.size() + 1, false);
  reached[0] = true;
  for (std::size_t at = 0; at < text.size(); ++at) {
    if (!reached[at]) continue;
    for (std::size_t end = at; end < text.size() && text[end] >= '0' && text[end] <= '9'; ++end) reached[end + 1] = true;
    for (const std::string_view piece : pieces) {
      if (!piece.empty() && text.substr(at, piece.size()) == piece) reached[at + piece.size()] = true;
    }
  }
  return reached[text.size()];
}

// The texts of a printed line: quoted captions, or the parts of a box
// ("message A | B -> answer [icon]") but a file chooser's pattern.
std::vector<std::string> TextsOf(const std::string& line) {
  const std::string verb = line.substr(0, line.find(' '));
  if (verb == "window" || verb == "menu" || verb == "item" || verb == "dialog" || verb == "text") {
    return {line.substr(line.find('"') + 1, line.rfind('"') - line.find('"') - 1)};
  }
  if (verb == "state") return {line.substr(line.find("caption=\"") + 9, line.find("\" page=") - line.find("caption=\"") - 9)};
  if (verb != "message" && verb != "question" && verb != "input" && verb != "status" && verb != "file") return {};
  std::string rest = line.substr(verb.size() + 1);
  for (const char* icon : {" [information]", " [warning]", " [question]"}) {
    if (rest.ends_with(icon)) rest.resize(rest.size() - std::string_view(icon).size());
  }
  rest = rest.substr(0, rest.rfind(" -> "));
  std::vector<std::string> parts;
  for (std::size_t start = 0, bar = 0; bar != std::string::npos; start = bar + 3) {
    bar = rest.find(" | ", start);
    parts.push_back(rest.substr(start, bar - start));
  }
  if (verb == "file" && parts.size() > 1) parts[1] = "";
  return parts;
}

class TextWalk : public testing::TestWithParam<Build> {
 protected:
  void Drive(const std::string& program, const std::string& script) {
    lines_ = RunDriver(program + " --lang " + GetParam().lang + " --folder '" + folder_.File("program") + "'", script);
  }

  void ExpectShown(std::span<const Row> rows) const {
    const bool english = GetParam().lang == std::string("en");
    for (const Row& row : rows) {
      const std::string wanted = std::string(row.prefix) + (english ? row.english : row.spanish) + row.suffix;
      EXPECT_NE(std::find_if(lines_.begin(), lines_.end(),
                             [&](const std::string& line) { return line.find(wanted) != std::string::npos; }),
                lines_.end())
          << wanted;
    }
  }

  // Nothing failed, and nothing shown is foreign to the build's table.
  void ExpectOnlyTableTexts(std::size_t atLeast, const std::vector<std::string>& userData) const {
    std::size_t count = 0;
    for (const std::string& line : lines_) {
      EXPECT_FALSE(line.starts_with("error")) << line;
      for (const std::string& text : TextsOf(line)) {
        ++count;
        EXPECT_TRUE(MadeOfTableTexts(text, GetParam().texts(), userData)) << line;
      }
    }
    EXPECT_GE(count, atLeast) << "the walk went all the way";
  }

  TempFolder folder_;
  std::vector<std::string> lines_;
};

constexpr Row kViewerTexts[] = {
    {"window \"", "Marvessa DIN A4", "Marvessa marvessa-en", "\""},
    {"menu \"", "Colores", "Colors", "\""},
    {"item 1077 \"", "Configurador", "Set up", "\""},
    {"item 1073 \"", "Subrayar Línea completa Horizontal", "Underline Full Horizontal Line", "\""},
    {"message ", "Programador | Programa Realizado por : ", "Programmer | Program Made by : ", ""},
    {"file ", "Texto | *.* | Texto", "Text | *.* | Text", ""},
    {"message Programador | [GraphicLoadImageFileToBitmap] called on <", "", "", ""},
    {"| ", "Vamos a leer tu cache, Espera ...", "Let's read your cache, Wait ...", ""},
    {"caption=\"", "Página 1 de 3", "Page 1 of 3", "\""},
    {"caption=\"", "Pagina 2 de 3", "Page 2 of 3", "\""},
    {"dialog \"", "Configurador", "Configurator", "\""},
    {"text 3313 \"", "Tamaño de la fuente pie de página 1", "Font size footer 1", "\""},
    {"| ", "Tienes que escribir un Pie de Página ...", "You have to type a footer ...", " [warning]"},
    {"dialog \"", "Tus Colores Favoritos Cargalos y Guardalos", "Your favorites colors load and save them", "\""},
    {"text 31002 \"", "Archivar", "Save", "\""},
    {"| ", "Mis Colores Favoritos han sido Archivados", "My favorite colors have been archived", ""},
    {"| ", "Desea guardar los cambios antes de Salir ? -> no", "Do you want to save changes before exiting ? -> no",
     " [question]"},
    {"dialog \"", "Exportar páginas", "Export pages", "\""},
    {"text 7013 \"", "Imprimir", "Print", "\""},
    {"| ", "Imagen exportada ...", "Exported image ...", ""},
    {"dialog \"", "Configura la impresión", "Configure printing", "\""},
    {"item 1007 \"", "4 - Alta Resolución", "4 - High Resolution", "\""},
    {"| ", "No tienes una Impresora configurada por defecto ...", "You do not have a Printer configured by default ...",
     " [warning]"},
    {"| ", "No has seleccionado 2 líneas solamente ...", "You have not selected 2 lines only ...", " [warning]"},
};

TEST_P(TextWalk, TheViewerShowsOnlyItsTableTexts) {
  const std::string textFile = folder_.File("walk.txt");
  std::string text = "{@@x,missing.png}\r\n{@@y,.}\r\n";
  for (int line = 1; line <= 140; ++line) text += "line " + std::to_string(line) + " of the walk\r\n";
  WriteFileBytes(textFile, text);
  // No print system: printing reports its failure instead of printing.
  ::setenv("CUPS_SERVER", folder_.File("no-cups-here").c_str(), 1);
  Drive("", "menus\ncommand 1048\nchoose\ncommand 1046\nfile\nchoose " + textFile +
                "\ncommand 1046\nstate\nkill\nstate\nanswer 2\ncommand 1085\nstate\ncommand 1084\n"
                // The configurator, refusing an enabled footer without text.
                "command 1077\ntexts\nclick 3308\nclick 3357\nclick 3308\nclick 3357\n"
                // The favourite colours: save, reset, and the question on leaving.
                "command 1079\ntexts\ncolour 1 2 3\nppress 14 14\nclick 31002\nreply no\nclick 31004\n"
                "colour 4 5 6\nppress 14 14\nreply no\nclick 31003\n"
                // Export of one page, of a range and of all, then printing without a printer.
                "command 1070\ntexts\nset 7008 a/b\nclick 7011\nset 7008 out\nclick 7011\n"
                "command 1070\nclick 7003\nset 7004 1\nset 7006 2\nset 7008 out\nclick 7011\n"
                "command 1070\nclick 7007\nset 7008 out\nclick 7011\n"
                "command 1070\nset 7008 out\nclick 7013\ntexts\nclick 1009\n"
                // A link, and a vertical bar without two lines.
                "press 92 72\nmove 156 72\nrelease 156 72\nanswer 3\nanswer 1\ncommand 1086\n"
                "command 1072\npress 8 40\ncommand 1074\nstate\n");
  ::unsetenv("CUPS_SERVER");
  ExpectShown(kViewerTexts);
  ExpectOnlyTableTexts(150, {folder_.File("missing.png"), folder_.File(".")});
}

TEST_P(TextWalk, TheEditorShowsOnlyItsTableTexts) {
  const std::string plain = folder_.File("plain.txt");
  WriteFileBytes(plain, "uno dos uno\r\n");
  Drive("--editor", "menus\nstatus\nwait 1100\nstatus\ncommand 1005\nchoose " + plain + "\ncommand 1002\nfile\n"
                    "command 1003\nchoose " + plain + "\ncommand 1004\nfile\n"
                    "command 1007\ntexts\nset 1152 zzz\nclick 1\nclick 2\n"
                    "select 0 0\ncommand 1011\ntexts\nset 1152 dos\nset 1153 tres\nclick 1\nclick 1024\n");
  constexpr Row kEditorTexts[] = {
      {"file ", "Texto | *.* | Texto", "Text | *.* | Text", ""},
      {"file txt | *.* | txt", "", "", ""},
      {"message ", "Buscar | No se encontraron coincidencias", "Find | No matches found", " [information]"},
      {"dialog \"", "Reemplazar", "Replace", "\""},
  };
  ExpectShown(kEditorTexts);
  ExpectOnlyTableTexts(45, {});
}

// The walk's judge must itself tell a build's texts from foreign ones.
TEST(TextWalkJudge, OnlyTextsOfTheBuildsTablePass) {
  const struct { const char* text; bool spanish, english; } cases[] = {
      {"Página 12 de 30", true, false}, {"Page 2 of 3", false, true}, {"Página 2 of 3", false, false},
      {"Salir ", false, false},         {"Err: 28 No space left on device", true, true},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(MadeOfTableTexts(c.text, SpanishTexts(), {}), c.spanish) << c.text;
    EXPECT_EQ(MadeOfTableTexts(c.text, EnglishTexts(), {}), c.english) << c.text;
  }
  EXPECT_EQ(TextsOf("file Texto | *.* | Texto [warning]"), (std::vector<std::string>{"Texto", "", "Texto"}));
}

INSTANTIATE_TEST_SUITE_P(Builds, TextWalk,
                         testing::Values(Build{"Spanish", "es", &SpanishTexts}, Build{"English", "en", &EnglishTexts}),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
