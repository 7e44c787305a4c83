#include "store/bitmap_clip_store.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>

#include "dib/bmp_builder.h"
#include "dib/dib_errors.h"
#include "dib/dib.h"
#include "platform/clip_folder.h"
#include "store/clip_numbering.h"
#include "support/fakes.h"
#include "support/scratch_folder.h"

namespace lumeret {
namespace {

using test::BmpParts;
using test::FakeClipboard;
using test::FakePrompts;
using test::ScratchFolder;

std::vector<std::uint8_t> SolidBmp(int width, int height, std::uint8_t red) {
    return test::MakeBmp(test::SolidRed(width, height, red));
}

class BitmapStore : public ::testing::Test {
protected:
    std::string Folder() const { return scratch.Base() + "bmp\\"; }
    std::string File(int number) const { return ClipFileName(scratch.Base(), "bmp", number); }

    void WriteClip(const std::string& name, const std::vector<std::uint8_t>& bytes) {
        folder.MakeDirectory(scratch.Base() + "bmp");
        folder.WriteWholeFile(Folder() + name, std::string(bytes.begin(), bytes.end()));
    }
    // Clips numbered from 0, each as wide as given (height 10) so a test can
    // tell them apart by the width of what is shown.
    void WriteClips(std::initializer_list<int> widths) {
        int n = 0;
        for (int w : widths) WriteClip(NumberToName(n++) + ".bmp", SolidBmp(w, 10, 200));
    }
    std::unique_ptr<BitmapClipStore> Open() {
        auto store = std::make_unique<BitmapClipStore>(scratch.Base(), "bmp", folder, clipboard, prompts, 193, 193);
        store->changed.Connect([this] { ++redraws; });
        return store;
    }
    // The shown clip's own width, read back from the file on show.
    int ShownWidth(const BitmapClipStore& store) {
        Dib dib;
        dib.LoadFromFile(store.ClipPath(store.Current()));
        return dib.GetWidth();
    }
    void OfferBitmap(const BmpParts& parts) { clipboard.Offer(kCfDib, test::MakePackedDib(parts)); }

    ScratchFolder scratch;
    SystemClipFolder folder;
    FakeClipboard clipboard;
    FakePrompts prompts;
    // Notices that what the page shows has changed.
    int redraws = 0;
};

TEST_F(BitmapStore, EmptyFolderIsCreatedAndShowsNothing) {
    auto store = Open();
    auto entries = folder.FindEntries(scratch.Base() + "*");
    ASSERT_EQ(entries.size(), 1u);
    EXPECT_EQ(entries[0].name, "bmp");
    EXPECT_TRUE(entries[0].directory);
    EXPECT_EQ(store->Count(), 0);
    EXPECT_EQ(store->Current(), 1);
    EXPECT_EQ(store->FrameWidth(), 193);
    EXPECT_FALSE(store->ShowItem(1));
    EXPECT_EQ(store->BoxWidth(), 0);
    EXPECT_EQ(store->BoxHeight(), 0);
    EXPECT_EQ(store->CounterText(), "0 / 0");
    store->Last();
    EXPECT_EQ(store->Current(), 0);
    EXPECT_EQ(store->CounterText(), "0 / 0");
    store->First();
    EXPECT_EQ(store->Current(), 1);
    EXPECT_EQ(store->Shown().Width(), 0);
    // Nothing to copy or export: no file, no clipboard change.
    store->CopyToClipboard();
    store->ExportToFile(store->Current(), scratch.Base() + "out.bmp");
    EXPECT_EQ(clipboard.writes, 0);
    EXPECT_FALSE(folder.FileExists(scratch.Base() + "out.bmp"));
}

TEST_F(BitmapStore, ClipsAreFittedToTheFrameTopLeft) {
    WriteClip("00000000.bmp", SolidBmp(300, 100, 1));
    WriteClip("00000001.bmp", SolidBmp(100, 300, 1));
    WriteClip("00000002.bmp", SolidBmp(386, 193, 1));
    WriteClip("00000003.bmp", SolidBmp(50, 50, 1));
    auto store = Open();
    ASSERT_EQ(store->Count(), 4);
    const Rect expected[] = {{0, 0, 193, 64}, {0, 0, 64, 193}, {0, 0, 193, 96}, {0, 0, 193, 193}};
    for (int i = 1; i <= 4; ++i) {
        ASSERT_TRUE(store->ShowItem(i));
        EXPECT_EQ(store->DrawRect(), expected[i - 1]) << "clip " << i;
        EXPECT_EQ(store->BoxWidth(), expected[i - 1].Right);
        EXPECT_EQ(store->BoxHeight(), expected[i - 1].Bottom);
        EXPECT_EQ(store->Shown().Width(), expected[i - 1].Right);
        EXPECT_EQ(store->Shown().Height(), expected[i - 1].Bottom);
        EXPECT_EQ(store->CounterText(), "1 / 4");  // ShowItem leaves Current alone
    }
    // The picture covers the whole of what is shown in the clip's colour.
    EXPECT_EQ(store->Shown().Pixel(0, 0), 0x010000u);
    EXPECT_EQ(store->Shown().Pixel(192, 192), 0x010000u);
    // Showing a clip of the same size again still tells the page to repaint.
    int before = redraws;
    store->ShowItem(4);
    EXPECT_EQ(redraws - before, 1);
}

TEST_F(BitmapStore, NavigationStopsAtTheEndsAndJumpsAlwaysRedraw) {
    WriteClips({11, 12, 13});
    auto store = Open();
    store->ShowItem(1);
    int shown = redraws;
    store->Prior();
    EXPECT_EQ(store->Current(), 1);
    EXPECT_EQ(redraws, shown);
    store->Next();
    store->Next();
    EXPECT_EQ(store->Current(), 3);
    EXPECT_EQ(store->CounterText(), "3 / 3");
    EXPECT_EQ(ShownWidth(*store), 13);
    shown = redraws;
    store->Next();
    EXPECT_EQ(redraws, shown);
    store->Last();
    EXPECT_EQ(redraws, shown + 1);
    store->First();
    EXPECT_EQ(store->Current(), 1);
    EXPECT_EQ(redraws, shown + 2);
}

TEST_F(BitmapStore, DeletingClosesUpAndShowsTheFollower) {
    WriteClips({11, 12, 13, 14, 15});
    auto store = Open();
    store->First();
    store->Next();
    store->Next();
    store->DeleteCurrent(false);  // clip 3 of 5
    EXPECT_EQ(store->Count(), 4);
    EXPECT_EQ(store->Current(), 3);
    EXPECT_EQ(ShownWidth(*store), 14);  // the old clip 4
    EXPECT_FALSE(folder.FileExists(File(4)));
    store->Last();
    store->DeleteCurrent(false);  // the last one
    EXPECT_EQ(store->Count(), 3);
    EXPECT_EQ(store->Current(), 3);
    EXPECT_TRUE(prompts.questions.empty());
}

// Clips removed outside the program are noticed at the next deletion: the
// page then shows the last clip left, which copying and exporting use.
TEST_F(BitmapStore, DeletingAfterClipsWereRemovedOutsideShowsTheLastOneLeft) {
    WriteClips({11, 12, 13, 14, 15});
    auto store = Open();
    store->Last();
    folder.RemoveFile(File(0));
    folder.RemoveFile(File(1));
    store->DeleteCurrent(false);
    EXPECT_EQ(store->Count(), 2);
    EXPECT_EQ(store->Current(), 2);
    EXPECT_EQ(store->CounterText(), "2 / 2");
    EXPECT_EQ(ShownWidth(*store), 14);
    store->CopyToClipboard();
    Dib copied;
    copied.Assign(clipboard);
    EXPECT_EQ(copied.GetWidth(), 14);
    EXPECT_TRUE(prompts.errors.empty());
}

TEST_F(BitmapStore, DeletingTheOnlyClipLeavesNone) {
    WriteClips({20});
    auto store = Open();
    store->ShowItem(1);
    store->DeleteCurrent(false);
    EXPECT_EQ(store->Count(), 0);
    EXPECT_EQ(store->Current(), 0);
    EXPECT_EQ(store->BoxWidth(), 0);
}

TEST_F(BitmapStore, AsksFirstOnlyWhenToldToAndObeysTheAnswer) {
    WriteClips({11, 12, 13});
    auto store = Open();
    prompts.answers = {false};
    store->DeleteCurrent(true);
    EXPECT_EQ(store->Count(), 3);
    ASSERT_EQ(prompts.questions.size(), 1u);
    EXPECT_EQ(prompts.questions[0], "このビットマップを削除しますか");
    EXPECT_EQ(prompts.beeps, std::vector<BeepKind>{BeepKind::Question});
    prompts.answers = {true};
    store->DeleteCurrent(true);
    EXPECT_EQ(store->Count(), 2);
    store->DeleteCurrent(false);
    EXPECT_EQ(store->Count(), 1);
    EXPECT_EQ(prompts.questions.size(), 2u);
    EXPECT_EQ(prompts.beeps.size(), 2u);
}

// The question waits for the user while pictures may still be registered,
// each shown as it comes: the clip asked about is the one deleted.
TEST_F(BitmapStore, ADeleteAnsweredAfterARegistrationDeletesTheClipAskedAbout) {
    WriteClips({11, 12, 13});
    auto store = Open();
    store->First();
    store->Next();
    prompts.whileAsking = [&] {
        MemoryStream file(SolidBmp(40, 10, 90));
        Dib picture;
        picture.LoadFromStream(file);
        store->Add(picture);
        ASSERT_EQ(store->Current(), 4);
    };
    prompts.answers = {true};
    store->DeleteCurrent(true);
    EXPECT_EQ(store->Count(), 3);
    EXPECT_EQ(store->Current(), 2);
    EXPECT_EQ(ShownWidth(*store), 13);
    store->Last();
    EXPECT_EQ(ShownWidth(*store), 40);
}

TEST_F(BitmapStore, RegistrationWritesTheNextBmpAndShowsIt) {
    WriteClips({11});
    auto store = Open();
    BmpParts parts;
    parts.width = 3;
    parts.height = 2;
    parts.bitCount = 16;  // 5-5-5, stored as 24 bits
    parts.pixels = {0x34, 0x12, 0xFF, 0x7F, 0, 0, 0, 0, 0x34, 0x12, 0xFF, 0x7F, 0, 0, 0, 0};
    Dib picture;
    picture.LoadFromClipboardFormat(kCfDib, test::BlockWith(test::MakePackedDib(parts)).get(), nullptr);
    store->Add(picture);
    EXPECT_EQ(store->Count(), 2);
    EXPECT_EQ(store->Current(), 2);
    std::string file = folder.ReadWholeFile(File(1));
    ASSERT_GE(file.size(), 54u);
    EXPECT_EQ(file.substr(0, 2), "BM");
    EXPECT_EQ(static_cast<unsigned char>(file[28]), 24);  // biBitCount
    // First pixel 0x1234: blue A0, green 88, red 20.
    EXPECT_EQ(static_cast<unsigned char>(file[54]), 0xA0);
    EXPECT_EQ(static_cast<unsigned char>(file[55]), 0x88);
    EXPECT_EQ(static_cast<unsigned char>(file[56]), 0x20);
    EXPECT_EQ(store->DrawRect(), (Rect{0, 0, 193, 129}));  // 3 x 2: 128.67 -> 129
}

TEST_F(BitmapStore, CopyAndExportUseTheDibsOwnOutput) {
    WriteClips({7});
    auto store = Open();
    store->ShowItem(1);
    store->CopyToClipboard();
    EXPECT_EQ(clipboard.blocks.count(kCfDib), 1u);
    store->ExportToFile(store->Current(), scratch.Base() + "out.bmp");
    EXPECT_EQ(folder.ReadWholeFile(scratch.Base() + "out.bmp"), folder.ReadWholeFile(File(0)));
}

// Clips that cannot be read: cut off, empty, not a picture at all.
TEST_F(BitmapStore, DamagedClipsAreShownByNameAndCountedWithoutAnyReport) {
    WriteClips({11});
    std::vector<std::uint8_t> cut = SolidBmp(10, 10, 200);
    cut.resize(60);
    WriteClip("00000001.bmp", cut);
    WriteClip("00000002.bmp", {});
    WriteClip("00000003.bmp", {'n', 'o', 't', ' ', 'b', 'm', 'p', '!', '!', '!', '!', '!', '!', '!', '!', '!'});
    auto store = Open();
    store->ShowItem(1);
    EXPECT_EQ(store->DamagedName(), "");
    const std::pair<const char*, const char*> expected[] = {
        {"00000001.bmp", "Stream read error"},
        {"00000002.bmp", "Stream read error"},
        {"00000003.bmp", "TVyInternalDIB.LoadFromFile: File type is invalid"}};
    for (const auto& [name, reason] : expected) {
        const int before = redraws;
        store->Next();
        EXPECT_EQ(store->DamagedName(), name);
        EXPECT_EQ(store->DamageReason(), reason);
        EXPECT_GT(redraws, before);
        // The whole frame holds the name; no picture shows.
        EXPECT_EQ(store->BoxWidth(), 193);
        EXPECT_EQ(store->BoxHeight(), 193);
        EXPECT_EQ(store->Shown().Width(), 0);
    }
    EXPECT_EQ(store->CounterText(), "4 / 4");
    EXPECT_TRUE(prompts.errors.empty());

    store->Prior();
    store->DeleteCurrent(false);  // the empty one
    EXPECT_EQ(store->Count(), 3);
    EXPECT_EQ(store->CounterText(), "3 / 3");
    EXPECT_EQ(store->DamagedName(), "00000002.bmp");  // the former fourth, renumbered
    store->First();
    EXPECT_EQ(store->DamagedName(), "");
    EXPECT_EQ(ShownWidth(*store), 11);
}

TEST_F(BitmapStore, HandPlacedFileBecomesTheLastClipAtTheNextStart) {
    WriteClips({11, 12});
    WriteClip("extra.bmp", SolidBmp(30, 10, 3));
    auto store = Open();
    EXPECT_EQ(store->Count(), 3);
    EXPECT_TRUE(folder.FileExists(File(2)));
    EXPECT_FALSE(folder.FileExists(Folder() + "extra.bmp"));
    store->Last();
    EXPECT_EQ(ShownWidth(*store), 30);
}

}  // namespace
}  // namespace lumeret

namespace lumeret {
namespace {

// A one-bit picture: big sizes stay small files.
std::vector<std::uint8_t> OneBitBmp(int width, int height) {
    test::BmpParts p;
    p.width = width;
    p.height = height;
    p.bitCount = 1;
    p.clrUsed = 2;
    p.colors = {0, 0, 0, 0, 255, 255, 255, 0};
    std::size_t row = static_cast<std::size_t>((width + 31) / 32 * 4);
    p.pixels.assign(row * static_cast<std::size_t>(height), 0xAA);
    return test::MakeBmp(p);
}

TEST_F(BitmapStore, ExtremeSizesAreShownWithoutFailing) {
    WriteClip("00000000.bmp", OneBitBmp(1, 20000));
    WriteClip("00000001.bmp", OneBitBmp(10000, 10000));
    auto store = Open();
    ASSERT_TRUE(store->ShowItem(1));
    EXPECT_EQ(store->DrawRect(), (Rect{0, 0, 0, 193}));  // 193 / 20000 rounds to nothing
    EXPECT_EQ(store->BoxWidth(), 0);
    ASSERT_TRUE(store->ShowItem(2));
    EXPECT_EQ(store->DrawRect(), (Rect{0, 0, 193, 193}));
    EXPECT_EQ(store->Shown().Width(), 193);
}

// A clip's pixels are read straight from its file's bytes where they lie as
// a loaded picture would hold them, and from a load of the file otherwise;
// either way the page, the copy and the export are the loaded picture's.
TEST_F(BitmapStore, PagesCopiesAndExportsAreTheLoadedPicturesWhereverItsPixelsAreRead) {
    using test::PlainPicture;
    BmpParts shortSize = PlainPicture(40, 30, 24);
    shortSize.bfSize = 14 + 40 + 1000;  // the load fills the rows left out with zeros
    BmpParts longer = PlainPicture(20, 20, 8, 256);
    longer.pixels.resize(longer.pixels.size() + 30, 0x77);  // bytes past the rows, declared
    struct Clip {
        const char* what;
        std::vector<std::uint8_t> file;
        bool loaded;  // the page needs a copy of the pixels
    };
    const std::vector<Clip> clips = {
        // Over a megabyte: the system's folder views such a file rather than reading it.
        {"24 bits, larger than the frame", test::MakeBmp(PlainPicture(700, 520, 24)), false},
        {"8 bits, smaller than the frame", test::MakeBmp(PlainPicture(50, 40, 8, 30)), false},
        {"1 bit, top-down", test::MakeBmp(PlainPicture(250, -260, 1, 2)), false},
        {"8 bits, bytes past the rows", test::MakeBmp(longer), false},
        {"32 bits", test::MakeBmp(PlainPicture(230, 60, 32)), true},
        {"bfSize short of the rows", test::MakeBmp(shortSize), true},
    };
    for (std::size_t i = 0; i < clips.size(); ++i) WriteClip(NumberToName(static_cast<int>(i)) + ".bmp", clips[i].file);
    auto store = Open();
    ASSERT_EQ(store->Count(), static_cast<int>(clips.size()));

    for (std::size_t i = 0; i < clips.size(); ++i) {
        SCOPED_TRACE(clips[i].what);
#ifndef _WIN32
        const std::size_t mappedBefore = MadePixelMapBytes();
#endif
        if (i == 0) {
            store->First();
        } else {
            store->Next();
        }
#ifndef _WIN32
        EXPECT_EQ(MadePixelMapBytes() > mappedBefore, clips[i].loaded);
#endif
        ASSERT_EQ(store->Current(), static_cast<int>(i) + 1);
        EXPECT_TRUE(store->DamagedName().empty());
        Dib dib;
        ReadOnlyMemoryStream stream(clips[i].file.data(), clips[i].file.size());
        dib.LoadFromStream(stream);

        const Rect& place = store->DrawRect();
        EXPECT_EQ(place, FitToFrame(dib.GetWidth(), dib.GetHeight(), 193, 193));
        MemoryCanvas expected(place.Width(), place.Height());
        dib.Draw(expected, place);
        ASSERT_EQ(store->Shown().Width(), expected.Width());
        ASSERT_EQ(store->Shown().Height(), expected.Height());
        const auto pixels = static_cast<std::size_t>(expected.Width()) * static_cast<std::size_t>(expected.Height());
        EXPECT_TRUE(std::equal(expected.Pixels(), expected.Pixels() + pixels, store->Shown().Pixels()));

        MemoryStream saved;
        dib.SaveToStream(saved);
        const std::vector<std::uint8_t>& file = saved.Bytes();
        clipboard.blocks.clear();
        store->CopyToClipboard();
        EXPECT_EQ(clipboard.blocks[kCfDib], std::vector<std::uint8_t>(file.begin() + 14, file.end()));
        store->ExportToFile(store->Current(), scratch.Base() + "out.bmp");
        EXPECT_EQ(folder.ReadWholeFile(scratch.Base() + "out.bmp"), std::string(file.begin(), file.end()));
    }
}

}  // namespace
}  // namespace lumeret
