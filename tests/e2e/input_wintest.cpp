// The mouse and the keyboard as people use them: quick presses, where the
// focus goes, Tab and Ctrl+Tab in the scrapbook, and where the windows open.
#include "e2e/main_window_fixture_win32.h"

#include "core/status_texts.h"
#include "scrapbook/save_dialog_win32.h"

namespace lumeret::test {
namespace {

class PeopleInput : public ProgramWindows {
protected:
    // A quick double press: the second press of a pair arrives as a
    // double-click.
    static void DoublePress(HWND button) { DoubleClickOn(button, {4, 4}); }
    void ShowScrapbook() {
        OpenScrapbook();
        ASSERT_TRUE(Scrap().Visible());
    }
};

TEST_F(PeopleInput, AQuickDoublePressOfTheRegisterButtonActsTwice) {
    Copy("same text");
    DoublePress(Main().Ui().registerButton);
    EXPECT_EQ(ReadFileBytes(ClipFile(0)), "same text\r\n");
    // The second press met the text just registered.
    EXPECT_EQ(prompts.beeps, std::vector<BeepKind>{BeepKind::Default});
    EXPECT_EQ(Main().StatusText(), status::kAlreadyRegistered);
}

TEST_F(PeopleInput, AQuickDoublePressOfClearEmptiesTheClipboardTwice) {
    Copy("x");
    ChainViewer viewer;
    viewer.Join();
    PumpPending();
    const int before = viewer.notices;
    DoublePress(Main().Ui().clearButton);
    PumpUntil([&] { return viewer.notices >= before + 2; }, 50);
    EXPECT_EQ(viewer.notices, before + 2);
    viewer.Leave();
}

TEST_F(PeopleInput, AQuickDoublePressOfTheBookOpensAndClosesTheScrapbook) {
    DoublePress(Main().Ui().scrapbookButton);
    EXPECT_FALSE(Scrap().Visible());
    ClickOn(Main().Ui().scrapbookButton);
    EXPECT_TRUE(Scrap().Visible());
}

class PeopleInputWithFiveBitmaps : public PeopleInput {
protected:
    void BeforeStart() override {
        for (int i = 0; i < 5; ++i) WriteBitmapClipFile(i, SolidBmpFile(100, 10 * (i + 1), 10, 20, 30));
    }
};

TEST_F(PeopleInputWithFiveBitmaps, AQuickDoublePressOfEachNavigationButtonStepsTwice) {
    ShowScrapbook();
    TurnTo(ScrapbookPage::Bitmap);
    DoublePress(Scrap().Ui().nextButton);
    EXPECT_EQ(Counter(), "3 / 5");
    DoublePress(Scrap().Ui().priorButton);
    EXPECT_EQ(Counter(), "1 / 5");
    // The jumps act twice as well; the second one redraws the same clip.
    int redraws = 0;
    Core().BitmapClips().changed.Connect([&] { ++redraws; });
    DoublePress(Scrap().Ui().lastButton);
    EXPECT_EQ(Counter(), "5 / 5");
    EXPECT_EQ(redraws, 2);
    DoublePress(Scrap().Ui().firstButton);
    EXPECT_EQ(Counter(), "1 / 5");
    EXPECT_EQ(redraws, 4);
}

TEST_F(PeopleInputWithFiveBitmaps, AQuickDoublePressOfSaveAsksTwice) {
    int asked = 0;
    SaveDialogRunner previous = SetSaveDialogRunner([&](const SaveDialogRequest&) {
        ++asked;
        return std::optional<std::string>();
    });
    ShowScrapbook();
    TurnTo(ScrapbookPage::Bitmap);
    DoublePress(Scrap().Ui().saveButton);
    EXPECT_EQ(asked, 2);
    SetSaveDialogRunner(previous);
}

TEST_F(PeopleInput, SpeedButtonsLeaveTheFocusInTheHistoryList) {
    Copy("b");
    Copy("a");
    SelectRow(Main().Ui().historyList, 1);
    ASSERT_EQ(GetFocus(), Main().Ui().historyList);
    for (HWND button : {Main().Ui().registerButton, Main().Ui().clearButton}) {
        ClickOn(button);
        EXPECT_EQ(GetFocus(), Main().Ui().historyList);
    }
    // So the Delete key still reaches the list.
    SelectRow(Main().Ui().historyList, 0);
    ClickOn(Main().Ui().registerButton);
    PressKey(VK_DELETE);
    EXPECT_EQ(HistoryRows(), std::vector<std::string>{"b"});
}

// The book button's bottom row of pixels is the register button's top row.
// Pressing the book leaves that shared line drawn as it was before.
TEST_F(PeopleInput, PressingTheBookLeavesTheEdgeItSharesWithTheRegisterButton) {
    HWND main = Main().Handle();
    auto sharedEdge = [&] {
        HDC dc = GetDC(main);
        COLORREF c = GetPixel(dc, 30, 88);
        ReleaseDC(main, dc);
        return c;
    };
    PumpPending();
    const COLORREF before = sharedEdge();
    ClickOn(Main().Ui().scrapbookButton);
    PumpPending();
    ASSERT_TRUE(Scrap().Visible());
    EXPECT_EQ(sharedEdge(), before);
}

TEST_F(PeopleInput, TheMainWindowGivesTheListTheFocusWhenActivatedAgain) {
    ShowScrapbook();
    ClickOn(Scrap().Ui().copyButton);
    ASSERT_EQ(GetActiveWindow(), Scrap().Handle());
    ClickOn(Main().Ui().statusLine);
    EXPECT_EQ(GetActiveWindow(), Main().Handle());
    EXPECT_EQ(GetFocus(), Main().Ui().historyList);
}

TEST_F(PeopleInputWithFiveBitmaps, TheScrapbooksSpeedButtonsTakeNoFocus) {
    TurnTo(ScrapbookPage::Bitmap);
    ClickOn(Scrap().Ui().copyButton);
    ASSERT_EQ(GetFocus(), Scrap().Ui().copyButton);
    ClickOn(Scrap().Ui().nextButton);
    EXPECT_EQ(Counter(), "2 / 5");
    EXPECT_EQ(GetFocus(), Scrap().Ui().copyButton);
}

TEST_F(PeopleInput, TabWalksTheScrapbookInItsOrderAndCtrlTabTurnsThePages) {
    ShowScrapbook();
    const ScrapbookWindow::Controls& ui = Scrap().Ui();
    ClickOn(ui.copyButton);
    ASSERT_EQ(GetFocus(), ui.copyButton);
    // Forwards from the copy button round to it again on the TEXT page.
    const std::vector<HWND> forwards{ui.deleteButton, ui.saveButton, ui.pages, ui.textClipList, ui.copyButton};
    for (HWND expected : forwards) {
        PressKey(VK_TAB);
        EXPECT_EQ(GetFocus(), expected);
    }
    PressKey(VK_TAB, {VK_SHIFT});
    EXPECT_EQ(GetFocus(), ui.textClipList);

    PressKey(VK_TAB, {VK_CONTROL});
    EXPECT_EQ(Scrap().ActivePage(), ScrapbookPage::Bitmap);
    PressKey(VK_TAB, {VK_CONTROL});
    EXPECT_EQ(Scrap().ActivePage(), ScrapbookPage::Memo);
    PressKey(VK_TAB, {VK_CONTROL});
    EXPECT_EQ(Scrap().ActivePage(), ScrapbookPage::Text);
    PressKey(VK_TAB, {VK_CONTROL, VK_SHIFT});
    EXPECT_EQ(Scrap().ActivePage(), ScrapbookPage::Memo);
}

TEST_F(PeopleInput, TabInTheMemoMovesOnInsteadOfTypingATab) {
    ShowScrapbook();
    TurnTo(ScrapbookPage::Memo);
    ClickOn(Scrap().Ui().memo);
    ASSERT_EQ(GetFocus(), Scrap().Ui().memo);
    PressKey('A');
    PressKey(VK_TAB);
    EXPECT_EQ(GetFocus(), Scrap().Ui().copyButton);
    char text[16] = {};
    GetWindowTextA(Scrap().Ui().memo, text, sizeof(text));
    EXPECT_STREQ(text, "a");
}

TEST_F(PeopleInput, TheBitmapPagesControlsLieOnTheirPage) {
    const ScrapbookWindow::Controls& ui = Scrap().Ui();
    RECT page{};
    GetWindowRect(ui.bitmapPage, &page);
    EXPECT_EQ(GetParent(ui.bitmapPage), ui.pages);
    for (HWND control : {ui.pictureFrame, ui.pictureBox, ui.counter, ui.spareLabel, ui.firstButton,
                         ui.priorButton, ui.nextButton, ui.lastButton}) {
        EXPECT_EQ(GetParent(control), ui.bitmapPage);
    }
    // Whatever a page's control covers is clipped to the page: nothing of it
    // reaches the tabs' border or the buttons under them.
    RECT copy{};
    GetWindowRect(ui.copyButton, &copy);
    RECT overlap{};
    EXPECT_FALSE(IntersectRect(&overlap, &page, &copy));
    EXPECT_EQ(GetWindow(ui.pages, GW_HWNDPREV), nullptr);  // the tabs come first
}

TEST_F(PeopleInput, TheScrapbookOpensOnTheMainWindowsScreen) {
    // A first start puts the main window at the screen's left edge: there is
    // no room on its left, so the scrapbook opens on its right.
    Main().MoveTo(0, 0);
    ShowScrapbook();
    RECT main = Main().Bounds();
    RECT self = Scrap().Bounds();
    EXPECT_EQ(self.left, main.right);
    EXPECT_EQ(self.top, main.top);
    EXPECT_LE(self.right, GetSystemMetrics(SM_CXSCREEN));
    // Near the bottom it stays within the screen's work area.
    Click(Main().Ui().scrapbookButton);
    RECT work{};
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    Main().MoveTo(400, work.bottom - 100);
    ShowScrapbook();
    self = Scrap().Bounds();
    EXPECT_EQ(self.right, Main().Bounds().left);
    EXPECT_EQ(self.bottom, work.bottom);
}

TEST_F(PeopleInput, TheDialogsBelongToTheMainWindow) {
    EXPECT_EQ(GetWindow(About().Handle(), GW_OWNER), Main().Handle());
    EXPECT_EQ(GetWindow(SettingsBox().Handle(), GW_OWNER), Main().Handle());
    EXPECT_EQ(GetWindow(Scrap().Handle(), GW_OWNER), nullptr);  // a window of its own
}

TEST_F(PeopleInput, LoggingOffWritesTheSettingsAsClosingDoes) {
    Main().MoveTo(37, 41);
    Click(Main().Ui().settingsButton);
    Click(SettingsBox().Ui().stayOnTopBox);
    PressKey(VK_F4, {VK_MENU});  // the close box: a setting only at the end
    EXPECT_EQ(SendMessageW(Main().Handle(), WM_QUERYENDSESSION, 0, 0), TRUE);
    SendMessageW(Main().Handle(), WM_ENDSESSION, TRUE, 0);
    char value[32] = {};
    GetPrivateProfileStringA("FORM", "LEFT", "", value, sizeof(value), SettingsFilePath().c_str());
    EXPECT_STREQ(value, "37");
    GetPrivateProfileStringA("SYSTEM", "STAYONTOP", "", value, sizeof(value), SettingsFilePath().c_str());
    EXPECT_STREQ(value, "TRUE");
}

TEST_F(PeopleInput, TheVersionDialogsIconShowsAtItsOwnSize) {
    const LONG style = GetWindowLongW(About().Ui().icon, GWL_STYLE);
    EXPECT_TRUE(style & SS_REALSIZEIMAGE);
    EXPECT_FALSE(style & SS_REALSIZECONTROL);
    EXPECT_EQ(ClientSize(About().Ui().icon).cx, 33);
}

}  // namespace
}  // namespace lumeret::test
