#pragma once

#include "texts/VersionRecord.h"
#include "tools/DriverScript.h"

class QWidget;
struct FileChoice;

// What the text commands look at in the running program.
struct DriverTextView {
  ProgramKind program = ProgramKind::Viewer;
  const QWidget* window = nullptr;  // the main window with its menu bar
  const QWidget* dialog = nullptr;  // the open dialog, null when none
  const FileChoice* lastFileChoice = nullptr;
};

// The driver's commands that print what a program shows, so that every
// visible text can be held against the build's table:
//   version  -> "version KEY=VALUE" for each field of the program's version
//               record, then the name and version the platform was given
//   menus    -> window "TITLE"; then, for each popup, menu "TITLE" and its
//               items as item ID "TEXT"
//   texts    -> the open dialog: dialog "TITLE"; then text ID "TEXT" for
//               each visible caption of its controls (ID 0 for a control
//               without one), item ID "TEXT" for each entry of a list and
//               field ID "TEXT" for what a text box holds
//   file     -> file FILTER | PATTERN | SUFFIX | FOLDER | NAME: what the
//               last file chooser was given
//   keys     -> key ID KEY, KEY...: the keys of each menu item that has any
// Texts are printed with \n escapes. False when the command is none of these.
bool ExecuteDriverTextCommand(const DriverCommand& command, const DriverTextView& view);
