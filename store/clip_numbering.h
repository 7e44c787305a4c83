// The numbering of a clip folder, shared by the text and the bitmap store:
// clip files are named "<BaseDir><Ext>\<8 digits>.<Ext>" and kept numbered
// from 0 without gaps, except over names the program cannot take (a folder,
// a hidden or a system file named like a clip), which the numbers skip.
#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/clip_folder.h"

namespace lumeret {

// The clip folder BaseDir + Ext, ending in "\".
std::string ClipFolderPath(const std::string& baseDir, const std::string& ext);

// The search pattern of a clip folder: BaseDir + Ext + "\*." + Ext.
std::string ClipPattern(const std::string& baseDir, const std::string& ext);

// The decimal digits of number, left-padded with "0" to 8 characters; a
// longer number is written in full.
std::string NumberToName(int number);

// One file of a renumbering: where the scan found it and where it goes.
struct FileRenaming {
    std::string OldName;
    std::string NewName;
};

// Scans BaseDir + Ext + "\*." + Ext (directories, hidden and system files
// left alone) and renames the files found to the free numbers 0, 1, 2 ... in
// the byte order of their names. Returns the clips' paths in that order. A
// rename that fails is passed over: that file keeps its name and still
// counts, and so do the files that would have moved onto it. Only renames
// onto free names are made, so a process that dies meanwhile leaves every
// clip under a name the next scan takes. There is no limit on the number of
// files. renamed, when given, is told of each rename made, in that order.
using RenameNotice = std::function<void(const std::string& from, const std::string& to)>;
std::vector<std::string> RenumberFiles(IClipFolder& folder, const std::string& baseDir, const std::string& ext,
                                       const RenameNotice& renamed = {});

// Saves bytes as a new clip, numbered after the last one of clips (the
// store's clip paths) and never onto a name already in the folder. Returns
// its path. Throws as SaveFile when it cannot be written.
std::string AddClipFile(IClipFolder& folder, const std::string& baseDir, const std::string& ext,
                        const std::vector<std::string>& clips, std::string_view bytes);
// The same with the folder's entries as the caller has just listed them
// (ClipPattern); a name taken since is never written over either.
std::string AddClipFile(IClipFolder& folder, const std::string& baseDir, const std::string& ext,
                        const std::vector<std::string>& clips, const std::vector<FolderEntry>& listed,
                        std::string_view bytes);

// Removes what a killed save left behind in the clip folder BaseDir + Ext.
void RemoveUnfinishedClips(IClipFolder& folder, const std::string& baseDir, const std::string& ext);

// The full path of clip number in the folder BaseDir + Ext.
std::string ClipFileName(const std::string& baseDir, const std::string& ext, int number);

}  // namespace lumeret
