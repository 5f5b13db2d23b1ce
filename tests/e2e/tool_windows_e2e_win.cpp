// End-to-end checks of the tool windows and dialogs: each is opened through the command
// menu's identifiers sent to the running widget, filled and pressed through its controls'
// messages, and read back from outside the process.
#include <windows.h>

#include <functional>
#include <string>

#include "e2e_support_win.h"

namespace e2e {

namespace {

constexpr DWORD WindowTimeoutMs = 15000;
constexpr DWORD ResultTimeoutMs = 30000;
constexpr DWORD SearchTimeoutMs = 120000;
constexpr UINT MessageTimeoutMs = 5000;

// Command-menu identifiers.
constexpr WPARAM AddCommemorationCommand = 3175;
constexpr WPARAM JulianDayCommand = 3191;
constexpr WPARAM IntervalCommand = 3192;
constexpr WPARAM SolarTermsCommand = 3196;
constexpr WPARAM MonthSearchCommand = 3198;

// Calculator controls.
constexpr int CalcFirstDate = 3328;
constexpr int CalcFirstBc = 3327;
constexpr int CalcSecondDate = 3330;
constexpr int CalcAction = 3331;
// Year-table controls.
constexpr int TableYear = 3425;
constexpr int TableBc = 3426;
constexpr int TableCompute = 3427;
constexpr int TablePrevious = 3428;
constexpr int TableOutput = 3435;
// Search controls.
constexpr int SearchStart = 3526;
constexpr int SearchRange = 3529;
constexpr int SearchButton = 3530;
constexpr int SearchOutput = 3532;
constexpr int SearchLeapOption = 3533;
// Commemoration dialog controls.
constexpr int DialogList = 3225;
constexpr int DialogName = 3232;
constexpr int DialogAddCivil = 3234;
constexpr int DialogSave = 3235;
constexpr int DialogDelete = 3236;
// Main window's festival line.
constexpr int FestivalLine = 3132;

bool waitUntil(const std::function<bool()>& done, DWORD timeoutMs) {
    const double end = nowMs() + timeoutMs;
    while (nowMs() < end) {
        if (done()) return true;
        Sleep(PollMs);
    }
    return done();
}

// The visible top-level window of a class, waited for.
HWND waitForWindow(const wchar_t* windowClass, DWORD timeoutMs) {
    HWND found = nullptr;
    waitUntil(
        [&] {
            found = FindWindowW(windowClass, nullptr);
            return found != nullptr && IsWindowVisible(found);
        },
        timeoutMs);
    return found != nullptr && IsWindowVisible(found) ? found : nullptr;
}

bool waitGone(HWND w) {
    return waitUntil([&] { return !IsWindow(w); }, WindowTimeoutMs);
}

// Text of a control of another process (WM_GETTEXT is marshalled; GetWindowText is not).
std::string controlText(HWND control) {
    DWORD_PTR length = 0;
    if (!SendMessageTimeoutW(control, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG, MessageTimeoutMs,
                             &length))
        return "";
    std::wstring text(static_cast<size_t>(length) + 1, L'\0');
    DWORD_PTR copied = 0;
    SendMessageTimeoutW(control, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()),
                        SMTO_ABORTIFHUNG, MessageTimeoutMs, &copied);
    text.resize(static_cast<size_t>(copied));
    return utf8(text);
}

void setControlText(HWND control, const std::wstring& text) {
    SendMessageTimeoutW(control, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()),
                        SMTO_ABORTIFHUNG, MessageTimeoutMs, nullptr);
}

// A click as the control reports it to its window: posted, since the window may start a
// long computation.
void click(HWND form, int id) {
    PostMessageW(form, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(form, id)));
}

void setCheck(HWND form, int id, bool on) {
    SendMessageTimeoutW(GetDlgItem(form, id), BM_SETCHECK, on ? BST_CHECKED : BST_UNCHECKED, 0,
                        SMTO_ABORTIFHUNG, MessageTimeoutMs, nullptr);
}

bool waitForText(HWND control, const std::function<bool(const std::string&)>& ok, DWORD timeoutMs,
                 std::string& last) {
    return waitUntil(
        [&] {
            last = controlText(control);
            return ok(last);
        },
        timeoutMs);
}

bool contains(const std::string& text, const std::string& part) {
    return text.find(part) != std::string::npos;
}

std::string firstLine(const std::string& text) { return text.substr(0, text.find('\r')); }

// Opens a window through a menu command and checks its class, owner and modality.
HWND openTool(HWND main, WPARAM command, const wchar_t* windowClass, const char* name) {
    PostMessageW(main, WM_COMMAND, command, 0);
    const HWND w = waitForWindow(windowClass, WindowTimeoutMs);
    check((std::string(name) + " opens from command " + std::to_string(command)).c_str(),
          w != nullptr);
    if (w == nullptr) return nullptr;
    const bool disabled = waitUntil([&] { return !IsWindowEnabled(main); }, WindowTimeoutMs);
    check((std::string(name) + " is modal: owned by the widget, which is disabled").c_str(),
          GetWindow(w, GW_OWNER) == main && disabled);
    return w;
}

// Closes a tool window and checks that the widget is enabled again.
void closeTool(HWND main, HWND w, const char* name) {
    PostMessageW(w, WM_CLOSE, 0, 0);
    const bool gone = waitGone(w);
    const bool enabled = waitUntil([&] { return IsWindowEnabled(main) != FALSE; }, WindowTimeoutMs);
    check((std::string(name) + " closes and the widget is enabled again").c_str(), gone && enabled);
}

// The calculator's result field: the edit control without an identifier.
HWND resultField(HWND calculator) {
    for (HWND c = GetWindow(calculator, GW_CHILD); c != nullptr; c = GetWindow(c, GW_HWNDNEXT)) {
        if (_wcsicmp(className(c).c_str(), L"Edit") == 0 && GetDlgCtrlID(c) == 0) return c;
    }
    return nullptr;
}

std::string sizeText(HWND w) {
    RECT r{};
    GetWindowRect(w, &r);
    return std::to_string(r.right - r.left) + " x " + std::to_string(r.bottom - r.top);
}

// Checks a form's outer size and one control's place, both given at 96 DPI, at the screen's DPI.
void checkLayout(HWND w, const char* name, int width, int height, int controlId,
                 const PixelBox96& control) {
    const std::string size = scaledFormSize(w, width, height);
    check((std::string(name) + " size " + size).c_str(), sizeText(w) == size, sizeText(w));
    const std::string place = scaledRectText(control.x, control.y, control.width, control.height);
    const std::string shown = clientRectText(GetDlgItem(w, controlId));
    check((std::string(name) + ": control " + std::to_string(controlId) + " at " + place).c_str(),
          shown == place, shown);
}

void calculator(HWND main) {
    const HWND w = openTool(main, JulianDayCommand, L"TAVOMERIX_JFORM", "calculator");
    if (w == nullptr) return;
    wchar_t title[64] = {};
    GetWindowTextW(w, title, 64);
    check("calculator title 计算儒略日", utf8(title) == "计算儒略日", utf8(title));
    checkLayout(w, "calculator", 273, 176, CalcFirstDate, {8, 34, 168, 24});
    setControlText(GetDlgItem(w, CalcFirstDate), L"01-01-2000");
    setCheck(w, CalcFirstBc, false);
    click(w, CalcAction);
    const HWND result = resultField(w);
    std::string last;
    check("Julian Day of 01-01-2000 is 2451545",
          result != nullptr && waitForText(
                                   result, [](const std::string& t) { return t == "2451545"; },
                                   ResultTimeoutMs, last),
          last);
    setControlText(GetDlgItem(w, CalcFirstDate), L"02-30-2023");
    click(w, CalcAction);
    check("an invalid date empties the result",
          result != nullptr &&
              waitForText(
                  result, [](const std::string& t) { return t.empty(); }, ResultTimeoutMs, last),
          last);
    closeTool(main, w, "calculator");

    const HWND interval =
        openTool(main, IntervalCommand, L"TAVOMERIX_JFORM", "interval calculator");
    if (interval == nullptr) return;
    checkLayout(interval, "interval calculator", 273, 204, CalcSecondDate, {8, 62, 168, 24});
    setControlText(GetDlgItem(interval, CalcFirstDate), L"01-01-2001");
    setControlText(GetDlgItem(interval, CalcSecondDate), L"1-1-2000");
    setCheck(interval, CalcFirstBc, false);
    setCheck(interval, CalcFirstBc + 2, false);
    click(interval, CalcAction);
    const HWND intervalResult = resultField(interval);
    check("2000 has 366 days",
          intervalResult != nullptr &&
              waitForText(
                  intervalResult, [](const std::string& t) { return t == "366"; }, ResultTimeoutMs,
                  last),
          last);
    closeTool(main, interval, "interval calculator");
}

void yearTables(HWND main) {
    const HWND w = openTool(main, SolarTermsCommand, L"TAVOMERIX_TFORM", "year tables");
    if (w == nullptr) return;
    checkLayout(w, "year tables", 398, 316, TableOutput, {8, 40, 374, 236});
    setControlText(GetDlgItem(w, TableYear), L"2000");
    setCheck(w, TableBc, false);
    click(w, TableCompute);
    std::string last;
    const bool printed = waitForText(
        GetDlgItem(w, TableOutput),
        [](const std::string& t) { return contains(t, "冬至12月21日"); }, ResultTimeoutMs, last);
    check("2000 table starts with its caption",
          firstLine(last) == "    公历公元 2000 年共 24 个节气", firstLine(last));
    check("2000 terms end with 冬至 12月21日21:37",
          printed && contains(last, "24: 冬至12月21日21:37"),
          last.substr(last.size() > 60 ? last.size() - 60 : 0));
    check("2000 terms start with 小寒 on 6 January", contains(last, "01: 小寒01月06日"));

    setControlText(GetDlgItem(w, TableYear), L"1");
    click(w, TablePrevious);
    const bool bcTicked = waitUntil(
        [&] { return SendMessageW(GetDlgItem(w, TableBc), BM_GETCHECK, 0, 0) == BST_CHECKED; },
        ResultTimeoutMs);
    check("上一年 from AD 1 goes to 1 BC: 公元前 ticked, field 1",
          bcTicked && controlText(GetDlgItem(w, TableYear)) == "1",
          controlText(GetDlgItem(w, TableYear)));
    closeTool(main, w, "year tables");
}

void leapMonthSearch(HWND main) {
    const HWND w = openTool(main, MonthSearchCommand, L"TAVOMERIX_SFORM", "month search");
    if (w == nullptr) return;
    checkLayout(w, "search window", 393, 341, SearchOutput, {8, 70, 370, 200});
    setControlText(GetDlgItem(w, SearchStart), L"2000");
    setControlText(GetDlgItem(w, SearchRange), L"31");
    setCheck(w, SearchLeapOption, true);
    click(w, SearchButton);
    static const char* const Known[] = {
        "AD2001闰四月小", "AD2004闰二月", "AD2006闰七月",
        "AD2009闰五月",   "AD2012闰四月", "AD2014闰九月",
        "AD2017闰六月",   "AD2020闰四月", "AD2023闰二月小    AD03-22-2023 ～ AD04-19-2023",
        "AD2025闰六月",   "AD2028闰五月",
    };
    // The caption and the list may reach the control in separate updates: wait for both.
    const auto complete = [](const std::string& t) {
        if (!contains(t, "共找到")) return false;
        for (const char* k : Known) {
            if (!contains(t, k)) return false;
        }
        return true;
    };
    std::string last;
    const bool done = waitForText(GetDlgItem(w, SearchOutput), complete, SearchTimeoutMs, last);
    check("leap months 2000-2030: 11 found",
          contains(last, "共找到") && firstLine(last) == "    共找到 11 个农历闰月",
          firstLine(last));
    std::string missing;
    for (const char* k : Known) {
        if (!contains(last, k)) missing += std::string(" ") + k;
    }
    check("the published leap months of 2000-2030 are listed", done && missing.empty(),
          "missing" + missing);

    // A long search stopped by pressing 查询 again leaves the output empty.
    setControlText(GetDlgItem(w, SearchStart), L"100");
    setControlText(GetDlgItem(w, SearchRange), L"4900");
    click(w, SearchButton);
    const bool running = waitForText(
        GetDlgItem(w, SearchOutput), [](const std::string& t) { return contains(t, "正在查询"); },
        ResultTimeoutMs, last);
    check("a running search shows its progress", running, last);
    click(w, SearchButton);
    const bool stopped = waitForText(
        GetDlgItem(w, SearchOutput), [](const std::string& t) { return t.empty(); },
        ResultTimeoutMs, last);
    check("查询 during a search stops it and empties the output", stopped, last);
    closeTool(main, w, "month search");
}

// Today's civil date as the dialog's civil selectors start on it.
std::wstring todayValueName(const SYSTEMTIME& today) {
    wchar_t name[8];
    swprintf(name, 8, L"%02u-%02u", today.wMonth, today.wDay);
    return name;
}

void commemorationDialog(HWND main) {
    SYSTEMTIME today{};
    GetLocalTime(&today);
    HWND w = openTool(main, AddCommemorationCommand, L"TAVOMERIX_CFORM", "commemoration dialog");
    if (w == nullptr) return;
    wchar_t title[64] = {};
    GetWindowTextW(w, title, 64);
    check("dialog title 添加纪念日", utf8(title) == "添加纪念日", utf8(title));
    checkLayout(w, "commemoration dialog", 366, 266, DialogList, {8, 8, 342, 121});
    check("保存 enabled with the registry in use",
          IsWindowEnabled(GetDlgItem(w, DialogSave)) != FALSE);
    const HWND list = GetDlgItem(w, DialogList);
    setControlText(GetDlgItem(w, DialogName),
                   L"  \u6d4b\u8bd5\u7eaa\u5ff5\u65e5  ");  // "  测试纪念日  "
    click(w, DialogAddCivil);
    const bool added =
        waitUntil([&] { return SendMessageW(list, LB_GETCOUNT, 0, 0) == 1; }, ResultTimeoutMs);
    check("添加公历纪念日 lists today's date",
          added && SendMessageW(list, LB_GETCURSEL, 0, 0) == 0);
    click(w, DialogSave);
    const std::wstring valueName = todayValueName(today);
    const std::string expected = std::to_string(today.wYear) + "测试纪念日";
    std::string stored;
    check("保存 writes the civil entry MM-DD = year + name",
          waitUntil(
              [&] {
                  stored = readText(SolarFestivalKey, valueName.c_str());
                  return stored == expected;
              },
              ResultTimeoutMs),
          stored);
    closeTool(main, w, "commemoration dialog");
    std::string line;
    check(
        "the festival line shows the saved commemoration day",
        waitForText(
            GetDlgItem(main, FestivalLine),
            [](const std::string& t) { return contains(t, "测试纪念日"); }, ResultTimeoutMs, line),
        line);

    w = openTool(main, AddCommemorationCommand, L"TAVOMERIX_CFORM", "commemoration dialog again");
    if (w == nullptr) return;
    const HWND reopened = GetDlgItem(w, DialogList);
    check(
        "the saved day is listed on opening",
        waitUntil([&] { return SendMessageW(reopened, LB_GETCOUNT, 0, 0) == 1; }, ResultTimeoutMs));
    SendMessageW(reopened, LB_SETCURSEL, 0, 0);
    PostMessageW(w, WM_COMMAND, MAKEWPARAM(DialogList, LBN_SELCHANGE),
                 reinterpret_cast<LPARAM>(reopened));
    std::string name;
    check("selecting it shows its name",
          waitForText(
              GetDlgItem(w, DialogName), [](const std::string& t) { return t == "测试纪念日"; },
              ResultTimeoutMs, name),
          name);
    click(w, DialogDelete);
    click(w, DialogSave);
    check("删除 and 保存 leave both keys absent",
          waitUntil([&] { return !keyExists(SolarFestivalKey) && !keyExists(LunarFestivalKey); },
                    ResultTimeoutMs));
    closeTool(main, w, "commemoration dialog");
    check(
        "the festival line drops the deleted day",
        waitForText(
            GetDlgItem(main, FestivalLine),
            [](const std::string& t) { return !contains(t, "测试纪念日"); }, ResultTimeoutMs, line),
        line);
}

}  // namespace

void toolWindowScenarios(const std::wstring& exe) {
    std::printf(
        "# tool windows and the commemoration-day dialog, opened through the command menu\n");
    clearSettings();
    writeText(SettingsKey, L"Version", L"3.3");  // the registry is in use
    Started s = launch(exe);
    const HWND main = waitForMainWindow(StartTimeoutMs);
    check("main window appears", main != nullptr);
    if (main != nullptr) {
        calculator(main);
        yearTables(main);
        leapMonthSearch(main);
        commemorationDialog(main);
        PostMessageW(main, WM_CLOSE, 0, 0);
    }
    const long code = waitForExit(s, ExitTimeoutMs);
    check("widget exits with code 0 after the tool windows", code == 0, std::to_string(code));
    clearSettings();
}

}  // namespace e2e
