#pragma once

#include "texts/VersionRecord.h"

struct DriverOptions;

// Starts the program under the driver as the program starts itself: the
// build's text set installed, its name and version given to the platform,
// its program folder settled where the program would keep its files, unless
// the driver was given a folder to use instead.
void StartDriverProgram(const DriverOptions& options, ProgramKind program);
