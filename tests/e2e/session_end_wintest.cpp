// The real program when the system asks it to close so that a file it uses
// can be replaced, while the session itself goes on.
#include <gtest/gtest.h>

#include <windows.h>

#include <optional>
#include <string>

#include "support/clipboard_source_win32.h"
#include "support/program_win32.h"
#include "support/win_pump_win32.h"

namespace lumeret::test {
namespace {

constexpr DWORD kStartTimeoutMs = 60000;

// The real program started on an empty clipboard after another viewer joined
// the chain, so that the other viewer is the next one after it.
struct ProgramInTheChain : ::testing::Test {
    void SetUp() override {
        ASSERT_TRUE(EmptyTheClipboard());
        PumpFor(2);
        other.Join();
        program.emplace(folder.Path());
        main = program->WaitForWindow(L"LumeretMainWindow", kStartTimeoutMs);
        ASSERT_NE(main, nullptr);
        ASSERT_TRUE(PumpUntil([&] { return GetClipboardViewer() != other.Handle(); }));
    }
    void TearDown() override {
        if (program && !program->WaitForExit(0)) program->Kill();
        other.Leave();
        PumpFor(2);
    }

    // What the system sends as it asks the program to close so that a file
    // it uses can be replaced.
    void CloseAppForRestart() {
        DWORD_PTR answer = 0;
        ASSERT_TRUE(SendMessageTimeoutW(main, WM_QUERYENDSESSION, 0, ENDSESSION_CLOSEAPP, SMTO_NORMAL, 10000,
                                        &answer));
        EXPECT_EQ(answer, static_cast<DWORD_PTR>(TRUE));
        ASSERT_TRUE(SendMessageTimeoutW(main, WM_ENDSESSION, TRUE, ENDSESSION_CLOSEAPP, SMTO_NORMAL, 10000,
                                        &answer));
    }

    TempFolder folder;
    ChainViewer other;
    std::optional<ProgramProcess> program;
    HWND main = nullptr;
};

TEST_F(ProgramInTheChain, TheProgramToldToCloseForARestartEndsWithItsSettingsWritten) {
    CloseAppForRestart();
    EXPECT_TRUE(program->WaitForExit(10000)) << "the program lives on after the session's end";
    EXPECT_NE(GetFileAttributesA((folder.Path() + "lumeret.ini").c_str()), INVALID_FILE_ATTRIBUTES);
}

TEST_F(ProgramInTheChain, AViewerAfterTheProgramHearsChangesOnceTheSessionsEndHasTakenTheProgram) {
    // The program passes notices on while it runs.
    ASSERT_TRUE(PutTextOnClipboard("while the program runs"));
    ASSERT_TRUE(PumpUntil([&] { return other.notices > 0; }));
    CloseAppForRestart();
    // The system ends a program that is still there after the session's end.
    if (!program->WaitForExit(3000)) program->Kill();
    const int before = other.notices;
    ASSERT_TRUE(PutTextOnClipboard("after the program"));
    EXPECT_TRUE(PumpUntil([&] { return other.notices > before; })) << "the chain ends with the program";
}

}  // namespace
}  // namespace lumeret::test
