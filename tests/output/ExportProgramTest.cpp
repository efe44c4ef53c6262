#include "tests/output/OutputProgram.h"
#include "tests/output/PdfLinkReader.h"

namespace {

using Export = OutputProgram;

// Refused input keeps the dialog open, a refused folder name saying why; then page 12 replaces x/12.jpg.
TEST_F(Export, RefusedInputKeepsTheDialogOpenAndTheCurrentPageGoesIntoItsFolder) {
  WriteSettings([](ViewerSettings& s) { s.imageFormat = 3303; });
  std::filesystem::create_directories(ProgramFilePath("x"));
  WriteFileBytes(ProgramFilePath("x/12.jpg"), "an older file");
  const std::string refused = "click 7003\nset 7004 5\nset 7006 5\nset 7008 x\nclick 7011\ndialog\n"
                              "click 7002\nset 7008 ..\nclick 7011\ndialog\n";
  const std::string open = "answer 12\ncommand 1085\ncommand 1070\ninspect 7002\n";
  const std::string save = "click 7002\nset 7008 x\nclick 7011\nstate\n";
  const auto lines = Run(Load(WritePagedText(13)) + open + refused + save);
  EXPECT_NE(First(lines, "control 7002").find("text=\"Una sola página (página actual 12)\""), std::string::npos);
  EXPECT_EQ(Matching(lines, "dialog title=\"Exportar páginas\"").size(), 2u);
  const std::string why = "message Programador | El nombre de carpeta no puede llevar \"/\", \"\\\" ni caracteres "
                          "de control, ni ser \".\" o \"..\" ... [warning]";
  const std::string done = "message Programador | Imagen exportada ...\\n" + ProgramFilePath("x");
  EXPECT_EQ(Matching(lines, "message"), (std::vector<std::string>{why, done}));
  EXPECT_TRUE(Matching(lines, "error").empty()) << First(lines, "error");
  EXPECT_EQ(LastState(lines)["page"], "12");
  EXPECT_EQ(QImage(QString::fromStdString(ProgramFilePath("x/12.jpg"))).size(), QSize(794, 1122));
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(ProgramFilePath("x")), {}), 1);
}

// Not under the reading guide; the dialog keeps its last mode; pages go out borderless, the screen bordered.
TEST_F(Export, TheDialogKeepsItsModeAndPagesGoOutWithoutTheirBorder) {
  WriteSettings([](ViewerSettings& s) { ShowFootersAndPageNumber(s), s.imageFormat = 3302; });
  const std::string screen = folder.File("screen.png"), three = folder.File("three.png");
  const auto lines = Run(Load(WritePagedText(3)) + "command 1093\ncommand 1070\ndialog\nstate\ncommand 1093\n"
                         "key Right\ncommand 1070\nclick 7003\nset 7004 1\nset 7006 3\nset 7008 d\nclick 7011\n"
                         "command 1070\ninspect 7003\ninspect 7004\nset 7008 d\nclick 7011\ndialog\n"
                         "click 7007\ninspect 7004\nset 7008 all\nclick 7011\ncommand 1070\nclick 7012\n"
                         "command 1070\ninspect 7002\ninspect 7004\nclick 7012\nstate\nsave-page 2 " + screen +
                         "\nsave-page 3 " + three + "\n");
  EXPECT_EQ(ParseStateLine(First(lines, "state"))["busy"], "0") << "nothing with the guide on";
  const auto controls = Matching(lines, "control");
  ASSERT_EQ(controls.size(), 5u);
  const char* expected[] = {"7003 enabled=1 checked=1", "7004 enabled=1", "7004 enabled=0", "7002 enabled=1 checked=1",
                            "7004 enabled=0"};
  for (int i = 0; i < 5; ++i) EXPECT_EQ(controls[i].rfind(std::string("control ") + expected[i], 0), 0u) << controls[i];
  EXPECT_EQ(Matching(lines, "dialog").size(), 1u) << "the range boxes start empty, and no dialog under the guide";
  EXPECT_EQ(Matching(lines, "message"),
            (std::vector<std::string>{"message Programador | Imagenes exportadas ...\\n" + ProgramFilePath("d"),
                                      "message Programador | Documento exportado ...\\n" + ProgramFilePath("all")}));
  EXPECT_EQ(LastState(lines)["page"], "2");
  const QImage exported(QString::fromStdString(ProgramFilePath("all/2.png"))), shown(QString::fromStdString(screen));
  ASSERT_EQ(exported.size(), QSize(794, 1122));
  EXPECT_FALSE(HasInk(exported, QRect(0, 0, 794, 1)) || HasInk(exported, QRect(0, 0, 1, 1122))) << "no border";
  EXPECT_TRUE(HasInk(shown, QRect(0, 0, 1, 1122), 1)) << "border back on screen";
  // Apart from the border the screen shows what was exported.
  EXPECT_EQ(shown.copy(1, 1, 792, 1120).convertToFormat(QImage::Format_RGB32),
            exported.copy(1, 1, 792, 1120).convertToFormat(QImage::Format_RGB32));
  EXPECT_TRUE(HasInk(QImage(QString::fromStdString(three)), QRect(0, 0, 1, 1122), 1)) << "every page gets its border back";
}

bool IsRed(QRgb p) { return qRed(p) > 200 && qGreen(p) < 90 && qBlue(p) < 90; }

// What pdfinfo says of FIELD ("Pages", "Title"...), blanks trimmed.
std::string PdfInfo(const std::string& pdf, const std::string& field) {
  const std::string info = RunCommand("pdfinfo " + pdf).text;
  const std::size_t value = info.find_first_not_of(' ', info.find(field + ":") + field.size() + 1);
  return value < info.size() ? info.substr(value, info.find('\n', value) - value) : "";
}

// A marked five-page text as PDF, whole and in part: the PNG's pages as A4 with real text, pictures and links.
TEST_F(Export, PdfHoldsTheMarkedPagesAsTextWithTheirLinks) {
  if (!HaveTool("pdftoppm") || !HaveTool("pdfimages")) GTEST_SKIP() << "poppler-utils is not installed";
  const auto lineText = [](int page, int line) { return "Page " + std::to_string(page) + " line " + std::to_string(line); };
  QImage picture(40, 20, QImage::Format_RGB32);
  for (int at = 0; at < 800; ++at) picture.setPixel(at % 40, at / 40, qRgb(at % 40 * 6, at / 40 * 12, 200 - at % 40));
  ASSERT_TRUE(picture.save(QString::fromStdString(folder.File("pic.png"))));
  std::string text;
  for (int page = 1; page <= 5; ++page) {
    for (int line = 1; line <= 65; ++line) {
      if (page == 2 && line == 21) continue;  // the picture's second line
      text += (line <= 6 ? lineText(page, line) : "") + (page == 1 && line == 2 ? " \\#07 icon" : "") +
              (page == 2 && line == 20 ? "{@@Figure,pic.png}" : "") + "\r\n";
    }
  }
  const auto lines = Run(Load(WriteText("five.txt", text)) + DragScript(3, 4, 10) + "command 1075\n" +
                             DragScript(5, 11, 12) + "answer 4\ncommand 1086\n" +
                             "command 1077\nclick 3358\nclick 3357\ncommand 1077\ninspect 3358\nclick 3357\n"
                             "command 1070\nclick 7007\nset 7008 pdf\nclick 7011\n"
                             "command 1070\nclick 7003\nset 7004 2\nset 7006 3\nset 7008 pdf\nclick 7011\n"
                             "command 1077\nclick 3302\nclick 3357\ncommand 1070\nclick 7002\nset 7008 png\nclick 7011\n",
                         "en");
  const std::string option = First(lines, "control 3358");
  EXPECT_TRUE(option.find("checked=1") != std::string::npos && option.find("text=\".pdf\"") != std::string::npos) << option;
  const std::string pdf = "\\n" + ProgramFilePath("pdf");
  EXPECT_EQ(Matching(lines, "message"), (std::vector<std::string>{"message Programmer | Exported document ..." + pdf,
                                                                  "message Programmer | Exported images ..." + pdf,
                                                                  "message Programmer | Exported image ...\\n" +
                                                                      ProgramFilePath("png")}));
  const std::string whole = ProgramFilePath("pdf/1-5.pdf"), part = ProgramFilePath("pdf/2-3.pdf");
  for (const auto& [pdf, first, last] : {std::tuple{whole, 1, 5}, std::tuple{part, 2, 3}}) {
    EXPECT_EQ(PdfInfo(pdf, "Pages"), std::to_string(last - first + 1));
    EXPECT_EQ(PdfInfo(pdf, "Page size"), "595 x 842 pts (A4)");
    EXPECT_EQ(PdfInfo(pdf, "Title"), "five.txt");
    EXPECT_EQ(PdfInfo(pdf, "Creator").rfind("marvessa-en ", 0), 0u) << PdfInfo(pdf, "Creator");
    // Line 5's link ends inside a word: its letters, drawn again, are not read twice.
    const std::string found = RunCommand("pdftotext " + pdf + " -").text;
    for (int page = first; page <= last; ++page) {
      for (int line = 1; line <= 6; ++line) EXPECT_NE(found.find(lineText(page, line)), std::string::npos) << page;
    }
    EXPECT_EQ(found.find("#07"), std::string::npos) << "an icon's marker is no text";
    // A link only where its target is in the file: columns 11..12 of line 5, at 72/96 point a pixel.
    std::vector<std::vector<std::string>> links(last - first + 1);
    if (first == 1) links[0] = {"/Link 3 60 782 72 794"};
    EXPECT_EQ(ReadPdfLinks(pdf), links);
  }
  const std::string prefix = folder.File("raster");
  ASSERT_EQ(RunCommand("pdftoppm -r 96 -f 1 -l 1 -png -singlefile " + whole + " " + prefix).status, 0);
  const QImage raster = QImage(QString::fromStdString(prefix + ".png")).convertToFormat(QImage::Format_RGB32);
  const QImage png = QImage(QString::fromStdString(ProgramFilePath("png/1.png"))).convertToFormat(QImage::Format_RGB32);
  ASSERT_EQ(raster.width(), 794);
  const auto dark = [](QRgb p) { return qGray(p) < 128; };
  EXPECT_FALSE(Box(png, QRect(50, 32, 1, 32), IsRed).isEmpty());
  EXPECT_EQ(Box(raster, QRect(50, 32, 1, 32), IsRed), Box(png, QRect(50, 32, 1, 32), IsRed)) << "the underline of line 3";
  const QRect pngText = Box(png, QRect(0, 0, 794, 16), dark), pdfText = Box(raster, QRect(0, 0, 794, 16), dark);
  EXPECT_LE((pngText.topLeft() - pdfText.topLeft()).manhattanLength(), 1) << "the text of line 1";
  EXPECT_LE((pngText.bottomRight() - pdfText.bottomRight()).manhattanLength(), 1) << "the text of line 1";
  // Page 2's one image is the picture, pixel for pixel.
  ASSERT_EQ(RunCommand("pdfimages -png -f 2 -l 2 " + whole + " " + prefix).status, 0);
  EXPECT_EQ(QImage(QString::fromStdString(prefix + "-000.png")).convertToFormat(QImage::Format_RGB32), picture);
  EXPECT_NE(RunCommand("pdfimages -list -f 1 -l 1 " + whole).text.find(" mask "), std::string::npos)
      << "the icon, its magenta masked";
  // Brought back from the cache by a restart, the document keeps its text's name.
  Run("command 1077\nclick 3358\nclick 3357\ncommand 1070\nclick 7007\nset 7008 again\nclick 7011\n", "en");
  EXPECT_EQ(PdfInfo(ProgramFilePath("again/1-5.pdf"), "Title"), "five.txt");
}

// A file name that is not UTF-8 is read as the texts are (Windows-1252): the PDF's title has no stand-in character.
TEST_F(Export, APdfIsTitledByItsTextFileNameAsTheReaderSeesIt) {
  if (!HaveTool("pdfinfo")) GTEST_SKIP() << "poppler-utils is not installed";
  Run(Load(WriteText("caf\xE9 \xA3.txt", "text\r\n")) + "command 1077\nclick 3358\nclick 3357\n"
      "command 1070\nclick 7007\nset 7008 pdf\nclick 7011\n");
  EXPECT_EQ(PdfInfo(ProgramFilePath("pdf/1.pdf"), "Title"), "caf\u00e9 \u00a3.txt");
}

// Thirty bold pieces of thirty letters, a two-colour piece and a link: each letter is in the file once, as text in
// its piece's weight, and the page stays small.
TEST_F(Export, MarkedLettersAreWrittenOnceAsTextInTheirPiecesLook) {
  if (!HaveTool("pdffonts") || !HaveTool("pdftotext") || !HaveTool("pdftoppm")) GTEST_SKIP() << "poppler-utils is not installed";
  std::string text;
  for (int line = 1; line <= 130; ++line) text += "Row" + std::to_string(1000 + line) + std::string(80, 'a' + line % 26) + "\r\n";
  const auto drag = DragScript;
  std::string marks;
  for (int line = 1; line <= 30; ++line) marks += drag(line, 4, 33) + "command 1088\n";
  marks += drag(31, 4, 20) + "command 1076\n" + drag(32, 4, 20) + "answer 2\ncommand 1086\n";
  marks += drag(33, 4, 20) + "command 1076\n" + drag(33, 10, 30) + "command 1088\n";  // bold over a two-colour ground
  Run(Load(WriteText("marked.txt", text)) + marks + "command 1077\nclick 3358\nclick 3357\n"
      "command 1070\nclick 7007\nset 7008 pdf\nclick 7011\n");
  const std::string pdf = ProgramFilePath("pdf/1-2.pdf");
  EXPECT_LE(std::filesystem::file_size(pdf), 30u * 1024) << "the heavily marked page stays small";
  EXPECT_NE(RunCommand("pdffonts " + pdf).text.find("Bold"), std::string::npos) << "bold letters in a bold face";
  const std::string found = RunCommand("pdftotext -l 1 " + pdf + " -").text;
  for (int line = 1; line <= 65; ++line) {
    const std::string row = "Row" + std::to_string(1000 + line);
    const std::size_t at = found.find(row);
    EXPECT_TRUE(at != std::string::npos && found.find(row, at + 1) == std::string::npos) << row << " once";
  }
  const std::string raster = folder.File("marked");
  ASSERT_EQ(RunCommand("pdftoppm -r 96 -f 1 -l 1 -png -singlefile " + pdf + " " + raster).status, 0);
  const QImage page = QImage(QString::fromStdString(raster + ".png")).convertToFormat(QImage::Format_RGB32);
  EXPECT_FALSE(Box(page, QRect(14 * 8, 32 * 16, 8, 16), IsRed).isEmpty()) << "the ground stays under the bold letters";
  EXPECT_TRUE(Box(page, QRect(24 * 8, 32 * 16, 8, 16), IsRed).isEmpty()) << "and ends with its piece";
}

}  // namespace
