#include "support/program_win32.h"

#include <shellapi.h>

#include <stdexcept>

#include "platform/module_path_win32.h"
#include "platform/wide_win32.h"

namespace lumeret::test {

TempFolder::TempFolder() {
    char temp[MAX_PATH + 1] = {};
    GetTempPathA(sizeof(temp), temp);
    static int serial = 0;
    path_ = std::string(temp) + "lumeret-test-" + std::to_string(GetCurrentProcessId()) + "-" +
            std::to_string(++serial) + "\\";
    CreateDirectoryA(path_.c_str(), nullptr);
}

TempFolder::~TempFolder() {
    // SHFileOperation wants a double-NUL-terminated list.
    std::string from = path_.substr(0, path_.size() - 1);
    from.push_back('\0');
    SHFILEOPSTRUCTA op{};
    op.wFunc = FO_DELETE;
    op.pFrom = from.c_str();
    op.fFlags = FOF_NOCONFIRMATION | FOF_NOERRORUI | FOF_SILENT;
    SHFileOperationA(&op);
}

std::string ReadFileBytes(const std::string& path) {
    HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                              0, nullptr);
    if (file == INVALID_HANDLE_VALUE) throw std::runtime_error("cannot open " + path);
    std::string bytes;
    char buffer[65536];
    DWORD n = 0;
    while (ReadFile(file, buffer, sizeof(buffer), &n, nullptr) && n > 0) bytes.append(buffer, n);
    CloseHandle(file);
    return bytes;
}

void WriteFileBytes(const std::string& path, const std::string& bytes) {
    HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) throw std::runtime_error("cannot create " + path);
    DWORD n = 0;
    WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &n, nullptr);
    CloseHandle(file);
}

std::string BuiltProgramPath() { return ExecutableFolder() + "..\\lumeret.exe"; }

ProgramProcess::ProgramProcess(const std::string& folder) {
    std::string exe = folder + "lumeret.exe";
    if (GetFileAttributesA(exe.c_str()) == INVALID_FILE_ATTRIBUTES &&
        !CopyFileA(BuiltProgramPath().c_str(), exe.c_str(), FALSE)) {
        throw std::runtime_error("cannot copy lumeret.exe");
    }
    STARTUPINFOA startup{};
    startup.cb = sizeof(startup);
    std::string command = "\"" + exe + "\"";
    // Under Wine a start right after the program was killed was refused once
    // in many runs; a refusal that lasts is still reported.
    for (int attempt = 1;; ++attempt) {
        if (CreateProcessA(exe.c_str(), command.data(), nullptr, nullptr, FALSE, 0, nullptr, folder.c_str(),
                           &startup, &info_)) {
            return;
        }
        const DWORD error = GetLastError();
        if (attempt == 3) throw std::runtime_error("cannot start lumeret.exe (error " + std::to_string(error) + ")");
        Sleep(500);
    }
}

ProgramProcess::~ProgramProcess() {
    if (WaitForSingleObject(info_.hProcess, 0) == WAIT_TIMEOUT) {
        for (HWND w : Windows(L"LumeretMainWindow")) PostMessageW(w, WM_CLOSE, 0, 0);
        if (!WaitForExit(10000)) TerminateProcess(info_.hProcess, 1);
    }
    CloseHandle(info_.hThread);
    CloseHandle(info_.hProcess);
}

bool ProgramProcess::WaitForExit(DWORD milliseconds) {
    return WaitForSingleObject(info_.hProcess, milliseconds) == WAIT_OBJECT_0;
}

DWORD ProgramProcess::ExitCode() const {
    DWORD code = 0;
    GetExitCodeProcess(info_.hProcess, &code);
    return code;
}

namespace {

struct WindowQuery {
    DWORD pid;
    const wchar_t* className;
    bool visibleOnly;
    std::vector<HWND> found;
};

BOOL CALLBACK CollectWindow(HWND hwnd, LPARAM lParam) {
    auto* q = reinterpret_cast<WindowQuery*>(lParam);
    DWORD pid = 0;
    GetWindowThreadProcessId(hwnd, &pid);
    wchar_t name[128] = {};
    GetClassNameW(hwnd, name, 128);
    if (pid == q->pid && (!q->visibleOnly || IsWindowVisible(hwnd)) && lstrcmpW(name, q->className) == 0) {
        q->found.push_back(hwnd);
    }
    return TRUE;
}

}  // namespace

std::vector<HWND> ProgramProcess::Windows(const wchar_t* className) const {
    WindowQuery q{info_.dwProcessId, className, true, {}};
    EnumWindows(&CollectWindow, reinterpret_cast<LPARAM>(&q));
    return q.found;
}

HWND ProgramProcess::AnyWindow(const wchar_t* className) const {
    WindowQuery q{info_.dwProcessId, className, false, {}};
    EnumWindows(&CollectWindow, reinterpret_cast<LPARAM>(&q));
    return q.found.empty() ? nullptr : q.found.front();
}

void ProgramProcess::Kill() {
    TerminateProcess(info_.hProcess, 9);
    WaitForSingleObject(info_.hProcess, INFINITE);
}

HWND ProgramProcess::WaitForWindow(const wchar_t* className, DWORD milliseconds) const {
    DWORD start = GetTickCount();
    while (GetTickCount() - start < milliseconds) {
        auto found = Windows(className);
        // Once it answers, its program has gone back to waiting for input.
        DWORD_PTR answer = 0;
        if (!found.empty() && SendMessageTimeoutW(found.front(), WM_NULL, 0, 0, SMTO_NORMAL,
                                                  milliseconds, &answer)) {
            return found.front();
        }
        Sleep(50);
    }
    return nullptr;
}

namespace {

struct ChildQuery {
    const wchar_t* className;
    std::vector<std::string> texts;
};

BOOL CALLBACK CollectChild(HWND hwnd, LPARAM lParam) {
    auto* q = reinterpret_cast<ChildQuery*>(lParam);
    wchar_t name[128] = {};
    GetClassNameW(hwnd, name, 128);
    if (lstrcmpiW(name, q->className) == 0) {
        wchar_t text[2048] = {};
        GetWindowTextW(hwnd, text, 2048);
        q->texts.push_back(ToCp932(text));
    }
    return TRUE;
}

}  // namespace

std::vector<std::string> ChildTexts(HWND parent, const wchar_t* className) {
    ChildQuery q{className, {}};
    EnumChildWindows(parent, &CollectChild, reinterpret_cast<LPARAM>(&q));
    return q.texts;
}

namespace {

struct CaptionQuery {
    const wchar_t* className;
    const wchar_t* caption;
    HWND found;
};

BOOL CALLBACK FindCaptioned(HWND hwnd, LPARAM lParam) {
    auto* q = reinterpret_cast<CaptionQuery*>(lParam);
    wchar_t name[128] = {};
    wchar_t text[128] = {};
    GetClassNameW(hwnd, name, 128);
    GetWindowTextW(hwnd, text, 128);
    if (lstrcmpiW(name, q->className) != 0 || lstrcmpW(text, q->caption) != 0) return TRUE;
    q->found = hwnd;
    return FALSE;
}

}  // namespace

HWND ChildWithCaption(HWND parent, const wchar_t* className, const wchar_t* caption) {
    CaptionQuery q{className, caption, nullptr};
    EnumChildWindows(parent, &FindCaptioned, reinterpret_cast<LPARAM>(&q));
    return q.found;
}

std::vector<std::string> ListRows(HWND list) {
    std::vector<std::string> rows;
    auto count = static_cast<int>(SendMessageW(list, LB_GETCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) {
        auto length = SendMessageW(list, LB_GETTEXTLEN, i, 0);
        std::wstring row(static_cast<std::size_t>(length) + 1, L'\0');
        SendMessageW(list, LB_GETTEXT, i, reinterpret_cast<LPARAM>(row.data()));
        row.resize(static_cast<std::size_t>(length));
        rows.push_back(ToCp932(row));
    }
    return rows;
}

bool WaitFor(const std::function<bool()>& done) {
    for (int i = 0; i < 200; ++i) {
        if (done()) return true;
        Sleep(50);
    }
    return done();
}

HWND RegisterButtonOf(HWND main) {
    return ChildWithCaption(main, L"Button", L"\x767B\x9332");  // 登録
}

}  // namespace lumeret::test
