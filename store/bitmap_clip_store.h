// BitmapClipStore: the bitmap clips. Each clip is a numbered BMP file in the
// folder BaseDir + Ext ("bmp"); one clip at a time is shown, scaled to fit the
// paint box's frame. Pixels of a clip are loaded only for the operation that
// needs them; only the scaled clip on show stays, in the off-screen Buffer.
#pragma once

#include <string>

#include "dib/graphic.h"
#include "platform/clip_folder.h"
#include "platform/geometry.h"
#include "platform/prompts.h"
#include "store/paint_surface.h"

namespace lumeret {

class BitmapClipStore {
public:
    // Creates the clip folder when it is missing and renumbers it. Nothing is
    // drawn; the owner calls ShowItem(1) next. deleteCheck is the owner's
    // DELETECHECK setting, read at every deletion; it must outlive the store.
    BitmapClipStore(IPaintBox& paintBox, IOffscreenPicture& buffer, std::string baseDir, std::string ext,
                    IClipFolder& folder, ClipboardObject& clipboard, IPrompts& prompts,
                    const std::string& deleteCheck);
    BitmapClipStore(const BitmapClipStore&) = delete;
    BitmapClipStore& operator=(const BitmapClipStore&) = delete;

    // Loads, scales and shows clip index (1-based); false when index is not
    // a clip. Current does not change.
    bool ShowItem(int index);
    void Next();
    void Prior();
    void First();
    void Last();
    // Stores the clipboard's bitmap as the new last clip and shows the last
    // clip; false when the clipboard offers no bitmap.
    bool AddFromClipboard();
    // Deletes the clip on show, asking first when DELETECHECK is "TRUE".
    void DeleteCurrent();
    void CopyToClipboard();
    void ExportToFile(const std::string& fileName);
    // Repaints the clip on show from Buffer.
    void Paint();

    int Count() const { return Count_; }
    int Current() const { return Current_; }
    const Rect& DrawRect() const { return DrawRect_; }
    int FrameWidth() const { return FrameWidth_; }
    int FrameHeight() const { return FrameHeight_; }
    // The file of clip index (1-based).
    std::string ClipPath(int index) const;

private:
    Rect FitRect(const Graphic& graphic) const;
    void ResizeBuffer();
    void ResizePaintBox();
    void RemoveCurrent();

    std::string BaseDir_;
    std::string Ext_;
    IPaintBox& PaintBox_;
    IOffscreenPicture& Buffer_;
    Rect DrawRect_;
    int FrameWidth_ = 0;
    int FrameHeight_ = 0;
    int Current_ = 1;
    int Count_ = 0;
    IClipFolder& folder_;
    ClipboardObject& clipboard_;
    IPrompts& prompts_;
    const std::string& deleteCheck_;
};

}  // namespace lumeret
