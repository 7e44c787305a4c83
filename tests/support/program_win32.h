// Drives the real lumeret.exe from a test, as another program would: starts
// it in a folder of its own, finds its windows, closes it.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

namespace lumeret::test {

// A fresh empty folder under the temporary folder, removed with its content
// when the object goes.
class TempFolder {
public:
    TempFolder();
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    const std::string& Path() const { return path_; }  // ends in "\"

private:
    std::string path_;
};

std::string ReadFileBytes(const std::string& path);
void WriteFileBytes(const std::string& path, const std::string& bytes);

// The lumeret.exe built beside the test executables.
std::string BuiltProgramPath();

class ProgramProcess {
public:
    // Copies lumeret.exe into folder and starts it there.
    explicit ProgramProcess(const std::string& folder);
    ~ProgramProcess();
    ProgramProcess(const ProgramProcess&) = delete;
    ProgramProcess& operator=(const ProgramProcess&) = delete;

    DWORD Id() const { return info_.dwProcessId; }
    // Waits (bounded) for the process to end; true when it did.
    bool WaitForExit(DWORD milliseconds);
    DWORD ExitCode() const;
    // The visible top-level windows of this process with the class name.
    std::vector<HWND> Windows(const wchar_t* className) const;
    // Waits (bounded) for a visible window of the class that answers
    // messages; nullptr when none came.
    HWND WaitForWindow(const wchar_t* className, DWORD milliseconds) const;
    // A top-level window of this process with the class, hidden or not.
    HWND AnyWindow(const wchar_t* className) const;
    // Ends the process at once, as TerminateProcess (kill -9) does, and
    // waits until it is gone.
    void Kill();

private:
    PROCESS_INFORMATION info_{};
};

// The texts of a window's children of a class (code page 932 bytes).
std::vector<std::string> ChildTexts(HWND parent, const wchar_t* className);
// A child (at any depth) of the class with the caption; nullptr when none.
HWND ChildWithCaption(HWND parent, const wchar_t* className, const wchar_t* caption);

// Rows of another process's list box, in code page 932. The system carries
// the text across as characters; Wine does so only for the wide call.
std::vector<std::string> ListRows(HWND list);

// Polls done() for a while (10 s at most); its final answer.
bool WaitFor(const std::function<bool()>& done);

// The main window's register button ("登録"), found by its caption; nullptr
// when it has none.
HWND RegisterButtonOf(HWND main);

}  // namespace lumeret::test
