// A text clip that another program holds open without sharing: the store
// reports what it cannot do and loses nothing.
#include <gtest/gtest.h>

#include <windows.h>

#include "platform/clip_folder.h"
#include "platform/errors.h"
#include "platform/handles_win32.h"
#include "store/clip_numbering.h"
#include "store/text_clip_store.h"
#include "platform/row_list.h"
#include "support/fakes.h"
#include "support/scratch_folder.h"

namespace lumeret {
namespace {

struct LockedClip : ::testing::Test {
    test::ScratchFolder scratch;
    SystemClipFolder folder;
    RowList rows;
    test::FakeClipboard clipboard;
    test::FakePrompts prompts;

    std::string Clip(int n) const { return ClipFileName(scratch.Base(), "txt", n); }
    UniqueFileHandle Lock(int n) const {
        return UniqueFileHandle(CreateFileA(Clip(n).c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr));
    }
    void SetUp() override {
        folder.MakeDirectory(scratch.Base() + "txt");
        for (int i = 0; i < 3; ++i) folder.WriteWholeFile(Clip(i), "clip " + std::to_string(i) + "\r\n");
    }
};

TEST_F(LockedClip, ReadingItReportsTheFileAndLeavesTheClipboardAlone) {
    TextClipStore store(rows, scratch.Base(), "txt", folder, clipboard, prompts);
    store.RefreshList();
    ASSERT_EQ(rows.Count(), 3);
    UniqueFileHandle lock = Lock(1);
    ASSERT_TRUE(lock);
    clipboard.SetText("the user's own text");
    rows.Select(1);
    try {
        store.CopyToClipboard();
        FAIL() << "no error";
    } catch (const FileOpenError& e) {
        EXPECT_EQ(e.Message(), "ﾌｧｲﾙ " + Clip(1) + " は開けません");
    }
    EXPECT_EQ(clipboard.text, "the user's own text");
    // The duplicate test must read it to register its very text, and does not
    // register that text blindly; any other text it cannot be, unchanged
    // since the list was filled.
    EXPECT_THROW(store.AddText("clip 1"), FileOpenError);
    EXPECT_TRUE(store.AddText("new text"));
    lock.reset();
    EXPECT_FALSE(store.AddText("clip 1"));
    EXPECT_EQ(rows.Selected(), 1);
    EXPECT_EQ(store.Count(), 4);
}

TEST_F(LockedClip, DeletingItReportsAndKeepsEveryClip) {
    TextClipStore store(rows, scratch.Base(), "txt", folder, clipboard, prompts);
    store.RefreshList();
    UniqueFileHandle lock = Lock(1);
    ASSERT_TRUE(lock);
    store.DeleteItem(1, false);
    EXPECT_EQ(prompts.errors, std::vector<std::string>{"ファイルの削除に失敗しました"});
    // Its file is as it was read, so the list shows it without reading it.
    EXPECT_EQ(rows.Rows(), (std::vector<std::string>{"clip 0", "clip 1", "clip 2"}));
    lock.reset();
    store.RefreshList();
    EXPECT_EQ(store.Count(), 3);
    EXPECT_EQ(rows.Rows(), (std::vector<std::string>{"clip 0", "clip 1", "clip 2"}));
}

TEST_F(LockedClip, RenumberingPassesItOverAndTheNextStartClosesTheGap) {
    folder.RemoveFile(Clip(0));
    {
        UniqueFileHandle lock = Lock(1);
        ASSERT_TRUE(lock);
        // Could not move while held; the clip after it waits.
        EXPECT_EQ(RenumberFiles(folder, scratch.Base(), "txt"), (std::vector<std::string>{Clip(1), Clip(2)}));
    }
    EXPECT_EQ(RenumberFiles(folder, scratch.Base(), "txt"), (std::vector<std::string>{Clip(0), Clip(1)}));
    EXPECT_EQ(folder.ReadWholeFile(Clip(0)), "clip 1\r\n");
    EXPECT_EQ(folder.ReadWholeFile(Clip(1)), "clip 2\r\n");
}

}  // namespace
}  // namespace lumeret
