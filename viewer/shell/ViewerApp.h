#pragma once

struct TextSet;

// The viewer program: installs the build's text set, settles the program
// folder, shows the main window and runs until it ends.
int RunViewer(int argc, char** argv, const TextSet& texts);
