// End-to-end checks of the widget, run under Wine by scripts/test-windows:
//   tavomerix_e2e_driver.exe <path of tavomerix.exe> <directory for the screenshot hand-off>
// Starts the widget in several registry states, inspects its window from outside and
// closes it. Prints one line per check and a closing "N passed, N failed"; exits 1 on any
// failure.
#include <windows.h>

#include <cstdio>
#include <cwchar>
#include <string>
#include <vector>

#include "e2e_support_win.h"

using namespace e2e;

namespace {
// Waits until the screen shows the window's background colour between the rows: the
// first paint has reached the screen. Milliseconds since start, or a negative value.
double waitForFirstPaint(HWND w, const Started& s) {
    const double end = nowMs() + StartTimeoutMs;
    HDC screen = GetDC(nullptr);
    double at = -1;
    while (nowMs() < end) {
        RECT r{};
        GetWindowRect(w, &r);
        if (GetPixel(screen, r.left + 130, r.top + 59) == RGB(0, 192, 192)) {
            at = nowMs() - s.startMs;
            break;
        }
        Sleep(PollMs);
    }
    ReleaseDC(nullptr, screen);
    return at;
}

// Hands the window's rectangle to the script, which takes the screenshot, and waits for
// its answer.
void screenshot(HWND w, const std::wstring& syncDir) {
    RECT r{};
    GetWindowRect(w, &r);
    const std::wstring ready = syncDir + L"\\ready.txt";
    const std::wstring done = syncDir + L"\\shot-done.txt";
    DeleteFileW(done.c_str());
    if (FILE* f = _wfopen(ready.c_str(), L"w")) {
        std::fprintf(f, "%ld %ld %ld %ld\n", static_cast<long>(r.left), static_cast<long>(r.top),
                     static_cast<long>(r.right - r.left), static_cast<long>(r.bottom - r.top));
        std::fclose(f);
    }
    const double end = nowMs() + 20000;
    while (nowMs() < end && GetFileAttributesW(done.c_str()) == INVALID_FILE_ATTRIBUTES) Sleep(50);
    check("screenshot taken", GetFileAttributesW(done.c_str()) != INVALID_FILE_ATTRIBUTES);
}

void firstRun(const std::wstring& exe, const std::wstring& syncDir) {
    std::printf("# first run: no settings key\n");
    clearSettings();
    Started s = launch(exe);
    check("widget starts", s.ok);
    const HWND w = waitForMainWindow(StartTimeoutMs);
    check("main window of class TAVOMERIX_RFORM appears", w != nullptr);
    if (w == nullptr) {
        waitForExit(s, 0);
        return;
    }
    const double shownMs = nowMs() - s.startMs;
    const double paintMs = waitForFirstPaint(w, s);
    check("first paint reaches the screen", paintMs >= 0);
    std::printf("# start to visible window: %s ms, start to first paint: %s ms\n", number(shownMs).c_str(),
                number(paintMs).c_str());

    RECT r{};
    GetWindowRect(w, &r);
    check("size 260 x 140", r.right - r.left == 260 && r.bottom - r.top == 140, rectText(r));
    const int cx = GetSystemMetrics(SM_CXSCREEN);
    const int cy = GetSystemMetrics(SM_CYSCREEN);
    check("centred on the screen on first run", r.left == (cx - 260) / 2 && r.top == (cy - 140) / 2, rectText(r));
    const LONG ex = GetWindowLongW(w, GWL_EXSTYLE);
    const LONG style = GetWindowLongW(w, GWL_STYLE);
    check("topmost", (ex & WS_EX_TOPMOST) != 0);
    check("tool window: no taskbar button", (ex & WS_EX_TOOLWINDOW) != 0 && (ex & WS_EX_APPWINDOW) == 0);
    check("control parent", (ex & WS_EX_CONTROLPARENT) != 0);
    check("layered (transparency step applied)", (ex & WS_EX_LAYERED) != 0);
    check("popup without caption", (style & WS_POPUP) != 0 && (style & WS_CAPTION) != WS_CAPTION);
    check("no owner", GetWindow(w, GW_OWNER) == nullptr);
    wchar_t title[64] = {};
    GetWindowTextW(w, title, 64);
    check("title Tavomerix", std::wcscmp(title, L"Tavomerix") == 0, utf8(title));

    HRGN region = CreateRectRgn(0, 0, 0, 0);
    const int kind = GetWindowRgn(w, region);
    check("stamp region set", kind == COMPLEXREGION, std::to_string(kind));
    if (kind == COMPLEXREGION) {
        const struct { int x, y; bool inside; } Points[] = {
            {0, 0, false},     // corner cut away
            {130, 70, true},   // middle
            {10, 3, true},     // first tooth along the top
            {15, 2, false},    // notch between two teeth
            {130, 137, true},  // a tooth along the bottom
            {2, 70, true},     // a tooth on the left
            {257, 130, true},  // last tooth on the right
            {258, 136, false},
        };
        std::string wrong;
        for (const auto& p : Points) {
            if ((PtInRegion(region, p.x, p.y) != 0) != p.inside) {
                wrong += " (" + std::to_string(p.x) + "," + std::to_string(p.y) + ")";
            }
        }
        check("region: corners cut, teeth inside, notches outside", wrong.empty(), "wrong at" + wrong);
    }
    DeleteObject(region);

    int controls = 0;
    for (int id = 3125; id <= 3133; ++id) {
        const HWND c = GetDlgItem(w, id);
        const std::wstring expected = id <= 3130 ? L"ComboBox" : L"Edit";
        if (c != nullptr && _wcsicmp(className(c).c_str(), expected.c_str()) == 0) ++controls;
    }
    check("nine controls 3125..3133 (six ComboBox, three Edit)", controls == 9, std::to_string(controls));
    const HWND line = GetDlgItem(w, 3131);
    check("day line is read-only and centred",
          line != nullptr && (GetWindowLongW(line, GWL_STYLE) & (ES_READONLY | ES_CENTER)) == (ES_READONLY | ES_CENTER));
    RECT lineRect{};
    GetWindowRect(line, &lineRect);
    check("day line at (9, 43) size 242 x 13",
          lineRect.left - r.left == 9 && lineRect.top - r.top == 43 && lineRect.right - lineRect.left == 242 &&
              lineRect.bottom - lineRect.top == 13,
          rectText(lineRect));

    SYSTEMTIME today{};
    GetLocalTime(&today);
    const HWND months = GetDlgItem(w, 3126);
    check("month selector lists 12 months", SendMessageW(months, CB_GETCOUNT, 0, 0) == 12);
    check("month items right-aligned: \"  12月\"", comboItem(months, 11) == L"  12\u6708", utf8(comboItem(months, 11)));
    check("today's month selected", SendMessageW(months, CB_GETCURSEL, 0, 0) == today.wMonth - 1);
    const HWND days = GetDlgItem(w, 3127);
    check("today's day selected", SendMessageW(days, CB_GETCURSEL, 0, 0) == today.wDay - 1);
    check("day items: \" 1日\"", comboItem(days, 0) == L" 1\u65e5", utf8(comboItem(days, 0)));

    // Dragged partly off the screen, the window stays on it.
    SetWindowPos(w, nullptr, -50, -40, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    GetWindowRect(w, &r);
    check("kept on screen at the left and top", r.left == 0 && r.top == 0, rectText(r));
    SetWindowPos(w, nullptr, cx + 100, 50, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    GetWindowRect(w, &r);
    check("kept on screen at the right", r.right == cx, rectText(r));
    SetWindowPos(w, nullptr, (cx - 260) / 2, (cy - 140) / 2, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);

    screenshot(w, syncDir);

    Started second = launch(exe);
    const long secondCode = waitForExit(second, ExitTimeoutMs);
    check("second start exits at once with code 0", secondCode == 0, std::to_string(secondCode));
    check("still exactly one main window", mainWindows().size() == 1, std::to_string(mainWindows().size()));

    PostMessageW(w, WM_CLOSE, 0, 0);
    const long code = waitForExit(s, ExitTimeoutMs);
    check("WM_CLOSE ends the process with exit code 0", code == 0, std::to_string(code));
    check("main window gone", mainWindows().empty());
    check("nothing written without permission", !keyExists(SettingsKey));
}

void withoutPermission(const std::wstring& exe) {
    std::printf("# another version's mark: settings and both lists are wiped at exit\n");
    clearSettings();
    writeText(SettingsKey, L"Version", L"3.2");
    writeText(SettingsKey, L"RFORMTransFlag", L"5");
    writeText(LunarFestivalKey, L"0101", L"\u751f\u65e5");
    writeText(SolarFestivalKey, L"0501", L"\u7eaa\u5ff5");
    Started s = launch(exe);
    const HWND w = waitForMainWindow(StartTimeoutMs);
    check("main window appears", w != nullptr);
    if (w != nullptr) PostMessageW(w, WM_SYSCOMMAND, SC_CLOSE, 0);
    const long code = waitForExit(s, ExitTimeoutMs);
    check("SC_CLOSE ends the process with exit code 0", code == 0, std::to_string(code));
    check("LunarFestival key deleted", !keyExists(LunarFestivalKey));
    check("SolarFestival key deleted", !keyExists(SolarFestivalKey));
    check("settings key deleted", !keyExists(SettingsKey));
}

void withPermission(const std::wstring& exe) {
    std::printf("# registry allowed: position and flags restored and saved\n");
    clearSettings();
    writeText(SettingsKey, L"Version", L"3.3");
    writeText(SettingsKey, L"rFormLeft", L"100");
    writeText(SettingsKey, L"rFormTop", L"80");
    writeText(SettingsKey, L"RFORMTransFlag", L"3");
    writeText(SettingsKey, L"GanZhiFromLichunFlag", L"7");
    writeText(SettingsKey, L"NowTimeZoneCodeFlag", L"+8");
    writeText(SettingsKey, L"SolarYearAreaValue", L"20000");
    Started s = launch(exe);
    const HWND w = waitForMainWindow(StartTimeoutMs);
    check("main window appears", w != nullptr);
    if (w == nullptr) {
        waitForExit(s, 0);
        return;
    }
    RECT r{};
    GetWindowRect(w, &r);
    check("opens at the stored position (100, 80)", r.left == 100 && r.top == 80, rectText(r));
    BYTE alpha = 0;
    DWORD flags = 0;
    if (GetLayeredWindowAttributes(w, nullptr, &alpha, &flags)) {
        check("transparency step 3 gives alpha 180", alpha == 180 && (flags & LWA_ALPHA) != 0, std::to_string(alpha));
    } else {
        std::printf("# layered attributes not readable from another process here\n");
    }
    SetWindowPos(w, nullptr, 120, 90, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    PostMessageW(w, WM_CLOSE, 0, 0);
    const long code = waitForExit(s, ExitTimeoutMs);
    check("exit code 0", code == 0, std::to_string(code));
    const struct {
        const wchar_t* name;
        const char* text;
    } Expected[] = {
        {L"Version", "3.3"},
        {L"rFormLeft", "120"},
        {L"rFormTop", "90"},
        {L"GanZhiFromLichunFlag", "1"},
        {L"LunarYearShowDynastyFlag", "0"},
        {L"FestivalInfoShowMuharramFlag", "0"},
        {L"ModernCalculateAncientFlag", "0"},
        {L"RFORMTransFlag", "3"},
        {L"NowTimeZoneCodeFlag", "+8"},     // never written
        {L"SolarYearAreaValue", "20000"},   // never written
    };
    for (const auto& e : Expected) {
        const std::string stored = readText(SettingsKey, e.name);
        check(("saved " + utf8(e.name) + " = " + e.text).c_str(), stored == e.text, stored);
    }
    clearSettings();
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc < 3) {
        std::printf("usage: tavomerix_e2e_driver <tavomerix.exe> <sync directory>\n");
        return 2;
    }
    const std::wstring exe = argv[1];
    const std::wstring syncDir = argv[2];
    firstRun(exe, syncDir);
    withoutPermission(exe);
    withPermission(exe);
    toolWindowScenarios(exe);
    std::printf("%d passed, %d failed\n", passed, failed);
    return failed == 0 ? 0 : 1;
}
