#pragma once

#include "tools/DriverScript.h"

#include <string>
#include <utility>
#include <vector>

class QMainWindow;
class QWidget;

// The driver's "window" command: where a program's main window lies on its
// screen, as "window frame=X,Y,W,H screen=X,Y,W,H NAME=X,Y,W,H ...": the
// frame as the window manager draws it, the screen's available area, and
// for each named part the piece of the screen that shows it (empty when
// none does).
std::string DescribeWindow(const QWidget& window, const std::vector<std::pair<std::string, const QWidget*>>& parts);

// The driver's "open-menu N": clicks the title of menu N (from 1) of the
// window's menu bar where the screen shows it, as a reader would, and prints
// `popup "TITLE"` for the menu that opened (then closed again), or
// `popup none`; an error when the title is off the screen or covered.
// False when N names no menu.
bool OpenMenuByMouse(QMainWindow& window, const DriverCommand& command);
