#pragma once

#include <QKeyCombination>

#include <optional>
#include <string>

class QWidget;

// "key NAME": NAME is Left, Right, Up, Down, PageUp, PageDown, Home, End,
// Escape, a function key (F5) or a key with modifiers (Ctrl+O,
// Ctrl+Shift+S). Nothing for any other name.
std::optional<QKeyCombination> DriverKeyOf(const std::string& name);

// Presses and lets go of `key` as the keyboard sends it: to the focused
// control of the modal dialog in front, when one is open, else to
// `windowTarget`. Window keys (the menus' keys) go through Qt's shortcuts as
// a real key would, so they do nothing behind a modal dialog.
void PressDriverKey(QWidget& windowTarget, QKeyCombination key);

// "menu N": opens popup N (from 1) of the window's menu bar, as a click on
// its title does, and leaves it open while the script goes on (for a
// picture of the menu with its keys); "menu" alone closes it. False for
// no such popup.
bool OpenDriverMenu(QWidget& window, const std::string& which);

// "keys": one "key ID SEQUENCE, ..." line for each menu item of `window`
// that has keys, the one the menu shows first.
void PrintMenuKeys(const QWidget& window);
