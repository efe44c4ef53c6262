#include "tests/viewer/ViewerTestSupport.h"

#include <QImage>

namespace {

class Loading : public ViewerProgram {
 protected:
  // Loads the file with New and returns the driver's output.
  std::vector<std::string> LoadText(const std::string& path) { return Run("choose " + path + "\ncommand 1046\nstate\n"); }
};

TEST_F(Loading, LaysLinesOutInPagesOf65) {
  struct Case {
    const char* name;
    std::string text;
    int pages;
  };
  const Case cases[] = {
      {"65 lines", NumberedLines(65), 1},
      {"66 lines", NumberedLines(66), 2},
      {"empty file", "", 1},
      {"lone CR ends", "a\rb\rc", 1},
      {"only CR bytes", std::string(200, '\r'), 4},
      {"0x1A ends the text", "a\r\n\x1A" + NumberedLines(100), 1},
  };
  for (const Case& c : cases) {
    const auto lines = LoadText(WriteText("t.txt", c.text));
    EXPECT_EQ(LastState(lines)["pages"], std::to_string(c.pages)) << c.name;
    EXPECT_EQ(ReadCache().PageCount, c.pages) << c.name;
  }
}

TEST_F(Loading, SlotsOfTheLoadedDocument) {
  LoadText(WriteText("66.txt", NumberedLines(66)));
  Document document = ReadCache();
  EXPECT_EQ(document.Line(2, 1).absoluteLine, 66);
  EXPECT_EQ(document.Line(2, 1).text, "Line 66");
  EXPECT_FALSE(document.Line(2, 2).IsInUse());

  LoadText(WriteText("empty.txt", ""));
  document = ReadCache();
  EXPECT_TRUE(document.Line(1, 1).IsInUse());
  EXPECT_EQ(document.Line(1, 1).text, "");
  EXPECT_FALSE(document.Line(1, 2).IsInUse());

  LoadText(WriteText("long.txt", std::string(113, 'a') + "\r\n" + std::string(114, 'b') + "\r\n" +
                                            std::string(10'000'000, 'c')));
  document = ReadCache();
  EXPECT_EQ(document.Line(1, 1).text, std::string(113, 'a'));
  EXPECT_EQ(document.Line(1, 2).text, std::string(113, 'b'));
  EXPECT_EQ(document.Line(1, 3).text, std::string(113, 'c'));

  LoadText(WriteText("utf8.txt", "P\xC3\xA1gina \xE2\x82\xAC"));
  EXPECT_EQ(ReadCache().Line(1, 1).text, "P\xE1gina \x80") << "kept as Windows-1252";
}

TEST_F(Loading, PicturesTakeTheirRoomOrAreDropped) {
  QImage(40, 100, QImage::Format_RGB32).save(QString::fromStdString(folder.File("pic.png")));
  auto textWithDirectiveOn = [](int line) {
    std::string text;
    for (int i = 1; i < line; ++i) text += "text\r\n";
    return text + "{@@Figure 1,pic.png}\r\nafter\r\n";
  };
  const auto lines = LoadText(WriteText("p10.txt", textWithDirectiveOn(10)));
  EXPECT_TRUE(Matching(lines, "message").empty());
  Document document = ReadCache();
  for (int slot = 10; slot <= 16; ++slot) EXPECT_EQ(document.Line(1, slot).absoluteLine, 10) << slot;
  EXPECT_EQ(document.Line(1, 10).imageLine, 1);
  EXPECT_EQ(document.Line(1, 10).text, folder.File("pic.png")) << "stored with its folder";
  EXPECT_EQ(document.Line(1, 17).text, "after");
  EXPECT_EQ(document.Line(1, 17).absoluteLine, 17);

  LoadText(WriteText("p60.txt", textWithDirectiveOn(60)));
  document = ReadCache();
  EXPECT_FALSE(document.Line(1, 60).IsInUse()) << "80 pixels of room for 100";
  EXPECT_EQ(document.Line(1, 61).text, "after");
}

TEST_F(Loading, MissingPicturesAreReportedAndKeepTheirAnchor) {
  const auto lines = LoadText(WriteText("m.txt", "{@@x,missing.png}\r\n{@@y,.}\r\nafter\r\n"));
  const auto messages = Matching(lines, "message");
  ASSERT_GE(messages.size(), 2u);
  EXPECT_EQ(messages[0], "message Programador | [GraphicLoadImageFileToBitmap] called on <" +
                             folder.File("missing.png") + "> Missing file [warning]");
  EXPECT_EQ(messages[1].rfind("message Programador | [GraphicLoadImageFileToBitmap] [GdipLoadImagefromFile] "
                              "read error on <", 0),
            0u);
  const Document document = ReadCache();
  EXPECT_EQ(document.Line(1, 1).imageLine, 1);
  EXPECT_EQ(document.Line(1, 3).text, "after");
}

// Each missing picture is told of once per load, when a page that shows it
// is shown: not for pages drawn ahead or again, and again after Update.
TEST_F(Loading, AMissingPictureIsToldOfOncePerLoad) {
  const std::string text = "{@@x,gone1.png}\r\n" + NumberedLines(129) + "{@@y,gone3.png}\r\nend\r\n";
  const auto told = [this](const std::vector<std::string>& lines) {
    std::vector<std::string> files;
    for (const std::string& line : Matching(lines, "message Programador | [GraphicLoadImageFileToBitmap] called on <")) {
      files.push_back(line.substr(line.find('<') + 1 + folder.path().size() + 1, 9));
    }
    return files;
  };
  using Files = std::vector<std::string>;
  // Page 3 is drawn ahead while page 2 shows; the guide redraws page 1 at each key.
  auto lines = Run("choose " + WriteText("t.txt", text) + "\ncommand 1046\nkey Right\nwait 50\nkey Right\nkey Left\n"
                   "key Left\ncommand 1093\nkey Down\nkey Down\ncommand 1093\ncommand 1078\n");
  EXPECT_EQ(told(lines), (Files{"gone1.png", "gone3.png", "gone1.png"}));
  lines = Run("wait 50\n");  // a restart loads the document again
  EXPECT_EQ(told(lines), Files{"gone1.png"});
}

// A picture beside its text is found however deep or accented the text's
// folder, after a restart too; one whose name no form of it can keep is
// told of once.
TEST_F(Loading, PicturesBesideATextInADeepFolder) {
  struct Case {
    std::string folderName;
    bool drawn;
  };
  // The program folder is a sibling of the first step: from it, the picture is
  // "../" + the two steps + "/pic.png" away, 110 characters in the first case.
  const Case cases[] = {{std::string(50, 'a') + "/" + std::string(48, 'b'), true},
                        {std::string(60, 'c') + "/" + std::string(60, 'd'), false},
                        {"a\xC3\xB1o", true}};  // a folder name Windows-1252 holds, as UTF-8
  for (const Case& c : cases) {
    std::filesystem::remove_all(ProgramFolderPath());
    const std::string deep = folder.File(c.folderName);
    std::filesystem::create_directories(deep);
    QImage picture(40, 100, QImage::Format_RGB32);
    picture.fill(Qt::red);
    picture.save(QString::fromStdString(deep + "/pic.png"));
    WriteFileBytes(deep + "/t.txt", "{@@x,pic.png}\r\nafter\r\n");
    const std::string page = folder.File("page.png");
    const auto loaded = Run("choose " + deep + "/t.txt\ncommand 1046\nsave-page 1 " + page + "\n");
    const std::vector<std::string> expected =
        c.drawn ? std::vector<std::string>{}
                : std::vector<std::string>{"message Programador | No se puede guardar el nombre de la imagen <" + deep +
                                           "/pic.png>: su ruta pasa de 113 caracteres o lleva caracteres que una "
                                           "línea no guarda; no se mostrará ... [warning]"};
    EXPECT_EQ(Matching(loaded, "message"), expected) << c.folderName;
    const QRgb middle = c.drawn ? qRgb(255, 0, 0) : qRgb(255, 255, 255);
    EXPECT_EQ(QImage(QString::fromStdString(page)).pixel(47, 50), middle) << c.folderName;
    const auto restarted = Run("save-page 1 " + page + "\n");
    EXPECT_EQ(Matching(restarted, "message Programador | [Graphic").size(), 0u) << c.folderName;
    EXPECT_EQ(QImage(QString::fromStdString(page)).pixel(47, 50), middle) << c.folderName << " after a restart";
  }
}

TEST_F(Loading, TextBeyond200PagesIsDroppedWithAWord) {
  const auto lines = LoadText(WriteText("big.txt", NumberedLines(13100)));
  EXPECT_EQ(LastState(lines)["pages"], "200");
  EXPECT_EQ(Matching(lines, "message"),
            std::vector<std::string>{"message Programador | El texto tiene más de 200 páginas: el resto no se ha "
                                     "cargado ... [warning]"});
  const Document document = ReadCache();
  EXPECT_EQ(document.Line(200, 65).text, "Line 13000");

  std::filesystem::remove_all(ProgramFolderPath());
  const auto exact = LoadText(WriteText("exact.txt", NumberedLines(13000)));
  EXPECT_TRUE(Matching(exact, "message").empty()) << "exactly 200 pages lose nothing";
}

TEST_F(Loading, NamesAndFilesThatAreNotThere) {
  const std::string accented = WriteText("año con blancos.txt", "hola");
  auto lines = LoadText(accented);
  EXPECT_EQ(LastState(lines)["loaded"], "1");

  lines = Run("choose " + folder.File("gone.txt") + "\ncommand 1046\nchoose\ncommand 1046\nstate\n");
  EXPECT_EQ(LastState(lines)["busy"], "0") << "cancel and a missing file leave the guard down";
  EXPECT_EQ(ReadCache().Line(1, 1).text, "hola");

  std::string binary;
  for (int i = 0; i < 70000; ++i) binary += static_cast<char>(i * 31 % 256);
  lines = LoadText(WriteText("binary.bin", binary));
  EXPECT_EQ(LastState(lines)["loaded"], "1");

  // A huge (here sparse) file is refused, not read into memory; the document stays.
  const std::string before = ReadCache().Line(1, 1).text;
  const std::string huge = WriteText("huge.txt", "x");
  std::filesystem::resize_file(huge, (std::uintmax_t{1} << 30) * 3);
  lines = LoadText(huge);
  EXPECT_EQ(Matching(lines, "message").back(), "message Programador | Err: 27 File too large [warning]");
  EXPECT_EQ(LastState(lines)["busy"], "0");
  EXPECT_EQ(ReadCache().Line(1, 1).text, before);
}

}  // namespace
