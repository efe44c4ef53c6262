// The find and go-back items in "Edit" after "Go to", separated as the
// menu's other items are, with their keys, in both builds.
#include "texts/TextSet.h"
#include "viewer/settings/ViewerSettings.h"
#include "viewer/shell/ViewerMenu.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QMenu>
#include <QMenuBar>

namespace {

TEST(FindMenu, ItemsFollowGoToWithTheirKeys) {
  const std::pair<const TextSet*, std::vector<std::string>> builds[] = {
      {&SpanishTexts(),
       {"Actualizar", "-", "Deshacer", "-", "Ir a", "-", "Buscar", "-", "Buscar siguiente", "-", "Buscar anterior",
        "-", "Volver"}},
      {&EnglishTexts(),
       {"Update", "-", "Undo", "-", "Go to", "-", "Find", "-", "Find next", "-", "Find previous", "-", "Go back"}},
  };
  const std::map<int, QKeySequence> keys = {{1094, QKeySequence(Qt::CTRL | Qt::Key_F)},
                                            {1095, QKeySequence(Qt::Key_F3)},
                                            {1096, QKeySequence(Qt::SHIFT | Qt::Key_F3)},
                                            {1097, QKeySequence(Qt::ALT | Qt::Key_Left)}};
  for (const auto& [set, items] : builds) {
    InstallTextSet(*set);
    QMenuBar bar;
    BuildMenu(bar, ViewerSettings{});
    const QMenu* edit = bar.actions().at(1)->menu();
    std::vector<std::string> shown;
    for (const QAction* action : edit->actions()) {
      shown.push_back(action->isSeparator() ? "-" : action->text().toStdString());
      const int id = action->data().toInt();
      if (keys.count(id)) {
        EXPECT_EQ(action->shortcut(), keys.at(id)) << id;
      }
    }
    EXPECT_EQ(shown, items) << set->language;
  }
}

}  // namespace
