// A large clip file seen through a view: while the program looks at it, no
// other program can write it or cut it short.
#include <gtest/gtest.h>

#include <windows.h>

#include "platform/clip_folder.h"
#include "platform/handles_win32.h"
#include "support/scratch_folder.h"

namespace lumeret {
namespace {

TEST(ViewedClipFile, CannotBeWrittenWhileViewedAndCanAfterwards) {
    test::ScratchFolder scratch;
    SystemClipFolder folder;
    const std::string path = scratch.Base() + "1.bmp";
    const std::string bytes(3 * 1024 * 1024, 'b');
    folder.WriteWholeFile(path, bytes);
    const auto openForWriting = [&path] {
        return UniqueFileHandle(CreateFileA(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                            OPEN_EXISTING, 0, nullptr));
    };

    bool writableMeanwhile = true;
    DWORD refusal = 0;
    std::size_t seen = 0;
    folder.ViewWholeFile(path, [&](std::string_view view) {
        seen = view.size();
        writableMeanwhile = static_cast<bool>(openForWriting());
        refusal = GetLastError();
    });
    EXPECT_EQ(seen, bytes.size());
    EXPECT_FALSE(writableMeanwhile);
    EXPECT_EQ(refusal, static_cast<DWORD>(ERROR_SHARING_VIOLATION));
    EXPECT_TRUE(openForWriting());
}

}  // namespace
}  // namespace lumeret
