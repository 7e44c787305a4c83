#include "app/program_folder_win32.h"

#include "app/settings.h"
#include "platform/module_path_win32.h"
#include "platform/text.h"

namespace lumeret {

namespace {
std::string g_folder;
}  // namespace

std::string ProgramFolder() { return g_folder.empty() ? ExecutableFolder() : g_folder; }

std::string SettingsFilePath() {
    std::string exe = ExecutablePath();
    if (g_folder.empty()) return SettingsPathFor(exe);
    return SettingsPathFor(g_folder + exe.substr(ExtractFilePath(exe).size()));
}

void SetProgramFolder(const std::string& folder) { g_folder = folder; }

}  // namespace lumeret
