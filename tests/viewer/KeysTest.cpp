// The viewer's keys, Escape on the page, "Save Image" under the guide and texts opened from outside.
#include "tests/viewer/ViewerTestSupport.h"

#include "platform/ProfileFile.h"

#include <map>
#include <set>
#include <algorithm>

namespace {

using Keys = ViewerProgram;

bool Has(const std::string& list, const std::string& id) {
  return ("," + list + ",").find("," + id + ",") != std::string::npos;
}

// The keys the menus show, the desktop's first; no key serves two items.
TEST_F(Keys, TheMenusShowTheirKeysAndNoKeyServesTwoItems) {
  const auto lines = Matching(Run("keys\n"), "key ");
  const std::pair<const char*, const char*> expected[] = {{"1046", "Ctrl+O"}, {"1070", "Ctrl+S"}, {"1047", "Ctrl+Q"},
                                                          {"1078", "F5"},     {"1084", "Ctrl+Z"}, {"1085", "Ctrl+G"},
                                                          {"1094", "Ctrl+F"}, {"1095", "F3"},     {"1096", "Shift+F3"},
                                                          {"1097", "Alt+Left"}, {"1098", "Ctrl+E"}};
  ASSERT_EQ(lines.size(), std::size(expected));
  std::set<std::string> seen;
  for (const std::string& line : lines) {
    std::istringstream words(line.substr(4));
    std::string id, key;
    words >> id;
    const auto row =
        std::find_if(std::begin(expected), std::end(expected), [&](const auto& e) { return id == e.first; });
    ASSERT_NE(row, std::end(expected)) << line;
    EXPECT_EQ(line.rfind("key " + id + " " + row->second, 0), 0u) << line;
    while (std::getline(words >> std::ws, key, ',')) EXPECT_TRUE(seen.insert(key).second) << key << " twice";
  }
}

// In both builds each key does what its item does, and nothing while the item is greyed or a dialog is open.
TEST_F(Keys, EachKeyDoesWhatItsItemDoesAndNothingWhileGreyedOrUnderADialog) {
  std::string five = NumberedLines(5 * 65);  // page 3 starts with a picture that is not there
  five.replace(five.find("Line 131\r\n"), 8, "{@@Figure,missing.png}");
  const std::string fivePath = WriteText("five.txt", five), two = WriteText("two.txt", NumberedLines(130));
  const std::string script =
      "state\nkey Ctrl+G\nkey Ctrl+Z\nkey F5\nkey Ctrl+S\nstate\n"    // no document: greyed
      "choose " + fivePath + "\nkey Ctrl+O\nstate\n"                   // New
      "command 1080\nanswer 3\nkey Ctrl+G\nstate\n" +                  // Go to, after the menu is rebuilt
      DragScript(5, 4, 8) + "command 1075\nstate\nkey Ctrl+Z\nstate\n"  // Undo
      "key F5\n"                                                       // Update tells of the picture again
      "key Ctrl+S\nchoose " + two + "\nkey Ctrl+O\nkey Ctrl+Q\nset 7008 k\nclick 7011\nstate\n"  // under the dialog
      "command 1093\nkey Ctrl+S\nstate\ncommand 1093\n"                // greyed under the guide
      "key Ctrl+Q\nstate\n";                                           // Exit
  for (const std::string lang : {"es", "en"}) {
    FreshProgramFolder();
    const auto lines = Run(script, lang);
    const auto states = Matching(lines, "state");
    ASSERT_EQ(states.size(), 8u) << lang << ": the last state comes after Exit";
    std::vector<std::map<std::string, std::string>> s;
    for (const auto& line : states) s.push_back(ParseStateLine(line));
    EXPECT_EQ(s[0]["enabled"], s[1]["enabled"]) << lang;
    EXPECT_EQ(Fields(s[2], {"loaded", "pages", "page"}), "1 5 1") << lang;
    EXPECT_EQ(Fields(s[3], {"page", "caption"}), lang == "es" ? "3 Pagina 3 de 5" : "3 Page 3 of 5");
    EXPECT_TRUE(Has(s[4]["enabled"], "1084") && !Has(s[5]["enabled"], "1084")) << lang;
    EXPECT_EQ(Fields(s[6], {"pages", "page", "busy"}), "5 3 0") << lang << ": neither New nor Exit under the dialog";
    EXPECT_EQ(Fields(s[7], {"guide", "busy"}), "3 0") << lang;
    EXPECT_FALSE(Has(s[7]["enabled"], "1070")) << lang;
    EXPECT_EQ(Matching(lines, "input").size(), 1u) << lang;
    EXPECT_EQ(Matching(lines, "dialog title=").size(), 0u) << lang;
    std::size_t pictureReports = 0;
    for (const auto& line : Matching(lines, "message")) pictureReports += line.find("missing.png") != std::string::npos;
    EXPECT_EQ(pictureReports, 2u) << lang << ": shown, then again after F5";
    std::error_code missing;
    const std::filesystem::directory_iterator exported(ProgramFilePath("k"), missing);
    ASSERT_NE(exported, std::filesystem::directory_iterator()) << lang << ": nothing exported";
    EXPECT_EQ(exported->path().stem(), "3") << lang;
    EXPECT_EQ(ReadCache().PageCount, 5) << lang;
    ProfileFile settings;
    ProfileFile::Load(ProgramFilePath("Configuracion.ini"), settings);
    EXPECT_EQ(settings.Get("Posicion", "Pagina", ""), "3") << lang;
  }
}

// Escape drops the piece, dragged or chosen: highlight gone, piece items greyed; then the guide greys "Save Image".
TEST_F(Keys, EscapeDropsThePieceAndTheGuideGreysSaveImage) {
  const std::string before = folder.File("before.png");
  std::string script = Load(WriteText("t.txt", NumberedLines(130))) + "save-page 1 " + before + "\n";
  const std::string drops[] = {"press 28 72\nmove 60 72\nrelease 60 72\nkey Escape\n",
                               "press 28 72\nmove 60 72\nkey Escape\nrelease 60 72\n"};
  for (std::size_t k = 0; k < std::size(drops); ++k) {
    script += drops[k] + "state\nsave-page 1 " + folder.File(std::to_string(k) + ".png") + "\n";
  }
  const auto states = Matching(Run(script + "command 1093\ncommand 1047\n"), "state");
  ASSERT_EQ(states.size(), 2u);
  for (std::size_t k = 0; k < std::size(drops); ++k) {
    auto state = ParseStateLine(states[k]);
    EXPECT_EQ(Fields(state, {"mode", "drag"}), "0 0") << drops[k];
    for (const char* piece : {"1075", "1076", "1086", "1088"}) EXPECT_FALSE(Has(state["enabled"], piece)) << drops[k];
    EXPECT_EQ(ReadFileBytes(folder.File(std::to_string(k) + ".png")), ReadFileBytes(before)) << drops[k];
  }
  const auto restarted = Matching(Run("state\ncommand 1093\nstate\n"), "state");
  ASSERT_EQ(restarted.size(), 2u);
  EXPECT_FALSE(Has(ParseStateLine(restarted[0])["enabled"], "1070")) << "the guide was on at the last exit";
  EXPECT_TRUE(Has(ParseStateLine(restarted[1])["enabled"], "1070"));
}

// A text named from outside opens as New opens it, kept marks offered; a missing one is named and changes nothing.
TEST_F(Keys, ATextNamedFromOutsideOpensAsNewDoesAndAMissingOneIsNamed) {
  const std::string a = WriteText("a.txt", NumberedLines(130)), b = WriteText("b.txt", NumberedLines(20));
  const std::string markA = "open " + a + "\n" + DragScript(5, 4, 8) + "command 1075\n";
  const auto lines = Run("open " + folder.File("gone.txt") + "\nstate\n" + markA + "open " + b + "\nreply yes\nopen " +
                             a + "\nstate\nopen " + folder.File("sub/../gone.txt") + "\nstate\n",
                         "en");
  const std::string missing = "Err: 2 No such file or directory (" + folder.File("gone.txt") + ") [warning]";
  EXPECT_EQ(Matching(lines, "message"), (std::vector<std::string>(2, "message Programmer | " + missing)));
  const auto asked = Matching(lines, "question");
  ASSERT_EQ(asked.size(), 1u);
  EXPECT_EQ(asked[0].rfind("question Programmer | This text has marks saved on ", 0), 0u) << asked[0];
  EXPECT_NE(asked[0].find(" (1 marks). Do you want them back? -> yes [question]"), std::string::npos) << asked[0];
  const auto states = Matching(lines, "state");
  ASSERT_EQ(states.size(), 3u);
  EXPECT_EQ(ParseStateLine(states[0])["loaded"], "0");
  EXPECT_EQ(Fields(ParseStateLine(states[2]), {"loaded", "pages"}), "1 2");
  EXPECT_NE(ReadCache().Line(1, 5).horizontalMarks, "");
}

// Until a file is chosen, New's chooser opens in the editor's folder, where cache.txt is; then in the chosen one's.
TEST_F(Keys, NewsChooserStartsInTheEditorsFolderUntilAFileIsChosen) {
  std::filesystem::create_directories(folder.File("build/editor"));
  const std::string text = WriteText("t.txt", NumberedLines(3));
  const auto lines = RunDriver("--lang en --folder '" + folder.File("build/viewer") + "'",
                               "command 1046\nfile\n" + Load(text) + "command 1046\nfile\n");
  const std::string chooser = "file Text | *.* | Text | ";
  EXPECT_EQ(Matching(lines, "file "),
            (std::vector<std::string>{chooser + folder.File("build/editor/") + " | ", chooser + folder.path() + "/ | t.txt"}));
}

}  // namespace
