// The two builds of a program share their files; each build carries its own version record.
#include "tests/DriverRunner.h"
#include "tests/MarkedDocuments.h"
#include "tests/TempFolder.h"
#include "viewer/document/CacheFile.h"

#include <gtest/gtest.h>

namespace {

std::vector<std::string> Drive(const std::string& options, const std::string& folder, const std::string& script) {
  return RunDriver(options + " --folder '" + folder + "'", script);
}

// Each pair runs one build as writer and the other as reader.
constexpr const char* kPairs[][2] = {{"en", "es"}, {"es", "en"}};

TEST(CrossBuild, SettingsWrittenByOneViewerBuildAreReadWhole) {
  for (const auto& [writer, reader] : kPairs) {
    TempFolder folder;
    const std::string program = folder.File("program");
    const std::string settings = program + "/Configuracion.ini";
    WriteFileBytes(folder.File("text.txt"), NumberedLines(150));
    Drive(std::string("--lang ") + writer, program, "state\ncommand 1047\n");
    const std::string defaults = ReadFileBytes(settings);
    // Every kind of setting off its default: format, footers, numbering, selector, colour, guide, place.
    Drive(std::string("--lang ") + writer, program,
          "choose " + folder.File("text.txt") + "\ncommand 1046\nanswer 2\ncommand 1085\ncommand 1077\n"
          "click 3305\nclick 3308\nset 3333 Pie de página ñandú\nclick 3311\npick 3314 4\nclick 3317\n"
          "click 3322\nset 3334 second footer\nclick 3325\npick 3327 1\nclick 3331\nclick 3338\nclick 3340\n"
          "pick 3343 3\nclick 3345\nclick 3349\nclick 3351\nclick 3356\nclick 3357\n"
          "colour 10 20 30\ncommand 1080\ncommand 1093\nkey Down\ncommand 1047\n");
    const std::string written = ReadFileBytes(settings);
    ASSERT_NE(written, defaults) << writer;
    ASSERT_NE(written.find("Pie de página ñandú"), std::string::npos) << writer;

    // The reader keeps every value: what it writes back is what it read.
    const auto state = LastState(Drive(std::string("--lang ") + reader, program, "state\ncommand 1047\n"));
    EXPECT_EQ(ReadFileBytes(settings), written) << writer << " -> " << reader;
    EXPECT_EQ(state.at("page"), "2") << reader;
    EXPECT_NE(state.at("guide"), "0") << reader;
  }
}

// cache.txt of either editor build opens in the other viewer build as the same document.
TEST(CrossBuild, CacheTextOfEitherEditorOpensInEitherViewer) {
  std::string firstCache;
  for (const auto& [editor, viewer] : kPairs) {
    TempFolder folder;
    Drive(std::string("--editor --lang ") + editor, folder.File("editor"),
          "set-text Año de la página\\n\\tuno\\ndos\ncommand 1003\n");
    const auto state = LastState(Drive(std::string("--lang ") + viewer, folder.File("viewer"),
                                       "choose " + folder.File("editor/cache.txt") + "\ncommand 1046\nstate\n"));
    EXPECT_EQ(state.at("loaded") + state.at("pages"), "11") << editor << " -> " << viewer;
    Document document;
    ASSERT_TRUE(CacheRead(document, folder.File("viewer/cache.04")));
    EXPECT_EQ(document.Line(1, 1).text, "A\xF1o de la p\xE1gina") << "read as UTF-8, kept in the code page";
    EXPECT_EQ(document.Line(1, 3).text, "dos");
    const std::string cache = ReadFileBytes(folder.File("viewer/cache.04"));
    if (firstCache.empty()) firstCache = cache;
    EXPECT_TRUE(cache == firstCache) << editor << " -> " << viewer;
  }
}

// A version record as the driver prints it: "version KEY=VALUE" lines, here joined with ";" after each value.
std::string Record(const std::string& name, const std::string& description, const std::string& comments,
                   const std::string& versions, const std::string& numbers) {
  return "productName=" + name + ";originalFilename=" + name + ";fileDescription=" + description + ";" +
         comments + versions + ";numbers=" + numbers + ";languageCode=1034;applicationName=" + name +
         ";applicationVersion=" + numbers + ";";
}

TEST(CrossBuild, EachProgramCarriesItsVersionRecordInItsLanguage) {
  const std::string es = "comments=Programa Freeware;internalName=Privado;privateBuild=Informacion Privada;"
                         "specialBuild=Informacion Especial;";
  const std::string en = "comments=Freeware Program;internalName=Private;privateBuild=Private information;"
                         "specialBuild=Special Information;";
  const std::pair<const char*, std::string> cases[] = {
      {"--lang es", Record("marvessa-es", "Marvessa DIN A4", es,
                           "fileVersion=VerNum 4.703;productVersion=Version Producto 4.7", "4.7.0.4")},
      {"--lang en", Record("marvessa-en", "Marvessa marvessa-en", en,
                           "fileVersion=VerNum 4.704;productVersion=Product Version 4.7", "4.7.0.4")},
      {"--editor --lang es", Record("marvessa-editor-es", "Editor para Marvessa DIN A4", es,
                                    "fileVersion=VerNum 1.731;productVersion=Version Producto 1.7",
                                    "1.7.3.1")},
      {"--editor --lang en", Record("marvessa-editor-en", "Editor for Marvessa marvessa-en", en,
                                    "fileVersion=VerNum 1.732;productVersion=Product Version 1.7",
                                    "1.7.3.2")},
  };
  for (const auto& [options, record] : cases) {
    TempFolder folder;
    std::string printed;
    for (const std::string& line : Drive(options, folder.path(), "version\n")) printed += line.substr(8) + ";";
    EXPECT_EQ(printed, record) << options;
  }
}

}  // namespace
