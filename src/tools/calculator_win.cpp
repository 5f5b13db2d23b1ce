#include <string>

#include "forms/form_style.h"
#include "forms/form_win.h"
#include "tools/calculator.h"
#include "tools/tool_windows_win.h"

namespace tavomerix {

namespace {

constexpr std::string_view FormName = "jForm";
constexpr int WindowWidth = 273;
constexpr int WindowHeight = 176;
constexpr int SecondInputHeight = 28;  // the interval mode's extra row

constexpr int CivilOptionId = 3325;
constexpr int LunarOptionId = 3326;
constexpr int FirstBcId = 3327;
constexpr int FirstDateId = 3328;
constexpr int SecondBcId = 3329;
constexpr int SecondDateId = 3330;
constexpr int ActionId = 3331;
constexpr int CancelId = 3332;

using K = ControlKind;

class CalculatorWindow final : public ButtonForm {
public:
    CalculatorWindow(CalculatorMode mode, const CalculatorSettings& settings,
                     const CivilDate& shown)
        : ButtonForm(FormName), mode_(mode), settings_(settings), shown_(shown) {}

private:
    void createControls() override {
        const bool interval = mode_ == CalculatorMode::Interval;
        const int below = interval ? SecondInputHeight : 0;  // rows under the inputs move down
        const CalculatorTexts texts = calculatorTexts(mode_, false);
        const CalculatorInput start = calculatorStartInput(shown_.year, shown_.month, shown_.day);
        if (createControl(buttonSpec(CivilOptionId, K::FirstOptionButton, 8, 8, 84, 20,
                                     "公历日期")) == nullptr ||
            createControl(buttonSpec(LunarOptionId, K::OptionButton, 96, 8, 84, 20, "农历日期")) ==
                nullptr ||
            createControl({FirstDateId, K::InputField, 8, 34, 168, 24, SongFont16, BlackText,
                           FieldBackground, "", start.text}) == nullptr ||
            createControl(buttonSpec(FirstBcId, K::CheckBox, 184, 36, 70, 20, "公元前")) ==
                nullptr) {
            return;
        }
        if (interval && (createControl({SecondDateId, K::InputField, 8, 62, 168, 24, SongFont16,
                                        BlackText, FieldBackground, "", start.text}) == nullptr ||
                         createControl(buttonSpec(SecondBcId, K::CheckBox, 184, 64, 70, 20,
                                                  "公元前")) == nullptr)) {
            return;
        }
        if (createControl(buttonSpec(ActionId, K::PushButton, 8, 66 + below, 80, 24,
                                     texts.action)) == nullptr ||
            createControl(buttonSpec(CancelId, K::PushButton, 96, 66 + below, 80, 24, "取消")) ==
                nullptr) {
            return;
        }
        resultLabel_ = createControl({0, K::Label, 8, 104 + below, 72, 18, SongFont14, BlueText,
                                      FormBackgroundColour, "", texts.resultLabel});
        if (resultLabel_ == nullptr) return;
        result_ = createControl({0, K::ReadOnlyLine, 84, 100 + below, 170, 24, SongFont16,
                                 BlackText, FieldBackground, "", ""});
        if (result_ == nullptr) return;
        setChecked(control(CivilOptionId), true);
        setChecked(control(FirstBcId), start.bc);
        setChecked(control(SecondBcId), start.bc);
        SetFocus(control(FirstDateId));
    }

    CalculatorInput input(int dateId, int bcId) const {
        return {windowText(control(dateId)), isChecked(control(bcId)),
                isChecked(control(LunarOptionId))};
    }

    void onClick(int id) override {
        switch (id) {
            case ActionId:
            case IDOK:
                setWindowText(result_,
                              calculatorResult(settings_, mode_, input(FirstDateId, FirstBcId),
                                               input(SecondDateId, SecondBcId)));
                break;
            case CivilOptionId:
            case LunarOptionId:
                setWindowText(resultLabel_,
                              calculatorTexts(mode_, id == LunarOptionId).resultLabel);
                break;
            case CancelId:
            case IDCANCEL:
                close();
                break;
            default:
                break;
        }
    }

    CalculatorMode mode_;
    CalculatorSettings settings_;
    CivilDate shown_;
    HWND resultLabel_ = nullptr;
    HWND result_ = nullptr;
};

}  // namespace

void openCalculator(HWND owner, CalculatorMode mode, const CalculatorSettings& settings,
                    const CivilDate& shown) {
    CalculatorWindow form(mode, settings, shown);
    form.showModal(owner, calculatorTexts(mode, false).title, WindowWidth,
                   WindowHeight + (mode == CalculatorMode::Interval ? SecondInputHeight : 0));
}

}  // namespace tavomerix
