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

void DoubleClick(HWND control) {
    SendMessageW(control, WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(2, 2));
    PumpPending();
}

class DialogVersion : public ProgramWindows {
protected:
    void Open() {
        Click(Form1->btn_about);
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
    HWND dialog = AboutBox->Handle();
    ASSERT_TRUE(AboutBox->Visible());
    EXPECT_FALSE(Enabled(Form1->Handle()));
    EXPECT_FALSE(Enabled(Form2->Handle()));
    EXPECT_EQ(Caption(dialog), "バージョン情報");
    ExpectClientSize(dialog, 249, 199);
    EXPECT_NE(GetWindowLongW(dialog, GWL_EXSTYLE) & WS_EX_DLGMODALFRAME, 0);
    EXPECT_EQ(GetWindowLongW(dialog, GWL_STYLE) & (WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX), 0);
    ExpectCentredOnScreen(dialog);
    EXPECT_EQ(GetFocus(), AboutBox->OKButton);

    ExpectPlace(AboutBox->Panel1, 8, 8, 233, 145);
    ExpectPlace(AboutBox->ProgramIcon, 32, 24, 33, 33);
    EXPECT_NE(SendMessageW(AboutBox->ProgramIcon, STM_GETICON, 0, 0), 0);
    // Texts sit at the panel's origin plus their offset; a label may be wider
    // than laid out when its font needs it, never narrower.
    struct Expected {
        HWND label;
        int left, top, width;
        const char* caption;
    } labels[] = {
        {AboutBox->ProductName, 78, 16, 139, "Lumeret"},
        {AboutBox->Version, 146, 58, 71, "Version 1.32"},
        {AboutBox->Copyright, 16, 86, 204, nullptr},
        {AboutBox->e_mail, 16, 107, 109, nullptr},
        {AboutBox->homepage, 16, 120, 219, nullptr},
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
    ExpectPlace(AboutBox->OKButton, 84, 159, 83, 34);
    EXPECT_EQ(Caption(AboutBox->OKButton), "OK");
    EXPECT_EQ(GetWindowLongW(AboutBox->OKButton, GWL_STYLE) & BS_TYPEMASK, BS_DEFPUSHBUTTON);
    // The panel lies under everything it frames.
    EXPECT_EQ(GetWindow(AboutBox->Panel1, GW_HWNDNEXT), nullptr);
}

TEST_F(DialogVersion, DoubleClickOnVersionPutsItOnClipboardAndAtTopOfHistory) {
    Copy("earlier");
    Open();
    DoubleClick(AboutBox->Version);
    EXPECT_EQ(ClipboardText(), "Version 1.32");
    ASSERT_TRUE(HistoryTopIs("Version 1.32"));
    EXPECT_EQ(HistoryRows(), (std::vector<std::string>{"Version 1.32", "earlier"}));
}

TEST_F(DialogVersion, DoubleClickOnEachTextCopiesItsCurrentCaption) {
    Open();
    for (HWND label : {AboutBox->ProductName, AboutBox->Version, AboutBox->Copyright, AboutBox->e_mail,
                       AboutBox->homepage}) {
        DoubleClick(label);
        EXPECT_EQ(ClipboardText(), Caption(label));
    }
    // The caption as it is now, as the code page's bytes.
    SetCaption(AboutBox->Copyright, "作者 水原");
    DoubleClick(AboutBox->Copyright);
    EXPECT_EQ(ClipboardText(), "作者 水原");
    EXPECT_TRUE(HistoryTopIs("作者 水原"));
}

TEST_F(DialogVersion, DoubleClickOnIconPutsHello) {
    Open();
    DoubleClick(AboutBox->ProgramIcon);
    EXPECT_EQ(ClipboardText(), "Hello!");
    EXPECT_TRUE(HistoryTopIs("Hello!"));
}

TEST_F(DialogVersion, CloseBoxGivesMainAndScrapbookBack) {
    Open();
    ASSERT_FALSE(Enabled(Form1->Handle()));
    SendMessageW(AboutBox->Handle(), WM_CLOSE, 0, 0);
    EXPECT_FALSE(AboutBox->Visible());
    EXPECT_TRUE(Enabled(Form1->Handle()));
    EXPECT_TRUE(Enabled(Form2->Handle()));
}

TEST_F(DialogVersion, OkEnterAndAltF4AllCloseIt) {
    Open();
    Click(AboutBox->OKButton);
    EXPECT_FALSE(AboutBox->Visible());
    EXPECT_TRUE(Enabled(Form1->Handle()));

    Open();
    ASSERT_TRUE(AboutBox->Visible());
    SendMessageW(AboutBox->OKButton, WM_KEYDOWN, VK_RETURN, 0);
    PumpPending();
    EXPECT_FALSE(AboutBox->Visible());
    EXPECT_TRUE(Enabled(Form2->Handle()));

    Open();
    ASSERT_TRUE(AboutBox->Visible());
    SendMessageW(AboutBox->Handle(), WM_SYSCOMMAND, SC_CLOSE, 0);  // what Alt+F4 sends
    PumpPending();
    EXPECT_FALSE(AboutBox->Visible());
    EXPECT_TRUE(Enabled(Form1->Handle()));
    // The dialog is only hidden; it opens again.
    Open();
    EXPECT_TRUE(AboutBox->Visible());
}

TEST_F(DialogVersion, MainWindowTopmostAfterClosingOnlyWhenStayOnTop) {
    Form1->StayOnTop = "TRUE";
    Open();
    EXPECT_FALSE(Topmost(Form1->Handle()));  // ordinary while the dialog shows
    SendMessageW(AboutBox->Handle(), WM_CLOSE, 0, 0);
    EXPECT_TRUE(Topmost(Form1->Handle()));

    Form1->StayOnTop = "FALSE";
    Open();
    SendMessageW(AboutBox->Handle(), WM_CLOSE, 0, 0);
    EXPECT_FALSE(Topmost(Form1->Handle()));

    Form1->StayOnTop = "true";  // only an exact "TRUE" counts
    Open();
    Click(AboutBox->OKButton);
    EXPECT_FALSE(Topmost(Form1->Handle()));
}

class DialogSettings : public ProgramWindows {
protected:
    void Open() {
        Click(Form1->SpeedButton1);
        PumpPending();
    }
    HWND Boxes(int i) const {
        HWND boxes[] = {Form3->Check_TOP, Form3->Check_BMP, Form3->Check_Preview, Form3->Check_Delete};
        return boxes[i];
    }
    std::vector<bool> BoxStates() const {
        std::vector<bool> states;
        for (int i = 0; i < 4; ++i) states.push_back(IsChecked(Boxes(i)));
        return states;
    }
    // Clicks a box as the user would: it toggles.
    static void Toggle(HWND box) { SendMessageW(box, BM_CLICK, 0, 0); }
};

TEST_F(DialogSettings, OpensCentredWithBoxesFrameHintsAndTabOrder) {
    Open();
    HWND dialog = Form3->Handle();
    ASSERT_TRUE(Form3->Visible());
    EXPECT_FALSE(Enabled(Form1->Handle()));
    EXPECT_FALSE(Enabled(Form2->Handle()));
    EXPECT_EQ(Caption(dialog), "設定");
    ExpectClientSize(dialog, 242, 172);
    ExpectCentredOnScreen(dialog);
    ExpectPlace(Form3->Bevel1, 8, 8, 225, 121);
    EXPECT_EQ(GetWindow(Form3->Bevel1, GW_HWNDNEXT), nullptr);

    const char* captions[] = {"常に手前に表示", "BMPの連続登録", "BMPプレビューを表示しない", "削除時に確認をとる"};
    const char* hints[] = {"メインフォームを最前面に表示します", "クリップボードに変化が起こるたび自動で登録します",
                           "ビットマップのプレビューを表示しません", "登録されたファイルの削除時に警告をだします"};
    int tops[] = {16, 40, 64, 88};
    int widths[] = {105, 137, 161, 121};
    EXPECT_EQ(SendMessageW(Form3->Hint, TTM_GETTOOLCOUNT, 0, 0), 4);
    for (int i = 0; i < 4; ++i) {
        ExpectPlace(Boxes(i), 16, tops[i], widths[i], 17);
        EXPECT_EQ(Caption(Boxes(i)), captions[i]);
        wchar_t text[128] = {};
        TOOLINFOW tool{};
        tool.cbSize = TTTOOLINFOW_V1_SIZE;
        tool.hwnd = dialog;
        tool.uId = reinterpret_cast<UINT_PTR>(Boxes(i));
        tool.lpszText = text;
        SendMessageW(Form3->Hint, TTM_GETTEXTW, 128, reinterpret_cast<LPARAM>(&tool));
        EXPECT_EQ(ToCp932(text), hints[i]);
    }
    ExpectPlace(Form3->ButtonOK, 80, 136, 75, 25);
    ExpectPlace(Form3->Button1, 160, 136, 75, 25);
    EXPECT_EQ(Caption(Form3->Button1), "Cancel");
    // Neither button is a default button.
    EXPECT_EQ(GetWindowLongW(Form3->ButtonOK, GWL_STYLE) & BS_TYPEMASK, BS_PUSHBUTTON);
    EXPECT_EQ(GetWindowLongW(Form3->Button1, GWL_STYLE) & BS_TYPEMASK, BS_PUSHBUTTON);

    std::vector<HWND> order{Form3->Check_TOP};
    for (int i = 0; i < 5; ++i) order.push_back(GetNextDlgTabItem(dialog, order.back(), FALSE));
    EXPECT_EQ(order, (std::vector<HWND>{Form3->Check_TOP, Form3->Check_BMP, Form3->Check_Preview,
                                        Form3->Check_Delete, Form3->ButtonOK, Form3->Button1}));
}

TEST_F(DialogSettings, ContinuousRegistrationStartsUnchecked) {
    EXPECT_EQ(BoxStates(), (std::vector<bool>{false, false, false, false}));
    Open();
    EXPECT_FALSE(IsChecked(Form3->Check_BMP));
}

TEST_F(DialogSettings, OkWritesTheThreeStrings) {
    Open();
    Toggle(Form3->Check_TOP);
    Toggle(Form3->Check_Preview);
    Toggle(Form3->Check_Delete);
    Click(Form3->ButtonOK);
    EXPECT_FALSE(Form3->Visible());
    EXPECT_EQ(Form1->StayOnTop, "TRUE");
    EXPECT_EQ(Form1->NonPreview, "TRUE");
    EXPECT_EQ(Form1->DeleteCheck, "TRUE");
    EXPECT_TRUE(IsWindowVisible(Form1->Lab_MinOr));
    EXPECT_TRUE(Enabled(Form1->Handle()));
    EXPECT_TRUE(Enabled(Form2->Handle()));
    EXPECT_TRUE(Topmost(Form1->Handle()));
    EXPECT_TRUE(Topmost(Form3->Handle()));  // the dialog follows the box too

    Open();
    EXPECT_FALSE(Topmost(Form1->Handle()));
    Toggle(Form3->Check_TOP);
    Toggle(Form3->Check_Preview);
    Toggle(Form3->Check_Delete);
    Click(Form3->ButtonOK);
    EXPECT_EQ(Form1->StayOnTop, "FALSE");
    EXPECT_EQ(Form1->NonPreview, "FALSE");
    EXPECT_EQ(Form1->DeleteCheck, "FALSE");
    EXPECT_FALSE(IsWindowVisible(Form1->Lab_MinOr));
    EXPECT_FALSE(Topmost(Form1->Handle()));
    EXPECT_FALSE(Topmost(Form3->Handle()));
}

TEST_F(DialogSettings, CancelRestoresTheBoxesAndWritesNothing) {
    Open();
    Toggle(Form3->Check_TOP);
    Toggle(Form3->Check_BMP);
    Toggle(Form3->Check_Delete);
    ASSERT_EQ(BoxStates(), (std::vector<bool>{true, true, false, true}));
    Click(Form3->Button1);
    EXPECT_FALSE(Form3->Visible());
    EXPECT_EQ(BoxStates(), (std::vector<bool>{false, false, false, false}));
    EXPECT_EQ(Form1->StayOnTop, "FALSE");
    EXPECT_EQ(Form1->DeleteCheck, "FALSE");
    EXPECT_TRUE(Enabled(Form1->Handle()));
    EXPECT_TRUE(Enabled(Form2->Handle()));
    EXPECT_FALSE(Topmost(Form1->Handle()));
}

TEST_F(DialogSettings, CloseBoxKeepsTheBoxesButWritesNoStrings) {
    Open();
    Toggle(Form3->Check_TOP);
    Toggle(Form3->Check_Preview);
    Toggle(Form3->Check_Delete);
    SendMessageW(Form3->Handle(), WM_CLOSE, 0, 0);
    EXPECT_FALSE(Form3->Visible());
    EXPECT_EQ(BoxStates(), (std::vector<bool>{true, false, true, true}));
    EXPECT_EQ(Form1->StayOnTop, "FALSE");
    EXPECT_EQ(Form1->NonPreview, "FALSE");
    EXPECT_EQ(Form1->DeleteCheck, "FALSE");
    EXPECT_FALSE(IsWindowVisible(Form1->Lab_MinOr));  // the preview is not refreshed
    EXPECT_TRUE(Enabled(Form1->Handle()));
    EXPECT_TRUE(Enabled(Form2->Handle()));
    // The next opening shows what the user left, and Cancel then goes back to it.
    Open();
    Toggle(Form3->Check_Delete);
    Click(Form3->Button1);
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
    EXPECT_EQ(Form1->StayOnTop, "TRUE");
    Open();
    EXPECT_TRUE(IsChecked(Form3->Check_TOP));
    EXPECT_FALSE(Topmost(Form1->Handle()));
    SendMessageW(Form3->Handle(), WM_CLOSE, 0, 0);
    EXPECT_TRUE(Topmost(Form1->Handle()));

    Open();
    Click(Form3->Button1);
    EXPECT_TRUE(Topmost(Form1->Handle()));

    Open();
    Click(Form3->ButtonOK);
    EXPECT_TRUE(Topmost(Form1->Handle()));
    EXPECT_EQ(Form1->StayOnTop, "TRUE");
}

}  // namespace
}  // namespace lumeret::test
