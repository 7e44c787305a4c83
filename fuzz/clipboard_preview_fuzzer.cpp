// The clipboard-to-preview path: another program offers arbitrary bytes as a
// DIB; the core reads a copy, checks it with the program's own reader and
// scales it into the preview. Whatever is offered, the preview stays within
// its square.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "core/app_core.h"
#include "support/fake_clip_folder.h"
#include "support/fakes.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace lumeret;
    test::FakeClipboard clipboard;
    test::FakeClipFolder folder;
    folder.directories = {"C:\\app"};
    test::FakePrompts prompts;
    test::MemoryProfile settingsFile;
    AppCore core(AppCore::Services{clipboard, folder, prompts, settingsFile}, "C:\\app\\");
    core.LoadClips();
    clipboard.Offer(kCfDib, std::vector<std::uint8_t>(data, data + size));
    core.OnClipboardReported();
    const Preview& preview = core.ClipboardPreview();
    const Rect& shown = preview.PictureRect();
    if (!preview.ShowingBitmap() || shown.Left != 0 || shown.Top != 0 || shown.Right > Preview::kSide ||
        shown.Bottom > Preview::kSide) {
        std::abort();
    }
    return 0;
}
