#include "store/clip_numbering.h"

#include <algorithm>
#include <vector>

namespace lumeret {

namespace {
constexpr std::size_t kNameDigits = 8;
}  // namespace

std::string NumberToName(int number) {
    std::string digits = std::to_string(number);
    if (digits.size() < kNameDigits) digits.insert(0, kNameDigits - digits.size(), '0');
    return digits;
}

std::string ClipFileName(const std::string& baseDir, const std::string& ext, int number) {
    return baseDir + ext + "\\" + NumberToName(number) + "." + ext;
}

namespace {

// Where each file of the folder goes, in the order the files are renamed.
std::vector<FileRenaming> PlanRenumbering(IClipFolder& folder, const std::string& baseDir, const std::string& ext) {
    const std::string dir = baseDir + ext + "\\";
    std::vector<FileRenaming> plan;
    for (const FolderEntry& entry : folder.FindEntries(dir + "*." + ext)) {
        if (entry.directory || entry.hidden || entry.system) continue;  // read-only files are taken
        plan.push_back({dir + entry.name, {}});
    }
    // All paths share the folder part, so this orders by name, byte by byte
    // as unsigned values (std::string compares through memcmp); 8-digit names
    // come out in numeric order. Names in one folder differ, so any sort
    // gives the same order.
    std::sort(plan.begin(), plan.end(), [](const FileRenaming& a, const FileRenaming& b) { return a.OldName < b.OldName; });
    for (std::size_t i = 0; i < plan.size(); ++i) plan[i].NewName = ClipFileName(baseDir, ext, static_cast<int>(i));
    return plan;
}

}  // namespace

void RenumberFiles(IClipFolder& folder, const std::string& baseDir, const std::string& ext, int& count) {
    std::vector<FileRenaming> plan = PlanRenumbering(folder, baseDir, ext);
    // A file's new number is never greater than its old one, so renaming in
    // ascending order never meets a target that is still to be moved away
    // while the folder holds only 8-digit names.
    for (const FileRenaming& row : plan) {
        if (row.OldName != row.NewName) folder.RenameFile(row.OldName, row.NewName);
    }
    count = static_cast<int>(plan.size());
}

}  // namespace lumeret
