#include "app/dialogs_win.h"
#include "app/options_dialog.h"
#include "forms/form_win.h"

namespace tavomerix {

namespace {

class OptionsDialog final : public Form {
public:
    explicit OptionsDialog(AppSettings& settings) : Form(OptionsFormName), settings_(settings) {}
    bool confirmed() const { return confirmed_; }
    const OptionEffects& effects() const { return effects_; }

protected:
    LRESULT onMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    void onCreate();
    int ticked(int id) const { return IsDlgButtonChecked(window(), id) == BST_CHECKED ? 1 : 0; }
    void confirm();

    AppSettings& settings_;
    bool confirmed_ = false;
    OptionEffects effects_;
};

void OptionsDialog::onCreate() {
    for (const ControlSpec& spec : optionControls()) {
        if (createControl(spec) == nullptr) break;
    }
    const OptionChoices now = currentOptions(settings_);
    const int states[] = {now.registryEnabled, now.GanZhiFromLichunFlag,
                          now.LunarYearShowDynastyFlag, now.FestivalInfoShowMuharramFlag,
                          now.ModernCalculateAncientFlag};
    for (int i = 0; i < 5; ++i)
        CheckDlgButton(window(), RegistryOptionId + i,
                       states[i] == 1 ? BST_CHECKED : BST_UNCHECKED);
    SetFocus(GetDlgItem(window(), RegistryOptionId));
}

void OptionsDialog::confirm() {
    const OptionChoices choices{ticked(RegistryOptionId), ticked(LichunOptionId),
                                ticked(DynastyOptionId), ticked(HijriOptionId),
                                ticked(ModernOptionId)};
    effects_ = applyOptions(settings_, choices);
    confirmed_ = true;
    close();
}

LRESULT OptionsDialog::onMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_CREATE:
            onCreate();
            return 0;
        case WM_COMMAND:
            if (HIWORD(wParam) != BN_CLICKED) break;
            if (LOWORD(wParam) == OptionsOkId || LOWORD(wParam) == IDOK) {
                confirm();
                return 0;
            }
            if (LOWORD(wParam) == OptionsCancelId || LOWORD(wParam) == IDCANCEL) {
                close();
                return 0;
            }
            break;
        default:
            break;
    }
    return defaultMessage(message, wParam, lParam);
}

}  // namespace

std::optional<OptionEffects> openOptionsDialog(HWND owner, AppSettings& settings) {
    OptionsDialog dialog(settings);
    FormPlacement placement;
    placement.title = OptionsTitle;
    placement.style =
        WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_CLIPSIBLINGS | WS_CLIPCHILDREN | WS_VISIBLE;
    placement.exStyle = WS_EX_CONTROLPARENT | WS_EX_WINDOWEDGE;
    placement.width = OptionsWidth;
    placement.height = OptionsHeight;
    placement.owner = owner;  // stays above the topmost widget
    dialog.showForm(placement, owner, true);
    if (!dialog.confirmed()) return std::nullopt;
    return dialog.effects();
}

}  // namespace tavomerix
