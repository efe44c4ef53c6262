#pragma once

#include <QImage>

// The drawing program's painters: each returns one finished picture.

// Inline icon 1..99: 18 x 18 (18 x 12 for the low ones), RGB32, magenta
// wherever the page shows through.
QImage DrawInlineIcon(int number);
// Menu picture 333..349: 16 x 16 on a transparent background.
QImage DrawMenuPicture(int number);
// Busy animation frame 801..812: 385 x 133 on white.
QImage DrawBusyFrame(int number);
// The program icon at `size` x `size` pixels on a transparent background.
QImage DrawProgramIcon(int size);
// Every picture on one sheet, the small ones enlarged, for looking at them.
QImage DrawContactSheet();
