// The text clip store on the real file system of the running build.
#include <gtest/gtest.h>

#include <optional>

#include "platform/clip_folder.h"
#include "platform/errors.h"
#include "store/clip_numbering.h"
#include "store/text_clip_store.h"
#include "platform/row_list.h"
#include "support/fakes.h"
#include "support/scratch_folder.h"

namespace lumeret {
namespace {

using test::FakeClipboard;
using test::FakePrompts;

struct TextStoreOnDisk : ::testing::Test {
    test::ScratchFolder scratch;
    SystemClipFolder folder;
    RowList rows;
    FakeClipboard clipboard;
    FakePrompts prompts;
    std::optional<TextClipStore> store;

    std::string Dir() const { return scratch.Base() + "txt\\"; }
    std::string Clip(int n) const { return ClipFileName(scratch.Base(), "txt", n); }
    void Put(const std::string& name, const std::string& bytes) { folder.WriteWholeFile(Dir() + name, bytes); }
    void Open() {
        store.emplace(rows, scratch.Base(), "txt", folder, clipboard, prompts);
        store->RefreshList();
    }
};

// The real folder, its file reads counted.
class CountedReads final : public IClipFolder {
public:
    explicit CountedReads(IClipFolder& real) : real_(real) {}
    std::vector<FolderEntry> FindEntries(const std::string& pattern) override { return real_.FindEntries(pattern); }
    int RenameFile(const std::string& from, const std::string& to) override { return real_.RenameFile(from, to); }
    int ReplaceFile(const std::string& from, const std::string& to) override { return real_.ReplaceFile(from, to); }
    bool RemoveFile(const std::string& path) override { return real_.RemoveFile(path); }
    bool FileExists(const std::string& path) override { return real_.FileExists(path); }
    std::string ReadWholeFile(const std::string& path) override {
        ++reads;
        return real_.ReadWholeFile(path);
    }
    void WriteWholeFile(const std::string& path, std::string_view bytes) override { real_.WriteWholeFile(path, bytes); }
    bool MakeDirectory(const std::string& path) override { return real_.MakeDirectory(path); }

    int reads = 0;

private:
    IClipFolder& real_;
};

TEST_F(TextStoreOnDisk, ADeleteReadsOnlyTheClipRewrittenSinceForRenamesKeepTheStamps) {
    ASSERT_TRUE(folder.MakeDirectory(scratch.Base() + "txt"));
    for (int i = 0; i < 5; ++i) Put(NumberToName(i) + ".txt", "clip " + std::to_string(i) + "\r\n");
    CountedReads counted(folder);
    TextClipStore onDisk(rows, scratch.Base(), "txt", counted, clipboard, prompts);
    onDisk.RefreshList();
    Put("00000003.txt", "rewritten, and longer\r\n");
    counted.reads = 0;
    EXPECT_TRUE(onDisk.DeleteClipFile(1));
    EXPECT_EQ(counted.reads, 1);
    EXPECT_EQ(rows.Rows(), (std::vector<std::string>{"clip 0", "clip 2", "rewritten, and longer", "clip 4"}));
    EXPECT_EQ(folder.ReadWholeFile(Clip(3)), "clip 4\r\n");
}

TEST_F(TextStoreOnDisk, FirstStartMakesTheFolder) {
    Open();
    EXPECT_EQ(store->Count(), 0);
    EXPECT_TRUE(store->AddText("hello"));
    EXPECT_EQ(folder.ReadWholeFile(Clip(0)), "hello\r\n");
}

TEST_F(TextStoreOnDisk, StartRenumbersGapsAndStrayNamesButLeavesOthersAlone) {
    ASSERT_TRUE(folder.MakeDirectory(scratch.Base() + "txt"));
    Put("00000000.txt", "zero\r\n");
    Put("00000002.txt", "two\r\n");
    Put("00000005.txt", "five\r\n");
    Put("abc.txt", "abc\r\n");
    Put("note.bmp", "not a text clip");
    std::string hidden = test::HiddenName("secret.txt");
    Put(hidden, "hidden\r\n");
    test::MarkHidden(Dir() + hidden);
    Open();
    EXPECT_EQ(store->Count(), 4);
    EXPECT_EQ(rows.Rows(), (std::vector<std::string>{"zero", "two", "five", "abc"}));
    EXPECT_EQ(folder.ReadWholeFile(Clip(3)), "abc\r\n");
    EXPECT_EQ(folder.ReadWholeFile(Dir() + hidden), "hidden\r\n");
    EXPECT_TRUE(folder.FileExists(Dir() + "note.bmp"));
}

// Every clip's bytes, in row order.
std::vector<std::string> ClipBytes(IClipFolder& folder, const TextClipStore& store) {
    std::vector<std::string> bytes;
    for (int i = 0; i < store.Count(); ++i) bytes.push_back(folder.ReadWholeFile(store.ClipPath(i)));
    return bytes;
}

TEST_F(TextStoreOnDisk, FolderNamedLikeAClipKeepsEveryClipThroughRegisterDeleteAndRestart) {
    using Texts = std::vector<std::string>;
    ASSERT_TRUE(folder.MakeDirectory(scratch.Base() + "txt"));
    ASSERT_TRUE(folder.MakeDirectory(Clip(0)));
    for (int i = 1; i <= 5; ++i) Put(NumberToName(i) + ".txt", "clip " + std::to_string(i) + "\r\n");
    Open();
    EXPECT_EQ(rows.Rows(), (Texts{"clip 1", "clip 2", "clip 3", "clip 4", "clip 5"}));
    EXPECT_TRUE(store->AddText("new"));
    EXPECT_EQ(folder.ReadWholeFile(Clip(5)), "clip 5\r\n");
    EXPECT_EQ(folder.ReadWholeFile(Clip(6)), "new\r\n");
    // Row 1 shows clip 2: that is the one deleted.
    store->DeleteItem(1, false);
    EXPECT_EQ(rows.Rows(), (Texts{"clip 1", "clip 3", "clip 4", "clip 5", "new"}));
    EXPECT_EQ(ClipBytes(folder, *store), (Texts{"clip 1\r\n", "clip 3\r\n", "clip 4\r\n", "clip 5\r\n", "new\r\n"}));
    Open();
    EXPECT_EQ(rows.Rows(), (Texts{"clip 1", "clip 3", "clip 4", "clip 5", "new"}));
    EXPECT_EQ(ClipBytes(folder, *store), (Texts{"clip 1\r\n", "clip 3\r\n", "clip 4\r\n", "clip 5\r\n", "new\r\n"}));
    EXPECT_EQ(folder.FindEntries(Clip(0)).size(), 1u);
    EXPECT_TRUE(folder.FindEntries(Clip(0))[0].directory);
}

TEST_F(TextStoreOnDisk, StrayShortNameKeepsEveryClipThroughRegisterDeleteAndRestart) {
    using Texts = std::vector<std::string>;
    ASSERT_TRUE(folder.MakeDirectory(scratch.Base() + "txt"));
    Put("0.txt", "stray\r\n");
    for (int i = 0; i < 4; ++i) Put(NumberToName(i) + ".txt", "clip " + std::to_string(i) + "\r\n");
    Open();
    EXPECT_EQ(store->Count(), 5);
    EXPECT_EQ(rows.Rows(), (Texts{"stray", "clip 0", "clip 1", "clip 2", "clip 3"}));
    EXPECT_TRUE(store->AddText("new"));
    EXPECT_EQ(folder.ReadWholeFile(Clip(5)), "new\r\n");
    store->DeleteItem(2, false);
    const Texts expected{"stray\r\n", "clip 0\r\n", "clip 2\r\n", "clip 3\r\n", "new\r\n"};
    EXPECT_EQ(ClipBytes(folder, *store), expected);
    Open();
    EXPECT_EQ(ClipBytes(folder, *store), expected);
    EXPECT_EQ(folder.FindEntries(Dir() + "*").size(), 5u);
    for (int i = 0; i < 5; ++i) EXPECT_TRUE(folder.FileExists(Clip(i)));
}

TEST_F(TextStoreOnDisk, ExchangeWhileTempFileExistsChangesNothing) {
    Open();
    store->AddText("a");
    store->AddText("b");
    Put("temp.txt", "left over\r\n");
    try {
        store->Exchange(0, 1);
        FAIL() << "no error";
    } catch (const IoError& e) {
        EXPECT_EQ(e.Message(), "I/O ｴﾗｰ (183)");
    }
    EXPECT_EQ(folder.ReadWholeFile(Clip(0)), "a\r\n");
    EXPECT_EQ(folder.ReadWholeFile(Clip(1)), "b\r\n");
    EXPECT_EQ(rows.Rows(), (std::vector<std::string>{"a", "b"}));
    // The next scan takes the stray file in as the last clip.
    Open();
    EXPECT_EQ(rows.Rows(), (std::vector<std::string>{"a", "b", "left over"}));
}

TEST_F(TextStoreOnDisk, ExchangeSwapsTheFiles) {
    Open();
    for (const char* t : {"a", "b", "c", "d"}) store->AddText(t);
    store->Exchange(0, 3);
    EXPECT_EQ(folder.ReadWholeFile(Clip(0)), "d\r\n");
    EXPECT_EQ(folder.ReadWholeFile(Clip(3)), "a\r\n");
    EXPECT_FALSE(folder.FileExists(Dir() + "temp.txt"));
}

TEST_F(TextStoreOnDisk, ReadOnlyClipIsListedAndCopiedButNotDeleted) {
    Open();
    store->AddText("first");
    store->AddText("locked");
    test::SetReadOnly(Clip(1), true);
    Open();
    EXPECT_EQ(rows.Rows(), (std::vector<std::string>{"first", "locked"}));
    rows.Select(1);
    EXPECT_TRUE(store->CopyToClipboard());
    EXPECT_EQ(clipboard.text, "locked");
    store->DeleteItem(1, false);
    EXPECT_EQ(prompts.errors, std::vector<std::string>{"ファイルの削除に失敗しました"});
    EXPECT_EQ(rows.Rows(), (std::vector<std::string>{"first", "locked"}));
    EXPECT_EQ(rows.Selected(), 1);
    test::SetReadOnly(Clip(1), false);
}

TEST_F(TextStoreOnDisk, TenMegabyteClipGoesThroughEveryOperation) {
    Open();
    std::string line(99, 'x');
    std::string big;
    big.reserve(10 * 1024 * 1024 + 200);
    while (big.size() < 10 * 1024 * 1024) big += line + "\r\n";
    big += "end";
    EXPECT_TRUE(store->AddText(big));
    EXPECT_EQ(folder.ReadWholeFile(Clip(0)).size(), big.size() + 2);
    EXPECT_FALSE(store->AddText(big));
    Open();
    EXPECT_EQ(rows.Rows(), std::vector<std::string>{line.substr(0, 64)});
    rows.Select(0);
    UserText preview;
    store->GetPreview(preview);
    EXPECT_EQ(preview.Bytes().size(), 256u + 12u);
    EXPECT_TRUE(store->CopyToClipboard());
    EXPECT_EQ(clipboard.text, big);
    EXPECT_TRUE(store->ExportToFile(rows.Selected(), scratch.Base() + "big.htm", true));
    EXPECT_GT(folder.ReadWholeFile(scratch.Base() + "big.htm").size(), big.size());
}

}  // namespace
}  // namespace lumeret
