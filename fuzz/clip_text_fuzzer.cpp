// The text clip store on clip files holding arbitrary bytes: the input is
// cut into up to three files at each byte 0xFF. Every file gets its row;
// each row's preview, a search for its text and an HTML export must work.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "platform/row_list.h"
#include "store/clip_numbering.h"
#include "store/text_clip_store.h"
#include "support/fake_clip_folder.h"
#include "support/fakes.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace lumeret;
    constexpr int kMaxFiles = 3;
    test::FakeClipFolder folder;
    folder.directories = {"C:\\app", "C:\\app\\txt"};
    std::string_view rest(reinterpret_cast<const char*>(data), size);
    int files = 0;
    while (files < kMaxFiles) {
        const std::size_t end = rest.find('\xFF');
        folder.files[ClipFileName("C:\\app\\", "txt", files++)].bytes = std::string(rest.substr(0, end));
        if (end == std::string_view::npos) break;
        rest = rest.substr(end + 1);
    }
    RowList rows;
    test::FakeClipboard clipboard;
    test::FakePrompts prompts;
    TextClipStore store(rows, "C:\\app\\", "txt", folder, clipboard, prompts);
    store.RefreshList();
    if (rows.Count() != files || store.Count() != files) std::abort();
    for (int row = 0; row < files; ++row) {
        rows.Select(row);
        UserText preview;
        store.GetPreview(preview);
        store.IndexOfText(folder.Content(ClipFileName("C:\\app\\", "txt", row)));
        store.ExportToFile(row, "C:\\app\\out.html", true);
        if (!store.CopyToClipboard()) std::abort();
    }
    return 0;
}
