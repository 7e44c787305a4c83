// The text clips: the user's registered texts are numbered files in the
// folder BaseDir + Ext ("txt"), and a list of rows shows one caption per
// file. The store keeps the file of every row, so a row acts on the file it
// shows also where the numbers skip a name or a rename failed.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "platform/clip_folder.h"
#include "platform/clipboard.h"
#include "platform/row_list.h"
#include "platform/user_text.h"
#include "platform/prompts.h"

namespace lumeret {

class TextClipStore {
public:
    // Remembers its partners, creates the clip folder when it is missing and
    // renumbers it; the rows are filled by the owner's RefreshList.
    TextClipStore(RowList& rows, std::string baseDir, std::string ext, IClipFolder& folder, IClipboard& clipboard,
                  IPrompts& prompts);

    TextClipStore(const TextClipStore&) = delete;
    TextClipStore& operator=(const TextClipStore&) = delete;

    // Rebuilds the rows: one caption per existing clip file, in number order;
    // a clip whose file has gone is dropped. A file read before and not
    // changed since (renamed by the store, say) is not read again.
    void RefreshList();
    // Registers text (trimmed by the caller) as the new last clip, in a new
    // file that replaces none. False, with the equal clip's row selected,
    // when an identical clip exists.
    bool AddText(const std::string& text);
    // Number of the clip whose text equals text byte for byte; the highest
    // one wins; -1 when none. A clip read before is read again only when its
    // file changed since or its text may equal this one.
    int IndexOfText(const std::string& text);
    // Deletes clip index (the selected row), asking the user first when
    // confirmFirst.
    void DeleteItem(int index, bool confirmFirst);
    // Deletes the file of clip index without asking, renumbers, refreshes the
    // rows and selects row index. False when nothing was attempted. Every
    // step is a deletion or a rename onto a free name, so a process that dies
    // meanwhile leaves every other clip for the next start.
    bool DeleteClipFile(int index);
    // Puts the selected clip's text on the clipboard. False when no row is
    // selected or the store is empty.
    bool CopyToClipboard();
    // Preview of the selected clip: up to 16 lines and 256 bytes, with the
    // program's continuation marker after 16 lines; empty when nothing is
    // selected.
    void GetPreview(UserText& text);
    // Swaps two clips: their files and their captions. The first one waits
    // as "temp.txt" meanwhile, a name the scan takes, so a process that dies
    // half-way loses no clip.
    void Exchange(int index1, int index2);
    // Writes clip index to fileName, as an HTML page when asHtml. False,
    // writing nothing, for no clip (-1 when no row is selected).
    bool ExportToFile(int index, const std::string& fileName, bool asHtml);

    int Count() const { return static_cast<int>(clips_.size()); }
    const std::string& BaseDir() const { return baseDir_; }
    const std::string& Ext() const { return ext_; }
    // The file of clip index (its row); IoError "file not found" when there
    // is no such clip.
    const std::string& ClipPath(int index) const;

private:
    // A text's length and hash: equal texts have equal digests.
    struct TextDigest {
        std::size_t length = 0;
        std::size_t hash = 0;
        static TextDigest Of(std::string_view text);
        friend bool operator==(const TextDigest&, const TextDigest&) = default;
    };
    // What a clip's file held when it was last read: its text's digest and
    // its row's caption, with the file's stamp, taken before that reading so
    // that any later write shows as another stamp.
    struct ReadText {
        FileStamp stamp;
        TextDigest digest;
        std::string caption;
    };
    struct ClipRead {
        std::string caption;
        std::string text;  // trimmed
    };
    using Stamps = std::unordered_map<std::string, FileStamp>;

    std::vector<std::string> ReadLines(int index);
    // Clip index's text with every line ended by CR LF, untrimmed.
    std::string ReadLinesEndedByCrLf(int index);
    std::string ReadClipText(int index);
    // The folder's clip files as listed.
    std::vector<FolderEntry> ListClipFiles();
    // The stamps of listed files, by path.
    Stamps StampsOf(const std::vector<FolderEntry>& listed) const;
    int IndexOfText(const std::string& text, const std::vector<FolderEntry>& listed);
    // Whether the file at path exists, told by the listing's stamps where
    // they have it.
    bool FileExists(const std::string& path, const Stamps& stamps);
    // Reads clip index's file, listed with stamps, and notes what it held.
    ClipRead ReadClip(int index, const Stamps& stamps);
    // What the file at path held when last read, if it is listed with the
    // stamp it had then; null otherwise.
    const ReadText* UnchangedRead(const std::string& path, const Stamps& stamps) const;
    // Renumbers the folder; what was read goes along with each renamed file.
    std::vector<std::string> Renumber();
    // Forgets what was read of files that are no longer clips.
    void ForgetOtherFiles();
    void Rename(const std::string& from, const std::string& to);

    std::string ext_;
    RowList& rows_;
    std::string baseDir_;
    // The clip files, in number order: row i shows clips_[i].
    std::vector<std::string> clips_;
    // By path: what each clip file held when it was last read.
    std::unordered_map<std::string, ReadText> read_;
    IClipFolder& folder_;
    IClipboard& clipboard_;
    IPrompts& prompts_;
};

// The stored form of a text: its lines, each followed by CR LF.
std::string ClipFileContent(const std::string& text);

// The caption a clip's row shows.
std::string ClipCaption(const std::string& text);

}  // namespace lumeret
