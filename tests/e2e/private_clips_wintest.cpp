// Content that the program copying it marks as not to be kept, put on the
// real clipboard by the test as such a program would: it never enters the
// history, the preview or the clips; the program's own copies carry no mark.
#include "e2e/main_window_fixture_win32.h"

#include "core/status_texts.h"
#include "dib/bmp_builder.h"

namespace lumeret::test {
namespace {

using PrivateClips = ProgramWindows;
using Texts = std::vector<std::string>;

struct Marker {
    const char* format;
    std::string bytes;
};
const Marker kExclude{"ExcludeClipboardContentFromMonitorProcessing", std::string(1, '\0')};
const Marker kViewerIgnore{"Clipboard Viewer Ignore", "x"};
const Marker kMayNotKeep{"CanIncludeInClipboardHistory", std::string(4, '\0')};
const Marker kMayKeep{"CanIncludeInClipboardHistory", std::string("\x01\0\0\0", 4)};

std::string PackedDib(int width, int height, std::uint8_t red) {
    auto bytes = MakePackedDib(SolidRed(width, height, red));
    return std::string(bytes.begin(), bytes.end());
}

TEST_F(PrivateClips, EachMarkKeepsATextOutAndTheValueOneLetsItIn) {
    Copy("before");
    for (const Marker& marker : {kExclude, kViewerIgnore, kMayNotKeep}) {
        SCOPED_TRACE(marker.format);
        ASSERT_TRUE(PutMarkedTextOnClipboard("a password", marker.format, marker.bytes));
        PumpPending();
        EXPECT_EQ(HistoryRows(), Texts{"before"});
        Click(Main().Ui().registerButton);
        EXPECT_EQ(prompts.beeps.back(), BeepKind::Exclamation);
        EXPECT_EQ(Main().StatusText(), status::kRegisterEmpty);
    }
    EXPECT_EQ(prompts.beeps.size(), 3u);
    EXPECT_EQ(GetFileAttributesA(ClipFile(0).c_str()), INVALID_FILE_ATTRIBUTES);
    ASSERT_TRUE(PutMarkedTextOnClipboard("may be kept", kMayKeep.format, kMayKeep.bytes));
    PumpPending();
    Copy("after");
    EXPECT_EQ(HistoryRows(), (Texts{"after", "may be kept", "before"}));
}

TEST_F(PrivateClips, AMarkedPictureIsNotPreviewedAndRegisterStoresNothing) {
    ASSERT_TRUE(PutDibOnClipboard(PackedDib(10, 10, 0x40)));
    PumpPending();
    ASSERT_EQ(Core().ClipboardPreview().Picture().Pixel(5, 5), 0x400000u);
    ASSERT_TRUE(PutMarkedDibOnClipboard(PackedDib(20, 20, 0x80), kExclude.format, kExclude.bytes));
    PumpPending();
    EXPECT_EQ(Core().ClipboardPreview().Picture().Pixel(5, 5), 0x400000u);
    Click(Main().Ui().registerButton);
    EXPECT_EQ(prompts.beeps, std::vector<BeepKind>{BeepKind::Exclamation});
    EXPECT_EQ(Main().StatusText(), status::kRegisterEmpty);
    EXPECT_EQ(Core().BitmapClips().Count(), 0);
    EXPECT_EQ(GetFileAttributesA(BitmapClipFile(0).c_str()), INVALID_FILE_ATTRIBUTES);
}

void ExpectNoMark() {
    for (const Marker& marker : {kExclude, kViewerIgnore, kMayNotKeep}) {
        EXPECT_FALSE(ClipboardHasNamedFormat(marker.format)) << marker.format;
    }
}

TEST_F(PrivateClips, TheProgramsOwnCopiesCarryNoMark) {
    Copy("a clip");
    Click(Main().Ui().registerButton);
    SelectRow(Scrap().Ui().textClipList, 0);
    Core().CopyTextClip();
    ASSERT_TRUE(IsClipboardFormatAvailable(CF_TEXT));
    ExpectNoMark();
    ASSERT_TRUE(PutDibOnClipboard(PackedDib(8, 8, 0x20)));
    PumpPending();
    Click(Main().Ui().registerButton);
    ASSERT_EQ(Core().BitmapClips().Count(), 1);
    Core().CopyBitmapClip();
    ASSERT_TRUE(IsClipboardFormatAvailable(CF_DIB));
    ExpectNoMark();
}

}  // namespace
}  // namespace lumeret::test
