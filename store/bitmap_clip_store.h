// The bitmap clips. Each clip is a numbered BMP file in the folder
// BaseDir + Ext ("bmp"), read and written through the clip folder; one clip
// at a time is shown, scaled to fit a frame.
// Pixels of a clip are loaded only for the operation that needs them; only
// the scaled clip on show stays, and a window paints it from there. Pixels
// are read straight from the clip file's bytes when they lie there as a
// loaded picture would hold them, as in every clip this program writes.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "dib/canvas.h"
#include "dib/dib.h"
#include "dib/graphic.h"
#include "platform/clip_folder.h"
#include "platform/clipboard.h"
#include "platform/geometry.h"
#include "platform/prompts.h"
#include "platform/signal.h"

namespace lumeret {

class BitmapClipStore {
public:
    // Creates the clip folder when it is missing and renumbers it. Nothing is
    // shown yet; the owner calls ShowItem(1) next. Pictures are fitted into a
    // frame of frameWidth x frameHeight.
    BitmapClipStore(std::string baseDir, std::string ext, IClipFolder& folder, IClipboard& clipboard,
                    IPrompts& prompts, int frameWidth, int frameHeight);
    BitmapClipStore(const BitmapClipStore&) = delete;
    BitmapClipStore& operator=(const BitmapClipStore&) = delete;

    // Reads, scales and shows clip index (1-based); false when index is not
    // a clip. Current does not change. A clip that cannot be read (cut off,
    // empty, not a picture, too large) is shown as damaged, never reported:
    // the page names its file, the counter counts it, and it can be deleted.
    bool ShowItem(int index);
    void Next();
    void Prior();
    void First();
    void Last();
    // Stores a picture (the clipboard's, read and checked by the caller) as
    // the new last clip, in a new file that replaces none, and shows it.
    void Add(Dib& picture);
    // Deletes the clip on show, asking the user first when confirmFirst.
    void DeleteCurrent(bool confirmFirst);
    void CopyToClipboard();
    // Writes clip (1 to Count) to fileName as a BMP file; nothing for
    // another number.
    void ExportToFile(int clip, const std::string& fileName);

    int Count() const { return static_cast<int>(clips_.size()); }
    int Current() const { return current_; }
    // "current / count" as the page's counter shows it; a fresh empty store
    // reads "0 / 0" although it stands on clip 1.
    std::string CounterText() const;
    // The place of the clip on show, anchored at the frame's top-left corner.
    const Rect& DrawRect() const { return drawRect_; }
    // The scaled clip on show, DrawRect's size.
    const MemoryCanvas& Shown() const { return shown_; }
    // The file name of the clip on show when it is damaged, else empty; and
    // why it could not be read.
    const std::string& DamagedName() const { return damagedName_; }
    const std::string& DamageReason() const { return damageReason_; }
    // The size the picture box takes: DrawRect's, or 0 x 0 with no clips.
    int BoxWidth() const { return boxWidth_; }
    int BoxHeight() const { return boxHeight_; }
    int FrameWidth() const { return frameWidth_; }
    int FrameHeight() const { return frameHeight_; }
    // The file of clip index (1-based), which must be a clip.
    const std::string& ClipPath(int index) const;

    // After every change of what the page shows: the box's size (also when it
    // stays the same), the picture, the counter.
    Signal<> changed;

private:
    void SetBoxSize(int width, int height);
    // Scales picture into the frame and shows it.
    void ShowPicture(const DibView& picture);
    void ShowDamaged(const std::string& path, const std::string& reason);
    void RemoveCurrent();
    // Hands use the pixels of clip index (1-based): where they lie in its
    // file when they can be read from there, else those of the file loaded.
    // Throws what reading or loading the file throws.
    void UseClip(int index, const std::function<void(const DibView&)>& use);

    std::string baseDir_;
    std::string ext_;
    IClipFolder& folder_;
    IClipboard& clipboard_;
    IPrompts& prompts_;
    int frameWidth_;
    int frameHeight_;
    Rect drawRect_;
    MemoryCanvas shown_{0, 0};
    std::string damagedName_;
    std::string damageReason_;
    int boxWidth_ = 0;
    int boxHeight_ = 0;
    int current_ = 1;
    // The clip files, in number order: clip i is clips_[i - 1].
    std::vector<std::string> clips_;
};

}  // namespace lumeret
