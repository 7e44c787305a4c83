// The application core without windows: what a clipboard change, the
// register button and the other commands do, with the system faked.
#include "core/app_core.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>

#include "core/status_texts.h"
#include "dib/bmp_builder.h"
#include "platform/clip_folder.h"
#include "support/fake_clip_folder.h"
#include "support/fakes.h"
#include "support/scratch_folder.h"

namespace lumeret {
namespace {

using Rows = std::vector<std::string>;

// A clipboard that can report each write at once, from inside the write, as
// a viewer on the writing thread hears of it.
class ReportingClipboard : public test::FakeClipboard {
public:
    void SetText(const std::string& value) override {
        FakeClipboard::SetText(value);
        if (onWrite) onWrite();
    }
    std::function<void()> onWrite;
};

class Core : public ::testing::Test {
protected:
    Core() { folder.directories = {"C:\\app"}; }

    AppCore& Start() {
        core.emplace(AppCore::Services{clipboard, folder, prompts, settingsFile}, "C:\\app\\");
        core->LoadClips();
        return *core;
    }
    // Another program copies a text; the system reports the change.
    void CopyFromOutside(const std::string& text) {
        clipboard.text = text;
        clipboard.hasBitmap = false;
        ++clipboard.stamp;
        Report();
    }
    // One change notice; a repetition stops here, not in a stack overflow.
    void Report() {
        if (++reports > 50) return;
        core->OnClipboardReported();
    }
    std::string ClipFile(int number) const {
        return folder.Content("C:\\app\\txt\\" + std::string(7, '0') + std::to_string(number) + ".txt");
    }

    ReportingClipboard clipboard;
    test::FakeClipFolder folder;
    test::FakePrompts prompts;
    test::MemoryProfile settingsFile;
    std::optional<AppCore> core;
    int reports = 0;
};

// --- A text copied again leaves the clipboard as it was copied ---

// The history keeps texts trimmed; the clipboard keeps the other program's
// text whole, and the core writes nothing that could start a repetition.
TEST_F(Core, AKnownTextCopiedAgainMovesUpAndStaysOnTheClipboardAsCopied) {
    Start();
    clipboard.onWrite = [this] { Report(); };
    CopyFromOutside("    return 0;\r\n");
    CopyFromOutside("a");
    CopyFromOutside("    return 0;\r\n");
    EXPECT_EQ(core->HistoryRows().Rows(), (Rows{"return 0;", "a"}));
    EXPECT_EQ(clipboard.text, "    return 0;\r\n");
    EXPECT_EQ(clipboard.writes, 0);
    EXPECT_EQ(reports, 3);
}

TEST_F(Core, TextsCopiedBackAndForthMoveUpEachTime) {
    Start();
    CopyFromOutside("b");
    CopyFromOutside("a");
    CopyFromOutside("b");
    EXPECT_EQ(core->HistoryRows().Rows(), (Rows{"b", "a"}));
    CopyFromOutside("a");
    EXPECT_EQ(core->HistoryRows().Rows(), (Rows{"a", "b"}));
    EXPECT_EQ(core->HistoryRows().Selected(), 0);
    EXPECT_EQ(clipboard.writes, 0);
}

TEST_F(Core, CopyingAnEntryBackBringsItToTheTop) {
    Start();
    CopyFromOutside("b");
    CopyFromOutside("a");
    core->HistoryRows().Select(1);
    clipboard.onWrite = [this] { Report(); };
    core->CopyHistoryEntry();
    EXPECT_EQ(core->HistoryRows().Rows(), (Rows{"b", "a"}));
    EXPECT_EQ(core->HistoryRows().Selected(), 0);
    EXPECT_EQ(clipboard.writes, 1);
}

TEST_F(Core, SameChangeReportedTwiceIsHandledOnce) {
    Start();
    CopyFromOutside("x");
    core->HistoryRows().Select(-1);
    Report();
    EXPECT_EQ(core->HistoryRows().Selected(), -1);
}

// --- A text from the clipboard ---

TEST_F(Core, CopiedTextEntersTrimmedAtTheTopSelectedAndHidesThePreview) {
    Start();
    clipboard.hasBitmap = true;
    core->HandleClipboardChange();
    EXPECT_EQ(core->ClipboardPreview().BoxSide(), Preview::kSide);
    CopyFromOutside("  \tfirst\r\n");
    CopyFromOutside("second");
    EXPECT_EQ(core->HistoryRows().Rows(), (Rows{"second", "first"}));
    EXPECT_EQ(core->HistoryRows().Selected(), 0);
    EXPECT_FALSE(core->ClipboardPreview().ShowingBitmap());
    EXPECT_EQ(core->ClipboardPreview().BoxSide(), 0);
    // The window redraws the preview only when something in it changed.
    int redraws = 0;
    core->ClipboardPreview().changed.Connect([&] { ++redraws; });
    CopyFromOutside("third");
    EXPECT_EQ(redraws, 0);
    clipboard.text.reset();
    clipboard.hasBitmap = true;
    ++clipboard.stamp;
    Report();
    EXPECT_GE(redraws, 1);
    EXPECT_EQ(core->ClipboardPreview().BoxSide(), Preview::kSide);
}

TEST_F(Core, AClipboardWithNeitherFormatChangesNothing) {
    Start();
    CopyFromOutside("kept");
    core->Status().Show("status");
    clipboard.text.reset();
    ++clipboard.stamp;
    Report();
    EXPECT_EQ(core->HistoryRows().Rows(), Rows{"kept"});
    EXPECT_EQ(core->HistoryRows().Selected(), 0);
    EXPECT_EQ(core->Status().Text(), "status");
}

// --- Content its program marked as not to be kept ---

using Marker = std::pair<std::string, std::vector<std::uint8_t>>;
const Marker kExclude{"ExcludeClipboardContentFromMonitorProcessing", {}};
const Marker kViewerIgnore{"Clipboard Viewer Ignore", {1}};
const Marker kMayNotKeep{"CanIncludeInClipboardHistory", {0, 0, 0, 0}};
const Marker kMayKeep{"CanIncludeInClipboardHistory", {1, 0, 0, 0}};

TEST_F(Core, TextsMarkedNotToBeKeptNeverEnterTheHistory) {
    Start();
    CopyFromOutside("before");
    for (const Marker& marker : {kExclude, kViewerIgnore, kMayNotKeep, Marker{"CanIncludeInClipboardHistory", {}}}) {
        SCOPED_TRACE(marker.first);
        clipboard.namedBlocks = {marker};
        CopyFromOutside("password");
        EXPECT_EQ(core->HistoryRows().Rows(), Rows{"before"});
        core->Register();
        EXPECT_EQ(core->Status().Text(), status::kRegisterEmpty);
        EXPECT_EQ(prompts.beeps.back(), BeepKind::Exclamation);
    }
    EXPECT_EQ(core->TextClipRows().Count(), 0);
    clipboard.namedBlocks = {kMayKeep};
    CopyFromOutside("may be kept");
    clipboard.namedBlocks.clear();
    CopyFromOutside("after");
    EXPECT_EQ(core->HistoryRows().Rows(), (Rows{"after", "may be kept", "before"}));
}

TEST_F(Core, ACopyMadeElsewhereWhileAChangeIsReadLandsOnlyAfterTheReading) {
    Start();
    CopyFromOutside("before");
    clipboard.text = "plain";
    ++clipboard.stamp;
    // A password manager copies a secret just after the program has asked
    // whether the content may be kept: the text read must still be the one
    // that was asked about.
    clipboard.nextCopyElsewhere = [this] {
        clipboard.text = "password";
        clipboard.namedBlocks = {kExclude};
        ++clipboard.stamp;
    };
    Report();
    EXPECT_EQ(core->HistoryRows().Rows(), (Rows{"plain", "before"}));
    EXPECT_EQ(clipboard.holds, 0);
    EXPECT_EQ(clipboard.text, "password");  // it landed once the clipboard was let go
    Report();                               // its own notice
    EXPECT_EQ(core->HistoryRows().Rows(), (Rows{"plain", "before"}));
}

// --- The register button ---

TEST_F(Core, RegisterStoresTheSelectedEntryNotTheClipboard) {
    Start();
    std::vector<ScrapbookPage> pages;
    core->pageWanted.Connect([&](ScrapbookPage p) { pages.push_back(p); });
    CopyFromOutside("older");
    CopyFromOutside("日本語\nline2");
    core->Register();
    EXPECT_EQ(ClipFile(0), "日本語\r\nline2\r\n");
    EXPECT_EQ(core->Status().Text(), status::kTextRegistered);
    EXPECT_EQ(pages, std::vector<ScrapbookPage>{ScrapbookPage::Text});
    core->HistoryRows().Select(1);
    core->Register();
    EXPECT_EQ(ClipFile(1), "older\r\n");
    EXPECT_EQ(core->TextClipRows().Rows(), (Rows{"日本語\nline2", "older"}));
    EXPECT_TRUE(prompts.beeps.empty());
}

TEST_F(Core, RepeatedRegisterBeepsAndWalksTheLadderUntilTheLineClears) {
    Start();
    CopyFromOutside("same");
    core->Register();
    for (int press = 1; press <= 55; ++press) core->Register();
    EXPECT_EQ(prompts.beeps, std::vector<BeepKind>(55, BeepKind::Default));
    EXPECT_EQ(core->Status().Text(), status::kThatIsEnough);
    EXPECT_EQ(core->Status().RepeatCount(), 55);
    EXPECT_EQ(core->TextClipRows().Count(), 1);
    core->StatusTick();
    core->StatusTick();
    EXPECT_EQ(core->Status().Text(), status::kThatIsEnough);
    core->StatusTick();  // the third tick clears the line and the count
    EXPECT_EQ(core->Status().Text(), "");
    EXPECT_EQ(core->Status().RepeatCount(), 0);
    EXPECT_FALSE(core->Status().TimerRunning());
    core->Register();
    EXPECT_EQ(core->Status().Text(), status::kAlreadyRegistered);
}

TEST_F(Core, RegisterWithTextButNoSelectionDoesNothing) {
    Start();
    CopyFromOutside("text");
    core->HistoryRows().Select(-1);
    core->Register();
    EXPECT_TRUE(prompts.beeps.empty());
    EXPECT_EQ(core->Status().Text(), "");
    EXPECT_EQ(ClipFile(0), "<missing>");
}

TEST_F(Core, RegisterOnAnEmptyClipboardBeepsAnExclamation) {
    Start();
    core->Register();
    EXPECT_EQ(prompts.beeps, std::vector<BeepKind>{BeepKind::Exclamation});
    EXPECT_EQ(core->Status().Text(), status::kRegisterEmpty);
}

TEST_F(Core, RegisteringAHistoryEntryCopiesItBackFirst) {
    Start();
    CopyFromOutside("b");
    CopyFromOutside("a");
    core->HistoryRows().Select(1);
    // The system reports the copy only later; the entry is registered anyway.
    core->RegisterHistoryEntry();
    EXPECT_EQ(ClipFile(0), "b\r\n");
    EXPECT_EQ(core->HistoryRows().Rows(), (Rows{"b", "a"}));
    Report();  // the late report finds the change handled
    EXPECT_EQ(core->HistoryRows().Rows(), (Rows{"b", "a"}));
    EXPECT_EQ(core->TextClipRows().Count(), 1);
}

TEST_F(Core, TheHistoryHintIsTheSelectedEntrysPreviewOrNothing) {
    Start();
    CopyFromOutside(std::string(300, 'h'));
    EXPECT_EQ(core->HistoryHint().Bytes(), std::string(256, 'h') + "\r\n＜つづく＞");
    core->HistoryRows().Select(-1);
    EXPECT_EQ(core->HistoryHint().Bytes(), "");
}

// --- Other commands of the main window ---

TEST_F(Core, ClearEmptiesTheClipboardAndKeepsTheHistory) {
    Start();
    CopyFromOutside("kept");
    core->ClearClipboard();
    EXPECT_FALSE(clipboard.HasFormat(kCfText));
    EXPECT_EQ(core->HistoryRows().Rows(), Rows{"kept"});
    EXPECT_EQ(core->HistoryRows().Selected(), -1);
    EXPECT_EQ(core->Status().Text(), status::kCleared);
}

TEST_F(Core, StatusLineClickTellsWhatTheClipboardHolds) {
    Start();
    core->TellClipboardKind();
    EXPECT_EQ(core->Status().Text(), status::kIsEmpty);
    clipboard.hasBitmap = true;
    core->TellClipboardKind();
    EXPECT_EQ(core->Status().Text(), status::kIsBitmap);
    clipboard.text = "t";
    core->TellClipboardKind();
    EXPECT_EQ(core->Status().Text(), status::kIsText);
}

TEST_F(Core, DeleteAllEmptiesTheHistoryOnlyFromASelection) {
    Start();
    for (const char* t : {"c", "b", "a"}) CopyFromOutside(t);
    core->HistoryRows().Select(-1);
    core->DeleteAllHistoryEntries();
    EXPECT_EQ(core->HistoryRows().Count(), 3);
    core->HistoryRows().Select(1);
    core->DeleteAllHistoryEntries();
    EXPECT_EQ(core->HistoryRows().Count(), 0);
    EXPECT_FALSE(clipboard.HasFormat(kCfText));  // emptying the list empties the clipboard
}

TEST_F(Core, DroppedFilesGoOnTheClipboardByTheirExtension) {
    Start();
    folder.directories.insert("C:\\in");
    folder.files["C:\\in\\a.Txt"].bytes = "one\ntwo";
    core->PutFileOnClipboard("C:\\in\\a.Txt");
    EXPECT_EQ(clipboard.text, "one\r\ntwo\r\n");
    core->PutFileOnClipboard("C:\\in\\c.doc");
    EXPECT_EQ(clipboard.text, "one\r\ntwo\r\n");
}

// --- The switches and the settings file ---

TEST_F(Core, SettingsAreReadAtStartAndWrittenWithThePosition) {
    settingsFile.values[{"SYSTEM", "DELETECHECK"}] = "TRUE";
    settingsFile.values[{"FILE", "PATH2"}] = "D:\\pictures\\";
    Start();
    EXPECT_TRUE(core->CurrentSwitches().confirmDelete);
    EXPECT_FALSE(core->CurrentSwitches().continuousRegistration);
    core->SaveSettings(32, -7);
    EXPECT_EQ((settingsFile.values[{"FORM", "LEFT"}]), "32");
    EXPECT_EQ((settingsFile.values[{"FORM", "TOP"}]), "-7");
    EXPECT_EQ((settingsFile.values[{"FILE", "PATH2"}]), "D:\\pictures\\");
    EXPECT_EQ((settingsFile.values[{"SYSTEM", "DELETECHECK"}]), "TRUE");
}

TEST_F(Core, OkMakesTheSwitchesSettingsAndCancelPutsThemBack) {
    Start();
    core->RememberSwitches();
    Switches changed = core->CurrentSwitches();
    changed.confirmDelete = true;
    changed.continuousRegistration = true;
    core->SetSwitches(changed);
    core->RestoreSwitches();
    EXPECT_FALSE(core->CurrentSwitches().confirmDelete);
    EXPECT_FALSE(core->CurrentSwitches().continuousRegistration);
    core->SetSwitches(changed);
    core->AcceptSwitches();
    EXPECT_TRUE(core->CurrentSettings().confirmDelete);
}

TEST_F(Core, ClosingKeepsThePreviewAndStayOnTopBoxesButNotTheDeleteBox) {
    Start();
    Switches boxes = core->CurrentSwitches();
    boxes.hidePreview = true;
    boxes.stayOnTop = true;
    boxes.confirmDelete = true;
    core->SetSwitches(boxes);  // then the dialog's close box: no OK
    core->KeepSwitchesOnClose();
    core->SaveSettings(0, 0);
    EXPECT_EQ((settingsFile.values[{"SYSTEM", "NONPREVIEW"}]), "TRUE");
    EXPECT_EQ((settingsFile.values[{"SYSTEM", "STAYONTOP"}]), "TRUE");
    EXPECT_EQ((settingsFile.values[{"SYSTEM", "DELETECHECK"}]), "FALSE");
}

TEST_F(Core, DeletingATextClipAsksOnlyUnderTheSetting) {
    Start();
    CopyFromOutside("a");
    core->Register();
    CopyFromOutside("b");
    core->Register();
    core->TextClipRows().Select(0);
    Switches boxes = core->CurrentSwitches();
    boxes.confirmDelete = true;
    core->SetSwitches(boxes);  // a box alone is no setting
    core->DeleteTextClip();
    EXPECT_TRUE(prompts.questions.empty());
    EXPECT_EQ(core->TextClipRows().Rows(), Rows{"b"});
    core->AcceptSwitches();
    core->TextClipRows().Select(0);
    core->DeleteTextClip();
    EXPECT_EQ(prompts.questions.size(), 1u);
    EXPECT_EQ(core->TextClipRows().Rows(), Rows{"b"});  // answered No
}

TEST_F(Core, ExportingATextClipRemembersTheFolder) {
    Start();
    folder.directories.insert("D:\\out");
    CopyFromOutside("a<b>");
    core->Register();
    core->TextClipRows().Select(0);
    core->ExportTextClip(core->TextClipRows().Selected(), "D:\\out\\page.htm");
    EXPECT_NE(folder.Content("D:\\out\\page.htm").find("a&lt;b&gt;<BR>"), std::string::npos);
    EXPECT_EQ(core->CurrentSettings().textExportFolder, "D:\\out\\");
    core->TextClipRows().Select(-1);
    core->ExportTextClip(core->TextClipRows().Selected(), "C:\\app\\other.txt");  // no selection: nothing written, folder kept
    EXPECT_EQ(folder.Content("C:\\app\\other.txt"), "<missing>");
    EXPECT_EQ(core->CurrentSettings().textExportFolder, "D:\\out\\");
}

TEST_F(Core, TheMemoIsSavedAsItsLinesSeparatedByCrLf) {
    Start();
    folder.directories.insert("D:\\notes");
    core->SaveMemo("D:\\notes\\memo.txt", "first\r\nsecond");
    EXPECT_EQ(folder.Content("D:\\notes\\memo.txt"), "first\r\nsecond");
    EXPECT_EQ(core->CurrentSettings().memoExportFolder, "D:\\notes\\");
    core->SaveMemo("D:\\notes\\memo.txt", "one\ntwo\r\n");
    EXPECT_EQ(folder.Content("D:\\notes\\memo.txt"), "one\r\ntwo\r\n");
}

TEST_F(Core, TheDeleteQuestionKeepsTheClipsTextApartFromTheProgramsWords) {
    Start();
    CopyFromOutside("caf\xE9");  // data in the system's code page, whatever it is
    core->Register();
    Switches s = core->CurrentSwitches();
    s.confirmDelete = true;
    core->SetSwitches(s);
    core->AcceptSwitches();
    core->TextClipRows().Select(0);
    core->DeleteTextClip();
    ASSERT_EQ(prompts.texts.size(), 1u);
    const auto& pieces = prompts.texts[0].Pieces();
    ASSERT_EQ(pieces.size(), 2u);
    EXPECT_FALSE(pieces[0].data);
    EXPECT_EQ(pieces[0].bytes, "このテキストを削除しますか\r\n\r\n");
    EXPECT_TRUE(pieces[1].data);
    EXPECT_EQ(pieces[1].bytes, "caf\xE9");
}

TEST_F(Core, SavingTheMemoReplacesTheFileWholeOrNotAtAll) {
    Start();
    folder.directories.insert("D:\\out");
    folder.files["D:\\out\\memo.txt"].bytes = "the old memo\r\n";
    using Fault = int test::FakeClipFolder::*;
    for (Fault fault : {&test::FakeClipFolder::failWriteAt, &test::FakeClipFolder::shortWriteAt,
                        &test::FakeClipFolder::failMoveAt}) {
        folder.writeCalls = 0;
        folder.moveCalls = 0;
        folder.*fault = 0;
        EXPECT_THROW(core->SaveMemo("D:\\out\\memo.txt", "new\nmemo"), Exception);
        folder.*fault = -1;
        EXPECT_EQ(folder.NamesIn("D:\\out\\"), Rows{"memo.txt"});
        EXPECT_EQ(folder.Content("D:\\out\\memo.txt"), "the old memo\r\n");
    }
    core->SaveMemo("D:\\out\\memo.txt", "new\nmemo");
    EXPECT_EQ(folder.Content("D:\\out\\memo.txt"), "new\r\nmemo");
    EXPECT_EQ(folder.NamesIn("D:\\out\\"), Rows{"memo.txt"});
}

TEST_F(Core, WhatAKilledSettingsWriteLeftIsRemovedAtStart) {
    folder.files[TemporaryPathFor(settingsFile.path)].bytes = "[FORM]\r\nLEF";
    Start();
    EXPECT_TRUE(folder.NamesIn("C:\\app\\").empty());
}

// --- Pictures: the bitmap clips live in a real folder ---

class CoreWithPictures : public ::testing::Test {
protected:
    AppCore& Start() {
        core.emplace(AppCore::Services{clipboard, folder, prompts, settingsFile}, scratch.Base());
        core->LoadClips();
        core->pageWanted.Connect([this](ScrapbookPage p) { pages.push_back(p); });
        return *core;
    }
    // Another program copies a picture; the system reports the change.
    void CopyPicture(int width, int height, std::uint8_t red = 200) {
        clipboard.Offer(kCfDib, test::MakePackedDib(test::SolidRed(width, height, red)));
        core->OnClipboardReported();
    }
    void SetContinuousRegistration(bool on) {
        Switches s = core->CurrentSwitches();
        s.continuousRegistration = on;
        core->SetSwitches(s);
    }
    // The settings dialog's preview box ticked or not, before OK.
    void SetHidePreview(bool hide) {
        Switches s = core->CurrentSwitches();
        s.hidePreview = hide;
        core->SetSwitches(s);
    }

    test::ScratchFolder scratch;
    SystemClipFolder folder;
    test::FakeClipboard clipboard;
    test::FakePrompts prompts;
    test::MemoryProfile settingsFile;
    std::optional<AppCore> core;
    std::vector<ScrapbookPage> pages;
};

TEST_F(CoreWithPictures, ACopiedPictureIsPreviewedTopLeftAndDeselectsTheHistory) {
    Start();
    clipboard.text = "t";
    core->OnClipboardReported();
    ASSERT_EQ(core->HistoryRows().Selected(), 0);
    CopyPicture(10, 5, 0x40);
    const Preview& preview = core->ClipboardPreview();
    EXPECT_TRUE(preview.ShowingBitmap());
    EXPECT_EQ(preview.BoxSide(), Preview::kSide);
    EXPECT_EQ(preview.PictureRect(), (Rect{0, 0, 113, 56}));  // 56.5 goes to the even neighbour
    EXPECT_EQ(preview.Picture().Pixel(112, 55), 0x400000u);
    EXPECT_EQ(core->HistoryRows().Selected(), -1);
    EXPECT_EQ(core->BitmapClips().Count(), 0);  // previewed, not registered
}

// A large 32-bit picture takes a while to convert: the preview shows it as
// soon as it is known good, while the clipboard is still held, and a text
// offered beside it does not hide the box again in between.
TEST_F(CoreWithPictures, AThirtyTwoBitPictureIsPreviewedBeforeItsReadingEnds) {
    Start();
    clipboard.text = "t";
    core->OnClipboardReported();
    const Preview& preview = core->ClipboardPreview();
    ASSERT_EQ(preview.BoxSide(), 0);

    test::BmpParts picture = test::PlainPicture(4, 2, 32);
    for (std::size_t i = 0; i < picture.pixels.size(); i += 4) {
        picture.pixels[i] = 0x10, picture.pixels[i + 1] = 0x20, picture.pixels[i + 2] = 0x30;
    }
    clipboard.Offer(kCfDib, test::MakePackedDib(picture));
    clipboard.text = "beside the picture";
    struct Seen {
        bool held;
        int boxSide;
        std::uint32_t middle;
    };
    std::vector<Seen> seen;
    core->ClipboardPreview().changed.Connect([&] {
        seen.push_back({clipboard.holds > 0, preview.BoxSide(), preview.Picture().Pixel(56, 28)});
    });
    core->OnClipboardReported();

    const auto shown = std::find_if(seen.begin(), seen.end(), [](const Seen& s) { return s.middle == 0x302010; });
    ASSERT_NE(shown, seen.end());
    EXPECT_TRUE(shown->held);
    EXPECT_EQ(shown->boxSide, Preview::kSide);
    EXPECT_TRUE(std::all_of(shown, seen.end(), [](const Seen& s) { return s.boxSide == Preview::kSide; }));
    EXPECT_EQ(preview.PictureRect(), (Rect{0, 0, 113, 56}));
    EXPECT_EQ(core->HistoryRows().Selected(), -1);
    EXPECT_EQ(clipboard.blockReads, 1);
}

// A program copying a picture with its text, the text already in the history.
TEST_F(CoreWithPictures, AKnownTextBesideAPictureLeavesThePictureOnTheClipboard) {
    Start();
    clipboard.text = "cell";
    core->OnClipboardReported();
    clipboard.Offer(kCfDib, test::MakePackedDib(test::SolidRed(4, 4, 0x40)));
    clipboard.text = "cell";
    core->OnClipboardReported();
    EXPECT_EQ(clipboard.blocks.count(kCfDib), 1u);
    EXPECT_EQ(clipboard.text, "cell");
    EXPECT_EQ(clipboard.writes, 0);
    EXPECT_EQ(core->HistoryRows().Rows(), std::vector<std::string>{"cell"});
    EXPECT_TRUE(core->ClipboardPreview().ShowingBitmap());
}

TEST_F(CoreWithPictures, APictureTheProgramCannotReadLeavesThePreviousPreview) {
    Start();
    CopyPicture(10, 10, 0x40);
    clipboard.Offer(kCfDib, {40, 0, 0, 0, 1, 0});  // a header cut short
    core->OnClipboardReported();
    EXPECT_TRUE(core->ClipboardPreview().ShowingBitmap());
    EXPECT_EQ(core->ClipboardPreview().PictureRect(), (Rect{0, 0, 113, 113}));
    EXPECT_EQ(core->ClipboardPreview().Picture().Pixel(5, 5), 0x400000u);
    EXPECT_TRUE(prompts.errors.empty());
}

TEST_F(CoreWithPictures, WithThePreviewOffTheLabelShowsAndNothingIsDrawn) {
    Start();
    SetHidePreview(true);
    CopyPicture(10, 10);
    EXPECT_EQ(core->ClipboardPreview().BoxSide(), 0);
    EXPECT_TRUE(core->ClipboardPreview().OffLabelVisible());
    EXPECT_EQ(core->ClipboardPreview().PictureRect(), Rect{});
    // OK with the box unticked draws the clipboard's picture again.
    SetHidePreview(false);
    core->AcceptSwitches();
    EXPECT_FALSE(core->ClipboardPreview().OffLabelVisible());
    EXPECT_EQ(core->ClipboardPreview().PictureRect(), (Rect{0, 0, 113, 113}));
}

// The preview switched on again in the settings dialog, before OK: the
// next picture shows the box without the label, readable or not.
TEST_F(CoreWithPictures, APictureAfterThePreviewIsSwitchedOnAgainTakesTheLabelAway) {
    Start();
    SetHidePreview(true);
    CopyPicture(10, 10);
    ASSERT_TRUE(core->ClipboardPreview().OffLabelVisible());
    SetHidePreview(false);
    clipboard.Offer(kCfDib, {40, 0, 0, 0, 1, 0});  // a header cut short
    core->OnClipboardReported();
    EXPECT_EQ(core->ClipboardPreview().BoxSide(), Preview::kSide);
    EXPECT_FALSE(core->ClipboardPreview().OffLabelVisible());
}

// OK draws the preview again, which needs the clipboard: another program
// holding it fails the drawing, but every setting has been taken.
TEST_F(CoreWithPictures, OkTakesEverySettingThoughTheClipboardIsHeldElsewhere) {
    Start();
    CopyPicture(10, 10);
    core->RememberSwitches();
    Switches changed = core->CurrentSwitches();
    changed.stayOnTop = true;
    changed.confirmDelete = true;
    core->SetSwitches(changed);
    clipboard.busy = true;
    ++clipboard.stamp;  // the picture read is not the clipboard's any more
    EXPECT_THROW(core->AcceptSwitches(), ClipboardError);
    EXPECT_TRUE(core->CurrentSettings().stayOnTop);
    EXPECT_TRUE(core->CurrentSettings().confirmDelete);
    EXPECT_FALSE(core->CurrentSettings().hidePreview);
}

// OK with the preview switched on again brings the box back with the
// picture it showed before, also where the clipboard's picture cannot be
// read or another program holds the clipboard.
TEST_F(CoreWithPictures, ThePreviewSwitchedOnAgainShowsItsBoxThoughNoPictureCanBeRead) {
    Start();
    CopyPicture(10, 10, 0x40);
    SetHidePreview(true);
    core->AcceptSwitches();
    clipboard.Offer(kCfDib, {40, 0, 0, 0, 1, 0});  // a header cut short
    core->OnClipboardReported();
    ASSERT_EQ(core->ClipboardPreview().BoxSide(), 0);
    SetHidePreview(false);
    core->AcceptSwitches();
    EXPECT_FALSE(core->ClipboardPreview().OffLabelVisible());
    EXPECT_EQ(core->ClipboardPreview().BoxSide(), Preview::kSide);
    EXPECT_EQ(core->ClipboardPreview().Picture().Pixel(5, 5), 0x400000u);

    SetHidePreview(true);
    core->AcceptSwitches();
    CopyPicture(20, 20, 0x50);
    ASSERT_EQ(core->ClipboardPreview().BoxSide(), 0);
    SetHidePreview(false);
    clipboard.busy = true;
    EXPECT_THROW(core->AcceptSwitches(), ClipboardError);
    EXPECT_FALSE(core->ClipboardPreview().OffLabelVisible());
    EXPECT_EQ(core->ClipboardPreview().BoxSide(), Preview::kSide);
}

TEST_F(CoreWithPictures, APictureMarkedNotToBeKeptIsNeitherPreviewedNorRegistered) {
    Start();
    CopyPicture(10, 10, 0x40);
    SetContinuousRegistration(true);
    clipboard.Offer(kCfDib, test::MakePackedDib(test::SolidRed(20, 20, 0x80)));
    clipboard.namedBlocks = {kExclude};
    core->OnClipboardReported();
    EXPECT_EQ(core->ClipboardPreview().Picture().Pixel(5, 5), 0x400000u);  // the earlier picture
    EXPECT_EQ(core->BitmapClips().Count(), 0);
    core->Register();
    EXPECT_EQ(core->BitmapClips().Count(), 0);
    EXPECT_EQ(prompts.beeps, std::vector<BeepKind>{BeepKind::Exclamation});
    EXPECT_EQ(core->Status().Text(), status::kRegisterEmpty);
    EXPECT_TRUE(pages.empty());
    // Turning the preview on again does not show it either.
    core->AcceptSwitches();
    EXPECT_EQ(core->ClipboardPreview().Picture().Pixel(5, 5), 0x400000u);
}

TEST_F(CoreWithPictures, APictureCopiedElsewhereWhileOneIsReadIsNeitherShownNorStored) {
    Start();
    SetContinuousRegistration(true);
    const auto copySecretElsewhere = [this] {
        clipboard.Offer(kCfDib, test::MakePackedDib(test::SolidRed(20, 20, 0x80)));
        clipboard.namedBlocks = {kExclude};
    };
    clipboard.Offer(kCfDib, test::MakePackedDib(test::SolidRed(10, 10, 0x40)));
    clipboard.nextCopyElsewhere = copySecretElsewhere;
    core->OnClipboardReported();
    core->OnClipboardReported();  // the secret's own notice
    EXPECT_EQ(clipboard.holds, 0);
    EXPECT_EQ(core->ClipboardPreview().Picture().Pixel(5, 5), 0x400000u);
    ASSERT_EQ(core->BitmapClips().Count(), 1);
    EXPECT_EQ(core->BitmapClips().Shown().Pixel(3, 3), 0x400000u);

    // The register button reads a picture the change did not read, with the
    // preview off, under the same rule.
    SetContinuousRegistration(false);
    Switches s = core->CurrentSwitches();
    s.hidePreview = true;
    core->SetSwitches(s);
    clipboard.Offer(kCfDib, test::MakePackedDib(test::SolidRed(30, 30, 0x50)));
    core->OnClipboardReported();
    clipboard.nextCopyElsewhere = copySecretElsewhere;
    core->Register();
    EXPECT_EQ(clipboard.holds, 0);
    ASSERT_EQ(core->BitmapClips().Count(), 2);
    EXPECT_EQ(core->BitmapClips().Shown().Pixel(3, 3), 0x500000u);
    EXPECT_TRUE(prompts.errors.empty());
}

TEST_F(CoreWithPictures, RegisterStoresThePictureAndAsksForTheBitmapPage) {
    Start();
    CopyPicture(30, 20);
    core->Register();
    EXPECT_EQ(core->BitmapClips().Count(), 1);
    EXPECT_EQ(core->BitmapClips().CounterText(), "1 / 1");
    EXPECT_EQ(core->Status().Text(), status::kBitmapRegistered);
    EXPECT_EQ(pages, std::vector<ScrapbookPage>{ScrapbookPage::Bitmap});
    EXPECT_EQ(core->BitmapClips().ClipPath(1), scratch.Base() + "bmp\\00000000.bmp");
    EXPECT_TRUE(folder.FileExists(core->BitmapClips().ClipPath(1)));
    core->Register();  // no duplicate test for pictures
    EXPECT_EQ(core->BitmapClips().Count(), 2);
}

TEST_F(CoreWithPictures, ContinuousRegistrationStoresEveryPictureWithoutAStatusText) {
    Start();
    SetContinuousRegistration(true);
    CopyPicture(8, 8);
    CopyPicture(9, 9);
    EXPECT_EQ(core->BitmapClips().Count(), 2);
    EXPECT_EQ(core->Status().Text(), "");
    EXPECT_EQ(pages, (std::vector<ScrapbookPage>{ScrapbookPage::Bitmap, ScrapbookPage::Bitmap}));
}

TEST_F(CoreWithPictures, OneChangeReadsThePictureOnceForPreviewAndRegistration) {
    Start();
    SetContinuousRegistration(true);
    CopyPicture(8, 8, 0x40);
    EXPECT_EQ(clipboard.blockReads, 1);
    EXPECT_EQ(core->BitmapClips().Count(), 1);
    EXPECT_EQ(core->ClipboardPreview().Picture().Pixel(3, 3), 0x400000u);
    EXPECT_EQ(core->BitmapClips().Shown().Pixel(3, 3), 0x400000u);
    core->Register();  // the same change: nothing is read again
    EXPECT_EQ(clipboard.blockReads, 1);
    EXPECT_EQ(core->BitmapClips().Count(), 2);

    CopyPicture(8, 8, 0x50);  // a new change is read anew
    EXPECT_EQ(clipboard.blockReads, 2);
    EXPECT_EQ(core->BitmapClips().Shown().Pixel(3, 3), 0x500000u);
}

// 20000 x 11185 would take 671,100,000 bytes in 24 bits: beyond the limit.
// The header alone is offered; it is refused before any pixel memory.
TEST_F(CoreWithPictures, APictureTooLargeIsRefusedWithAMessageAndNoFile) {
    Start();
    CopyPicture(10, 10, 0x40);
    test::BmpParts huge;
    huge.width = 20000;
    huge.height = 11185;
    huge.bitCount = 24;
    clipboard.Offer(kCfDib, test::MakePackedDib(huge));
    core->OnClipboardReported();
    EXPECT_EQ(core->ClipboardPreview().Picture().Pixel(5, 5), 0x400000u);  // the previous preview stays
    test::ExpectError<Exception>([&] { core->Register(); },
                                 "この画像は大きすぎて扱えません (20000 x 11185 ピクセル)");
    EXPECT_EQ(core->BitmapClips().Count(), 0);
    EXPECT_FALSE(folder.FileExists(scratch.Base() + "bmp\\00000000.bmp"));

    SetContinuousRegistration(true);
    ++clipboard.stamp;
    test::ExpectError<Exception>([&] { core->OnClipboardReported(); },
                                 "この画像は大きすぎて扱えません (20000 x 11185 ピクセル)");
    EXPECT_EQ(core->BitmapClips().Count(), 0);
}

TEST_F(CoreWithPictures, ADroppedBmpFileIsCheckedByTheProgramAndOfferedAsADib) {
    Start();
    const std::string good = scratch.Base() + "b.BMP";
    const std::vector<std::uint8_t> bytes = test::MakeBmp(test::SolidRed(10, 5, 0x40));
    folder.WriteWholeFile(good, std::string(bytes.begin(), bytes.end()));
    core->PutFileOnClipboard(good);
    ASSERT_EQ(clipboard.blocks.count(kCfDib), 1u);
    EXPECT_EQ(clipboard.blocks[kCfDib], std::vector<std::uint8_t>(bytes.begin() + 14, bytes.end()));

    // A run-length stream that paints past its picture never reaches the clipboard.
    test::BmpParts bad;
    bad.width = 4;
    bad.height = 1;
    bad.bitCount = 8;
    bad.compression = 1;
    bad.colors.assign(1024, 0);
    bad.pixels = test::Bytes({200, 1, 0, 1});
    bad.sizeImage = 4;
    const std::vector<std::uint8_t> badBytes = test::MakeBmp(bad);
    const std::string badPath = scratch.Base() + "bad.bmp";
    folder.WriteWholeFile(badPath, std::string(badBytes.begin(), badBytes.end()));
    EXPECT_THROW(core->PutFileOnClipboard(badPath), FileOpenError);
    EXPECT_EQ(clipboard.blocks[kCfDib], std::vector<std::uint8_t>(bytes.begin() + 14, bytes.end()));

    // A 32-bit file is offered as the 24-bit picture the program reads from it.
    const std::vector<std::uint8_t> bytes32 = test::MakeBmp(test::PlainPicture(6, 3, 32));
    const std::string path32 = scratch.Base() + "c.bmp";
    folder.WriteWholeFile(path32, std::string(bytes32.begin(), bytes32.end()));
    core->PutFileOnClipboard(path32);
    Dib read;
    read.LoadFromFile(path32);
    MemoryStream file24;
    read.SaveToStream(file24);
    EXPECT_EQ(read.Pixels()->Image.Header.biBitCount, 24);
    EXPECT_EQ(clipboard.blocks[kCfDib], std::vector<std::uint8_t>(file24.Bytes().begin() + 14, file24.Bytes().end()));
}

TEST_F(CoreWithPictures, TheCopyButtonSwitchesContinuousRegistrationOffBeforeCopying) {
    Start();
    CopyPicture(8, 8);
    core->Register();
    SetContinuousRegistration(true);
    int switched = 0;
    core->switchesChanged.Connect([&] { ++switched; });
    core->CopyBitmapClip();
    EXPECT_FALSE(core->CurrentSwitches().continuousRegistration);
    EXPECT_EQ(switched, 1);
    core->OnClipboardReported();  // the copy's own change
    EXPECT_EQ(core->BitmapClips().Count(), 1);
    EXPECT_EQ(clipboard.blocks.count(kCfDib), 1u);
}

TEST_F(CoreWithPictures, ExportingAndDeletingAPictureFollowTheSettings) {
    Start();
    CopyPicture(8, 8);
    core->Register();
    CopyPicture(9, 9);
    core->Register();
    core->ExportBitmapClip(core->BitmapClips().Current(), scratch.Base() + "out.bmp");
    EXPECT_TRUE(folder.FileExists(scratch.Base() + "out.bmp"));
    EXPECT_EQ(core->CurrentSettings().bitmapExportFolder, scratch.Base());
    core->DeleteBitmapClip();
    EXPECT_EQ(core->BitmapClips().Count(), 1);
    EXPECT_TRUE(prompts.questions.empty());
}

}  // namespace
}  // namespace lumeret
