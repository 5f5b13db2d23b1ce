#include "forms/form_win.h"

#include <commctrl.h>

#include <map>
#include <memory>
#include <new>
#include <string>

#include "forms/font_spec.h"
#include "forms/form_style.h"
#include "forms/wide_text.h"

namespace tavomerix {

namespace {

constexpr COLORREF FormBackground = colourRef(FormBackgroundColour);
constexpr COLORREF TooltipText = RGB(0, 128, 128);
constexpr COLORREF TooltipBackground = RGB(192, 255, 255);
constexpr int TooltipInitialDelayMs = 100;
constexpr int TooltipDisplayMs = 5000;
// Messages of per-monitor DPI awareness (Windows 8.1 and 10), named here since the headers
// for Windows 7 leave them out.
constexpr UINT DpiChangedMessage = 0x02E0;     // WM_DPICHANGED
constexpr UINT DpiScaledSizeMessage = 0x02E4;  // WM_GETDPISCALEDSIZE
// The icons of every form at 96 DPI.
constexpr int LargeIconPixels = 32;
constexpr int SmallIconPixels = 16;

// A function of user32 that only some versions of Windows have (and the headers for
// Windows 7 do not declare); nullptr where it is missing.
template <class Function>
Function user32Function(const char* name) {
    const HMODULE user32 = GetModuleHandleW(L"user32.dll");
    const FARPROC found = user32 == nullptr ? nullptr : GetProcAddress(user32, name);
    return reinterpret_cast<Function>(reinterpret_cast<void (*)()>(found));
}

// The DPI functions of Windows 10 (version 1607 and later), looked up once.
using DpiForWindowFunction = UINT(WINAPI*)(HWND);
using DpiForSystemFunction = UINT(WINAPI*)();
using AdjustForDpiFunction = BOOL(WINAPI*)(RECT*, DWORD, BOOL, DWORD, UINT);
struct DpiFunctions {
    DpiForWindowFunction dpiForWindow = user32Function<DpiForWindowFunction>("GetDpiForWindow");
    DpiForSystemFunction dpiForSystem = user32Function<DpiForSystemFunction>("GetDpiForSystem");
    AdjustForDpiFunction adjustForDpi =
        user32Function<AdjustForDpiFunction>("AdjustWindowRectExForDpi");
};
const DpiFunctions& dpiFunctions() {
    static const DpiFunctions functions;
    return functions;
}

// The frame that a window style adds around the client area at dpi; false where the system
// can only tell it at its own DPI.
bool frameSize(DWORD style, DWORD exStyle, int dpi, PixelSize& frame) {
    const auto adjust = dpiFunctions().adjustForDpi;
    RECT r{};
    if (adjust == nullptr || !adjust(&r, style, FALSE, exStyle, static_cast<UINT>(dpi)))
        return false;
    frame = {r.right - r.left, r.bottom - r.top};
    return true;
}

COLORREF resolve(const PaintColour& colour) {
    return colour.system ? GetSysColor(static_cast<int>(colour.value)) : colour.value;
}

void recomputeBrush(ControlRecord& record) {
    if (record.customColours)
        record.backgroundBrush.reset(CreateSolidBrush(resolve(record.background)));
}

const wchar_t* tagName(int which) { return which == 2 ? TagProperty2 : TagProperty; }

void freeTags(HWND window) {
    for (int which = 1; which <= 2; ++which)
        delete static_cast<std::wstring*>(RemovePropW(window, tagName(which)));
}

int CALLBACK firstCharset(const LOGFONTW* font, const TEXTMETRICW*, DWORD, LPARAM found) {
    *reinterpret_cast<BYTE*>(found) = font->lfCharSet;
    return 0;  // the first family reported is enough
}

BOOL CALLBACK forwardToChild(HWND child, LPARAM message) {
    SendMessageW(child, static_cast<UINT>(message), 0, 0);
    return TRUE;
}

// The record of the combo box whose drop-down list is this window, found among the
// form's children; nullptr when there is none.
struct ListOwnerSearch {
    HWND list;
    ControlRecord* record;
};
BOOL CALLBACK findListOwner(HWND child, LPARAM search) {
    auto* s = reinterpret_cast<ListOwnerSearch*>(search);
    COMBOBOXINFO info{};
    info.cbSize = sizeof(info);
    if (GetComboBoxInfo(child, &info) && info.hwndList == s->list) {
        s->record = controlRecord(child);
        return FALSE;
    }
    return TRUE;
}

}  // namespace

ControlRecord* controlRecord(HWND window) {
    return window == nullptr ? nullptr
                             : static_cast<ControlRecord*>(GetPropW(window, ControlRecordProperty));
}

int systemDpi() {
    if (const auto forSystem = dpiFunctions().dpiForSystem) return static_cast<int>(forSystem());
    const WindowDc screen(nullptr);
    return GetDeviceCaps(screen.get(), LOGPIXELSY);
}

int windowDpi(HWND window) {
    const auto forWindow = dpiFunctions().dpiForWindow;
    const UINT dpi = forWindow == nullptr || window == nullptr ? 0 : forWindow(window);
    return dpi > 0 ? static_cast<int>(dpi) : systemDpi();
}

FontHandle createFont(std::wstring_view face, int size, int weight, bool italic, bool underline,
                      bool strikeout, int dpi) {
    if (face.empty()) return FontHandle();
    const WindowDc screen(nullptr);
    LOGFONTW wanted{};
    wanted.lfCharSet = DEFAULT_CHARSET;
    face.copy(wanted.lfFaceName, LF_FACESIZE - 1);
    BYTE charset = DEFAULT_CHARSET;
    EnumFontFamiliesExW(screen.get(), &wanted, firstCharset, reinterpret_cast<LPARAM>(&charset), 0);
    return FontHandle(CreateFontW(fontHeight(size, dpi), 0, 0, 0, weight, italic, underline,
                                  strikeout, charset, OUT_TT_PRECIS, CLIP_DEFAULT_PRECIS,
                                  DEFAULT_QUALITY, DEFAULT_PITCH, wanted.lfFaceName));
}

HFONT fontFromSpec(std::string_view spec, int dpi) {
    static std::map<int, std::map<std::string, FontHandle, std::less<>>> cacheByDpi;
    auto& cache = cacheByDpi[dpi];
    const auto known = cache.find(spec);
    if (known != cache.end()) return known->second.get();
    const FontSpec f = parseFontSpec(spec);
    FontHandle font =
        createFont(widen(f.face), f.size, f.weight, f.italic, f.underline, f.strikeout, dpi);
    const HFONT handle = font.get();
    cache.emplace(std::string(spec), std::move(font));
    return handle;
}

void setControlColours(HWND control, PaintColour text, PaintColour background) {
    ControlRecord* record = controlRecord(control);
    if (record == nullptr) return;
    record->text = text;
    record->background = background;
    record->customColours = true;
    recomputeBrush(*record);
}

void setTag(HWND window, int which, std::string_view text) {
    delete static_cast<std::wstring*>(RemovePropW(window, tagName(which)));
    if (text.empty()) return;
    auto* copy = new (std::nothrow) std::wstring(widen(text));
    if (copy != nullptr && !SetPropW(window, tagName(which), copy)) delete copy;
}

std::string tag(HWND window, int which) {
    const auto* text = static_cast<const std::wstring*>(GetPropW(window, tagName(which)));
    return text == nullptr ? std::string() : narrow(*text);
}

std::string windowText(HWND window) {
    const int length = GetWindowTextLengthW(window);
    if (length <= 0) return {};
    std::wstring text(static_cast<size_t>(length) + 1, L'\0');
    text.resize(static_cast<size_t>(GetWindowTextW(window, text.data(), length + 1)));
    return narrow(text);
}

void setWindowText(HWND window, std::string_view text) {
    SetWindowTextW(window, widen(text).c_str());
}

bool isChecked(HWND button) { return SendMessageW(button, BM_GETCHECK, 0, 0) == BST_CHECKED; }

void setChecked(HWND button, bool checked) {
    SendMessageW(button, BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
}

namespace {

// Offers a message to the focused control, then to dialog navigation of the active window,
// then translates and dispatches it.
void deliver(MSG& message) {
    const HWND focus = GetFocus();
    if (controlRecord(focus) != nullptr &&
        SendMessageW(focus, PreTranslateMessage, 0, reinterpret_cast<LPARAM>(&message)) != 0) {
        return;
    }
    const HWND active = GetActiveWindow();
    if (active != nullptr && IsDialogMessageW(active, &message)) return;
    TranslateMessage(&message);
    DispatchMessageW(&message);
}

}  // namespace

int runMessageLoop(HWND until) {
    MSG message{};
    while (until == nullptr || IsWindow(until)) {
        const BOOL got = GetMessageW(&message, nullptr, 0, 0);
        if (got == -1) return 0;
        if (got == 0) {
            if (until != nullptr)
                PostQuitMessage(static_cast<int>(message.wParam));  // for the outer loop
            return static_cast<int>(message.wParam);
        }
        deliver(message);
    }
    return 0;
}

bool pumpMessages() {
    MSG message{};
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        if (message.message == WM_QUIT) {
            PostQuitMessage(static_cast<int>(message.wParam));  // for the enclosing loop
            return false;
        }
        deliver(message);
    }
    return true;
}

Form::Form(std::string_view formName) : className_(L"TAVOMERIX_") {
    for (const char c : formName) {
        className_ += static_cast<wchar_t>(c >= 'a' && c <= 'z' ? c - 'a' + 'A' : c);
    }
    record_.form = this;
}

Form::~Form() {
    // Only the base is left here: the derived handling of WM_DESTROY cannot run any more.
    if (window_ != nullptr) DestroyWindow(window_);
}

bool Form::registerClass() const {
    const HINSTANCE instance = GetModuleHandleW(nullptr);
    WNDCLASSEXW known{};
    known.cbSize = sizeof(known);
    if (GetClassInfoExW(instance, className_.c_str(), &known)) return true;
    WNDCLASSEXW c{};
    c.cbSize = sizeof(c);
    c.style = CS_HREDRAW | CS_VREDRAW | CS_DBLCLKS;
    c.lpfnWndProc = formProc;
    c.hInstance = instance;
    c.hIcon =
        static_cast<HICON>(LoadImageW(instance, AppIconResource, IMAGE_ICON, 32, 32, LR_SHARED));
    c.hIconSm =
        static_cast<HICON>(LoadImageW(instance, AppIconResource, IMAGE_ICON, 16, 16, LR_SHARED));
    c.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    c.hbrBackground = CreateSolidBrush(FormBackground);  // kept by the class for the run
    c.lpszClassName = className_.c_str();
    return RegisterClassExW(&c) != 0;
}

PixelSize Form::outerSize(int dpi) const {
    PixelSize frameAt96;
    PixelSize frameAtDpi;
    if (!frameSize(style_, exStyle_, BaseDpi, frameAt96) ||
        !frameSize(style_, exStyle_, dpi, frameAtDpi)) {
        return {scaled(outerAt96_.width, dpi), scaled(outerAt96_.height, dpi)};  // frame and all
    }
    return scaledWindowSize(outerAt96_, frameAt96, frameAtDpi, dpi);
}

void Form::setIcons() {
    const HINSTANCE instance = GetModuleHandleW(nullptr);
    const struct {
        WPARAM which;
        int pixels;
    } Icons[] = {{ICON_BIG, LargeIconPixels}, {ICON_SMALL, SmallIconPixels}};
    for (const auto& icon : Icons) {
        const int size = scaled(icon.pixels, dpi_);
        SendMessageW(window_, WM_SETICON, icon.which,
                     reinterpret_cast<LPARAM>(
                         LoadImageW(instance, AppIconResource, IMAGE_ICON, size, size, LR_SHARED)));
    }
}

HWND Form::create(const FormPlacement& p) {
    if (!registerClass()) return nullptr;
    outerAt96_ = {p.width, p.height};
    style_ = p.style;
    exStyle_ = p.exStyle;
    // The window's own DPI is known once it exists; until then the system's is the best guess.
    const int guessedDpi = systemDpi();
    const PixelSize size = outerSize(guessedDpi);
    int x = p.x;
    int y = p.y;
    if (x == CW_USEDEFAULT || y == CW_USEDEFAULT) {
        x = (GetSystemMetrics(SM_CXSCREEN) - size.width) / 2;
        y = (GetSystemMetrics(SM_CYSCREEN) - size.height) / 2;
    }
    const HWND window =
        CreateWindowExW(p.exStyle, className_.c_str(), widen(p.title).c_str(), p.style, x, y,
                        size.width, size.height, p.owner, nullptr, GetModuleHandleW(nullptr), this);
    if (window == nullptr) return nullptr;
    if (dpi_ != guessedDpi) {  // opened on a monitor of another resolution
        const PixelSize own = outerSize(dpi_);
        SetWindowPos(window, nullptr, 0, 0, own.width, own.height,
                     SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    setIcons();
    return window;
}

void Form::layOutAgain(int dpi, const RECT& suggested) {
    dpi_ = dpi;
    SetWindowPos(window_, nullptr, suggested.left, suggested.top, suggested.right - suggested.left,
                 suggested.bottom - suggested.top, SWP_NOZORDER | SWP_NOACTIVATE);
    for (HWND child = GetWindow(window_, GW_CHILD); child != nullptr;
         child = GetWindow(child, GW_HWNDNEXT)) {
        ControlRecord* record = controlRecord(child);
        if (record == nullptr || record->form != this) continue;
        const PixelBox box = scaledBox(record->layout, dpi);
        MoveWindow(child, box.x, box.y, box.width, box.height, TRUE);
        record->font = fontFromSpec(record->fontSpec, dpi);
        if (record->font != nullptr)
            SendMessageW(child, WM_SETFONT, reinterpret_cast<WPARAM>(record->font), TRUE);
    }
    setIcons();
    onDpiChanged();
}

void Form::showForm(const FormPlacement& placement, HWND parent, bool modal) {
    // A modal form's style makes it visible at creation: its owner is disabled first, so
    // that the owner never takes input while the form is on screen.
    const bool disableParent = modal && parent != nullptr;
    if (disableParent) EnableWindow(parent, FALSE);
    if (create(placement) == nullptr) {
        if (disableParent) EnableWindow(parent, TRUE);
        return;
    }
    if (!modal) {
        ShowWindow(window_, SW_SHOW);
        return;
    }
    record_.modal = true;
    record_.parent = parent;
    const HWND window = window_;
    ShowWindow(window, SW_SHOW);
    UpdateWindow(window);
    runMessageLoop(window);
    // WM_QUIT ends the loop with the window still there: it goes now, while the derived
    // object still handles its messages.
    if (IsWindow(window)) close();
    if (parent != nullptr) {
        EnableWindow(parent, TRUE);
        SetActiveWindow(parent);
    }
}

void Form::close() {
    if (window_ == nullptr) return;
    if (record_.modal && record_.parent != nullptr) EnableWindow(record_.parent, TRUE);
    DestroyWindow(window_);
}

void Form::showModal(HWND owner, std::string_view title, int width, int height) {
    FormPlacement placement;
    placement.title = title;
    placement.style = ModalFormStyle;
    placement.exStyle = ModalFormExStyle;
    placement.width = width;
    placement.height = height;
    placement.owner = owner;
    showForm(placement, owner, true);
}

LRESULT CALLBACK Form::formProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    Form* form = nullptr;
    if (message == WM_NCCREATE) {
        form = static_cast<Form*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
        form->window_ = window;
        form->record_.window = window;
        form->dpi_ = windowDpi(window);
        SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(form));
        SetPropW(window, ControlRecordProperty, &form->record_);
    } else {
        form = reinterpret_cast<Form*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    }
    if (form == nullptr) return DefWindowProcW(window, message, wParam, lParam);
    const LRESULT result = form->onMessage(message, wParam, lParam);
    if (message == WM_NCDESTROY) {
        RemovePropW(window, ControlRecordProperty);
        freeTags(window);
        SetWindowLongPtrW(window, GWLP_USERDATA, 0);
        form->window_ = nullptr;
        form->tooltip_ = nullptr;
        form->record_.lastFocusedChild = nullptr;
    }
    return result;
}

LRESULT Form::onMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    return defaultMessage(message, wParam, lParam);
}

bool Form::onControlMessage(ControlRecord&, UINT, WPARAM, LPARAM, LRESULT&) { return false; }

LRESULT Form::paintControl(HDC dc, HWND control, UINT message) {
    ControlRecord* record = controlRecord(control);
    if (record == nullptr && message == WM_CTLCOLORLISTBOX) {
        ListOwnerSearch search{control, nullptr};
        EnumChildWindows(window_, findListOwner, reinterpret_cast<LPARAM>(&search));
        record = search.record;
    }
    if (record == nullptr || !record->customColours)
        return DefWindowProcW(window_, message, reinterpret_cast<WPARAM>(dc),
                              reinterpret_cast<LPARAM>(control));
    if (record->isEdit && !IsWindowEnabled(control)) {
        SetTextColor(dc, GetSysColor(COLOR_GRAYTEXT));
        SetBkColor(dc, GetSysColor(COLOR_BTNFACE));
        return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_BTNFACE));
    }
    SetTextColor(dc, resolve(record->text));
    SetBkColor(dc, resolve(record->background));
    if (record->isEdit) SetBkMode(dc, OPAQUE);
    return reinterpret_cast<LRESULT>(record->backgroundBrush.get());
}

LRESULT Form::defaultMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_CTLCOLOREDIT:
        case WM_CTLCOLORLISTBOX:
        case WM_CTLCOLORBTN:
        case WM_CTLCOLORSTATIC:
            return paintControl(reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam),
                                message);
        case WM_SYSCOLORCHANGE:
        case WM_THEMECHANGED:
            recomputeBrush(record_);
            EnumChildWindows(window_, forwardToChild, static_cast<LPARAM>(message));
            break;
        case WM_CLOSE:
            close();
            return 0;
        case DpiChangedMessage:
            layOutAgain(HIWORD(wParam), *reinterpret_cast<const RECT*>(lParam));
            return 0;
        case DpiScaledSizeMessage: {
            const PixelSize size = outerSize(static_cast<int>(wParam));
            *reinterpret_cast<SIZE*>(lParam) = {size.width, size.height};
            return TRUE;
        }
        case WM_SETFOCUS:
            if (record_.lastFocusedChild != nullptr && IsWindow(record_.lastFocusedChild)) {
                SetFocus(record_.lastFocusedChild);
                return 0;
            }
            break;
        default:
            break;
    }
    return DefWindowProcW(window_, message, wParam, lParam);
}

namespace {

// Window class, styles and extended styles of a kind of control.
struct ControlClass {
    const wchar_t* name;
    DWORD style;
    DWORD exStyle;
};

ControlClass controlClass(ControlKind kind) {
    constexpr DWORD Child = WS_CHILD | WS_VISIBLE;
    switch (kind) {
        case ControlKind::DropDownList:
            return {L"ComboBox", Child | WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWNLIST, 0};
        case ControlKind::ReadOnlyLine:
            return {L"Edit", Child | WS_TABSTOP | ES_CENTER | ES_AUTOHSCROLL, 0};
        case ControlKind::Label:
            return {L"Static", Child | SS_LEFT, 0};
        case ControlKind::PushButton:
            return {L"Button", Child | WS_TABSTOP | WS_GROUP | BS_PUSHBUTTON, 0};
        case ControlKind::CheckBox:
            return {L"Button",
                    Child | WS_TABSTOP | WS_GROUP | BS_AUTOCHECKBOX | BS_LEFT | BS_VCENTER, 0};
        case ControlKind::FirstOptionButton:
            return {L"Button", Child | WS_TABSTOP | WS_GROUP | BS_AUTORADIOBUTTON, 0};
        case ControlKind::OptionButton:
            return {L"Button", Child | BS_AUTORADIOBUTTON, 0};
        case ControlKind::InputField:
            return {L"Edit", Child | WS_TABSTOP | WS_GROUP | ES_LEFT | ES_AUTOHSCROLL,
                    WS_EX_CLIENTEDGE};
        case ControlKind::OutputBox:
            return {L"Edit",
                    Child | WS_TABSTOP | WS_GROUP | WS_VSCROLL | WS_HSCROLL | ES_LEFT |
                        ES_MULTILINE | ES_AUTOVSCROLL | ES_AUTOHSCROLL | ES_READONLY,
                    WS_EX_CLIENTEDGE};
        case ControlKind::EntryList:
            return {L"ListBox",
                    Child | WS_TABSTOP | WS_GROUP | WS_VSCROLL | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT,
                    WS_EX_CLIENTEDGE};
    }
    return {L"Static", Child, 0};
}

bool isButtonKind(ControlKind kind) {
    return kind == ControlKind::PushButton || kind == ControlKind::CheckBox ||
           kind == ControlKind::FirstOptionButton || kind == ControlKind::OptionButton;
}

bool isEditKind(ControlKind kind) {
    return kind == ControlKind::ReadOnlyLine || kind == ControlKind::InputField ||
           kind == ControlKind::OutputBox;
}

}  // namespace

HWND Form::createControl(const ControlSpec& spec) {
    const ControlClass kind = controlClass(spec.kind);
    const ControlSpec placed = scaledControl(spec, dpi_);
    const HWND control = CreateWindowExW(
        kind.exStyle, kind.name, widen(spec.caption).c_str(), kind.style, placed.x, placed.y,
        placed.width, placed.height, window_,
        reinterpret_cast<HMENU>(static_cast<INT_PTR>(spec.id)), GetModuleHandleW(nullptr), nullptr);
    if (control == nullptr) return nullptr;
    auto* record = new (std::nothrow) ControlRecord();
    if (record == nullptr || !SetPropW(control, ControlRecordProperty, record)) {
        delete record;
        DestroyWindow(control);
        return nullptr;
    }
    record->window = control;
    record->isEdit = isEditKind(spec.kind);
    record->form = this;
    record->previousProc = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrW(control, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(controlProc)));
    record->layout = {spec.x, spec.y, spec.width, spec.height};
    record->fontSpec = std::string(spec.fontSpec);
    record->font = fontFromSpec(spec.fontSpec, dpi_);
    if (record->font != nullptr)
        SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(record->font), TRUE);
    freeTags(control);
    if (!isButtonKind(spec.kind)) {
        setControlColours(control, {colourRef(spec.text), false},
                          {colourRef(spec.background), false});
    }
    if (spec.kind == ControlKind::ReadOnlyLine) {
        SendMessageW(control, EM_SETREADONLY, TRUE, 0);
        SendMessageW(control, EM_LIMITTEXT, 0, 0);
    }
    if (spec.kind == ControlKind::OutputBox) SendMessageW(control, EM_LIMITTEXT, 0, 0);
    if (spec.kind == ControlKind::InputField) record->selectOnFocus = 1;
    return control;
}

void Form::addTooltip(HWND control, std::string_view text) {
    if (tooltip_ == nullptr) {
        tooltip_ = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr,
                                   WS_POPUP | TTS_NOPREFIX | TTS_BALLOON, CW_USEDEFAULT,
                                   CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, window_, nullptr,
                                   GetModuleHandleW(nullptr), nullptr);
        if (tooltip_ == nullptr) return;
        SendMessageW(tooltip_, TTM_SETTIPTEXTCOLOR, TooltipText, 0);
        SendMessageW(tooltip_, TTM_SETTIPBKCOLOR, TooltipBackground, 0);
        SendMessageW(tooltip_, TTM_SETDELAYTIME, TTDT_INITIAL, TooltipInitialDelayMs);
        SendMessageW(tooltip_, TTM_SETDELAYTIME, TTDT_AUTOPOP, TooltipDisplayMs);
        SendMessageW(tooltip_, TTM_SETDELAYTIME, TTDT_RESHOW, 0);
    }
    std::wstring wide = widen(text);
    TOOLINFOW tool{};
    tool.cbSize = sizeof(tool);
    tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS | TTF_CENTERTIP;
    tool.hwnd = window_;
    tool.uId = reinterpret_cast<UINT_PTR>(control);
    tool.lpszText = wide.data();  // the tooltip copies the text
    SendMessageW(tooltip_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
}

LRESULT CALLBACK Form::controlProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    ControlRecord* record = controlRecord(window);
    if (record == nullptr) return DefWindowProcW(window, message, wParam, lParam);
    const WNDPROC previous = record->previousProc;
    switch (message) {
        case WM_SETFOCUS: {
            const LRESULT result = CallWindowProcW(previous, window, message, wParam, lParam);
            if (record->isEdit)
                SendMessageW(window, EM_SETSEL, record->selectOnFocus ? 0 : -1,
                             record->selectOnFocus ? -1 : 0);
            if (ControlRecord* form = controlRecord(GetParent(window)))
                form->lastFocusedChild = window;
            return result;
        }
        case WM_SYSCOLORCHANGE:
        case WM_THEMECHANGED:
            recomputeBrush(*record);
            break;
        case WM_NCDESTROY: {
            if (GetWindowLongPtrW(window, GWLP_WNDPROC) ==
                reinterpret_cast<LONG_PTR>(controlProc)) {
                SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(previous));
            }
            RemovePropW(window, ControlRecordProperty);
            freeTags(window);
            if (ControlRecord* form = controlRecord(GetParent(window));
                form != nullptr && form->lastFocusedChild == window) {
                form->lastFocusedChild = nullptr;
            }
            delete record;
            return CallWindowProcW(previous, window, message, wParam, lParam);
        }
        default:
            break;
    }
    LRESULT result = 0;
    if (record->form != nullptr &&
        record->form->onControlMessage(*record, message, wParam, lParam, result)) {
        return result;
    }
    return CallWindowProcW(previous, window, message, wParam, lParam);
}

LRESULT ButtonForm::onMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_CREATE:
            createControls();
            return 0;
        case WM_COMMAND:
            if (HIWORD(wParam) == BN_CLICKED) onClick(LOWORD(wParam));
            return 0;
        default:
            return defaultMessage(message, wParam, lParam);
    }
}

}  // namespace tavomerix
