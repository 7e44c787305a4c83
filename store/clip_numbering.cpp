#include "store/clip_numbering.h"

#include <algorithm>
#include <map>
#include <optional>
#include <set>

#include "platform/errors.h"
#include "platform/text.h"

namespace lumeret {

namespace {
constexpr std::size_t kNameDigits = 8;

// Names in a folder compared as the system does: ASCII letters in any case.
std::string FoldedName(std::string_view name) { return UpperCaseAnsi(name); }

// The names in the clip folder that the scan does not take as clips.
std::set<std::string> NamesNotTaken(const std::vector<FolderEntry>& entries) {
    std::set<std::string> names;
    for (const FolderEntry& entry : entries) {
        if (entry.directory || entry.hidden || entry.system) names.insert(FoldedName(entry.name));
    }
    return names;
}

// Where each clip file of the folder goes, in the order of their names.
std::vector<FileRenaming> PlanRenumbering(const std::vector<FolderEntry>& entries, const std::string& baseDir,
                                          const std::string& ext) {
    const std::string dir = ClipFolderPath(baseDir, ext);
    std::vector<FileRenaming> plan;
    for (const FolderEntry& entry : entries) {
        if (entry.directory || entry.hidden || entry.system) continue;  // read-only files are taken
        plan.push_back({dir + entry.name, {}});
    }
    // All paths share the folder part, so this orders by name, byte by byte
    // as unsigned values (std::string compares through memcmp); 8-digit names
    // come out in numeric order. Names in one folder differ, so any sort
    // gives the same order.
    std::sort(plan.begin(), plan.end(), [](const FileRenaming& a, const FileRenaming& b) { return a.OldName < b.OldName; });
    const std::set<std::string> notTaken = NamesNotTaken(entries);
    int number = 0;
    for (FileRenaming& row : plan) {
        while (notTaken.count(FoldedName(NumberToName(number) + "." + ext))) ++number;
        row.NewName = ClipFileName(baseDir, ext, number++);
    }
    return plan;
}

// The number of a clip named by NumberToName, none for any other name.
std::optional<int> ClipNumberOf(const std::string& name, const std::string& ext) {
    const std::size_t dot = name.size() - std::min(name.size(), ext.size() + 1);
    if (FoldedName(name.substr(dot)) != FoldedName("." + ext)) return std::nullopt;
    const std::string digits = name.substr(0, dot);
    // Nine digits at most keep the number within an int.
    if (digits.size() < kNameDigits || digits.size() > kNameDigits + 1) return std::nullopt;
    if (!std::all_of(digits.begin(), digits.end(), [](char c) { return c >= '0' && c <= '9'; })) return std::nullopt;
    return std::stoi(digits);
}

}  // namespace

std::string ClipFolderPath(const std::string& baseDir, const std::string& ext) { return baseDir + ext + "\\"; }

std::string ClipPattern(const std::string& baseDir, const std::string& ext) {
    return ClipFolderPath(baseDir, ext) + "*." + ext;
}

std::string NumberToName(int number) {
    std::string digits = std::to_string(number);
    if (digits.size() < kNameDigits) digits.insert(0, kNameDigits - digits.size(), '0');
    return digits;
}

std::string ClipFileName(const std::string& baseDir, const std::string& ext, int number) {
    return ClipFolderPath(baseDir, ext) + NumberToName(number) + "." + ext;
}

std::vector<std::string> RenumberFiles(IClipFolder& folder, const std::string& baseDir, const std::string& ext,
                                       const RenameNotice& renamed) {
    std::vector<FileRenaming> plan = PlanRenumbering(folder.FindEntries(ClipPattern(baseDir, ext)), baseDir, ext);
    // Which row's file holds each name now. A row whose target is held by
    // another row's file waits for that file to move away first. Old and new
    // names both rise with the row, so waiting rows form chains, never rings:
    // a ring would map names in rising order onto the same names in another
    // order. No file needs a name of its own to step aside under.
    std::map<std::string, std::size_t> holder;
    for (std::size_t i = 0; i < plan.size(); ++i) holder[FoldedName(ExtractFileName(plan[i].OldName))] = i;
    std::vector<bool> settled(plan.size(), false);
    std::vector<std::string> clips(plan.size());
    for (std::size_t first = 0; first < plan.size(); ++first) {
        // Follow the chain of rows waiting on one another, then move them
        // from its end back.
        std::vector<std::size_t> chain;
        for (std::size_t i = first; !settled[i];) {
            chain.push_back(i);
            auto held = holder.find(FoldedName(ExtractFileName(plan[i].NewName)));
            if (held == holder.end() || held->second == i || settled[held->second]) break;
            if (std::find(chain.begin(), chain.end(), held->second) != chain.end()) break;
            i = held->second;
        }
        for (auto it = chain.rbegin(); it != chain.rend(); ++it) {
            const std::size_t i = *it;
            const FileRenaming& row = plan[i];
            auto held = holder.find(FoldedName(ExtractFileName(row.NewName)));
            const bool free = held == holder.end() || held->second == i;
            const bool moved = row.OldName == row.NewName || (free && folder.RenameFile(row.OldName, row.NewName) == 0);
            if (moved) {
                holder.erase(FoldedName(ExtractFileName(row.OldName)));
                holder[FoldedName(ExtractFileName(row.NewName))] = i;
                if (renamed && row.OldName != row.NewName) renamed(row.OldName, row.NewName);
            }
            clips[i] = moved ? row.NewName : row.OldName;
            settled[i] = true;
        }
    }
    return clips;
}

std::string AddClipFile(IClipFolder& folder, const std::string& baseDir, const std::string& ext,
                        const std::vector<std::string>& clips, std::string_view bytes) {
    return AddClipFile(folder, baseDir, ext, clips, folder.FindEntries(ClipPattern(baseDir, ext)), bytes);
}

std::string AddClipFile(IClipFolder& folder, const std::string& baseDir, const std::string& ext,
                        const std::vector<std::string>& clips, const std::vector<FolderEntry>& listed,
                        std::string_view bytes) {
    int number = 0;
    for (const std::string& clip : clips) {
        if (auto n = ClipNumberOf(ExtractFileName(clip), ext)) number = std::max(number, *n + 1);
    }
    std::set<std::string> names;
    for (const FolderEntry& entry : listed) names.insert(FoldedName(entry.name));
    while (names.count(FoldedName(NumberToName(number) + "." + ext))) ++number;
    const std::string path = ClipFileName(baseDir, ext, number);
    // Something took the name since the scan.
    if (!SaveNewFile(folder, path, bytes)) throw FileCreateError(path);
    return path;
}

void RemoveUnfinishedClips(IClipFolder& folder, const std::string& baseDir, const std::string& ext) {
    RemoveTemporaryFiles(folder, ClipPattern(baseDir, ext));
}

}  // namespace lumeret
