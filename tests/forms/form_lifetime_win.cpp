// Checks of the form toolkit inside one process, run under Wine by scripts/test-windows:
// how a modal form ends (activation back to its owner, the derived WM_DESTROY handling
// when WM_QUIT ends its loop) and how a form follows a change of its DPI. Prints one line
// per check and "N passed, N failed"; exits 1 on any failure.
#include <windows.h>

#include <cstdio>
#include <string>

#include "forms/font_spec.h"
#include "forms/form_win.h"

namespace {

using tavomerix::Form;

int passed = 0;
int failed = 0;

void check(const char* name, bool ok, const std::string& detail = "") {
    (ok ? passed : failed)++;
    std::printf("%s - %s%s%s\n", ok ? "ok" : "FAIL", name, detail.empty() ? "" : ": ",
                detail.c_str());
    std::fflush(stdout);
}

// What a probe form does as soon as it is created.
enum class OnCreate { Nothing, PostClose, PostQuit };

// A form that records its activations and its WM_DESTROY.
class Probe final : public Form {
public:
    explicit Probe(std::string_view name, OnCreate onCreate = OnCreate::Nothing)
        : Form(name), onCreate_(onCreate) {}

    int activations = 0;
    bool destroyed = false;

    void show(HWND owner) {
        tavomerix::FormPlacement p;
        p.title = "probe";
        p.style = WS_POPUP | WS_CAPTION | WS_VISIBLE;
        p.width = 200;
        p.height = 120;
        p.owner = owner;
        create(p);
    }

protected:
    LRESULT onMessage(UINT message, WPARAM wParam, LPARAM lParam) override {
        switch (message) {
            case WM_CREATE:
                if (onCreate_ == OnCreate::PostClose) PostMessageW(window(), WM_CLOSE, 0, 0);
                if (onCreate_ == OnCreate::PostQuit) PostQuitMessage(0);
                break;
            case WM_ACTIVATE:
                if (LOWORD(wParam) != WA_INACTIVE) ++activations;
                break;
            case WM_DESTROY:
                destroyed = true;
                break;
            default:
                break;
        }
        return defaultMessage(message, wParam, lParam);
    }

private:
    OnCreate onCreate_;
};

// Handles what is waiting, a WM_QUIT included.
void drain() {
    MSG message{};
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        if (message.message != WM_QUIT) DispatchMessageW(&message);
    }
}

void activationReturnsToOwner() {
    Probe owner("ownerForm");
    Probe other("otherForm");  // another application's window, next in line for activation
    other.show(nullptr);
    owner.show(nullptr);
    SetActiveWindow(owner.window());
    drain();
    other.activations = 0;
    Probe modal("modalForm", OnCreate::PostClose);
    modal.showModal(owner.window(), "modal", 200, 120);
    check("a closed modal form leaves its owner enabled", IsWindowEnabled(owner.window()) != 0);
    check("and active", GetActiveWindow() == owner.window());
    check("no other window was activated in between", other.activations == 0,
          std::to_string(other.activations) + " activations");
    DestroyWindow(owner.window());
    DestroyWindow(other.window());
    drain();
}

void quitEndsModalLoop() {
    Probe owner("ownerForm");
    owner.show(nullptr);
    Probe modal("modalForm", OnCreate::PostQuit);
    modal.showModal(owner.window(), "modal", 200, 120);
    check("WM_QUIT during a modal form: its window is gone on return", modal.window() == nullptr);
    check("the derived WM_DESTROY handling ran", modal.destroyed);
    check("the owner is enabled again", IsWindowEnabled(owner.window()) != 0);
    MSG message{};
    check("WM_QUIT is passed on to the enclosing loop",
          PeekMessageW(&message, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE) != 0);
    DestroyWindow(owner.window());
    drain();
}

// A form with one line of text that counts its layouts at a new DPI.
class DpiProbe final : public Form {
public:
    static constexpr int LineId = 100;
    static constexpr tavomerix::PixelBox Line = {10, 20, 100, 13};  // at 96 DPI
    static constexpr std::string_view LineFont = "宋体,-13,0,0,0,400,0,0,0,134,3,2,1,2";

    DpiProbe() : Form("dpiForm") {}
    int layouts = 0;

protected:
    LRESULT onMessage(UINT message, WPARAM wParam, LPARAM lParam) override {
        if (message == WM_CREATE) {
            createControl({LineId,
                           tavomerix::ControlKind::ReadOnlyLine,
                           Line.x,
                           Line.y,
                           Line.width,
                           Line.height,
                           LineFont,
                           {},
                           {},
                           "",
                           "text"});
        }
        return defaultMessage(message, wParam, lParam);
    }
    void onDpiChanged() override { ++layouts; }
};

tavomerix::PixelBox childBox(HWND child) {
    RECT r{};
    GetWindowRect(child, &r);
    MapWindowPoints(nullptr, GetParent(child), reinterpret_cast<POINT*>(&r), 2);
    return {r.left, r.top, r.right - r.left, r.bottom - r.top};
}

std::string boxText(const tavomerix::PixelBox& b) {
    return "(" + std::to_string(b.x) + "," + std::to_string(b.y) + ") " + std::to_string(b.width) +
           " x " + std::to_string(b.height);
}

void layoutFollowsTheDpi() {
    using tavomerix::scaledBox;
    DpiProbe form;
    tavomerix::FormPlacement p;
    p.title = "dpi";
    p.style = WS_POPUP | WS_CAPTION | WS_VISIBLE;
    p.width = 200;
    p.height = 120;
    form.create(p);
    const HWND line =
        form.window() == nullptr ? nullptr : GetDlgItem(form.window(), DpiProbe::LineId);
    check("a form with a control opens", line != nullptr);
    if (line == nullptr) return;
    const int next = form.dpi() == 144 ? 192 : 144;
    RECT before{};
    GetWindowRect(form.window(), &before);
    SIZE size{};
    const LRESULT answered = SendMessageW(form.window(), 0x02E4, static_cast<WPARAM>(next),
                                          reinterpret_cast<LPARAM>(&size));
    check("WM_GETDPISCALEDSIZE answers a larger size for a higher DPI",
          answered != 0 && size.cx > before.right - before.left &&
              size.cy > before.bottom - before.top,
          std::to_string(size.cx) + " x " + std::to_string(size.cy));
    RECT suggested{40, 30, 40 + size.cx, 30 + size.cy};
    SendMessageW(form.window(), 0x02E0, MAKEWPARAM(next, next),
                 reinterpret_cast<LPARAM>(&suggested));
    RECT moved{};
    GetWindowRect(form.window(), &moved);
    check("WM_DPICHANGED moves the window to the suggested rectangle",
          EqualRect(&moved, &suggested) != 0);
    check("the form is laid out once at the new DPI", form.dpi() == next && form.layouts == 1,
          std::to_string(form.dpi()) + " DPI, " + std::to_string(form.layouts) + " layouts");
    check("the control moves to its place at the new DPI",
          childBox(line) == scaledBox(DpiProbe::Line, next), boxText(childBox(line)));
    LOGFONTW font{};
    GetObjectW(reinterpret_cast<HFONT>(SendMessageW(line, WM_GETFONT, 0, 0)), sizeof(font), &font);
    check("and takes its font at the new DPI", font.lfHeight == tavomerix::fontHeight(-13, next),
          std::to_string(font.lfHeight));
    DestroyWindow(form.window());
    drain();
}

}  // namespace

int main() {
    activationReturnsToOwner();
    quitEndsModalLoop();
    layoutFollowsTheDpi();
    std::printf("%d passed, %d failed\n", passed, failed);
    return failed == 0 ? 0 : 1;
}
