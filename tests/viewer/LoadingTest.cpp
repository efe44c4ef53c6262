#include "tests/viewer/ViewerTestSupport.h"

#include <QImage>

namespace {

using namespace std::string_literals;
using Loading = ViewerProgram;

std::string LoadScript(const std::string& path) { return ViewerProgram::Load(path) + "state\n"; }

// Beyond 200 pages the rest is dropped with a word; UTF-8 kept as Windows-1252.
TEST_F(Loading, LaysLinesOutInPagesOf65UpTo200) {
  const std::pair<std::string, const char*> cases[] = {
      {NumberedLines(65), "1"}, {"", "1"}, {"a\rb\rc", "1"}, {std::string(200, '\r'), "4"},
      {NumberedLines(13000), "200"}, {NumberedLines(13001), "200"},
      {NumberedLines(65) + "P\xC3\xA1gina \xE2\x82\xAC", "2"},
  };
  std::string script;
  for (std::size_t i = 0; i < std::size(cases); ++i) script += LoadScript(WriteText(std::to_string(i), cases[i].first));
  const auto lines = Run(script);
  const auto states = Matching(lines, "state");
  ASSERT_EQ(states.size(), std::size(cases));
  for (std::size_t i = 0; i < states.size(); ++i) EXPECT_EQ(ParseStateLine(states[i])["pages"], cases[i].second) << i;
  const std::string beyond200 =
      "message Programador | El texto tiene más de 200 páginas: el resto no se ha cargado ... [warning]";
  EXPECT_EQ(Matching(lines, "message"), std::vector<std::string>{beyond200});
  const Document document = ReadCache();
  EXPECT_EQ(document.Line(1, 65).text, "Line 65");
  EXPECT_EQ(document.Line(2, 1).absoluteLine, 66);
  EXPECT_EQ(document.Line(2, 1).text, "P\xE1gina \x80");
  EXPECT_FALSE(document.Line(2, 2).IsInUse());
}

// A line wider than a page goes on over the next page lines, each piece a line of its own; a tab reaches the next
// stop of 8 columns; a form feed starts the next page, but never an empty one; a picture line is never broken.
TEST_F(Loading, WideLinesWrapTabsKeepTheirStopsAndFormFeedsStartPages) {
  QImage(40, 10, QImage::Format_RGB32).save(QString::fromStdString(folder.File("p.png")));
  const std::string picture = "{@@" + std::string(95, 'x') + "," + folder.File("p.png") + "}";
  const struct {
    const char* name; std::string text; std::vector<std::string> lines;  // "PAGE LINE ABSOLUTE [TEXT]"
  } cases[] = {
      {"a paragraph on one line", Times("word ", 30) + "\r\nnext",
       {"1 1 1 [" + Times("word ", 18) + "]", "1 2 2 [" + Times("word ", 12) + "]", "1 3 3 [next]"}},
      {"a tabbed table", "a\tbb\tc\r\n1\t22\t3\t",
       {"1 1 1 [a       bb      c]", "1 2 2 [1       22      3       ]"}},
      {"form feeds", "\fone\r\ntwo\f\fthree\r\n\f\r\nfour\f",
       {"1 1 1 [one]", "1 2 2 [two]", "2 1 3 [three]", "3 1 4 [four]"}},
      {"a form feed after a full page", NumberedLines(65) + "\f\r\nnext", {"2 1 66 [next]"}},
      {"a picture line", picture + "\r\nafter", {"1 1 1 [" + folder.File("p.png") + "]", "1 2 2 [after]"}},
  };
  std::string script;
  for (std::size_t i = 0; i < std::size(cases); ++i) {
    script += ViewerProgram::Load(WriteText("t" + std::to_string(i), cases[i].text));
    for (int page = 1; page <= 3; ++page) script += "page-lines " + std::to_string(page) + "\n";
    script += "state\n";  // ends the case
  }
  std::vector<std::vector<std::string>> found(1);
  int page = 0;
  for (const std::string& line : Run(script)) {
    if (line.rfind("state ", 0) == 0) {
      found.emplace_back();
      page = 0;
    } else if (line.rfind("page-line ", 0) == 0) {
      if (line.rfind("page-line 1 ", 0) == 0) ++page;
      found.back().push_back(std::to_string(page) + line.substr(9));
    } else if (line.rfind("error page-lines", 0) != 0) {
      found.back().push_back(line);
    }
  }
  ASSERT_EQ(found.size(), std::size(cases) + 1);
  std::erase_if(found[3], [](const std::string& line) { return line[0] == '1'; });  // the 65 numbered lines
  for (std::size_t i = 0; i < std::size(cases); ++i) EXPECT_EQ(found[i], cases[i].lines) << cases[i].name;
}

TEST_F(Loading, PicturesTakeTheirRoomOrAreDropped) {
  QImage(40, 100, QImage::Format_RGB32).save(QString::fromStdString(folder.File("pic.png")));
  const auto directiveOn = [&](int line) {
    std::string text;
    for (int i = 1; i < line; ++i) text += "text\r\n";
    return text + "{@@Figure 1,pic.png}\r\nafter\r\n";
  };
  EXPECT_TRUE(Matching(Run(LoadScript(WriteText("p10.txt", directiveOn(10)))), "message").empty());
  Document document = ReadCache();
  for (int slot = 10; slot <= 16; ++slot) EXPECT_EQ(document.Line(1, slot).absoluteLine, 10) << slot;
  EXPECT_EQ(document.Line(1, 10).imageLine, 1);
  EXPECT_EQ(document.Line(1, 10).text, folder.File("pic.png")) << "stored with its folder";
  EXPECT_EQ(document.Line(1, 17).text, "after");
  EXPECT_EQ(document.Line(1, 17).absoluteLine, 17);

  Run(LoadScript(WriteText("p60.txt", directiveOn(60))));
  document = ReadCache();
  EXPECT_FALSE(document.Line(1, 60).IsInUse()) << "80 pixels of room for 100";
  EXPECT_EQ(document.Line(1, 61).text, "after");
}

// A missing picture is told of once per load when its page shows: not when drawn ahead or again.
TEST_F(Loading, AMissingPictureIsToldOfOncePerLoad) {
  const std::string text = "{@@x,gone1.png}\r\n" + NumberedLines(129) + "{@@y,gone3.png}\r\nend\r\n";
  const std::string told =
      "message Programador | [GraphicLoadImageFileToBitmap] called on <" + folder.path() + "/";
  const auto files = [&](const std::vector<std::string>& lines) {
    std::vector<std::string> names;
    for (const std::string& line : Matching(lines, told)) names.push_back(line.substr(told.size()));
    return names;
  };
  using Files = std::vector<std::string>;
  // Page 3 is drawn ahead while page 2 shows; the guide redraws page 1 at each key.
  auto lines = Run(Load(WriteText("t.txt", text)) +
                   "key Right\nwait 50\nkey Right\nkey Left\n"
                   "key Left\ncommand 1093\nkey Down\nkey Down\ncommand 1093\ncommand 1078\n");
  const std::string missing = "> Missing file [warning]";
  EXPECT_EQ(files(lines), (Files{"gone1.png" + missing, "gone3.png" + missing, "gone1.png" + missing}));
  EXPECT_EQ(files(Run("wait 50\n")), Files{"gone1.png" + missing}) << "a restart loads the document again";
}

// A picture beside its text shows from a deep or accented folder, after restarts too; too long a name is told
TEST_F(Loading, PicturesBesideATextInADeepFolder) {
  const std::string fits = std::string(50, 'a') + "/" + std::string(48, 'b');  // 110 characters away
  const std::string tooLong = std::string(60, 'c') + "/" + std::string(60, 'd');
  for (const std::string& name : {fits, tooLong, "a\xC3\xB1o"s}) {
    FreshProgramFolder();
    const std::string deep = folder.File(name), page = folder.File("page.png");
    std::filesystem::create_directories(deep);
    QImage picture(40, 100, QImage::Format_RGB32);
    picture.fill(Qt::red);
    picture.save(QString::fromStdString(deep + "/pic.png"));
    WriteFileBytes(deep + "/t.txt", "{@@x,pic.png}\r\nafter\r\n");
    const std::string told = "message Programador | No se puede guardar el nombre de la imagen <" + deep +
                             "/pic.png>: su ruta pasa de 113 caracteres o lleva caracteres que una línea no "
                             "guarda; no se mostrará ... [warning]";
    const auto loaded = Run(Load(deep + "/t.txt") + "save-page 1 " + page + "\n");
    EXPECT_EQ(Matching(loaded, "message"), Matching({name == tooLong ? told : ""}, "message")) << name;
    const QRgb middle = name == tooLong ? qRgb(255, 255, 255) : qRgb(255, 0, 0);
    EXPECT_EQ(QImage(QString::fromStdString(page)).pixel(47, 50), middle) << name;
    const auto again = Run("save-page 1 " + page + "\n");
    EXPECT_TRUE(Matching(again, "message Programador | [Graphic").empty()) << name;
    EXPECT_EQ(QImage(QString::fromStdString(page)).pixel(47, 50), middle) << name << " after a restart";
  }
}

TEST_F(Loading, NamesAndFilesThatAreNotThere) {
  // The chosen name is taken without the blanks around it.
  EXPECT_EQ(LastState(Run(LoadScript(" " + WriteText("año con blancos.txt", "hola") + " ")))["loaded"], "1");
  // A huge (here sparse) file is refused, not read into memory; the document stays.
  const std::string huge = WriteText("huge.txt", "x");
  std::filesystem::resize_file(huge, (std::uintmax_t{1} << 30) * 3);
  const auto lines = Run(Load(folder.File("gone.txt")) + "choose\ncommand 1046\nstate\n" + LoadScript(huge));
  EXPECT_EQ(Matching(lines, "message").back(), "message Programador | Err: 27 File too large [warning]");
  for (const auto& state : Matching(lines, "state")) {
    EXPECT_EQ(ParseStateLine(state)["busy"], "0") << "cancel, a missing and a huge file leave the guard down";
  }
  EXPECT_EQ(ReadCache().Line(1, 1).text, "hola");
}

// A tabbed table typed in the editor, written with format, lays out in the viewer cell for cell as the box shows it.
TEST_F(Loading, ATabbedTextFromTheEditorKeepsItsColumns) {
  const std::string editorFolder = folder.File("editor");
  std::filesystem::create_directories(editorFolder);
  const std::string typed = "name\\tqty\\tprice\\nitem one\\t3\\t1.50\\n\\t\\tindented\\n" + Times("cell\\t", 14) + "last";
  const auto shown = RunDriver("--editor --lang en --folder '" + editorFolder + "'",
                               "command 1010\ntype " + typed + "\ncommand 1003\ncells\n");
  std::vector<std::string> cells = Matching(shown, "[");
  ASSERT_EQ(cells.size(), 5u) << "the wide row wraps once";
  EXPECT_EQ(cells[0], "[name    qty     price]");
  std::vector<std::string> kept;
  for (const std::string& line : Matching(Run(Load(editorFolder + "/cache.txt") + "page-lines 1\n"), "page-line ")) {
    kept.push_back(line.substr(line.find('[')));
  }
  EXPECT_EQ(kept, cells);
}

}  // namespace
