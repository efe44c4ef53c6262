#pragma once

#include "tools/DriverScript.h"

#include <string>

class QRect;
class QWidget;

// "X,Y,W,H".
std::string RectText(const QRect& rect);

// The driver's commands that look at the open modal dialog without
// touching it:
//   dialog            -> dialog title="..." width=W height=H ontop=0|1 frame=X,Y,W,H screen=X,Y,W,H scrolls=0|1
//                        (frame: the window with its frame; screen: the screen's available area)
//   inspect ID        -> control ID enabled=0|1 checked=0|1 text="..." selected=N rect=X,Y,W,H
//                        (selected: the list item, from 1; 0 when none or not a list)
//   pixel ID X Y      -> pixel ID X Y R G B   (the control as drawn)
//   save-dialog PATH  -> the dialog as drawn, a PNG file
bool IsDialogInspectVerb(const std::string& verb);

// False when the command cannot be carried out.
bool ExecuteDialogInspect(QWidget* dialog, const DriverCommand& command);
