#include "store/text_clip_store.h"

#include <algorithm>
#include <functional>
#include <utility>

#include "platform/errors.h"
#include "platform/text.h"
#include "store/clip_numbering.h"
#include "store/clip_text_limits.h"
#include "store/text_export.h"

namespace lumeret {

namespace {
// A preview shows lines 0 to 15 at most.
constexpr int kPreviewLastLine = 15;
// The file an exchange parks the first clip in while the second one moves.
constexpr const char* kExchangeTempName = "temp.txt";
}  // namespace

std::string ClipFileContent(const std::string& text) { return LinesEndedByCrLf(text); }

std::string ClipCaption(const std::string& text) { return Trim(CutText(text, kCaptionBytes)); }

TextClipStore::TextClipStore(RowList& rows, std::string baseDir, std::string ext, IClipFolder& folder,
                             IClipboard& clipboard, IPrompts& prompts)
    : ext_(std::move(ext)),
      rows_(rows),
      baseDir_(std::move(baseDir)),
      folder_(folder),
      clipboard_(clipboard),
      prompts_(prompts) {
    // An existing folder, or one that cannot be made, is no error here: the
    // file operations report what goes wrong later.
    folder_.MakeDirectory(baseDir_ + ext_);
    RemoveUnfinishedClips(folder_, baseDir_, ext_);
    clips_ = Renumber();
}

const std::string& TextClipStore::ClipPath(int index) const {
    if (index < 0 || index >= Count()) throw IoError(kErrorFileNotFound);
    return clips_[static_cast<std::size_t>(index)];
}

std::vector<std::string> TextClipStore::ReadLines(int index) {
    return SplitLines(folder_.ReadWholeFile(ClipPath(index)));
}

std::string TextClipStore::ReadLinesEndedByCrLf(int index) {
    return LinesEndedByCrLf(folder_.ReadWholeFile(ClipPath(index)));
}

std::string TextClipStore::ReadClipText(int index) { return Trim(ReadLinesEndedByCrLf(index)); }

TextClipStore::TextDigest TextClipStore::TextDigest::Of(std::string_view text) {
    return {text.size(), std::hash<std::string_view>{}(text)};
}

std::vector<FolderEntry> TextClipStore::ListClipFiles() { return folder_.FindEntries(ClipPattern(baseDir_, ext_)); }

TextClipStore::Stamps TextClipStore::StampsOf(const std::vector<FolderEntry>& listed) const {
    Stamps stamps;
    const std::string dir = ClipFolderPath(baseDir_, ext_);
    for (const FolderEntry& entry : listed) {
        if (!entry.directory) stamps.emplace(dir + entry.name, entry.stamp);
    }
    return stamps;
}

bool TextClipStore::FileExists(const std::string& path, const Stamps& stamps) {
    // A file the folder lists exists; any other is asked about.
    return stamps.contains(path) || folder_.FileExists(path);
}

TextClipStore::ClipRead TextClipStore::ReadClip(int index, const Stamps& stamps) {
    std::string joined = ReadLinesEndedByCrLf(index);
    ClipRead clip{ClipCaption(joined), Trim(std::move(joined))};
    const std::string& path = ClipPath(index);
    if (auto stamp = stamps.find(path); stamp != stamps.end()) {
        read_[path] = {stamp->second, TextDigest::Of(clip.text), clip.caption};
    }
    return clip;
}

const TextClipStore::ReadText* TextClipStore::UnchangedRead(const std::string& path, const Stamps& stamps) const {
    auto read = read_.find(path);
    auto stamp = stamps.find(path);
    if (read == read_.end() || stamp == stamps.end() || read->second.stamp != stamp->second) return nullptr;
    return &read->second;
}

std::vector<std::string> TextClipStore::Renumber() {
    return RenumberFiles(folder_, baseDir_, ext_, [this](const std::string& from, const std::string& to) {
        auto read = read_.extract(from);
        read_.erase(to);
        if (read) {
            read.key() = to;
            read_.insert(std::move(read));
        }
    });
}

void TextClipStore::RefreshList() {
    RowList::Batch batch(rows_);
    rows_.Clear();
    const Stamps stamps = StampsOf(ListClipFiles());
    std::erase_if(clips_, [&](const std::string& path) { return !FileExists(path, stamps); });
    for (int i = 0; i < Count(); ++i) {
        const ReadText* known = UnchangedRead(ClipPath(i), stamps);
        try {
            rows_.Add(known ? known->caption : ReadClip(i, stamps).caption);
        } catch (...) {
            // The list ends at a clip that cannot be read. The clips behind it
            // go with their rows, so that every row, and one added later,
            // still acts on its own file.
            clips_.resize(static_cast<std::size_t>(i));
            ForgetOtherFiles();
            throw;
        }
    }
    ForgetOtherFiles();
}

void TextClipStore::ForgetOtherFiles() {
    std::unordered_map<std::string, ReadText> kept;
    for (const std::string& path : clips_) {
        if (auto read = read_.extract(path)) kept.insert(std::move(read));
    }
    read_ = std::move(kept);
}

int TextClipStore::IndexOfText(const std::string& text) { return IndexOfText(text, ListClipFiles()); }

int TextClipStore::IndexOfText(const std::string& text, const std::vector<FolderEntry>& listed) {
    const Stamps stamps = StampsOf(listed);
    const TextDigest wanted = TextDigest::Of(text);
    int result = -1;
    for (int i = 0; i < Count(); ++i) {
        const std::string& path = ClipPath(i);
        const ReadText* known = UnchangedRead(path, stamps);
        if (known && known->digest != wanted) continue;
        if (!FileExists(path, stamps)) continue;
        if (ReadClip(i, stamps).text == text) result = i;
    }
    return result;
}

bool TextClipStore::AddText(const std::string& text) {
    // One listing serves the search and the new file's name.
    const std::vector<FolderEntry> listed = ListClipFiles();
    int i = IndexOfText(text, listed);
    if (i != -1) {
        rows_.Select(i);
        return false;
    }
    // The file goes first: a failed write must not leave a row without a file.
    clips_.push_back(AddClipFile(folder_, baseDir_, ext_, clips_, listed, ClipFileContent(Trim(text))));
    rows_.Add(ClipCaption(text));
    return true;
}

bool TextClipStore::CopyToClipboard() {
    int i = rows_.Selected();
    if (i < 0 || Count() <= 0) return false;
    // Read before writing: an unreadable clip leaves the clipboard as it was.
    std::string text = ReadClipText(i);
    clipboard_.SetText(text);
    return true;
}

void TextClipStore::GetPreview(UserText& text) {
    text = UserText();
    int i = rows_.Selected();
    if (i < 0 || Count() <= 0) return;
    if (i >= Count() || !folder_.FileExists(ClipPath(i))) {
        // Removed outside the program: the rows no longer match the folder.
        clips_ = Renumber();
        RefreshList();
        return;
    }
    std::vector<std::string> lines = ReadLines(i);
    int last = std::min(static_cast<int>(lines.size()) - 1, kPreviewLastLine);
    std::string joined;
    for (int k = 0; k <= last; ++k) {
        if (k > 0) joined += "\r\n";
        joined += lines[static_cast<std::size_t>(k)];
    }
    text.Data(CutText(Trim(std::move(joined)), kPreviewBytes));
    // The marker goes by the number of lines only: 16 lines get it even when
    // nothing was left out, a long line cut at 256 bytes does not.
    if (last == kPreviewLastLine) text.Words(kContinuationMarker);
}

void TextClipStore::DeleteItem(int index, bool confirmFirst) {
    // A clip removed outside the program is not asked about: showing the
    // question would renumber the folder, and the number would then name the
    // clip behind it. Deleting it fails and says so, as without the question.
    const bool clipThere = index >= 0 && index < Count() && folder_.FileExists(ClipPath(index));
    if (confirmFirst && clipThere) {
        prompts_.Beep(BeepKind::Question);
        UserText preview;
        GetPreview(preview);
        UserText question("このテキストを削除しますか\r\n\r\n");
        if (prompts_.AskYesNo(question.Append(preview))) DeleteClipFile(index);
        return;
    }
    DeleteClipFile(index);
}

bool TextClipStore::DeleteClipFile(int index) {
    if (index < 0 || Count() <= 0) return false;
    if (index >= Count() || !folder_.RemoveFile(ClipPath(index))) prompts_.ShowError("ファイルの削除に失敗しました");
    // The scan counts the folder afresh, so a clip that could not be deleted
    // is counted and listed again.
    clips_ = Renumber();
    RowList::Batch batch(rows_);
    RefreshList();
    // The clip that moved up into the deleted one's place; none after the last.
    rows_.Select(index);
    return true;
}

void TextClipStore::Rename(const std::string& from, const std::string& to) {
    if (int code = folder_.RenameFile(from, to); code != 0) throw IoError(code);
}

void TextClipStore::Exchange(int index1, int index2) {
    if (index1 == index2) return;
    const std::string f1 = ClipPath(index1);
    const std::string f2 = ClipPath(index2);
    const std::string temp = ClipFolderPath(baseDir_, ext_) + kExchangeTempName;
    // A rename keeps a file's stamp: what was read under the two names no
    // longer holds, whichever renames succeed.
    read_.erase(f1);
    read_.erase(f2);

    // A rename that fails half-way undoes the earlier ones before the error
    // goes up, so no clip is left behind as the temporary file. Undoing is
    // best effort: it moves files back along paths that just worked.
    Rename(f1, temp);
    try {
        Rename(f2, f1);
    } catch (const IoError&) {
        folder_.RenameFile(temp, f1);
        throw;
    }
    try {
        Rename(temp, f2);
    } catch (const IoError&) {
        folder_.RenameFile(f1, f2);
        folder_.RenameFile(temp, f1);
        throw;
    }

    int rowCount = rows_.Count();
    if (index1 < 0 || index2 < 0 || index1 >= rowCount || index2 >= rowCount) return;
    RowList::Batch batch(rows_);
    int selected = rows_.Selected();
    std::string a = rows_.Row(index1);
    std::string b = rows_.Row(index2);
    rows_.Insert(index1, b);
    rows_.Remove(index1 + 1);
    rows_.Insert(index2, a);
    rows_.Remove(index2 + 1);
    // Replacing a row drops the selection with it; the selected index stays.
    rows_.Select(selected);
}

bool TextClipStore::ExportToFile(int index, const std::string& fileName, bool asHtml) {
    if (index < 0 || index >= Count()) return false;
    std::vector<std::string> lines = ReadLines(index);
    if (asHtml) ConvertToHtml(lines);
    SaveFile(folder_, fileName, JoinLinesCrLf(lines));
    return true;
}

}  // namespace lumeret
