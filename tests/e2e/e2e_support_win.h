#pragma once

// Shared pieces of the end-to-end driver: checks, registry, windows and processes.
#include <windows.h>

#include <cstdio>
#include <cwchar>
#include <string>
#include <vector>

namespace e2e {

inline constexpr wchar_t MainClass[] = L"TAVOMERIX_RFORM";
inline constexpr wchar_t SettingsKey[] = L"Software\\Tavomerix";
inline constexpr wchar_t LunarFestivalKey[] = L"Software\\Tavomerix\\LunarFestival";
inline constexpr wchar_t SolarFestivalKey[] = L"Software\\Tavomerix\\SolarFestival";
inline constexpr DWORD StartTimeoutMs = 30000;
inline constexpr DWORD ExitTimeoutMs = 15000;
inline constexpr DWORD PollMs = 10;

inline int passed = 0;
inline int failed = 0;
inline int skipped = 0;

// The screen's resolution in DPI, read at start; the widget's sizes are given at 96 DPI.
inline int screenDpi = 96;

// A length given at 96 DPI at the screen's DPI, rounded toward zero as the widget does.
inline int px(int length) { return length * screenDpi / 96; }

inline void check(const char* name, bool ok, const std::string& detail = "") {
    (ok ? passed : failed)++;
    std::printf("%s - %s%s%s\n", ok ? "ok" : "FAIL", name, detail.empty() ? "" : ": ",
                detail.c_str());
    std::fflush(stdout);
}

inline std::string utf8(const std::wstring& text) {
    if (text.empty()) return {};
    const int n = WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()),
                                      nullptr, 0, nullptr, nullptr);
    std::string out(static_cast<size_t>(n), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), out.data(), n,
                        nullptr, nullptr);
    return out;
}

inline double nowMs() {
    LARGE_INTEGER frequency;
    LARGE_INTEGER counter;
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&counter);
    return 1000.0 * static_cast<double>(counter.QuadPart) / static_cast<double>(frequency.QuadPart);
}

// A check that cannot run in this build: counted apart, with the reason.
inline void skip(const char* name, const char* reason) {
    ++skipped;
    std::printf("skip - %s: %s\n", name, reason);
    std::fflush(stdout);
}

// Polls until the condition holds or the timeout passes; true when it held.
template <class Condition>
bool waitUntil(Condition condition, DWORD timeoutMs) {
    const double end = nowMs() + timeoutMs;
    while (true) {
        if (condition()) return true;
        if (nowMs() >= end) return false;
        Sleep(PollMs);
    }
}

// ---- registry

inline void writeText(const wchar_t* key, const wchar_t* name, const std::wstring& text) {
    HKEY h = nullptr;
    if (RegCreateKeyExW(HKEY_CURRENT_USER, key, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &h,
                        nullptr) != ERROR_SUCCESS)
        return;
    RegSetValueExW(h, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()),
                   static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t)));
    RegCloseKey(h);
}

inline bool keyExists(const wchar_t* key) {
    HKEY h = nullptr;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, key, 0, KEY_READ, &h) != ERROR_SUCCESS) return false;
    RegCloseKey(h);
    return true;
}

// The value's text, or "<missing>".
inline std::string readText(const wchar_t* key, const wchar_t* name) {
    wchar_t buffer[1024] = {};
    DWORD size = sizeof(buffer) - sizeof(wchar_t);
    if (RegGetValueW(HKEY_CURRENT_USER, key, name, RRF_RT_REG_SZ, nullptr, buffer, &size) !=
        ERROR_SUCCESS) {
        return "<missing>";
    }
    return utf8(buffer);
}

inline void clearSettings() {
    RegDeleteKeyW(HKEY_CURRENT_USER, LunarFestivalKey);
    RegDeleteKeyW(HKEY_CURRENT_USER, SolarFestivalKey);
    RegDeleteKeyW(HKEY_CURRENT_USER, SettingsKey);
}

// ---- windows

inline BOOL CALLBACK collectMainWindow(HWND w, LPARAM list) {
    wchar_t name[64] = {};
    GetClassNameW(w, name, 64);
    if (std::wcscmp(name, MainClass) == 0) reinterpret_cast<std::vector<HWND>*>(list)->push_back(w);
    return TRUE;
}

inline std::vector<HWND> mainWindows() {
    std::vector<HWND> found;
    EnumWindows(collectMainWindow, reinterpret_cast<LPARAM>(&found));
    return found;
}

inline HWND waitForMainWindow(DWORD timeoutMs) {
    const double end = nowMs() + timeoutMs;
    while (nowMs() < end) {
        const HWND w = FindWindowW(MainClass, nullptr);
        if (w != nullptr && IsWindowVisible(w)) return w;
        Sleep(PollMs);
    }
    return nullptr;
}

inline std::wstring className(HWND w) {
    wchar_t name[64] = {};
    GetClassNameW(w, name, 64);
    return name;
}

inline std::wstring comboItem(HWND combo, int index) {
    const LRESULT length = SendMessageW(combo, CB_GETLBTEXTLEN, static_cast<WPARAM>(index), 0);
    if (length < 0 || length > 200) return L"";
    std::wstring text(static_cast<size_t>(length) + 1, L'\0');
    SendMessageW(combo, CB_GETLBTEXT, static_cast<WPARAM>(index),
                 reinterpret_cast<LPARAM>(text.data()));
    text.resize(static_cast<size_t>(length));
    return text;
}

// Text of a window of another process (WM_GETTEXT), UTF-8.
inline std::string windowText(HWND w) {
    wchar_t buffer[512] = {};
    DWORD_PTR copied = 0;
    SendMessageTimeoutW(w, WM_GETTEXT, 511, reinterpret_cast<LPARAM>(buffer), SMTO_ABORTIFHUNG,
                        5000, &copied);
    return utf8(buffer);
}

// The selected item of a combo box, UTF-8; "" when none.
inline std::string selectedText(HWND combo) {
    const LRESULT index = SendMessageW(combo, CB_GETCURSEL, 0, 0);
    return index < 0 ? std::string() : utf8(comboItem(combo, static_cast<int>(index)));
}

// The text without leading and trailing ASCII spaces.
inline std::string trimmed(const std::string& text) {
    const size_t first = text.find_first_not_of(' ');
    if (first == std::string::npos) return {};
    return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

// Selects item index (0-based) of one of the main window's selectors as a user would: the
// selection, then its CBN_SELCHANGE notification to the window. Returns when handled.
inline void choose(HWND main, int id, int index) {
    const HWND combo = GetDlgItem(main, id);
    SendMessageW(combo, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
    SendMessageW(main, WM_COMMAND, MAKEWPARAM(id, CBN_SELCHANGE), reinterpret_cast<LPARAM>(combo));
}

// A visible top-level window of a class, or nullptr.
inline HWND visibleWindowOfClass(const wchar_t* cls) {
    const HWND w = FindWindowW(cls, nullptr);
    return w != nullptr && IsWindowVisible(w) ? w : nullptr;
}

// ---- processes

struct Started {
    PROCESS_INFORMATION info{};
    double startMs = 0;
    bool ok = false;
};

inline Started launch(const std::wstring& exe) {
    Started s;
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    std::wstring command = L"\"" + exe + L"\"";
    s.startMs = nowMs();
    s.ok = CreateProcessW(exe.c_str(), command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                          &startup, &s.info) != 0;
    return s;
}

// Exit code after the process ends; -1 when it is still running after the timeout (it is
// then ended).
inline long waitForExit(Started& s, DWORD timeoutMs) {
    if (!s.ok) return -2;
    DWORD code = STILL_ACTIVE;
    if (WaitForSingleObject(s.info.hProcess, timeoutMs) != WAIT_OBJECT_0) {
        TerminateProcess(s.info.hProcess, 99);
        WaitForSingleObject(s.info.hProcess, 5000);
        code = static_cast<DWORD>(-1);
    } else {
        GetExitCodeProcess(s.info.hProcess, &code);
    }
    CloseHandle(s.info.hProcess);
    CloseHandle(s.info.hThread);
    s.ok = false;
    return static_cast<long>(code);
}

// Runs a console program with arguments and returns its standard output (bytes as
// written, "\r" removed); "" when it cannot start or does not finish within the timeout.
inline std::string runOutput(const std::wstring& exe, const std::wstring& arguments,
                             DWORD timeoutMs) {
    SECURITY_ATTRIBUTES inherit{sizeof(SECURITY_ATTRIBUTES), nullptr, TRUE};
    HANDLE readEnd = nullptr;
    HANDLE writeEnd = nullptr;
    if (!CreatePipe(&readEnd, &writeEnd, &inherit, 0)) return {};
    SetHandleInformation(readEnd, HANDLE_FLAG_INHERIT, 0);
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdOutput = writeEnd;
    startup.hStdError = writeEnd;
    startup.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
    PROCESS_INFORMATION info{};
    std::wstring command = L"\"" + exe + L"\" " + arguments;
    const bool started = CreateProcessW(exe.c_str(), command.data(), nullptr, nullptr, TRUE,
                                        CREATE_NO_WINDOW, nullptr, nullptr, &startup, &info) != 0;
    CloseHandle(writeEnd);
    std::string out;
    if (started) {
        char buffer[4096];
        DWORD got = 0;
        while (ReadFile(readEnd, buffer, sizeof(buffer), &got, nullptr) && got > 0)
            out.append(buffer, got);
        if (WaitForSingleObject(info.hProcess, timeoutMs) != WAIT_OBJECT_0) {
            TerminateProcess(info.hProcess, 99);
            out.clear();
        }
        CloseHandle(info.hProcess);
        CloseHandle(info.hThread);
    }
    CloseHandle(readEnd);
    std::string clean;
    for (const char c : out) {
        if (c != '\r') clean += c;
    }
    return clean;
}

// The lines of a text.
inline std::vector<std::string> lines(const std::string& text) {
    std::vector<std::string> result;
    size_t start = 0;
    while (start < text.size()) {
        const size_t end = text.find('\n', start);
        result.push_back(
            text.substr(start, end == std::string::npos ? std::string::npos : end - start));
        if (end == std::string::npos) break;
        start = end + 1;
    }
    return result;
}

// Starts the widget and waits for its main window (a check); nullptr, with the process
// ended, when none appears.
inline HWND startWidget(const std::wstring& exe, Started& s) {
    s = launch(exe);
    const HWND w = waitForMainWindow(StartTimeoutMs);
    check("main window appears", w != nullptr);
    if (w == nullptr) waitForExit(s, 0);
    return w;
}

inline std::string number(double v) {
    char text[32];
    std::snprintf(text, sizeof(text), "%.0f", v);
    return text;
}

// A rectangle as the layout gives it, at 96 DPI.
struct PixelBox96 {
    int x, y, width, height;
};

inline std::string sizeText(int width, int height) {
    return std::to_string(width) + " x " + std::to_string(height);
}

// A child window's rectangle in its parent's client area as "(x,y) w x h".
inline std::string clientRectText(HWND child) {
    RECT r{};
    GetWindowRect(child, &r);
    MapWindowPoints(nullptr, GetParent(child), reinterpret_cast<POINT*>(&r), 2);
    return "(" + std::to_string(r.left) + "," + std::to_string(r.top) + ") " +
           sizeText(r.right - r.left, r.bottom - r.top);
}

// The same rectangle given at 96 DPI, at the screen's DPI.
inline std::string scaledRectText(int x, int y, int width, int height) {
    return "(" + std::to_string(px(x)) + "," + std::to_string(px(y)) + ") " +
           sizeText(px(width), px(height));
}

// The outer size of a captioned form whose outer size at 96 DPI is width x height, at the
// screen's DPI: the client area scaled, the frame of that DPI around it.
inline std::string scaledFormSize(HWND form, int width, int height) {
    if (screenDpi == 96) return sizeText(width, height);
    using Adjust = BOOL(WINAPI*)(RECT*, DWORD, BOOL, DWORD, UINT);
    const auto adjust = reinterpret_cast<Adjust>(reinterpret_cast<void (*)()>(
        GetProcAddress(GetModuleHandleW(L"user32.dll"), "AdjustWindowRectExForDpi")));
    if (adjust == nullptr) return sizeText(px(width), px(height));
    const DWORD style = static_cast<DWORD>(GetWindowLongW(form, GWL_STYLE));
    const DWORD exStyle = static_cast<DWORD>(GetWindowLongW(form, GWL_EXSTYLE));
    RECT at96{};
    RECT atDpi{};
    adjust(&at96, style, FALSE, exStyle, 96);
    adjust(&atDpi, style, FALSE, exStyle, static_cast<UINT>(screenDpi));
    const auto frameWidth = [](const RECT& r) { return static_cast<int>(r.right - r.left); };
    const auto frameHeight = [](const RECT& r) { return static_cast<int>(r.bottom - r.top); };
    return sizeText(px(width - frameWidth(at96)) + frameWidth(atDpi),
                    px(height - frameHeight(at96)) + frameHeight(atDpi));
}

inline std::string rectText(const RECT& r) {
    char text[64];
    std::snprintf(text, sizeof(text), "(%ld,%ld)-(%ld,%ld)", static_cast<long>(r.left),
                  static_cast<long>(r.top), static_cast<long>(r.right),
                  static_cast<long>(r.bottom));
    return text;
}

// Scenarios of the tool windows and dialogs, in their own source.
void toolWindowScenarios(const std::wstring& exe);

}  // namespace e2e
