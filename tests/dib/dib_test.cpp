#include "dib/dib.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <memory>

#include "bmp_builder.h"
#include "dib/dib_errors.h"
#include "dib/picture_registry.h"
#include "support/fakes.h"

namespace lumeret {
namespace {

using test::BmpParts;
using test::Bytes;
using test::ExpectError;
using test::FakeClipboard;
using test::MakeBmp;
using test::MakePackedDib;
using test::Load;
using test::Quad;
using test::Save;

std::vector<PaletteEntry> Entries(PaletteHandle palette) {
    std::vector<PaletteEntry> out(PaletteSize(palette));
    PaletteGetEntries(palette, 0, static_cast<unsigned>(out.size()), out.data());
    return out;
}

struct ChangeCounter {
    explicit ChangeCounter(Graphic& g) {
        g.OnChange = [this](Graphic&) { ++count; };
    }
    int count = 0;
};

TEST(Dib, NewObjectIsOneByOneNotEmptyWithTwoBlackPaletteEntries) {
    Dib dib;
    EXPECT_EQ(dib.GetWidth(), 1);
    EXPECT_EQ(dib.GetHeight(), 1);
    EXPECT_FALSE(dib.GetEmpty());
    EXPECT_FALSE(dib.Modified);
    PaletteHandle palette = dib.GetPalette();
    ASSERT_NE(palette, nullptr);
    auto entries = Entries(palette);
    ASSERT_EQ(entries.size(), 2u);
    for (auto e : entries) {
        EXPECT_EQ(e.red | e.green | e.blue, 0);
    }
    EXPECT_EQ(dib.GetPalette(), palette);  // made once, then reused
    EXPECT_EQ(dib.GetClipboardFormat(), 8);
}

TEST(Dib, AssignSharesTheStorageWithoutCopyOrNotification) {
    Dib a;
    Load(a, Quad());
    Dib b;
    ChangeCounter changes(b);
    b.Assign(&a);
    EXPECT_EQ(b.Pixels(), a.Pixels());
    EXPECT_EQ(a.Pixels()->HolderCount(), 2);
    EXPECT_EQ(b.GetWidth(), 2);
    EXPECT_EQ(changes.count, 0);

    MemoryCanvas ca(2, 2), cb(2, 2);
    a.Draw(ca, {0, 0, 2, 2});
    b.Draw(cb, {0, 0, 2, 2});
    for (int y = 0; y < 2; ++y) {
        for (int x = 0; x < 2; ++x) {
            EXPECT_EQ(ca.Pixel(x, y), cb.Pixel(x, y));
        }
    }
    EXPECT_EQ(cb.Pixel(0, 0), 0xFF0000u);
    EXPECT_EQ(cb.Pixel(1, 1), 0xFFFFFFu);
}

TEST(Dib, FreeingOneHolderLeavesTheOtherIntact) {
    auto a = std::make_unique<Dib>();
    Load(*a, Quad());
    const auto saved = Save(*a);
    Dib b;
    a->AssignTo(b);
    a.reset();
    EXPECT_EQ(b.Pixels()->HolderCount(), 1);
    EXPECT_EQ(Save(b), saved);
}

TEST(Dib, HolderCountsFollowSharingCopyOnWriteAndDestruction) {
    Dib a;
    Load(a, Quad());
    Dib b;
    b.Assign(&a);
    EXPECT_EQ(a.Pixels()->HolderCount(), 2);
    {
        Dib c;
        a.AssignTo(c);
        EXPECT_EQ(c.Pixels(), a.Pixels());
        EXPECT_EQ(a.Pixels()->HolderCount(), 3);
    }
    EXPECT_EQ(a.Pixels()->HolderCount(), 2);  // c let go as it went
    b.Assign(&a);                                   // already shared: no second hold
    EXPECT_EQ(a.Pixels()->HolderCount(), 2);

    b.SetPalette(nullptr);  // copy-on-write
    EXPECT_NE(b.Pixels(), a.Pixels());
    EXPECT_EQ(a.Pixels()->HolderCount(), 1);
    EXPECT_EQ(b.Pixels()->HolderCount(), 1);
    const DibPixels* own = b.Pixels();
    b.SetPalette(nullptr);  // a sole holder edits in place
    b.DetachPixels();
    EXPECT_EQ(b.Pixels(), own);

    b.Assign(&a);
    Load(a, Quad());  // a new image for a; b keeps the one they shared
    EXPECT_NE(b.Pixels(), a.Pixels());
    EXPECT_EQ(a.Pixels()->HolderCount(), 1);
    EXPECT_EQ(b.Pixels()->HolderCount(), 1);
}

TEST(Dib, SetPaletteOnASharedImageGivesAPrivateCopy) {
    Dib a;
    Load(a, Quad());
    Dib b;
    b.Assign(&a);
    ChangeCounter changes(b);
    const PaletteEntry gray[3] = {{9, 9, 9, 0}, {8, 8, 8, 0}, {7, 7, 7, 0}};
    b.SetPalette(PaletteCreate(gray, 3));
    EXPECT_NE(b.Pixels(), a.Pixels());
    EXPECT_EQ(a.Pixels()->HolderCount(), 1);
    EXPECT_EQ(b.Pixels()->HolderCount(), 1);
    EXPECT_EQ(changes.count, 1);
    EXPECT_EQ(b.Pixels()->Image.Header.biClrUsed, 3u);
    EXPECT_EQ(a.Pixels()->Image.Header.biClrUsed, 4u);
    EXPECT_EQ(a.Pixels()->Image.Colors[0].rgbRed, 255);
    EXPECT_EQ(b.Pixels()->Image.Colors[0].rgbRed, 9);
    // The pixels were copied, not shared.
    EXPECT_NE(b.Pixels()->Image.Store.Bits(), a.Pixels()->Image.Store.Bits());
    EXPECT_EQ(std::memcmp(b.Pixels()->Image.Store.Bits(), a.Pixels()->Image.Store.Bits(), 8), 0);
    EXPECT_EQ(Entries(a.GetPalette())[0].red, 255);
    EXPECT_EQ(Entries(b.GetPalette())[0].red, 9);
}

TEST(Dib, APaletteGivenBySetPaletteLivesUntilItsLastHolderGoes) {
    const PaletteEntry gray[2] = {{9, 9, 9, 0}, {8, 8, 8, 0}};
    const PaletteHandle given = PaletteCreate(gray, 2);
    auto a = std::make_unique<Dib>();
    a->SetPalette(given);
    EXPECT_EQ(a->GetPalette(), given);
    Dib b;
    b.Assign(a.get());
    a.reset();
    EXPECT_EQ(PaletteSize(given), 2u);  // b still holds the storage that owns it
    EXPECT_EQ(b.GetPalette(), given);
    b.Assign(nullptr);
    EXPECT_EQ(PaletteSize(given), 0u);  // gone with the storage's last holder
}

TEST(Dib, SetPaletteDeletesThePaletteHeldBeforeUnlessItIsTheOneGiven) {
    Dib dib;
    const PaletteHandle made = dib.GetPalette();
    const PaletteEntry one{1, 2, 3, 0};
    const PaletteHandle given = PaletteCreate(&one, 1);
    dib.SetPalette(given);
    EXPECT_EQ(PaletteSize(made), 0u);
    EXPECT_EQ(dib.GetPalette(), given);

    dib.SetPalette(given);  // the very handle the storage holds: kept
    EXPECT_EQ(PaletteSize(given), 1u);
    dib.SetPalette(nullptr);  // empties the colour table, keeps the palette made so far
    EXPECT_EQ(dib.Pixels()->Image.Header.biClrUsed, 0u);
    EXPECT_EQ(dib.GetPalette(), given);
    EXPECT_EQ(PaletteSize(given), 1u);
}

TEST(Dib, ThePaletteOfAReplacedImageGoesWithItsLastHolder) {
    Dib a;
    Load(a, Quad());
    const PaletteHandle first = a.GetPalette();
    Dib b;
    b.Assign(&a);
    Load(a, Quad());  // a new image for a; b keeps the old one with its palette
    EXPECT_NE(a.GetPalette(), first);
    EXPECT_EQ(b.GetPalette(), first);
    EXPECT_EQ(PaletteSize(first), 4u);
    b.SetWidth(3);
    EXPECT_EQ(PaletteSize(first), 0u);
}

TEST(Dib, SetPaletteTakesAtMost256EntriesAndNullEmptiesTheTable) {
    std::vector<PaletteEntry> many(300);
    for (std::size_t i = 0; i < many.size(); ++i) {
        many[i] = {static_cast<std::uint8_t>(i), 0, 0, 0};
    }
    Dib dib;
    dib.SetPalette(PaletteCreate(many.data(), 300));
    EXPECT_EQ(dib.Pixels()->Image.Header.biClrUsed, 256u);
    EXPECT_EQ(dib.Pixels()->Image.Colors[255].rgbRed, 255);
    EXPECT_EQ(dib.Pixels()->Image.Header.biBitCount, 8);

    dib.SetPalette(nullptr);
    EXPECT_EQ(dib.Pixels()->Image.Header.biClrUsed, 0u);
}

TEST(Dib, SetPaletteWithAHandleWithoutEntriesFails) {
    Dib dib;
    PaletteEntry one{1, 2, 3, 0};
    PaletteHandle gone = PaletteCreate(&one, 1);
    PaletteDelete(gone);
    ExpectError<InvalidPaletteError>([&] { dib.SetPalette(gone); }, "TVyDIB.SetPalette: Invalid Palette");
}

TEST(Dib, AssignFromItselfChangesNothing) {
    Dib a;
    Load(a, Quad());
    const DibPixels* before = a.Pixels();
    a.Assign(&a);
    EXPECT_EQ(a.Pixels(), before);
    EXPECT_EQ(before->HolderCount(), 1);
}

TEST(Dib, AssignNilGivesTheDefaultWithoutNotification) {
    Dib a;
    Load(a, Quad());
    ChangeCounter changes(a);
    a.Assign(nullptr);
    EXPECT_EQ(a.GetWidth(), 1);
    EXPECT_EQ(a.Pixels()->Image.Header.biClrUsed, 2u);
    EXPECT_EQ(changes.count, 0);
}

TEST(Dib, LoadFromClipboardFormatRefusesOtherFormatsAndNoData) {
    Dib dib;
    Load(dib, Quad());
    test::BlockWith block(MakePackedDib(BmpParts{}));
    ExpectError<InvalidDibError>([&] { dib.LoadFromClipboardFormat(2, block.get(), nullptr); },
                                  "TVyDIB.LoadFromClipboardFormat: Invalid Clipboard Format");
    ExpectError<InvalidDibError>([&] { dib.LoadFromClipboardFormat(8, nullptr, nullptr); },
                                  "TVyDIB.LoadFromClipboardFormat: Invalid Clipboard Format");
    EXPECT_EQ(dib.GetWidth(), 2);
    EXPECT_EQ(Save(dib), Quad());
}

TEST(Dib, FailedLoadLeavesTheDefaultNotTheEarlierImage) {
    Dib dib;
    Load(dib, Quad());
    ChangeCounter changes(dib);
    const std::string text = "just some text, not a bitmap";
    EXPECT_THROW(Load(dib, {text.begin(), text.end()}), InvalidDibFileError);
    EXPECT_EQ(dib.GetWidth(), 1);
    EXPECT_EQ(dib.GetHeight(), 1);
    EXPECT_EQ(changes.count, 0);
}

TEST(Dib, LoadsAndResizesNotifyTheirChange) {
    Dib dib;
    ChangeCounter changes(dib);
    Load(dib, Quad());
    EXPECT_EQ(changes.count, 1);
    EXPECT_TRUE(dib.Modified);
    BmpParts onePixel;
    onePixel.pixels.assign(4, 0);
    test::BlockWith block(MakePackedDib(onePixel));
    dib.LoadFromClipboardFormat(8, block.get(), nullptr);
    EXPECT_EQ(changes.count, 2);
    dib.SetWidth(7);
    dib.SetHeight(3);
    EXPECT_EQ(changes.count, 4);
    dib.SetWidth(7);  // same width: nothing happens
    dib.SetHeight(3);
    EXPECT_EQ(changes.count, 4);
}

TEST(Dib, SaveToClipboardFormatAlwaysReportsDibAndNoPalette) {
    Dib dib;
    Load(dib, Quad());
    std::uint16_t format = 0;
    GlobalHandle data = nullptr;
    PaletteHandle palette = dib.GetPalette();
    dib.SaveToClipboardFormat(format, data, palette);
    UniqueGlobal owner(data);
    EXPECT_EQ(format, 8);
    EXPECT_EQ(palette, nullptr);
    EXPECT_EQ(GlobalBlockSize(data), 40u + 16u + 8u);
}

TEST(Dib, WidthMustBePositiveAndHeightNonZero) {
    Dib dib;
    ExpectError<InvalidDibParameterError>([&] { dib.SetWidth(0); }, "TVyDIB.SetWidth: Invalid Width");
    ExpectError<InvalidDibParameterError>([&] { dib.SetWidth(-5); }, "TVyDIB.SetWidth: Invalid Width");
    ExpectError<InvalidDibParameterError>([&] { dib.SetHeight(0); }, "TVyDIB.SetHeight: Invalid Height");
    dib.SetHeight(-10);
    EXPECT_EQ(dib.GetHeight(), 10);
    EXPECT_EQ(dib.Pixels()->Image.Header.biHeight, -10);
}

TEST(Dib, ResizingGivesAZeroedImageKeepingBitAndColourCounts) {
    Dib dib;
    BmpParts p;
    p.width = 2;
    p.height = 1;
    p.bitCount = 8;
    for (int i = 0; i < 256; ++i) {
        p.colors.insert(p.colors.end(), {1, 2, 3, 0});
    }
    p.pixels = Bytes({5, 5, 5, 5});
    Load(dib, MakeBmp(p));
    dib.SetWidth(5);
    const auto* s = dib.Pixels();
    EXPECT_EQ(dib.GetWidth(), 5);
    EXPECT_EQ(dib.GetHeight(), 1);
    EXPECT_EQ(s->Image.Header.biBitCount, 8);
    EXPECT_EQ(s->Image.Header.biClrUsed, 256u);
    for (int i = 0; i < 256; ++i) {
        EXPECT_EQ(s->Image.Colors[i].rgbGreen, 0);
    }
    EXPECT_EQ(std::vector<std::uint8_t>(s->Image.Store.Bits(), s->Image.Store.Bits() + s->Image.Store.Size()),
              std::vector<std::uint8_t>(8, 0));
}

TEST(Dib, FailedResizeLeavesTheImage) {
    Dib dib;
    Load(dib, Quad());
    ChangeCounter changes(dib);
    ExpectError<InvalidDibParameterError>([&] { dib.SetWidth(0x7FFFFFFF); },
                                      "TVyInternalDIB.CreateDIB: Invalid Parameters");
    EXPECT_EQ(Save(dib), Quad());
    EXPECT_EQ(changes.count, 0);
}

TEST(Dib, DrawingStretchesNearestAndZeroWidthDrawsNothing) {
    Dib dib;
    Load(dib, Quad());
    MemoryCanvas canvas(6, 4, 0x123456);
    dib.Draw(canvas, {1, 0, 1, 4});
    dib.Draw(canvas, {0, 0, 6, 0});
    for (int y = 0; y < 4; ++y) {
        for (int x = 0; x < 6; ++x) {
            EXPECT_EQ(canvas.Pixel(x, y), 0x123456u);
        }
    }
    dib.Draw(canvas, {2, 0, 6, 4});
    EXPECT_EQ(canvas.Pixel(2, 0), 0xFF0000u);
    EXPECT_EQ(canvas.Pixel(3, 1), 0xFF0000u);
    EXPECT_EQ(canvas.Pixel(4, 0), 0x00FF00u);
    EXPECT_EQ(canvas.Pixel(2, 2), 0x0000FFu);
    EXPECT_EQ(canvas.Pixel(5, 3), 0xFFFFFFu);
    EXPECT_EQ(canvas.Pixel(1, 0), 0x123456u);
}

// A black and white 4 x 2 run-length picture of 8 bits.
BmpParts BlackAndWhiteRunLength(std::vector<std::uint8_t> stream) {
    BmpParts p;
    p.width = 4;
    p.height = 2;
    p.bitCount = 8;
    p.compression = 1;
    p.clrUsed = 2;
    p.colors = Bytes({0, 0, 0, 0, 255, 255, 255, 0});
    p.pixels = std::move(stream);
    p.sizeImage = static_cast<std::uint32_t>(p.pixels.size());
    return p;
}

TEST(Dib, DrawsRunLengthImages) {
    // bottom row: two black, two white; top row: absolute run 1,0,1,0
    const BmpParts p = BlackAndWhiteRunLength(Bytes({2, 0, 2, 1, 0, 0, 0, 4, 1, 0, 1, 0, 0, 1}));
    Dib dib;
    Load(dib, MakeBmp(p));
    MemoryCanvas canvas(4, 2);
    dib.Draw(canvas, {0, 0, 4, 2});
    EXPECT_EQ(canvas.Pixel(0, 0), 0xFFFFFFu);
    EXPECT_EQ(canvas.Pixel(1, 0), 0u);
    EXPECT_EQ(canvas.Pixel(0, 1), 0u);
    EXPECT_EQ(canvas.Pixel(3, 1), 0xFFFFFFu);
}

// A file's bfSize or a clipboard block may hold bytes behind the stream that
// biSizeImage declares; drawing stops where the stream does, as GDI does.
TEST(Dib, RunLengthImagesAreDrawnOnlyAsFarAsTheirDeclaredStream) {
    BmpParts p = BlackAndWhiteRunLength(Bytes({4, 1, 0, 0, 4, 1, 0, 1}));  // behind the stream: a white top row
    p.sizeImage = 2;  // the stream: four white pixels on the bottom row
    auto expectBottomRowOnly = [](Dib& dib) {
        MemoryCanvas canvas(4, 2, 0x123456);
        dib.Draw(canvas, {0, 0, 4, 2});
        EXPECT_EQ(canvas.Pixel(0, 1), 0xFFFFFFu);
        EXPECT_EQ(canvas.Pixel(3, 1), 0xFFFFFFu);
        EXPECT_EQ(canvas.Pixel(0, 0), 0u);
        EXPECT_EQ(canvas.Pixel(3, 0), 0u);
    };
    Dib fromFile;
    Load(fromFile, MakeBmp(p));
    expectBottomRowOnly(fromFile);
    Dib fromBlock;
    test::BlockWith block(MakePackedDib(p));
    fromBlock.LoadFromClipboardFormat(kCfDib, block.get(), nullptr);
    expectBottomRowOnly(fromBlock);
}

// Found by fuzzing: a run-length header claiming 1.8 G pixels over a few
// stream bytes made the memory canvas decode the whole picture. Such a
// picture is now refused on its header.
TEST(Dib, RunLengthImagesTooLargeToDecodeAreRefused) {
    BmpParts p;
    p.width = 0x24000006;
    p.height = 3;
    p.bitCount = 4;
    p.compression = 2;
    p.clrUsed = 2;
    p.colors = Bytes({0, 0, 0, 0, 255, 255, 255, 0});
    p.pixels = Bytes({6, 0x11, 0, 1});
    p.sizeImage = 4;
    Dib dib;
    EXPECT_THROW(Load(dib, MakeBmp(p)), PictureTooLargeError);
}

// A run-length picture is decoded only where the canvas samples it: one of
// 90 M pixels, too large to decode whole, still draws in a few bytes.
TEST(Dib, RunLengthImagesAreDrawnWhereSampledWhateverTheirSize) {
    BmpParts p;
    p.width = 30000000;
    p.height = 3;
    p.bitCount = 4;
    p.compression = 2;
    p.clrUsed = 2;
    p.colors = Bytes({0, 0, 0, 0, 255, 255, 255, 0});
    p.pixels = Bytes({6, 0x11, 0, 0, 0, 2, 255, 0, 2, 0x11, 0, 1});  // bottom row, then a move on the middle one
    p.sizeImage = static_cast<std::uint32_t>(p.pixels.size());
    Dib dib;
    Load(dib, MakeBmp(p));
    EXPECT_TRUE(DecodeRunLength(dib.Pixels()->Image).empty());
    MemoryCanvas canvas(3, 3, 5);
    dib.Draw(canvas, {0, 0, 3, 3});
    EXPECT_EQ(canvas.Pixel(0, 2), 0xFFFFFFu);  // column 0 of the bottom row
    EXPECT_EQ(canvas.Pixel(1, 2), 0u);         // column 10,000,000: not painted
    EXPECT_EQ(canvas.Pixel(0, 1), 0u);         // the move skipped it
    EXPECT_EQ(canvas.Pixel(0, 0), 0u);
}

TEST(Dib, AssignFromTheClipboardReadsACopyOfItsDib) {
    Dib source;
    Load(source, Quad());
    FakeClipboard clipboard;
    PutOnClipboard(source, clipboard);
    ASSERT_TRUE(clipboard.HasFormat(kCfDib));
    EXPECT_FALSE(clipboard.HasFormat(kCfPalette));
    const auto offered = clipboard.blocks.at(kCfDib);

    Dib dib;
    ChangeCounter changes(dib);
    dib.Assign(clipboard);
    EXPECT_EQ(changes.count, 1);
    EXPECT_EQ(Save(dib), Save(source));
    EXPECT_EQ(clipboard.blocks.at(kCfDib), offered);  // the clipboard's own block is untouched
}

// A 32-bit picture (blue, green, red, unused byte) whose bytes all differ
// with base, and the 24-bit file a load of it gives, built here pixel by
// pixel.
struct Picture32 {
    std::vector<std::uint8_t> packed;
    std::vector<std::uint8_t> file24;
};

Picture32 MakePicture32(int width, int height, std::uint8_t base) {
    BmpParts p32;
    p32.width = width;
    p32.height = height;
    p32.bitCount = 32;
    BmpParts p24 = p32;
    p24.bitCount = 24;
    const int row24 = (width * 3 + 3) / 4 * 4;
    p24.pixels.assign(static_cast<std::size_t>(row24 * height), 0);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            for (int c = 0; c < 4; ++c) {
                const auto v = static_cast<std::uint8_t>(base + 31 * y + 7 * x + 3 * c);
                p32.pixels.push_back(v);
                if (c < 3) p24.pixels[static_cast<std::size_t>(y * row24 + x * 3 + c)] = v;
            }
        }
    }
    return {MakePackedDib(p32), MakeBmp(p24)};
}

void LoadPacked(Dib& dib, const std::vector<std::uint8_t>& packed) {
    FakeClipboard clipboard;
    clipboard.Offer(kCfDib, packed);
    dib.Assign(clipboard);
}

// Seven pixels a row: four packed at once, three one by one; rows padded.
TEST(Dib, APictureOfTheSameSizeIsConvertedIntoTheStoreOfTheOneItReplaces) {
    const Picture32 first = MakePicture32(7, 3, 10);
    const Picture32 second = MakePicture32(7, 3, 200);
    Dib dib;
    LoadPacked(dib, first.packed);
    EXPECT_EQ(Save(dib), first.file24);
#ifndef _WIN32
    const std::size_t made = MadePixelMapBytes();
#endif
    LoadPacked(dib, second.packed);
#ifndef _WIN32
    // No new memory for the pixels (7 x 3 at 24 bits: 72 bytes); only the
    // default 1 x 1 picture a load starts from.
    EXPECT_LT(MadePixelMapBytes() - made, 72u);
#endif
    EXPECT_EQ(Save(dib), second.file24);  // every byte rewritten, padding included

    // Another size: a store of its own.
    const Picture32 wider = MakePicture32(9, 2, 77);
    LoadPacked(dib, wider.packed);
    EXPECT_EQ(Save(dib), wider.file24);
}

// Rows are packed sixteen pixels at a time, then four, then one by one: every
// width up to three blocks of sixteen and every remainder, each pixel's unused
// byte set and dropped.
TEST(Dib, ThirtyTwoBitRowsOfEveryWidthConvertByteForByte) {
    for (int width = 1; width <= 52; ++width) {
        const Picture32 picture = MakePicture32(width, 3, static_cast<std::uint8_t>(width));
        Dib dib;
        LoadPacked(dib, picture.packed);
        EXPECT_EQ(Save(dib), picture.file24) << width << " pixels a row";
    }
}

TEST(Dib, AStoreAnotherDibSharesIsNeverReused) {
    const Picture32 first = MakePicture32(4, 4, 1);
    const Picture32 second = MakePicture32(4, 4, 99);
    Dib dib;
    LoadPacked(dib, first.packed);
    Dib keeper;
    keeper.Assign(&dib);
    LoadPacked(dib, second.packed);
    EXPECT_EQ(Save(keeper), first.file24);
    EXPECT_EQ(Save(dib), second.file24);
}

TEST(Dib, ARefusedPictureGivesTheStoreBackAndTheNextLoadsWhole) {
    const Picture32 first = MakePicture32(5, 2, 3);
    Dib dib;
    LoadPacked(dib, first.packed);
    std::vector<std::uint8_t> cut = first.packed;
    cut.resize(cut.size() - 1);  // one byte short of its last row
    EXPECT_THROW(LoadPacked(dib, cut), InvalidDibError);
    EXPECT_EQ(dib.GetWidth(), 1);  // the default picture, as after any failed load
    const Picture32 next = MakePicture32(5, 2, 150);
    LoadPacked(dib, next.packed);
    EXPECT_EQ(Save(dib), next.file24);
}

TEST(Dib, AssignFromAClipboardWithoutDibFails) {
    FakeClipboard clipboard;
    clipboard.text = "only text";
    Dib dib;
    ExpectError<InvalidDibError>([&] { dib.Assign(clipboard); },
                                  "TVyDIB.LoadFromClipboardFormat: Invalid Clipboard Format");
}

TEST(Dib, PutOnClipboardThatIsRefusedLeavesItAsItWas) {
    Dib dib;
    FakeClipboard clipboard;
    clipboard.text = "kept";
    clipboard.refuse = true;
    EXPECT_THROW(PutOnClipboard(dib, clipboard), ClipboardError);  // the block is freed, not leaked
    EXPECT_EQ(clipboard.text, "kept");
    EXPECT_TRUE(clipboard.blocks.empty());
}

TEST(Dib, AChangeHandlerThatFailsLeavesAValidImage) {
    Dib dib;
    dib.OnChange = [](Graphic&) { throw Exception("handler failed"); };
    EXPECT_THROW(Load(dib, Quad()), Exception);
    EXPECT_EQ(dib.GetWidth(), 2);
    EXPECT_EQ(Save(dib), Quad());
}

TEST(Dib, FilesThatCannotBeOpenedOrCreatedRaiseFileErrors) {
    Dib dib;
    const std::string missing = "no-such-folder/none.bmp";
    ExpectError<FileOpenError>([&] { dib.LoadFromFile(missing); }, FileOpenError(missing).Message());
    ExpectError<FileCreateError>([&] { dib.SaveToFile(missing); }, FileCreateError(missing).Message());
}

TEST(Dib, SavesToAndLoadsFromFiles) {
    const auto path = (std::filesystem::temp_directory_path() / "lumeret_dib_test.dib").string();
    Dib dib;
    Load(dib, Quad());
    dib.SaveToFile(path);
    Dib back;
    back.LoadFromFile(path);
    EXPECT_EQ(Save(back), Quad());

    // The registry reads ".dib" files through Dib.
    auto picture = LoadPictureFromFile(path);
    EXPECT_STREQ(picture->ClassName(), "Dib");
    EXPECT_EQ(picture->GetWidth(), 2);
    std::remove(path.c_str());
}

TEST(Dib, IsRegisteredForDibFilesAndTheDibClipboardFormat) {
    RegisterDibFormat();  // a second call changes nothing
    ASSERT_NE(FindFileFormat("dib"), nullptr);
    ASSERT_NE(FindFileFormat("DIB"), nullptr);
    EXPECT_EQ(FileFormatDescription("dib"), "Device Independent Bitmap");
    EXPECT_EQ(FindFileFormat("png"), nullptr);
    ASSERT_NE(FindClipboardFormat(8), nullptr);
    EXPECT_STREQ(FindClipboardFormat(8)()->ClassName(), "Dib");

    Dib source;
    Load(source, Quad());
    FakeClipboard clipboard;
    PutOnClipboard(source, clipboard);
    auto picture = LoadPictureFromClipboard(clipboard);
    EXPECT_EQ(picture->GetWidth(), 2);
    EXPECT_THROW(LoadPictureFromFile("picture.xyz"), ConvertError);
}

// A graphic of another kind, to see that unrelated kinds are not assigned.
class OtherGraphic : public Graphic {
public:
    const char* ClassName() const noexcept override { return "OtherGraphic"; }
    void Draw(Canvas&, const Rect&) override {}
    bool GetEmpty() const override { return true; }
    std::int32_t GetWidth() const override { return 0; }
    std::int32_t GetHeight() const override { return 0; }
    void SetWidth(std::int32_t) override {}
    void SetHeight(std::int32_t) override {}
    void LoadFromStream(Stream&) override {}
    void SaveToStream(Stream&) const override {}
    void LoadFromClipboardFormat(std::uint16_t, GlobalHandle, PaletteHandle) override {}
    void SaveToClipboardFormat(std::uint16_t&, GlobalHandle&, PaletteHandle&) const override {}
    PaletteHandle GetPalette() override { return nullptr; }
    void SetPalette(PaletteHandle) override {}
    std::uint16_t GetClipboardFormat() const override { return 0; }
};

TEST(Dib, UnrelatedGraphicsAreNotAssigned) {
    Dib dib;
    OtherGraphic other;
    ExpectError<ConvertError>([&] { dib.Assign(&other); }, "Cannot assign a OtherGraphic to a Dib");
    ExpectError<ConvertError>([&] { dib.AssignTo(other); }, "Cannot assign a Dib to a OtherGraphic");
}

TEST(Dib, ClearPaletteModifiedNeedsASoleHolder) {
    Dib a;
    Dib b;
    b.Assign(&a);
    ExpectError<DibAssertionError>([&] { b.ClearPaletteModified(); }, "TVyDIB.UpdatePaletteModified RefCount Must be 1");
}

TEST(Dib, EveryOperationChecksThatAStorageIsHeld) {
    Dib dib;
    dib.ReleasePixels();
    ExpectError<DibAssertionError>([&] { dib.ReleasePixels(); },
                              "TVYDIB.ReleaseInternalDIB: InternalDIB should not be Nil");
    MemoryStream stream;
    ExpectError<DibAssertionError>([&] { dib.SaveToStream(stream); }, "TVyDIB.SaveToStream: InternalDIB Should not be Nil");
    ExpectError<DibAssertionError>([&] { dib.Assign(nullptr); }, "TVyDIB.Assign: InternalDIB Should not be Nil");
    Dib other;
    ExpectError<DibAssertionError>([&] { dib.AssignTo(other); }, "TVyDIB.AssignTo: InternalDIB Should not be Nil");
    std::uint16_t format;
    GlobalHandle data;
    PaletteHandle palette;
    ExpectError<DibAssertionError>([&] { dib.SaveToClipboardFormat(format, data, palette); },
                              "TVyDIB.SaveToClipboardFormat: InternalDIB Should not be Nil");
    ExpectError<DibAssertionError>([&] { dib.GetEmpty(); }, "TVyDIB.GetEmpty: InternalDIB Should not be Nil");
    ExpectError<DibAssertionError>([&] { dib.GetHeight(); }, "TVyDIB.GetHeight: InternalDIB Should not be Nil");
    ExpectError<DibAssertionError>([&] { dib.GetWidth(); }, "TVyDIB.GetWidth: InternalDIB Should not be Nil");
    ExpectError<DibAssertionError>([&] { dib.SetWidth(3); }, "TVyDIB.SetWidth: InternalDIB Should not be Nil");
    ExpectError<DibAssertionError>([&] { dib.SetHeight(3); }, "TVyDIB.SetHeight: InternalDIB Should not be Nil");
    ExpectError<DibAssertionError>([&] { dib.GetPalette(); }, "TVyDIB.GetPalette: InternalDIB Should not be Nil");
    ExpectError<DibAssertionError>([&] { dib.SetPalette(nullptr); }, "TVyDIB.SetPalette: InternalDIB Should not be Nil");
    ExpectError<DibAssertionError>([&] { dib.DetachPixels(); }, "TVyDIB.UniqueDIB: InternalDIB Should not be Nil");
    MemoryCanvas canvas(2, 2, 7);
    EXPECT_NO_THROW(dib.Draw(canvas, {0, 0, 2, 2}));  // draws nothing, raises nothing
    EXPECT_EQ(canvas.Pixel(0, 0), 7u);
}

#ifndef _WIN32
TEST(Dib, AStoreIsGivenBackWithItsLastHolderOnly) {
    const std::size_t before = OpenPixelMapCount();
    auto a = std::make_unique<Dib>();
    Load(*a, Quad());
    auto b = std::make_unique<Dib>();
    b->Assign(a.get());
    EXPECT_EQ(OpenPixelMapCount(), before + 1);  // b's default went; the image is shared
    b->SetPalette(nullptr);
    EXPECT_EQ(OpenPixelMapCount(), before + 2);  // b's copy, and the store a still holds
    b->SetPalette(nullptr);
    EXPECT_EQ(OpenPixelMapCount(), before + 2);  // b holds its copy alone: no further copy
    a->Assign(b.get());
    EXPECT_EQ(OpenPixelMapCount(), before + 1);  // the old store's last holder let go
    a.reset();
    EXPECT_EQ(OpenPixelMapCount(), before + 1);  // b still holds the copy
    b.reset();
    EXPECT_EQ(OpenPixelMapCount(), before);
}

TEST(Dib, FailedLoadsAndResizesLeaveNoMappingOpen) {
    Dib dib;
    Load(dib, Quad());
    const std::size_t before = OpenPixelMapCount();
    auto cut = Quad();
    cut.pop_back();  // fails reading the pixels, after the new store was made
    EXPECT_THROW(Load(dib, cut), ReadError);
    EXPECT_EQ(dib.GetWidth(), 1);
    EXPECT_EQ(OpenPixelMapCount(), before);  // the earlier image's store went, the default's came

    Load(dib, Quad());
    EXPECT_THROW(dib.SetWidth(0x7FFFFFFF), InvalidDibParameterError);
    EXPECT_EQ(Save(dib), Quad());
    EXPECT_EQ(OpenPixelMapCount(), before);
}
#endif

}  // namespace
}  // namespace lumeret
