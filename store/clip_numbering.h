// The numbering of a clip folder, shared by the text and the bitmap store:
// clip i is the file "<BaseDir><Ext>\<8 digits of i>.<Ext>", and the files
// are kept numbered 0 to Count - 1 without gaps.
#pragma once

#include <string>

#include "platform/clip_folder.h"

namespace lumeret {

// The decimal digits of number, left-padded with "0" to 8 characters; a
// longer number is written in full.
std::string NumberToName(int number);

// One file of a renumbering: where the scan found it and where it goes.
struct FileRenaming {
    std::string OldName;
    std::string NewName;
};

// Scans BaseDir + Ext + "\*." + Ext (directories, hidden and system files
// left alone), renames the files found to 0, 1, 2 ... in the byte order of
// their names and sets count to the number found. A rename that fails is
// ignored: that file keeps its name and still counts. There is no limit on
// the number of files.
void RenumberFiles(IClipFolder& folder, const std::string& baseDir, const std::string& ext, int& count);

// The full path of clip number in the folder BaseDir + Ext.
std::string ClipFileName(const std::string& baseDir, const std::string& ext, int number);

}  // namespace lumeret
