#pragma once

#include <string>
#include <string_view>

// All files of a program live in its program folder: the folder of the
// running executable, or, when that folder is not writable (an installed
// copy), the per-user data folder, created on first use. Folders carry a
// trailing "/".

// The folder of the running executable.
std::string ExecutableFolder();

// Whether the executable was installed (cmake --install leaves a marker in
// the prefix's share/marvessa): an installed program keeps its files in the
// user's folder even where it could write beside itself (as root).
bool IsInstalledLayout(const std::string& executableFolder);

// The folder to use: `executableFolder` when it can be written and the
// program is not installed, otherwise
// `userDataFolder` (created with its parents); when neither can be written,
// the executable folder all the same, so that writes fail and are reported.
std::string ResolveProgramFolder(const std::string& executableFolder,
                                 const std::string& userDataFolder);

// The process's program folder, set once at start (the headless driver sets
// its own); every file path of the programs is built by ProgramFile().
void SetProgramFolder(std::string folder);
const std::string& ProgramFolder();
std::string ProgramFile(std::string_view name);

// The folder the viewer's exports go below: the program folder, unless the
// program keeps its files in the per-user data folder, hidden from the
// reader; then a folder the reader finds (below the documents folder).
// Setting the program folder makes it the export folder again.
void SetExportFolder(std::string folder);
const std::string& ExportFolder();

// The program folder of the other program of the pair (`kind` "viewer" or
// "editor"): the folder of that name beside this program's, as the build
// tree and the per-user data folder lay them out. Empty when this program's
// folder is not laid out so or the other's folder does not exist.
std::string CompanionFolder(std::string_view kind);

// Creates a folder and its parents; true when it exists afterwards.
bool MakeFolders(const std::string& folder);
