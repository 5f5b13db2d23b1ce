#include <string>
#include <vector>

#include "app/application.h"
#include "app/commemoration_dialog.h"
#include "app/dialogs_win.h"
#include "forms/form_style.h"
#include "forms/form_win.h"
#include "forms/wide_text.h"

namespace tavomerix {

namespace {

constexpr std::string_view FormName = "cForm";
constexpr std::string_view Title = "添加纪念日";
constexpr int WindowWidth = 366;
constexpr int WindowHeight = 266;

constexpr int ListId = 3225;
constexpr int LunarYearId = 3226;
constexpr int LunarMonthId = 3227;
constexpr int LunarDayId = 3228;
constexpr int CivilYearId = 3229;
constexpr int CivilMonthId = 3230;
constexpr int CivilDayId = 3231;
constexpr int NameId = 3232;
constexpr int AddLunarId = 3233;
constexpr int AddCivilId = 3234;
constexpr int SaveId = 3235;
constexpr int DeleteId = 3236;
constexpr int CancelId = 3237;

using K = ControlKind;

constexpr ControlSpec Controls[] = {
    {ListId, K::EntryList, 8, 8, 342, 121, ListFont14, BlackText, FieldBackground, "", ""},
    {LunarYearId, K::DropDownList, 8, 137, 98, 164, SongFont14, BlackText, FieldBackground,
     "农历年", ""},
    {LunarMonthId, K::DropDownList, 106, 137, 88, 164, SongFont14, BlackText, FieldBackground,
     "农历月", ""},
    {LunarDayId, K::DropDownList, 194, 137, 56, 164, SongFont14, BlackText, FieldBackground,
     "农历日", ""},
    {CivilYearId, K::DropDownList, 8, 167, 98, 164, SongFont14, BlackText, FieldBackground,
     "公历年", ""},
    {CivilMonthId, K::DropDownList, 106, 167, 88, 164, SongFont14, BlackText, FieldBackground,
     "公历月", ""},
    {CivilDayId, K::DropDownList, 194, 167, 56, 164, SongFont14, BlackText, FieldBackground,
     "公历日", ""},
    {NameId, K::InputField, 8, 205, 162, 14, SongFont14, BlackText, FieldBackground, "纪念事项",
     ""},
    buttonSpec(AddLunarId, K::PushButton, 252, 136, 98, 24, "添加农历纪念日"),
    buttonSpec(AddCivilId, K::PushButton, 252, 166, 98, 24, "添加公历纪念日"),
    buttonSpec(SaveId, K::PushButton, 177, 200, 45, 24, "保存"),
    buttonSpec(DeleteId, K::PushButton, 237, 200, 45, 24, "删除"),
    buttonSpec(CancelId, K::PushButton, 297, 200, 45, 24, "取消"),
};

HWND openDialog = nullptr;

// Replaces a drop-down list's items.
void setItems(HWND selector, const std::vector<std::string>& items) {
    SendMessageW(selector, WM_SETREDRAW, FALSE, 0);
    SendMessageW(selector, CB_RESETCONTENT, 0, 0);
    for (const std::string& item : items) {
        SendMessageW(selector, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(widen(item).c_str()));
    }
    SendMessageW(selector, WM_SETREDRAW, TRUE, 0);
}

// Selects the 1-based item (0: none).
void selectItem(HWND selector, int item) {
    SendMessageW(selector, CB_SETCURSEL, static_cast<WPARAM>(item - 1), 0);
}

int selectedItem(HWND selector) {
    return static_cast<int>(SendMessageW(selector, CB_GETCURSEL, 0, 0)) + 1;
}

class CommemorationDialog final : public Form {
public:
    explicit CommemorationDialog(Application& app)
        : Form(FormName),
          app_(app),
          state_(openCommemorationState(app.settings, app.commemorationDays)) {}

protected:
    LRESULT onMessage(UINT message, WPARAM wParam, LPARAM lParam) override {
        switch (message) {
            case WM_CREATE:
                openDialog = window();
                createControls();
                return 0;
            case WM_COMMAND:
                onCommand(LOWORD(wParam), HIWORD(wParam));
                return 0;
            case WM_DESTROY:
                openDialog = nullptr;
                break;
            default:
                break;
        }
        return defaultMessage(message, wParam, lParam);
    }

private:
    void createControls() {
        for (const ControlSpec& spec : Controls) {
            const HWND created = createControl(spec);
            if (created == nullptr) return;
            if (!spec.tooltip.empty()) addTooltip(created, spec.tooltip);
        }
        EnableWindow(control(SaveId), app_.settings.stored.registryEnabled == 1);
        setItems(control(LunarYearId), commemorationYearItems(CommemorationKind::Lunar));
        setItems(control(CivilYearId), commemorationYearItems(CommemorationKind::Solar));
        showList();
        showRow(CommemorationKind::Lunar);
        showRow(CommemorationKind::Solar);
        SetFocus(control(LunarYearId));
    }

    void showList() {
        const HWND list = control(ListId);
        SendMessageW(list, WM_SETREDRAW, FALSE, 0);
        SendMessageW(list, LB_RESETCONTENT, 0, 0);
        for (const CommemorationItem& item : state_.items) {
            SendMessageW(list, LB_ADDSTRING, 0,
                         reinterpret_cast<LPARAM>(widen(commemorationItemText(item)).c_str()));
        }
        SendMessageW(list, LB_SETCURSEL, static_cast<WPARAM>(state_.selected), 0);
        SendMessageW(list, WM_SETREDRAW, TRUE, 0);
        InvalidateRect(list, nullptr, TRUE);
    }

    // The widget's calendar: lunar months and their sizes.
    const LunarCalendar& calendar() const { return calendarOf(app_.settings); }

    // Refills the month and day selectors of a row and selects the row's items.
    void showRow(CommemorationKind kind) {
        const bool lunar = kind == CommemorationKind::Lunar;
        const SelectorRow& row = lunar ? state_.lunar : state_.civil;
        const int yearId = lunar ? LunarYearId : CivilYearId;
        selectItem(control(yearId), row.yearItem);
        setItems(control(yearId + 1), commemorationMonthItems(calendar(), kind, row));
        selectItem(control(yearId + 1), row.monthItem);
        setItems(control(yearId + 2), commemorationDayItems(calendar(), kind, row));
        selectItem(control(yearId + 2), row.dayItem);
    }

    void onSelector(int id) {
        const bool lunar = id <= LunarDayId;
        const CommemorationKind kind = lunar ? CommemorationKind::Lunar : CommemorationKind::Solar;
        SelectorRow& row = lunar ? state_.lunar : state_.civil;
        const int part = id - (lunar ? LunarYearId : CivilYearId);  // 0 year, 1 month, 2 day
        const int item = selectedItem(control(id));
        if (part == 0) row = selectCommemorationYear(calendar(), kind, row, item);
        if (part == 1) row = selectCommemorationMonth(calendar(), kind, row, item);
        if (part == 2) {
            row.dayItem = item;
            return;
        }
        showRow(kind);
    }

    void onCommand(int id, int code) {
        if (id >= LunarYearId && id <= CivilDayId) {
            if (code == CBN_SELCHANGE) onSelector(id);
            return;
        }
        if (id == ListId) {
            if (code == LBN_SELCHANGE) {
                selectCommemorationItem(
                    calendar(), state_,
                    static_cast<int>(SendMessageW(control(ListId), LB_GETCURSEL, 0, 0)));
                showRow(CommemorationKind::Lunar);
                showRow(CommemorationKind::Solar);
                setWindowText(control(NameId), state_.name);
            }
            return;
        }
        if (id == NameId) {
            if (code == EN_CHANGE) state_.name = windowText(control(NameId));
            return;
        }
        if (code != BN_CLICKED) return;
        switch (id) {
            case AddLunarId:
            case AddCivilId:
                if (addCommemorationItem(
                        calendar(), state_,
                        id == AddLunarId ? CommemorationKind::Lunar : CommemorationKind::Solar)) {
                    showList();
                }
                break;
            case DeleteId:
                deleteCommemorationItem(state_);
                showList();
                setWindowText(control(NameId), state_.name);
                break;
            case SaveId:
                saveCommemorationDays(app_, state_.items);
                break;
            case CancelId:
            case IDCANCEL:
                close();
                break;
            default:
                break;
        }
    }

    Application& app_;
    CommemorationDialogState state_;
};

}  // namespace

void openCommemorationDialog(HWND owner, Application& app) {
    if (openDialog != nullptr) return;
    CommemorationDialog dialog(app);
    dialog.showModal(owner, Title, WindowWidth, WindowHeight);
}

HWND commemorationDialogWindow() { return openDialog; }

}  // namespace tavomerix
