#pragma once

#include <windows.h>

#include <string>
#include <string_view>

#include "forms/control_spec.h"
#include "forms/dpi_scale.h"
#include "forms/handles.h"

namespace tavomerix {

// Message sent to the focused control before dialog navigation; lParam points to the MSG.
// A non-zero answer consumes the message.
constexpr UINT PreTranslateMessage = 0x37F;

// Window properties: the control record and two free texts.
constexpr wchar_t ControlRecordProperty[] = L"FF_PTR";
constexpr wchar_t TagProperty[] = L"FF_TAGPROPERTY";
constexpr wchar_t TagProperty2[] = L"FF_TAGPROPERTY2";

// Name of the icon resource of every form and of the notification-area icon.
constexpr wchar_t AppIconResource[] = L"AAAAA_APPICON";

class Form;

// A colour for painting: an RGB value, or a GetSysColor index when system is set.
struct PaintColour {
    COLORREF value = 0;
    bool system = false;
};

// What the toolkit keeps with every form and child control (property "FF_PTR").
struct ControlRecord {
    WNDPROC previousProc = nullptr;  // the control's own procedure, called for the rest
    HWND window = nullptr;
    HFONT font = nullptr;  // from the font cache, which owns it
    bool customColours = false;
    BrushHandle backgroundBrush;
    HWND lastFocusedChild = nullptr;  // forms: restored on WM_SETFOCUS
    bool isEdit = false;
    int selectOnFocus = 0;  // edits: 1 selects all on focus, 0 clears the selection
    PaintColour text;
    PaintColour background;
    bool modal = false;     // forms: runs its own message loop
    HWND parent = nullptr;  // forms: the window it disabled while modal
    Form* form = nullptr;   // the form the window belongs to
    PixelBox layout;        // controls: the client rectangle at 96 DPI
    std::string fontSpec;   // controls: the font specification, made again when the DPI changes
};

// The record of a form or control; nullptr for a window the toolkit did not create.
ControlRecord* controlRecord(HWND window);

// COLORREF of a colour.
constexpr COLORREF colourRef(const Colour& c) {
    return RGB(static_cast<BYTE>(c.red), static_cast<BYTE>(c.green), static_cast<BYTE>(c.blue));
}

// The font of a specification text such as "宋体,-14,0,0,0,400,0,0,0,134,3,2,1,2" at a
// resolution in DPI, created on first use and shared afterwards (the cache keeps it for the
// run); nullptr (the system font) for an empty face or when the system refuses.
HFONT fontFromSpec(std::string_view spec, int dpi);

// A new font. No font for an empty face. The size is that of a specification (points above
// 0, a logical height at 96 DPI otherwise), scaled to dpi by fontHeight. The character set
// is the first one the screen reports for the face.
FontHandle createFont(std::wstring_view face, int size, int weight, bool italic, bool underline,
                      bool strikeout, int dpi);

// The resolution of the system in DPI (the main screen's as the session started; what a
// window is laid out at before it exists): GetDpiForSystem, or where the system lacks it the
// screen's LOGPIXELSY.
int systemDpi();

// The resolution of a window in DPI (its monitor's for a per-monitor aware program):
// GetDpiForWindow, or where the system lacks it systemDpi().
int windowDpi(HWND window);

// Sets a control's painting colours and background brush and marks them in use.
void setControlColours(HWND control, PaintColour text, PaintColour background);

// Sets one of the two free texts of a window (which 1 or 2), freeing the previous one; ""
// removes it.
void setTag(HWND window, int which, std::string_view text);

// A window's free text (which 1 or 2); "" when none.
std::string tag(HWND window, int which);

// The UTF-8 text of a window or control.
std::string windowText(HWND window);

// Sets the text of a window or control from UTF-8.
void setWindowText(HWND window, std::string_view text);

// Whether a check box or option button is ticked.
bool isChecked(HWND button);

// Ticks or clears a check box or option button.
void setChecked(HWND button, bool checked);

// Runs a message loop until the window is gone (any window: until WM_QUIT). Each message
// is first offered to the focused control (PreTranslateMessage), then to dialog
// navigation of the active window, then translated and dispatched. WM_QUIT is passed on
// to the enclosing loop. Returns the WM_QUIT code, or 0 when the window went.
int runMessageLoop(HWND until);

// Handles the messages already waiting, as runMessageLoop does, and returns without
// waiting for more (a long computation keeps its windows alive this way). False when
// WM_QUIT arrived; it is passed on to the enclosing loop.
bool pumpMessages();

// Placement and styles of a form's window; x or y CW_USEDEFAULT centres it on the screen.
// The position is in screen pixels, the outer size in pixels at 96 DPI (scaled when the
// window is made and when its DPI changes).
struct FormPlacement {
    std::string_view title;
    DWORD style = 0;
    DWORD exStyle = 0;
    int x = CW_USEDEFAULT;
    int y = CW_USEDEFAULT;
    int width = 0;
    int height = 0;
    HWND owner = nullptr;
};

// Styles of the modal windows (tool windows and dialogs): a captioned popup with a close
// box whose children take part in dialog navigation.
constexpr DWORD ModalFormStyle =
    WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_CLIPSIBLINGS | WS_CLIPCHILDREN | WS_VISIBLE;
constexpr DWORD ModalFormExStyle = WS_EX_CONTROLPARENT | WS_EX_WINDOWEDGE;

// The base of every form: a window of class TAVOMERIX_<FORM NAME>, its child controls with
// their records, fonts, colours and tooltips. The object must outlive its window: whoever
// made the form destroys the window while the derived object is whole (showForm does for
// modal forms), so that the derived WM_DESTROY handling runs.
class Form {
public:
    explicit Form(std::string_view formName);
    virtual ~Form();
    Form(const Form&) = delete;
    Form& operator=(const Form&) = delete;

    // The window; nullptr before creation and after destruction.
    HWND window() const { return window_; }
    // The child control with identifier `id`; nullptr when there is none.
    HWND control(int id) const { return GetDlgItem(window_, id); }

    // Registers the class when the system does not know it and creates the window, its
    // outer size scaled to the DPI of the system (and again to the window's own once it is
    // known, when that differs). nullptr when creation fails.
    HWND create(const FormPlacement& placement);

    // The resolution the window and its controls are laid out at, in DPI.
    int dpi() const { return dpi_; }

    // Creates the window and, when modal, disables the parent, shows the window and runs
    // its message loop until it is gone; the parent is enabled again before returning.
    void showForm(const FormPlacement& placement, HWND parent, bool modal);

    // showForm of a modal window (ModalFormStyle) of an outer size, centred on the screen,
    // owned by and disabling `owner`.
    void showModal(HWND owner, std::string_view title, int width, int height);

    // Destroys the window. A modal form enables its owner first, as a dialog does, so that
    // activation returns to the owner and not to another application.
    void close();

protected:
    // The form's message handling; the default gives the shared rules (colours, focus,
    // system colour changes) and then DefWindowProc.
    virtual LRESULT onMessage(UINT message, WPARAM wParam, LPARAM lParam);

    // The form's rules for messages to its controls. Return true with result set to
    // consume the message; false passes it to the control's own procedure.
    virtual bool onControlMessage(ControlRecord& record, UINT message, WPARAM wParam, LPARAM lParam,
                                  LRESULT& result);

    // The shared rules of onMessage, for forms that handle a message and then pass it on.
    // WM_DPICHANGED moves the window to the suggested rectangle and lays the controls out
    // again at the new DPI (then onDpiChanged); WM_GETDPISCALEDSIZE answers the outer size.
    LRESULT defaultMessage(UINT message, WPARAM wParam, LPARAM lParam);

    // Called after the window and its controls were laid out at a new DPI.
    virtual void onDpiChanged() {}

    // Creates a child control from its description at 96 DPI, scaled to the form's DPI:
    // window, record, subclassing, font and colours. nullptr when the window or its record
    // cannot be made (the caller then stops creating controls).
    HWND createControl(const ControlSpec& spec);

    // Registers a tooltip for a control, creating the form's tooltip window on first use.
    void addTooltip(HWND control, std::string_view text);

private:
    static LRESULT CALLBACK formProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    static LRESULT CALLBACK controlProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    bool registerClass() const;
    LRESULT paintControl(HDC dc, HWND control, UINT message);
    PixelSize outerSize(int dpi) const;
    void setIcons();
    void layOutAgain(int dpi, const RECT& suggested);

    std::wstring className_;
    HWND window_ = nullptr;
    HWND tooltip_ = nullptr;
    ControlRecord record_;
    int dpi_ = BaseDpi;
    PixelSize outerAt96_;  // the placement's outer size
    DWORD style_ = 0;      // and its styles, which set the frame
    DWORD exStyle_ = 0;
};

// A form whose controls are made on WM_CREATE and whose buttons report their clicks:
// the shape of the calculator and the year-tables window.
class ButtonForm : public Form {
public:
    using Form::Form;

protected:
    LRESULT onMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    // Creates the form's controls.
    virtual void createControls() = 0;
    // A click on the button (check box, option button) with identifier `id`.
    virtual void onClick(int id) = 0;
};

}  // namespace tavomerix
