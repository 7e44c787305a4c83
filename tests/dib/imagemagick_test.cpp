// The readers and writers checked against an independent implementation:
// ImageMagick makes the files (or decodes files made here), and its decoding
// is compared pixel by pixel with what the program reads. Runs where the
// convert tool is at hand (the native build on a developer's machine or CI).
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "bmp_builder.h"
#include "dib/canvas.h"
#include "dib/dib.h"

namespace lumeret {
namespace {

namespace fs = std::filesystem;
using test::Le32;

bool HaveConvert() {
#ifdef _WIN32
    return false;
#else
    static const bool have = std::system("convert -version >/dev/null 2>&1") == 0;
    return have;
#endif
}

std::vector<std::uint8_t> RunForOutput(const std::string& command) {
    std::vector<std::uint8_t> out;
#ifndef _WIN32
    FILE* pipe = popen(command.c_str(), "r");
    if (pipe == nullptr) {
        return out;
    }
    std::uint8_t buffer[65536];
    std::size_t n;
    while ((n = std::fread(buffer, 1, sizeof(buffer), pipe)) > 0) {
        out.insert(out.end(), buffer, buffer + n);
    }
    pclose(pipe);
#else
    (void)command;
#endif
    return out;
}

std::vector<std::uint8_t> ReadFile(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void WriteFile(const fs::path& path, const std::vector<std::uint8_t>& bytes) {
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

// ImageMagick's decoding: 8-bit RGB triples, top row first.
std::vector<std::uint8_t> Decode(const fs::path& path) {
    return RunForOutput("convert '" + path.string() + "' -depth 8 rgb:- 2>/dev/null");
}

class ImageMagick : public ::testing::Test {
protected:
    void SetUp() override {
        if (!HaveConvert()) {
            GTEST_SKIP() << "ImageMagick's convert is not available";
        }
        dir_ = fs::temp_directory_path() /
               ("lumeret_im_" + std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
        fs::create_directories(dir_);
    }
    void TearDown() override {
        if (!dir_.empty()) {
            std::error_code ignored;
            fs::remove_all(dir_, ignored);
        }
    }

    // Makes a file with convert; arguments end with the output format
    // ("BMP3:"), the path goes right behind it. Returns the path.
    fs::path Make(const std::string& name, const std::string& arguments) {
        fs::path path = dir_ / name;
        const std::string command = "convert " + arguments + "'" + path.string() + "' 2>/dev/null";
        EXPECT_EQ(std::system(command.c_str()), 0) << command;
        return path;
    }

    fs::path Write(const std::string& name, const std::vector<std::uint8_t>& bytes) {
        fs::path path = dir_ / name;
        WriteFile(path, bytes);
        return path;
    }

    fs::path dir_;
};

// What the program reads: RGB triples, top row first.
std::vector<std::uint8_t> OurPixels(const Dib& dib) {
    const DibImage& image = dib.Pixels()->Image;
    const auto w = dib.GetWidth();
    const auto h = dib.GetHeight();
    std::vector<std::uint8_t> out;
    const bool runLength = image.Header.biCompression == kBiRle8 || image.Header.biCompression == kBiRle4;
    const std::vector<std::uint8_t> indexes = runLength ? DecodeRunLength(image) : std::vector<std::uint8_t>{};
    for (std::int32_t y = 0; y < h; ++y) {
        for (std::int32_t x = 0; x < w; ++x) {
            std::uint32_t rgb;
            if (runLength) {
                const RgbQuad& c = image.Colors[indexes[static_cast<std::size_t>(y * w + x)]];
                rgb = (std::uint32_t{c.rgbRed} << 16) | (std::uint32_t{c.rgbGreen} << 8) | c.rgbBlue;
            } else {
                rgb = PixelColor(image, x, y);
            }
            out.push_back(static_cast<std::uint8_t>(rgb >> 16));
            out.push_back(static_cast<std::uint8_t>(rgb >> 8));
            out.push_back(static_cast<std::uint8_t>(rgb));
        }
    }
    return out;
}

void LoadInto(Dib& dib, const fs::path& path) { dib.LoadFromFile(path.string()); }

std::uint16_t BitCountOf(const std::vector<std::uint8_t>& file) {
    return static_cast<std::uint16_t>(Le32(file, 14) == 12 ? file[24] | file[25] << 8 : file[28] | file[29] << 8);
}

// Reads path, checks the bit count ImageMagick chose, compares the pixels
// with ImageMagick's decoding, then saves and lets ImageMagick read the
// program's file back.
void ExpectSameAsImageMagick(ImageMagick& fixture, const fs::path& path, std::uint16_t bits,
                             const std::vector<std::uint8_t>& expected) {
    ASSERT_EQ(BitCountOf(ReadFile(path)), bits) << path;
    Dib dib;
    LoadInto(dib, path);
    ASSERT_EQ(expected.size(), static_cast<std::size_t>(dib.GetWidth() * dib.GetHeight() * 3));
    EXPECT_EQ(OurPixels(dib), expected) << path;

    const fs::path saved = path.string() + ".saved.bmp";
    dib.SaveToFile(saved.string());
    EXPECT_EQ(Decode(saved), expected) << saved;
    (void)fixture;
}

TEST_F(ImageMagick, OneBitFilesReadAndWriteAlike) {
    auto path = Make("one.bmp", "-size 13x7 pattern:checkerboard -monochrome -type bilevel BMP3:");
    ExpectSameAsImageMagick(*this, path, 1, Decode(path));
}

TEST_F(ImageMagick, FourBitFilesReadAndWriteAlike) {
    auto path = Make("four.bmp", "rose: -colors 12 -type palette BMP3:");
    ExpectSameAsImageMagick(*this, path, 4, Decode(path));
}

TEST_F(ImageMagick, EightBitFilesReadAndWriteAlike) {
    auto path = Make("eight.bmp", "rose: -colors 200 -type palette BMP3:");
    ExpectSameAsImageMagick(*this, path, 8, Decode(path));
}

TEST_F(ImageMagick, TwentyFourBitFilesReadAndWriteAlike) {
    auto path = Make("rgb.bmp", "rose: -type truecolor BMP3:");
    ExpectSameAsImageMagick(*this, path, 24, Decode(path));
}

TEST_F(ImageMagick, OS2CoreHeaderFilesReadAsInfoHeaderImages) {
    auto path = Make("os2.bmp", "rose: -colors 200 -type palette BMP2:");
    ASSERT_EQ(Le32(ReadFile(path), 14), 12u);
    ExpectSameAsImageMagick(*this, path, 8, Decode(path));
    Dib dib;
    LoadInto(dib, path);
    EXPECT_EQ(dib.Pixels()->Image.Header.biSize, 40u);
}

TEST_F(ImageMagick, RunLengthEightBitPixelsMatchAndBytesRoundTrip) {
    auto path = Make("rle8.bmp", "rose: -colors 200 -type palette -compress RLE BMP3:");
    const auto file = ReadFile(path);
    ASSERT_EQ(Le32(file, 30), 1u);
    Dib dib;
    LoadInto(dib, path);
    EXPECT_EQ(dib.Pixels()->Image.Header.biCompression, 1u);
    EXPECT_EQ(OurPixels(dib), Decode(path));
    MemoryStream out;
    dib.SaveToStream(out);
    EXPECT_EQ(out.Bytes(), file);
}

// A run-length 4-bit image made here (ImageMagick does not write them),
// decoded by ImageMagick: 6x3 pixels with encoded runs, an absolute run and a
// delta jump.
TEST_F(ImageMagick, RunLengthFourBitPixelsMatchAndBytesRoundTrip) {
    test::BmpParts p;
    p.width = 6;
    p.height = 3;
    p.bitCount = 4;
    p.compression = 2;
    p.clrUsed = 4;
    p.colors = test::Bytes({0, 0, 0, 0, 0, 0, 255, 0, 0, 255, 0, 0, 255, 0, 0, 0});
    p.pixels = test::Bytes({6, 0x12, 0, 0,              // bottom row: 1 2 1 2 1 2
                            0, 5, 0x31, 0x23, 0x10, 0,  // absolute run: 3 1 2 3 1, padded
                            1, 0x20, 0, 0,              // one pixel 2, end of line
                            0, 2, 2, 0,                 // delta: two to the right
                            4, 0x33, 0, 1});            // 3 3 3 3, end of bitmap
    p.sizeImage = static_cast<std::uint32_t>(p.pixels.size());
    auto path = Write("rle4.bmp", test::MakeBmp(p));
    auto expected = Decode(path);
    ASSERT_EQ(expected.size(), 6u * 3u * 3u);
    Dib dib;
    LoadInto(dib, path);
    EXPECT_EQ(OurPixels(dib), expected);
    MemoryStream out;
    dib.SaveToStream(out);
    EXPECT_EQ(out.Bytes(), test::MakeBmp(p));
}

// The rose's pixels as 16- and 32-bit files made here, decoded by both.
class ImageMagickHighColor : public ImageMagick {
protected:
    void SetUp() override {
        ImageMagick::SetUp();
        if (IsSkipped()) {
            return;
        }
        rgb_ = RunForOutput("convert rose: -depth 8 rgb:- 2>/dev/null");
        ASSERT_EQ(rgb_.size(), kWidth * kHeight * 3);
    }

    // The file's rows bottom-up unless topDown; pack(r, g, b) gives the pixel.
    template <typename Pack>
    std::vector<std::uint8_t> Pixels(int bytesPerPixel, bool topDown, Pack pack) const {
        const std::size_t row = (kWidth * bytesPerPixel + 3) / 4 * 4;
        std::vector<std::uint8_t> out(row * kHeight, 0);
        for (std::size_t y = 0; y < kHeight; ++y) {
            const std::size_t stored = topDown ? y : kHeight - 1 - y;
            for (std::size_t x = 0; x < kWidth; ++x) {
                const std::uint8_t* c = &rgb_[(y * kWidth + x) * 3];
                const std::uint32_t v = pack(c[0], c[1], c[2]);
                for (int b = 0; b < bytesPerPixel; ++b) {
                    out[stored * row + x * bytesPerPixel + b] = static_cast<std::uint8_t>(v >> (8 * b));
                }
            }
        }
        return out;
    }

    test::BmpParts Parts(std::uint16_t bits, bool topDown) const {
        test::BmpParts p;
        p.width = kWidth;
        p.height = topDown ? -static_cast<std::int32_t>(kHeight) : kHeight;
        p.bitCount = bits;
        return p;
    }

    // Compares channel by channel keeping only the top bits of each.
    static void ExpectTopBitsEqual(const std::vector<std::uint8_t>& ours, const std::vector<std::uint8_t>& theirs,
                                   const int bits[3]) {
        ASSERT_EQ(ours.size(), theirs.size());
        int mismatches = 0;
        for (std::size_t i = 0; i < ours.size(); ++i) {
            const std::uint8_t mask = static_cast<std::uint8_t>(0xFF << (8 - bits[i % 3]));
            if ((ours[i] & mask) != (theirs[i] & mask)) {
                ++mismatches;
            }
        }
        EXPECT_EQ(mismatches, 0);
    }

    static constexpr std::size_t kWidth = 70;
    static constexpr std::size_t kHeight = 46;
    std::vector<std::uint8_t> rgb_;
};

TEST_F(ImageMagickHighColor, ThirtyTwoBitFilesBecomeTheSameTwentyFourBitPixels) {
    auto p = Parts(32, false);
    p.pixels = Pixels(4, false, [](std::uint32_t r, std::uint32_t g, std::uint32_t b) { return r << 16 | g << 8 | b; });
    auto path = Write("rgb32.bmp", test::MakeBmp(p));
    ExpectSameAsImageMagick(*this, path, 32, Decode(path));
    EXPECT_EQ(Decode(path), rgb_);
}

TEST_F(ImageMagickHighColor, SixteenBitFiveFiveFiveFilesMatch) {
    auto p = Parts(16, false);
    p.pixels = Pixels(2, false, [](std::uint32_t r, std::uint32_t g, std::uint32_t b) {
        return (r >> 3) << 10 | (g >> 3) << 5 | b >> 3;
    });
    auto path = Write("rgb555.bmp", test::MakeBmp(p));
    Dib dib;
    LoadInto(dib, path);
    const int bits[3] = {5, 5, 5};
    ExpectTopBitsEqual(OurPixels(dib), Decode(path), bits);
    dib.SaveToFile((dir_ / "out.bmp").string());
    EXPECT_EQ(Decode(dir_ / "out.bmp"), OurPixels(dib));
}

TEST_F(ImageMagickHighColor, SixteenBitFiveSixFiveBitfieldFilesMatch) {
    auto p = Parts(16, false);
    p.compression = 3;
    p.masks = {0xF800, 0x07E0, 0x001F};
    p.pixels = Pixels(2, false, [](std::uint32_t r, std::uint32_t g, std::uint32_t b) {
        return (r >> 3) << 11 | (g >> 2) << 5 | b >> 3;
    });
    auto path = Write("rgb565.bmp", test::MakeBmp(p));
    Dib dib;
    LoadInto(dib, path);
    const int bits[3] = {5, 6, 5};
    ExpectTopBitsEqual(OurPixels(dib), Decode(path), bits);
    dib.SaveToFile((dir_ / "out.bmp").string());
    EXPECT_EQ(Decode(dir_ / "out.bmp"), OurPixels(dib));
}

TEST_F(ImageMagickHighColor, TopDownFilesKeepTheirRowOrder) {
    auto p24 = Parts(24, true);
    p24.pixels = Pixels(3, true, [](std::uint32_t r, std::uint32_t g, std::uint32_t b) { return r << 16 | g << 8 | b; });
    auto path24 = Write("topdown24.bmp", test::MakeBmp(p24));
    ExpectSameAsImageMagick(*this, path24, 24, rgb_);

    auto p32 = Parts(32, true);
    p32.pixels = Pixels(4, true, [](std::uint32_t r, std::uint32_t g, std::uint32_t b) { return r << 16 | g << 8 | b; });
    auto path32 = Write("topdown32.bmp", test::MakeBmp(p32));
    ExpectSameAsImageMagick(*this, path32, 32, rgb_);
    EXPECT_EQ(Decode(path32), rgb_);
}

TEST_F(ImageMagick, ClipboardBlocksAreValidDibs) {
    auto path = Make("eight.bmp", "rose: -colors 200 -type palette BMP3:");
    Dib dib;
    LoadInto(dib, path);
    std::uint16_t format;
    GlobalHandle data;
    PaletteHandle palette;
    dib.SaveToClipboardFormat(format, data, palette);
    UniqueGlobal owner(data);
    auto packed = test::BlockBytes(data);
    // A file header in front makes the packed DIB a BMP file.
    std::vector<std::uint8_t> file = {'B', 'M'};
    test::Put32(file, static_cast<std::uint32_t>(14 + packed.size()));
    test::Put32(file, 0);
    test::Put32(file, 14 + 40 + 4 * Le32(packed, 32));
    file.insert(file.end(), packed.begin(), packed.end());
    EXPECT_EQ(Decode(Write("packed.bmp", file)), Decode(path));
}

}  // namespace
}  // namespace lumeret
