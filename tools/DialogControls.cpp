#include "tools/DialogControls.h"

#include "tools/DialogInspect.h"

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QScreen>
#include <QTextEdit>

#include <algorithm>
#include <sstream>
#include <vector>

namespace {

constexpr int kPaletteControl = 31001;

bool SetText(QWidget* control, const QString& text) {
  if (auto* line = qobject_cast<QLineEdit*>(control)) {
    line->setText(text);
  } else if (auto* plain = qobject_cast<QPlainTextEdit*>(control)) {
    plain->setPlainText(text);
  } else if (auto* rich = qobject_cast<QTextEdit*>(control)) {
    rich->setPlainText(text);
  } else {
    return false;
  }
  return true;
}

bool Pick(QWidget* control, long long item) {
  auto* combo = qobject_cast<QComboBox*>(control);
  if (!combo || item < 1 || item > combo->count()) return false;
  combo->setCurrentIndex(static_cast<int>(item - 1));
  emit combo->activated(static_cast<int>(item - 1));
  return true;
}

bool PaletteMouse(QWidget* dialog, const std::string& verb, const std::string& rest) {
  QWidget* palette = FindControl(dialog, kPaletteControl);
  std::istringstream in(rest);
  long long x = 0, y = 0;
  std::string xs, ys;
  if (!palette || !(in >> xs >> ys) || !ParseDriverNumber(xs, x) || !ParseDriverNumber(ys, y)) return false;
  const QPointF at(static_cast<double>(x), static_cast<double>(y));
  const bool move = verb == "pmove";
  const Qt::MouseButton button = move ? Qt::NoButton : verb == "prpress" ? Qt::RightButton : Qt::LeftButton;
  QMouseEvent event(move ? QEvent::MouseMove : QEvent::MouseButtonPress, at, palette->mapToGlobal(at), button,
                    move ? Qt::NoButton : Qt::MouseButtons(button), Qt::NoModifier);
  QApplication::sendEvent(palette, &event);
  if (!move) {
    QMouseEvent release(QEvent::MouseButtonRelease, at, palette->mapToGlobal(at), button, Qt::NoButton,
                        Qt::NoModifier);
    QApplication::sendEvent(palette, &release);
  }
  return true;
}

// Tabs to the control from where the focus is, as a user would (a dialog
// whose controls scroll brings it into view), then clicks it with the mouse
// where the screen shows it. Prints why when it cannot be reached.
bool Reach(QWidget* dialog, QWidget* control, const DriverCommand& command) {
  const int stops = static_cast<int>(dialog->findChildren<QWidget*>().size());
  for (int presses = 0; dialog->focusWidget() != control && presses <= stops; ++presses) {
    QWidget* from = dialog->focusWidget() ? dialog->focusWidget() : dialog;
    QKeyEvent tab(QEvent::KeyPress, Qt::Key_Tab, Qt::NoModifier);
    QApplication::sendEvent(from, &tab);
  }
  if (dialog->focusWidget() != control) {
    PrintDriverError(command, "Tab does not reach it");
    return true;
  }
  const QPoint global = control->mapToGlobal(control->rect().center());
  const QString where = QStringLiteral(" at %1,%2").arg(global.x()).arg(global.y());
  if (!dialog->screen() || !dialog->screen()->availableGeometry().contains(global)) {
    PrintDriverError(command, "off the screen" + where.toStdString());
    return true;
  }
  QWidget* shown = QApplication::widgetAt(global);
  if (shown != control && !control->isAncestorOf(shown)) {
    PrintDriverError(command, "another widget is shown" + where.toStdString());
    return true;
  }
  const QPointF local = shown->mapFromGlobal(QPointF(global));
  for (const QEvent::Type type : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease}) {
    QMouseEvent event(type, local, QPointF(global), Qt::LeftButton,
                      type == QEvent::MouseButtonPress ? Qt::LeftButton : Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(shown, &event);
  }
  return true;
}

// Carries out a command that names a control: click, set, pick, reach.
bool OnControl(QWidget* dialog, const DriverCommand& command) {
  std::istringstream in(command.rest);
  std::string idText;
  in >> idText;
  long long id = 0;
  if (!ParseDriverNumber(idText, id)) return false;
  QWidget* control = FindControl(dialog, static_cast<int>(id));
  if (!control) {
    PrintDriverError(command, "no control " + idText);
    return true;
  }
  if (!control->isEnabled()) {
    PrintDriverError(command, "control " + idText + " is disabled");
    return true;
  }
  const std::string argument = command.rest.size() > idText.size() ? command.rest.substr(idText.size() + 1) : "";
  if (command.verb == "click") {
    auto* button = qobject_cast<QAbstractButton*>(control);
    if (!button) return false;
    button->click();
    return true;
  }
  if (command.verb == "reach") return Reach(dialog, control, command);
  if (command.verb == "set") return SetText(control, QString::fromStdString(UnescapeDriverText(argument)));
  long long item = 0;
  return ParseDriverNumber(argument, item) && Pick(control, item);
}

}  // namespace

QWidget* FindControl(QWidget* root, int id) {
  if (!root) return nullptr;
  for (QWidget* child : root->findChildren<QWidget*>()) {
    const QVariant value = child->property("controlId");
    if (value.isValid() && value.toInt() == id) return child;
  }
  return nullptr;
}

bool ExecuteDialogCommand(const DriverCommand& command) {
  static const std::vector<std::string> verbs = {"click", "set", "pick", "reach", "close", "pmove", "ppress", "prpress"};
  const bool inspect = IsDialogInspectVerb(command.verb);
  if (!inspect && std::find(verbs.begin(), verbs.end(), command.verb) == verbs.end()) return false;
  QWidget* dialog = QApplication::activeModalWidget();
  if (!dialog) {
    PrintDriverError(command, "no dialog open");
    return true;
  }
  bool done = false;
  if (inspect) {
    done = ExecuteDialogInspect(dialog, command);
  } else if (command.verb == "close") {
    done = dialog->close() || true;
  } else if (command.verb[0] == 'p' && command.verb != "pick") {
    done = PaletteMouse(dialog, command.verb, command.rest);
  } else {
    done = OnControl(dialog, command);
  }
  if (!done) PrintDriverError(command, "cannot be carried out");
  return true;
}
