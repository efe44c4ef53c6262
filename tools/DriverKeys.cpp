#include "tools/DriverKeys.h"

#include "tools/DriverScript.h"

#include <QAction>
#include <QApplication>
#include <QKeyEvent>
#include <QKeySequence>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPointer>

#include <map>

std::optional<QKeyCombination> DriverKeyOf(const std::string& name) {
  static const std::map<std::string, Qt::Key> kNamed = {
      {"Left", Qt::Key_Left}, {"Right", Qt::Key_Right},       {"Up", Qt::Key_Up},     {"Down", Qt::Key_Down},
      {"PageUp", Qt::Key_PageUp}, {"PageDown", Qt::Key_PageDown}, {"Home", Qt::Key_Home}, {"End", Qt::Key_End},
      {"Escape", Qt::Key_Escape}};
  if (const auto named = kNamed.find(name); named != kNamed.end()) return QKeyCombination(named->second);
  const bool combination = name.find('+') != std::string::npos && name.back() != '+';
  const bool functionKey =
      name.size() >= 2 && name[0] == 'F' && name.find_first_not_of("0123456789", 1) == std::string::npos;
  if (!combination && !functionKey) return std::nullopt;
  const QKeySequence sequence = QKeySequence::fromString(QString::fromStdString(name), QKeySequence::PortableText);
  if (sequence.count() != 1 || sequence[0].key() == Qt::Key_unknown) return std::nullopt;
  return sequence[0];
}

void PressDriverKey(QWidget& windowTarget, QKeyCombination key) {
  QWidget* target = &windowTarget;
  if (QWidget* dialog = QApplication::activeModalWidget()) {
    target = dialog->focusWidget() ? dialog->focusWidget() : dialog;
  } else if (!windowTarget.window()->isActiveWindow()) {
    // The reader types into the window: a window manager makes it active.
    windowTarget.window()->activateWindow();
    QCoreApplication::processEvents();
  }
  // Each event is sent on its own, as the keyboard sends them: a shortcut
  // may close the target in between.
  const QPointer<QWidget> receiver(target);
  QKeyEvent press(QEvent::KeyPress, key.key(), key.keyboardModifiers());
  QApplication::sendEvent(receiver, &press);
  QKeyEvent release(QEvent::KeyRelease, key.key(), key.keyboardModifiers());
  if (receiver) QApplication::sendEvent(receiver, &release);
}

bool OpenDriverMenu(QWidget& window, const std::string& which) {
  auto* main = qobject_cast<QMainWindow*>(&window);
  if (!main) return false;
  QList<QAction*> popups;
  for (QAction* popup : main->menuBar()->actions()) {
    if (popup->menu()) popups.push_back(popup);
  }
  for (QAction* popup : popups) popup->menu()->hide();
  if (which.empty()) return true;
  bool number = false;
  const qsizetype index = QString::fromStdString(which).toLongLong(&number) - 1;
  if (!number || index < 0 || index >= popups.size()) return false;
  main->menuBar()->setActiveAction(popups[index]);
  return true;
}

void PrintMenuKeys(const QWidget& window) {
  const auto* main = qobject_cast<const QMainWindow*>(&window);
  if (!main) return;
  for (const QAction* popup : main->menuBar()->actions()) {
    if (!popup->menu()) continue;
    for (const QAction* item : popup->menu()->actions()) {
      if (item->shortcuts().isEmpty()) continue;
      QStringList keys;
      for (const QKeySequence& key : item->shortcuts()) keys << key.toString(QKeySequence::PortableText);
      PrintDriverLine("key " + std::to_string(item->data().toInt()) + " " + keys.join(", ").toStdString());
    }
  }
}
