#pragma once

#include "viewer/document/Document.h"

#include <string>

// One-page documents of 65 full lines whose marks make PDF pages heavy:
//   "bold30"  30 bold pieces of 30 letters
//   "mixed"   on every line a bold, a two-colour and a link piece and an underline
//   "full"    every mark list of every line full
// False for another name.
bool FillMarkedPage(Document& document, const std::string& name);
