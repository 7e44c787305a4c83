// The program's core and windows made in the test's own process, with a
// scratch program folder, recorded prompts and errors, and the real clipboard.
#pragma once

#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

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
#include "support/real_input_win32.h"
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
        PumpFilter() = [this](MSG& msg) { return main_->HandleNavigationKey(msg); };
        main_->ShowAtStart();
        PumpPending();
    }

    void TearDown() override {
        if (main_) CallGuarded([&] { main_->SaveSettings(); });
        CloseWindows();
        PumpFilter() = nullptr;
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
    std::vector<std::string> HistoryRows() const { return RowsShown(main_->Ui().historyList); }
    int HistorySelection() const { return SelectionOf(main_->Ui().historyList); }
    std::vector<std::string> TextClipRows() { return RowsShown(Scrap().Ui().textClipList); }
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
    // Places a picture clip file as the program would find it, its folder made
    // first.
    void WriteBitmapClipFile(int number, const std::string& bytes) const {
        CreateDirectoryA((folder.Path() + "bmp").c_str(), nullptr);
        WriteFileBytes(BitmapClipFile(number), bytes);
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
    // A click on a control as a person gives it. A window that is hidden is
    // opened first, and a page that is not shown is turned to by its tab, as
    // the person would have to.
    void Click(HWND control) {
        Reveal(control);
        ClickOn(control);
    }
    // A click on a list's row, which selects it; no gesture takes the
    // selection away, so -1 is set in the list's rows directly.
    void SelectRow(HWND list, int index) {
        if (index < 0) {
            RowsOf(list).Select(-1);
            return;
        }
        Reveal(list);
        SendMessageW(list, LB_SETTOPINDEX, static_cast<WPARAM>(index), 0);
        ClickOn(list, RowPoint(list, index));
    }
    void DoubleClickRow(HWND list, int index) {
        Reveal(list);
        DoubleClickOn(list, RowPoint(list, index));
    }
    // The menu of a list opened with a right-click on its selected row (or
    // of a control in its middle) and an item chosen by its letter.
    void ChooseFromMenu(HWND control, WORD letter) {
        Reveal(control);
        POINT at = RowPoint(control, static_cast<int>(SendMessageW(control, LB_GETCURSEL, 0, 0)));
        RightClickThenKeys(control, at, {letter});
    }
    // A key pressed while the control has the focus, given by a click on it.
    void PressKeyIn(HWND control, WORD key) {
        Reveal(control);
        if (GetFocus() != control) SetFocusByClick(control);
        PressKey(key);
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

    // The scrapbook opened with the book button, when it is not open yet.
    void OpenScrapbook() {
        if (!Scrap().Visible()) ClickOn(Main().Ui().scrapbookButton);
    }
    // A click on the scrapbook's tab for page.
    void TurnTo(ScrapbookPage page) {
        OpenScrapbook();
        const int index = static_cast<int>(page);
        RECT tab{};
        SendMessageW(Scrap().Ui().pages, TCM_GETITEMRECT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&tab));
        ClickOn(Scrap().Ui().pages, {(tab.left + tab.right) / 2, (tab.top + tab.bottom) / 2});
    }
    // Makes a control reachable: its window shown, its page turned to.
    void Reveal(HWND control) {
        HWND root = GetAncestor(control, GA_ROOT);
        if (!IsWindowVisible(root)) {
            // The scrapbook opens beside the main window, as its button opens it.
            if (root == Scrap().Handle()) {
                Scrap().Open();
            } else {
                ShowWindow(root, SW_SHOW);
            }
            PumpPending();
        }
        const ScrapbookWindow::Controls& scrap = Scrap().Ui();
        const HWND pages[] = {scrap.textPage, scrap.bitmapPage, scrap.memoPage};
        for (int i = 0; i < 3; ++i) {
            if (IsChild(pages[i], control) && !IsWindowVisible(pages[i])) TurnTo(static_cast<ScrapbookPage>(i));
        }
    }

private:
    RowList& RowsOf(HWND list) {
        return list == main_->Ui().historyList ? core_->HistoryRows() : core_->TextClipRows();
    }
    // The middle of a list's row in its client area; a control's middle for
    // anything else, or no row.
    static POINT RowPoint(HWND control, int index) {
        RECT r{};
        if (index < 0 || SendMessageW(control, LB_GETITEMRECT, static_cast<WPARAM>(index),
                                      reinterpret_cast<LPARAM>(&r)) == LB_ERR) {
            GetClientRect(control, &r);
        }
        return {(r.left + r.right) / 2, (r.top + r.bottom) / 2};
    }
    static void SetFocusByClick(HWND control) { ClickOn(control, RowPoint(control, -1)); }
    static std::vector<std::string> RowsShown(HWND list) {
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
