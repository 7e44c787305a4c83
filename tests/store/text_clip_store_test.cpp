#include "store/text_clip_store.h"

#include <gtest/gtest.h>

#include <optional>

#include "platform/errors.h"
#include "platform/text.h"
#include "store/clip_numbering.h"
#include "support/fake_clip_folder.h"
#include "platform/row_list.h"
#include "support/fakes.h"
#include "support/row_log.h"

namespace lumeret {
namespace {

using Rows = std::vector<std::string>;
const std::string kDir = "C:\\app\\txt\\";
const std::string kMissing = "<missing>";

std::string Clip(int n) { return kDir + NumberToName(n) + ".txt"; }

std::string Lines(int n, const std::string& prefix = "line") {
    std::string text;
    for (int i = 0; i < n; ++i) text += prefix + std::to_string(i) + "\r\n";
    return text;
}

struct TextStore : ::testing::Test {
    RowList rows;
    test::FakeClipboard clipboard;
    test::FakePrompts prompts;
    test::FakeClipFolder folder;
    std::optional<TextClipStore> store;

    TextStore() { folder.directories = {"C:\\app", "C:\\app\\txt"}; }

    // Starts the store on clip files holding these bytes, numbered from 0.
    void OpenOnFiles(const Rows& files) {
        for (std::size_t i = 0; i < files.size(); ++i) folder.files[Clip(static_cast<int>(i))].bytes = files[i];
        store.emplace(rows, "C:\\app\\", "txt", folder, clipboard, prompts);
        store->RefreshList();
    }
    // Starts the store on clips as it writes them itself.
    void OpenWith(const Rows& texts) {
        Rows files;
        for (const auto& t : texts) files.push_back(ClipFileContent(t));
        OpenOnFiles(files);
    }
    std::string File(int n) { return folder.Content(Clip(n)); }
    std::string Preview(int row) {
        rows.Select(row);
        UserText text("previous");
        store->GetPreview(text);
        return text.Bytes();
    }
};

TEST_F(TextStore, FirstStartCreatesTheFolderAndProbesNothing) {
    folder.directories.erase("C:\\app\\txt");
    OpenOnFiles({});
    EXPECT_TRUE(folder.directories.count("C:\\app\\txt"));
    EXPECT_EQ(store->Count(), 0);
    EXPECT_TRUE(rows.Rows().empty());
    EXPECT_TRUE(folder.probes.empty());
}

TEST_F(TextStore, CreateRenumbersAndRefreshListShowsTrimmedCaptions) {
    folder.files[kDir + "00000002.txt"].bytes = "  first\nsecond\rthird\r\n";
    folder.files[kDir + "00000005.txt"].bytes = std::string(63, 'a') + " cut off";
    rows.Add("old row");
    store.emplace(rows, "C:\\app\\", "txt", folder, clipboard, prompts);
    EXPECT_EQ(store->Count(), 2);
    EXPECT_EQ(rows.Rows(), Rows{"old row"});  // filled only by RefreshList
    store->RefreshList();
    EXPECT_EQ(rows.Rows(), (Rows{"first\r\nsecond\r\nthird", std::string(63, 'a')}));
    EXPECT_EQ(File(1), std::string(63, 'a') + " cut off");
}

TEST_F(TextStore, FilesPutThereAfterTheScanWaitForTheNextOneAndAreNeverOverwritten) {
    OpenWith({"a", "b"});
    folder.files[Clip(2)].bytes = "late\r\n";
    folder.files[Clip(3)].bytes = "later\r\n";
    store->RefreshList();
    EXPECT_EQ(rows.Rows(), (Rows{"a", "b"}));
    EXPECT_TRUE(store->AddText("c"));
    EXPECT_EQ(File(2), "late\r\n");
    EXPECT_EQ(File(3), "later\r\n");
    EXPECT_EQ(File(4), "c\r\n");
    EXPECT_EQ(store->ClipPath(2), Clip(4));
}

TEST_F(TextStore, SubfolderNamedLikeTheNextClipIsSkippedOver) {
    folder.directories.insert(kDir + "00000003.txt");
    OpenWith({"a", "b", "c"});
    EXPECT_EQ(store->Count(), 3);
    EXPECT_EQ(rows.Rows(), (Rows{"a", "b", "c"}));
    EXPECT_TRUE(store->AddText("d"));
    EXPECT_EQ(File(4), "d\r\n");
    EXPECT_TRUE(folder.directories.count(kDir + "00000003.txt"));
    EXPECT_EQ(rows.Rows(), (Rows{"a", "b", "c", "d"}));
}

TEST_F(TextStore, TwoThousandClipsAreAllListed) {
    for (int i = 0; i < 2000; ++i) folder.files[kDir + NumberToName(2 * i + 1) + ".txt"].bytes = "clip " + std::to_string(i);
    OpenOnFiles({});
    EXPECT_EQ(store->Count(), 2000);
    ASSERT_EQ(rows.Count(), 2000);
    EXPECT_EQ(rows.Row(1999), "clip 1999");
    EXPECT_TRUE(store->AddText("one more"));
    EXPECT_EQ(File(2000), "one more\r\n");
}

TEST_F(TextStore, NewTextBecomesTheNextFileAndLastRowWithoutSelecting) {
    OpenWith({"first"});
    rows.Select(0);
    std::string hundred;
    for (int i = 0; i < 100; ++i) hundred += static_cast<char>('0' + i % 10);
    EXPECT_TRUE(store->AddText(hundred));
    EXPECT_EQ(store->Count(), 2);
    EXPECT_EQ(File(1), hundred + "\r\n");
    EXPECT_EQ(rows.Rows(), (Rows{"first", hundred.substr(0, 64)}));
    EXPECT_EQ(rows.Selected(), 0);
}

TEST_F(TextStore, DuplicateSelectsTheHighestByteExactMatchAndWritesNothing) {
    OpenWith({"a", "dup", "b", "dup", "c"});
    folder.files.erase(Clip(4));  // a missing clip is skipped
    EXPECT_FALSE(store->AddText("dup"));
    EXPECT_EQ(rows.Selected(), 3);
    EXPECT_TRUE(folder.writes.empty());
    EXPECT_EQ(store->IndexOfText("c"), -1);
    EXPECT_EQ(store->IndexOfText("DUP"), -1);
    EXPECT_EQ(store->IndexOfText("dup "), -1);
}

TEST_F(TextStore, ARefreshDropsAClipWhoseFileWasRemovedOutsideTheProgram) {
    OpenWith({"a", "b", "c"});
    folder.files.erase(Clip(1));
    store->RefreshList();
    EXPECT_EQ(rows.Rows(), (Rows{"a", "c"}));
    EXPECT_EQ(store->Count(), 2);
    EXPECT_EQ(store->ClipPath(1), Clip(2));
    EXPECT_EQ(store->IndexOfText("c"), 1);
}

TEST_F(TextStore, ADuplicateTestReadsOnlyTheClipsThatChangedOrMayEqualTheText) {
    OpenWith({"a", "b", "dup", "c"});
    folder.reads = 0;
    folder.listings = 0;
    EXPECT_TRUE(store->AddText("new"));
    EXPECT_EQ(folder.reads, 0);  // each clip was read for its row and cannot be "new"
    EXPECT_EQ(folder.listings, 1);  // one look at the folder for the search and the new name
    EXPECT_FALSE(store->AddText("dup"));
    EXPECT_EQ(rows.Selected(), 2);
    // The one that may be "dup", read to make sure, and "new", written since.
    EXPECT_EQ(folder.reads, 2);
    folder.reads = 0;
    EXPECT_TRUE(store->AddText("newer"));
    EXPECT_EQ(folder.reads, 0);
    EXPECT_TRUE(store->AddText("newest"));
    EXPECT_EQ(folder.reads, 1);  // "newer", written since
    EXPECT_EQ(File(6), "newest\r\n");
}

TEST_F(TextStore, AClipChangedOutsideTheProgramIsReadAgain) {
    OpenWith({"a", "b", "c"});
    folder.files[Clip(1)].bytes = "now different\r\n";
    folder.files[Clip(2)].bytes = "a\r\n";
    EXPECT_EQ(store->IndexOfText("b"), -1);
    EXPECT_EQ(store->IndexOfText("now different"), 1);
    EXPECT_EQ(store->IndexOfText("a"), 2);  // the highest still wins
    folder.files[Clip(1)].bytes = " b \n";
    EXPECT_FALSE(store->AddText("b"));
    EXPECT_EQ(rows.Selected(), 1);
}

TEST_F(TextStore, AChangeTheStampsMissNeverMakesATextCountAsRegistered) {
    // A file system whose clock did not move: the stamps cannot tell.
    for (int i = 0; i < 2; ++i) folder.files[Clip(i)].stamp = FileStamp{7, 1};
    OpenWith({"secret", "other"});
    folder.files[Clip(0)].bytes = "change\r\n";  // as long as "secret\r\n"
    EXPECT_EQ(store->IndexOfText("secret"), -1);
    EXPECT_TRUE(store->AddText("secret"));
    EXPECT_EQ(File(2), "secret\r\n");
}

TEST_F(TextStore, ExchangedAndRenumberedClipsAreFoundUnderTheirNewNumbers) {
    for (int i = 0; i < 3; ++i) folder.files[Clip(i)].stamp = FileStamp{3, 1};  // a rename keeps the stamp
    OpenWith({"x", "y", "z"});
    store->Exchange(0, 1);
    EXPECT_EQ(store->IndexOfText("x"), 1);
    EXPECT_EQ(store->IndexOfText("y"), 0);
    EXPECT_TRUE(store->DeleteClipFile(0));
    EXPECT_EQ(store->IndexOfText("x"), 0);
    EXPECT_EQ(store->IndexOfText("z"), 1);
    EXPECT_EQ(store->IndexOfText("y"), -1);
}

// The rows a store started afresh on the folder would show.
Rows RowsOfAFreshStart(test::FakeClipFolder& folder) {
    RowList rows;
    test::FakeClipboard clipboard;
    test::FakePrompts prompts;
    TextClipStore store(rows, "C:\\app\\", "txt", folder, clipboard, prompts);
    store.RefreshList();
    return rows.Rows();
}

TEST_F(TextStore, ADeleteReadsOnlyTheClipsChangedSinceAndListsWhatAFreshStartWould) {
    const std::string longLine = "\t " + std::string(70, 'x') + "\r\n";
    OpenOnFiles({"  lead\r\n", "a\r\n", longLine, "b\n", " \r\n  c  \r\n", "d\r\n"});
    folder.files[Clip(3)].bytes = "changed outside, and longer\r\n";
    folder.reads = 0;
    EXPECT_TRUE(store->DeleteClipFile(1));
    EXPECT_EQ(folder.reads, 1);  // the changed one; the others were renamed or stayed
    const std::string longCaption = ClipCaption(JoinLinesCrLf(SplitLines(longLine)));
    EXPECT_EQ(rows.Rows(), (Rows{"lead", longCaption, "changed outside, and longer", "c", "d"}));
    EXPECT_EQ(rows.Rows(), RowsOfAFreshStart(folder));

    // A rename that fails leaves that file and those behind it where they are.
    folder.renameErrors[Clip(2)] = kErrorAccessDenied;
    folder.reads = 0;
    EXPECT_TRUE(store->DeleteClipFile(0));
    EXPECT_EQ(folder.reads, 0);
    EXPECT_EQ(folder.NamesIn(kDir), (Rows{"00000000.txt", "00000002.txt", "00000003.txt", "00000004.txt"}));
    EXPECT_EQ(rows.Rows(), (Rows{longCaption, "changed outside, and longer", "c", "d"}));
    EXPECT_EQ(store->IndexOfText("changed outside, and longer"), 1);
    EXPECT_EQ(store->IndexOfText("d"), 3);
}

TEST_F(TextStore, RenamedClipsKeepTheirCaptionsWhereEveryFileHasTheSameStamp) {
    // A clock that stands still: only the renames tell which file went where.
    for (int i = 0; i < 5; ++i) folder.files[Clip(i)].stamp = FileStamp{3, 1};
    OpenWith({"v", "w", "x", "y", "z"});
    store->Exchange(3, 4);
    EXPECT_TRUE(store->DeleteClipFile(1));
    EXPECT_TRUE(store->DeleteClipFile(0));
    EXPECT_EQ(rows.Rows(), (Rows{"x", "z", "y"}));
    EXPECT_EQ(rows.Rows(), RowsOfAFreshStart(folder));
}

TEST_F(TextStore, LoneLineFeedsAreStoredAsCrLfSoTheSameTextIsStoredAgain) {
    OpenWith({});
    EXPECT_TRUE(store->AddText("a\nb"));
    EXPECT_EQ(File(0), "a\r\nb\r\n");
    EXPECT_TRUE(store->AddText("a\nb"));
    EXPECT_FALSE(store->AddText("a\r\nb"));
    EXPECT_EQ(rows.Selected(), 1);
}

// A new clip that cannot be created, or that the disk has no room for, is
// reported with its file's name and leaves neither a row nor a file.
TEST_F(TextStore, FailedWriteAddsNoRowAndKeepsTheCount) {
    OpenWith({"a"});
    auto expectReportedAndNothingAdded = [&] {
        try {
            store->AddText("b");
            ADD_FAILURE() << "no error";
        } catch (const FileCreateError& e) {
            EXPECT_EQ(e.Message(), FileCreateError(Clip(1)).Message());
        }
        EXPECT_EQ(store->Count(), 1);
        EXPECT_EQ(rows.Rows(), Rows{"a"});
        EXPECT_EQ(folder.NamesIn(kDir), Rows{"00000000.txt"});
    };
    folder.unwritable.insert(TemporaryPathFor(Clip(1)));
    expectReportedAndNothingAdded();
    folder.unwritable.clear();
    folder.writeCalls = 0;
    folder.shortWriteAt = 0;
    expectReportedAndNothingAdded();
    folder.shortWriteAt = -1;
    EXPECT_TRUE(store->AddText("b"));
    EXPECT_EQ(rows.Rows(), (Rows{"a", "b"}));
}

TEST_F(TextStore, CopyPutsTheSelectedClipsTrimmedTextOnTheClipboard) {
    OpenOnFiles({" \thello\nworld \r\n\r\n"});
    EXPECT_FALSE(store->CopyToClipboard());  // nothing selected
    EXPECT_EQ(clipboard.writes, 0);
    rows.Select(0);
    EXPECT_TRUE(store->CopyToClipboard());
    EXPECT_EQ(clipboard.text, "hello\r\nworld");
}

// The list stops at a clip another program holds open; a text registered
// afterwards gets a row that copies, deletes and exchanges that text, never
// the clips the list left out.
TEST_F(TextStore, ARowAddedAfterTheListStoppedAtAnUnreadableClipActsOnItsOwnClip) {
    folder.unreadable.insert(Clip(1));
    EXPECT_THROW(OpenWith({"a", "b", "c"}), FileOpenError);
    EXPECT_EQ(rows.Rows(), Rows{"a"});
    folder.unreadable.clear();
    ASSERT_TRUE(store->AddText("new"));
    EXPECT_EQ(rows.Rows(), (Rows{"a", "new"}));
    rows.Select(1);
    EXPECT_TRUE(store->CopyToClipboard());
    EXPECT_EQ(clipboard.text, "new");
    store->Exchange(0, 1);
    EXPECT_EQ(File(0), "new\r\n");
    EXPECT_EQ(File(1), "b\r\n");
    store->DeleteItem(0, false);  // the new text: the folder closes up behind it
    EXPECT_EQ(rows.Rows(), (Rows{"b", "c", "a"}));
}

TEST_F(TextStore, UnreadableClipLeavesTheClipboardAsItWas) {
    OpenWith({"a"});
    clipboard.text = "the user's text";
    folder.unreadable.insert(Clip(0));
    rows.Select(0);
    try {
        store->CopyToClipboard();
        FAIL() << "no error";
    } catch (const FileOpenError& e) {
        EXPECT_EQ(e.Message(), "ﾌｧｲﾙ " + Clip(0) + " は開けません");
    }
    EXPECT_EQ(clipboard.text, "the user's text");
    EXPECT_EQ(clipboard.writes, 0);
}

TEST_F(TextStore, NulByteEndsTheClipAndAnEmptyFileIsAnEmptyClip) {
    OpenOnFiles({std::string("abc\0def\r\nghi\r\n", 14), ""});
    EXPECT_EQ(rows.Rows(), (Rows{"abc", ""}));
    EXPECT_EQ(Preview(0), "abc");
    store->CopyToClipboard();
    EXPECT_EQ(clipboard.text, "abc");
    EXPECT_EQ(store->IndexOfText("abc"), 0);
    EXPECT_EQ(Preview(1), "");
    store->CopyToClipboard();
    EXPECT_EQ(clipboard.text, "");
}

TEST_F(TextStore, PreviewShowsSixteenLinesAnd256BytesAndMarksBySixteenLines) {
    std::string longLines = Lines(16, std::string(30, 'y'));
    OpenOnFiles({Lines(15), Lines(16), Lines(40), std::string(1000, 'x') + "\r\n", longLines});
    auto joined = [](int n) { return Lines(n).substr(0, Lines(n).size() - 2); };
    EXPECT_EQ(Preview(0), joined(15));
    EXPECT_EQ(Preview(1), joined(16) + "\r\n＜つづく＞");
    EXPECT_EQ(Preview(2), joined(16) + kContinuationMarker);
    EXPECT_EQ(Preview(3), std::string(256, 'x'));
    EXPECT_EQ(Preview(4), longLines.substr(0, 256) + kContinuationMarker);
    EXPECT_EQ(Preview(-1), "");
}

// The marker is the program's own words: the delete question shows it through
// the program's code page, the clip's lines through the system's.
TEST_F(TextStore, TheDeleteQuestionTakesTheMarkerAsTheProgramsWords) {
    OpenOnFiles({Lines(16)});
    rows.Select(0);
    store->DeleteItem(0, true);
    ASSERT_EQ(prompts.texts.size(), 1u);
    const auto& pieces = prompts.texts[0].Pieces();
    ASSERT_EQ(pieces.size(), 3u);
    EXPECT_FALSE(pieces[0].data);
    EXPECT_TRUE(pieces[1].data);
    EXPECT_EQ(pieces[1].bytes, Lines(16).substr(0, Lines(16).size() - 2));
    EXPECT_FALSE(pieces[2].data);
    EXPECT_EQ(pieces[2].bytes, kContinuationMarker);
}

TEST_F(TextStore, PreviewOfAClipDeletedOutsideRebuildsTheList) {
    OpenWith({"a", "b", "c", "d"});
    folder.files.erase(Clip(1));
    EXPECT_EQ(Preview(1), "");
    EXPECT_EQ(store->Count(), 3);
    EXPECT_EQ(rows.Rows(), (Rows{"a", "c", "d"}));
    EXPECT_EQ(File(1), "c\r\n");
}

TEST_F(TextStore, ConfirmedDeleteBeepsAsksWithThePreviewAndObeysTheAnswer) {
    OpenWith({"a", "b"});
    rows.Select(1);
    store->DeleteItem(1, true);
    EXPECT_EQ(prompts.beeps, std::vector<BeepKind>{BeepKind::Question});
    EXPECT_EQ(prompts.questions, Rows{"このテキストを削除しますか\r\n\r\nb"});
    EXPECT_EQ(rows.Rows(), (Rows{"a", "b"}));
    EXPECT_EQ(File(1), "b\r\n");
    prompts.answers = {true};
    store->DeleteItem(1, true);
    EXPECT_EQ(rows.Rows(), Rows{"a"});
    EXPECT_EQ(File(1), kMissing);
}

// The selected clip was removed outside the program: asking would renumber
// the folder first, and a yes would then delete the clip that moved up.
TEST_F(TextStore, ConfirmedDeleteOfAClipRemovedOutsideDeletesNoOtherClip) {
    OpenWith({"c0", "c1", "c2", "c3"});
    rows.Select(1);
    folder.files.erase(Clip(1));
    prompts.answers = {true};
    store->DeleteItem(1, true);
    EXPECT_TRUE(prompts.questions.empty());
    EXPECT_EQ(prompts.errors, Rows{"ファイルの削除に失敗しました"});
    EXPECT_EQ(rows.Rows(), (Rows{"c0", "c2", "c3"}));
    EXPECT_EQ(File(1), "c2\r\n");
    EXPECT_EQ(File(2), "c3\r\n");
}

TEST_F(TextStore, UnconfirmedDeleteNeitherBeepsNorAsks) {
    OpenWith({"a", "b"});
    store->DeleteItem(0, false);
    EXPECT_TRUE(prompts.beeps.empty() && prompts.questions.empty());
    EXPECT_EQ(rows.Rows(), Rows{"b"});
}

TEST_F(TextStore, DeleteItemOfNoRowDoesNothingEvenWhenAsking) {
    OpenWith({"a"});
    store->DeleteItem(-1, true);
    EXPECT_TRUE(prompts.beeps.empty() && prompts.questions.empty());
    EXPECT_EQ(File(0), "a\r\n");
    EXPECT_FALSE(store->DeleteClipFile(-1));
}

TEST_F(TextStore, DeleteClosesUpAndSelectsTheFollowerOrNoneAfterTheLast) {
    OpenWith({"c0", "c1", "c2", "c3", "c4"});
    store->DeleteItem(2, false);
    EXPECT_EQ(folder.NamesIn(kDir), (Rows{"00000000.txt", "00000001.txt", "00000002.txt", "00000003.txt"}));
    EXPECT_EQ(File(2), "c3\r\n");
    EXPECT_EQ(rows.Rows(), (Rows{"c0", "c1", "c3", "c4"}));
    EXPECT_EQ(rows.Selected(), 2);
    store->DeleteItem(3, false);
    EXPECT_EQ(rows.Rows(), (Rows{"c0", "c1", "c3"}));
    EXPECT_EQ(rows.Selected(), -1);
}

TEST_F(TextStore, RefusedDeleteShowsTheErrorAndKeepsTheClip) {
    OpenWith({"a", "b", "c"});
    folder.undeletable.insert(Clip(1));
    folder.files[Clip(2)].readOnly = true;
    EXPECT_TRUE(store->DeleteClipFile(1));
    EXPECT_TRUE(store->DeleteClipFile(2));
    EXPECT_EQ(prompts.errors, (Rows{"ファイルの削除に失敗しました", "ファイルの削除に失敗しました"}));
    EXPECT_EQ(store->Count(), 3);
    EXPECT_EQ(rows.Rows(), (Rows{"a", "b", "c"}));
}

TEST_F(TextStore, ExchangeSwapsFilesAndCaptionsAndKeepsTheSelectedIndex) {
    for (int selected : {0, 1, 3, -1}) {
        SCOPED_TRACE(selected);
        folder.files.clear();
        OpenWith({"a", "b", "c", "d"});
        rows.Select(selected);
        store->Exchange(2, 2);
        EXPECT_TRUE(folder.renames.empty());
        store->Exchange(0, 3);
        EXPECT_EQ(File(0), "d\r\n");
        EXPECT_EQ(File(3), "a\r\n");
        EXPECT_EQ(rows.Rows(), (Rows{"d", "b", "c", "a"}));
        EXPECT_EQ(rows.Selected(), selected);
        EXPECT_EQ(folder.Content(kDir + "temp.txt"), kMissing);
        folder.renames.clear();
    }
}

// What the list is told between one "begin" and one "end", nothing when the
// changes came otherwise.
Rows InOneBatch(const Rows& told) {
    if (told.size() < 2 || told.front() != "begin" || told.back() != "end") return {};
    Rows inner(told.begin() + 1, told.end() - 1);
    for (const auto& line : inner) {
        if (line == "begin" || line == "end") return {};
    }
    return inner;
}

// A list box draws itself once per batch, so a refill is one batch, not one
// redraw per clip.
TEST_F(TextStore, RefreshDeleteAndExchangeReachTheListAsOneBatchEach) {
    OpenWith({"a", "b", "c"});
    test::RowLog log;
    rows.SetObserver(&log);
    store->RefreshList();
    EXPECT_EQ(InOneBatch(log.lines), (Rows{"clear", "+0 a", "+1 b", "+2 c"}));
    log.lines.clear();
    store->DeleteItem(0, false);
    EXPECT_EQ(InOneBatch(log.lines), (Rows{"clear", "+0 b", "+1 c", "select 0"}));
    log.lines.clear();
    store->Exchange(0, 1);
    EXPECT_EQ(InOneBatch(log.lines), (Rows{"+0 c", "-1", "+1 b", "-2", "select 0"}));
    rows.SetObserver(nullptr);
}

// Each failed rename of Exchange(0, 3) leaves files and rows as they were.
TEST_F(TextStore, FailedExchangeRaisesTheErrorAndChangesNothing) {
    struct Case {
        std::string failingSource;  // its next rename fails, or "" for none
        int error;
        bool tempExists;
        std::string message;
    } cases[] = {
        {"", 0, true, "I/O ｴﾗｰ (183)"},
        {Clip(3), kErrorAccessDenied, false, "ﾌｧｲﾙへのｱｸｾｽが拒否されました"},
        {kDir + "temp.txt", 32, false, "I/O ｴﾗｰ (32)"},
        {Clip(0), kErrorFileNotFound, false, "ﾌｧｲﾙが見つかりません"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.message);
        folder.files.clear();
        OpenWith({"a", "b", "c", "d"});
        rows.Select(1);
        if (c.tempExists) folder.files[kDir + "temp.txt"].bytes = "left over";
        if (c.error) folder.renameErrors[c.failingSource] = c.error;
        try {
            store->Exchange(0, 3);
            ADD_FAILURE() << "no error";
        } catch (const IoError& e) {
            EXPECT_EQ(e.Message(), c.message);
        }
        EXPECT_EQ(File(0), "a\r\n");
        EXPECT_EQ(File(3), "d\r\n");
        EXPECT_EQ(folder.Content(kDir + "temp.txt"), c.tempExists ? "left over" : kMissing);
        EXPECT_EQ(rows.Rows(), (Rows{"a", "b", "c", "d"}));
        EXPECT_EQ(rows.Selected(), 1);
    }
}

}  // namespace
}  // namespace lumeret
