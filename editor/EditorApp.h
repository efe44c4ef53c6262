#pragma once

struct TextSet;

// The editor program: installs the build's text set, shows the editor
// window and runs until it ends.
int RunEditor(int argc, char** argv, const TextSet& texts);
