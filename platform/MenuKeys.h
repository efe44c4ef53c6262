#pragma once

#include <QKeySequence>

#include <span>

class QAction;

// The key of a menu item: the desktop's standard key where Qt knows one (so
// it follows the desktop's conventions), and the usual key besides, for
// desktops that bind none. The menu shows the first in its key column; the
// item's text stays as it is. A disabled item's key does nothing, and so does
// every key of a window while a modal dialog is in front of it.
struct MenuKey {
  int command;
  QKeySequence::StandardKey standard;  // UnknownKey where there is none
  QKeyCombination usual;
};

// The keys of `key`, the desktop's first.
QList<QKeySequence> KeysOf(const MenuKey& key);

// Gives `action` the keys its command (QAction::data) has in `keys`, if any.
// Called where each item is made, so a new item needs one row in its table.
void GiveMenuKey(QAction& action, std::span<const MenuKey> keys);
