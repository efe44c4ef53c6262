#include "tools/DialogControls.h"

#include "tools/DialogInspect.h"

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPlainTextEdit>
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

// Carries out a command that names a control: click, set, pick.
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
  static const std::vector<std::string> verbs = {"click", "set", "pick", "close", "pmove", "ppress", "prpress"};
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
