#pragma once

#include "texts/TextId.h"

#include "platform/DialogUnits.h"

#include <QRect>

#include <map>
#include <optional>
#include <span>

class QDialog;
class QWidget;

// The controls of the export and print set-up dialogs as their templates
// lay them out, in dialog units of the controls' font.
enum class OutputControl {
  Label,
  CentredLabel,
  FirstRadio,  // starts a group of radio buttons
  Radio,
  NumberBox,  // digits only, sunken edge
  TextBox,
  List,  // drop-down list; its height includes the open list
  Button,
};

struct OutputControlSpec {
  int id;
  OutputControl kind;
  std::optional<TextId> text;
  int x, y, width, height;
};

// Creates the controls on the dialog, each tagged with its id, lettered
// and placed; returns them by id.
std::map<int, QWidget*> CreateOutputControls(QDialog& dialog, std::span<const OutputControlSpec> specs,
                                             const DialogBaseUnits& base);

// Sizes the dialog and places it at `frame` (dialog units) from the owner's
// client origin, kept wholly on the screen.
void PlaceOutputDialog(QDialog& dialog, const QWidget* owner, const QRect& frame, const DialogBaseUnits& base);
