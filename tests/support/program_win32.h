// Drives the real lumeret.exe from a test, as another program would: starts
// it in a folder of its own, finds its windows, closes it.
#pragma once

#include <windows.h>

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
    // Waits (bounded) for a visible window of the class; nullptr when none came.
    HWND WaitForWindow(const wchar_t* className, DWORD milliseconds) const;

private:
    PROCESS_INFORMATION info_{};
};

// The texts of a window's children of a class (code page 932 bytes).
std::vector<std::string> ChildTexts(HWND parent, const wchar_t* className);

// The main window's register button ("登録"), found by its caption; nullptr
// when it has none.
HWND RegisterButtonOf(HWND main);

}  // namespace lumeret::test
