// Checks of the form toolkit inside one process, run under Wine by scripts/test-windows:
// how a modal form ends (activation back to its owner, the derived WM_DESTROY handling
// when WM_QUIT ends its loop). Prints one line per check and "N passed, N failed"; exits 1
// on any failure.
#include <windows.h>

#include <cstdio>
#include <string>

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

}  // namespace

int main() {
    activationReturnsToOwner();
    quitEndsModalLoop();
    std::printf("%d passed, %d failed\n", passed, failed);
    return failed == 0 ? 0 : 1;
}
