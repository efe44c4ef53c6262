// End to end: the real editor window run by the driver in both builds, compared line for line.
#include "tests/DriverRunner.h"
#include "tests/TempFolder.h"

#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>

#include "texts/TextSet.h"

namespace {

using Lines = std::vector<std::string>;

// The texts each build shows, word for word.
struct Language {
  const char *name, *option, *lines, *pages, *caption, *findTitle, *loaded, *savedFormatted, *savedPlain, *noMatches,
      *noOther, *title;
  const char* menu[10];  // popups and their commands in order
  const char* about[4];
};

constexpr Language kSpanish{"Spanish", "es", " líneas", " páginas", "Programador", "Buscar", "Texto cargado ...",
                            "Texto Grabado con formato ...", "Texto Grabado sin formato ...",
                            "No se encontraron coincidencias", "No se encontró ningún otro resultado",
                            "Editor para Marvessa DIN A4",
                            {"Archivos", "Nuevo", "Leer texto plano", "Grabar texto plano con formato",
                             "Grabar texto plano sin formato", "Autor", "Salir", "Editar", "Buscar", "Reemplazar"},
                            {"Espero te sirva de utilidad este pequeño programa ...",
                             "Complemento para el Marvessa DIN A4", "Programa realizado por ", "Visitame !!! "}};
constexpr Language kEnglish{"English", "en", " lines", " pages", "Programmer", "Find", "Loaded text ...",
                            "Formatted saved text ...", "Plain saved text ...", "No matches found",
                            "No other results found", "Editor for Marvessa marvessa-en",
                            {"Files", "New", "Read plain text", "Write plain text with format",
                             "Write plain text without format", "Author", "Exit", "Edit", "Find", "Replace"},
                            {"I hope this little program will be useful to you ...",
                             "Complement for Marvessa marvessa-en", "Program made by ", "Visit me !!! "}};

void PrintTo(const Language& language, std::ostream* out) { *out << language.name; }

class EditorDriverTest : public testing::TestWithParam<Language> {
 protected:
  Lines Run(const Lines& script) const {
    std::string text;
    for (const std::string& line : script) text += line + "\n";
    return RunDriver(std::string("--editor --lang ") + GetParam().option + " --folder '" + folder_.path() + "'", text);
  }

  std::string PathOf(const std::string& name) const { return folder_.File(name); }
  std::string Get(const std::string& name) const { return ReadFileBytes(PathOf(name)); }

  std::string Status(std::size_t lines, std::size_t pages) const {
    return "status " + std::to_string(lines) + GetParam().lines + " | " + std::to_string(pages) + GetParam().pages;
  }
  std::string Message(const char* text) const { return std::string("message ") + GetParam().caption + " | " + text; }
  std::string FindMessage(const char* text) const {
    return std::string("message ") + GetParam().findTitle + " | " + text + " [information]";
  }

  TempFolder folder_;
};

// The counts follow the text only at the next tick; "Salir" / "Exit" ends the window and saves nothing.
TEST_P(EditorDriverTest, ShowsItsMenusAndAboutCountsAtTheTickAndExitSavesNothing) {
  const Language& l = GetParam();
  Lines expected = {std::string("window \"") + l.title + "\""};
  const int ids[] = {0, 1010, 1002, 1003, 1004, 1005, 1006, 0, 1007, 1011};
  for (int k = 0; k < 10; ++k) {
    expected.push_back((ids[k] ? "item " + std::to_string(ids[k]) + " \"" : std::string("menu \"")) + l.menu[k] + "\"");
  }
  expected.push_back(Message(l.about[0]) + "\\n" + l.about[1] + "\\n" + l.about[2] +
                     std::string(TextIn(SpanishTexts(), TextId::MakerWebAddress)) + "\\n\\n" + l.about[3]);
  const std::string ruler =
      "123456789012345678901234567890123456789012345678901234567890123456789012345678901234567890123";
  expected.insert(expected.end(), {Status(0, 0), "[" + ruler + "]", "[*]", Status(2, 0), "text  | 0 0", Status(2, 0),
                                   Status(1, 0), "exit"});
  EXPECT_EQ(Run({"menus", "command 1005", "status", "lines", "wait 1100", "status", "command 1010", "text", "status",
                 "wait 1100", "status", "set-text unsaved", "command 1006", "text"}),
            expected);
  EXPECT_FALSE(std::filesystem::exists(PathOf("cache.txt")));
}

// Files read and written, a failure reported with the text kept, then find and replace in the build's words.
TEST_P(EditorDriverTest, ReadsAndWritesFilesFindsAndReplaces) {
  WriteFileBytes(PathOf("two.txt"), "uno, dos\r\n\ttres");
  WriteFileBytes(PathOf("plain.txt"), "old\r\n");
  const std::string read = "text uno, dos\\r\\n\\ttres\\r\\n | 0 0";
  const Lines printed = Run({
      "choose " + PathOf("two.txt"), "command 1002", "text", "command 1003", "choose " + PathOf("plain.txt"),
      "command 1004", "choose /proc/self/mem", "command 1002", "text",
      "set-text el perro y el perro", "select 0 0", "command 1007", "set 1152 perro", "click 1", "text",
      "click 1", "click 1", "text", "click 2", "select 0 0", "command 1011", "set 1153 can",
      "click 1024", "text", "click 1024", "text", "click 1025",
  });
  const Lines expected = {
      Message(GetParam().loaded), read, Message(GetParam().savedFormatted) + "\\n" + PathOf("cache.txt"),
      Message(GetParam().savedPlain),
      Message("Err: 5 ") + std::strerror(EIO) + " [warning]", read,
      "text el perro y el perro | 3 8", FindMessage(GetParam().noMatches), "text el perro y el perro | 14 19",
      "text el can y el perro | 12 17", FindMessage(GetParam().noOther), "text el can y el can | 15 15",
      FindMessage(GetParam().noMatches),
  };
  EXPECT_EQ(printed, expected);
  EXPECT_EQ(Get("plain.txt"), "old\r\nuno, dos\r\n\ttres\r\n\r\n");
  EXPECT_EQ(Get("cache.txt"), "uno, dos\r\n\ttres\r\n\r\n");
}

INSTANTIATE_TEST_SUITE_P(Languages, EditorDriverTest, testing::Values(kSpanish, kEnglish),
                         [](const auto& info) { return std::string(info.param.name); });

// Hostile files, 20 MB among them: no crash, no hang, and the counts right; in one build, for time.
class EditorBadInputTest : public EditorDriverTest {};

TEST_P(EditorBadInputTest, HostileFilesLoadAndCountRight) {
  const std::string twentyMegabytes = Times("palabra ", 2621440);
  const struct {
    const char* name;
    std::string bytes;
    std::size_t lines, pages;  // the read text ends with a line end: one empty line more
  } files[] = {
      {"nul.txt", std::string("x\0y\r\nz", 6), 3, 0},
      {"cr.txt", "a\rb\rc", 4, 0},
      {"latin.txt", "\xE1rbol \x80", 2, 0},
      {"long.txt", std::string(100000, 'x'), 1077, 16},
      {"big.txt", twentyMegabytes, 238314, 3610},  // 11 words of 8 to a line
  };
  Lines script, expected;
  for (const auto& file : files) {
    WriteFileBytes(PathOf(file.name), file.bytes);
    script.insert(script.end(), {"choose " + PathOf(file.name), "command 1002", "wait 1100", "status"});
    expected.insert(expected.end(), {Message(GetParam().loaded), Status(file.lines, file.pages)});
  }
  EXPECT_EQ(Run(script), expected);
}

INSTANTIATE_TEST_SUITE_P(English, EditorBadInputTest, testing::Values(kEnglish),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
