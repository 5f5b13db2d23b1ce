#include "app/main_window_win.h"

#include <shellapi.h>

#include <array>
#include <optional>
#include <string>
#include <vector>

#include "app/application.h"
#include "app/clock.h"
#include "app/command_menu.h"
#include "app/command_menu_win.h"
#include "app/dialogs_win.h"
#include "app/main_window.h"
#include "app/settings_store.h"
#include "app/window_modes_win.h"
#include "forms/wide_text.h"
#include "tools/tool_windows_win.h"

namespace tavomerix {

namespace {

constexpr UINT TrayIconId = 0;
constexpr int TrayIconPixels = 16;  // at 96 DPI

RECT workArea() {
    RECT area{};
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &area, 0);
    return area;
}

ScreenRect screenRect(const RECT& r) { return {r.left, r.top, r.right, r.bottom}; }

void setItems(HWND selector, const std::vector<std::string>& items) {
    SendMessageW(selector, WM_SETREDRAW, FALSE, 0);
    SendMessageW(selector, CB_RESETCONTENT, 0, 0);
    SendMessageW(selector, CB_INITSTORAGE, items.size(), items.size() * 12 * sizeof(wchar_t));
    for (const std::string& item : items) {
        const std::wstring text = widen(item);
        SendMessageW(selector, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str()));
    }
    SendMessageW(selector, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(selector, nullptr, TRUE);
}

// Selects the 1-based item; 0 or a missing item clears the selection.
void selectItem(HWND selector, int item) {
    const bool exists = item >= 1 && item <= SendMessageW(selector, CB_GETCOUNT, 0, 0);
    SendMessageW(selector, CB_SETCURSEL,
                 exists ? static_cast<WPARAM>(item - 1) : static_cast<WPARAM>(-1), 0);
}

// The 1-based selected item; 0 when none.
int selectedItem(HWND selector) {
    return static_cast<int>(SendMessageW(selector, CB_GETCURSEL, 0, 0)) + 1;
}

void setLine(HWND line, const std::string& text) { SetWindowTextW(line, widen(text).c_str()); }

class MainWindow final : public Form {
public:
    explicit MainWindow(Application& app) : Form(MainFormName), app_(app) {}

protected:
    LRESULT onMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    bool onControlMessage(ControlRecord& record, UINT message, WPARAM wParam, LPARAM lParam,
                          LRESULT& result) override;
    void onDpiChanged() override { setStampRegion(); }

private:
    void onCreate();
    void setStampRegion();
    void createMainControls();
    void fillLunarYears();
    void showDay();
    void showSolarDate();
    void onSelection(int id);
    void onCommand(WPARAM wParam, LPARAM lParam);
    void runCommand(int id);
    void openTool(const Command& command);
    void openOptions();
    void applyMode(const ModeChange& change);
    void startDrag();
    void attachTooltips();
    void onTrayIcon(LPARAM event);
    bool onSysCommand(WPARAM command);
    void trayIcon(DWORD action);
    void keepOnScreen(WINDOWPOS& position);
    void saveSettingsOnce();
    void onDestroy();

    Application& app_;
    bool tooltipsAttached_ = false;
    bool settingsSaved_ = false;
    // Sent to every top-level window when the shell (and its notification area) starts.
    const UINT taskbarCreated_ = RegisterWindowMessageW(L"TaskbarCreated");
    HMENU menu_ = nullptr;
};

void MainWindow::setStampRegion() {
    const std::vector<ScreenRect> parts = stampOutline(dpi());
    const ScreenRect& body = parts.front();
    RegionHandle outline(CreateRectRgn(body.left, body.top, body.right, body.bottom));
    for (size_t i = 1; i < parts.size(); ++i) {
        const RegionHandle tooth(
            CreateEllipticRgn(parts[i].left, parts[i].top, parts[i].right, parts[i].bottom));
        CombineRgn(outline.get(), outline.get(), tooth.get(), RGN_OR);
    }
    // On success the system owns the region.
    if (SetWindowRgn(window(), outline.get(), TRUE) != 0) outline = RegionHandle();
}

void MainWindow::createMainControls() {
    for (const ControlSpec& spec : mainControls()) {
        if (createControl(spec) == nullptr) return;
    }
    SetFocus(control(CivilYearSelectorId));
}

void MainWindow::fillLunarYears() {
    const HWND years = control(LunarYearSelectorId);
    setItems(years, lunarYearItems(app_.settings));
    const ControlSpec spec =
        scaledControl(mainControls()[LunarYearSelectorId - CivilYearSelectorId], dpi());
    MoveWindow(years, spec.x, spec.y, spec.width, spec.height, TRUE);
}

// Puts the displayed day (selectedSolarDate and selectedLunarDate, already in step) into
// the six selectors and the three lines.
void MainWindow::showDay() {
    const AppSettings& s = app_.settings;
    const SolarSelection& civil = s.window.selectedSolarDate;
    const LunarSelection& lunar = s.window.selectedLunarDate;
    const SelectorPositions at = selectorPositions(s);
    selectItem(control(CivilYearSelectorId), at.civilYear);
    selectItem(control(CivilMonthSelectorId), at.civilMonth);
    setItems(control(CivilDaySelectorId), civilDayItems(civil.year, civil.month));
    selectItem(control(CivilDaySelectorId), at.civilDay);
    selectItem(control(LunarYearSelectorId), at.lunarYear);
    setItems(control(LunarMonthSelectorId), lunarMonthItems(s, lunar.year));
    selectItem(control(LunarMonthSelectorId), at.lunarMonth);
    setItems(control(LunarDaySelectorId), lunarDayItems(s, lunar.year, lunar.sizedMonth));
    selectItem(control(LunarDaySelectorId), at.lunarDay);
    const DayView view = displayedDayView(app_);
    setLine(control(DayLineId), view.dayLine);
    setLine(control(FestivalLineId), view.festivalLine);
    setLine(control(SeasonLineId), view.seasonLine);
}

void MainWindow::showSolarDate() {
    if (followSolarDate(app_.settings)) showDay();  // otherwise the display keeps its previous day
}

void MainWindow::onSelection(int id) {
    // The six selectors' identifiers follow one another in control order.
    static_assert(LunarDaySelectorId - CivilYearSelectorId == 5);
    constexpr std::array<bool (*)(AppSettings&, int), 6> Choose = {
        chooseCivilYear, chooseCivilMonth, chooseCivilDay,
        chooseLunarYear, chooseLunarMonth, chooseLunarDay};
    if (id < CivilYearSelectorId || id > LunarDaySelectorId) return;
    Choose[id - CivilYearSelectorId](app_.settings, selectedItem(control(id)));
    showDay();  // a refused change puts the selectors back on the displayed day
}

void MainWindow::applyMode(const ModeChange& change) {
    for (const WindowAction action : change.actions) applyWindowAction(window(), action);
    app_.settings.window.windowMode = change.next;
}

void MainWindow::onCommand(WPARAM wParam, LPARAM lParam) {
    if (lParam == 0) {
        runCommand(LOWORD(wParam));  // the command menu
    } else if (HIWORD(wParam) == CBN_SELCHANGE) {
        onSelection(LOWORD(wParam));
    }
}

void MainWindow::runCommand(int id) {
    AppSettings& s = app_.settings;
    const Command command = commandOf(id);
    switch (command.kind) {
        case CommandKind::AddCommemoration:
            if (s.stored.registryEnabled != 1)
                return;  // the entry exists only with the registry in use
            openCommemorationDialog(window(), app_);
            showSolarDate();
            return;
        case CommandKind::ToggleTopmost:
            applyMode(toggleTopmost(s.window.windowMode));
            return;
        case CommandKind::ToggleEmbedded:
            applyMode(toggleEmbedded(s.window.windowMode));
            return;
        case CommandKind::ToggleLock:
            toggleLock(s);
            return;
        case CommandKind::Transparency:
            if (const auto amount = chooseTransparency(s, command.argument))
                setTransparency(window(), *amount);
            return;
        case CommandKind::RereadDate:
            if (rereadSystemDate(s, readLocalDate())) showDay();
            return;
        case CommandKind::SetDate:
            if (const auto date = systemDateToSet(s))
                setLocalDate(*date);  // a refusal is not reported
            return;
        case CommandKind::Calculator:
        case CommandKind::YearTables:
        case CommandKind::Search:
            openTool(command);
            return;
        case CommandKind::Options:
            openOptions();
            return;
        case CommandKind::Exit:
            SendMessageW(window(), WM_CLOSE, 0, 0);
            return;
        case CommandKind::None:
            return;
    }
}

// The tool windows take the widget's calendar, earliest year and sexagenary year start; the
// command's argument is the mode's number (commandOf keeps it within the enum).
void MainWindow::openTool(const Command& command) {
    const AppSettings& s = app_.settings;
    const LunarCalendar& calendar = calendarOf(s);
    const int minYear = s.window.minYear;
    const GanzhiYearStart yearStart = ganzhiYearStart(s.stored);
    if (command.kind == CommandKind::Calculator) {
        const SolarSelection& shown = s.window.selectedSolarDate;
        openCalculator(window(), static_cast<CalculatorMode>(command.argument),
                       {calendar, minYear, yearStart}, {shown.year, shown.month, shown.day});
    } else if (command.kind == CommandKind::YearTables) {
        openYearTables(window(), static_cast<YearTableMode>(command.argument), calendar, minYear);
    } else if (command.kind == CommandKind::Search) {
        openSearch(window(), static_cast<SearchWindowMode>(command.argument), {calendar, yearStart},
                   minYear);
    }
}

// After "确定": the command menu's first entry, the commemoration days when the registry was
// allowed or revoked, the lunar-year items when they changed, then the displayed day.
void MainWindow::openOptions() {
    const std::optional<OptionEffects> effects = openOptionsDialog(window(), app_.settings);
    if (!effects || !IsWindow(window())) return;
    if (effects->commemorationEntry != 0) {
        setCommemorationEntry(menu_, effects->commemorationEntry > 0);
        rereadCommemorationDays(app_);
    }
    if (effects->refillLunarYears) fillLunarYears();
    showSolarDate();
}

void MainWindow::onCreate() {
    AppSettings& s = app_.settings;
    setTransparency(window(), s.stored.RFORMTransFlag * 25);
    setStampRegion();
    createMainControls();
    menu_ = buildCommandMenu(s.stored.registryEnabled == 1);
    setItems(control(CivilYearSelectorId), civilYearItems(s));
    setItems(control(CivilMonthSelectorId), civilMonthItems());
    fillLunarYears();
    showSolarDate();
    trayIcon(NIM_ADD);
    s.window.windowMode = WindowMode::Topmost;  // the mode at every start
    setTopmost(window(), true);
}

void MainWindow::onDestroy() {
    if (menu_ != nullptr) DestroyMenu(menu_);
    menu_ = nullptr;
    PostQuitMessage(0);
}

void MainWindow::saveSettingsOnce() {
    if (settingsSaved_) return;
    settingsSaved_ = true;
    RECT frame{};
    GetWindowRect(window(), &frame);
    saveOrWipeSettings(app_.settings, frame.left, frame.top);
}

void MainWindow::trayIcon(DWORD action) {
    NOTIFYICONDATAW icon{};
    icon.cbSize = sizeof(icon);
    icon.hWnd = window();
    icon.uID = TrayIconId;
    if (action == NIM_ADD) {
        icon.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
        icon.uCallbackMessage = TrayIconMessage;
        // The notification area is drawn at the system's DPI, whatever the window's.
        const int size = scaled(TrayIconPixels, systemDpi());
        icon.hIcon = static_cast<HICON>(LoadImageW(GetModuleHandleW(nullptr), AppIconResource,
                                                   IMAGE_ICON, size, size, LR_SHARED));
        const std::wstring tip = widen(MainWindowTitle);
        tip.copy(icon.szTip, std::size(icon.szTip) - 1);
    }
    Shell_NotifyIconW(action, &icon);
}

void MainWindow::keepOnScreen(WINDOWPOS& position) {
    if ((position.flags & SWP_NOMOVE) != 0 || GetParent(window()) != nullptr)
        return;  // embedded: the view's
    RECT current{};
    GetWindowRect(window(), &current);
    const bool sized = (position.flags & SWP_NOSIZE) == 0;
    const int width = sized ? position.cx : current.right - current.left;
    const int height = sized ? position.cy : current.bottom - current.top;
    const ScreenPoint corner =
        tavomerix::keepOnScreen({position.x, position.y}, width, height,
                                GetSystemMetrics(SM_CXSCREEN), screenRect(workArea()));
    position.x = corner.x;
    position.y = corner.y;
}

void MainWindow::startDrag() {
    if (app_.settings.window.positionLocked != 0) return;
    ReleaseCapture();
    SendMessageW(window(), WM_NCLBUTTONDOWN, HTCAPTION, 0);
}

void MainWindow::attachTooltips() {
    if (tooltipsAttached_) return;
    tooltipsAttached_ = true;
    for (const ControlSpec& spec : mainControls()) {
        if (!spec.tooltip.empty()) addTooltip(control(spec.id), spec.tooltip);
    }
}

void MainWindow::onTrayIcon(LPARAM event) {
    if (!IsWindowEnabled(window())) return;  // a modal window is open
    if (event == WM_LBUTTONDOWN) SetForegroundWindow(window());
    if (event == WM_RBUTTONDOWN) updateMenuChecks(menu_, app_.settings);
    if (event == WM_RBUTTONUP) {
        SetForegroundWindow(window());
        openCommandMenu(menu_, window());
    }
}

// SC_CLOSE closes the commemoration dialog first, then the widget; true when handled.
bool MainWindow::onSysCommand(WPARAM command) {
    if ((command & 0xFFF0) != SC_CLOSE) return false;
    if (const HWND dialog = commemorationDialogWindow()) SendMessageW(dialog, WM_CLOSE, 0, 0);
    SendMessageW(window(), WM_CLOSE, 0, 0);
    return true;
}

LRESULT MainWindow::onMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_CREATE:
            onCreate();
            return 0;
        case WM_WINDOWPOSCHANGING:
            keepOnScreen(*reinterpret_cast<WINDOWPOS*>(lParam));
            return 0;
        case WM_LBUTTONDOWN:
            startDrag();
            return 0;
        case WM_RBUTTONDOWN:
            updateMenuChecks(menu_, app_.settings);
            return 0;
        case WM_RBUTTONUP:
            openCommandMenu(menu_, window());
            return 0;
        case WM_MOUSEMOVE:
            attachTooltips();
            return 0;
        case TrayIconMessage:
            onTrayIcon(lParam);
            return 0;
        case WM_COMMAND:
            onCommand(wParam, lParam);
            return 0;
        case WM_SYSCOMMAND:
            if (onSysCommand(wParam)) return 0;
            break;
        case WM_CLOSE:
            trayIcon(NIM_DELETE);
            saveSettingsOnce();
            break;  // the default handling destroys the window
        case WM_ENDSESSION:
            // Logging off or shutting down ends the process without WM_CLOSE.
            if (wParam != 0) saveSettingsOnce();
            return 0;
        case WM_DESTROY:
            onDestroy();
            return 0;
        default:
            if (message == taskbarCreated_ && taskbarCreated_ != 0) {
                trayIcon(NIM_ADD);  // the restarted shell has forgotten the icon
                return 0;
            }
            break;
    }
    return defaultMessage(message, wParam, lParam);
}

bool MainWindow::onControlMessage(ControlRecord& record, UINT message, WPARAM, LPARAM,
                                  LRESULT& result) {
    if (!record.isEdit) return false;
    if (message == WM_LBUTTONDBLCLK) {
        SendMessageW(record.window, EM_SETSEL, 0, -1);
        result = 0;
        return true;
    }
    if (message == WM_PASTE) {  // the lines are read-only
        result = 0;
        return true;
    }
    return false;
}

}  // namespace

void showMainWindow(Application& app) {
    const ScreenPoint corner =
        mainWindowStartPosition(app.settings, screenRect(workArea()), GetSystemMetrics(SM_CXSCREEN),
                                GetSystemMetrics(SM_CYSCREEN), systemDpi());
    MainWindow form(app);
    FormPlacement placement;
    placement.title = MainWindowTitle;
    placement.style = WS_POPUP | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN;
    placement.exStyle = WS_EX_CONTROLPARENT | WS_EX_TOOLWINDOW;
    placement.x = corner.x;
    placement.y = corner.y;
    placement.width = MainWindowWidth;
    placement.height = MainWindowHeight;
    const HWND window = form.create(placement);
    if (window == nullptr) return;
    ShowWindow(window, SW_SHOWNORMAL);
    UpdateWindow(window);
    runMessageLoop(nullptr);
    if (IsWindow(window)) form.close();  // a WM_QUIT from elsewhere: end as on WM_CLOSE
}

}  // namespace tavomerix
