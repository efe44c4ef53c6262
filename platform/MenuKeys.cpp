#include "platform/MenuKeys.h"

#include <QAction>

QList<QKeySequence> KeysOf(const MenuKey& key) {
  QList<QKeySequence> keys;
  if (key.standard != QKeySequence::UnknownKey) keys = QKeySequence::keyBindings(key.standard);
  if (!keys.contains(QKeySequence(key.usual))) keys.push_back(QKeySequence(key.usual));
  return keys;
}

void GiveMenuKey(QAction& action, std::span<const MenuKey> keys) {
  const int command = action.data().toInt();
  for (const MenuKey& key : keys) {
    if (key.command != command) continue;
    action.setShortcuts(KeysOf(key));
    action.setShortcutContext(Qt::WindowShortcut);
    return;
  }
}
