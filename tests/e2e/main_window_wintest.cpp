// The main window as a user meets it: texts copied in other programs, the
// register button, CLEAR, the status line, the list's menu, dropped files and
// the bitmap preview.
#include "e2e/main_window_fixture_win32.h"

#include "core/status_texts.h"
#include "platform/wide_win32.h"

namespace lumeret::test {
namespace {

using MainWindow = ProgramWindows;

TEST_F(MainWindow, CopiedTextAppearsTrimmedAtTopAndSelected) {
    Copy("  \tfirst\r\n");
    Copy("second");
    EXPECT_EQ(HistoryRows(), (std::vector<std::string>{"second", "first"}));
    EXPECT_EQ(HistorySelection(), 0);
    EXPECT_FALSE(Core().ClipboardPreview().ShowingBitmap());
    RECT box{};
    GetClientRect(Main().Ui().previewBox, &box);
    EXPECT_EQ(box.right, 0);  // no preview for text
}

TEST_F(MainWindow, KnownTextMovesToTopOnceAndTheClipboardIsLeftAsCopied) {
    Copy("a");
    Copy("b");
    Copy("c");
    // A viewer of the test's own counts the clipboard's changes.
    ChainViewer viewer;
    viewer.Join();
    PumpPending();
    int joined = viewer.notices;
    Copy("  a\r\n");
    PumpFor(10);
    EXPECT_EQ(HistoryRows(), (std::vector<std::string>{"a", "c", "b"}));
    // Our copy, and no write of the program's.
    EXPECT_EQ(viewer.notices - joined, 1);
    EXPECT_EQ(ClipboardWin32().Text(), "  a\r\n");
    viewer.Leave();
}

TEST_F(MainWindow, RegisterWritesTheSelectedEntryAsNumberedClip) {
    Copy("日本語\nline2");
    Click(Main().Ui().registerButton);
    EXPECT_EQ(ReadFileBytes(ClipFile(0)), "日本語\r\nline2\r\n");
    EXPECT_EQ(Main().StatusText(), status::kTextRegistered);
    // The new row's caption comes from the text as registered.
    EXPECT_EQ(TextClipRows(), (std::vector<std::string>{"日本語\nline2"}));
    EXPECT_EQ(Scrap().ActivePage(), ScrapbookPage::Text);
    EXPECT_TRUE(prompts.beeps.empty());
    EXPECT_FALSE(Scrap().Visible());  // registering never shows the scrapbook
}

TEST_F(MainWindow, RegisterTakesTheSelectedEntryNotTheClipboard) {
    Copy("older");
    Copy("newer");
    SelectRow(Main().Ui().historyList, 1);
    Click(Main().Ui().registerButton);
    EXPECT_EQ(ReadFileBytes(ClipFile(0)), "older\r\n");
}

TEST_F(MainWindow, AClipRewrittenByAnotherProgramIsTakenForItsNewText) {
    for (const char* text : {"first", "second"}) {  // the second registration reads the first clip
        Copy(text);
        Click(Main().Ui().registerButton);
    }
    ASSERT_EQ(ReadFileBytes(ClipFile(1)), "second\r\n");
    WriteFileBytes(ClipFile(0), "edited text\r\n");
    Copy("edited text");
    Click(Main().Ui().registerButton);
    EXPECT_EQ(prompts.beeps, std::vector<BeepKind>{BeepKind::Default});
    EXPECT_EQ(Main().StatusText(), status::kAlreadyRegistered);
    Copy("first");
    Click(Main().Ui().registerButton);
    EXPECT_EQ(ReadFileBytes(ClipFile(2)), "first\r\n");
}

TEST_F(MainWindow, RepeatedRegisterBeepsAndWalksTheStatusLadder) {
    Copy("same");
    Click(Main().Ui().registerButton);
    Click(Main().Ui().registerButton);
    EXPECT_EQ(prompts.beeps, std::vector<BeepKind>{BeepKind::Default});
    EXPECT_EQ(Main().StatusText(), status::kAlreadyRegistered);
    for (int press = 2; press <= 55; ++press) Click(Main().Ui().registerButton);
    EXPECT_EQ(prompts.beeps.size(), 55u);
    EXPECT_EQ(Main().StatusText(), status::kThatIsEnough);
    EXPECT_EQ(Core().Status().RepeatCount(), 55);
    EXPECT_EQ(TextClipRows().size(), 1u);

    Tick(2);
    EXPECT_EQ(Main().StatusText(), status::kThatIsEnough);
    Tick(1);  // the third tick clears the line and the count
    EXPECT_EQ(Main().StatusText(), "");
    EXPECT_EQ(Core().Status().RepeatCount(), 0);
    Click(Main().Ui().registerButton);
    EXPECT_EQ(Main().StatusText(), status::kAlreadyRegistered);
}

TEST_F(MainWindow, RegisterWithTextButNoSelectionDoesNothing) {
    Copy("text");
    SelectRow(Main().Ui().historyList, -1);
    Click(Main().Ui().registerButton);
    EXPECT_TRUE(prompts.beeps.empty());
    EXPECT_EQ(Main().StatusText(), "");
    EXPECT_EQ(GetFileAttributesA(ClipFile(0).c_str()), INVALID_FILE_ATTRIBUTES);
}

TEST_F(MainWindow, RegisterOnEmptyOrForeignClipboardBeepsExclamation) {
    Click(Main().Ui().registerButton);
    EXPECT_EQ(prompts.beeps, std::vector<BeepKind>{BeepKind::Exclamation});
    EXPECT_EQ(Main().StatusText(), status::kRegisterEmpty);
    ASSERT_TRUE(PutPrivateFormatOnClipboard());
    PumpPending();
    Click(Main().Ui().registerButton);
    EXPECT_EQ(prompts.beeps.size(), 2u);
    EXPECT_EQ(Main().StatusText(), status::kRegisterEmpty);
}

TEST_F(MainWindow, ClearEmptiesTheClipboardAndKeepsTheHistory) {
    Copy("kept");
    Click(Main().Ui().clearButton);
    PumpPending();
    EXPECT_FALSE(IsClipboardFormatAvailable(CF_TEXT));
    EXPECT_EQ(HistoryRows(), std::vector<std::string>{"kept"});
    EXPECT_EQ(HistorySelection(), -1);
    EXPECT_EQ(Main().StatusText(), status::kCleared);
}

// Pixels in the colour of button text within an area of a device context.
int TextColouredPixels(HDC dc, const RECT& area) {
    int count = 0;
    for (int y = area.top; y < area.bottom; ++y) {
        for (int x = area.left; x < area.right; ++x) count += GetPixel(dc, x, y) == GetSysColor(COLOR_BTNTEXT);
    }
    return count;
}

// The same of a control as drawn on the screen.
int TextColouredPixels(HWND control) {
    UpdateWindow(control);
    RECT client{};
    GetClientRect(control, &client);
    HDC dc = GetDC(control);
    const int count = TextColouredPixels(dc, client);
    ReleaseDC(control, dc);
    return count;
}

// The status line is drawn by the program: its text shows, and shows no more
// once the line clears itself some three seconds later.
TEST_F(MainWindow, TheStatusLineShowsItsTextUntilItClears) {
    HWND line = Main().Ui().statusLine;
    ASSERT_EQ(Caption(line), "");
    EXPECT_EQ(TextColouredPixels(line), 0);
    ClickOn(line);
    EXPECT_EQ(Caption(line), status::kIsEmpty);
    EXPECT_GT(TextColouredPixels(line), 20);
    EXPECT_TRUE(PumpUntil([&] { return Caption(line).empty(); }, 600));
    EXPECT_EQ(TextColouredPixels(line), 0);
}

// Another program taking a picture of the window (PrintWindow, magnifiers)
// gets the status line with its text.
TEST_F(MainWindow, APictureTakenOfTheStatusLineShowsItsText) {
    HWND line = Main().Ui().statusLine;
    ClickOn(line);
    ASSERT_EQ(Caption(line), status::kIsEmpty);
    RECT client{};
    GetClientRect(line, &client);
    HDC screen = GetDC(nullptr);
    HDC dc = CreateCompatibleDC(screen);
    HBITMAP picture = CreateCompatibleBitmap(screen, client.right, client.bottom);
    ReleaseDC(nullptr, screen);
    HGDIOBJ old = SelectObject(dc, picture);
    FillRect(dc, &client, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    SendMessageW(line, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc), PRF_CLIENT);
    const int text = TextColouredPixels(dc, client);
    SelectObject(dc, old);
    DeleteObject(picture);
    DeleteDC(dc);
    EXPECT_GT(text, 20);
}

TEST_F(MainWindow, StatusLineClickTellsWhatTheClipboardHolds) {
    ClickOn(Main().Ui().statusLine);
    EXPECT_EQ(Main().StatusText(), status::kIsEmpty);
    Copy("t");
    ClickOn(Main().Ui().statusLine);
    EXPECT_EQ(Main().StatusText(), status::kIsText);
    ASSERT_TRUE(PutBitmapOnClipboard(4, 4));
    PumpPending();
    ClickOn(Main().Ui().statusLine);
    EXPECT_EQ(Main().StatusText(), status::kIsBitmap);
}

TEST_F(MainWindow, DoubleClickPutsAnOlderEntryBackOnTop) {
    Copy("one");
    Copy("two");
    Copy("three");
    DoubleClickRow(Main().Ui().historyList, 2);
    PumpPending();
    EXPECT_EQ(HistoryRows(), (std::vector<std::string>{"one", "three", "two"}));
    EXPECT_EQ(HistorySelection(), 0);
    EXPECT_EQ(ClipboardWin32().Text(), "one");
}

TEST_F(MainWindow, MenuRegisterStoresTheEntryItWasUsedOn) {
    Copy("wanted");
    Copy("other");
    SelectRow(Main().Ui().historyList, 1);
    ChooseFromMenu(Main().Ui().historyList, 'A');
    PumpPending();
    EXPECT_EQ(ReadFileBytes(ClipFile(0)), "wanted\r\n");
    EXPECT_EQ(HistoryRows(), (std::vector<std::string>{"wanted", "other"}));
}

TEST_F(MainWindow, DeleteAllWithoutSelectionDeletesNothing) {
    Copy("x");
    Copy("y");
    SelectRow(Main().Ui().historyList, -1);
    ChooseFromMenu(Main().Ui().historyList, 'X');
    EXPECT_EQ(HistoryRows().size(), 2u);
    SelectRow(Main().Ui().historyList, 0);
    ChooseFromMenu(Main().Ui().historyList, 'X');
    EXPECT_TRUE(HistoryRows().empty());
    EXPECT_FALSE(IsClipboardFormatAvailable(CF_TEXT));  // emptied with the last entry
}

TEST_F(MainWindow, DeleteKeyRemovesTheSelectedEntry) {
    Copy("x");
    Copy("y");
    SelectRow(Main().Ui().historyList, 1);
    PressKeyIn(Main().Ui().historyList, VK_DELETE);
    EXPECT_EQ(HistoryRows(), std::vector<std::string>{"y"});
}

TEST_F(MainWindow, HintShowsThePreviewOfTheSelectedEntry) {
    Copy("short");
    Copy(std::string(300, 'h'));
    SelectRow(Main().Ui().historyList, 0);
    EXPECT_EQ(Main().HistoryHint(), std::string(256, 'h') + "\r\n＜つづく＞");
    SelectRow(Main().Ui().historyList, 1);
    EXPECT_EQ(Main().HistoryHint(), "short");
}

BOOL CALLBACK FindShownTooltip(HWND hwnd, LPARAM found) {
    wchar_t name[32] = {};
    GetClassNameW(hwnd, name, 32);
    if (std::wstring(name) != TOOLTIPS_CLASSW || !IsWindowVisible(hwnd)) return TRUE;
    *reinterpret_cast<HWND*>(found) = hwnd;
    return FALSE;
}

// The tooltip of this thread that shows, nullptr while none does.
HWND ShownTooltip() {
    HWND shown = nullptr;
    EnumThreadWindows(GetCurrentThreadId(), &FindShownTooltip, reinterpret_cast<LPARAM>(&shown));
    return shown;
}

TEST_F(MainWindow, TheMouseRestingOnTheHistoryShowsItsHint) {
    Copy("short");
    HWND list = Main().Ui().historyList;
    SelectRow(list, 0);
    ASSERT_EQ(ShownTooltip(), nullptr);
    MoveMouseTo(ScreenPointOf(list, POINT{30, 30}));
    MoveMouseTo(ScreenPointOf(list, POINT{31, 30}));
    ASSERT_TRUE(PumpUntil([] { return ShownTooltip() != nullptr; }, 500));
    TOOLINFOW tool{};
    tool.cbSize = TTTOOLINFOW_V1_SIZE;
    ASSERT_TRUE(SendMessageW(ShownTooltip(), TTM_GETCURRENTTOOLW, 0, reinterpret_cast<LPARAM>(&tool)));
    EXPECT_EQ(reinterpret_cast<HWND>(tool.uId), list);
    MoveMouseTo({0, GetSystemMetrics(SM_CYSCREEN) - 1});
    EXPECT_TRUE(PumpUntil([] { return ShownTooltip() == nullptr; }, 500));
}

TEST_F(MainWindow, BitmapIsPreviewedTopLeftAndDeselectsTheList) {
    Copy("t");
    ASSERT_TRUE(PutBitmapOnClipboard(10, 5));
    PumpPending();
    EXPECT_TRUE(Core().ClipboardPreview().ShowingBitmap());
    EXPECT_EQ(HistorySelection(), -1);
    EXPECT_EQ(Core().ClipboardPreview().PictureRect(), (Rect{0, 0, 113, 56}));
    RECT box{};
    GetClientRect(Main().Ui().previewBox, &box);
    EXPECT_EQ(box.right, 113);
    ASSERT_TRUE(PutBitmapOnClipboard(5, 10));
    PumpPending();
    EXPECT_EQ(Core().ClipboardPreview().PictureRect(), (Rect{0, 0, 56, 113}));
    ASSERT_TRUE(PutBitmapOnClipboard(200, 200));
    PumpPending();
    EXPECT_EQ(Core().ClipboardPreview().PictureRect(), (Rect{0, 0, 113, 113}));
}

TEST_F(MainWindow, PreviewSwitchedOffShowsTheLabel) {
    Click(Main().Ui().settingsButton);
    Click(SettingsBox().Ui().hidePreviewBox);
    Click(SettingsBox().Ui().okButton);
    ASSERT_TRUE(PutBitmapOnClipboard(10, 10));
    PumpPending();
    EXPECT_TRUE(IsWindowVisible(Main().Ui().previewOffLabel));
    RECT box{};
    GetClientRect(Main().Ui().previewBox, &box);
    EXPECT_EQ(box.right, 0);
    EXPECT_EQ(Caption(Main().Ui().previewOffLabel), "非表示");
    Copy("text leaves the label as it is");
    EXPECT_TRUE(IsWindowVisible(Main().Ui().previewOffLabel));
}

TEST_F(MainWindow, TheShownWindowTakesDroppedFilesUntilTheProgramEnds) {
    auto takesFiles = [this] { return (GetWindowLongW(Main().Handle(), GWL_EXSTYLE) & WS_EX_ACCEPTFILES) != 0; };
    EXPECT_TRUE(takesFiles());
    Main().SaveSettings();  // what the program does as it ends
    EXPECT_FALSE(takesFiles());
}

TEST_F(MainWindow, DroppedFilesGoToTheClipboardInOrder) {
    WriteFileBytes(folder.Path() + "a.Txt", "dropped\nsecond line");
    WriteFileBytes(folder.Path() + "b.bmp", SolidBmpFile(10, 5, 0, 0, 255));
    WriteFileBytes(folder.Path() + "c.doc", "ignored");
    HDROP drop = MakeDrop({folder.Path() + "a.Txt", folder.Path() + "b.bmp", folder.Path() + "c.doc"});
    SendMessageW(Main().Handle(), WM_DROPFILES, reinterpret_cast<WPARAM>(drop), 0);
    PumpPending();
    EXPECT_EQ(HistoryRows(), std::vector<std::string>{"dropped\r\nsecond line"});
    EXPECT_TRUE(IsClipboardFormatAvailable(CF_BITMAP));
    EXPECT_FALSE(IsClipboardFormatAvailable(CF_TEXT));
    EXPECT_TRUE(Core().ClipboardPreview().ShowingBitmap());
    EXPECT_EQ(Core().ClipboardPreview().PictureRect(), (Rect{0, 0, 113, 56}));
    EXPECT_TRUE(ReportedErrors().empty());
}

TEST_F(MainWindow, DroppedUnreadableBitmapIsReportedAndStopsTheDrop) {
    WriteFileBytes(folder.Path() + "bad.bmp", "not a bitmap");
    WriteFileBytes(folder.Path() + "later.txt", "never handled");
    HDROP drop = MakeDrop({folder.Path() + "bad.bmp", folder.Path() + "later.txt"});
    SendMessageW(Main().Handle(), WM_DROPFILES, reinterpret_cast<WPARAM>(drop), 0);
    PumpPending();
    ASSERT_EQ(ReportedErrors().size(), 1u);
    EXPECT_NE(ReportedErrors()[0].find("bad.bmp"), std::string::npos);
    EXPECT_TRUE(HistoryRows().empty());
}

// The shell gives the names in wide characters. A name the system's code
// page cannot spell is not taken for a look-alike ("cafe.txt"): it is
// reported as a file that cannot be opened.
TEST_F(MainWindow, ADroppedFileWhoseNameTheCodePageCannotSpellIsNotReadFromALookAlike) {
    WriteFileBytes(folder.Path() + "cafe.txt", "another file");
    WriteFileBytes(folder.Path() + "dropped.txt", "dropped file");
    const std::wstring base = FromCp932(folder.Path());
    ASSERT_TRUE(MoveFileW((base + L"dropped.txt").c_str(), (base + L"caf\u00e9.txt").c_str()));
    HDROP drop = MakeDrop(std::vector<std::wstring>{base + L"caf\u00e9.txt"});
    SendMessageW(Main().Handle(), WM_DROPFILES, reinterpret_cast<WPARAM>(drop), 0);
    PumpPending();
    EXPECT_TRUE(HistoryRows().empty());
    ASSERT_EQ(ReportedErrors().size(), 1u);
    EXPECT_NE(ReportedErrors()[0].find("caf?.txt"), std::string::npos) << ReportedErrors()[0];
}

}  // namespace
}  // namespace lumeret::test

namespace lumeret::test {
namespace {

// Where a child sits in its parent's client area, and its class.
struct Placed {
    HWND control;
    const wchar_t* className;
    int left, top, width, height;
    const char* caption;
};

std::wstring ClassOf(HWND control) {
    wchar_t name[64] = {};
    GetClassNameW(control, name, 64);
    return name;
}

std::vector<std::string> MenuCaptions(HMENU menu) {
    std::vector<std::string> out;
    for (int i = 0; i < GetMenuItemCount(menu); ++i) {
        wchar_t text[64] = {};
        MENUITEMINFOW info{sizeof(info)};
        info.fMask = MIIM_FTYPE | MIIM_STRING;
        info.dwTypeData = text;
        info.cch = 64;
        GetMenuItemInfoW(menu, static_cast<UINT>(i), TRUE, &info);
        out.push_back((info.fType & MFT_SEPARATOR) ? "-" : ToCp932(text));
    }
    return out;
}

using MainWindowLayout = ProgramWindows;

TEST_F(MainWindowLayout, EveryControlSitsAtItsPlaceWithItsClassAndCaption) {
    const lumeret::MainWindow::Controls& ui = Main().Ui();
    Copy("shown");  // a text keeps the preview box at 0 x 0
    const Placed expected[] = {
        {ui.aboutButton, L"Button", 8, 8, 17, 17, "?"},
        {ui.settingsButton, L"Button", 24, 8, 17, 17, ""},
        {ui.clearButton, L"Button", 40, 8, 33, 17, ""},
        {ui.previewBox, L"Static", 80, 8, 0, 0, ""},
        {ui.previewOffLabel, L"Static", 117, 60, 36, 12, "非表示"},
        {ui.previewFrame, L"Static", 79, 8, 114, 114, ""},
        {ui.scrapbookButton, L"Button", 8, 24, 65, 65, ""},
        {ui.registerButton, L"Button", 8, 88, 65, 33, "登録"},
        {ui.historyList, L"ListBox", 0, 128, 201, 161, ""},
        {ui.statusLine, L"LumeretStatusLine", 0, 290, 202, 19, ""},
    };
    HWND previous = nullptr;
    for (const Placed& c : expected) {
        SCOPED_TRACE(c.caption);
        ASSERT_NE(c.control, nullptr);
        EXPECT_EQ(GetParent(c.control), Main().Handle());
        EXPECT_EQ(_wcsicmp(ClassOf(c.control).c_str(), c.className), 0);
        POINT at = PlaceInParent(c.control);
        EXPECT_EQ(at.x, c.left);
        EXPECT_EQ(at.y, c.top);
        RECT r{};
        GetWindowRect(c.control, &r);
        EXPECT_EQ(r.right - r.left, c.width);
        EXPECT_EQ(r.bottom - r.top, c.height);
        EXPECT_EQ(Caption(c.control), c.caption);
        // Made in this order: each control's id follows the one before.
        if (previous) {
            EXPECT_EQ(GetDlgCtrlID(c.control), GetDlgCtrlID(previous) + 1);
        }
        previous = c.control;
    }
    EXPECT_FALSE(IsWindowVisible(ui.previewOffLabel));
    EXPECT_EQ(SendMessageW(ui.historyList, LB_GETITEMHEIGHT, 0, 0), 12);
    // The frame lies under the preview it frames.
    EXPECT_EQ(GetWindow(ui.previewFrame, GW_HWNDNEXT), nullptr);
    EXPECT_EQ(MenuCaptions(Main().HistoryMenu()),
              (std::vector<std::string>{"コピー(&C)", "登録(&A)", "削除(&D)", "すべて削除(&X)", "-", "キャンセル"}));
}

TEST_F(MainWindowLayout, PopupMenusGoWithTheirWindows) {
    HMENU history = Main().HistoryMenu();
    HMENU clips = Scrap().ClipMenu();
    ASSERT_TRUE(IsMenu(history));
    ASSERT_TRUE(IsMenu(clips));
    CloseWindows();
    EXPECT_FALSE(IsMenu(history));
    EXPECT_FALSE(IsMenu(clips));
}

}  // namespace
}  // namespace lumeret::test
