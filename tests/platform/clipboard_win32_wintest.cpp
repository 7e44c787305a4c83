#include "platform/clipboard_win32.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "platform/errors.h"
#include "platform/global_memory.h"
#include "support/win_pump_win32.h"

namespace lumeret {
namespace {

// Puts a raw CF_TEXT block of the given bytes on the clipboard, as a careless
// program might: its size need not match its text.
void PutRawText(const void* bytes, std::size_t size) {
    ASSERT_TRUE(OpenClipboard(nullptr));
    EmptyClipboard();
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, size);
    ASSERT_NE(block, nullptr);
    std::memcpy(GlobalLock(block), bytes, size);
    GlobalUnlock(block);
    ASSERT_NE(SetClipboardData(CF_TEXT, block), nullptr);
    CloseClipboard();
}

TEST(Win32Clipboard, WrittenTextReadsBackByteForByte) {
    ClipboardWin32 clipboard;
    const std::string text = "クリップ\r\n\ttext  ";
    clipboard.SetText(text);
    EXPECT_TRUE(clipboard.HasFormat(kCfText));
    EXPECT_FALSE(clipboard.HasFormat(kCfBitmap));
    EXPECT_EQ(clipboard.Text(), text);
}

TEST(Win32Clipboard, EmptyTextIsStillText) {
    ClipboardWin32 clipboard;
    clipboard.SetText("");
    EXPECT_TRUE(clipboard.HasFormat(kCfText));
    EXPECT_EQ(clipboard.Text(), std::string());
}

TEST(Win32Clipboard, ReadingStopsAtFirstNul) {
    const char bytes[] = {'a', 'b', '\0', 'c', 'd', '\0'};
    PutRawText(bytes, sizeof bytes);
    EXPECT_EQ(ClipboardWin32().Text(), "ab");
}

TEST(Win32Clipboard, ReadingNeverPassesTheBlockWithoutNul) {
    const char bytes[] = {'x', 'y', 'z'};
    PutRawText(bytes, sizeof bytes);
    auto text = ClipboardWin32().Text();
    ASSERT_TRUE(text.has_value());
    // Some systems end the block with a NUL of their own (Wine overwrites the
    // last byte); others may round the block up. The text is what the block
    // held, never read past its end.
    const std::string full = "xyz";
    EXPECT_EQ(text->substr(0, full.size()), full.substr(0, text->size()));
    EXPECT_GE(text->size(), 2u);
    EXPECT_LE(text->size(), 64u);
}

TEST(Win32Clipboard, ClearRemovesEveryFormat) {
    ClipboardWin32 clipboard;
    clipboard.SetText("gone");
    clipboard.Clear();
    EXPECT_FALSE(clipboard.HasFormat(kCfText));
    EXPECT_EQ(clipboard.Text(), std::nullopt);
}

TEST(Win32Clipboard, ChangeStampMovesWithEveryWrite) {
    ClipboardWin32 clipboard;
    auto before = clipboard.ChangeStamp();
    clipboard.SetText("one");
    auto afterOne = clipboard.ChangeStamp();
    EXPECT_NE(afterOne, before);
    test::PumpFor(3);
    EXPECT_EQ(clipboard.ChangeStamp(), afterOne);  // nothing moves it by itself
    clipboard.SetText("two");
    EXPECT_NE(clipboard.ChangeStamp(), afterOne);
}

// Whether another window could open the clipboard now.
bool OthersCanOpenClipboard() {
    HWND other = CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr,
                                 GetModuleHandleA(nullptr), nullptr);
    const bool opened = OpenClipboard(other) != FALSE;
    if (opened) CloseClipboard();
    DestroyWindow(other);
    return opened;
}

TEST(Win32Clipboard, ABlockIsReadWhereItLiesWhileTheClipboardIsOpenAndClosedOnEveryWayOut) {
    const char bytes[] = {'b', 'l', 'o', 'c', 'k', '\0'};
    PutRawText(bytes, sizeof bytes);
    HWND owner = CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr,
                                 GetModuleHandleA(nullptr), nullptr);
    ClipboardWin32 clipboard(owner);

    std::string seen;
    bool openWhileReading = false;
    EXPECT_TRUE(clipboard.ReadBlock(kCfText, [&](GlobalHandle block) {
        GlobalLockGuard lock(block);
        seen.assign(static_cast<const char*>(lock.Bytes()));
        openWhileReading = GetOpenClipboardWindow() == owner;
    }));
    EXPECT_EQ(seen, "block");
    EXPECT_TRUE(openWhileReading);
    EXPECT_TRUE(OthersCanOpenClipboard());

    // A reader that fails still leaves the clipboard closed.
    EXPECT_THROW(clipboard.ReadBlock(kCfText, [](GlobalHandle) { throw Exception("refused"); }), Exception);
    EXPECT_TRUE(OthersCanOpenClipboard());

    // Nothing in the format: the reader is never called.
    bool called = false;
    EXPECT_FALSE(clipboard.ReadBlock(kCfDib, [&](GlobalHandle) { called = true; }));
    EXPECT_FALSE(called);
    EXPECT_TRUE(OthersCanOpenClipboard());
    DestroyWindow(owner);
}

// A window of this thread's own, as the program's main window is.
class OwnerWindow {
public:
    OwnerWindow()
        : handle_(CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr,
                                  GetModuleHandleA(nullptr), nullptr)) {}
    OwnerWindow(const OwnerWindow&) = delete;
    OwnerWindow& operator=(const OwnerWindow&) = delete;
    ~OwnerWindow() { DestroyWindow(handle_); }
    HWND Handle() const { return handle_; }

private:
    HWND handle_;
};

TEST(Win32Clipboard, AHoldKeepsOthersOutUntilItsLastEndWhateverIsReadInIt) {
    const char bytes[] = "held";
    PutRawText(bytes, sizeof bytes);
    OwnerWindow owner;
    ClipboardWin32 clipboard(owner.Handle());
    {
        ClipboardHold outer(clipboard);
        EXPECT_FALSE(OthersCanOpenClipboard());
        EXPECT_EQ(clipboard.Text(), "held");
        EXPECT_TRUE(clipboard.ReadBlock(kCfText, [](GlobalHandle) {}));
        EXPECT_FALSE(clipboard.Palette());
        { ClipboardHold inner(clipboard); }
        EXPECT_THROW(clipboard.ReadBlock(kCfText, [](GlobalHandle) { throw Exception("refused"); }), Exception);
        // Neither the reads, the failed one, nor the inner hold let it go.
        EXPECT_FALSE(OthersCanOpenClipboard());
        EXPECT_EQ(GetOpenClipboardWindow(), owner.Handle());
        EXPECT_EQ(clipboard.Text(), "held");
    }
    EXPECT_TRUE(OthersCanOpenClipboard());

    ClipboardHold ended(clipboard);
    ended.End();
    EXPECT_TRUE(OthersCanOpenClipboard());
}

// Puts a text on the clipboard with a four-byte block of value in each
// registered format named, and the format named promised only, to be
// rendered when asked for, as some programs offer their marks.
void PutTextWithMarks(const std::string& text, const std::vector<std::string>& names, std::uint32_t value,
                      const std::string& promised) {
    ASSERT_TRUE(OpenClipboard(nullptr));
    EmptyClipboard();
    SetClipboardData(RegisterClipboardFormatA(promised.c_str()), nullptr);
    for (const std::string& name : names) {
        HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, sizeof value);
        ASSERT_NE(block, nullptr);
        std::memcpy(GlobalLock(block), &value, sizeof value);
        GlobalUnlock(block);
        ASSERT_NE(SetClipboardData(RegisterClipboardFormatA(name.c_str()), block), nullptr);
    }
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, text.size() + 1);
    ASSERT_NE(block, nullptr);
    std::memcpy(GlobalLock(block), text.c_str(), text.size() + 1);
    GlobalUnlock(block);
    ASSERT_NE(SetClipboardData(CF_TEXT, block), nullptr);
    CloseClipboard();
}

TEST(Win32Clipboard, RegisteredFormatsAreToldAlikeInAHoldAndOutsideAndAfterAWriteInIt) {
    // More formats than a first guess at their number holds, the one asked
    // about last.
    std::vector<std::string> names;
    for (int i = 0; i < 40; ++i) names.push_back("LumeretTestFiller" + std::to_string(i));
    names.push_back("LumeretTestMark");
    PutTextWithMarks("marked", names, 0x04030201, "LumeretTestPromised");
    OwnerWindow owner;
    ClipboardWin32 clipboard(owner.Handle());
    EXPECT_TRUE(clipboard.HasNamedFormat("LumeretTestMark"));
    EXPECT_TRUE(clipboard.HasNamedFormat("LumeretTestPromised"));
    EXPECT_FALSE(clipboard.HasNamedFormat("LumeretTestAbsent"));
    {
        ClipboardHold hold(clipboard);
        EXPECT_TRUE(clipboard.HasNamedFormat("LumeretTestMark"));
        EXPECT_TRUE(clipboard.HasNamedFormat("LumeretTestFiller0"));
        EXPECT_TRUE(clipboard.HasNamedFormat("LumeretTestPromised"));
        EXPECT_FALSE(clipboard.HasNamedFormat("LumeretTestAbsent"));
        EXPECT_EQ(clipboard.NamedFormatNumber("LumeretTestMark"), 0x04030201u);
        EXPECT_EQ(clipboard.NamedFormatNumber("LumeretTestAbsent"), std::nullopt);
        // What the hold writes replaces what it had been told.
        clipboard.SetText("plain");
        EXPECT_FALSE(clipboard.HasNamedFormat("LumeretTestMark"));
        EXPECT_EQ(clipboard.Text(), "plain");
        EXPECT_FALSE(OthersCanOpenClipboard());
    }
    EXPECT_FALSE(clipboard.HasNamedFormat("LumeretTestMark"));
    EXPECT_EQ(clipboard.Text(), "plain");
    EXPECT_TRUE(OthersCanOpenClipboard());
}

TEST(Win32Clipboard, AHoldOnAClipboardKeptElsewhereFailsAndHoldsNothing) {
    OwnerWindow holder;
    OwnerWindow owner;
    ASSERT_TRUE(OpenClipboard(holder.Handle()));
    ClipboardWin32 clipboard(owner.Handle());
    std::string message;
    try {
        ClipboardHold hold(clipboard);
    } catch (const ClipboardError& e) {
        message = e.Message();
    }
    CloseClipboard();
    EXPECT_EQ(message, "クリップボードを開けません");
    {
        ClipboardHold hold(clipboard);  // the failed one counts for nothing
        EXPECT_FALSE(OthersCanOpenClipboard());
    }
    EXPECT_TRUE(OthersCanOpenClipboard());
}

TEST(Win32Clipboard, OpeningHeldClipboardFailsAfterRetries) {
    // Another window holds the clipboard open; this thread's own OpenClipboard
    // with a different owner fails on the system, so the writer gives up.
    HWND holder = CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr,
                                  GetModuleHandleA(nullptr), nullptr);
    ASSERT_NE(holder, nullptr);
    HWND writerOwner = CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr,
                                       GetModuleHandleA(nullptr), nullptr);
    ASSERT_TRUE(OpenClipboard(holder));
    ClipboardWin32 clipboard(writerOwner);
    bool threw = false;
    try {
        clipboard.SetText("blocked");
    } catch (const Exception& e) {
        threw = true;
        EXPECT_EQ(e.Message(), "クリップボードを開けません");
    }
    CloseClipboard();
    DestroyWindow(writerOwner);
    DestroyWindow(holder);
    EXPECT_TRUE(threw);
}

}  // namespace
}  // namespace lumeret
