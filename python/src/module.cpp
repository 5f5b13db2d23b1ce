// The calendar core as the Python module tavomerix._tavomerix. Every function here only
// translates: Python values in, a call of the core, Python values out. Dates are
// datetime.date where Python's calendar holds them (Gregorian 1582-10-15..9999-12-31) and
// tavomerix.CivilDate everywhere else.

#include <pybind11/pybind11.h>
#include <pybind11/stl.h>

// Python's datetime C API, after Python.h (which pybind11 includes).
#include <datetime.h>

#include <cmath>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "calendar/calendar_context.h"
#include "calendar/julian_day.h"
#include "chinese/lunar_calendar.h"
#include "chinese/lunar_conversion.h"
#include "chinese/lunar_year.h"
#include "chinese/sexagenary.h"
#include "chinese/year_events.h"
#include "dayinfo/almanac.h"
#include "dayinfo/almanac_rules.h"
#include "dayinfo/date_text.h"
#include "dayinfo/day_facts.h"
#include "dayinfo/day_view.h"
#include "dayinfo/four_pillars.h"
#include "dayinfo/holidays.h"
#include "dayinfo/input_messages.h"
#include "dayinfo/names.h"

namespace py = pybind11;
using namespace tavomerix;

namespace {

// Julian Day number of datetime.date.min (0001-01-01, ordinal 1) less one.
constexpr int OrdinalOffset = 1721425;
// The last Julian Day number datetime.date holds (9999-12-31).
constexpr int LastDateTimeDay = 5373484;

std::string quoted(std::string_view text) { return "'" + std::string(text) + "'"; }

// A date as it is quoted in messages: "'2024-02-30'", written as given.
std::string quotedFields(int year, int month, int day) {
    char text[48];
    std::snprintf(text, sizeof text, "'%s-%02d-%02d'", isoYear(year).c_str(), month, day);
    return text;
}

// ---- dates ---------------------------------------------------------------------------

// A civil date checked where it is made: ValueError when the day does not exist.
CivilDate checkedCivilDate(int year, int month, int day) {
    if (!isValidDate(year, month, day))
        throw py::value_error(noSuchDateMessage(quotedFields(year, month, day)));
    return {year, month, day};
}

// The civil day of a datetime.date or a CivilDate; TypeError for anything else.
CivilDay civilDayOf(py::handle value) {
    if (py::isinstance<CivilDate>(value)) return civilDay(value.cast<CivilDate>());
    if (!PyDate_Check(value.ptr())) {
        throw py::type_error("a date is a datetime.date or a tavomerix.CivilDate, not " +
                             std::string(py::str(py::type::of(value).attr("__name__"))));
    }
    const CivilDate fields{PyDateTime_GET_YEAR(value.ptr()), PyDateTime_GET_MONTH(value.ptr()),
                           PyDateTime_GET_DAY(value.ptr())};
    const CivilDay day = civilDay(fields);
    if (day.dayNumber >= FirstGregorianDay) return day;
    // Before 1582-10-15 Python's calendar is the proleptic Gregorian one: the same day by
    // its ordinal, as the Julian date that names it here.
    const int ordinal = value.attr("toordinal")().cast<int>();
    return civilDayOfNumber(ordinal + OrdinalOffset);
}

// datetime.date for a Gregorian date Python holds, else the CivilDate.
py::object dateObject(const CivilDay& day) {
    if (day.dayNumber >= FirstGregorianDay && day.dayNumber <= LastDateTimeDay) {
        return py::reinterpret_steal<py::object>(
            PyDate_FromDate(day.date.year, day.date.month, day.date.day));
    }
    return py::cast(day.date);
}
py::object dateObject(const CivilDate& date) { return dateObject(civilDay(date)); }

// ---- value classes -------------------------------------------------------------------

// __eq__, __hash__ and __repr__ of an immutable value from the tuple of its fields.
template <class T>
void valueMethods(py::class_<T>& c, std::vector<const char*> names,
                  std::function<py::tuple(const T&)> fields) {
    const std::string typeName = py::str(c.attr("__name__"));
    c.def(
        "__eq__",
        [fields](const T& a, py::object b) -> py::object {
            if (!py::isinstance<T>(b)) return py::reinterpret_borrow<py::object>(Py_NotImplemented);
            return py::bool_(fields(a).equal(fields(b.cast<const T&>())));
        },
        py::is_operator());
    c.def("__hash__", [fields](const T& a) { return py::hash(fields(a)); });
    c.def("__repr__", [names, fields, typeName](const T& a) {
        const py::tuple values = fields(a);
        std::string text = typeName + "(";
        for (size_t i = 0; i < names.size(); ++i)
            text +=
                (i ? ", " : "") + std::string(names[i]) + "=" + std::string(py::repr(values[i]));
        return text + ")";
    });
}

// The ordering comparisons of a value by the tuple of its fields.
template <class T>
void orderMethods(py::class_<T>& c, std::function<py::tuple(const T&)> fields) {
    const auto compare = [fields](const char* op) {
        return [fields, op](const T& a, py::object b) -> py::object {
            if (!py::isinstance<T>(b)) return py::reinterpret_borrow<py::object>(Py_NotImplemented);
            return fields(a).attr(op)(fields(b.cast<const T&>()));
        };
    };
    c.def("__lt__", compare("__lt__"), py::is_operator());
    c.def("__le__", compare("__le__"), py::is_operator());
    c.def("__gt__", compare("__gt__"), py::is_operator());
    c.def("__ge__", compare("__ge__"), py::is_operator());
}

// A day's sexagenary numbers with the text the command line prints.
struct Ganzhi {
    SexagenaryDay numbers;
    std::string text;
};

// The day view: the civil date and the four lines below it.
struct PyDayView {
    CivilDate civil;
    LunarDate lunar;
    std::string dateText, lunarText, dayLine, festivalLine, seasonLine;
};

// A solar term or a new or full moon.
enum class EventKind { SolarTerm, NewMoon, FullMoon };
struct Event {
    EventKind kind = EventKind::SolarTerm;
    std::string name;
    int number = 0;  // TermNumber 1..24; 0 new moon, 1 full moon
    double instant = 0;
    CivilDate date;
    TimeOfDay time;
    py::object datetime;  // None outside Python's calendar
};

struct YearRecord {
    int year = 0;
    std::string record;
    int leapMonth = 0;
    int days = 0;
    CivilDate newYear;
};

struct PyHoliday {
    DayStatus status = DayStatus::Workday;
    std::string holiday;
    bool published = false;
};

// A day's almanac with its lists and hours, as the almanac command gives them.
struct AlmanacDay : Almanac {
    AlmanacLists lists;
    std::vector<AlmanacHour> hours;
    ZiHour zi = ZiHour::Late;
};

// One almanac entry as Python sees it: its name and how it is read. New entries of the
// core's Almanac are added here (and in the stubs).
struct AlmanacField {
    const char* name;
    std::function<py::object(const AlmanacDay&)> read;
};
template <class V>
py::object obj(const V& v) {
    return py::cast(v);
}
py::object obj(py::object v) { return v; }
py::object names(const std::vector<std::string_view>& list) {
    py::tuple out(list.size());
    for (size_t i = 0; i < list.size(); ++i) out[i] = py::str(list[i].data(), list[i].size());
    return out;
}
const std::vector<AlmanacField>& almanacFields() {
    static const std::vector<AlmanacField> fields = {
        {"jdn", [](const Almanac& a) { return obj(a.dayNumber); }},
        {"ganzhi", [](const Almanac& a) { return obj(a.ganzhi); }},
        {"ganzhi_name", [](const Almanac& a) { return obj(a.ganzhiName); }},
        {"na_yin", [](const Almanac& a) { return obj(a.naYin); }},
        {"na_yin_name", [](const Almanac& a) { return obj(a.naYinName); }},
        {"month_branch", [](const Almanac& a) { return obj(a.monthBranch); }},
        {"month_branch_name", [](const Almanac& a) { return obj(a.monthBranchName); }},
        {"officer", [](const Almanac& a) { return obj(a.officer); }},
        {"officer_name", [](const Almanac& a) { return obj(a.officerName); }},
        {"mansion", [](const Almanac& a) { return obj(a.mansion); }},
        {"mansion_name", [](const Almanac& a) { return obj(a.mansionName); }},
        {"mansion_auspicious", [](const Almanac& a) { return obj(a.mansionAuspicious); }},
        {"mansion_luck", [](const Almanac& a) { return obj(a.mansionLuck); }},
        {"clash_branch", [](const Almanac& a) { return obj(a.clashBranch); }},
        {"clash_animal", [](const Almanac& a) { return obj(a.clashAnimal); }},
        {"clash_ganzhi", [](const Almanac& a) { return obj(a.clashGanzhi); }},
        {"clash_ganzhi_name", [](const Almanac& a) { return obj(a.clashGanzhiName); }},
        {"sha_direction", [](const Almanac& a) { return obj(a.shaDirection); }},
        {"pengzu_stem_taboo", [](const Almanac& a) { return obj(a.pengzuStemTaboo); }},
        {"pengzu_branch_taboo", [](const Almanac& a) { return obj(a.pengzuBranchTaboo); }},
        {"joy_god_direction", [](const Almanac& a) { return obj(a.joyGodDirection); }},
        {"fortune_god_direction", [](const Almanac& a) { return obj(a.fortuneGodDirection); }},
        {"wealth_god_direction", [](const Almanac& a) { return obj(a.wealthGodDirection); }},
        {"spirit", [](const Almanac& a) { return obj(a.spirit); }},
        {"spirit_name", [](const Almanac& a) { return obj(a.spiritName); }},
        {"yellow_path", [](const Almanac& a) { return obj(a.yellowPath); }},
        {"path_name", [](const Almanac& a) { return obj(a.pathName); }},
        {"term", [](const Almanac& a) { return obj(a.term); }},
        {"term_name", [](const Almanac& a) { return obj(a.termName); }},
        {"days_since_term", [](const Almanac& a) { return obj(a.daysSinceTerm); }},
        {"pentad", [](const Almanac& a) { return obj(a.pentad); }},
        {"pentad_ordinal", [](const Almanac& a) { return obj(a.pentadOrdinal); }},
        {"pentad_name", [](const Almanac& a) { return obj(a.pentadName); }},
        {"auspicious_spirits", [](const AlmanacDay& a) { return names(a.lists.auspicious); }},
        {"baleful_stars", [](const AlmanacDay& a) { return names(a.lists.baleful); }},
        {"favoured", [](const AlmanacDay& a) { return names(a.lists.favoured); }},
        {"forbidden", [](const AlmanacDay& a) { return names(a.lists.forbidden); }},
        {"all_forbidden", [](const AlmanacDay& a) { return obj(a.lists.allForbidden); }},
        {"nothing_else", [](const AlmanacDay& a) { return obj(a.lists.nothingElse); }},
        {"virtue", [](const AlmanacDay& a) { return obj(a.lists.virtue); }},
        {"zi_hour", [](const AlmanacDay& a) { return obj(a.zi); }},
        {"hours", [](const AlmanacDay& a) { return py::object(py::tuple(py::cast(a.hours))); }},
        {"lists_text", [](const AlmanacDay& a) { return obj(almanacListsText(a.lists)); }},
        {"hours_text", [](const AlmanacDay& a) { return obj(almanacHoursText(a.hours)); }},
        {"text", [](const Almanac& a) { return obj(almanacText(a)); }},
    };
    return fields;
}
struct PyAlmanac {
    py::tuple values;  // in the order of almanacFields()
};

// datetime.time of a clock minute or second of the day.
py::object clockTime(int second) {
    return py::reinterpret_steal<py::object>(
        PyTime_FromTime(second / 3600, second / 60 % 60, second % 60, 0));
}

// One of the four pillars: its sexagenary number and 纳音.
struct Pillar {
    int ganzhi = 0;
    int naYin = 0;
};

// The four pillars of a moment with the 节 in force and the clocks they were read from.
struct PyPillars {
    FourPillars p;
    ZiHour zi = ZiHour::Late;
    py::object jie;  // an Event
};

// ---- the calendar --------------------------------------------------------------------

class Calendar {
public:
    Calendar(int tz, bool modern)
        : calendar_(&LunarCalendar::shared(checkedContext(tz, modern))), requested_{tz, modern} {
        const py::module_ datetime = py::module_::import("datetime");
        tzinfo_ = datetime.attr("timezone")(datetime.attr("timedelta")(py::arg("hours") = tz));
    }

    const LunarCalendar& lunar() const { return *calendar_; }
    int tz() const { return requested_.first; }
    bool modern() const { return requested_.second; }
    Regime regime() const { return calendar_->context().regime; }
    const py::object& tzinfo() const { return tzinfo_; }

    // The lunar date of a civil day; ValueError outside the lunar calendar.
    LunarDate lunarDate(const CivilDay& day) const {
        const LunarDate lunar = lunarDateOfDay(*calendar_, day);
        if (!lunar.valid()) throw py::value_error(outsideLunarYearsMessage(quotedDay(day)));
        return lunar;
    }

    // A civil year's or lunar year's number checked against low..high.
    static void checkYear(int year, int low, int high, std::string_view what) {
        if (year < low || year > high)
            throw py::value_error(badYearMessage(what, quoted(std::to_string(year)), low, high));
    }
    static void checkYears(int first, int last, int low, int high, std::string_view what) {
        checkYear(first, low, high, what);
        checkYear(last, low, high, what);
        if (last < first) throw py::value_error(yearOrderMessage(first, last));
    }

    static std::string quotedDay(const CivilDay& day) { return quoted(isoDate(day.date)); }

    // The civil day and second of a moment: a datetime.datetime (naive: in the calendar's
    // zone; aware: converted to it) or a (date, seconds of the day) pair.
    std::pair<CivilDay, int> moment(py::handle value) const {
        if (PyDateTime_Check(value.ptr())) {
            py::object local = py::reinterpret_borrow<py::object>(value);
            if (!local.attr("tzinfo").is_none()) local = local.attr("astimezone")(tzinfo_);
            const int second = PyDateTime_DATE_GET_HOUR(local.ptr()) * 3600 +
                               PyDateTime_DATE_GET_MINUTE(local.ptr()) * 60 +
                               PyDateTime_DATE_GET_SECOND(local.ptr());
            return {civilDayOf(local), second};
        }
        if (py::isinstance<py::tuple>(value) && py::len(value) == 2) {
            const py::tuple pair = py::reinterpret_borrow<py::tuple>(value);
            const CivilDay day = civilDayOf(pair[0]);
            if (!py::isinstance<py::int_>(pair[1]))
                throw py::type_error("the seconds of a (date, seconds) moment are an int");
            const int second = pair[1].cast<int>();
            if (second < 0 || second >= SecondsPerDay)
                throw py::value_error(badTimeMessage(quoted(std::to_string(second))));
            return {day, second};
        }
        throw py::type_error(
            "a moment is a datetime.datetime or a (date, seconds of the day) tuple, not " +
            std::string(py::str(py::type::of(value).attr("__name__"))));
    }

    Event event(EventKind kind, int number, std::string_view name, double instant) const {
        Event e{kind, std::string(name), number, instant, {}, timeOfDay(instant), py::none()};
        const int day = static_cast<int>(std::floor(instant));
        e.date = civilDateFromDayNumber(day);
        if (day >= FirstGregorianDay && day <= LastDateTimeDay) {
            e.datetime = py::reinterpret_steal<py::object>(PyDateTimeAPI->DateTime_FromDateAndTime(
                e.date.year, e.date.month, e.date.day, e.time.hours, e.time.minutes, e.time.seconds,
                0, tzinfo_.ptr(), PyDateTimeAPI->DateTimeType));
        }
        return e;
    }

private:
    static CalendarContext checkedContext(int tz, bool modern) {
        if (tz < MinTimeZoneHours || tz > MaxTimeZoneHours)
            throw py::value_error(badTimeZoneMessage(quoted(std::to_string(tz))));
        return {tz, modern ? Regime::Modern : Regime::Historical};
    }

    const LunarCalendar* calendar_;
    std::pair<int, bool> requested_;
    py::object tzinfo_;
};

constexpr int MinTableYear = MinDayInfoYear;
constexpr int MaxTableYear = MaxDayInfoYear;

// ---- the module ----------------------------------------------------------------------

py::tuple civilFields(const CivilDate& d) { return py::make_tuple(d.year, d.month, d.day); }
py::tuple lunarFields(const LunarDate& d) {
    return py::make_tuple(d.year, d.month, d.leap, d.day, d.longMonth);
}

}  // namespace

PYBIND11_MODULE(_tavomerix, m) {
    PyDateTime_IMPORT;
    if (PyDateTimeAPI == nullptr) throw py::error_already_set();
    m.doc() = "The Tavomerix calendar core: the Chinese lunisolar calendar, -8999..9000.";

    py::enum_<Regime>(m, "Regime", "How solar terms, new moons and lunar years are reckoned.")
        .value("HISTORICAL", Regime::Historical,
               "The official reckoning of 104 BC..AD 1886 (UTC+8 only), modern astronomy after.")
        .value("MODERN", Regime::Modern, "Modern astronomy for every date.");
    py::enum_<EventKind>(m, "EventKind", "What an Event is.")
        .value("SOLAR_TERM", EventKind::SolarTerm, "One of the 24 solar terms.")
        .value("NEW_MOON", EventKind::NewMoon, "A new moon (朔日).")
        .value("FULL_MOON", EventKind::FullMoon, "A full moon (望日).");
    py::enum_<ZiHour>(m, "ZiHour", "Where the hour 23:00-24:00 of a civil day belongs.")
        .value("LATE", ZiHour::Late,
               "晚子时 (the default): a late 子 hour closing the day, the day stays the day.")
        .value("EARLY", ZiHour::Early, "早子时: the next day begins at 23:00.");
    py::enum_<DayStatus>(m, "DayStatus", "What a day is for work in China.")
        .value("STATUTORY", DayStatus::Statutory, "A statutory holiday (法定节假日).")
        .value("DAY_OFF", DayStatus::DayOff, "A day off by arrangement.")
        .value("ARRANGED_WORKDAY", DayStatus::ArrangedWorkday,
               "A working day by arrangement (调休上班).")
        .value("WORKDAY", DayStatus::Workday, "An ordinary working day, Monday to Friday.")
        .value("WEEKEND", DayStatus::Weekend, "An ordinary Saturday or Sunday.");

    py::class_<CivilDate> civil(m, "CivilDate",
                                "A civil date of -9998..9999 (astronomical years, 0 = 1 BC; the "
                                "Julian calendar up to 1582-10-04, Gregorian from 1582-10-15).");
    civil
        .def(py::init(&checkedCivilDate), py::arg("year"), py::arg("month"), py::arg("day"),
             "Makes the date; ValueError when no such day exists.")
        .def_readonly("year", &CivilDate::year, "Astronomical year (0 = 1 BC).")
        .def_readonly("month", &CivilDate::month, "Month 1..12.")
        .def_readonly("day", &CivilDate::day, "Day of the month.")
        .def_property_readonly(
            "jdn", [](const CivilDate& d) { return julianDayNumber(d); }, "Julian Day number.")
        .def_static(
            "from_jdn",
            [](int n) {
                const CivilDay day = civilDayOfNumber(n);
                if (day.dayNumber == InvalidDayNumber)
                    throw py::value_error(noSuchDateMessage(quoted("JD " + std::to_string(n))));
                return day.date;
            },
            py::arg("jdn"), "The date of a Julian Day number (-1930711..5373484).")
        .def_static(
            "of", [](py::handle date) { return civilDayOf(date).date; }, py::arg("date"),
            "The CivilDate of a datetime.date (the same day) or a CivilDate.")
        .def(
            "to_date",
            [](const CivilDate& d) {
                const py::object date = dateObject(d);
                if (py::isinstance<CivilDate>(date))
                    throw py::value_error("date " + quoted(isoDate(d)) +
                                          " is outside datetime.date's Gregorian years 1582..9999");
                return date;
            },
            "The datetime.date of the day; ValueError before 1582-10-15 or after 9999.")
        .def(
            "__str__", [](const CivilDate& d) { return isoDate(d); }, "ISO 8601: '2024-02-10'.");
    valueMethods<CivilDate>(civil, {"year", "month", "day"}, civilFields);
    orderMethods<CivilDate>(civil, civilFields);

    py::class_<LunarDate> lunar(m, "LunarDate", "A date of the Chinese lunar calendar.");
    lunar
        .def(py::init([](int year, int month, int day, bool leap, bool longMonth) {
                 if (month < 1 || month > 12 || day < 1 || day > 30) {
                     char text[64];
                     std::snprintf(text, sizeof text, "'%s-%s%02d-%02d'", isoYear(year).c_str(),
                                   leap ? "闰" : "", month, day);
                     throw py::value_error(noSuchLunarDateMessage(text));
                 }
                 return LunarDate{year, month, day, leap, longMonth};
             }),
             py::arg("year"), py::arg("month"), py::arg("day"), py::arg("leap") = false,
             py::arg("long_month") = false,
             "Makes the date (month 1..12, day 1..30); whether it exists is a calendar's matter.")
        .def_readonly("year", &LunarDate::year, "Lunar year, astronomical numbering.")
        .def_readonly("month", &LunarDate::month, "Month 1..12 (正月 .. 腊月).")
        .def_readonly("day", &LunarDate::day, "Day 1..30.")
        .def_readonly("leap", &LunarDate::leap, "True in the leap month that follows `month`.")
        .def_readonly("long_month", &LunarDate::longMonth, "True when the month has 30 days.")
        .def_property_readonly(
            "month_name", [](const LunarDate& d) { return lunarMonthCodeName(d.monthCode()); },
            "The month's name: '正月', '闰六月'.")
        .def_property_readonly(
            "day_name", [](const LunarDate& d) { return lunarDayName(d.day); },
            "The day's name: '初一'.")
        .def("__str__", &lunarDateName, "'2024年正月初一'.");
    valueMethods<LunarDate>(lunar, {"year", "month", "day", "leap", "long_month"},
                            [](const LunarDate& d) {
                                return py::make_tuple(d.year, d.month, d.day, d.leap, d.longMonth);
                            });
    orderMethods<LunarDate>(lunar, lunarFields);

    py::class_<Ganzhi> ganzhi(m, "Ganzhi", "The sexagenary year, month and day of a day.");
    ganzhi
        .def_property_readonly(
            "year", [](const Ganzhi& g) { return g.numbers.year; }, "Year, 1 = 甲子 .. 60 = 癸亥.")
        .def_property_readonly(
            "month", [](const Ganzhi& g) { return g.numbers.month; }, "Month, 1..60.")
        .def_property_readonly(
            "day", [](const Ganzhi& g) { return g.numbers.day; }, "Day, 1..60.")
        .def_property_readonly(
            "year_name", [](const Ganzhi& g) { return ganzhiName(g.numbers.year); }, "'甲辰'.")
        .def_property_readonly(
            "month_name", [](const Ganzhi& g) { return ganzhiName(g.numbers.month); }, "'丙寅'.")
        .def_property_readonly(
            "day_name", [](const Ganzhi& g) { return ganzhiName(g.numbers.day); }, "'甲子'.")
        .def_readonly("text", &Ganzhi::text, "'甲辰(龙)年丙寅月甲子日', as `ganzhi` prints it.")
        .def("__str__", [](const Ganzhi& g) { return g.text; });
    valueMethods<Ganzhi>(ganzhi, {"year", "month", "day"}, [](const Ganzhi& g) {
        return py::make_tuple(g.numbers.year, g.numbers.month, g.numbers.day);
    });

    py::class_<PyDayView> view(m, "DayView", "The five lines of a day, as `day` prints them.");
    view.def_property_readonly(
            "date", [](const PyDayView& v) { return dateObject(v.civil); }, "The civil date.")
        .def_readonly("lunar", &PyDayView::lunar, "Its lunar date.")
        .def_readonly("date_text", &PyDayView::dateText, "Line 1: '2024-02-10'.")
        .def_readonly("lunar_text", &PyDayView::lunarText, "Line 2: '二○二四年 正月大 初一'.")
        .def_readonly("day_line", &PyDayView::dayLine, "Line 3: weekday, sign and sexagenary.")
        .def_readonly("festival_line", &PyDayView::festivalLine, "Line 4: festivals; may be ''.")
        .def_readonly("season_line", &PyDayView::seasonLine, "Line 5: next term and periods.")
        .def_property_readonly(
            "lines",
            [](const PyDayView& v) {
                return py::make_tuple(v.dateText, v.lunarText, v.dayLine, v.festivalLine,
                                      v.seasonLine);
            },
            "The five lines as a tuple.")
        .def("__str__", [](const PyDayView& v) {
            return v.dateText + "\n" + v.lunarText + "\n" + v.dayLine + "\n" + v.festivalLine +
                   "\n" + v.seasonLine;
        });
    valueMethods<PyDayView>(
        view, {"date_text", "lunar_text", "day_line", "festival_line", "season_line"},
        [](const PyDayView& v) {
            return py::make_tuple(v.dateText, v.lunarText, v.dayLine, v.festivalLine, v.seasonLine);
        });

    py::class_<AlmanacHour> hour(m, "Hour", "One double hour (时辰) of a day's almanac.");
    hour.def_readonly("branch", &AlmanacHour::branch, "1 = 子 .. 12 = 亥.")
        .def_readonly("label", &AlmanacHour::label, "'子' .. '亥'; '早子', '晚子' (ZiHour.LATE).")
        .def_property_readonly(
            "start", [](const AlmanacHour& h) { return clockTime(60 * h.startMinute); },
            "Its first clock minute, a datetime.time (23:00 of the day before for ZiHour.EARLY).")
        .def_property_readonly(
            "end", [](const AlmanacHour& h) { return clockTime(60 * h.endMinute); },
            "Its last clock minute, a datetime.time.")
        .def_readonly("ganzhi", &AlmanacHour::ganzhi, "Sexagenary number 1..60 (五鼠遁).")
        .def_readonly("ganzhi_name", &AlmanacHour::ganzhiName, "'丙子'.")
        .def_readonly("spirit", &AlmanacHour::spirit, "The hour's god, 1 = 青龙 .. 12 = 勾陈.")
        .def_readonly("spirit_name", &AlmanacHour::spiritName, "'司命'.")
        .def_readonly("yellow_path", &AlmanacHour::yellowPath, "True for 黄道, False for 黑道.")
        .def_readonly("path_name", &AlmanacHour::pathName, "'黄道' or '黑道'.")
        .def_readonly("luck", &AlmanacHour::luck, "'吉' or '凶'.")
        .def_readonly("text", &AlmanacHour::text, "'子 23:00-00:59 丙子 司命(黄道) 吉'.")
        .def("__str__", [](const AlmanacHour& h) { return std::string(h.text); });
    valueMethods<AlmanacHour>(
        hour, {"label", "start", "end", "ganzhi_name", "spirit_name", "path_name", "luck"},
        [](const AlmanacHour& h) {
            return py::make_tuple(h.label, clockTime(60 * h.startMinute),
                                  clockTime(60 * h.endMinute), h.ganzhiName, h.spiritName,
                                  h.pathName, h.luck);
        });

    py::class_<Pillar> pillar(m, "Pillar", "One of the four pillars: a 干支 with its 纳音.");
    pillar.def_readonly("ganzhi", &Pillar::ganzhi, "Sexagenary number 1..60.")
        .def_property_readonly(
            "name", [](const Pillar& p) { return ganzhiName(p.ganzhi); }, "'庚午'.")
        .def_readonly("na_yin", &Pillar::naYin, "纳音 1 = 海中金 .. 30 = 大海水.")
        .def_property_readonly(
            "na_yin_name", [](const Pillar& p) { return NaYinNames[p.naYin - 1]; }, "'路旁土'.")
        .def("__str__", [](const Pillar& p) { return ganzhiName(p.ganzhi); });
    valueMethods<Pillar>(pillar, {"name", "na_yin_name"}, [](const Pillar& p) {
        return py::make_tuple(ganzhiName(p.ganzhi), NaYinNames[p.naYin - 1]);
    });

    py::class_<PyPillars> pillars(m, "Pillars",
                                  "The four pillars (四柱) of a moment, as `pillars` gives them.");
    const auto pillarOf = [](size_t i) {
        return [i](const PyPillars& p) { return Pillar{p.p.ganzhi[i], p.p.naYin[i]}; };
    };
    const auto solar = [](auto read) {
        return [read](const PyPillars& p) -> py::object {
            return p.p.trueSolarTime ? obj(read(p.p)) : py::none();
        };
    };
    pillars.def_property_readonly("year", pillarOf(0), "The year Pillar (from 立春's instant).")
        .def_property_readonly("month", pillarOf(1), "The month Pillar (from each 节's instant).")
        .def_property_readonly("day", pillarOf(2), "The day Pillar.")
        .def_property_readonly("hour", pillarOf(3), "The hour Pillar.")
        .def_readonly("zi_hour", &PyPillars::zi, "The ZiHour convention of the day pillar.")
        .def_readonly("jie", &PyPillars::jie, "The 节 in force, an Event with its instant.")
        .def_property_readonly(
            "civil_date",
            [](const PyPillars& p) { return dateObject(civilDayOfNumber(p.p.civilDay)); },
            "The moment's civil date in the calendar's zone.")
        .def_property_readonly(
            "civil_time", [](const PyPillars& p) { return clockTime(p.p.civilSecond); },
            "The moment's clock time in the calendar's zone, a datetime.time.")
        .def_property_readonly("longitude", solar([](const FourPillars& f) { return f.longitude; }),
                               "Degrees east; None without true solar time.")
        .def_property_readonly("solar_date", solar([](const FourPillars& f) {
                                   return dateObject(civilDayOfNumber(f.solarDay));
                               }),
                               "The date in true solar time; None without a longitude.")
        .def_property_readonly(
            "solar_time", solar([](const FourPillars& f) { return clockTime(f.solarSecond); }),
            "The clock time of true solar time, a datetime.time; None without a longitude.")
        .def_property_readonly(
            "correction_seconds", solar([](const FourPillars& f) { return f.correctionSeconds; }),
            "True solar time less civil time in whole seconds; None without a longitude.")
        .def_property_readonly("longitude_seconds",
                               solar([](const FourPillars& f) { return f.longitudeSeconds; }),
                               "The longitude's part of the correction; None without a longitude.")
        .def_property_readonly(
            "equation_seconds", solar([](const FourPillars& f) { return f.equationSeconds; }),
            "The equation of time's part of the correction; None without a longitude.");
    valueMethods<PyPillars>(
        pillars, {"year", "month", "day", "hour", "civil_date", "civil_time", "longitude"},
        [](const PyPillars& p) {
            const py::object self = py::cast(p);
            py::tuple values(7);
            const char* keys[] = {"year",       "month",      "day",      "hour",
                                  "civil_date", "civil_time", "longitude"};
            for (size_t i = 0; i < 7; ++i) values[i] = self.attr(keys[i]);
            return values;
        });

    py::class_<PyAlmanac> almanacClass(
        m, "Almanac", "The almanac (黄历) entries of a day, as `almanac` gives them.");
    const std::vector<AlmanacField>& fields = almanacFields();
    std::vector<const char*> almanacNames;
    for (size_t i = 0; i < fields.size(); ++i) {
        almanacNames.push_back(fields[i].name);
        almanacClass.def_property_readonly(
            fields[i].name, [i](const PyAlmanac& a) { return a.values[i]; },
            "The almanac's entry of this name (0 or '' where it has none).");
    }
    almanacClass.def("__str__", [](const PyAlmanac& a) { return a.values[a.values.size() - 1]; });
    valueMethods<PyAlmanac>(almanacClass, almanacNames,
                            [](const PyAlmanac& a) { return a.values; });

    py::class_<PyHoliday> holiday(m, "Holiday", "What a day is for work in China.");
    holiday.def_readonly("status", &PyHoliday::status, "The DayStatus.")
        .def_readonly("holiday", &PyHoliday::holiday, "The holiday it belongs to; '' for none.")
        .def_readonly("published", &PyHoliday::published,
                      "True when the year's arrangement is published.")
        .def_property_readonly(
            "mark", [](const PyHoliday& h) { return std::string(dayStatusMark(h.status)); },
            "'休', '班' or ''.")
        .def_property_readonly(
            "working_day", [](const PyHoliday& h) { return isWorkingDay(h.status); },
            "True for the days a payroll counts as working days.");
    valueMethods<PyHoliday>(holiday, {"status", "holiday", "published"}, [](const PyHoliday& h) {
        return py::make_tuple(py::cast(h.status), h.holiday, h.published);
    });

    py::class_<Event> event(m, "Event",
                            "A solar term or a new or full moon; unpacks as (name, time).");
    event.def_readonly("kind", &Event::kind, "The EventKind.")
        .def_readonly("name", &Event::name, "'立春', '朔日', '望日'.")
        .def_readonly("number", &Event::number, "TermNumber 1 = 小寒 .. 24; 0 new, 1 full moon.")
        .def_readonly("time", &Event::datetime,
                      "Local datetime (the calendar's zone) to the second; None when its day "
                      "is before 1582-10-15 or after 9999.")
        .def_property_readonly(
            "date", [](const Event& e) { return dateObject(e.date); }, "The local day.")
        .def_property_readonly(
            "hour", [](const Event& e) { return e.time.hours; }, "Local hour.")
        .def_property_readonly(
            "minute", [](const Event& e) { return e.time.minutes; }, "Local minute.")
        .def_property_readonly(
            "second", [](const Event& e) { return e.time.seconds; }, "Local second.")
        .def_readonly("instant", &Event::instant, "Local Julian Day number with its fraction.")
        .def("__iter__",
             [](const Event& e) { return py::iter(py::make_tuple(e.name, e.datetime)); });
    valueMethods<Event>(event, {"name", "time", "date"}, [](const Event& e) {
        return py::make_tuple(e.name, e.datetime, dateObject(e.date), e.instant);
    });

    py::class_<LunarMonthSpan> month(m, "Month", "A lunar month and its civil days.");
    month.def_readonly("year", &LunarMonthSpan::year, "Lunar year.")
        .def_property_readonly(
            "month",
            [](const LunarMonthSpan& s) {
                return lunarDateOfSizedCode(s.year, s.sizedMonthCode, 1).month;
            },
            "Month 1..12.")
        .def_property_readonly(
            "leap", [](const LunarMonthSpan& s) { return monthCodeOf(s.sizedMonthCode) > 12; },
            "True for the leap month.")
        .def_property_readonly(
            "long_month", [](const LunarMonthSpan& s) { return s.sizedMonthCode > 24; },
            "True for a month of 30 days.")
        .def_property_readonly(
            "days", [](const LunarMonthSpan& s) { return s.sizedMonthCode > 24 ? 30 : 29; },
            "29 or 30.")
        .def_property_readonly(
            "name", [](const LunarMonthSpan& s) { return lunarMonthText(s.sizedMonthCode); },
            "'闰六月小'.")
        .def_property_readonly(
            "first_day", [](const LunarMonthSpan& s) { return dateObject(s.first); },
            "Its first civil day.")
        .def_property_readonly(
            "last_day", [](const LunarMonthSpan& s) { return dateObject(s.last); },
            "Its last civil day.");
    valueMethods<LunarMonthSpan>(month, {"year", "name", "first_day", "last_day"},
                                 [](const LunarMonthSpan& s) {
                                     return py::make_tuple(s.year, lunarMonthText(s.sizedMonthCode),
                                                           dateObject(s.first), dateObject(s.last));
                                 });

    py::class_<YearRecord> record(m, "YearRecord", "A lunar year as its 17-character record.");
    record.def_readonly("year", &YearRecord::year, "Lunar year.")
        .def_readonly("record", &YearRecord::record, "The record, as `records` prints it.")
        .def_readonly("leap_month", &YearRecord::leapMonth, "0 = none, else the month it follows.")
        .def_readonly("days", &YearRecord::days, "Days of the year, 353..385.")
        .def_property_readonly(
            "new_year", [](const YearRecord& r) { return dateObject(r.newYear); },
            "The civil day of 正月初一.");
    valueMethods<YearRecord>(record, {"year", "record"},
                             [](const YearRecord& r) { return py::make_tuple(r.year, r.record); });

    py::class_<Calendar> cal(m, "Calendar",
                             "The calendar of a time zone and a regime; cheap to make, safe to "
                             "share between threads.");
    cal.def(py::init<int, bool>(), py::arg("tz") = 8, py::arg("modern") = false,
            "tz: hours east of Greenwich, -12..12; modern: modern astronomy for every date.")
        .def_property_readonly("tz", &Calendar::tz, "Hours east of Greenwich.")
        .def_property_readonly("modern", &Calendar::modern, "True when modern=True was asked.")
        .def_property_readonly("regime", &Calendar::regime,
                               "The Regime in effect (MODERN in every zone but 8).")
        .def_property_readonly("tzinfo", &Calendar::tzinfo, "The zone as a datetime.timezone.")
        .def("__repr__",
             [](const Calendar& c) {
                 return "Calendar(tz=" + std::to_string(c.tz()) +
                        ", modern=" + (c.modern() ? "True" : "False") + ")";
             })
        .def(
            "lunar_date",
            [](const Calendar& c, py::handle date) { return c.lunarDate(civilDayOf(date)); },
            py::arg("date"), "The LunarDate of a civil date.")
        .def(
            "solar_date",
            [](const Calendar& c, const LunarDate& d) {
                const int n = lunarToDayNumber(c.lunar(), d);
                if (n == InvalidDayNumber) {
                    char text[64];
                    std::snprintf(text, sizeof text, "'%s-%s%02d-%02d'", isoYear(d.year).c_str(),
                                  d.leap ? "闰" : "", d.month, d.day);
                    throw py::value_error(noSuchLunarDateMessage(text));
                }
                return dateObject(civilDayOfNumber(n));
            },
            py::arg("lunar"), "The civil date of a LunarDate; ValueError when it does not exist.")
        .def(
            "day_view",
            [](const Calendar& c, py::handle date, bool lichun, bool era, bool hijri) {
                const CivilDay day = civilDayOf(date);
                DayViewOptions options;
                options.ganzhiYearStart =
                    lichun ? GanzhiYearStart::Lichun : GanzhiYearStart::LunarNewYear;
                options.eraNames = era;
                options.hijriLine = hijri;
                const DayFacts facts = dayFacts(c.lunar(), day, nullptr);
                if (!facts.valid())
                    throw py::value_error(
                        outsideDayYearsMessage(Calendar::quotedDay(day), "day view"));
                const DayView v = dayView(c.lunar(), facts, options);
                return PyDayView{v.civil,   v.lunar,        isoDate(v.civil), v.lunarText,
                                 v.dayLine, v.festivalLine, v.seasonLine};
            },
            py::arg("date"), py::arg("lichun") = false, py::arg("era") = false,
            py::arg("hijri") = false,
            "The day view; lichun: years and months from 立春, era: reign eras, hijri: the "
            "Hijri date instead of the festivals.")
        .def(
            "ganzhi",
            [](const Calendar& c, py::handle date, bool lichun) {
                const CivilDay day = civilDayOf(date);
                const DayFacts facts = dayFacts(c.lunar(), day, nullptr);
                if (!facts.valid())
                    throw py::value_error(outsideLunarYearsMessage(Calendar::quotedDay(day)));
                const SexagenaryDay& g =
                    facts.ganzhi(lichun ? GanzhiYearStart::Lichun : GanzhiYearStart::LunarNewYear);
                return Ganzhi{g, ganzhiTextOfNumbers(g.year, g.month, g.day)};
            },
            py::arg("date"), py::arg("lichun") = false,
            "The sexagenary year, month and day; lichun: the year and months begin at 立春.")
        .def(
            "almanac",
            [](const Calendar& c, py::handle date, ZiHour zi) {
                const CivilDay day = civilDayOf(date);
                AlmanacDay a;
                static_cast<Almanac&>(a) = almanac(c.lunar(), day);
                if (!a.valid())
                    throw py::value_error(
                        outsideDayYearsMessage(Calendar::quotedDay(day), "almanac"));
                a.lists = almanacLists(c.lunar(), a);
                const std::span<const AlmanacHour> hours = almanacHours(a.dayNumber, zi);
                a.hours.assign(hours.begin(), hours.end());
                a.zi = zi;
                const std::vector<AlmanacField>& fields = almanacFields();
                py::tuple values(fields.size());
                for (size_t i = 0; i < fields.size(); ++i) values[i] = fields[i].read(a);
                return PyAlmanac{values};
            },
            py::arg("date"), py::arg("zi") = ZiHour::Late,
            "The almanac of a day with its 宜, 忌, 吉神, 凶煞 and twelve hours; zi: where "
            "23:00-24:00 belongs.")
        .def(
            "pillars",
            [](const Calendar& c, py::handle moment, py::object longitude, ZiHour zi) {
                const auto [day, second] = c.moment(moment);
                std::optional<double> degrees;
                if (!longitude.is_none()) {
                    if (!py::isinstance<py::int_>(longitude) &&
                        !py::isinstance<py::float_>(longitude))
                        throw py::type_error("a longitude is a float of degrees east or None");
                    degrees = longitude.cast<double>();
                    if (!std::isfinite(*degrees) || *degrees < MinLongitude ||
                        *degrees > MaxLongitude)
                        throw py::value_error(
                            badLongitudeMessage(quoted(std::string(py::str(longitude)))));
                }
                const FourPillars p = fourPillars(c.lunar(), day.date, second, zi, degrees);
                if (!p.valid())
                    throw py::value_error(
                        outsideDayYearsMessage(Calendar::quotedDay(day), "pillars"));
                const py::object jie =
                    py::cast(c.event(EventKind::SolarTerm, p.jie.number,
                                     solarTermName(p.jie.number), p.jie.instant));
                return PyPillars{p, zi, jie};
            },
            py::arg("moment"), py::arg("longitude") = py::none(), py::arg("zi") = ZiHour::Late,
            "The four pillars (四柱) of a moment: a datetime.datetime (naive: in the calendar's "
            "zone; aware: converted to it) or a (date, seconds of the day) tuple for any date; "
            "longitude: degrees east, -180..180, for true solar time.")
        .def(
            "holiday",
            [](const Calendar&, py::handle date) {
                const CivilDay day = civilDayOf(date);
                const HolidayStatus s = holidayStatus(HolidayArrangements{}, day.dayNumber);
                return PyHoliday{s.status, s.holiday, s.published};
            },
            py::arg("date"), "The day's status in China's public holidays (built-in arrangements).")
        .def(
            "solar_terms",
            [](const Calendar& c, int year) {
                Calendar::checkYear(year, MinTableYear, MaxTableYear, "civil year");
                std::vector<TermEvent> terms;
                {
                    py::gil_scoped_release release;
                    terms = termsOfYear(c.lunar(), year);
                }
                py::list out;
                for (const TermEvent& t : terms)
                    out.append(c.event(EventKind::SolarTerm, t.number, solarTermName(t.number),
                                       t.instant));
                return out;
            },
            py::arg("year"), "The solar terms whose day lies in a civil year, in time order.")
        .def(
            "moon_phases",
            [](const Calendar& c, int year) {
                Calendar::checkYear(year, MinTableYear, MaxTableYear, "civil year");
                std::vector<PhaseEvent> phases;
                {
                    py::gil_scoped_release release;
                    phases = moonPhasesOfYear(c.lunar(), year);
                }
                py::list out;
                for (const PhaseEvent& p : phases) {
                    const bool isNew = p.phase == MoonPhase::New;
                    out.append(c.event(isNew ? EventKind::NewMoon : EventKind::FullMoon,
                                       isNew ? 0 : 1, isNew ? "朔日" : "望日", p.instant));
                }
                return out;
            },
            py::arg("year"), "The new and full moons whose day lies in a civil year.")
        .def(
            "months",
            [](const Calendar& c, int year) {
                Calendar::checkYear(year, MinTableYear, MaxTableYear, "lunar year");
                py::gil_scoped_release release;
                return lunarMonthSpans(c.lunar(), year);
            },
            py::arg("year"), "The months of a lunar year in order.")
        .def(
            "year_record",
            [](const Calendar& c, int year) {
                Calendar::checkYear(year, FirstLunarYear, LastLunarYear, "lunar year");
                py::gil_scoped_release release;
                const LunarYear& y = c.lunar().lunarYear(year);
                return YearRecord{year, lunarYearRecord(y), y.leapMonth, y.length(),
                                  y.newYearDate()};
            },
            py::arg("year"), "The record of a lunar year, -9997..9998.")
        .def(
            "year_records",
            [](const Calendar& c, int first, int last) {
                Calendar::checkYears(first, last, FirstLunarYear, LastLunarYear, "lunar year");
                py::gil_scoped_release release;
                c.lunar().prefetch(first, last);
                std::vector<YearRecord> records;
                for (int year = first; year <= last; ++year) {
                    const LunarYear& y = c.lunar().lunarYear(year);
                    records.push_back(
                        {year, lunarYearRecord(y), y.leapMonth, y.length(), y.newYearDate()});
                }
                return records;
            },
            py::arg("first"), py::arg("last"), "The records of lunar years first..last.")
        .def(
            "search_leap_months",
            [](const Calendar& c, int first, int last, int month) {
                Calendar::checkYears(first, last, MinTableYear, MaxTableYear, "lunar year");
                if (month < 0 || month > 12)
                    throw py::value_error("bad --leap-month " + quoted(std::to_string(month)) +
                                          " (N is 1..12)");
                py::gil_scoped_release release;
                std::vector<LunarMonthSpan> found;
                for (int year = first; year <= last; ++year) {
                    const LunarMonthSpan span = leapMonthSpan(c.lunar(), year);
                    if (span.sizedMonthCode != 0 &&
                        (month == 0 || month == c.lunar().leapMonth(year)))
                        found.push_back(span);
                }
                return found;
            },
            py::arg("first"), py::arg("last"), py::arg("month") = 0,
            "The leap months of lunar years first..last (month: those after it only, 0 = any).")
        .def(
            "lunar_dates",
            [](const Calendar& c, py::handle first, py::handle last) {
                const CivilDay a = civilDayOf(first), b = civilDayOf(last);
                for (const CivilDay& day : {a, b})
                    c.lunarDate(day);  // ValueError outside the lunar calendar
                if (b.dayNumber < a.dayNumber) {
                    throw py::value_error("LAST " + Calendar::quotedDay(b) +
                                          " comes before FIRST " + Calendar::quotedDay(a));
                }
                std::vector<LunarDate> dates(static_cast<size_t>(b.dayNumber - a.dayNumber + 1));
                {
                    py::gil_scoped_release release;
                    for (int n = a.dayNumber; n <= b.dayNumber; ++n)
                        dates[static_cast<size_t>(n - a.dayNumber)] = lunarDateOfDay(c.lunar(), n);
                }
                py::list out(dates.size());
                for (size_t i = 0; i < dates.size(); ++i) out[i] = py::cast(dates[i]);
                return out;
            },
            py::arg("first"), py::arg("last"), "The LunarDates of every day first..last.");
}
