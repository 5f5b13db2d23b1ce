#include <optional>
#include <string>

#include "forms/form_style.h"
#include "forms/form_win.h"
#include "forms/wide_text.h"
#include "tools/search.h"
#include "tools/search_window.h"
#include "tools/tool_windows_win.h"

namespace tavomerix {

namespace {

constexpr std::string_view FormName = "sForm";
constexpr int WindowWidth = 393;
constexpr int WindowHeight = 341;

constexpr int StartLabelId = 3525;
constexpr int StartYearId = 3526;
constexpr int BcId = 3527;
constexpr int RangeLabelId = 3528;
constexpr int RangeId = 3529;
constexpr int SearchId = 3530;
constexpr int CancelId = 3531;
constexpr int OutputId = 3532;
constexpr int LeapOptionId = 3533;
constexpr int LeapFilterId = 3534;
constexpr int LastMonthOptionId = 3537;  // 三连大月 3535, 三连小月 3536, 四连大月 3537
constexpr int FirstListId = 3538;        // the ten day lists 3538..3547
constexpr int FirstListLabelId = 3548;   // and their labels 3548..3557

using K = ControlKind;

constexpr ControlSpec CommonControls[] = {
    {StartLabelId, K::Label, 8, 12, 60, 18, SongFont14, BlueText, FormBackgroundColour, "",
     "起始年份"},
    {StartYearId, K::InputField, 70, 8, 58, 24, SongFont15, BlackText, FieldBackground, "", ""},
    buttonSpec(BcId, K::CheckBox, 134, 10, 62, 20, "公元前"),
    {RangeLabelId, K::Label, 200, 12, 60, 18, SongFont14, BlueText, FormBackgroundColour, "",
     "查询范围"},
    {RangeId, K::InputField, 262, 8, 48, 24, SongFont15, BlackText, FieldBackground, "", ""},
};

constexpr ControlSpec MonthControls[] = {
    buttonSpec(LeapOptionId, K::FirstOptionButton, 8, 40, 74, 20, "农历闰月"),
    buttonSpec(LeapOptionId + 2, K::OptionButton, 126, 40, 80, 20, "三连大月"),
    buttonSpec(LeapOptionId + 3, K::OptionButton, 210, 40, 80, 20, "三连小月"),
    buttonSpec(LeapOptionId + 4, K::OptionButton, 294, 40, 80, 20, "四连大月"),
    // after the options, which form one group
    {LeapFilterId, K::InputField, 84, 38, 32, 24, SongFont15, BlackText, FieldBackground, "1～12",
     ""},
};

constexpr std::string_view ListLabels[DayListCount] = {
    "公历月", "公历日", "星期", "节气", "节日", "农历月", "农历日", "干支年", "干支月", "干支日",
};

constexpr int ListColumns = 5;
constexpr int ListPitch = 75;
constexpr int MonthOutputTop = 70;
constexpr int DayOutputTop = 128;
constexpr int ButtonsTop = 276;

class SearchWindow final : public Form {
public:
    SearchWindow(SearchWindowMode mode, const SearchSettings& settings, int minYear)
        : Form(FormName), mode_(mode), settings_(settings), minYear_(minYear) {}

protected:
    LRESULT onMessage(UINT message, WPARAM wParam, LPARAM lParam) override {
        switch (message) {
            case WM_CREATE:
                createControls();
                return 0;
            case WM_COMMAND:
                onCommand(LOWORD(wParam), HIWORD(wParam));
                return 0;
            case WM_DESTROY:
                editSearchField(session_);  // a search still running ends at its next step
                break;
            default:
                break;
        }
        return defaultMessage(message, wParam, lParam);
    }

private:
    bool create(const ControlSpec& spec) {
        const HWND created = createControl(spec);
        if (created != nullptr && !spec.tooltip.empty()) addTooltip(created, spec.tooltip);
        return created != nullptr;
    }

    void createControls() {
        for (const ControlSpec& c : CommonControls) {
            if (!create(c)) return;
        }
        const bool days = mode_ == SearchWindowMode::Days;
        if (days ? !createDayLists() : !createMonthControls()) return;
        const int top = days ? DayOutputTop : MonthOutputTop;
        if (createControl({OutputId, K::OutputBox, 8, top, 370, ButtonsTop - top - 6, SongFont13,
                           BlackText, FieldBackground, "", ""}) == nullptr ||
            createControl(buttonSpec(SearchId, K::PushButton, 230, ButtonsTop, 70, 24, "查询")) ==
                nullptr ||
            createControl(buttonSpec(CancelId, K::PushButton, 308, ButtonsTop, 70, 24, "取消")) ==
                nullptr) {
            return;
        }
        SetFocus(control(StartYearId));
    }

    bool createMonthControls() {
        for (const ControlSpec& c : MonthControls) {
            if (!create(c)) return false;
        }
        setChecked(control(LeapOptionId), true);
        return true;
    }

    bool createDayLists() {
        for (int i = 0; i < DayListCount; ++i) {
            const int x = 8 + ListPitch * (i % ListColumns);
            const int y = 38 + 44 * (i / ListColumns);
            if (createControl({FirstListLabelId + i, K::Label, x, y, 70, 16, SongFont14, BlueText,
                               FormBackgroundColour, "", ListLabels[i]}) == nullptr) {
                return false;
            }
            const HWND list = createControl({FirstListId + i, K::DropDownList, x, y + 16, 70, 220,
                                             SongFont12, BlackText, FieldBackground, "", ""});
            if (list == nullptr) return false;
            SendMessageW(list, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(L""));
            for (const std::string& item : dayListItems(static_cast<DayList>(i))) {
                SendMessageW(list, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(widen(item).c_str()));
            }
            SendMessageW(list, CB_SETCURSEL, 0, 0);
        }
        return true;
    }

    SearchKind kind() const {
        if (mode_ == SearchWindowMode::Days) return SearchKind::Days;
        for (int id = LeapOptionId + 2; id <= LastMonthOptionId; ++id) {
            if (isChecked(control(id))) return monthSearchKind(id - LeapOptionId - 1);
        }
        return SearchKind::LeapMonths;
    }

    DayConditions conditions() const {
        DayConditions c;
        if (mode_ != SearchWindowMode::Days) return c;
        for (int i = 0; i < DayListCount; ++i) {
            c.item[i] =
                static_cast<int>(SendMessageW(control(FirstListId + i), CB_GETCURSEL, 0, 0));
        }
        return c;
    }

    void start() {
        const SearchKind searchKind = kind();
        const DayConditions chosen = conditions();
        const SearchFields typed{
            windowText(control(StartYearId)), isChecked(control(BcId)),
            windowText(control(RangeId)),
            mode_ == SearchWindowMode::Months ? windowText(control(LeapFilterId)) : ""};
        const SearchStart s = validateSearch(searchKind, typed, minYear_, chosen);
        if (s.fields.startText != typed.startText)
            setWindowText(control(StartYearId), s.fields.startText);
        if (s.fields.rangeText != typed.rangeText)
            setWindowText(control(RangeId), s.fields.rangeText);
        if (mode_ == SearchWindowMode::Months && s.fields.leapFilterText != typed.leapFilterText) {
            setWindowText(control(LeapFilterId), s.fields.leapFilterText);
        }
        if (!s.start) return;

        const HWND output = control(OutputId);
        const HWND form = window();
        SearchHooks hooks;
        hooks.progress = [output](std::string_view text, double) { setWindowText(output, text); };
        hooks.stopRequested = [this, form] {
            if (!pumpMessages() || !IsWindow(form)) return true;  // quitting, or the window closed
            return takeStopRequest(session_);
        };
        beginSearch(session_);
        const std::optional<SearchResult> result =
            runSearch(settings_, searchKind, s.startYear, s.range, s.leapMonth, chosen, hooks);
        endSearch(session_);
        if (IsWindow(form)) setWindowText(output, result ? result->text : "");
    }

    void onCommand(int id, int code) {
        if ((id == StartYearId || id == RangeId || id == LeapFilterId) && code == EN_CHANGE) {
            editSearchField(session_);
            return;
        }
        if (code != BN_CLICKED) return;
        switch (id) {
            case SearchId:
            case IDOK:
                if (pressSearch(session_) == SearchPress::Start) start();
                break;
            case CancelId:
            case IDCANCEL:
                close();
                break;
            default:
                break;
        }
    }

    SearchWindowMode mode_;
    SearchSettings settings_;
    int minYear_;
    SearchSession session_;
};

}  // namespace

void openSearch(HWND owner, SearchWindowMode mode, const SearchSettings& settings, int minYear) {
    SearchWindow form(mode, settings, minYear);
    form.showModal(owner, searchWindowTitle(mode), WindowWidth, WindowHeight);
}

}  // namespace tavomerix
