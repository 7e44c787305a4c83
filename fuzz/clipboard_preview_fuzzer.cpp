// The clipboard-to-preview path: another program offers arbitrary bytes as a
// DIB; the core reads them where they lie, checks them with the program's own
// reader and scales them into the preview. Whatever is offered, the preview
// stays within its square, and a picture read into the memory of the one
// before (the same bytes with the last one changed) shows as it shows alone.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "core/app_core.h"
#include "support/fake_clip_folder.h"
#include "support/fakes.h"

namespace {

using namespace lumeret;

// A core with empty folders that has handled each block offered in turn;
// what its preview shows afterwards, row by row (nothing when no picture
// was read).
std::vector<std::uint32_t> PreviewAfter(const std::vector<std::vector<std::uint8_t>>& offers) {
    test::FakeClipboard clipboard;
    test::FakeClipFolder folder;
    folder.directories = {"C:\\app"};
    test::FakePrompts prompts;
    test::MemoryProfile settingsFile;
    AppCore core(AppCore::Services{clipboard, folder, prompts, settingsFile}, "C:\\app\\");
    core.LoadClips();
    for (const auto& offer : offers) {
        clipboard.Offer(kCfDib, offer);
        core.OnClipboardReported();
    }
    const Preview& preview = core.ClipboardPreview();
    const Rect& shown = preview.PictureRect();
    if (!preview.ShowingBitmap() || shown.Left != 0 || shown.Top != 0 || shown.Right > Preview::kSide ||
        shown.Bottom > Preview::kSide) {
        std::abort();
    }
    std::vector<std::uint32_t> shownPixels;
    for (std::int32_t y = 0; y < shown.Bottom; ++y) {
        for (std::int32_t x = 0; x < shown.Right; ++x) shownPixels.push_back(preview.Picture().Pixel(x, y));
    }
    return shownPixels;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::vector<std::uint8_t> offered(data, data + size);
    const std::vector<std::uint32_t> alone = PreviewAfter({offered});
    if (alone.empty()) return 0;  // refused: the preview keeps what it showed
    std::vector<std::uint8_t> before = offered;
    before.back() ^= 0xFF;
    if (PreviewAfter({before, offered}) != alone) std::abort();
    return 0;
}
