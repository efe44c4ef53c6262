#include "viewer/settings/SettingsFile.h"

#include "platform/SafeWrite.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <limits>
#include <sstream>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

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

std::string ByteRange(int first, int last) {
  std::string s;
  for (int c = first; c <= last; ++c) s += static_cast<char>(c);
  return s;
}

class SettingsFile : public ::testing::Test {
 protected:
  void SetUp() override {
    std::string pattern = (fs::temp_directory_path() / "settings-test-XXXXXX").string();
    ASSERT_NE(::mkdtemp(pattern.data()), nullptr);
    folder_ = pattern;
    path_ = (folder_ / std::string(kSettingsFileName)).string();
  }
  void TearDown() override {
    SetWriteFailureAfterBytes(-1);
    fs::permissions(folder_, fs::perms::owner_all, fs::perm_options::add);
    fs::remove_all(folder_);
  }

  void WriteFile(const std::string& bytes) const {
    std::ofstream(path_, std::ios::binary) << bytes;
  }
  std::string ReadFile() const {
    std::ifstream in(path_, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  }
  ViewerSettings Get() const {
    ViewerSettings s = ChangedRecord();  // every field must be overwritten
    EXPECT_FALSE(Settings("get", s, path_).failed());
    return s;
  }
  std::size_t FilesInFolder() const {
    return static_cast<std::size_t>(std::distance(fs::directory_iterator(folder_), fs::directory_iterator()));
  }

  fs::path folder_;
  std::string path_;
};

TEST_F(SettingsFile, NoFileGivesDefaultsAndTheFirstSaveWritesEveryKey) {
  ViewerSettings s = Get();
  EXPECT_EQ(s, ViewerSettings{});
  EXPECT_FALSE(fs::exists(path_));

  ASSERT_FALSE(Settings("save", s, path_).failed());
  EXPECT_EQ(ReadFile(), kDefaultFile);
  EXPECT_EQ(Get(), ViewerSettings{});
}

// The keys are the same words in every build, so a file from either build
// reads the same; writing the record back reproduces it byte for byte.
TEST_F(SettingsFile, KnownFileIsReadAndWrittenBackByteForByte) {
  WriteFile(kChangedFile);
  ViewerSettings s = Get();
  EXPECT_EQ(s, ChangedRecord());

  fs::remove(path_);
  ASSERT_FALSE(Settings("save", s, path_).failed());
  EXPECT_EQ(ReadFile(), kChangedFile);
}

TEST_F(SettingsFile, ExtremeValuesAndEveryCharacterSurviveSaveAndGet) {
  using I16 = std::numeric_limits<std::int16_t>;
  using I32 = std::numeric_limits<std::int32_t>;
  ViewerSettings high = ChangedRecord();
  high.imageFormat = std::numeric_limits<std::uint32_t>::max();
  high.footers[0].fontSize = I16::max();
  high.position = {I32::max(), I32::max(), I16::max(), I32::max()};
  high.footers[0].text = ByteRange(0x21, 0x83);  // surrounding blanks are not kept
  high.footers[1].text = ByteRange(0x84, 0xE6);
  ViewerSettings low = ChangedRecord();
  low.imageFormat = 0;
  low.pageNumber.fontSize = I16::min();
  low.position = {I32::min(), I32::min(), I16::min(), -1};
  low.colours.links = I32::min();
  low.footers[0].text = ByteRange(0xE7, 0xFF) + " ~";
  low.footers[1].text = "";

  for (ViewerSettings record : {high, low}) {
    ASSERT_FALSE(Settings("save", record, path_).failed());
    EXPECT_EQ(Get(), record);
  }
}

struct ReadCase {
  const char* name;
  std::string file;
  std::function<void(ViewerSettings&)> expectedChange;  // applied to the defaults
};

TEST_F(SettingsFile, HandEditedAndHostileFilesGiveSafeValues) {
  std::string junk(1 << 20, '\0');
  std::uint32_t seed = 12345;
  for (char& c : junk) c = static_cast<char>((seed = seed * 1103515245u + 12345u) >> 24);
  std::string garbage;
  for (int i = 0; i < 4096; ++i) garbage += static_cast<char>(i * 131 % 256);

  const ReadCase cases[] = {
      {"FuenteAboveHalf", "[Pie_de_Pagina_1]\r\nFuente=11.5\r\n", [](ViewerSettings& s) { s.footers[0].fontSize = 12; }},
      {"FuenteTieToEven", "[Pie_de_Pagina_2]\r\nFuente=10.5\r\n", [](ViewerSettings& s) { s.footers[1].fontSize = 10; }},
      {"FuenteNotANumber", "[Numero_de_Pagina]\r\nFuente=abc\r\n", [](ViewerSettings& s) { s.pageNumber.fontSize = 0; }},
      {"EmptyValueIsZeroNotDefault", "[Fichero]\r\nFormato=\r\n", [](ViewerSettings& s) { s.imageFormat = 0; }},
      {"SizesBeyondInt16", "[Pie_de_Pagina_1]\r\nFuente=70000\r\n[Posicion]\r\nLector=-70000\r\n",
       [](ViewerSettings& s) { s.footers[0].fontSize = 32767; s.position.guideLine = -32768; }},
      {"FormatoNegative", "[Fichero]\r\nFormato=-1\r\n", [](ViewerSettings& s) { s.imageFormat = 0; }},
      {"FormatoHuge", "[Fichero]\r\nFormato=99999999999\r\n", [](ViewerSettings& s) { s.imageFormat = 4294967295u; }},
      {"LongTextCutTo99", "[Pie_de_Pagina_1]\r\nTexto=" + std::string(150, 'x') + "\r\n",
       [](ViewerSettings& s) { s.footers[0].text = std::string(99, 'x'); }},
      {"LongAccentedTextCutTo99Characters", "[Pie_de_Pagina_2]\r\nTexto=" + std::string(20, 'a') + [] {
         std::string s; for (int i = 0; i < 100; ++i) s += "\xC3\xB1"; return s; }() + "\r\n",
       [](ViewerSettings& s) { s.footers[1].text = std::string(20, 'a') + std::string(79, '\xF1'); }},
      {"Windows1252File", "[Pie_de_Pagina_1]\r\nTexto=P\xE1gina \x80\r\n", [](ViewerSettings& s) { s.footers[0].text = "P\xE1gina \x80"; }},
      {"TextStopsAtNul", std::string("[Pie_de_Pagina_1]\r\nTexto=ab\0cd\r\n", 30), [](ViewerSettings& s) { s.footers[0].text = "ab"; }},
      {"ControlCharactersAtTheEndsGoLikeBlanks", std::string("[Pie_de_Pagina_2]\r\nTexto=\x01 a\x02z\x03\0cd\r\n", 36),
       [](ViewerSettings& s) { s.footers[1].text = "a z"; }},
      {"NamesInAnyCaseBomAndBareLineEnds", "\xEF\xBB\xBF[fichero]\nFORMATO = 3303 \r[POSICION]\nPagina=4\n",
       [](ViewerSettings& s) { s.imageFormat = 3303; s.position.page = 4; }},
      {"FirstDuplicateWins", "[Fichero]\r\nFormato=3302\r\n[Fichero]\r\nFormato=3306\r\n[Posicion]\r\nPagina=5\r\nPagina=9\r\n",
       [](ViewerSettings& s) { s.imageFormat = 3302; s.position.page = 5; }},
      {"CommentsAndStrayLinesIgnored", "; [Fichero]\r\n;Formato=3302\r\nFormato=3303\r\n[Fichero\r\n=7\r\n[]\r\n", [](ViewerSettings&) {}},
      {"TwoByteOrderMarksBeforeADamagedSection",
       std::string("\xEF\xBB\xBF\xEF\xBB\xBF[Fichero]\x10\0\0\0\0\0\0\0\0\r\nFormato= 33[Fichero0", 45),
       [](ViewerSettings& s) { s.imageFormat = 33; }},
      {"BinaryGarbage", garbage, [](ViewerSettings&) {}},
      {"MegabyteOfJunk", junk, [](ViewerSettings&) {}},
  };
  for (const ReadCase& c : cases) {
    WriteFile(c.file);
    ViewerSettings expected;
    c.expectedChange(expected);
    EXPECT_EQ(Get(), expected) << c.name;
    // What was read survives being saved into the same file.
    ASSERT_FALSE(Settings("save", expected, path_).failed()) << c.name;
    EXPECT_EQ(Get(), expected) << c.name << " after a save";
  }
}

// Section and key of every key line, in file order (the file as saved).
std::vector<std::pair<std::string, std::string>> KeyLines(const std::string& text) {
  std::vector<std::pair<std::string, std::string>> keys;
  std::istringstream in(text);
  std::string section;
  for (std::string line; std::getline(in, line);) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (!line.empty() && line[0] == '[') section = line.substr(1, line.find(']') - 1);
    else if (line.find('=') != std::string::npos && line[0] != ';') keys.emplace_back(section, line.substr(0, line.find('=')));
  }
  return keys;
}

TEST_F(SettingsFile, SaveKeepsTheOtherLinesOfAnExistingFile) {
  const std::vector<std::string> foreign = {"; mis ajustes", "[Otra]", "clave=valor", "extra=1", "; fin"};
  WriteFile(JoinLines({"; mis ajustes", "[Otra]", "clave=valor", "", "[Fichero]", "extra=1", "Formato=3302",
                       "[Posicion]", "Pagina= 7", "; fin", "[Fichero]", "Formato=3306"}));
  ViewerSettings s = ChangedRecord();
  ASSERT_FALSE(Settings("save", s, path_).failed());
  const std::string saved = ReadFile();

  std::size_t at = 0;
  for (const std::string& line : foreign) {
    at = ("\r\n" + saved).find("\r\n" + line + "\r\n", at);
    EXPECT_NE(at, std::string::npos) << line;
  }
  // Each key once in its section; the stray second [Fichero] is left alone.
  const auto keys = KeyLines(saved);
  for (const SettingsKey& entry : kSettingsKeys) {
    EXPECT_EQ(std::count(keys.begin(), keys.end(), std::pair<std::string, std::string>(entry.section, entry.key)),
              entry.key == "Formato" ? 2 : 1) << entry.section << " " << entry.key;
  }
  EXPECT_NE(saved.find("Formato=3306\r\n"), std::string::npos);
  EXPECT_EQ(Get(), ChangedRecord());
}

TEST_F(SettingsFile, OtherModesDoNothing) {
  for (const char* mode : {"", "GET", "Save", "load"}) {
    ViewerSettings s = ChangedRecord();
    EXPECT_FALSE(Settings(mode, s, path_).failed()) << mode;
    EXPECT_EQ(s, ChangedRecord()) << mode;
    EXPECT_FALSE(fs::exists(path_)) << mode;
  }
}

TEST_F(SettingsFile, FailedSaveIsReportedAndTheOldFileStays) {
  ViewerSettings s = ChangedRecord();
  const FileError missingFolder = Settings("save", s, (folder_ / "no" / "Configuracion.ini").string());
  EXPECT_EQ(missingFolder.number, ENOENT);
  EXPECT_EQ(missingFolder.number, ENOENT) << missingFolder.description;

  WriteFile(kDefaultFile);
  SetWriteFailureAfterBytes(100);
  EXPECT_EQ(Settings("save", s, path_).number, ENOSPC);
  SetWriteFailureAfterBytes(-1);
  EXPECT_EQ(ReadFile(), kDefaultFile);
  EXPECT_EQ(FilesInFolder(), 1u);  // no temporary file left behind

  const std::string folderAsFile = (folder_ / "sub").string();
  fs::create_directory(folderAsFile);
  EXPECT_TRUE(Settings("save", s, folderAsFile).failed());
  EXPECT_TRUE(fs::is_directory(folderAsFile));
}

TEST_F(SettingsFile, NamedPipeInPlaceOfTheFileIsNotOpened) {
  ASSERT_EQ(::mkfifo(path_.c_str(), 0600), 0);
  EXPECT_EQ(Get(), ViewerSettings{});
  ViewerSettings s = ChangedRecord();
  EXPECT_EQ(Settings("save", s, path_).number, EINVAL);
  EXPECT_TRUE(fs::is_fifo(path_));
}

TEST_F(SettingsFile, SaveIntoReadOnlyFolderOrUnreadableFileFails) {
  if (::geteuid() == 0) GTEST_SKIP() << "permissions do not bind root";
  ViewerSettings s = ChangedRecord();
  WriteFile(kDefaultFile);

  fs::permissions(path_, fs::perms::none);
  EXPECT_EQ(Settings("save", s, path_).number, EACCES);
  fs::permissions(path_, fs::perms::owner_read | fs::perms::owner_write);
  EXPECT_EQ(ReadFile(), kDefaultFile);

  fs::permissions(folder_, fs::perms::owner_read | fs::perms::owner_exec);
  EXPECT_EQ(Settings("save", s, path_).number, EACCES);
  EXPECT_EQ(ReadFile(), kDefaultFile);
}

}  // namespace
