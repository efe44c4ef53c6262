#include "viewer/settings/SettingsFile.h"

#include "tests/TempFolder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <sys/stat.h>

namespace fs = std::filesystem;

namespace {

std::string JoinLines(std::initializer_list<const char*> lines) {
  std::string text;
  for (const char* line : lines) text += std::string(line) + "\r\n";
  return text;
}

// The file a first save writes when the record holds its defaults.
const std::string kDefaultFile = JoinLines({
    "[Fichero]", "Formato= 3305",
    "[Control_Subrayado]", "Forma= 1",
    "[Pie_de_Pagina_1]", "Activar= 0", "Alineamiento= 132", "Fuente= 10",
    "Fuente_Estilo_Negrita= 0", "Fuente_Estilo_Italica= 0", "Fuente_Estilo_Subrayado= 0", "Texto=",
    "[Pie_de_Pagina_2]", "Activar= 0", "Alineamiento= 132", "Fuente= 10",
    "Fuente_Estilo_Negrita= 0", "Fuente_Estilo_Italica= 0", "Fuente_Estilo_Subrayado= 0", "Texto=",
    "[Numero_de_Pagina]", "Activar= 0", "Alineamiento= 133", "Fuente= 10",
    "Etiqueta_Pagina= 1", "Tipo_Numerico= 1", "Resalte= 1",
    "[Colores]", "Sub_Horizontal= 255", "Sub_Vertical= 255", "Sub_Fuente= 16777215",
    "Sub_Fondo= 255", "Sub_Enlaces= 255",
    "[Posicion]", "Y= 0", "Pagina= 1", "Lector= 0", "Lector_bool= 0",
    "[Imprimir]", "Copias= 1", "Color= 1", "Calidad= 1",
});

// A file with every value changed, texts in UTF-8 with characters beyond ASCII.
const std::string kChangedFile = JoinLines({
    "[Fichero]", "Formato= 3302",
    "[Control_Subrayado]", "Forma= 0",
    "[Pie_de_Pagina_1]", "Activar= 1", "Alineamiento= 131", "Fuente= 12",
    "Fuente_Estilo_Negrita= 1", "Fuente_Estilo_Italica= 1", "Fuente_Estilo_Subrayado= 1",
    "Texto=P\xC3\xA1gina \xC3\xB1 \xE2\x82\xAC",
    "[Pie_de_Pagina_2]", "Activar= 1", "Alineamiento= 133", "Fuente= 9",
    "Fuente_Estilo_Negrita= 0", "Fuente_Estilo_Italica= 1", "Fuente_Estilo_Subrayado= 0",
    "Texto=Cap\xC3\xADtulo \xC2\xABuno\xC2\xBB",
    "[Numero_de_Pagina]", "Activar= 1", "Alineamiento= 131", "Fuente= 11",
    "Etiqueta_Pagina= 0", "Tipo_Numerico= 2", "Resalte= 2",
    "[Colores]", "Sub_Horizontal= 65280", "Sub_Vertical= 16711680", "Sub_Fuente= 0",
    "Sub_Fondo= 8421504", "Sub_Enlaces= 12345",
    "[Posicion]", "Y=-4660", "Pagina= 17", "Lector= 33", "Lector_bool= 3",
    "[Imprimir]", "Copias= 2", "Color= 2", "Calidad= 4",
});

ViewerSettings ChangedRecord() {
  ViewerSettings s;
  s.imageFormat = kImageFormatPng;
  s.selectorShape = 0;
  s.footers[0] = {1, kBlockAlignLeft, 12, 1, 1, 1, "P\xE1gina \xF1 \x80"};
  s.footers[1] = {1, kBlockAlignCentre, 9, 0, 1, 0, "Cap\xEDtulo \xABuno\xBB"};
  s.pageNumber = {1, kBlockAlignLeft, 11, 0, 2, 2};
  s.colours = {65280, 16711680, 0, 8421504, 12345};
  s.position = {-4660, 17, 33, 3};
  s.print = {2, 2, 4};
  return s;
}

class SettingsFile : public ::testing::Test {
 protected:
  ViewerSettings Get() const {
    ViewerSettings s = ChangedRecord();  // every field must be overwritten
    EXPECT_FALSE(Settings("get", s, path_).failed());
    return s;
  }

  TempFolder folder_;
  const std::string path_ = folder_.File(std::string(kSettingsFileName));
};

// The keys are the same words in every build, so either build's file reads alike; written back byte for byte.
TEST_F(SettingsFile, NoFileGivesDefaultsAndEveryKeyIsWrittenAndReadBack) {
  EXPECT_EQ(Get(), ViewerSettings{});
  EXPECT_FALSE(fs::exists(path_));
  for (const auto& [record, file] :
       {std::pair{ViewerSettings{}, kDefaultFile}, {ChangedRecord(), kChangedFile}}) {
    WriteFileBytes(path_, file);
    EXPECT_EQ(Get(), record);
    fs::remove(path_);
    ViewerSettings saved = record;
    ASSERT_FALSE(Settings("save", saved, path_).failed());
    EXPECT_EQ(ReadFileBytes(path_), file);
  }
}

TEST_F(SettingsFile, HandEditedAndHostileFilesGiveSafeValues) {
  std::string junk(1 << 20, '\0');
  std::uint32_t seed = 12345;
  for (char& c : junk) c = static_cast<char>((seed = seed * 1103515245u + 12345u) >> 24);
  std::string enye;
  for (int i = 0; i < 100; ++i) enye += "\xC3\xB1";
  struct Case { const char* name; std::string file; std::function<void(ViewerSettings&)> changeToDefaults; };
  const Case cases[] = {
      {"empty value is 0, not the default", "[Fichero]\r\nFormato=\r\n",
       [](ViewerSettings& s) { s.imageFormat = 0; }},
      {"long accented text cut to 99 characters", "[Pie_de_Pagina_2]\r\nTexto=" + std::string(20, 'a') + enye,
       [](ViewerSettings& s) { s.footers[1].text = std::string(20, 'a') + std::string(79, '\xF1'); }},
      {"control characters at the ends go like blanks",
       std::string("[Pie_de_Pagina_2]\r\nTexto=\x01 a\x02z\x03\0cd\r\n", 36),
       [](ViewerSettings& s) { s.footers[1].text = "a z"; }},
      {"two BOMs before a damaged section",
       std::string("\xEF\xBB\xBF\xEF\xBB\xBF[Fichero]\x10\0\0\0\0\0\0\0\0\r\nFormato= 33[Fichero0", 45),
       [](ViewerSettings& s) { s.imageFormat = 33; }},
      {"a megabyte of junk", junk, [](ViewerSettings&) {}},
  };
  for (const Case& c : cases) {
    WriteFileBytes(path_, c.file);
    ViewerSettings expected;
    c.changeToDefaults(expected);
    EXPECT_EQ(Get(), expected) << c.name;
    // What was read survives being saved into the same file.
    ASSERT_FALSE(Settings("save", expected, path_).failed()) << c.name;
    EXPECT_EQ(Get(), expected) << c.name << " after a save";
  }
}

// Keys are changed where they stand, never added twice; the other lines stay.
TEST_F(SettingsFile, SaveKeepsTheOtherLinesOfAnExistingFile) {
  WriteFileBytes(path_, JoinLines({"; mis ajustes", "[Otra]", "clave=valor", "", "[Fichero]", "extra=1",
                                   "Formato=3302", "; fin", "[Fichero]", "Formato=3306"}));
  ViewerSettings s = ChangedRecord();
  ASSERT_FALSE(Settings("save", s, path_).failed());
  const std::string kept = JoinLines({"; mis ajustes", "[Otra]", "clave=valor", "", "[Fichero]", "extra=1",
                                      "Formato= 3302", "; fin", "[Fichero]", "Formato=3306",
                                      "[Control_Subrayado]"});
  EXPECT_EQ(ReadFileBytes(path_).substr(0, kept.size()), kept);
  EXPECT_EQ(Get(), ChangedRecord());
}

// Only "get" and "save" do anything; a file that cannot be read is not replaced.
TEST_F(SettingsFile, OtherModesAndUnreadableFilesLeaveEverythingAlone) {
  for (const char* mode : {"", "GET", "Save", "load"}) {
    ViewerSettings s = ChangedRecord();
    EXPECT_FALSE(Settings(mode, s, path_).failed()) << mode;
    EXPECT_EQ(s, ChangedRecord()) << mode;
    EXPECT_FALSE(fs::exists(path_)) << mode;
  }
  ASSERT_EQ(::mkfifo(path_.c_str(), 0600), 0);
  EXPECT_EQ(Get(), ViewerSettings{});
  ViewerSettings s = ChangedRecord();
  EXPECT_EQ(Settings("save", s, path_).number, EINVAL);
  EXPECT_TRUE(fs::is_fifo(path_));
}

}  // namespace
