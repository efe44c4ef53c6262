#include "tools/DialogInspect.h"

#include "tools/DialogControls.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QScreen>
#include <QScrollArea>

#include <algorithm>
#include <array>
#include <sstream>
#include <vector>

namespace {

std::string TextOf(const QWidget* control) {
  QString text;
  if (const auto* button = qobject_cast<const QAbstractButton*>(control)) text = button->text();
  if (const auto* label = qobject_cast<const QLabel*>(control)) text = label->text();
  if (const auto* list = qobject_cast<const QComboBox*>(control)) text = list->currentText();
  if (const auto* box = qobject_cast<const QPlainTextEdit*>(control)) text = box->toPlainText();
  if (const auto* field = qobject_cast<const QLineEdit*>(control)) text = field->text();
  return EscapeDriverText(text.toStdString());
}

// The frame and the screen's available area in screen pixels; a dialog
// whose controls scroll has a scroll area.
std::string DescribeDialog(const QWidget* dialog) {
  std::ostringstream line;
  line << "dialog title=\"" << EscapeDriverText(dialog->windowTitle().toStdString()) << "\" width=" << dialog->width()
       << " height=" << dialog->height() << " ontop=" << (dialog->windowFlags().testFlag(Qt::WindowStaysOnTopHint) ? 1 : 0)
       << " frame=" << RectText(dialog->frameGeometry())
       << " screen=" << RectText(dialog->screen() ? dialog->screen()->availableGeometry() : QRect())
       << " scrolls=" << (dialog->findChild<QScrollArea*>() ? 1 : 0);
  return line.str();
}

std::string DescribeControl(int id, const QWidget* control) {
  const auto* button = qobject_cast<const QAbstractButton*>(control);
  const auto* list = qobject_cast<const QComboBox*>(control);
  std::ostringstream line;
  line << "control " << id << " enabled=" << (control->isEnabled() ? 1 : 0)
       << " checked=" << (button && button->isChecked() ? 1 : 0) << " text=\"" << TextOf(control)
       << "\" selected=" << (list ? list->currentIndex() + 1 : 0) << " rect=" << RectText(control->geometry());
  return line.str();
}

bool ReadNumbers(const std::string& text, std::vector<long long>& numbers) {
  std::istringstream in(text);
  std::string word;
  while (in >> word) {
    long long value = 0;
    if (!ParseDriverNumber(word, value)) return false;
    numbers.push_back(value);
  }
  return true;
}

bool PrintPixel(QWidget* dialog, const DriverCommand& command) {
  std::vector<long long> n;
  if (!ReadNumbers(command.rest, n) || n.size() != 3) return false;
  QWidget* control = FindControl(dialog, static_cast<int>(n[0]));
  if (!control) return false;
  const QImage picture = control->grab().toImage();
  if (!picture.valid(static_cast<int>(std::clamp(n[1], -1LL, 1LL << 20)),
                     static_cast<int>(std::clamp(n[2], -1LL, 1LL << 20)))) {
    return false;
  }
  const QRgb pixel = picture.pixel(static_cast<int>(n[1]), static_cast<int>(n[2]));
  PrintDriverLine("pixel " + std::to_string(n[0]) + " " + std::to_string(n[1]) + " " + std::to_string(n[2]) + " " +
                  std::to_string(qRed(pixel)) + " " + std::to_string(qGreen(pixel)) +
                  " " + std::to_string(qBlue(pixel)));
  return true;
}

}  // namespace

std::string RectText(const QRect& r) {
  return std::to_string(r.x()) + ',' + std::to_string(r.y()) + ',' + std::to_string(r.width()) + ',' +
         std::to_string(r.height());
}

bool IsDialogInspectVerb(const std::string& verb) {
  static const std::array<std::string, 4> verbs = {"dialog", "inspect", "pixel", "save-dialog"};
  return std::find(verbs.begin(), verbs.end(), verb) != verbs.end();
}

bool ExecuteDialogInspect(QWidget* dialog, const DriverCommand& command) {
  if (command.verb == "dialog") {
    PrintDriverLine(DescribeDialog(dialog));
    return true;
  }
  if (command.verb == "save-dialog") return !command.rest.empty() && dialog->grab().save(QString::fromStdString(command.rest), "PNG");
  if (command.verb == "pixel") return PrintPixel(dialog, command);
  long long id = 0;
  if (!ParseDriverNumber(command.rest, id)) return false;
  const QWidget* control = FindControl(dialog, static_cast<int>(id));
  if (!control) return false;
  PrintDriverLine(DescribeControl(static_cast<int>(id), control));
  return true;
}
