// The settings dialogs opened from the menu: the configurator and the
// favourite colours.
#include "viewer/shell/ViewerShell.h"

#include "platform/ModalDialog.h"
#include "platform/ProgramFolder.h"
#include "viewer/settings/ConfiguratorDialog.h"
#include "viewer/settings/FavouriteColoursDialog.h"
#include "viewer/settings/Palette.h"
#include "viewer/settings/SettingsFile.h"
#include "viewer/shell/ShellWindow.h"

void ViewerShell::OpenConfigurator() {
  state_.DialogBusy = 1;
  {
    ConfiguratorDialog dialog(state_.settings, ProgramFile(kSettingsFileName), dialogs_, window_.DialogOwner());
    RunModalDialog(dialog);
  }
  state_.DialogBusy = 0;
}

void ViewerShell::OpenFavouriteColours() {
  state_.DialogBusy = 1;
  {
    FavouriteColoursDialog dialog({state_.SelectedColour, state_.customColours, ProgramFile(kPaletteFileName), dialogs_},
                                  window_.DialogOwner());
    RunModalDialog(dialog);
  }
  state_.DialogBusy = 0;
}
