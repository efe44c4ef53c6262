// The find and go-back items follow "Go to" in "Edit", separated as its other items are (their keys: KeysTest).
#include "texts/TextSet.h"
#include "viewer/settings/ViewerSettings.h"
#include "viewer/shell/ViewerMenu.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QMenu>
#include <QMenuBar>

namespace {

TEST(FindMenu, ItemsFollowGoTo) {
  const std::pair<const TextSet*, QStringList> builds[] = {
      {&SpanishTexts(), {"Ir a", "-", "Buscar", "-", "Buscar siguiente", "-", "Buscar anterior", "-", "Volver"}},
      {&EnglishTexts(), {"Go to", "-", "Find", "-", "Find next", "-", "Find previous", "-", "Go back"}},
  };
  for (const auto& [set, items] : builds) {
    InstallTextSet(*set);
    QMenuBar bar;
    BuildMenu(bar, ViewerSettings{});
    QStringList shown;
    for (const QAction* action : bar.actions().at(1)->menu()->actions()) shown << (action->isSeparator() ? "-" : action->text());
    EXPECT_EQ(shown.mid(4), items) << set->language;
  }
}

}  // namespace
