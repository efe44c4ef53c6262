#pragma once

#include "viewer/settings/ConfiguratorLayout.h"
#include "viewer/settings/SettingsDialog.h"
#include "viewer/settings/ViewerSettings.h"

#include <map>
#include <string>

class QAbstractButton;
class QComboBox;
class QPlainTextEdit;
class UserDialogs;
struct DialogBaseUnits;

// The configurator: the export format, the two footers, the page number
// and the shape of the underline control. Every click writes its setting
// into `settings` at once; the footer texts and font sizes are taken, and
// the settings file written, by the Exit button. Closing the window any
// other way keeps the clicks but takes nothing else and writes nothing.
class ConfiguratorDialog : public FocusKeepingDialog {
 public:
  ConfiguratorDialog(ViewerSettings& settings, std::string settingsPath, UserDialogs& dialogs, QWidget* owner);

 private:
  void CreateControls(const DialogBaseUnits& base);
  QWidget* CreateControl(const ControlSpec& placed);
  void PlaceAt(const QWidget* owner, const DialogBaseUnits& base);

  void ShowSettings();
  void ApplyGroupStates();
  void OnClicked(int id);
  void Exit();
  void TakeTextsAndSizes();

  QWidget* Control(int id) const;
  QAbstractButton* Button(int id) const;
  QComboBox* List(int id) const;
  QPlainTextEdit* TextBox(int id) const;
  template <typename Ids>
  void SetEnabled(const Ids& ids, bool enabled);

  ViewerSettings& settings_;
  std::string settingsPath_;
  UserDialogs& dialogs_;
  std::map<int, QWidget*> controls_;
};
