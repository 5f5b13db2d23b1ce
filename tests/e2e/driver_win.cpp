// End-to-end checks of the widget, run under Wine by scripts/test-windows:
//   tavomerix_e2e_driver.exe <path of tavomerix.exe> <directory for the screenshot hand-off>
// Starts the widget in several registry states, inspects its window from outside and
// closes it. What the widget shows is checked against the native Linux build's day views,
// which the script writes into native-days.txt of the hand-off directory. Prints one line
// per check and a closing "N passed, N failed"; exits 1 on any
// failure.
#include <windows.h>
#include <shellapi.h>

#include <algorithm>
#include <cstdio>
#include <cwchar>
#include <string>
#include <vector>

#include "e2e_support_win.h"
#include "forms/form_style.h"

using namespace e2e;

namespace {
// Waits until the screen shows the window's background colour between the rows: the
// first paint has reached the screen. Milliseconds since start, or a negative value.
double waitForFirstPaint(HWND w, const Started& s) {
    const double end = nowMs() + StartTimeoutMs;
    const tavomerix::Colour& c = tavomerix::FormBackgroundColour;
    const COLORREF background =
        RGB(static_cast<BYTE>(c.red), static_cast<BYTE>(c.green), static_cast<BYTE>(c.blue));
    HDC screen = GetDC(nullptr);
    double at = -1;
    while (nowMs() < end) {
        RECT r{};
        GetWindowRect(w, &r);
        if (GetPixel(screen, r.left + px(130), r.top + px(59)) == background) {
            at = nowMs() - s.startMs;
            break;
        }
        Sleep(PollMs);
    }
    ReleaseDC(nullptr, screen);
    return at;
}

// Where a control, as the screen shows it, holds pixels of another colour than its
// background: the first and last such row and column; all -1 when there are none.
struct Ink {
    int top = -1, bottom = -1, left = -1, right = -1;
};
Ink inkOf(HWND control, COLORREF background) {
    RECT r{};
    GetWindowRect(control, &r);
    const int width = r.right - r.left;
    const int height = r.bottom - r.top;
    HDC screen = GetDC(nullptr);
    HDC copy = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, width, height);
    const HGDIOBJ previous = SelectObject(copy, bitmap);
    BitBlt(copy, 0, 0, width, height, screen, r.left, r.top, SRCCOPY);
    Ink ink;
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            if (GetPixel(copy, x, y) == background) continue;
            if (ink.top < 0) ink = {y, y, x, x};
            ink.bottom = y;
            ink.left = std::min(ink.left, x);
            ink.right = std::max(ink.right, x);
        }
    }
    SelectObject(copy, previous);
    DeleteObject(bitmap);
    DeleteDC(copy);
    ReleaseDC(nullptr, screen);
    return ink;
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
    std::printf("# start to visible window: %s ms, start to first paint: %s ms\n",
                number(shownMs).c_str(), number(paintMs).c_str());

    RECT r{};
    GetWindowRect(w, &r);
    const int width = px(260);
    const int height = px(140);
    check(("size " + sizeText(width, height)).c_str(),
          r.right - r.left == width && r.bottom - r.top == height, rectText(r));
    const int cx = GetSystemMetrics(SM_CXSCREEN);
    const int cy = GetSystemMetrics(SM_CYSCREEN);
    check("centred on the screen on first run",
          r.left == (cx - width) / 2 && r.top == (cy - height) / 2, rectText(r));
    const LONG ex = GetWindowLongW(w, GWL_EXSTYLE);
    const LONG style = GetWindowLongW(w, GWL_STYLE);
    check("topmost", (ex & WS_EX_TOPMOST) != 0);
    check("tool window: no taskbar button",
          (ex & WS_EX_TOOLWINDOW) != 0 && (ex & WS_EX_APPWINDOW) == 0);
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
        const struct {
            int x, y;
            bool inside;
        } Points[] = {
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
            if ((PtInRegion(region, px(p.x), px(p.y)) != 0) != p.inside) {
                wrong += " (" + std::to_string(px(p.x)) + "," + std::to_string(px(p.y)) + ")";
            }
        }
        check("region: corners cut, teeth inside, notches outside", wrong.empty(),
              "wrong at" + wrong);
    }
    DeleteObject(region);

    int controls = 0;
    for (int id = 3125; id <= 3133; ++id) {
        const HWND c = GetDlgItem(w, id);
        const std::wstring expected = id <= 3130 ? L"ComboBox" : L"Edit";
        if (c != nullptr && _wcsicmp(className(c).c_str(), expected.c_str()) == 0) ++controls;
    }
    check("nine controls 3125..3133 (six ComboBox, three Edit)", controls == 9,
          std::to_string(controls));
    const HWND line = GetDlgItem(w, 3131);
    check("day line is read-only and centred",
          line != nullptr && (GetWindowLongW(line, GWL_STYLE) & (ES_READONLY | ES_CENTER)) ==
                                 (ES_READONLY | ES_CENTER));
    check(("day line at " + scaledRectText(9, 43, 242, 13)).c_str(),
          clientRectText(line) == scaledRectText(9, 43, 242, 13), clientRectText(line));
    // The day line's font is 13 pixels high at 96 DPI: its characters fill most of that.
    // Its text, of the same length every day, still fits the box: a font grown faster than
    // the box spills over both edges. The line may reach the screen after the window.
    Ink ink;
    const auto inside = [&] { return ink.left >= 1 && ink.right <= px(242) - 2; };
    waitUntil(
        [&] {
            ink = inkOf(line, RGB(192, 255, 255));
            return inside();
        },
        5000);
    const int inkHeight = ink.top < 0 ? 0 : ink.bottom - ink.top + 1;
    check(("day line text drawn " + std::to_string(px(10)) + " to " + std::to_string(px(13)) +
           " pixels high")
              .c_str(),
          inkHeight >= px(10) && inkHeight <= px(13), std::to_string(inkHeight));
    check("day line text inside its box", inside(),
          "columns " + std::to_string(ink.left) + ".." + std::to_string(ink.right) + " of " +
              std::to_string(px(242)));

    SYSTEMTIME today{};
    GetLocalTime(&today);
    const HWND months = GetDlgItem(w, 3126);
    check("month selector lists 12 months", SendMessageW(months, CB_GETCOUNT, 0, 0) == 12);
    check("month items right-aligned: \"  12月\"", comboItem(months, 11) == L"  12\u6708",
          utf8(comboItem(months, 11)));
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
    SetWindowPos(w, nullptr, (cx - width) / 2, (cy - height) / 2, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);

    screenshot(w, syncDir);

    Started second = launch(exe);
    const long secondCode = waitForExit(second, ExitTimeoutMs);
    check("second start exits at once with code 0", secondCode == 0, std::to_string(secondCode));
    check("still exactly one main window", mainWindows().size() == 1,
          std::to_string(mainWindows().size()));

    PostMessageW(w, WM_CLOSE, 0, 0);
    const long code = waitForExit(s, ExitTimeoutMs);
    check("WM_CLOSE ends the process with exit code 0", code == 0, std::to_string(code));
    check("main window gone", mainWindows().empty());
    check("nothing written without permission", !keyExists(SettingsKey));
}

// Starts the widget and closes it with SC_CLOSE.
void startAndClose(const std::wstring& exe) {
    Started s = launch(exe);
    const HWND w = waitForMainWindow(StartTimeoutMs);
    check("main window appears", w != nullptr);
    if (w != nullptr) PostMessageW(w, WM_SYSCOMMAND, SC_CLOSE, 0);
    const long code = waitForExit(s, ExitTimeoutMs);
    check("SC_CLOSE ends the process with exit code 0", code == 0, std::to_string(code));
}

// Stores old settings and one day in each commemoration list, under the given mark (none
// when empty).
void storeOldSettings(const wchar_t* version) {
    clearSettings();
    if (*version != L'\0') writeText(SettingsKey, L"Version", version);
    writeText(SettingsKey, L"RFORMTransFlag", L"5");
    writeText(LunarFestivalKey, L"08-15", L"1990\u751f\u65e5");
    writeText(SolarFestivalKey, L"05-01", L"2001\u7eaa\u5ff5");
}

void withoutPermission(const std::wstring& exe) {
    std::printf("# no permission mark: settings and both lists are wiped at exit\n");
    storeOldSettings(L"");
    startAndClose(exe);
    check("LunarFestival key deleted", !keyExists(LunarFestivalKey));
    check("SolarFestival key deleted", !keyExists(SolarFestivalKey));
    check("settings key deleted", !keyExists(SettingsKey));

    std::printf(
        "# another version's mark: its settings and both lists survive a start and a close\n");
    storeOldSettings(L"3.2");
    startAndClose(exe);
    check("Version 3.2 kept", readText(SettingsKey, L"Version") == "3.2",
          readText(SettingsKey, L"Version"));
    check("its flag kept", readText(SettingsKey, L"RFORMTransFlag") == "5",
          readText(SettingsKey, L"RFORMTransFlag"));
    check("its lunar day kept", readText(LunarFestivalKey, L"08-15") == "1990\u751f\u65e5",
          readText(LunarFestivalKey, L"08-15"));
    check("its civil day kept", readText(SolarFestivalKey, L"05-01") == "2001\u7eaa\u5ff5",
          readText(SolarFestivalKey, L"05-01"));
    check("nothing written", readText(SettingsKey, L"rFormLeft") == "<missing>",
          readText(SettingsKey, L"rFormLeft"));
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
        check("transparency step 3 gives alpha 180", alpha == 180 && (flags & LWA_ALPHA) != 0,
              std::to_string(alpha));
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
        {L"NowTimeZoneCodeFlag", "+8"},    // never written
        {L"SolarYearAreaValue", "20000"},  // never written
    };
    for (const auto& e : Expected) {
        const std::string stored = readText(SettingsKey, e.name);
        check(("saved " + utf8(e.name) + " = " + e.text).c_str(), stored == e.text, stored);
    }
    clearSettings();
}

// ---- the displayed day, the selectors and the commands

constexpr int CivilYear = 3125, CivilMonth = 3126, CivilDay = 3127;
constexpr int LunarYear = 3128, LunarMonth = 3129, LunarDay = 3130;
constexpr int DayLine = 3131, FestivalLine = 3132, SeasonLine = 3133;
constexpr int MinYear = -100;  // first civil year offered with the default range

// The native build's day views, written by scripts/test-windows before the driver starts:
// "### day ARGS" and the five lines of `tavomerix day ARGS`, for each ARGS the driver uses.
std::vector<std::string> expectedDays;

// The native day view for the arguments: the lunar text and the three lines after it.
struct CliDay {
    std::string lunarText, dayLine, festivalLine, seasonLine;
    bool ok = false;
};

CliDay cliDay(const std::wstring& arguments) {
    const std::string head = arguments.empty() ? "### day" : "### day " + utf8(arguments);
    CliDay d;
    // After the head: the ISO date, the lunar text, the day, festival and season lines.
    for (size_t i = 0; i + 5 < expectedDays.size(); ++i) {
        if (expectedDays[i] != head) continue;
        d.lunarText = expectedDays[i + 2];
        d.dayLine = expectedDays[i + 3];
        d.festivalLine = expectedDays[i + 4];
        d.seasonLine = expectedDays[i + 5];
        d.ok = true;
        break;
    }
    return d;
}

// What the widget shows as the lunar text "二○二四年 正月小 初一".
std::string shownLunarText(HWND w) {
    return trimmed(selectedText(GetDlgItem(w, LunarYear))) + " " +
           trimmed(selectedText(GetDlgItem(w, LunarMonth))) + " " +
           selectedText(GetDlgItem(w, LunarDay));
}

// Compares the widget's lunar selectors and three lines with the native build's day view.
void checkAgainstCli(HWND w, const std::wstring& arguments, const std::string& what) {
    const CliDay expected = cliDay(arguments);
    check(("native day view of " + what + " at hand").c_str(), expected.ok);
    if (!expected.ok) return;
    const std::string lunar = shownLunarText(w);
    check(("lunar selectors for " + what).c_str(), lunar == expected.lunarText,
          lunar + " vs " + expected.lunarText);
    const std::string day = windowText(GetDlgItem(w, DayLine));
    check(("day line for " + what).c_str(), day == expected.dayLine,
          day + " vs " + expected.dayLine);
    const std::string festival = windowText(GetDlgItem(w, FestivalLine));
    check(("festival line for " + what).c_str(), festival == expected.festivalLine,
          festival + " vs " + expected.festivalLine);
    const std::string season = windowText(GetDlgItem(w, SeasonLine));
    check(("season line for " + what).c_str(), season == expected.seasonLine,
          season + " vs " + expected.seasonLine);
}

std::string civilShown(HWND w) {
    return trimmed(selectedText(GetDlgItem(w, CivilYear))) +
           trimmed(selectedText(GetDlgItem(w, CivilMonth))) +
           trimmed(selectedText(GetDlgItem(w, CivilDay)));
}

void showCivil(HWND w, int year, int month, int day) {
    choose(w, CivilYear, year - MinYear);
    choose(w, CivilMonth, month - 1);
    choose(w, CivilDay, day - 1);
}

// Today's civil selectors as the widget writes them: "    2026年", "  12月", " 8日".
void checkToday(HWND w) {
    SYSTEMTIME today{};
    GetLocalTime(&today);
    char year[16], month[16], day[16];
    std::snprintf(year, sizeof(year), "%8d", today.wYear);
    std::snprintf(month, sizeof(month), "%4d", today.wMonth);
    std::snprintf(day, sizeof(day), "%2d", today.wDay);
    const std::string y = selectedText(GetDlgItem(w, CivilYear));
    check("civil-year selector shows this year", y == std::string(year) + "\u5e74", y);
    const std::string m = selectedText(GetDlgItem(w, CivilMonth));
    check("civil-month selector shows this month", m == std::string(month) + "\u6708", m);
    const std::string d = selectedText(GetDlgItem(w, CivilDay));
    check("civil-day selector shows today", d == std::string(day) + "\u65e5", d);
    checkAgainstCli(w, L"", "today");
}

bool topmost(HWND w) { return (GetWindowLongW(w, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0; }

bool topLevel(HWND w) { return GetAncestor(w, GA_PARENT) == GetDesktopWindow(); }

// Posts a menu command that opens a modal window and waits for a window of its class.
// Closes it and waits for the main window to be enabled again.
void checkToolWindow(HWND w, int id, const wchar_t* cls, const char* name) {
    PostMessageW(w, WM_COMMAND, static_cast<WPARAM>(id), 0);
    HWND tool = nullptr;
    bool disabled = false;
    waitUntil(
        [&] {
            disabled = disabled || !IsWindowEnabled(w);
            tool = visibleWindowOfClass(cls);
            return tool != nullptr;
        },
        5000);
    if (tool == nullptr && !disabled) {
        skip(name, "no window opened: this build has no tool windows yet");
        return;
    }
    check(name, tool != nullptr);
    if (tool == nullptr) return;
    check((std::string(name) + ": main window disabled while it is open").c_str(),
          !IsWindowEnabled(w));
    PostMessageW(tool, WM_CLOSE, 0, 0);
    check((std::string(name) + ": closes and enables the main window").c_str(),
          waitUntil([&] { return !IsWindow(tool) && IsWindowEnabled(w); }, 5000));
    // Another application's window stands next in line: activation must go back to the widget.
    check((std::string(name) + ": the widget is active again").c_str(),
          waitUntil([&] { return GetForegroundWindow() == w; }, 2000),
          "foreground: " + utf8(className(GetForegroundWindow())));
}

// A visible window of the driver's own: another application that could take the activation.
HWND otherApplicationWindow() {
    WNDCLASSW c{};
    c.lpfnWndProc = DefWindowProcW;
    c.hInstance = GetModuleHandleW(nullptr);
    c.lpszClassName = L"E2E_OTHER_APPLICATION";
    RegisterClassW(&c);
    return CreateWindowExW(0, c.lpszClassName, L"other", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 600, 500,
                           300, 200, nullptr, nullptr, c.hInstance, nullptr);
}

// Handles the driver's own window messages that are waiting.
void pumpOwnMessages() {
    MSG message{};
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&message);
}

// Opens the options dialog, sets the five boxes (-1 leaves one as it is) and presses 确定.
// Returns the states it found when the dialog opened (-1 when it did not open).
// Posts 选项 and waits for the options dialog; nullptr when it does not appear.
HWND openOptions(HWND w) {
    PostMessageW(w, WM_COMMAND, 3200, 0);
    HWND dialog = nullptr;
    waitUntil([&] { return (dialog = visibleWindowOfClass(L"TAVOMERIX_IFORM")) != nullptr; }, 5000);
    return dialog;
}

std::vector<int> setOptions(HWND w, std::vector<int> wanted) {
    const HWND dialog = openOptions(w);
    if (dialog == nullptr) return {-1};
    std::vector<int> found;
    for (int i = 0; i < 5; ++i) {
        const HWND box = GetDlgItem(dialog, 3625 + i);
        found.push_back(SendMessageW(box, BM_GETCHECK, 0, 0) == BST_CHECKED ? 1 : 0);
        if (wanted[static_cast<size_t>(i)] >= 0) {
            SendMessageW(box, BM_SETCHECK,
                         wanted[static_cast<size_t>(i)] == 1 ? BST_CHECKED : BST_UNCHECKED, 0);
        }
    }
    PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(3630, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(dialog, 3630)));
    waitUntil([&] { return !IsWindow(dialog) && IsWindowEnabled(w); }, 5000);
    return found;
}

// Icons in Wine's notification area (one window each); -1 where there is none.
int trayIconCount() {
    const HWND tray = FindWindowW(L"__winex11_standalone_tray", nullptr);
    if (tray == nullptr) return -1;
    int n = 0;
    for (HWND icon = nullptr;
         (icon = FindWindowExW(tray, icon, L"__winex11_tray_icon", nullptr)) != nullptr;)
        ++n;
    return n;
}

void sessionEndAndShellRestart(const std::wstring& exe) {
    std::printf("# log-off and a restarted shell\n");
    clearSettings();
    writeText(SettingsKey, L"Version", L"3.3");
    Started s;
    const HWND w = startWidget(exe, s);
    if (w == nullptr) return;
    const int icons = trayIconCount();
    if (icons < 0) {
        skip("TaskbarCreated adds the icon again", "no notification area on this display");
    } else {
        check("the notification-area icon is shown", icons >= 1, std::to_string(icons));
        NOTIFYICONDATAW icon{};
        icon.cbSize = sizeof(icon);
        icon.hWnd = w;
        icon.uID = 0;
        Shell_NotifyIconW(NIM_DELETE, &icon);  // what a crashing shell does to every icon
        check("the icon is gone with the shell",
              waitUntil([&] { return trayIconCount() == icons - 1; }, 3000));
        SendMessageW(w, RegisterWindowMessageW(L"TaskbarCreated"), 0, 0);
        check("TaskbarCreated adds the icon again",
              waitUntil([&] { return trayIconCount() == icons; }, 3000),
              std::to_string(trayIconCount()));
    }
    SetWindowPos(w, nullptr, 150, 100, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    DWORD_PTR answer = 0;
    SendMessageTimeoutW(w, WM_QUERYENDSESSION, 0, ENDSESSION_LOGOFF, SMTO_ABORTIFHUNG, 5000,
                        &answer);
    check("log-off is not refused", answer != 0);
    SendMessageTimeoutW(w, WM_ENDSESSION, TRUE, ENDSESSION_LOGOFF, SMTO_ABORTIFHUNG, 5000, &answer);
    check("WM_ENDSESSION saves the settings (rFormLeft 150)",
          readText(SettingsKey, L"rFormLeft") == "150", readText(SettingsKey, L"rFormLeft"));
    SetWindowPos(w, nullptr, 170, 110, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    PostMessageW(w, WM_CLOSE, 0, 0);
    check("exit code 0", waitForExit(s, ExitTimeoutMs) == 0);
    check("saved once: a WM_CLOSE after the session end writes nothing more",
          readText(SettingsKey, L"rFormLeft") == "150", readText(SettingsKey, L"rFormLeft"));
    clearSettings();
}

void displayedDay(const std::wstring& exe) {
    std::printf("# the displayed day: selectors, lines and selection changes\n");
    clearSettings();
    Started s;
    const HWND w = startWidget(exe, s);
    if (w == nullptr) return;
    checkToday(w);
    const HWND years = GetDlgItem(w, CivilYear);
    check("civil years -100 .. 4100 offered", SendMessageW(years, CB_GETCOUNT, 0, 0) == 4201,
          std::to_string(SendMessageW(years, CB_GETCOUNT, 0, 0)));
    check("first civil year item \"   前101年\"", utf8(comboItem(years, 0)) == "   \u524d101\u5e74",
          utf8(comboItem(years, 0)));

    showCivil(w, 2024, 2, 10);
    check("selectors moved to 2024-02-10", civilShown(w) == "2024\u5e742\u670810\u65e5",
          civilShown(w));
    check("lunar selectors show 二○二四年 正月小 初一",
          shownLunarText(w) == "二○二四年 正月小 初一", shownLunarText(w));
    check("day line of 2024-02-10",
          windowText(GetDlgItem(w, DayLine)) == "星期六 水瓶座  甲辰(龙)年丙寅月甲辰日",
          windowText(GetDlgItem(w, DayLine)));
    check("festival line of 2024-02-10",
          windowText(GetDlgItem(w, FestivalLine)) == "春节 国际气象节",
          windowText(GetDlgItem(w, FestivalLine)));
    check("season line of 2024-02-10",
          windowText(GetDlgItem(w, SeasonLine)) == "2月19日雨水 六九第6天",
          windowText(GetDlgItem(w, SeasonLine)));
    checkAgainstCli(w, L"2024-2-10", "2024-02-10");

    showCivil(w, 1582, 9, 10);
    choose(w, CivilMonth, 9);
    const HWND days = GetDlgItem(w, CivilDay);
    check("October 1582 lists 21 days", SendMessageW(days, CB_GETCOUNT, 0, 0) == 21,
          std::to_string(SendMessageW(days, CB_GETCOUNT, 0, 0)));
    check("10 September 1582 to October gives 4 October",
          civilShown(w) == "1582\u5e7410\u67084\u65e5", civilShown(w));
    choose(w, CivilDay, 4);
    check("item 5 of October 1582 is the 15th", civilShown(w) == "1582\u5e7410\u670815\u65e5",
          civilShown(w));
    checkAgainstCli(w, L"1582-10-15", "1582-10-15");

    showCivil(w, 2024, 1, 31);
    choose(w, CivilMonth, 1);
    check("31 January 2024 to February gives the 29th",
          civilShown(w) == "2024\u5e742\u670829\u65e5", civilShown(w));
    showCivil(w, 2023, 1, 31);
    choose(w, CivilMonth, 1);
    check("31 January 2023 to February gives the 28th",
          civilShown(w) == "2023\u5e742\u670828\u65e5", civilShown(w));

    showCivil(w, 2020, 6, 1);
    check("1 June 2020 is 闰四月初十", shownLunarText(w) == "二○二○年 闰四月小 初十",
          shownLunarText(w));
    const HWND lunarYears = GetDlgItem(w, LunarYear);
    choose(w, LunarYear, static_cast<int>(SendMessageW(lunarYears, CB_GETCURSEL, 0, 0)) + 1);
    check("a year without the leap month keeps 四月", shownLunarText(w) == "二○二一年 四月小 初十",
          shownLunarText(w));
    check("and the civil date follows: 2021-05-21", civilShown(w) == "2021\u5e745\u670821\u65e5",
          civilShown(w));
    checkAgainstCli(w, L"2021-5-21", "2021-05-21");
    choose(w, LunarMonth, 0);
    check("lunar month item 1 is 正月", shownLunarText(w).find(" 正月") != std::string::npos,
          shownLunarText(w));
    choose(w, LunarDay, 14);
    check("lunar day item 15 is 十五", shownLunarText(w) == "二○二一年 正月小 十五",
          shownLunarText(w));
    check("2021 正月十五 is 26 February", civilShown(w) == "2021\u5e742\u670826\u65e5",
          civilShown(w));

    PostMessageW(w, WM_CLOSE, 0, 0);
    check("exit code 0", waitForExit(s, ExitTimeoutMs) == 0);
}

void menuCommands(const std::wstring& exe) {
    std::printf("# the command menu\n");
    clearSettings();
    Started s;
    const HWND w = startWidget(exe, s);
    if (w == nullptr) return;
    SendMessageW(w, WM_COMMAND, 3176, 0);
    check("最前显示 from Topmost: no longer topmost", !topmost(w));
    SendMessageW(w, WM_COMMAND, 3176, 0);
    check("最前显示 again: topmost", topmost(w));
    SendMessageW(w, WM_COMMAND, 3177, 0);
    const HWND parent = GetAncestor(w, GA_PARENT);
    check("嵌入桌面: not topmost", !topmost(w));
    std::printf("# embedded under %s\n", parent == GetDesktopWindow()
                                             ? "no icon view (none on this desktop)"
                                             : utf8(className(parent)).c_str());
    SendMessageW(w, WM_COMMAND, 3177, 0);
    check("嵌入桌面 twice: top-level and not topmost (mode Normal)", topLevel(w) && !topmost(w));
    SendMessageW(w, WM_COMMAND, 3177, 0);
    SendMessageW(w, WM_COMMAND, 3176, 0);
    check("最前显示 from Embedded: top-level and topmost", topLevel(w) && topmost(w));

    SendMessageW(w, WM_COMMAND, 3188, 0);
    BYTE alpha = 0;
    DWORD flags = 0;
    if (GetLayeredWindowAttributes(w, nullptr, &alpha, &flags)) {
        check("90% gives alpha 30", alpha == 30, std::to_string(alpha));
        SendMessageW(w, WM_COMMAND, 3179, 0);
        GetLayeredWindowAttributes(w, nullptr, &alpha, &flags);
        check("0% gives alpha 255", alpha == 255, std::to_string(alpha));
    } else {
        std::printf("# layered attributes not readable from another process here\n");
        SendMessageW(w, WM_COMMAND, 3179, 0);
    }
    check("0% keeps the layered style", (GetWindowLongW(w, GWL_EXSTYLE) & WS_EX_LAYERED) != 0);

    showCivil(w, 1582, 10, 4);
    SendMessageW(w, WM_COMMAND, 3189, 0);
    SYSTEMTIME today{};
    GetLocalTime(&today);
    const int expectedDays =
        static_cast<int>(SendMessageW(GetDlgItem(w, CivilDay), CB_GETCOUNT, 0, 0));
    check("获得系统日期 from October 1582 shows today",
          selectedText(GetDlgItem(w, CivilDay)) ==
              (today.wDay < 10 ? " " : "") + std::to_string(today.wDay) + "\u65e5",
          civilShown(w));
    check("with a full day list", expectedDays >= 28, std::to_string(expectedDays));
    checkAgainstCli(w, L"", "today after 获得系统日期");

    for (const int year : {1979, 2100}) {
        showCivil(w, year, 6, 15);
        SYSTEMTIME before{};
        GetLocalTime(&before);
        SendMessageW(w, WM_COMMAND, 3190, 0);
        SYSTEMTIME after{};
        GetLocalTime(&after);
        check(("修改系统日期 with year " + std::to_string(year) + " leaves the clock").c_str(),
              after.wYear == before.wYear && after.wMonth == before.wMonth &&
                  after.wDay == before.wDay);
    }

    // The notification-area icon opens the menu; Escape closes it.
    PostMessageW(w, WM_USER + 100, 0, WM_RBUTTONDOWN);
    PostMessageW(w, WM_USER + 100, 0, WM_RBUTTONUP);
    HWND popup = nullptr;
    waitUntil([&] { return (popup = visibleWindowOfClass(L"#32768")) != nullptr; }, 5000);
    check("right click on the icon opens the command menu", popup != nullptr);
    if (popup != nullptr) {
        PostMessageW(popup, WM_KEYDOWN, VK_ESCAPE, 0);
        if (!waitUntil([] { return visibleWindowOfClass(L"#32768") == nullptr; }, 3000)) {
            PostMessageW(w, WM_CANCELMODE, 0, 0);
        }
        check("Escape closes it",
              waitUntil([] { return visibleWindowOfClass(L"#32768") == nullptr; }, 3000));
    }

    const struct {
        int id;
        const wchar_t* cls;
        const char* name;
    } Tools[] = {
        {3191, L"TAVOMERIX_JFORM", "计算儒略日 opens the calculator"},
        {3192, L"TAVOMERIX_JFORM", "计算日间距 opens the calculator"},
        {3193, L"TAVOMERIX_JFORM", "计算干支历 opens the calculator"},
        {3194, L"TAVOMERIX_JFORM", "公农历转换 opens the calculator"},
        {3195, L"TAVOMERIX_TFORM", "计算农历月 opens the year tables"},
        {3196, L"TAVOMERIX_TFORM", "计算节气日 opens the year tables"},
        {3197, L"TAVOMERIX_TFORM", "计算朔望日 opens the year tables"},
        {3198, L"TAVOMERIX_SFORM", "查询条件月 opens the search"},
        {3199, L"TAVOMERIX_SFORM", "查询条件日 opens the search"},
    };
    const HWND other = otherApplicationWindow();
    for (const auto& t : Tools) {
        pumpOwnMessages();
        SetForegroundWindow(w);
        checkToolWindow(w, t.id, t.cls, t.name);
    }
    DestroyWindow(other);

    PostMessageW(w, WM_COMMAND, 3201, 0);
    check("退出 ends the process with exit code 0", waitForExit(s, ExitTimeoutMs) == 0);
    check("nothing written without permission", !keyExists(SettingsKey));
}

void optionsDialog(const std::wstring& exe) {
    std::printf("# the options dialog\n");
    clearSettings();
    Started s;
    const HWND w = startWidget(exe, s);
    if (w == nullptr) return;
    const HWND dialog = openOptions(w);
    check("选项 opens a window of class TAVOMERIX_IFORM", dialog != nullptr);
    if (dialog != nullptr) {
        check("titled 选项", windowText(dialog) == "选项", windowText(dialog));
        check("main window disabled while it is open", !IsWindowEnabled(w));
        RECT r{};
        GetWindowRect(dialog, &r);
        const std::string size = scaledFormSize(dialog, 288, 193);
        check(("outer size " + size).c_str(), sizeText(r.right - r.left, r.bottom - r.top) == size,
              rectText(r));
        check(("first box at " + scaledRectText(12, 12, 105, 16)).c_str(),
              clientRectText(GetDlgItem(dialog, 3625)) == scaledRectText(12, 12, 105, 16),
              clientRectText(GetDlgItem(dialog, 3625)));
        check("first box 允许使用注册表", windowText(GetDlgItem(dialog, 3625)) == "允许使用注册表");
        SendMessageW(GetDlgItem(dialog, 3625), BM_SETCHECK, BST_CHECKED, 0);
        PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(3631, BN_CLICKED),
                     reinterpret_cast<LPARAM>(GetDlgItem(dialog, 3631)));
        check("取消 closes it",
              waitUntil([&] { return !IsWindow(dialog) && IsWindowEnabled(w); }, 5000));
        check("取消 changes nothing", !keyExists(SettingsKey));
    }

    const std::vector<int> initial = setOptions(w, {1, -1, -1, -1, -1});
    check("boxes start unticked on first run", initial == std::vector<int>(5, 0));
    check("allowing the registry writes Version 3.3 at once",
          readText(SettingsKey, L"Version") == "3.3", readText(SettingsKey, L"Version"));

    showCivil(w, 1900, 6, 1);
    check("lunar year 1900 in Chinese digits",
          selectedText(GetDlgItem(w, LunarYear)) == "  一九○○年",
          selectedText(GetDlgItem(w, LunarYear)));
    setOptions(w, {-1, -1, 1, -1, -1});
    check("era names: the lunar year reads 清代光绪26年",
          selectedText(GetDlgItem(w, LunarYear)) == "清代光绪26年",
          selectedText(GetDlgItem(w, LunarYear)));
    check("the displayed day stays", civilShown(w) == "1900\u5e746\u67081\u65e5", civilShown(w));
    checkAgainstCli(w, L"--era 1900-6-1", "1900-06-01 with era names");

    showCivil(w, 2024, 2, 10);
    setOptions(w, {-1, -1, -1, 1, -1});
    check("Hijri option: the festival line is the Hijri date",
          windowText(GetDlgItem(w, FestivalLine)) == "回历1445年7月30日",
          windowText(GetDlgItem(w, FestivalLine)));
    checkAgainstCli(w, L"--era --hijri 2024-2-10", "2024-02-10 with the Hijri line");

    showCivil(w, 2024, 2, 5);
    check("before 春节 the year is 癸卯",
          windowText(GetDlgItem(w, DayLine)) == "星期一 水瓶座  癸卯(兔)年乙丑月己亥日",
          windowText(GetDlgItem(w, DayLine)));
    setOptions(w, {-1, 1, -1, -1, -1});
    check("from 立春 it is 甲辰",
          windowText(GetDlgItem(w, DayLine)) == "星期一 水瓶座  甲辰(龙)年丙寅月己亥日",
          windowText(GetDlgItem(w, DayLine)));
    SendMessageW(w, WM_COMMAND, 3182, 0);  // 30 %

    PostMessageW(w, WM_COMMAND, 3201, 0);
    check("退出: exit code 0", waitForExit(s, ExitTimeoutMs) == 0);
    const struct {
        const wchar_t* name;
        const char* text;
    } Saved[] = {
        {L"Version", "3.3"},
        {L"GanZhiFromLichunFlag", "1"},
        {L"LunarYearShowDynastyFlag", "1"},
        {L"FestivalInfoShowMuharramFlag", "1"},
        {L"ModernCalculateAncientFlag", "0"},
        {L"RFORMTransFlag", "3"},
    };
    for (const auto& e : Saved) {
        const std::string stored = readText(SettingsKey, e.name);
        check(("saved " + utf8(e.name) + " = " + e.text).c_str(), stored == e.text, stored);
    }

    std::printf("# the next start restores the options\n");
    const HWND again = startWidget(exe, s);
    if (again == nullptr) return;
    checkAgainstCli(again, L"--lichun --era --hijri", "today with the stored options");
    const std::vector<int> restored = setOptions(again, {0, 0, 0, 0, -1});
    check("the dialog shows the stored options", restored == std::vector<int>({1, 1, 1, 1, 0}));
    check("revoking the registry deletes the settings at once", !keyExists(SettingsKey));
    checkAgainstCli(again, L"", "today with the options off");
    PostMessageW(again, WM_COMMAND, 3201, 0);
    check("退出: exit code 0", waitForExit(s, ExitTimeoutMs) == 0);
    check("nothing left after exit", !keyExists(SettingsKey));
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc < 3) {
        std::printf("usage: tavomerix_e2e_driver <tavomerix.exe> <sync directory>\n");
        return 2;
    }
    const std::wstring exe = argv[1];
    const std::wstring syncDir = argv[2];
    std::string native;
    if (FILE* f = _wfopen((syncDir + L"\\native-days.txt").c_str(), L"rb")) {
        char buffer[4096];
        size_t got = 0;
        while ((got = std::fread(buffer, 1, sizeof(buffer), f)) > 0) native.append(buffer, got);
        std::fclose(f);
    }
    expectedDays = lines(native);
    check("native day views read from native-days.txt", !expectedDays.empty());
    SetProcessDPIAware();  // the widget's windows in the screen's own pixels
    HDC screen = GetDC(nullptr);
    screenDpi = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
    std::printf("# the screen at %d DPI\n", screenDpi);
    firstRun(exe, syncDir);
    withoutPermission(exe);
    withPermission(exe);
    sessionEndAndShellRestart(exe);
    displayedDay(exe);
    menuCommands(exe);
    optionsDialog(exe);
    toolWindowScenarios(exe);
    if (skipped > 0) {
        std::printf("%d passed, %d failed, %d skipped\n", passed, failed, skipped);
    } else {
        std::printf("%d passed, %d failed\n", passed, failed);
    }
    return failed == 0 ? 0 : 1;
}
