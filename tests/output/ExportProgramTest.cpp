#include "tests/output/OutputProgram.h"
#include "viewer/document/CacheFile.h"
#include "tests/output/PdfLinkReader.h"


#include <unistd.h>

#include <map>
#include <set>

namespace {

using Export = OutputProgram;

TEST_F(Export, Page12AsJpegGoesIntoFolderXAndReplacesTheOldFile) {
  WriteSettings([](ViewerSettings& s) { s.imageFormat = kImageFormatJpg; });
  std::filesystem::create_directories(ProgramFilePath("x"));
  WriteFileBytes(ProgramFilePath("x/12.jpg"), "an older file");
  const auto lines = Run(LoadScript(WritePagedText(13)) +
                             "answer 12\ncommand 1085\ncommand 1070\ninspect 7002\nset 7008 x\nclick 7011\nstate\n",
                         "en");
  ASSERT_EQ(Matching(lines, "control 7002").size(), 1u);
  EXPECT_NE(Matching(lines, "control 7002")[0].find("text=\"Single page (actual page 12)\""), std::string::npos);
  EXPECT_EQ(Matching(lines, "message"), std::vector<std::string>{"message Programmer | Exported image ..."});
  EXPECT_EQ(LastState(lines)["page"], "12");
  EXPECT_EQ(QImage(QString::fromStdString(ProgramFilePath("x/12.jpg"))).size(), QSize(794, 1122));
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(ProgramFilePath("x")), {}), 1);
}

// A name refused for what it holds says why; any other refusal is silent.
TEST_F(Export, InvalidInputKeepsTheDialogOpen) {
  const std::string outside = folder.File("outside");
  struct Case {
    const char* radio;
    const char* first;
    const char* last;
    std::string folderName;
    const char* button;
  };
  const Case cases[] = {
      {"7003", "5", "5", "x", "7011"},    {"7003", "13", "13", "x", "7011"}, {"7003", "13", "14", "x", "7011"},
      {"7003", "0", "3", "x", "7011"},    {"7003", "-1", "3", "x", "7011"},  {"7003", "a", "3", "x", "7011"},
      {"7003", " ", "3", "x", "7011"},    {"7003", "2", "99999", "x", "7011"}, {"7003", "2", "65538", "x", "7013"},
      {"7003", "6", "2", "", "7013"},     {"7002", "", "", "", "7011"},      {"7002", "", "", "  ", "7011"},
      {"7002", "", "", "..", "7011"},     {"7002", "", "", "a/b", "7011"},   {"7007", "", "", outside, "7011"},
      {"7007", "", "", "../escape", "7011"},
  };
  std::string script = LoadScript(WritePagedText(13)) + "command 1070\n";
  for (const Case& c : cases) {
    script += std::string("click ") + c.radio + "\n";
    if (std::string(c.radio) == "7003") script += std::string("set 7004 ") + c.first + "\nset 7006 " + c.last + "\n";
    script += "set 7008 " + c.folderName + "\nclick " + c.button + "\ndialog\n";
  }
  const auto lines = Run(script + "click 7012\nstate\n");
  EXPECT_EQ(Matching(lines, "dialog title=\"Exportar páginas\"").size(), std::size(cases));
  const std::string why = "message Programador | El nombre de carpeta no puede llevar \"/\", \"\\\" ni caracteres "
                          "de control, ni ser \".\" o \"..\" ... [warning]";
  EXPECT_EQ(Matching(lines, "message"), std::vector<std::string>(4, why)) << "for .., a/b, the outside path, ../escape";
  EXPECT_TRUE(Matching(lines, "error").empty()) << Matching(lines, "error").front();
  EXPECT_FALSE(std::filesystem::exists(outside));
  EXPECT_FALSE(std::filesystem::exists(folder.File("escape")));
  EXPECT_FALSE(std::filesystem::exists(ProgramFilePath("x")));
}

TEST_F(Export, TheDialogReopensWithTheLastModeAndEmptyBoxes) {
  const auto lines = Run(LoadScript(WritePagedText(3)) +
                         "command 1070\nclick 7003\nset 7004 1\nset 7006 3\nset 7008 d\nclick 7011\n"
                         "command 1070\ninspect 7003\ninspect 7004\nset 7008 d\nclick 7011\ndialog\n"
                         "click 7007\ninspect 7004\nclick 7012\n"
                         "command 1070\ninspect 7002\ninspect 7004\nclick 7012\n");
  const auto controls = Matching(lines, "control");
  ASSERT_EQ(controls.size(), 5u);
  EXPECT_EQ(controls[0].rfind("control 7003 enabled=1 checked=1", 0), 0u);
  EXPECT_EQ(controls[1].rfind("control 7004 enabled=1", 0), 0u);
  EXPECT_EQ(Matching(lines, "dialog").size(), 1u) << "the range boxes start empty";
  EXPECT_EQ(controls[2].rfind("control 7004 enabled=0", 0), 0u);
  EXPECT_EQ(controls[3].rfind("control 7002 enabled=1 checked=1", 0), 0u) << "after Exit the first mode";
  EXPECT_EQ(controls[4].rfind("control 7004 enabled=0", 0), 0u);
  EXPECT_EQ(Matching(lines, "message"), std::vector<std::string>{"message Programador | Imagenes exportadas ..."});
}

TEST_F(Export, NothingWhileTheReadingGuideIsOn) {
  const auto lines = Run(LoadScript(WritePagedText(2)) + "command 1093\ncommand 1070\ndialog\nstate\n");
  EXPECT_TRUE(Matching(lines, "dialog title").empty());
  EXPECT_TRUE(Matching(lines, "message").empty());
  EXPECT_EQ(LastState(lines)["busy"], "0");
}

TEST_F(Export, PagesCarryFootersButNoBorderAndTheScreenGetsItsBorderBack) {
  WriteSettings([](ViewerSettings& s) {
    s.imageFormat = kImageFormatPng;
    ShowFootersAndPageNumber(s);
  });
  const std::string screen = folder.File("screen.png");
  const auto lines = Run(LoadScript(WritePagedText(3)) + "key Right\ncommand 1070\nclick 7007\nset 7008 all\n"
                         "click 7011\nstate\nsave-page 2 " + screen + "\nsave-page 3 " + folder.File("three.png") + "\n");
  EXPECT_EQ(Matching(lines, "message"), std::vector<std::string>{"message Programador | Documento exportado ..."});
  EXPECT_EQ(LastState(lines)["page"], "2");
  const QImage exported(QString::fromStdString(ProgramFilePath("all/2.png")));
  const QImage shown(QString::fromStdString(screen));
  ASSERT_EQ(exported.size(), QSize(794, 1122));
  EXPECT_FALSE(HasInk(exported, QRect(0, 0, 794, 1)));
  EXPECT_FALSE(HasInk(exported, QRect(0, 0, 1, 1122)));
  EXPECT_TRUE(HasInk(exported, QRect(0, 1040, 794, 16))) << "footer 1";
  EXPECT_TRUE(HasInk(exported, QRect(0, 1072, 794, 16))) << "page number";
  EXPECT_TRUE(HasInk(shown, QRect(0, 0, 1, 1122), 1)) << "border back on screen";
  // Apart from the border the screen shows what was exported.
  EXPECT_EQ(shown.copy(1, 1, 792, 1120).convertToFormat(QImage::Format_RGB32),
            exported.copy(1, 1, 792, 1120).convertToFormat(QImage::Format_RGB32));
  EXPECT_TRUE(HasInk(QImage(QString::fromStdString(folder.File("three.png"))), QRect(0, 0, 1, 1122), 1))
      << "every exported page is drawn with its border again";
}

TEST_F(Export, EveryFormatOpensElsewhereAtPageSize) {
  if (!HaveTool("identify")) GTEST_SKIP() << "ImageMagick's identify is not installed";
  struct Case {
    std::uint32_t format;
    const char* file;
    const char* identified;
  };
  const Case cases[] = {{kImageFormatPng, "1.png", "PNG 794 1122"},  {kImageFormatJpg, "1.jpg", "JPEG 794 1122"},
                        {kImageFormatTif, "1.tif", "TIFF 794 1122"}, {kImageFormatBmp, "1.bmp", "BMP3 794 1122"},
                        {kImageFormatGif, "1.gif", "GIF 794 1122"},  {0, "1", "BMP3 794 1122"},
                        {9999, "1", "BMP3 794 1122"}};
  const std::string text = WritePagedText(2);
  for (const Case& c : cases) {
    WriteSettings([&c](ViewerSettings& s) { s.imageFormat = c.format; });
    std::filesystem::remove_all(ProgramFilePath("f"));
    Run(LoadScript(text) + "command 1070\nset 7008 f\nclick 7011\n");
    const CommandOutput out = RunCommand("identify -format \"%m %w %h\" " + ProgramFilePath(std::string("f/") + c.file));
    EXPECT_EQ(out.text, c.identified) << c.format;
  }
}

TEST_F(Export, AGifKeepsTheMarkColoursExactly) {
  const auto markColours = [](ViewerSettings& s) {
    s.colours.horizontal = 0x00A000;  // green
    s.colours.vertical = 0xFF0000;    // blue
  };
  Document document;
  for (int line = 1; line <= 12; ++line) {
    LineRecord& record = document.UseLine(1, line);
    record.absoluteLine = record.lineInPage = static_cast<std::int16_t>(line);
    record.pageNumber = 1;
    record.text = "Line " + std::to_string(line) + " with some text to mark";
  }
  LineRecord& four = document.UseLine(1, 4);
  four.hasMarks = 1;
  four.horizontalMarks = "4,3,30;";
  four.verticalMarks = "4,8;";
  LineRecord& seven = document.UseLine(1, 7);
  seven.hasMarks = 1;
  seven.twoColourPieces = "7,4,12,16744448,16777215;";
  document.PageCount = 1;
  std::filesystem::create_directories(ProgramFolderPath());
  ASSERT_FALSE(CacheWrite(document, ProgramFilePath(kCacheFileName)).failed());
  for (const std::uint32_t format : {kImageFormatPng, kImageFormatGif}) {
    WriteSettings([&](ViewerSettings& s) {
      markColours(s);
      s.imageFormat = format;
    });
    Run("command 1070\nset 7008 m\nclick 7011\n");
  }
  const QImage png = QImage(QString::fromStdString(ProgramFilePath("m/1.png"))).convertToFormat(QImage::Format_RGB32);
  const QImage gif = QImage(QString::fromStdString(ProgramFilePath("m/1.gif"))).convertToFormat(QImage::Format_RGB32);
  ASSERT_EQ(gif.size(), QSize(794, 1122));
  // The blends of antialiased ink make more than 256 colours; only those
  // may shift, and by a shade.
  const std::set<QRgb> exact = {qRgb(0, 160, 0), qRgb(0, 0, 255), qRgb(255, 255, 255), qRgb(0, 0, 0)};
  std::map<QRgb, int> counts;
  int largestShift = 0;
  for (int y = 0; y < png.height(); ++y) {
    for (int x = 0; x < png.width(); ++x) {
      const QRgb want = png.pixel(x, y), got = gif.pixel(x, y);
      if (exact.count(want)) {
        counts[want] += want == got ? 1 : -1000000;
      } else {
        largestShift = std::max({largestShift, std::abs(qRed(want) - qRed(got)), std::abs(qBlue(want) - qBlue(got))});
      }
    }
  }
  EXPECT_GT(counts[qRgb(0, 160, 0)], 20) << "the underline is drawn and kept";
  EXPECT_GT(counts[qRgb(0, 0, 255)], 20) << "the vertical bar is drawn and kept";
  EXPECT_GT(counts[qRgb(0, 0, 0)], 100) << "the ink is kept";
  EXPECT_LE(largestShift, 8);
}

TEST_F(Export, AFailedWriteIsReportedOnceInsteadOfSuccess) {
  std::filesystem::create_directories(ProgramFolderPath());
  WriteFileBytes(ProgramFilePath("x"), "a file where the folder would be");
  const auto lines = Run(LoadScript(WritePagedText(3)) + "command 1070\nclick 7007\nset 7008 x\nclick 7011\n", "en");
  EXPECT_EQ(Matching(lines, "message"),
            std::vector<std::string>{"message Programmer | Err: 20 Not a directory (" + ProgramFilePath("x") +
                                     ") [warning]"});
}

// Five pages, page 5 showing a picture file that is missing; page 3 blocked
// by a folder of its name or not. A failure stops the export there: pages
// 1 and 2 are written, no later page is drawn (so its picture is not
// reported), written, or left behind as a temporary file.
TEST_F(Export, AWriteFailingPartWayStopsTheExportAtThatPage) {
  Document document;
  for (int page = 1; page <= 5; ++page) {
    for (int line = 1; line <= 3; ++line) {
      LineRecord& record = document.UseLine(page, line);
      record.absoluteLine = static_cast<std::int16_t>((page - 1) * 65 + line);
      record.lineInPage = static_cast<std::int16_t>(line);
      record.pageNumber = page;
      record.text = "Page " + std::to_string(page) + " line " + std::to_string(line);
    }
  }
  document.UseLine(5, 2).imageLine = 1;
  document.UseLine(5, 2).text = "missing.png";
  document.PageCount = 5;
  const std::string third = ProgramFilePath("x/3.png");
  for (const bool blocked : {true, false}) {
    std::filesystem::remove_all(ProgramFolderPath());
    std::filesystem::create_directories(ProgramFilePath("x"));
    ASSERT_FALSE(CacheWrite(document, ProgramFilePath(kCacheFileName)).failed());
    WriteSettings([](ViewerSettings& s) { s.imageFormat = kImageFormatPng; });
    if (blocked) std::filesystem::create_directory(third);
    const auto lines = Run("command 1070\nclick 7007\nset 7008 x\nclick 7011\nstate\n", "en");
    auto messages = Matching(lines, "message");
    std::erase_if(messages, [](const std::string& m) { return m.find("read your cache") != std::string::npos; });
    EXPECT_EQ(LastState(lines)["page"], "1");
    const auto written = [&](int page) {
      return !QImage(QString::fromStdString(ProgramFilePath("x/" + std::to_string(page) + ".png"))).isNull();
    };
    EXPECT_TRUE(written(1) && written(2)) << blocked;
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(ProgramFilePath("x")), {}), blocked ? 3 : 5)
        << "no temporary file";
    if (blocked) {
      EXPECT_EQ(messages,
                std::vector<std::string>{"message Programmer | Err: 21 Is a directory (" + third + ") [warning]"});
      EXPECT_TRUE(std::filesystem::is_directory(third));
      EXPECT_FALSE(written(4) || written(5));
      EXPECT_FALSE(std::filesystem::exists(ProgramFilePath("x/4.png")));
    } else {
      ASSERT_EQ(messages.size(), 2u);
      EXPECT_NE(messages[0].find("missing.png"), std::string::npos) << messages[0];
      EXPECT_EQ(messages[1], "message Programmer | Exported document ...");
      EXPECT_TRUE(written(3) && written(4) && written(5));
    }
  }
}

// What pdfinfo says of FIELD ("Pages", "Title"...), blanks trimmed.
std::string PdfInfo(const std::string& pdf, const std::string& field) {
  const std::string info = RunCommand("pdfinfo " + pdf).text;
  const std::size_t start = info.find(field + ":");
  if (start == std::string::npos) return {};
  const std::size_t value = info.find_first_not_of(' ', start + field.size() + 1);
  return info.substr(value, info.find('\n', value) - value);
}

// The rows of column x in rows top..bottom that are red.
std::vector<int> RedRows(const QImage& page, int x, int top, int bottom) {
  std::vector<int> rows;
  for (int y = top; y <= bottom; ++y) {
    const QRgb p = page.pixel(x, y);
    if (qRed(p) > 200 && qGreen(p) < 90 && qBlue(p) < 90) rows.push_back(y);
  }
  return rows;
}

// The box of dark pixels in an area.
QRect InkBox(const QImage& page, QRect area) {
  QRect box;
  for (int y = area.top(); y <= area.bottom(); ++y) {
    for (int x = area.left(); x <= area.right(); ++x) {
      if (qGray(page.pixel(x, y)) < 128) box |= QRect(x, y, 1, 1);
    }
  }
  return box;
}

// A marked five-page text, with an icon and a picture, exported whole and
// in part as PDF and page 1 as PNG: the PDF pages are the picture's pages
// as A4 with real text, the pictures and the links between pages.
TEST_F(Export, PdfHoldsTheMarkedPagesAsTextWithTheirLinks) {
  if (!HaveTool("pdftoppm") || !HaveTool("pdfimages")) GTEST_SKIP() << "poppler-utils is not installed";
  const auto lineText = [](int page, int line) {
    return "Page " + std::to_string(page) + " line " + std::to_string(line) + " of the text";
  };
  QImage picture(40, 20, QImage::Format_RGB32);
  for (int y = 0; y < 20; ++y) {
    for (int x = 0; x < 40; ++x) picture.setPixel(x, y, qRgb(x * 6, y * 12, 200 - x));
  }
  ASSERT_TRUE(picture.save(QString::fromStdString(folder.File("pic.png"))));
  std::string text;
  for (int page = 1; page <= 5; ++page) {
    for (int line = 1; line <= 65; ++line) {
      if (page == 2 && line == 21) continue;  // the picture's second line
      if (line <= 6) text += lineText(page, line);
      if (page == 1 && line == 2) text += " \\#07 icon";
      if (page == 2 && line == 20) text += "{@@Figure,pic.png}";
      text += "\r\n";
    }
  }
  const auto at = [](int column, int line) {
    return std::to_string((column - 1) * 8 + 4) + " " + std::to_string((line - 1) * 16 + 8) + "\n";
  };
  const auto lines = Run(LoadScript(WriteText("five.txt", text)) + "press " + at(4, 3) + "release " + at(10, 3) +
                             "command 1075\npress " + at(11, 5) + "release " + at(12, 5) + "answer 4\ncommand 1086\n" +
                             "command 1077\nclick 3358\nclick 3357\ncommand 1077\ninspect 3358\nclick 3357\n"
                             "command 1070\nclick 7007\nset 7008 pdf\nclick 7011\n"
                             "command 1070\nclick 7003\nset 7004 2\nset 7006 3\nset 7008 pdf\nclick 7011\n"
                             "command 1077\nclick 3302\nclick 3357\n"
                             "command 1070\nclick 7002\nset 7008 png\nclick 7011\n",
                         "en");
  const std::string option = Matching(lines, "control 3358").at(0);
  EXPECT_NE(option.find("checked=1"), std::string::npos) << option;
  EXPECT_NE(option.find("text=\".pdf\""), std::string::npos) << option;
  EXPECT_EQ(Matching(lines, "message"),
            (std::vector<std::string>{"message Programmer | Exported document ...",
                                      "message Programmer | Exported images ...",
                                      "message Programmer | Exported image ..."}));
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
    const auto sheets = ReadPdfLinks(pdf);
    for (std::size_t i = 0; i < sheets.size(); ++i) {
      ASSERT_EQ(sheets[i].size(), first + static_cast<int>(i) == 1 ? 1u : 0u)
          << "a link only where its target is in the file";
      if (sheets[i].empty()) continue;
      const PdfLinkSeen& link = sheets[i][0];
      EXPECT_EQ(link.subtype, "/Link");
      EXPECT_EQ(link.targetSheet, 3);
      // Columns 11..12 of line 5, at 72/96 point a pixel from the top.
      EXPECT_EQ(QRectF(link.llx, link.lly, link.urx - link.llx, link.ury - link.lly), QRectF(60, 782, 12, 12));
    }
  }
  const std::string prefix = folder.File("raster");
  ASSERT_EQ(RunCommand("pdftoppm -r 96 -f 1 -l 1 -png -singlefile " + whole + " " + prefix).status, 0);
  const QImage raster = QImage(QString::fromStdString(prefix + ".png")).convertToFormat(QImage::Format_RGB32);
  const QImage png = QImage(QString::fromStdString(ProgramFilePath("png/1.png"))).convertToFormat(QImage::Format_RGB32);
  ASSERT_EQ(raster.width(), 794);
  EXPECT_FALSE(RedRows(png, 50, 32, 63).empty());
  EXPECT_EQ(RedRows(raster, 50, 32, 63), RedRows(png, 50, 32, 63)) << "the underline of line 3";
  const QRect pngText = InkBox(png, QRect(0, 0, 794, 16)), pdfText = InkBox(raster, QRect(0, 0, 794, 16));
  for (const auto& [a, b] : {std::pair{pngText.left(), pdfText.left()}, {pngText.right(), pdfText.right()},
                             {pngText.top(), pdfText.top()}, {pngText.bottom(), pdfText.bottom()}}) {
    EXPECT_NEAR(a, b, 1) << "the text of line 1";
  }
  // Page 2's one image is the picture, pixel for pixel.
  ASSERT_EQ(RunCommand("pdfimages -png -f 2 -l 2 " + whole + " " + prefix).status, 0);
  EXPECT_EQ(QImage(QString::fromStdString(prefix + "-000.png")).convertToFormat(QImage::Format_RGB32), picture);
  EXPECT_NE(RunCommand("pdfimages -list -f 1 -l 1 " + whole).text.find(" mask "), std::string::npos)
      << "the icon, its magenta masked";
  // Brought back from the cache by a restart, the document keeps its text's name.
  Run("command 1077\nclick 3358\nclick 3357\ncommand 1070\nclick 7007\nset 7008 again\nclick 7011\n", "en");
  EXPECT_EQ(PdfInfo(ProgramFilePath("again/1-5.pdf"), "Title"), "five.txt");
}

TEST_F(Export, AProgramFolderWithoutWriteAccessIsReported) {
  if (::geteuid() == 0) GTEST_SKIP() << "root writes into any folder";
  const std::string text = WritePagedText(1);
  Run(LoadScript(text) + "command 1047\n");
  std::filesystem::permissions(ProgramFolderPath(), std::filesystem::perms::owner_read | std::filesystem::perms::owner_exec);
  const auto lines = Run("command 1070\nset 7008 x\nclick 7011\n", "en");
  std::filesystem::permissions(ProgramFolderPath(), std::filesystem::perms::owner_all);
  EXPECT_EQ(
      Matching(lines, "message Programmer | Err: 13 Permission denied (" + ProgramFilePath("x") + ") [warning]").size(),
      1u);
  EXPECT_TRUE(Matching(lines, "message Programmer | Exported").empty());
}

}  // namespace
