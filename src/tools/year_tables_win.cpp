#include <string>

#include "forms/form_style.h"
#include "forms/form_win.h"
#include "tools/tool_windows_win.h"
#include "tools/year_tables.h"

namespace tavomerix {

namespace {

constexpr std::string_view FormName = "tForm";
constexpr int WindowWidth = 398;
constexpr int WindowHeight = 316;

constexpr int YearId = 3425;
constexpr int BcId = 3426;
constexpr int ComputeId = 3427;
constexpr int PreviousYearId = 3428;
constexpr int NextYearId = 3429;
constexpr int CancelId = 3434;
constexpr int OutputId = 3435;
constexpr int YearLabelId = 3436;

using K = ControlKind;

constexpr ControlSpec Buttons[] = {
    buttonSpec(BcId, K::CheckBox, 150, 10, 62, 20, "公元前"),
    buttonSpec(ComputeId, K::PushButton, 214, 8, 40, 24, "计算"),
    buttonSpec(PreviousYearId, K::PushButton, 256, 8, 42, 24, "上一年"),
    buttonSpec(NextYearId, K::PushButton, 300, 8, 42, 24, "下一年"),
    buttonSpec(CancelId, K::PushButton, 344, 8, 38, 24, "取消"),
};

struct ModeTexts {
    std::string_view title;
    std::string_view yearLabel;
};
constexpr ModeTexts Modes[] = {
    {"计算农历月", "农历年份"},
    {"计算节气日", "公历年份"},
    {"计算朔望日", "公历年份"},
};

class YearTablesWindow final : public ButtonForm {
public:
    YearTablesWindow(YearTableMode mode, const LunarCalendar& calendar, int minYear)
        : ButtonForm(FormName), mode_(mode), calendar_(calendar), minYear_(minYear) {}

private:
    void createControls() override {
        const ModeTexts& texts = Modes[static_cast<int>(mode_) - 1];
        if (createControl({YearLabelId, K::Label, 8, 12, 64, 18, SongFont14, BlueText,
                           FormBackgroundColour, "", texts.yearLabel}) == nullptr ||
            createControl({YearId, K::InputField, 74, 8, 72, 24, SongFont15, BlackText,
                           FieldBackground, "", ""}) == nullptr) {
            return;
        }
        for (const ControlSpec& spec : Buttons) {
            if (createControl(spec) == nullptr) return;
        }
        if (createControl({OutputId, K::OutputBox, 8, 40, 374, 236, SongFont13, BlackText,
                           FieldBackground, "", ""}) == nullptr) {
            return;
        }
        SetFocus(control(YearId));
    }

    void run(YearFieldAction action) {
        const YearFieldResult r = yearFieldAction(calendar_, mode_, windowText(control(YearId)),
                                                  isChecked(control(BcId)), action, minYear_);
        setWindowText(control(YearId), r.yearText);
        setChecked(control(BcId), r.bc);
        if (r.output) setWindowText(control(OutputId), *r.output);
    }

    void onClick(int id) override {
        switch (id) {
            case ComputeId:
            case IDOK:
                run(YearFieldAction::Compute);
                break;
            case PreviousYearId:
                run(YearFieldAction::PreviousYear);
                break;
            case NextYearId:
                run(YearFieldAction::NextYear);
                break;
            case CancelId:
            case IDCANCEL:
                close();
                break;
            default:
                break;
        }
    }

    YearTableMode mode_;
    const LunarCalendar& calendar_;
    int minYear_;
};

}  // namespace

void openYearTables(HWND owner, YearTableMode mode, const LunarCalendar& calendar, int minYear) {
    YearTablesWindow form(mode, calendar, minYear);
    form.showModal(owner, Modes[static_cast<int>(mode) - 1].title, WindowWidth, WindowHeight);
}

}  // namespace tavomerix
