#pragma once

#include <string_view>

// What both programs do first: the text set's name and version given to the
// platform, and the program folder settled. `kind` names the per-user folder
// ("viewer" or "editor") that the two language builds of a program share.
void StartProgram(std::string_view programName, std::string_view version, std::string_view kind);
