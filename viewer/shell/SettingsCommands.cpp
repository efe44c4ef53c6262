// The settings dialogs opened from the menu: the configurator and the
// favourite colours.
#include "viewer/shell/ViewerShell.h"

void ViewerShell::OpenConfigurator() {}

void ViewerShell::OpenFavouriteColours() {}
