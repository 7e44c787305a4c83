// Every operation that writes to a clip folder, run with a fault at each of
// its writes and moves in turn: a write that cannot create its file, a write
// that stops half-way, a move that fails. Afterwards the folder holds exactly
// what it held before or exactly what the operation makes of it, and never
// a temporary file; where a renumbering stopped half-way, the next start
// reads the clips of one of the two, in their order.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <map>
#include <optional>

#include "dib/bmp_builder.h"
#include "dib/dib.h"
#include "platform/errors.h"
#include "platform/row_list.h"
#include "store/bitmap_clip_store.h"
#include "store/clip_numbering.h"
#include "store/text_clip_store.h"
#include "support/fake_clip_folder.h"
#include "support/fakes.h"

namespace lumeret {
namespace {

using Names = std::vector<std::string>;
using Snapshot = std::map<std::string, std::string>;
const std::string kBase = "C:\\app\\";
const std::string kTxt = kBase + "txt\\";
const std::string kBmp = kBase + "bmp\\";

std::string TextClip(int n) { return ClipFileName(kBase, "txt", n); }
std::string BitmapClip(int n) { return ClipFileName(kBase, "bmp", n); }

std::string SolidBmpFile(int width, std::uint8_t red) {
    auto bytes = test::MakeBmp(test::SolidRed(width, 4, red));
    return std::string(bytes.begin(), bytes.end());
}

// One trial of an operation on a folder of its own.
struct Trial {
    test::FakeClipFolder folder;
    RowList rows;
    test::FakeClipboard clipboard;
    test::FakePrompts prompts;
    std::optional<TextClipStore> texts;
    std::optional<BitmapClipStore> bitmaps;

    Trial() { folder.directories = {"C:\\app", "C:\\app\\txt", "C:\\app\\bmp", "D:\\out"}; }
    void Open() {
        texts.emplace(rows, kBase, "txt", folder, clipboard, prompts);
        texts->RefreshList();
        bitmaps.emplace(kBase, "bmp", folder, clipboard, prompts, 193, 193);
        bitmaps->ShowItem(1);
    }
    Snapshot Files() const {
        Snapshot files;
        for (const auto& [path, file] : folder.files) files[path] = file.bytes;
        return files;
    }
};

// The contents of a clip folder's clips in number order, as a fresh start
// reads them.
Names ClipsAtNextStart(test::FakeClipFolder& folder, const std::string& ext) {
    Names contents;
    for (const std::string& path : RenumberFiles(folder, kBase, ext)) contents.push_back(folder.Content(path));
    return contents;
}

bool HasTemporaryFile(const Snapshot& files) {
    for (const auto& [path, bytes] : files) {
        if (path.size() > 4 && path.substr(path.size() - 4) == ".tmp") return true;
    }
    return false;
}

enum class Fault { FailedWrite, ShortWrite, FailedMove };

void Arm(test::FakeClipFolder& folder, Fault fault, int at) {
    folder.writeCalls = 0;
    folder.moveCalls = 0;
    if (fault == Fault::FailedWrite) folder.failWriteAt = at;
    if (fault == Fault::ShortWrite) folder.shortWriteAt = at;
    if (fault == Fault::FailedMove) folder.failMoveAt = at;
}

// Whether the armed fault was reached during the operation.
bool Reached(const test::FakeClipFolder& folder, Fault fault, int at) {
    return (fault == Fault::FailedMove ? folder.moveCalls : folder.writeCalls) > at;
}

struct Operation {
    std::function<void(Trial&)> prepare;  // files, before the stores open
    std::function<void(Trial&)> act;
    // The folder must be exactly as before or after; otherwise only the
    // clips a fresh start reads are compared.
    bool allOrNothing = true;
};

// Runs the operation with each fault at each position until it runs through
// unhurt, checking the folder after every run.
void ExpectNoClipHarmed(const Operation& op) {
    Trial clean;
    op.prepare(clean);
    clean.Open();
    const Snapshot before = clean.Files();
    op.act(clean);
    const Snapshot after = clean.Files();
    ASSERT_NE(before, after) << "the operation changes nothing";
    const Names textsAfter = ClipsAtNextStart(clean.folder, "txt");
    const Names bitmapsAfter = ClipsAtNextStart(clean.folder, "bmp");

    for (Fault fault : {Fault::FailedWrite, Fault::ShortWrite, Fault::FailedMove}) {
        for (int at = 0;; ++at) {
            SCOPED_TRACE("fault " + std::to_string(static_cast<int>(fault)) + " at call " + std::to_string(at));
            Trial run;
            op.prepare(run);
            run.Open();
            Arm(run.folder, fault, at);
            bool failed = false;
            try {
                op.act(run);
            } catch (const Exception&) {
                failed = true;
            }
            const Snapshot files = run.Files();
            const bool reached = Reached(run.folder, fault, at);
            EXPECT_FALSE(HasTemporaryFile(files));
            // The store's rows still act on the files they show.
            for (int i = 0; i < run.texts->Count(); ++i) {
                EXPECT_EQ(run.rows.Row(i), ClipCaption(run.folder.Content(run.texts->ClipPath(i))));
            }
            if (op.allOrNothing) {
                EXPECT_TRUE(files == before || files == after);
                if (failed) {
                    EXPECT_EQ(files, before) << "an operation that reported an error changed the folder";
                }
            } else {
                Names texts = ClipsAtNextStart(run.folder, "txt");
                Names bitmaps = ClipsAtNextStart(run.folder, "bmp");
                EXPECT_EQ(texts, textsAfter);
                EXPECT_EQ(bitmaps, bitmapsAfter);
            }
            if (!reached) {
                EXPECT_FALSE(failed);
                break;
            }
        }
    }
}

void PutTexts(Trial& run, const Names& texts) {
    for (std::size_t i = 0; i < texts.size(); ++i) {
        run.folder.files[TextClip(static_cast<int>(i))].bytes = ClipFileContent(texts[i]);
    }
}

void PutBitmaps(Trial& run, int count) {
    for (int i = 0; i < count; ++i) run.folder.files[BitmapClip(i)].bytes = SolidBmpFile(10 + i, 200);
}

TEST(ClipFaults, RegisteringATextWritesAllOrNothing) {
    ExpectNoClipHarmed({[](Trial& run) { PutTexts(run, {"a", "b"}); },
                        [](Trial& run) { run.texts->AddText("new text"); }});
}

TEST(ClipFaults, RegisteringATextBesideAFolderNamedLikeTheNextClipWritesAllOrNothing) {
    ExpectNoClipHarmed({[](Trial& run) {
                            PutTexts(run, {"a", "b"});
                            run.folder.directories.insert(TextClip(2));
                        },
                        [](Trial& run) { run.texts->AddText("new text"); }});
}

TEST(ClipFaults, DeletingATextLosesNoOtherClip) {
    ExpectNoClipHarmed({[](Trial& run) { PutTexts(run, {"a", "b", "c", "d", "e"}); },
                        [](Trial& run) { run.texts->DeleteClipFile(1); }, false});
}

TEST(ClipFaults, ExchangingTwoTextsSwapsBothOrNeither) {
    ExpectNoClipHarmed({[](Trial& run) { PutTexts(run, {"a", "b", "c", "d"}); },
                        [](Trial& run) { run.texts->Exchange(0, 3); }});
}

TEST(ClipFaults, ExportingATextReplacesTheTargetWholeOrNotAtAll) {
    for (bool asHtml : {false, true}) {
        ExpectNoClipHarmed({[](Trial& run) {
                                PutTexts(run, {"a", "b"});
                                run.folder.files["D:\\out\\clip.txt"].bytes = "the old export";
                            },
                            [asHtml](Trial& run) {
                                run.rows.Select(1);
                                run.texts->ExportToFile(1, "D:\\out\\clip.txt", asHtml);
                            }});
    }
}

TEST(ClipFaults, RegisteringAPictureWritesAllOrNothing) {
    ExpectNoClipHarmed({[](Trial& run) {
                            PutBitmaps(run, 2);
                            run.clipboard.Offer(kCfDib, test::MakePackedDib(test::SolidRed(30, 20, 90)));
                        },
                        [](Trial& run) {
                            Dib picture;
                            picture.Assign(run.clipboard);
                            run.bitmaps->Add(picture);
                        }});
}

TEST(ClipFaults, DeletingAPictureLosesNoOtherClip) {
    ExpectNoClipHarmed({[](Trial& run) { PutBitmaps(run, 4); },
                        [](Trial& run) {
                            run.bitmaps->First();
                            run.bitmaps->DeleteCurrent(false);
                        },
                        false});
}

TEST(ClipFaults, ExportingAPictureReplacesTheTargetWholeOrNotAtAll) {
    ExpectNoClipHarmed({[](Trial& run) {
                            PutBitmaps(run, 2);
                            run.folder.files["D:\\out\\picture.bmp"].bytes = "the old export";
                        },
                        [](Trial& run) { run.bitmaps->ExportToFile(run.bitmaps->Current(), "D:\\out\\picture.bmp"); }});
}

TEST(ClipFaults, StartingOnAStrayShortNameLosesNoClip) {
    // The start itself renumbers: a failed move there must leave every clip
    // listed as it is and for the start after it.
    for (int at = 0; at < 6; ++at) {
        SCOPED_TRACE(at);
        Trial run;
        PutTexts(run, {"c0", "c1", "c2", "c3"});
        run.folder.files[kTxt + "0.txt"].bytes = ClipFileContent("stray");
        Arm(run.folder, Fault::FailedMove, at);
        run.Open();
        EXPECT_EQ(run.rows.Count(), 5);
        for (int i = 0; i < run.texts->Count(); ++i) {
            EXPECT_EQ(run.rows.Row(i), ClipCaption(run.folder.Content(run.texts->ClipPath(i))));
        }
        EXPECT_EQ(ClipsAtNextStart(run.folder, "txt"), (Names{"stray\r\n", "c0\r\n", "c1\r\n", "c2\r\n", "c3\r\n"}));
    }
}

using Steps = std::vector<std::pair<std::string, std::string>>;

// The renames an operation makes on a folder of these texts: the steps after
// which a killed process leaves the folder.
Steps RenamesOf(const Names& texts, const std::function<void(Trial&)>& act) {
    Trial whole;
    PutTexts(whole, texts);
    whole.Open();
    act(whole);
    return whole.folder.renames;
}

// Makes the first kept steps on the trial's folder, then starts the stores
// on it, as the start after the kill does.
void StartAfterKill(Trial& killed, const Steps& steps, std::size_t kept) {
    for (std::size_t i = 0; i < kept; ++i) ASSERT_EQ(killed.folder.RenameFile(steps[i].first, steps[i].second), 0);
    killed.Open();
}

// A process killed at any moment of a deletion: the files as they stand
// after each of its steps are what the next start finds.
TEST(ClipFaults, DeletionKilledAfterAnyStepLeavesEveryOtherClipForTheNextStart) {
    const Names texts{"c0", "c1", "c2", "c3", "c4", "c5"};
    const Steps steps = RenamesOf(texts, [](Trial& run) { run.texts->DeleteClipFile(1); });
    ASSERT_EQ(steps.size(), 4u);
    for (std::size_t kept = 0; kept <= steps.size(); ++kept) {
        SCOPED_TRACE(kept);
        Trial killed;
        PutTexts(killed, texts);
        killed.folder.files.erase(TextClip(1));  // the deletion's first step
        StartAfterKill(killed, steps, kept);
        EXPECT_EQ(killed.rows.Rows(), (Names{"c0", "c2", "c3", "c4", "c5"}));
        EXPECT_EQ(killed.folder.NamesIn(kTxt),
                  (Names{"00000000.txt", "00000001.txt", "00000002.txt", "00000003.txt", "00000004.txt"}));
    }
}

// An exchange parks its first clip as "temp.txt", a name the scan takes: a
// kill after any of its renames loses no clip and doubles none.
TEST(ClipFaults, ExchangeKilledAfterAnyStepLeavesEveryClipForTheNextStart) {
    const Names texts{"c0", "c1", "c2", "c3"};
    const Steps steps = RenamesOf(texts, [](Trial& run) { run.texts->Exchange(0, 2); });
    ASSERT_EQ(steps.size(), 3u);
    for (std::size_t kept = 0; kept <= steps.size(); ++kept) {
        SCOPED_TRACE(kept);
        Trial killed;
        PutTexts(killed, texts);
        StartAfterKill(killed, steps, kept);
        Names rows = killed.rows.Rows();
        std::sort(rows.begin(), rows.end());
        EXPECT_EQ(rows, texts);
        EXPECT_EQ(killed.folder.NamesIn(kTxt), (Names{"00000000.txt", "00000001.txt", "00000002.txt", "00000003.txt"}));
    }
}

TEST(ClipFaults, WhatAKilledSaveLeftIsRemovedAtTheNextStartAndNeverListed) {
    Trial run;
    PutTexts(run, {"a"});
    run.folder.files[TemporaryPathFor(TextClip(1))].bytes = "half a cl";
    run.folder.files[TemporaryPathFor(BitmapClip(0))].bytes = "BM half";
    run.folder.files[kTxt + "notes.tmp"].bytes = "not a clip's, kept";
    run.Open();
    EXPECT_EQ(run.rows.Rows(), Names{"a"});
    EXPECT_EQ(run.bitmaps->Count(), 0);
    EXPECT_EQ(run.folder.NamesIn(kTxt), (Names{"00000000.txt", "notes.tmp"}));
    EXPECT_TRUE(run.folder.NamesIn(kBmp).empty());
}

}  // namespace
}  // namespace lumeret
