// "Save Image": the export dialog, then saving the pages as pictures or
// printing them.
#include "viewer/shell/ViewerShell.h"

void ViewerShell::ExportOrPrint() {}
