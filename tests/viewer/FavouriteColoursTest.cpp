#include "tests/viewer/SettingsDialogSupport.h"

#include "viewer/settings/Palette.h"

#include <QImage>

namespace {

constexpr std::uint32_t kWhite = 16777215;

class FavouriteColours : public SettingsDialogProgram {
 protected:
  // A document loaded (the command needs one), then the dialog.
  std::string OpenDialog() { return "choose " + WriteText("t.txt", "text\r\n") + "\ncommand 1046\ncommand 1079\n"; }

  // The palette control has a one-pixel border; the palette's own
  // positions start inside it.
  static std::string At(int x, int y) { return std::to_string(x + 1) + " " + std::to_string(y + 1); }
  static int CellX(int column) { return 1 + 25 * column + 12; }  // inside the cell's box
  static int CellY(int row) { return 1 + 25 * row + 12; }
  static std::string InCell(int column, int row) { return At(CellX(column), CellY(row)); }
  static std::string PixelOfCell(int column, int row) { return "pixel 31001 " + InCell(column, row) + "\n"; }

  // The RGB of the n-th "pixel" line as a stored colour (red low).
  static std::uint32_t PixelColour(const std::vector<std::string>& lines, std::size_t n) {
    const auto pixels = Matching(lines, "pixel");
    if (n >= pixels.size()) return 0xFFFFFFFF;
    unsigned id = 0, x = 0, y = 0, r = 0, g = 0, b = 0;
    std::sscanf(pixels[n].c_str(), "pixel %u %u %u %u %u %u", &id, &x, &y, &r, &g, &b);
    return r | g << 8 | b << 16;
  }

  // Exit the viewer after applying the selected colour to the horizontal
  // underlines; the colour then is in the settings file.
  std::uint32_t AppliedSelectedColour(const std::string& script) {
    Run(script + "command 1080\ncommand 1047\n");
    return static_cast<std::uint32_t>(SavedSettings().colours.horizontal);
  }

  std::string PalettePath() const { return ProgramFilePath(std::string(kPaletteFileName)); }

  void WritePaletteBytes(const std::string& bytes) {
    std::filesystem::create_directories(ProgramFolderPath());
    WriteFileBytes(PalettePath(), bytes);
  }

  static Palette AllRed() {
    Palette palette = DefaultPalette();
    for (PaletteCell& cell : palette.cells) cell.colour = 255;
    return palette;
  }
};

TEST_F(FavouriteColours, ApplyingAColourBeforeAnySelectionGivesBlack) {
  EXPECT_EQ(AppliedSelectedColour(""), 0u);
}

TEST_F(FavouriteColours, RightClickSelectsThePixelUnderTheMouse) {
  struct Case {
    const char* where;
    int x, y;
    std::uint32_t selected;
  };
  const Case cases[] = {
      {"gap between cells", 27, 15, kWhite},
      {"outline of a cell", 4, 15, 0},
      {"inside a white cell", 15, 15, kWhite},
      {"margin beyond the grid", 330, 100, kWhite},
      {"below the grid", 100, 256, kWhite},
  };
  for (const Case& c : cases) {
    std::filesystem::remove_all(ProgramFolderPath());
    const std::string picture = folder.File("panel.png");
    const auto selected =
        AppliedSelectedColour(OpenDialog() + "prpress " + At(c.x, c.y) + "\nsave-dialog " + picture + "\nclose\n");
    EXPECT_EQ(selected, c.selected) << c.where;
    // The panel shows the colour with the caption white on black, black otherwise.
    const QImage panel = QImage(QString::fromStdString(picture)).copy(8, 270, 336, 50);
    ASSERT_FALSE(panel.isNull());
    const QRgb background = c.selected == 0 ? qRgb(0, 0, 0) : qRgb(255, 255, 255);
    const QRgb caption = c.selected == 0 ? qRgb(255, 255, 255) : qRgb(0, 0, 0);
    EXPECT_EQ(panel.pixel(2, 2), background) << c.where;
    int captionPixels = 0;
    for (int y = 0; y < panel.height(); ++y) {
      for (int x = 0; x < panel.width(); ++x) captionPixels += panel.pixel(x, y) == caption;
    }
    EXPECT_GT(captionPixels, 20) << c.where;
  }
}

TEST_F(FavouriteColours, CancellingTheChooserChangesNothing) {
  const auto lines = Run(OpenDialog() + "colour cancel\nppress " + InCell(3, 2) + "\ninspect 31002\n" +
                         PixelOfCell(3, 2) + "click 31003\nstate\n");
  EXPECT_EQ(ControlLine(lines, 31002)["enabled"], "0");
  EXPECT_EQ(PixelColour(lines, 0), kWhite);
  EXPECT_TRUE(Matching(lines, "question").empty()) << "nothing to save";
  EXPECT_EQ(LastState(lines)["busy"], "0");
  EXPECT_FALSE(std::filesystem::exists(PalettePath()));
}

TEST_F(FavouriteColours, SaveWritesTheWholePaletteInRowOrder) {
  const auto lines = Run(OpenDialog() + "colour 255 0 0\nppress " + InCell(2, 1) + "\ninspect 31002\n" +
                         PixelOfCell(2, 1) + "click 31002\ninspect 31002\nclick 31003\n");
  EXPECT_EQ(PixelColour(lines, 0), 255u);
  const auto messages = Matching(lines, "message");
  ASSERT_EQ(messages.size(), 1u);
  EXPECT_EQ(messages[0], "message Programador | Mis Colores Favoritos han sido Archivados");
  EXPECT_TRUE(Matching(lines, "question").empty()) << "saved: Exit asks nothing";
  const auto saveStates = Matching(lines, "control 31002");
  ASSERT_EQ(saveStates.size(), 2u);
  EXPECT_NE(saveStates[0].find("enabled=1"), std::string::npos);
  EXPECT_NE(saveStates[1].find("enabled=0"), std::string::npos);

  const std::string bytes = ReadFileBytes(PalettePath());
  ASSERT_EQ(bytes.size(), 3120u);
  const Palette saved = ReadPalette(bytes);
  EXPECT_EQ(saved.cells[0], (PaletteCell{1, 26, 1, 26, 0, 0, static_cast<std::int32_t>(kWhite)}));
  Palette expected = DefaultPalette();
  expected.At({2, 1}).colour = 255;
  EXPECT_EQ(saved, expected);
}

TEST_F(FavouriteColours, ExitOffersToSaveChanges) {
  struct Case {
    const char* lang;
    const char* reply;
    const char* question;
    bool saved;
  };
  const Case cases[] = {
      {"es", "yes", "question Programador | Desea guardar los cambios antes de Salir ? -> yes [question]", true},
      {"en", "no", "question Programmer | Do you want to save changes before exiting ? -> no [question]", false},
  };
  for (const Case& c : cases) {
    std::filesystem::remove_all(ProgramFolderPath());
    const auto lines = Run(OpenDialog() + "colour 0 255 0\nppress " + InCell(0, 0) + "\nreply " + c.reply +
                               "\nclick 31003\nstate\n",
                           c.lang);
    EXPECT_EQ(Matching(lines, "question"), std::vector<std::string>{c.question});
    EXPECT_TRUE(Matching(lines, "message").empty()) << "saving on Exit shows no message";
    EXPECT_EQ(LastState(lines)["busy"], "0") << "closed on both answers";
    EXPECT_EQ(std::filesystem::exists(PalettePath()), c.saved) << c.reply;
  }
}

TEST_F(FavouriteColours, TheTitleBarAsksNothingAndSavesNothing) {
  const auto lines = Run(OpenDialog() + "colour 0 255 0\nppress " + InCell(0, 0) + "\nclose\nstate\n");
  EXPECT_TRUE(Matching(lines, "question").empty());
  EXPECT_EQ(LastState(lines)["busy"], "0");
  EXPECT_FALSE(std::filesystem::exists(PalettePath()));
}

TEST_F(FavouriteColours, ResetEmptiesTheFileAndSelectsWhite) {
  const std::string script = OpenDialog() + "prpress " + InCell(4, 4) + "\n" + PixelOfCell(4, 4) +
                             "reply yes\nclick 31004\n" + PixelOfCell(4, 4) + "click 31003\n" + "command 1079\n" +
                             PixelOfCell(4, 4) + "close\n";
  WritePaletteBytes(WritePalette(AllRed()));
  const auto lines = Run(script);
  EXPECT_FALSE(std::filesystem::exists(PalettePath()));
  EXPECT_EQ(Matching(lines, "question"),
            std::vector<std::string>{"question Programador | Realmente desea RESETEAR ?\\nSe perderan todos tus "
                                     "colores favoritos -> yes [question]"});
  EXPECT_EQ(PixelColour(lines, 0), 255u);
  EXPECT_EQ(PixelColour(lines, 1), kWhite);
  EXPECT_EQ(PixelColour(lines, 2), kWhite) << "the next opening is all white";
  WritePaletteBytes(WritePalette(AllRed()));
  EXPECT_EQ(AppliedSelectedColour(script), kWhite) << "the red picked before the reset is replaced";
}

TEST_F(FavouriteColours, OnlyCellsOfTheGridHighlightAndOpenTheChooser) {
  const std::string before = folder.File("before.png");
  const std::string after = folder.File("after.png");
  const auto lines = Run(OpenDialog() + "save-dialog " + before + "\ncolour 0 0 255\npmove " + At(330, 11) +
                         "\nppress " + At(330, 11) + "\nsave-dialog " + after + "\ninspect 31002\npmove " + At(40, 40) +
                         "\npixel 31001 " + At(29, 40) + "\nppress " + InCell(0, 0) + "\n" + PixelOfCell(0, 0) +
                         "close\n");
  EXPECT_EQ(ReadFileBytes(before), ReadFileBytes(after)) << "no highlight at column 13";
  EXPECT_EQ(ControlLine(lines, 31002)["enabled"], "0") << "no chooser at column 13";
  EXPECT_EQ(PixelColour(lines, 0), kWhite) << "the hovered cell's outline turns white";
  EXPECT_EQ(PixelColour(lines, 1), 0xFF0000u) << "the queued answer was still there for a real cell";
}

TEST_F(FavouriteColours, AnyPaletteFileOpens) {
  const std::string full = WritePalette(AllRed());
  std::string hostile;
  for (const int place : {51, -1, 32767}) {
    std::string record = full.substr(0, 24);
    record[16] = static_cast<char>(place & 0xFF);
    record[17] = static_cast<char>((place >> 8) & 0xFF);
    hostile += record;
  }
  std::string random(3120, '\0');
  unsigned seed = 7;
  for (char& c : random) c = static_cast<char>((seed = seed * 1103515245u + 12345u) >> 16);
  struct Case {
    const char* name;
    std::string bytes;
    std::uint32_t first, last;  // inside cells (0,0) and (12,9)
  };
  const Case cases[] = {
      {"empty", "", kWhite, kWhite},
      {"23 bytes", full.substr(0, 23), kWhite, kWhite},
      {"25 bytes", full.substr(0, 25), 255, kWhite},
      {"3119 bytes", full.substr(0, 3119), 255, kWhite},
      {"3121 bytes", full + "x", 255, 255},
      {"places outside the table", hostile, kWhite, kWhite},
      {"random bytes", random, 0, 0},
  };
  for (const Case& c : cases) {
    std::filesystem::remove_all(ProgramFolderPath());
    WritePaletteBytes(c.bytes);
    const auto lines = Run(OpenDialog() + "dialog\n" + PixelOfCell(0, 0) + PixelOfCell(12, 9) + "close\nstate\n");
    ASSERT_EQ(Matching(lines, "dialog").size(), 1u) << c.name;
    EXPECT_EQ(LastState(lines)["busy"], "0") << c.name;
    if (std::string(c.name) == "random bytes") continue;  // only that it opens
    EXPECT_EQ(PixelColour(lines, 0), c.first) << c.name;
    EXPECT_EQ(PixelColour(lines, 1), c.last) << c.name;
  }
}

TEST_F(FavouriteColours, AFailedSaveIsReportedAndKeepsTheChanges) {
  // A folder where the file should be: the palette opens white, no write can replace it.
  std::filesystem::create_directories(PalettePath());
  const auto lines = Run(OpenDialog() + "colour 255 0 0\nppress " + InCell(1, 1) + "\nclick 31002\ninspect 31002\n" +
                         "reply yes\nclick 31003\ndialog\nclose\nstate\n");
  const auto messages = Matching(lines, "message Programador | Err: ");
  ASSERT_EQ(messages.size(), 2u) << "Save and the save on Exit";
  EXPECT_EQ(messages[0], "message Programador | Err: 21 Is a directory [warning]");
  EXPECT_TRUE(Matching(lines, "message Programador | Mis Colores").empty()) << "no success shown";
  EXPECT_EQ(ControlLine(lines, 31002)["enabled"], "1");
  EXPECT_EQ(Matching(lines, "dialog title=").size(), 1u) << "still open after the failed save on Exit";
  EXPECT_EQ(LastState(lines)["busy"], "0");
}

}  // namespace
