// The find and go-back items follow "Go to" in "Edit", separated as its other items are, with their keys.
#include "texts/TextSet.h"
#include "viewer/settings/ViewerSettings.h"
#include "viewer/shell/ViewerMenu.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QMenu>
#include <QMenuBar>

namespace {

TEST(FindMenu, ItemsFollowGoToWithTheirKeys) {
  const std::pair<const TextSet*, QStringList> builds[] = {
      {&SpanishTexts(), {"Ir a", "-", "Buscar", "-", "Buscar siguiente", "-", "Buscar anterior", "-", "Volver"}},
      {&EnglishTexts(), {"Go to", "-", "Find", "-", "Find next", "-", "Find previous", "-", "Go back"}},
  };
  const QStringList keys = {"Ctrl+F", "F3", "Shift+F3", "Alt+Left"};  // of ids 1094..1097
  for (const auto& [set, items] : builds) {
    InstallTextSet(*set);
    QMenuBar bar;
    BuildMenu(bar, ViewerSettings{});
    QStringList shown;
    for (const QAction* action : bar.actions().at(1)->menu()->actions()) {
      shown << (action->isSeparator() ? "-" : action->text());
      const int id = action->data().toInt();
      if (id >= 1094) {
        EXPECT_EQ(action->shortcut().toString(), keys.at(id - 1094)) << id;
      }
    }
    EXPECT_EQ(shown.mid(4), items) << set->language;
  }
}

}  // namespace
