#pragma once

#include "tools/DriverScript.h"

class QWidget;

// The driver's commands on the open modal dialog, whose controls carry
// their ids in a "controlId" property:
//   click ID, set ID TEXT, pick ID N, close,
//   reach ID   (Tab to it, then click it with the mouse where the screen shows it),
//   pmove X Y, ppress X Y, prpress X Y   (the mouse on control 31001).
// Returns false when the command is not one of these; errors are printed.
bool ExecuteDialogCommand(const DriverCommand& command);

// The child of `root` carrying control id `id`, or null.
QWidget* FindControl(QWidget* root, int id);
