// The version and settings dialogs as a user meets them: opened from the main
// window's buttons, double-clicked texts arriving in the history, every way
// of closing giving the other windows back, and the switches' three outcomes
// (OK, Cancel, the close box).
#include "e2e/main_window_fixture_win32.h"

#include <commctrl.h>

#include "app/about_dialog_win32.h"
#include "platform/clipboard_win32.h"
#include "platform/wide_win32.h"

namespace lumeret::test {
namespace {

bool Enabled(HWND hwnd) { return IsWindowEnabled(hwnd) != FALSE; }
bool Topmost(HWND hwnd) { return (GetWindowLongW(hwnd, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0; }

// A child's rectangle in its parent's client coordinates.
RECT PlaceOf(HWND child) {
    RECT r{};
    GetWindowRect(child, &r);
    MapWindowPoints(nullptr, GetParent(child), reinterpret_cast<POINT*>(&r), 2);
    return r;
}

void ExpectPlace(HWND child, int left, int top, int width, int height) {
    RECT r = PlaceOf(child);
    EXPECT_EQ(r.left, left);
    EXPECT_EQ(r.top, top);
    EXPECT_EQ(r.right - r.left, width);
    EXPECT_EQ(r.bottom - r.top, height);
}

void ExpectClientSize(HWND hwnd, int width, int height) {
    RECT r{};
    GetClientRect(hwnd, &r);
    EXPECT_EQ(r.right, width);
    EXPECT_EQ(r.bottom, height);
}

void ExpectCentredOnScreen(HWND hwnd) {
    RECT r{};
    GetWindowRect(hwnd, &r);
    EXPECT_NEAR(r.left + r.right, GetSystemMetrics(SM_CXSCREEN), 1);
    EXPECT_NEAR(r.top + r.bottom, GetSystemMetrics(SM_CYSCREEN), 1);
}

std::string ClipboardText() { return ClipboardWin32().Text().value_or("(no text)"); }

void DoubleClick(HWND control) { DoubleClickOn(control, {2, 2}); }

// Alt+F4 on the active window, which closes it as its close box does.
void CloseActiveWindow() { PressKey(VK_F4, {VK_MENU}); }

class DialogVersion : public ProgramWindows {
protected:
    void Open() {
        Click(Main().Ui().aboutButton);
        PumpPending();
    }
    // Waits for the main window to take a text from the clipboard.
    bool HistoryTopIs(const std::string& text) {
        return PumpUntil([&] {
            auto rows = HistoryRows();
            return !rows.empty() && rows[0] == text;
        });
    }
};

TEST_F(DialogVersion, OpensCentredWithOkFocusedAndEverythingInPlace) {
    Open();
    HWND dialog = About().Handle();
    ASSERT_TRUE(About().Visible());
    EXPECT_FALSE(Enabled(Main().Handle()));
    EXPECT_FALSE(Enabled(Scrap().Handle()));
    EXPECT_EQ(Caption(dialog), "バージョン情報");
    ExpectClientSize(dialog, 249, 199);
    EXPECT_NE(GetWindowLongW(dialog, GWL_EXSTYLE) & WS_EX_DLGMODALFRAME, 0);
    EXPECT_EQ(GetWindowLongW(dialog, GWL_STYLE) & (WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX), 0);
    ExpectCentredOnScreen(dialog);
    EXPECT_EQ(GetFocus(), About().Ui().okButton);

    ExpectPlace(About().Ui().panel, 8, 8, 233, 145);
    ExpectPlace(About().Ui().icon, 32, 24, 33, 33);
    EXPECT_NE(SendMessageW(About().Ui().icon, STM_GETICON, 0, 0), 0);
    // Texts sit at the panel's origin plus their offset; a label may be wider
    // than laid out when its font needs it, never narrower.
    struct Expected {
        HWND label;
        int left, top, width;
        const char* caption;
    } labels[] = {
        {About().Ui().productName, 78, 16, 139, "Lumeret"},
        {About().Ui().version, 146, 58, 71, "Version 1.32"},
        {About().Ui().author, 16, 86, 204, nullptr},
        {About().Ui().mail, 16, 107, 109, nullptr},
        {About().Ui().homepage, 16, 120, 219, nullptr},
    };
    for (const auto& l : labels) {
        RECT r = PlaceOf(l.label);
        EXPECT_EQ(r.left, l.left);
        EXPECT_EQ(r.top, l.top);
        EXPECT_GE(r.right - r.left, l.width);
        EXPECT_LE(r.right, 8 + 233) << "inside the panel";
        EXPECT_NE(GetWindowLongW(l.label, GWL_STYLE) & SS_NOTIFY, 0);
        if (l.caption) {
            EXPECT_EQ(Caption(l.label), l.caption);
        }
        EXPECT_FALSE(Caption(l.label).empty());
    }
    ExpectPlace(About().Ui().okButton, 84, 159, 83, 34);
    EXPECT_EQ(Caption(About().Ui().okButton), "OK");
    EXPECT_EQ(GetWindowLongW(About().Ui().okButton, GWL_STYLE) & BS_TYPEMASK, BS_DEFPUSHBUTTON);
    // The panel lies under everything it frames.
    EXPECT_EQ(GetWindow(About().Ui().panel, GW_HWNDNEXT), nullptr);
}

TEST_F(DialogVersion, DoubleClickOnVersionPutsItOnClipboardAndAtTopOfHistory) {
    Copy("earlier");
    Open();
    DoubleClick(About().Ui().version);
    EXPECT_EQ(ClipboardText(), "Version 1.32");
    ASSERT_TRUE(HistoryTopIs("Version 1.32"));
    EXPECT_EQ(HistoryRows(), (std::vector<std::string>{"Version 1.32", "earlier"}));
}

TEST_F(DialogVersion, DoubleClickOnEachTextCopiesItsCurrentCaption) {
    Open();
    for (HWND label : {About().Ui().productName, About().Ui().version, About().Ui().author, About().Ui().mail,
                       About().Ui().homepage}) {
        DoubleClick(label);
        EXPECT_EQ(ClipboardText(), Caption(label));
    }
    // The caption as it is now, as the code page's bytes.
    SetCaption(About().Ui().author, "作者 水原");
    DoubleClick(About().Ui().author);
    EXPECT_EQ(ClipboardText(), "作者 水原");
    EXPECT_TRUE(HistoryTopIs("作者 水原"));
}

TEST_F(DialogVersion, DoubleClickOnIconPutsHello) {
    Open();
    DoubleClick(About().Ui().icon);
    EXPECT_EQ(ClipboardText(), "Hello!");
    EXPECT_TRUE(HistoryTopIs("Hello!"));
}

TEST_F(DialogVersion, CloseBoxGivesMainAndScrapbookBack) {
    Open();
    ASSERT_FALSE(Enabled(Main().Handle()));
    CloseActiveWindow();
    EXPECT_FALSE(About().Visible());
    EXPECT_TRUE(Enabled(Main().Handle()));
    EXPECT_TRUE(Enabled(Scrap().Handle()));
}

TEST_F(DialogVersion, OkEnterAndAltF4AllCloseIt) {
    Open();
    Click(About().Ui().okButton);
    EXPECT_FALSE(About().Visible());
    EXPECT_TRUE(Enabled(Main().Handle()));

    Open();
    ASSERT_TRUE(About().Visible());
    ASSERT_EQ(GetFocus(), About().Ui().okButton);
    PressKey(VK_RETURN);
    EXPECT_FALSE(About().Visible());
    EXPECT_TRUE(Enabled(Scrap().Handle()));

    Open();
    ASSERT_TRUE(About().Visible());
    CloseActiveWindow();
    EXPECT_FALSE(About().Visible());
    EXPECT_TRUE(Enabled(Main().Handle()));
    // The dialog is only hidden; it opens again.
    Open();
    EXPECT_TRUE(About().Visible());
}

TEST_F(DialogVersion, MainWindowTopmostAfterClosingOnlyWhenStayOnTop) {
    AcceptSwitches([](Switches& s) { s.stayOnTop = true; });
    Open();
    EXPECT_FALSE(Topmost(Main().Handle()));  // ordinary while the dialog shows
    CloseActiveWindow();
    EXPECT_TRUE(Topmost(Main().Handle()));

    AcceptSwitches([](Switches& s) { s.stayOnTop = false; });
    Open();
    CloseActiveWindow();
    EXPECT_FALSE(Topmost(Main().Handle()));

    AcceptSwitches([](Switches& s) { s.stayOnTop = false; });
    Open();
    Click(About().Ui().okButton);
    EXPECT_FALSE(Topmost(Main().Handle()));
}

class DialogSettings : public ProgramWindows {
protected:
    void Open() {
        Click(Main().Ui().settingsButton);
        PumpPending();
    }
    HWND Boxes(int i) {
        HWND boxes[] = {SettingsBox().Ui().stayOnTopBox, SettingsBox().Ui().continuousRegistrationBox, SettingsBox().Ui().hidePreviewBox, SettingsBox().Ui().confirmDeleteBox};
        return boxes[i];
    }
    std::vector<bool> BoxStates() {
        std::vector<bool> states;
        for (int i = 0; i < 4; ++i) states.push_back(IsChecked(Boxes(i)));
        return states;
    }
    // Clicks a box as the user would: it toggles.
    void Toggle(HWND box) { Click(box); }
};

TEST_F(DialogSettings, OpensCentredWithBoxesFrameHintsAndTabOrder) {
    Open();
    HWND dialog = SettingsBox().Handle();
    ASSERT_TRUE(SettingsBox().Visible());
    EXPECT_FALSE(Enabled(Main().Handle()));
    EXPECT_FALSE(Enabled(Scrap().Handle()));
    EXPECT_EQ(Caption(dialog), "設定");
    ExpectClientSize(dialog, 242, 172);
    ExpectCentredOnScreen(dialog);
    ExpectPlace(SettingsBox().Ui().frame, 8, 8, 225, 121);
    EXPECT_EQ(GetWindow(SettingsBox().Ui().frame, GW_HWNDNEXT), nullptr);

    const char* captions[] = {"常に手前に表示", "BMPの連続登録", "BMPプレビューを表示しない", "削除時に確認をとる"};
    const char* hints[] = {"メインフォームを最前面に表示します", "クリップボードに変化が起こるたび自動で登録します",
                           "ビットマップのプレビューを表示しません", "登録されたファイルの削除時に警告をだします"};
    int tops[] = {16, 40, 64, 88};
    int widths[] = {105, 137, 161, 121};
    EXPECT_EQ(SendMessageW(SettingsBox().Ui().hints, TTM_GETTOOLCOUNT, 0, 0), 4);
    for (int i = 0; i < 4; ++i) {
        ExpectPlace(Boxes(i), 16, tops[i], widths[i], 17);
        EXPECT_EQ(Caption(Boxes(i)), captions[i]);
        wchar_t text[128] = {};
        TOOLINFOW tool{};
        tool.cbSize = TTTOOLINFOW_V1_SIZE;
        tool.hwnd = dialog;
        tool.uId = reinterpret_cast<UINT_PTR>(Boxes(i));
        tool.lpszText = text;
        SendMessageW(SettingsBox().Ui().hints, TTM_GETTEXTW, 128, reinterpret_cast<LPARAM>(&tool));
        EXPECT_EQ(ToCp932(text), hints[i]);
    }
    ExpectPlace(SettingsBox().Ui().okButton, 80, 136, 75, 25);
    ExpectPlace(SettingsBox().Ui().cancelButton, 160, 136, 75, 25);
    EXPECT_EQ(Caption(SettingsBox().Ui().cancelButton), "Cancel");
    // Neither button is a default button.
    EXPECT_EQ(GetWindowLongW(SettingsBox().Ui().okButton, GWL_STYLE) & BS_TYPEMASK, BS_PUSHBUTTON);
    EXPECT_EQ(GetWindowLongW(SettingsBox().Ui().cancelButton, GWL_STYLE) & BS_TYPEMASK, BS_PUSHBUTTON);

    std::vector<HWND> order{SettingsBox().Ui().stayOnTopBox};
    for (int i = 0; i < 5; ++i) order.push_back(GetNextDlgTabItem(dialog, order.back(), FALSE));
    EXPECT_EQ(order, (std::vector<HWND>{SettingsBox().Ui().stayOnTopBox, SettingsBox().Ui().continuousRegistrationBox, SettingsBox().Ui().hidePreviewBox,
                                        SettingsBox().Ui().confirmDeleteBox, SettingsBox().Ui().okButton, SettingsBox().Ui().cancelButton}));
}

// The keys work on the boxes at once: the first box has the focus as the
// dialog opens, and the box the user tabbed to has it again when the user
// comes back from another window.
TEST_F(DialogSettings, TheFocusStartsOnTheFirstBoxAndComesBackToTheBoxLeft) {
    Open();
    EXPECT_EQ(GetFocus(), Boxes(0));
    PressKey(VK_SPACE);
    PumpPending();
    EXPECT_TRUE(IsChecked(Boxes(0)));
    PressKey(VK_TAB);
    PumpPending();
    ASSERT_EQ(GetFocus(), Boxes(1));

    HWND elsewhere = CreateWindowExW(0, L"STATIC", L"elsewhere", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 200, 100,
                                     nullptr, nullptr, nullptr, nullptr);
    SetForegroundWindow(elsewhere);
    PumpPending();
    ASSERT_NE(GetFocus(), Boxes(1));
    SetForegroundWindow(SettingsBox().Handle());
    PumpPending();
    EXPECT_EQ(GetFocus(), Boxes(1));
    DestroyWindow(elsewhere);

    Click(SettingsBox().Ui().cancelButton);
    Open();
    EXPECT_EQ(GetFocus(), Boxes(0));
}

TEST_F(DialogSettings, ContinuousRegistrationStartsUnchecked) {
    EXPECT_EQ(BoxStates(), (std::vector<bool>{false, false, false, false}));
    Open();
    EXPECT_FALSE(IsChecked(SettingsBox().Ui().continuousRegistrationBox));
}

TEST_F(DialogSettings, OkWritesTheThreeStrings) {
    Open();
    Toggle(SettingsBox().Ui().stayOnTopBox);
    Toggle(SettingsBox().Ui().hidePreviewBox);
    Toggle(SettingsBox().Ui().confirmDeleteBox);
    Click(SettingsBox().Ui().okButton);
    EXPECT_FALSE(SettingsBox().Visible());
    EXPECT_TRUE(Core().CurrentSettings().stayOnTop);
    EXPECT_TRUE(Core().CurrentSettings().hidePreview);
    EXPECT_TRUE(Core().CurrentSettings().confirmDelete);
    EXPECT_TRUE(IsWindowVisible(Main().Ui().previewOffLabel));
    EXPECT_TRUE(Enabled(Main().Handle()));
    EXPECT_TRUE(Enabled(Scrap().Handle()));
    EXPECT_TRUE(Topmost(Main().Handle()));
    // Owned by the main window, the dialog always stands in front of it.
    EXPECT_EQ(GetWindow(SettingsBox().Handle(), GW_OWNER), Main().Handle());

    Open();
    EXPECT_FALSE(Topmost(Main().Handle()));
    Toggle(SettingsBox().Ui().stayOnTopBox);
    Toggle(SettingsBox().Ui().hidePreviewBox);
    Toggle(SettingsBox().Ui().confirmDeleteBox);
    Click(SettingsBox().Ui().okButton);
    EXPECT_FALSE(Core().CurrentSettings().stayOnTop);
    EXPECT_FALSE(Core().CurrentSettings().hidePreview);
    EXPECT_FALSE(Core().CurrentSettings().confirmDelete);
    EXPECT_FALSE(IsWindowVisible(Main().Ui().previewOffLabel));
    EXPECT_FALSE(Topmost(Main().Handle()));
}

TEST_F(DialogSettings, CancelRestoresTheBoxesAndWritesNothing) {
    Open();
    Toggle(SettingsBox().Ui().stayOnTopBox);
    Toggle(SettingsBox().Ui().continuousRegistrationBox);
    Toggle(SettingsBox().Ui().confirmDeleteBox);
    ASSERT_EQ(BoxStates(), (std::vector<bool>{true, true, false, true}));
    Click(SettingsBox().Ui().cancelButton);
    EXPECT_FALSE(SettingsBox().Visible());
    EXPECT_EQ(BoxStates(), (std::vector<bool>{false, false, false, false}));
    EXPECT_FALSE(Core().CurrentSettings().stayOnTop);
    EXPECT_FALSE(Core().CurrentSettings().confirmDelete);
    EXPECT_TRUE(Enabled(Main().Handle()));
    EXPECT_TRUE(Enabled(Scrap().Handle()));
    EXPECT_FALSE(Topmost(Main().Handle()));
}

// The program minimised and brought back while the dialog is open: the
// system hides the dialog with its owner and shows it again, and Cancel
// still returns to the boxes as they were when it was opened.
TEST_F(DialogSettings, CancelAfterTheProgramWasMinimisedAndRestoredStillRestoresTheBoxes) {
    Open();
    Toggle(SettingsBox().Ui().continuousRegistrationBox);
    Toggle(SettingsBox().Ui().confirmDeleteBox);
    ShowOwnedPopups(Main().Handle(), FALSE);  // what minimising the owner does to its dialogs
    ShowWindow(Main().Handle(), SW_MINIMIZE);
    PumpPending();
    ShowWindow(Main().Handle(), SW_RESTORE);
    ShowOwnedPopups(Main().Handle(), TRUE);
    PumpPending();
    ASSERT_TRUE(SettingsBox().Visible());
    Click(SettingsBox().Ui().cancelButton);
    EXPECT_EQ(BoxStates(), (std::vector<bool>{false, false, false, false}));
    EXPECT_FALSE(Core().CurrentSwitches().continuousRegistration);
    EXPECT_FALSE(Core().CurrentSwitches().confirmDelete);
}

TEST_F(DialogSettings, CloseBoxKeepsTheBoxesButWritesNoStrings) {
    Open();
    Toggle(SettingsBox().Ui().stayOnTopBox);
    Toggle(SettingsBox().Ui().hidePreviewBox);
    Toggle(SettingsBox().Ui().confirmDeleteBox);
    CloseActiveWindow();
    EXPECT_FALSE(SettingsBox().Visible());
    EXPECT_EQ(BoxStates(), (std::vector<bool>{true, false, true, true}));
    EXPECT_FALSE(Core().CurrentSettings().stayOnTop);
    EXPECT_FALSE(Core().CurrentSettings().hidePreview);
    EXPECT_FALSE(Core().CurrentSettings().confirmDelete);
    EXPECT_FALSE(IsWindowVisible(Main().Ui().previewOffLabel));  // the preview is not refreshed
    EXPECT_TRUE(Enabled(Main().Handle()));
    EXPECT_TRUE(Enabled(Scrap().Handle()));
    // The next opening shows what the user left, and Cancel then goes back to it.
    Open();
    Toggle(SettingsBox().Ui().confirmDeleteBox);
    Click(SettingsBox().Ui().cancelButton);
    EXPECT_EQ(BoxStates(), (std::vector<bool>{true, false, true, true}));
}

// A start whose settings file says the main window stays on top.
class DialogSettingsStayOnTop : public DialogSettings {
protected:
    void BeforeStart() override {
        WritePrivateProfileStringA("SYSTEM", "STAYONTOP", "TRUE", SettingsFilePath().c_str());
    }
};

TEST_F(DialogSettingsStayOnTop, BoxShowsCheckedAndEveryCloseMakesMainWindowTopmost) {
    EXPECT_TRUE(Core().CurrentSettings().stayOnTop);
    Open();
    EXPECT_TRUE(IsChecked(SettingsBox().Ui().stayOnTopBox));
    EXPECT_FALSE(Topmost(Main().Handle()));
    CloseActiveWindow();
    EXPECT_TRUE(Topmost(Main().Handle()));

    Open();
    Click(SettingsBox().Ui().cancelButton);
    EXPECT_TRUE(Topmost(Main().Handle()));

    Open();
    Click(SettingsBox().Ui().okButton);
    EXPECT_TRUE(Topmost(Main().Handle()));
    EXPECT_TRUE(Core().CurrentSettings().stayOnTop);
}

}  // namespace
}  // namespace lumeret::test
