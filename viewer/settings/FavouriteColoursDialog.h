#pragma once

#include "platform/UserDialogs.h"
#include "viewer/settings/Palette.h"
#include "viewer/settings/SettingsDialog.h"

#include <cstdint>
#include <string>

class PaletteWidget;
class QPushButton;
class SelectedColourPanel;

// What the favourite-colours dialog works on beyond its own palette: the
// selected colour and the chooser's custom colours both live for the whole
// run, the palette file beside the program.
struct FavouriteColoursContext {
  std::uint32_t& selectedColour;
  CustomColours& customColours;
  std::string palettePath;
  UserDialogs& dialogs;
};

// The palette of 130 favourite colours: a left click on a cell chooses its
// colour, a right click anywhere picks the colour under the mouse as the
// selected colour; Save writes the palette file, Reset empties it, Exit
// offers to save unsaved changes. The palette is read anew at each opening.
class FavouriteColoursDialog : public FocusKeepingDialog {
 public:
  FavouriteColoursDialog(FavouriteColoursContext context, QWidget* owner);

 private:
  void CreateControls();
  void ChooseCellColour(PaletteSlot slot);
  void SelectColour(std::uint32_t colour);
  void Save();
  void Exit();
  void Reset();
  bool WritePaletteFile();
  void SetModified(bool modified);

  FavouriteColoursContext context_;
  Palette palette_;
  bool modified_ = false;
  bool choosing_ = false;  // the colour chooser is open
  PaletteWidget* paletteControl_ = nullptr;
  SelectedColourPanel* panel_ = nullptr;
  QPushButton* saveButton_ = nullptr;
};
