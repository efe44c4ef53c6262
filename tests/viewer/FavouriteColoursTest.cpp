#include "tests/viewer/ViewerTestSupport.h"
#include "viewer/settings/Palette.h"

#include <QImage>

namespace {

constexpr std::uint32_t kWhite = 16777215;

class FavouriteColours : public ViewerProgram {
 protected:
  // A document loaded (the command needs one), then the dialog.
  std::string OpenDialog() { return Load(WriteText("t.txt", "text\r\n")) + "command 1079\n"; }

  // Inside the control's one-pixel border the palette has cells of 25 x 25 from (1, 1).
  static std::string At(int x, int y) { return std::to_string(x + 1) + " " + std::to_string(y + 1); }
  static std::string InCell(int column, int row) { return At(1 + 25 * column + 12, 1 + 25 * row + 12); }
  static std::string PixelOfCell(int column, int row) { return "pixel 31001 " + InCell(column, row) + "\n"; }

  // The RGB of the n-th "pixel" line as a stored colour (red low).
  static std::uint32_t PixelColour(const std::vector<std::string>& lines, std::size_t n) {
    const auto pixels = Matching(lines, "pixel");
    unsigned id = 0, x = 0, y = 0, r = 0, g = 0, b = 0;
    if (n >= pixels.size()) return 0xFFFFFFFF;
    std::sscanf(pixels[n].c_str(), "pixel %u %u %u %u %u %u", &id, &x, &y, &r, &g, &b);
    return r | g << 8 | b << 16;
  }

  // The selected colour, applied to the horizontal underlines and saved on Exit.
  std::uint32_t AppliedSelectedColour(const std::string& script) {
    Run(script + "command 1080\ncommand 1047\n");
    return static_cast<std::uint32_t>(SavedSettings().colours.horizontal);
  }

  std::string PalettePath() const { return ProgramFilePath("Mis Colores.log"); }
};

TEST_F(FavouriteColours, RightClickSelectsThePixelUnderTheMouse) {
  EXPECT_EQ(AppliedSelectedColour(""), 0u) << "black before any selection";
  const std::tuple<const char*, int, int, std::uint32_t> cases[] = {
      {"gap between cells", 27, 15, kWhite},
      {"outline of a cell", 4, 15, 0},
      {"below the grid", 100, 256, kWhite},
  };
  for (const auto& [where, x, y, selected] : cases) {
    FreshProgramFolder();
    const std::string picture = folder.File("panel.png");
    const std::string pick = "prpress " + At(x, y) + "\nsave-dialog " + picture + "\nclose\n";
    EXPECT_EQ(AppliedSelectedColour(OpenDialog() + pick), selected) << where;
    // The panel shows the colour with the caption white on black, black otherwise.
    const QImage panel = QImage(QString::fromStdString(picture)).copy(8, 270, 336, 50);
    ASSERT_FALSE(panel.isNull());
    const QRgb background = selected == 0 ? qRgb(0, 0, 0) : qRgb(255, 255, 255);
    EXPECT_EQ(panel.pixel(2, 2), background) << where;
    int captionPixels = 0;
    for (int row = 0; row < panel.height(); ++row) {
      for (int column = 0; column < panel.width(); ++column) {
        captionPixels += panel.pixel(column, row) == (background ^ 0xFFFFFF);
      }
    }
    EXPECT_GT(captionPixels, 20) << where;
  }
}

TEST_F(FavouriteColours, SaveWritesTheWholePaletteInRowOrder) {
  const auto lines = Run(OpenDialog() + "colour 255 0 0\nppress " + InCell(2, 1) + "\ninspect 31002\n" +
                         PixelOfCell(2, 1) + "click 31002\ninspect 31002\nclick 31003\n");
  EXPECT_EQ(PixelColour(lines, 0), 255u);
  EXPECT_EQ(Matching(lines, "message"),
            std::vector<std::string>{"message Programador | Mis Colores Favoritos han sido Archivados"});
  EXPECT_TRUE(Matching(lines, "question").empty()) << "saved: Exit asks nothing";
  const auto saveStates = Matching(lines, "control 31002");
  ASSERT_EQ(saveStates.size(), 2u);
  EXPECT_NE(saveStates[0].find("enabled=1"), std::string::npos);
  EXPECT_NE(saveStates[1].find("enabled=0"), std::string::npos);
  // The record layout is the palette file's own affair; here all 130 records, the 16th (cell 2 of row 1) red.
  const std::string bytes = ReadFileBytes(PalettePath());
  ASSERT_EQ(bytes.size(), 130u * 24);
  EXPECT_EQ(ReadPalette(bytes).cells[15].colour, 255);
  EXPECT_EQ(ReadPalette(bytes).cells[14].colour, static_cast<std::int32_t>(kWhite));
}

// A chosen colour is offered for saving on Exit; the title bar or a cancelled chooser saves nothing.
TEST_F(FavouriteColours, ExitOffersToSaveChangesTheTitleBarDoesNot) {
  // The build, the colour chosen, how the dialog ends, the question asked and whether the palette is saved.
  const std::tuple<const char*, std::string, const char*, const char*, bool> cases[] = {
      {"es", "0 255 0", "reply yes\nclick 31003\n",
       "question Programador | Desea guardar los cambios antes de Salir ? -> yes [question]", true},
      {"en", "0 255 0", "reply no\nclick 31003\n",
       "question Programmer | Do you want to save changes before exiting ? -> no [question]", false},
      {"es", "0 255 0", "close\n", "", false},
      {"es", "cancel", "click 31003\n", "", false},
  };
  for (const auto& [lang, colour, ending, question, saved] : cases) {
    FreshProgramFolder();
    const std::string choice = "colour " + colour + "\nppress " + InCell(0, 0) + "\n";
    const std::string look = "inspect 31002\n" + PixelOfCell(0, 0);
    const auto lines = Run(OpenDialog() + choice + look + ending + "state\n", lang);
    EXPECT_EQ(ControlLine(lines, 31002)["enabled"], colour != "cancel" ? "1" : "0") << colour;
    EXPECT_EQ(PixelColour(lines, 0), colour != "cancel" ? 0xFF00u : kWhite) << colour;
    EXPECT_EQ(Matching(lines, "question"), Matching({question}, "question"));
    EXPECT_TRUE(Matching(lines, "message").empty()) << "saving on Exit shows no message";
    EXPECT_EQ(LastState(lines)["busy"], "0") << "closed on both answers";
    EXPECT_EQ(std::filesystem::exists(PalettePath()), saved) << ending;
  }
}

TEST_F(FavouriteColours, ResetEmptiesTheFileAndSelectsWhite) {
  const std::string script = OpenDialog() + "prpress " + InCell(4, 4) + "\n" + PixelOfCell(4, 4) +
                             "reply yes\nclick 31004\n" + PixelOfCell(4, 4) + "click 31003\ncommand 1079\n" +
                             PixelOfCell(4, 4) + "close\n";
  Palette red = DefaultPalette();
  for (PaletteCell& cell : red.cells) cell.colour = 255;
  const std::string allRed = WritePalette(red);
  WriteProgramFile("Mis Colores.log", allRed);
  const auto lines = Run(script);
  EXPECT_FALSE(std::filesystem::exists(PalettePath()));
  EXPECT_EQ(
      Matching(lines, "question"),
      std::vector<std::string>{"question Programador | Realmente desea RESETEAR ?\\nSe perderan todos tus "
                               "colores favoritos -> yes [question]"});
  EXPECT_EQ(PixelColour(lines, 0), 255u);
  EXPECT_EQ(PixelColour(lines, 1), kWhite);
  EXPECT_EQ(PixelColour(lines, 2), kWhite) << "the next opening is all white";
  WriteProgramFile("Mis Colores.log", allRed);
  EXPECT_EQ(AppliedSelectedColour(script), kWhite) << "the red picked before the reset is replaced";
}

}  // namespace
