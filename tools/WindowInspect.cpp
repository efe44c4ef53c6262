#include "tools/WindowInspect.h"

#include "tools/DialogInspect.h"

#include <QAction>
#include <QApplication>
#include <QMainWindow>
#include <QMenuBar>
#include <QMouseEvent>
#include <QScreen>
#include <QWidget>

std::string DescribeWindow(const QWidget& window, const std::vector<std::pair<std::string, const QWidget*>>& parts) {
  const QScreen* screen = window.screen();
  std::string line = "window frame=" + RectText(window.frameGeometry()) +
                     " screen=" + RectText(screen ? screen->availableGeometry() : QRect());
  for (const auto& [name, part] : parts) {
    QRect shown(part->mapToGlobal(QPoint(0, 0)), part->size());
    if (screen) shown = shown.intersected(screen->geometry());
    if (part->isHidden()) shown = QRect();
    line += " " + name + "=" + RectText(shown);
  }
  return line;
}

bool OpenMenuByMouse(QMainWindow& window, const DriverCommand& command) {
  long long index = 0;
  QMenuBar* bar = window.menuBar();
  const QList<QAction*> titles = bar->actions();
  if (!ParseDriverNumber(command.rest, index) || index < 1 || index > titles.size()) return false;
  QAction* title = titles[static_cast<qsizetype>(index - 1)];
  const QPoint local = bar->actionGeometry(title).center();
  const QPoint global = bar->mapToGlobal(local);
  const std::string where = " at " + std::to_string(global.x()) + "," + std::to_string(global.y());
  if (!window.screen() || !window.screen()->availableGeometry().contains(global)) {
    PrintDriverError(command, "off the screen" + where);
    return true;
  }
  if (QApplication::widgetAt(global) != bar) {
    PrintDriverError(command, "another widget is shown" + where);
    return true;
  }
  QMouseEvent press(QEvent::MouseButtonPress, QPointF(local), QPointF(global), Qt::LeftButton, Qt::LeftButton,
                    Qt::NoModifier);
  QApplication::sendEvent(bar, &press);
  QCoreApplication::processEvents();
  QWidget* popup = QApplication::activePopupWidget();
  PrintDriverLine(popup ? "popup \"" + EscapeDriverText(title->text().toStdString()) + "\"" : std::string("popup none"));
  if (popup) popup->close();
  return true;
}
