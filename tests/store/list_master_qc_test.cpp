#include "store/list_master_qc.h"

#include <gtest/gtest.h>

#include <optional>

#include "platform/errors.h"
#include "platform/text.h"
#include "store/clip_numbering.h"
#include "support/fake_clip_folder.h"
#include "support/fakes.h"

namespace lumeret {
namespace {

using test::FakeClipboard;
using test::FakeClipFolder;
using test::FakeListRows;
using test::FakePrompts;

const std::string kBase = "C:\\app\\";
const std::string kDir = "C:\\app\\txt\\";

std::string Clip(int n) { return kDir + NumberToName(n) + ".txt"; }

std::string Lines(int n, const std::string& prefix = "line") {
    std::string text;
    for (int i = 0; i < n; ++i) text += prefix + std::to_string(i) + "\r\n";
    return text;
}

struct TextStore : ::testing::Test {
    FakeListRows rows;
    FakeClipboard clipboard;
    FakePrompts prompts;
    FakeClipFolder folder;
    std::string deleteCheck = "FALSE";
    std::optional<TListMasterQC> store;

    TextStore() { folder.directories.insert("C:\\app"); }

    // Clip files as the store writes them, numbered from 0.
    void Seed(std::initializer_list<std::string> texts) {
        folder.directories.insert("C:\\app\\txt");
        int n = static_cast<int>(folder.NamesIn(kDir).size());
        for (const auto& t : texts) folder.files[Clip(n++)].bytes = ClipFileContent(t);
    }
    void Open() {
        store.emplace(rows, kBase, "txt", folder, clipboard, prompts, deleteCheck);
        store->RefreshList();
    }
    void OpenWith(std::initializer_list<std::string> texts) {
        Seed(texts);
        Open();
    }
    std::string Text(int n) { return folder.Content(Clip(n)); }
    std::string Preview() {
        std::string text = "previous";
        store->GetPreview(text);
        return text;
    }
};

// --- creation and the list ---

TEST_F(TextStore, FirstStartCreatesTheFolderWithNoClips) {
    Open();
    EXPECT_TRUE(folder.directories.count("C:\\app\\txt"));
    EXPECT_EQ(store->Count(), 0);
    EXPECT_TRUE(rows.rows.empty());
    EXPECT_EQ(folder.probes, std::vector<std::string>{Clip(0)});
}

TEST_F(TextStore, CreateRenumbersButLeavesTheRowsToRefreshList) {
    folder.directories.insert("C:\\app\\txt");
    folder.files[kDir + "00000000.txt"].bytes = "zero\r\n";
    folder.files[kDir + "00000002.txt"].bytes = "two\r\n";
    folder.files[kDir + "00000005.txt"].bytes = "five\r\n";
    rows.rows = {"old row"};
    store.emplace(rows, kBase, "txt", folder, clipboard, prompts, deleteCheck);
    EXPECT_EQ(store->Count(), 3);
    EXPECT_EQ(rows.rows, std::vector<std::string>{"old row"});
    store->RefreshList();
    EXPECT_EQ(rows.rows, (std::vector<std::string>{"zero", "two", "five"}));
    EXPECT_EQ(Text(2), "five\r\n");
}

TEST_F(TextStore, CaptionIsTheTrimmedFirst64BytesOfTheJoinedLines) {
    folder.directories.insert("C:\\app\\txt");
    folder.files[Clip(0)].bytes = "  first\nsecond\rthird\r\n";
    folder.files[Clip(1)].bytes = std::string(63, 'a') + " tail cut off";
    Open();
    EXPECT_EQ(rows.rows[0], "first\r\nsecond\r\nthird");
    EXPECT_EQ(rows.rows[1], std::string(63, 'a'));
}

TEST_F(TextStore, RefreshListAlsoShowsAFileOnePastTheLastNumber) {
    OpenWith({"a", "b"});
    folder.files[Clip(2)].bytes = "late\r\n";  // appeared after the scan
    folder.files[Clip(3)].bytes = "later\r\n";
    store->RefreshList();
    EXPECT_EQ(rows.rows, (std::vector<std::string>{"a", "b", "late"}));
}

TEST_F(TextStore, SubfolderNamedLikeAClipIsNeitherCountedNorListed) {
    Seed({"a", "b", "c"});
    folder.directories.insert(kDir + "00000003.txt");
    Open();
    EXPECT_EQ(store->Count(), 3);
    EXPECT_EQ(rows.rows, (std::vector<std::string>{"a", "b", "c"}));
}

TEST_F(TextStore, UnreadableClipStopsRefreshListWithTheFileOpenError) {
    OpenWith({"a", "b", "c"});
    folder.unreadable.insert(Clip(1));
    try {
        store->RefreshList();
        FAIL() << "no error";
    } catch (const EFOpenError& e) {
        EXPECT_EQ(e.Message(), "ﾌｧｲﾙ " + Clip(1) + " は開けません");
    }
}

TEST_F(TextStore, TwoThousandClipsAreAllListed) {
    folder.directories.insert("C:\\app\\txt");
    for (int i = 0; i < 2000; ++i) folder.files[kDir + NumberToName(2 * i + 1) + ".txt"].bytes = "clip " + std::to_string(i) + "\r\n";
    Open();
    EXPECT_EQ(store->Count(), 2000);
    ASSERT_EQ(rows.Count(), 2000);
    EXPECT_EQ(rows.rows[1999], "clip 1999");
    EXPECT_TRUE(store->AddText("one more"));
    EXPECT_EQ(Text(2000), "one more\r\n");
    EXPECT_EQ(rows.Count(), 2001);
}

// --- registering ---

TEST_F(TextStore, NewTextBecomesTheNextFileAndLastRow) {
    OpenWith({"first"});
    rows.Select(0);
    EXPECT_TRUE(store->AddText("abc"));
    EXPECT_EQ(store->Count(), 2);
    EXPECT_EQ(Text(1), "abc\r\n");
    EXPECT_EQ(rows.rows, (std::vector<std::string>{"first", "abc"}));
    EXPECT_EQ(rows.selected, 0);
}

TEST_F(TextStore, DuplicateSelectsTheHighestEqualClipAndWritesNothing) {
    OpenWith({"a", "dup", "b", "dup", "c"});
    EXPECT_FALSE(store->AddText("dup"));
    EXPECT_EQ(rows.selected, 3);
    EXPECT_TRUE(folder.writes.empty());
    EXPECT_EQ(store->Count(), 5);
    EXPECT_EQ(store->IndexOfText("a"), 0);
    EXPECT_EQ(store->IndexOfText("missing"), -1);
}

TEST_F(TextStore, EqualityIsByteExactAndCaseSensitive) {
    OpenWith({"abc"});
    EXPECT_EQ(store->IndexOfText("ABC"), -1);
    EXPECT_EQ(store->IndexOfText("abc "), -1);
    EXPECT_TRUE(store->AddText("ABC"));
}

TEST_F(TextStore, LoneLineFeedsAreStoredAsCrLfSoTheSameTextIsStoredAgain) {
    Open();
    EXPECT_TRUE(store->AddText("a\nb"));
    EXPECT_EQ(Text(0), "a\r\nb\r\n");
    EXPECT_TRUE(store->AddText("a\nb"));
    EXPECT_EQ(store->Count(), 2);
    EXPECT_FALSE(store->AddText("a\r\nb"));
    EXPECT_EQ(rows.selected, 1);
}

TEST_F(TextStore, HundredByteLineShows64BytesAndIsStoredWhole) {
    Open();
    std::string text;
    for (int i = 0; i < 100; ++i) text += static_cast<char>('0' + i % 10);
    EXPECT_TRUE(store->AddText(text));
    EXPECT_EQ(rows.rows[0], text.substr(0, 64));
    EXPECT_EQ(Text(0), text + "\r\n");
}

TEST_F(TextStore, FailedWriteAddsNoRowAndKeepsTheCount) {
    OpenWith({"a"});
    folder.unwritable.insert(Clip(1));
    EXPECT_THROW(store->AddText("b"), EFCreateError);
    EXPECT_EQ(store->Count(), 1);
    EXPECT_EQ(rows.rows, std::vector<std::string>{"a"});
    folder.unwritable.clear();
    EXPECT_TRUE(store->AddText("b"));
    EXPECT_EQ(rows.rows, (std::vector<std::string>{"a", "b"}));
}

TEST_F(TextStore, MissingClipIsSkippedByTheDuplicateTest) {
    OpenWith({"a", "b"});
    folder.files.erase(Clip(0));
    EXPECT_EQ(store->IndexOfText("a"), -1);
    EXPECT_EQ(store->IndexOfText("b"), 1);
}

// --- copying and previews ---

TEST_F(TextStore, CopyPutsTheSelectedClipsTrimmedTextOnTheClipboard) {
    folder.directories.insert("C:\\app\\txt");
    folder.files[Clip(0)].bytes = " \thello\nworld \r\n\r\n";
    Open();
    rows.Select(0);
    EXPECT_TRUE(store->CopyToClipboard());
    EXPECT_EQ(clipboard.text, "hello\r\nworld");
}

TEST_F(TextStore, CopyWithoutSelectionOrClipsChangesNothing) {
    Open();
    EXPECT_FALSE(store->CopyToClipboard());
    store->AddText("a");
    EXPECT_FALSE(store->CopyToClipboard());
    EXPECT_EQ(clipboard.writes, 0);
}

TEST_F(TextStore, UnreadableClipLeavesTheClipboardAsItWas) {
    OpenWith({"a"});
    clipboard.text = "the user's text";
    folder.unreadable.insert(Clip(0));
    rows.Select(0);
    EXPECT_THROW(store->CopyToClipboard(), EFOpenError);
    EXPECT_EQ(clipboard.text, "the user's text");
    EXPECT_EQ(clipboard.writes, 0);
}

TEST_F(TextStore, NulByteEndsTheClipText) {
    folder.directories.insert("C:\\app\\txt");
    folder.files[Clip(0)].bytes = std::string("abc\0def\r\nghi\r\n", 14);
    Open();
    rows.Select(0);
    EXPECT_EQ(rows.rows[0], "abc");
    EXPECT_EQ(Preview(), "abc");
    store->CopyToClipboard();
    EXPECT_EQ(clipboard.text, "abc");
    EXPECT_EQ(store->IndexOfText("abc"), 0);
}

TEST_F(TextStore, EmptyClipFileIsAnEmptyClip) {
    folder.directories.insert("C:\\app\\txt");
    folder.files[Clip(0)].bytes = "";
    Open();
    EXPECT_EQ(rows.rows, std::vector<std::string>{""});
    rows.Select(0);
    EXPECT_EQ(Preview(), "");
    EXPECT_TRUE(store->CopyToClipboard());
    EXPECT_EQ(clipboard.text, "");
    EXPECT_EQ(store->IndexOfText(""), 0);
}

TEST_F(TextStore, PreviewMarkerGoesByLineCount) {
    folder.directories.insert("C:\\app\\txt");
    folder.files[Clip(0)].bytes = Lines(15);
    folder.files[Clip(1)].bytes = Lines(16);
    folder.files[Clip(2)].bytes = Lines(40);
    folder.files[Clip(3)].bytes = std::string(1000, 'x') + "\r\n";
    Open();
    auto joined = [](int n) {
        std::string t = Lines(n);
        return t.substr(0, t.size() - 2);
    };
    rows.Select(0);
    EXPECT_EQ(Preview(), joined(15));
    rows.Select(1);
    EXPECT_EQ(Preview(), joined(16) + "\r\n＜つづく＞");
    rows.Select(2);
    EXPECT_EQ(Preview(), joined(16) + kContinuationMarker);
    rows.Select(3);
    EXPECT_EQ(Preview(), std::string(256, 'x'));
}

TEST_F(TextStore, PreviewOfSixteenLongLinesIsCutAndMarked) {
    OpenWith({Lines(16, std::string(30, 'y'))});
    rows.Select(0);
    std::string preview = Preview();
    EXPECT_EQ(preview, Lines(16, std::string(30, 'y')).substr(0, 256) + kContinuationMarker);
    EXPECT_EQ(preview.size(), 256u + 12u);
}

TEST_F(TextStore, PreviewWithoutSelectionIsEmpty) {
    OpenWith({"a"});
    EXPECT_EQ(Preview(), "");
}

TEST_F(TextStore, PreviewOfAClipDeletedOutsideRebuildsTheList) {
    OpenWith({"a", "b", "c", "d"});
    folder.files.erase(Clip(1));
    rows.Select(1);
    EXPECT_EQ(Preview(), "");
    EXPECT_EQ(store->Count(), 3);
    EXPECT_EQ(rows.rows, (std::vector<std::string>{"a", "c", "d"}));
    EXPECT_EQ(Text(1), "c\r\n");
    EXPECT_EQ(rows.selected, -1);
}

// --- deleting ---

TEST_F(TextStore, ConfirmedDeleteAsksWithBeepAndPreviewAndNoKeepsTheClip) {
    deleteCheck = "TRUE";
    OpenWith({"a", "b"});
    rows.Select(1);
    store->DeleteItem(1);
    EXPECT_EQ(prompts.beeps, std::vector<BeepKind>{BeepKind::Question});
    EXPECT_EQ(prompts.questions, std::vector<std::string>{"このテキストを削除しますか\r\n\r\nb"});
    EXPECT_EQ(store->Count(), 2);
    EXPECT_EQ(rows.rows, (std::vector<std::string>{"a", "b"}));
    EXPECT_EQ(Text(1), "b\r\n");
}

TEST_F(TextStore, ConfirmedDeleteWithYesDeletes) {
    deleteCheck = "TRUE";
    OpenWith({"a", "b"});
    rows.Select(0);
    prompts.answers = {true};
    store->DeleteItem(0);
    EXPECT_EQ(rows.rows, std::vector<std::string>{"b"});
    EXPECT_EQ(Text(0), "b\r\n");
}

TEST_F(TextStore, OnlyAnExactTrueAsksBeforeDeleting) {
    for (const char* setting : {"FALSE", "", "true", "TRUE "}) {
        SCOPED_TRACE(setting);
        deleteCheck = setting;
        folder.files.clear();
        prompts.beeps.clear();
        OpenWith({"a", "b"});
        rows.Select(0);
        store->DeleteItem(0);
        EXPECT_TRUE(prompts.beeps.empty());
        EXPECT_TRUE(prompts.questions.empty());
        EXPECT_EQ(rows.rows, std::vector<std::string>{"b"});
    }
}

TEST_F(TextStore, DeleteItemOfNoRowDoesNothingEvenWhenAsking) {
    deleteCheck = "TRUE";
    OpenWith({"a"});
    store->DeleteItem(-1);
    EXPECT_TRUE(prompts.beeps.empty());
    EXPECT_TRUE(prompts.questions.empty());
    EXPECT_EQ(Text(0), "a\r\n");
    EXPECT_FALSE(store->DeleteClipFile(-1));
}

TEST_F(TextStore, DeletingRowTwoOfFiveClosesUpAndSelectsItsFollower) {
    OpenWith({"c0", "c1", "c2", "c3", "c4"});
    rows.Select(2);
    store->DeleteItem(2);
    EXPECT_EQ(store->Count(), 4);
    EXPECT_EQ(folder.NamesIn(kDir), (std::vector<std::string>{"00000000.txt", "00000001.txt", "00000002.txt", "00000003.txt"}));
    EXPECT_EQ(Text(2), "c3\r\n");
    EXPECT_EQ(rows.rows, (std::vector<std::string>{"c0", "c1", "c3", "c4"}));
    EXPECT_EQ(rows.selected, 2);
}

TEST_F(TextStore, DeletingTheLastRowLeavesNoneSelected) {
    OpenWith({"c0", "c1", "c2", "c3", "c4"});
    rows.Select(4);
    store->DeleteItem(4);
    EXPECT_EQ(rows.rows, (std::vector<std::string>{"c0", "c1", "c2", "c3"}));
    EXPECT_EQ(rows.selected, -1);
}

TEST_F(TextStore, RefusedDeleteShowsTheErrorAndKeepsTheClip) {
    OpenWith({"a", "b", "c"});
    folder.undeletable.insert(Clip(1));
    folder.files[Clip(2)].readOnly = true;
    EXPECT_TRUE(store->DeleteClipFile(1));
    EXPECT_TRUE(store->DeleteClipFile(2));
    EXPECT_EQ(prompts.errors, (std::vector<std::string>{"ファイルの削除に失敗しました", "ファイルの削除に失敗しました"}));
    EXPECT_EQ(store->Count(), 3);
    EXPECT_EQ(rows.rows, (std::vector<std::string>{"a", "b", "c"}));
    EXPECT_EQ(rows.selected, 2);
}

// --- exchanging ---

TEST_F(TextStore, ExchangeOfARowWithItselfDoesNothing) {
    OpenWith({"a", "b", "c"});
    store->Exchange(2, 2);
    EXPECT_TRUE(folder.renames.empty());
    EXPECT_EQ(rows.rows, (std::vector<std::string>{"a", "b", "c"}));
}

TEST_F(TextStore, ExchangeSwapsFilesAndCaptionsAndKeepsTheSelectedIndex) {
    for (int selected : {0, 1, 3, -1}) {
        SCOPED_TRACE(selected);
        folder.files.clear();
        OpenWith({"a", "b", "c", "d"});
        rows.Select(selected);
        store->Exchange(0, 3);
        EXPECT_EQ(Text(0), "d\r\n");
        EXPECT_EQ(Text(3), "a\r\n");
        EXPECT_EQ(rows.rows, (std::vector<std::string>{"d", "b", "c", "a"}));
        EXPECT_EQ(rows.selected, selected);
        EXPECT_EQ(folder.Content(kDir + "temp.txt"), "<missing>");
    }
}

struct ExchangeFailure : TextStore {
    void SetUp() override {
        OpenWith({"a", "b", "c", "d"});
        rows.Select(1);
    }
    // Runs Exchange(0, 3), expects message, and checks that nothing changed.
    void ExpectFailsUnchanged(const std::string& message) {
        try {
            store->Exchange(0, 3);
            FAIL() << "no error";
        } catch (const EInOutError& e) {
            EXPECT_EQ(e.Message(), message);
        }
        EXPECT_EQ(Text(0), "a\r\n");
        EXPECT_EQ(Text(3), "d\r\n");
        EXPECT_EQ(rows.rows, (std::vector<std::string>{"a", "b", "c", "d"}));
        EXPECT_EQ(rows.selected, 1);
    }
};

TEST_F(ExchangeFailure, ExistingTempFileStopsTheFirstRename) {
    folder.files[kDir + "temp.txt"].bytes = "left over\r\n";
    ExpectFailsUnchanged("I/O ｴﾗｰ (183)");
    EXPECT_EQ(folder.Content(kDir + "temp.txt"), "left over\r\n");
}

TEST_F(ExchangeFailure, FailedSecondRenameIsRolledBack) {
    folder.renameErrors[Clip(3)] = kErrorAccessDenied;
    ExpectFailsUnchanged("ﾌｧｲﾙへのｱｸｾｽが拒否されました");
    EXPECT_EQ(folder.Content(kDir + "temp.txt"), "<missing>");
}

TEST_F(ExchangeFailure, FailedThirdRenameIsRolledBack) {
    folder.renameErrors[kDir + "temp.txt"] = 32;
    ExpectFailsUnchanged("I/O ｴﾗｰ (32)");
    EXPECT_EQ(folder.renames.size(), 5u);
    EXPECT_EQ(folder.Content(kDir + "temp.txt"), "<missing>");
}

TEST_F(ExchangeFailure, MissingClipIsReportedAsNotFound) {
    folder.files.erase(Clip(3));
    try {
        store->Exchange(0, 3);
        FAIL() << "no error";
    } catch (const EInOutError& e) {
        EXPECT_EQ(e.Message(), "ﾌｧｲﾙが見つかりません");
    }
    EXPECT_EQ(Text(0), "a\r\n");
    EXPECT_EQ(folder.Content(kDir + "temp.txt"), "<missing>");
}

}  // namespace
}  // namespace lumeret
