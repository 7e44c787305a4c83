// The program's core and windows made in the test's own process, with a
// scratch program folder, recorded prompts and errors, and the real clipboard.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "app/main_window_win32.h"
#include "core/app_core.h"
#include "platform/clip_folder.h"
#include "platform/clipboard_win32.h"
#include "platform/controls_win32.h"
#include "platform/error_report.h"
#include "platform/profile_win32.h"
#include "platform/prompts.h"
#include "support/clipboard_source_win32.h"
#include "support/fakes.h"
#include "support/program_win32.h"
#include "support/win_pump_win32.h"

namespace lumeret::test {

class ProgramWindows : public ::testing::Test {
protected:
    void SetUp() override {
        previousPrompts_ = SetAppPrompts(&prompts);
        BeforeStart();
        ASSERT_TRUE(EmptyTheClipboard());
        settingsFile_.emplace(SettingsFilePath());
        core_.emplace(AppCore::Services{clipboard_, clipFolder_, prompts, *settingsFile_},
                      folder.Path());
        main_ = std::make_unique<MainWindow>(*core_);
        clipboard_.SetOwner(main_->Handle());
        // As at the program's start: a bad clip is reported, the windows go on.
        CallGuarded([&] { core_->LoadClips(); });
        main_->Show();
        PumpPending();
    }

    void TearDown() override {
        if (main_) CallGuarded([&] { main_->SaveSettings(); });
        CloseWindows();
        SetAppPrompts(previousPrompts_);
    }

    // Ends the windows and the core, as the program does when it ends.
    void CloseWindows() {
        main_.reset();
        core_.reset();
    }

    // Lets a test prepare the folder before the windows are made.
    virtual void BeforeStart() {}

    AppCore& Core() { return *core_; }
    MainWindow& Main() { return *main_; }
    ScrapbookWindow& Scrap() { return main_->Scrapbook(); }
    AboutDialog& About() { return main_->About(); }
    SettingsDialog& SettingsBox() { return main_->SettingsBox(); }
    // The errors the program reported in its error box.
    std::vector<std::string>& ReportedErrors() { return prompts.errors; }

    std::string SettingsFilePath() const { return folder.Path() + "lumeret.ini"; }
    std::vector<std::string> HistoryRows() const { return RowsOf(main_->Ui().historyList); }
    int HistorySelection() const { return SelectionOf(main_->Ui().historyList); }
    std::vector<std::string> TextClipRows() { return RowsOf(Scrap().Ui().textClipList); }
    std::string ClipFile(int number) const {
        char name[16];
        wsprintfA(name, "%08d", number);
        return folder.Path() + "txt\\" + name + ".txt";
    }
    std::string BitmapClipFile(int number) const {
        char name[16];
        wsprintfA(name, "%08d", number);
        return folder.Path() + "bmp\\" + name + ".bmp";
    }
    // The scrapbook's counter under its pictures.
    std::string Counter() { return Caption(Scrap().Ui().counter); }
    static SIZE ClientSize(HWND control) {
        RECT r{};
        GetClientRect(control, &r);
        return {r.right, r.bottom};
    }
    // A control's top-left corner in its parent's client coordinates.
    static POINT PlaceInParent(HWND control) {
        RECT r{};
        GetWindowRect(control, &r);
        POINT p{r.left, r.top};
        ScreenToClient(GetParent(control), &p);
        return p;
    }
    static void Click(HWND button) { SendMessageW(button, BM_CLICK, 0, 0); }
    // Sets a check box and tells its dialog, as a click on it does.
    static void SetBox(HWND box, bool checked) {
        SetChecked(box, checked);
        SendMessageW(GetParent(box), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(box), BN_CLICKED),
                     reinterpret_cast<LPARAM>(box));
    }
    // A list's notification to its window, as a click or a double-click sends it.
    static void Notify(HWND control, WORD code) {
        SendMessageW(GetParent(control), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(control), code),
                     reinterpret_cast<LPARAM>(control));
    }
    // Selects a list row and tells the list's window, as a click on it does.
    static void SelectRow(HWND list, int index) {
        SendMessageA(list, LB_SETCURSEL, static_cast<WPARAM>(index), 0);
        Notify(list, LBN_SELCHANGE);
    }
    // Chooses the item at position of a window's popup menu.
    static void ChooseMenuItem(HWND window, HMENU menu, int position) {
        SendMessageW(window, WM_COMMAND, MAKEWPARAM(GetMenuItemID(menu, position), 0), 0);
    }
    // A click on a control's middle, with the mouse messages it receives.
    static void ClickOn(HWND control) {
        RECT r{};
        GetClientRect(control, &r);
        LPARAM at = MAKELPARAM(r.right / 2, r.bottom / 2);
        SendMessageW(control, WM_LBUTTONDOWN, MK_LBUTTON, at);
        SendMessageW(control, WM_LBUTTONUP, 0, at);
    }
    // The settings dialog's OK with the switches as change() leaves them.
    template <typename Change>
    void AcceptSwitches(Change&& change) {
        Switches s = Core().CurrentSwitches();
        change(s);
        Core().SetSwitches(s);
        Core().AcceptSwitches();
    }
    void Copy(const std::string& text) {
        ASSERT_TRUE(PutTextOnClipboard(text));
        PumpPending();
    }
    // The status timer's ticks, without waiting for them.
    void Tick(int n) {
        for (int i = 0; i < n; ++i) SendMessageW(main_->Handle(), WM_TIMER, 1, 0);
    }

    TempFolder folder;
    FakePrompts prompts;

private:
    static std::vector<std::string> RowsOf(HWND list) {
        std::vector<std::string> out;
        int n = static_cast<int>(SendMessageA(list, LB_GETCOUNT, 0, 0));
        for (int i = 0; i < n; ++i) {
            std::string text(static_cast<std::size_t>(SendMessageA(list, LB_GETTEXTLEN, i, 0)), '\0');
            SendMessageA(list, LB_GETTEXT, i, reinterpret_cast<LPARAM>(text.data()));
            out.push_back(text);
        }
        return out;
    }
    static int SelectionOf(HWND list) {
        LRESULT i = SendMessageA(list, LB_GETCURSEL, 0, 0);
        return i < 0 ? -1 : static_cast<int>(i);
    }

    IPrompts* previousPrompts_ = nullptr;
    ClipboardWin32 clipboard_;
    SystemClipFolder clipFolder_;
    std::optional<IniProfile> settingsFile_;
    std::optional<AppCore> core_;
    std::unique_ptr<MainWindow> main_;
};

}  // namespace lumeret::test
