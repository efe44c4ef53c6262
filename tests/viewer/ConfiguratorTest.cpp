#include "tests/viewer/ViewerTestSupport.h"

namespace {

using Configurator = ViewerProgram;

TEST_F(Configurator, ExitRefusesAnEnabledFooterWithoutTextButHasSavedAlready) {
  // The build, a script line typing the footer text, the message (empty when the dialog closes).
  const std::tuple<const char*, std::string, const char*> cases[] = {
      {"es", "", "message Programador | Tienes que escribir un Pie de Página ... [warning]"},
      {"en", "", "message Programmer | You have to type a footer ... [warning]"},
      {"es", "set 3333    \n", ""},  // blanks count as written
  };
  for (const auto& [lang, setText, message] : cases) {
    FreshProgramFolder();
    const std::string exit = "click 3357\ndialog\nclose\nstate\n";
    const auto lines = Run("command 1077\nclick 3308\n" + setText + exit, lang);
    EXPECT_EQ(Matching(lines, "message"), Matching({message}, "message"));
    EXPECT_EQ(Matching(lines, "dialog title=").size(), *message ? 1u : 0u) << "the dialog stays open";
    EXPECT_EQ(LastState(lines)["busy"], "0");
    EXPECT_EQ(SavedSettings().footers[0].enabled, 1) << lang << " " << setText;
  }
}

TEST_F(Configurator, CaseRadiosFollowTheNumberingAndTheCheckBox) {
  WriteProgramFile(std::string(kSettingsFileName),
                   "[Numero_de_Pagina]\r\nActivar= 1\r\nTipo_Numerico= 1\r\nResalte= 2\r\n");
  const std::string inspect = InspectAll({3348, 3350, 3351, 3339});
  const auto controls = Matching(Run("command 1077\n" + inspect + "click 3349\n" + inspect + "click 3348\n" +
                                     inspect + "click 3338\n" + inspect + "close\n"),
                                 "control ");
  ASSERT_EQ(controls.size(), 16u);
  const char* expected[] = {  // after opening, Roman, Arabic and the number switched off
      "3348 enabled=1 checked=1", "3350 enabled=0 checked=0", "3351 enabled=0 checked=1", "3339 enabled=1",
      "3348 enabled=1 checked=0", "3350 enabled=1 checked=0", "3351 enabled=1 checked=1", "3339 enabled=1",
      "3348 enabled=1 checked=1", "3350 enabled=0 checked=0", "3351 enabled=0 checked=1", "3339 enabled=1",
      "3348 enabled=0",           "3350 enabled=0",           "3351 enabled=0",           "3339 enabled=0",
  };
  for (std::size_t i = 0; i < controls.size(); ++i) {
    EXPECT_EQ(controls[i].substr(8, std::string_view(expected[i]).size()), expected[i]);
  }
}

// Values only a hand-edited file holds select nothing, and Exit stores what the lists show.
TEST_F(Configurator, OddValuesInTheFileShowNothingSelected) {
  WriteProgramFile(std::string(kSettingsFileName),
                   "[Fichero]\r\nFormato= 3307\r\n"
                   "[Pie_de_Pagina_1]\r\nActivar= 1\r\nTexto=f\r\nFuente= 14\r\nAlineamiento= 134\r\n"
                   "[Pie_de_Pagina_2]\r\nFuente= 8\r\nAlineamiento= 999\r\n"
                   "[Numero_de_Pagina]\r\nActivar= 1\r\nTipo_Numerico= 0\r\nResalte= 3\r\nFuente= 12\r\n");
  const std::vector<int> unchecked = {3302, 3303, 3304, 3305, 3306, 3310, 3311, 3312,
                                      3323, 3324, 3325, 3348, 3349, 3350, 3351};
  const std::string lists = InspectAll({3314, 3327, 3343});
  const auto lines = Run("command 1077\n" + InspectAll(unchecked) + lists + "click 3357\nstate\n");
  for (const int id : unchecked) EXPECT_EQ(ControlLine(lines, id)["checked"], "0") << id;
  EXPECT_EQ(ControlLine(lines, 3314)["selected"], "0");
  EXPECT_EQ(ControlLine(lines, 3327)["selected"], "0");
  EXPECT_EQ(ControlLine(lines, 3343)["selected"], "4");
  EXPECT_EQ(ControlLine(lines, 3343)["text"], "12");
  EXPECT_EQ(ControlLine(lines, 3350)["enabled"], "1") << "numbering 0 counts as Roman";
  const ViewerSettings saved = SavedSettings();
  EXPECT_EQ(saved.footers[0].fontSize, 0);
  EXPECT_EQ(saved.footers[1].fontSize, 0);
  EXPECT_EQ(saved.pageNumber.fontSize, 12);
  EXPECT_EQ(saved.footers[0].alignment, 134) << "an alignment nobody clicked stays";
}

TEST_F(Configurator, ClicksWriteTheirSettingsAndExitTakesTextsAndSizes) {
  const std::string clicks =
      "command 1077\nstate\nclick 3302\nclick 3356\nclick 3308\nclick 3311\nclick 3317\nclick 3322\n"
      "click 3323\nclick 3331\nclick 3338\nclick 3341\nclick 3345\nclick 3349\nclick 3351\n"
      "pick 3314 4\npick 3327 1\npick 3343 3\nset 3333 ";
  const auto states =
      Matching(Run(clicks + std::string(150, 'a') + "\nset 3334 Fin é\nclick 3357\nstate\n"), "state");
  ASSERT_EQ(states.size(), 2u);
  EXPECT_EQ(ParseStateLine(states[0])["busy"], "1");
  EXPECT_EQ(ParseStateLine(states[1])["busy"], "0");
  const ViewerSettings s = SavedSettings();
  EXPECT_EQ(s.imageFormat, 3302u);
  EXPECT_EQ(s.selectorShape, 0);
  EXPECT_EQ(s.footers[0], (FooterSettings{1, 133, 12, 0, 1, 0, std::string(99, 'a')}));
  EXPECT_EQ(s.footers[1], (FooterSettings{1, 131, 9, 0, 0, 1, "Fin \xE9"}));
  EXPECT_EQ(s.pageNumber, (PageNumberSettings{1, 132, 11, 0, 2, 2}));
}

TEST_F(Configurator, TheTitleBarKeepsTheClicksButNotTheTextsAndWritesNothing) {
  const std::string edits = "command 1077\nclick 3303\nclick 3308\nset 3333 lost\npick 3314 1\nclose\n";
  const auto lines = Run(edits + "state\ncommand 1077\n" + InspectAll({3303, 3308, 3333, 3314}) +
                         "close\ncommand 1077\ncommand 1077\nclose\ndialog\n");
  EXPECT_FALSE(std::filesystem::exists(ProgramFilePath(std::string(kSettingsFileName))));
  EXPECT_EQ(ControlLine(lines, 3303)["checked"], "1");
  EXPECT_EQ(ControlLine(lines, 3308)["checked"], "1");
  EXPECT_EQ(ControlLine(lines, 3333)["text"], "");
  EXPECT_EQ(ControlLine(lines, 3314)["selected"], "2");
  EXPECT_EQ(lines.back(), "error dialog: no dialog open") << "a second Configurator command opened none";
  // The main window's Exit saves what the clicks left in memory.
  Run(edits + "command 1047\n");
  const ViewerSettings saved = SavedSettings();
  EXPECT_EQ(saved.imageFormat, 3303u);
  EXPECT_EQ(saved.footers[0].enabled, 1);
  EXPECT_EQ(saved.footers[0].text, "");
  EXPECT_EQ(saved.footers[0].fontSize, 10);
}

}  // namespace
