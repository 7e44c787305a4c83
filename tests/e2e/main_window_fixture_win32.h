// The program's windows created in the test's own process, with a scratch
// program folder, recorded prompts and errors, and the real clipboard.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/application_win32.h"
#include "app/forms_win32.h"
#include "app/settings_dialog_win32.h"
#include "app/main_window_win32.h"
#include "app/program_folder_win32.h"
#include "platform/controls_win32.h"
#include "platform/error_report.h"
#include "platform/list_box_win32.h"
#include "platform/prompts_win32.h"
#include "scrapbook/scrapbook_window_win32.h"
#include "support/clipboard_source_win32.h"
#include "support/fakes.h"
#include "support/program_win32.h"
#include "support/win_pump_win32.h"

namespace lumeret::test {

inline std::vector<std::string>& ReportedErrors() {
    static std::vector<std::string> errors;
    return errors;
}

class ProgramWindows : public ::testing::Test {
protected:
    void SetUp() override {
        ReportedErrors().clear();
        previousReporter_ = SetErrorReporter([](const std::string& m) { ReportedErrors().push_back(m); });
        SetAppPrompts(&prompts);
        SetProgramFolder(folder.Path());
        BeforeStart();
        ASSERT_TRUE(EmptyTheClipboard());
        CreateForms();
        Form1->Show();
        PumpPending();
    }

    void TearDown() override {
        DestroyForms();
        SetProgramFolder("");
        SetAppPrompts(nullptr);
        SetErrorReporter(previousReporter_);
    }

    // Lets a test prepare the folder before the windows are made.
    virtual void BeforeStart() {}

    std::vector<std::string> HistoryRows() const {
        ListBoxWin32 rows(Form1->ListBox1);
        std::vector<std::string> out;
        for (int i = 0; i < rows.Count(); ++i) out.push_back(rows.Row(i));
        return out;
    }
    int HistorySelection() const { return ListBoxWin32(Form1->ListBox1).Selected(); }
    std::vector<std::string> TextClipRows() const {
        ListBoxWin32 rows(Form2->ListBox1);
        std::vector<std::string> out;
        for (int i = 0; i < rows.Count(); ++i) out.push_back(rows.Row(i));
        return out;
    }
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
    static std::string Counter() { return Caption(Form2->Lab_curno); }
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
    void Copy(const std::string& text) {
        ASSERT_TRUE(PutTextOnClipboard(text));
        PumpPending();
    }
    // The status timer's ticks, without waiting for them.
    static void Tick(int n) {
        for (int i = 0; i < n; ++i) SendMessageW(Form1->Handle(), WM_TIMER, 1, 0);
    }

    TempFolder folder;
    FakePrompts prompts;

private:
    ErrorReporter previousReporter_ = nullptr;
};

}  // namespace lumeret::test
