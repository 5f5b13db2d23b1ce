#include "app/main_window_win.h"

#include <shellapi.h>

#include <string>
#include <vector>

#include "app/app_settings.h"
#include "app/main_window.h"
#include "app/settings_store.h"
#include "forms/wide_text.h"

namespace tavomerix {

namespace {

HWND mainWindow = nullptr;

constexpr UINT TrayIconId = 0;

RECT workArea() {
    RECT area{};
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &area, 0);
    return area;
}

ScreenRect screenRect(const RECT& r) { return {r.left, r.top, r.right, r.bottom}; }

void setTopmost(HWND window, bool on) {
    SetWindowPos(window, on ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_SHOWWINDOW);
}

void setTransparency(HWND window, int transparency) {
    SetWindowLongW(window, GWL_EXSTYLE, GetWindowLongW(window, GWL_EXSTYLE) | WS_EX_LAYERED);
    SetLayeredWindowAttributes(window, 0, static_cast<BYTE>(layeredAlpha(transparency)), LWA_ALPHA);
}

void setItems(HWND selector, const std::vector<std::string>& items) {
    SendMessageW(selector, CB_RESETCONTENT, 0, 0);
    for (const std::string& item : items) {
        const std::wstring text = widen(item);
        SendMessageW(selector, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str()));
    }
}

// Selects the 1-based item when it exists.
void selectItem(HWND selector, int item) {
    if (item >= 1 && item <= SendMessageW(selector, CB_GETCOUNT, 0, 0)) {
        SendMessageW(selector, CB_SETCURSEL, static_cast<WPARAM>(item - 1), 0);
    }
}

// The 1-based selected item; 0 when none.
int selectedItem(HWND selector) { return static_cast<int>(SendMessageW(selector, CB_GETCURSEL, 0, 0)) + 1; }

class MainWindow final : public Form {
public:
    MainWindow() : Form(MainFormName) {}

protected:
    LRESULT onMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    bool onControlMessage(ControlRecord& record, UINT message, WPARAM wParam, LPARAM lParam,
                          LRESULT& result) override;

private:
    HWND control(int id) const { return GetDlgItem(window(), id); }
    void onCreate();
    void setStampRegion();
    void createMainControls();
    void fillCivilDays();
    void showSolarDate();
    void onCivilSelection(int id);
    void trayIcon(DWORD action);
    void keepOnScreen(WINDOWPOS& position);

    bool tooltipsAttached_ = false;
};

void MainWindow::setStampRegion() {
    const std::vector<ScreenRect> parts = stampOutline();
    const ScreenRect& body = parts.front();
    RegionHandle outline(CreateRectRgn(body.left, body.top, body.right, body.bottom));
    for (size_t i = 1; i < parts.size(); ++i) {
        const RegionHandle tooth(CreateEllipticRgn(parts[i].left, parts[i].top, parts[i].right, parts[i].bottom));
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

void MainWindow::fillCivilDays() {
    const SolarSelection& date = appSettings().selectedSolarDate;
    const HWND days = control(CivilDaySelectorId);
    setItems(days, civilDayItems(date.year, date.month));
    selectItem(days, civilItemOfDay(date.year, date.month, date.day));
}

void MainWindow::showSolarDate() {
    if (!followSolarDate(appSettings())) return;  // the display keeps its previous day
    // LUNAR-SELECTORS: select the lunar year, refill and select the lunar month and day
    // (item texts from the day-information names), then set the day, festival and season
    // lines, each trimmed of spaces.
}

void MainWindow::onCivilSelection(int id) {
    AppSettings& s = appSettings();
    SolarSelection& date = s.selectedSolarDate;
    if (id == CivilDaySelectorId) {
        const int day = civilDayOfItem(date.year, date.month, selectedItem(control(CivilDaySelectorId)));
        if (day == 0) return;
        date.day = day;
    } else {
        const int yearItem = selectedItem(control(CivilYearSelectorId));
        const int monthItem = selectedItem(control(CivilMonthSelectorId));
        if (yearItem >= 1) date.year = s.minYear + yearItem - 1;
        if (monthItem >= 1) date.month = monthItem;
        date.day = keptCivilDay(date.year, date.month, date.day);
        fillCivilDays();
    }
    showSolarDate();
}

void MainWindow::onCreate() {
    AppSettings& s = appSettings();
    mainWindow = window();
    setTransparency(window(), s.RFORMTransFlag * 25);
    setStampRegion();
    createMainControls();
    // COMMAND-MENU: build the command menu here.
    // YEAR-TEXT: fill the civil-year selector with yearText(year) + "年" for minYear..maxYear
    // and select item (today's year - minYear + 1).
    setItems(control(CivilMonthSelectorId), civilMonthItems());
    selectItem(control(CivilMonthSelectorId), s.selectedSolarDate.month);
    fillCivilDays();
    showSolarDate();
    trayIcon(NIM_ADD);
    setTopmost(window(), true);  // the mode at every start
}

void MainWindow::trayIcon(DWORD action) {
    NOTIFYICONDATAW icon{};
    icon.cbSize = sizeof(icon);
    icon.hWnd = window();
    icon.uID = TrayIconId;
    if (action == NIM_ADD) {
        icon.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
        icon.uCallbackMessage = TrayIconMessage;
        icon.hIcon = static_cast<HICON>(
            LoadImageW(GetModuleHandleW(nullptr), AppIconResource, IMAGE_ICON, 32, 32, LR_SHARED));
        const std::wstring tip = widen(MainWindowTitle);
        tip.copy(icon.szTip, std::size(icon.szTip) - 1);
    }
    Shell_NotifyIconW(action, &icon);
}

void MainWindow::keepOnScreen(WINDOWPOS& position) {
    if ((position.flags & SWP_NOMOVE) != 0) return;
    RECT current{};
    GetWindowRect(window(), &current);
    const bool sized = (position.flags & SWP_NOSIZE) == 0;
    const int width = sized ? position.cx : current.right - current.left;
    const int height = sized ? position.cy : current.bottom - current.top;
    const ScreenPoint corner = tavomerix::keepOnScreen({position.x, position.y}, width, height,
                                                       GetSystemMetrics(SM_CXSCREEN), screenRect(workArea()));
    position.x = corner.x;
    position.y = corner.y;
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
        if (appSettings().positionLocked == 0) {
            ReleaseCapture();
            SendMessageW(window(), WM_NCLBUTTONDOWN, HTCAPTION, 0);
        }
        return 0;
    case WM_RBUTTONDOWN:
        // COMMAND-MENU: update the menu's check marks.
        return 0;
    case WM_RBUTTONUP:
        // COMMAND-MENU: open the command menu at the cursor.
        return 0;
    case WM_MOUSEMOVE:
        if (!tooltipsAttached_) {
            tooltipsAttached_ = true;
            for (const ControlSpec& spec : mainControls()) {
                if (!spec.tooltip.empty()) addTooltip(control(spec.id), spec.tooltip);
            }
        }
        return 0;
    case TrayIconMessage:
        if (!IsWindowEnabled(window())) return 0;
        if (lParam == WM_LBUTTONDOWN) SetForegroundWindow(window());
        if (lParam == WM_RBUTTONDOWN) {
            // COMMAND-MENU: update the menu's check marks.
        }
        if (lParam == WM_RBUTTONUP) {
            SetForegroundWindow(window());
            // COMMAND-MENU: open the command menu at the cursor.
        }
        return 0;
    case WM_COMMAND:
        if (HIWORD(wParam) == CBN_SELCHANGE) {
            const int id = LOWORD(wParam);
            if (id >= CivilYearSelectorId && id <= CivilDaySelectorId) onCivilSelection(id);
            // LUNAR-SELECTORS: lunar selectors 3128..3130 move the day through showLunarDate.
            return 0;
        }
        // COMMAND-MENU: menu commands 3175..3201 go to runCommand.
        return 0;
    case WM_SYSCOMMAND:
        if ((wParam & 0xFFF0) == SC_CLOSE) {
            // COMMEMORATION-DIALOG: close the dialog first when it is open.
            SendMessageW(window(), WM_CLOSE, 0, 0);
            return 0;
        }
        break;
    case WM_CLOSE: {
        trayIcon(NIM_DELETE);
        RECT frame{};
        GetWindowRect(window(), &frame);
        saveOrWipeSettings(appSettings(), frame.left, frame.top);
        break;  // the default handling destroys the window
    }
    case WM_DESTROY:
        mainWindow = nullptr;
        PostQuitMessage(0);
        return 0;
    default:
        break;
    }
    return defaultMessage(message, wParam, lParam);
}

bool MainWindow::onControlMessage(ControlRecord& record, UINT message, WPARAM, LPARAM, LRESULT& result) {
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

HWND mainWindowHandle() { return mainWindow; }

void showMainWindow() {
    const AppSettings& s = appSettings();
    const ScreenPoint corner = mainWindowStartPosition(s, screenRect(workArea()), GetSystemMetrics(SM_CXSCREEN),
                                                       GetSystemMetrics(SM_CYSCREEN));
    MainWindow form;
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
}

}  // namespace tavomerix
