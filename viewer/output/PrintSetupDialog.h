#pragma once

#include "viewer/settings/SettingsDialog.h"
#include "viewer/settings/ViewerSettings.h"

#include <QString>

#include <map>
#include <string>

class QComboBox;
class QWidget;

// The list item shown for a stored value: copies 1..5 and 6 or 10 pick the
// item of that place ("10 copies" is the sixth); colour 1..2 and quality
// 1..4 likewise. -1 (nothing selected) for any other value.
int CopiesItem(int copies);
int ColourItem(int colourMode);
int QualityItem(int quality);

// The numeric value of the first `digits` characters of an item's text
// ("10 copias" gives 10 with two); 0 for an empty text.
int ItemValue(const QString& itemText, int digits);

// "Configure printing": copies, colour mode and quality, with the default
// printer's name. Continue stores the three choices; the title bar's close
// keeps the stored values.
class PrintSetupDialog : public FocusKeepingDialog {
 public:
  PrintSetupDialog(PrintSettings& settings, const std::string& printerName, QWidget* owner);

 private:
  void FillLists();
  void Continue();
  QComboBox* List(int id) const;

  PrintSettings& settings_;
  std::map<int, QWidget*> controls_;
};

// Opens the dialog modally, with the name of the default printer.
void RunPrintSetupDialog(PrintSettings& settings, const std::string& printerName, QWidget* owner);
