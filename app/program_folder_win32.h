// The folder the program keeps its files in: the executable's folder, with
// its trailing "\". Tests running the windows in their own process point it
// at a scratch folder.
#pragma once

#include <string>

namespace lumeret {

std::string ProgramFolder();
// The settings file beside the program.
std::string SettingsFilePath();
// Replaces the folder; an empty path restores the executable's folder.
void SetProgramFolder(const std::string& folder);

}  // namespace lumeret
