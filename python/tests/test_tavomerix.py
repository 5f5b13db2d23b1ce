"""The tavomerix module against the core's known days and the command line's own output."""

import datetime
import json
import os
import subprocess
import threading
from typing import Callable, List, Optional

import pytest

import tavomerix
from tavomerix import Calendar, CivilDate, DayStatus, EventKind, LunarDate, Regime, ZiHour

D = datetime.date
MODERN = Calendar(modern=True)
CAL = Calendar()


def iso_year(year: int) -> str:
    return f"-{-year:04d}" if year < 0 else f"{year:04d}"


def compact(d: LunarDate) -> str:
    """The lunar date as `tavomerix convert` prints it."""
    return f"{iso_year(d.year)}-{'闰' if d.leap else ''}{d.month:02d}-{d.day:02d}"


def iso(d: object) -> str:
    return str(CivilDate.of(d))  # type: ignore[arg-type]


# ---- known days (as in the C++ tests, modern astronomy in UTC+8) ----------------------

@pytest.mark.parametrize("civil, lunar", [
    (D(2024, 2, 10), LunarDate(2024, 1, 1, False, False)),   # 正月初一 (正月小)
    (D(2024, 2, 9), LunarDate(2023, 12, 30, False, True)),   # 除夕, 腊月三十
    (D(2025, 1, 28), LunarDate(2024, 12, 29, False, False)),  # 除夕, 腊月廿九
    (D(2023, 3, 22), LunarDate(2023, 2, 1, True, False)),    # 闰二月初一
    (D(2023, 4, 19), LunarDate(2023, 2, 29, True, False)),
    (D(2017, 7, 23), LunarDate(2017, 6, 1, True, True)),     # 30-day 闰六月
    (D(2033, 12, 22), LunarDate(2033, 11, 1, True, False)),  # 闰冬月初一
    (D(2000, 1, 1), LunarDate(1999, 11, 25, False, True)),
])
def test_known_days_both_ways(civil: D, lunar: LunarDate) -> None:
    assert MODERN.lunar_date(civil) == lunar
    assert MODERN.solar_date(lunar) == civil


def test_str_reads_the_lunar_date() -> None:
    assert str(CAL.lunar_date(D(2024, 2, 10))) == "2024年正月初一"
    assert str(MODERN.lunar_date(D(2023, 3, 22))) == "2023年闰二月初一"
    assert CAL.lunar_date(D(2023, 3, 22)).month_name == "闰二月"


@pytest.mark.parametrize("make, message", [
    (lambda: CivilDate(2023, 2, 29), "no such date '2023-02-29' (DATE is Y-M-D with a day "
     "that exists, years -9998..9999; 1582-10-05..14 do not exist)"),
    (lambda: CivilDate(1582, 10, 10), "no such date '1582-10-10'"),
    (lambda: CivilDate(10000, 1, 1), "no such date '10000-01-01'"),
    (lambda: CAL.lunar_date(CivilDate(-9000, 6, 1)),
     "date '-9000-06-01' is outside the lunar calendar's years -8999..9000"),
    (lambda: CAL.lunar_date(D(9001, 6, 1)), "outside the lunar calendar's years"),
    (lambda: MODERN.solar_date(LunarDate(2023, 2, 30, True)), "no such lunar date '2023-闰02-30'"),
    (lambda: MODERN.solar_date(LunarDate(2024, 2, 1, True)), "no such lunar date"),
    (lambda: MODERN.solar_date(LunarDate(2024, 12, 30)), "no such lunar date"),
    (lambda: LunarDate(2023, 13, 1), "no such lunar date '2023-13-01'"),
    (lambda: Calendar(tz=13), "bad time zone '13' (--tz takes a whole number of hours, -12..12)"),
    (lambda: CAL.solar_terms(9001), "bad civil year '9001' (years -8999..9000)"),
    (lambda: CAL.months(-9000), "bad lunar year '-9000' (years -8999..9000)"),
    (lambda: CAL.year_record(9999), "bad lunar year '9999' (years -9997..9998)"),
    (lambda: CAL.year_records(5, 3), "LAST 3 comes before FIRST 5"),
    (lambda: CAL.search_leap_months(2000, 2010, 13), "bad --leap-month '13' (N is 1..12)"),
    (lambda: CAL.lunar_dates(D(2024, 2, 1), D(2024, 1, 1)),
     "LAST '2024-01-01' comes before FIRST '2024-02-01'"),
    (lambda: CAL.almanac(CivilDate(9500, 1, 1)),
     "date '9500-01-01' is outside the years -8999..9000 of the almanac"),
    (lambda: CAL.day_view(CivilDate(-9500, 1, 1)), "of the day view"),
    (lambda: CivilDate(1000, 1, 1).to_date(), "outside datetime.date's"),
])
def test_bad_input_raises_value_error(make: object, message: str) -> None:
    with pytest.raises(ValueError) as raised:
        make()  # type: ignore[operator]
    assert message in str(raised.value)


@pytest.mark.parametrize("call", [
    lambda: CAL.lunar_date("2024-02-10"),
    lambda: CAL.lunar_date(20240210),
    lambda: CAL.day_view(None),
    lambda: Calendar(tz="8"),
    lambda: CivilDate(2024.5, 1, 1),
    lambda: CAL.solar_date(D(2024, 1, 1)),
])
def test_wrong_types_raise_type_error(call: object) -> None:
    with pytest.raises(TypeError):
        call()  # type: ignore[operator]


# ---- dates in and out -----------------------------------------------------------------

def test_python_dates_before_1582_are_the_same_day() -> None:
    # datetime.date is proleptic Gregorian: 1582-10-14 there is the Julian 1582-10-04.
    assert CivilDate.of(D(1582, 10, 14)) == CivilDate(1582, 10, 4)
    assert CivilDate.of(D(1582, 10, 15)).jdn - CivilDate(1582, 10, 4).jdn == 1
    assert CAL.lunar_date(D(1000, 1, 6)) == CAL.lunar_date(CivilDate(1000, 1, 1))
    assert CivilDate.of(D(1, 1, 1)).jdn == 1721426


def test_dates_come_out_as_date_where_python_holds_them() -> None:
    assert type(CAL.solar_date(LunarDate(2024, 1, 1))) is D
    assert CAL.solar_date(LunarDate(1000, 1, 1)) == CivilDate(1000, 2, 8)
    assert isinstance(CAL.solar_date(LunarDate(-103, 1, 1)), CivilDate)
    assert CAL.year_record(1582).new_year == CivilDate(1582, 1, 24)
    assert CivilDate(1582, 10, 15).to_date() == D(1582, 10, 15)
    assert CivilDate.from_jdn(CivilDate(-500, 3, 1).jdn) == CivilDate(-500, 3, 1)


def test_values_compare_hash_and_stay_unchanged() -> None:
    a, b = CivilDate(-100, 2, 3), CivilDate(-100, 2, 3)
    assert a == b and hash(a) == hash(b) and a != CivilDate(-100, 2, 4)
    assert sorted([CivilDate(2, 1, 1), CivilDate(-5, 12, 31), CivilDate(1, 6, 1)]) == [
        CivilDate(-5, 12, 31), CivilDate(1, 6, 1), CivilDate(2, 1, 1)]
    days = CAL.lunar_dates(D(2024, 1, 1), D(2024, 12, 31))
    assert len(set(days)) == 366 and len({d.month for d in days}) == 12
    assert LunarDate(2023, 2, 1, True) > LunarDate(2023, 2, 29) > LunarDate(2023, 2, 1)
    assert CAL.almanac(D(2024, 2, 10)) == CAL.almanac(CivilDate(2024, 2, 10))
    assert len({CAL.day_view(D(2024, 2, 10)), CAL.day_view(D(2024, 2, 10))}) == 1
    assert repr(a) == "CivilDate(year=-100, month=2, day=3)"
    assert CivilDate(2024, 1, 1) != D(2024, 1, 1)
    for value, field in [(a, "year"), (days[0], "month"), (CAL, "tz"), (CAL.almanac(a), "jdn")]:
        with pytest.raises(AttributeError):
            setattr(value, field, 1)


def test_calendar_context() -> None:
    assert CAL.regime == Regime.HISTORICAL and MODERN.regime == Regime.MODERN
    assert Calendar(tz=9).regime == Regime.MODERN
    assert repr(Calendar(tz=-5, modern=True)) == "Calendar(tz=-5, modern=True)"
    # The historical reckoning and modern astronomy give other years before 1887.
    assert CAL.year_record(1600) != MODERN.year_record(1600)
    assert CAL.year_record(2024) == MODERN.year_record(2024)


# ---- events, months and records -------------------------------------------------------

def test_events_carry_the_calendar_zone() -> None:
    west = Calendar(tz=-5)
    first = west.solar_terms(2024)[0]
    name, time = first
    assert (name, first.kind, first.number) == ("小寒", EventKind.SOLAR_TERM, 1)
    assert time is not None and time.utcoffset() == datetime.timedelta(hours=-5)
    assert time.astimezone(CAL.tzinfo) == CAL.solar_terms(2024)[0].time
    phases = CAL.moon_phases(-500)
    assert phases[0].time is None and phases[0].date == CivilDate(-500, 1, 3)
    assert {p.kind for p in phases} == {EventKind.NEW_MOON, EventKind.FULL_MOON}
    assert [t.number for t in CAL.solar_terms(2024)] == list(range(1, 25))


def test_months_records_and_leap_months() -> None:
    months = CAL.months(2025)
    assert len(months) == 13 and months[6].name == "闰六月小" and months[6].leap
    assert months[6].first_day == D(2025, 7, 25) and months[6].days == 29
    record = CAL.year_record(2024)
    assert (record.record, record.leap_month, record.days) == ("01001011011000210", 0, 354)
    assert CAL.year_records(2020, 2030)[4] == record
    leaps = CAL.search_leap_months(2020, 2030)
    assert [(m.year, m.month) for m in leaps] == [(2020, 4), (2023, 2), (2025, 6), (2028, 5)]
    assert CAL.search_leap_months(2020, 2030, 6) == [leaps[2]]


def test_ganzhi_almanac_holiday() -> None:
    assert CAL.ganzhi(D(2024, 2, 4)).text == "癸卯(兔)年乙丑月戊戌日"
    assert CAL.ganzhi(D(2024, 2, 4), lichun=True).text == "甲辰(龙)年丙寅月戊戌日"
    almanac = CAL.almanac(D(2024, 2, 10))
    assert (almanac.ganzhi_name, almanac.na_yin_name, almanac.officer_name) == ("甲辰", "覆灯火", "满")
    assert almanac.text.splitlines()[0] == "甲辰日  纳音 覆灯火"
    cases = [
        (D(2026, 2, 14), DayStatus.ARRANGED_WORKDAY, "春节", True, "班"),
        (D(2020, 10, 1), DayStatus.STATUTORY, "中秋节、国庆节", True, "休"),
        (D(2031, 3, 8), DayStatus.WEEKEND, "", False, ""),
        (D(1999, 10, 1), DayStatus.WORKDAY, "", False, ""),
    ]
    for day, status, name, published, mark in cases:
        h = CAL.holiday(day)
        assert (h.status, h.holiday, h.published, h.mark) == (status, name, published, mark)


# ---- threads ---------------------------------------------------------------------------

def test_threads_convert_as_one_thread_does() -> None:
    days = [CivilDate.from_jdn(n) for n in range(CivilDate(-3000, 1, 1).jdn, 5_000_000, 37_003)]
    cal = Calendar(tz=3)  # a context no other test has built yet
    results: List[List[object]] = [[] for _ in range(4)]

    def work(i: int) -> None:
        results[i] = [cal.lunar_date(d) for d in days] + cal.year_records(-3000 + i, 3000)

    threads = [threading.Thread(target=work, args=(i,)) for i in range(4)]
    for t in threads:
        t.start()
    for t in threads:
        t.join()
    alone = [Calendar(tz=3).lunar_date(d) for d in days]
    for i, r in enumerate(results):
        assert r[:len(days)] == alone
        assert r[len(days):] == Calendar(tz=3).year_records(-3000 + i, 3000)


# ---- the command line's own output ----------------------------------------------------

CLI = os.environ.get("TAVOMERIX_CLI")
needs_cli = pytest.mark.skipif(not CLI, reason="TAVOMERIX_CLI names no tavomerix program")


def cli(*args: str) -> subprocess.CompletedProcess:  # type: ignore[type-arg]
    assert CLI
    return subprocess.run([CLI, *args], capture_output=True, text=True, check=False)


SAMPLE = [CivilDate(-103, 2, 22), CivilDate(-1, 12, 31), CivilDate(1000, 1, 1),
          CivilDate(1582, 10, 4), CivilDate(1582, 10, 15), CivilDate(1800, 3, 1),
          CivilDate(2024, 2, 10), CivilDate(2033, 12, 22), CivilDate(5000, 7, 7),
          CivilDate(8999, 12, 31)]


@needs_cli
@pytest.mark.parametrize("tz, modern", [(8, False), (8, True), (-5, False)])
def test_days_equal_the_command_line(tz: int, modern: bool) -> None:
    cal = Calendar(tz=tz, modern=modern)
    options = [f"--tz={tz}"] + (["--modern"] if modern else [])
    for day in SAMPLE:
        date = str(day)
        assert cli(*options, "convert", date).stdout == compact(cal.lunar_date(day)) + "\n"
        assert cli(*options, "day", date).stdout == str(cal.day_view(day)) + "\n"
        almanac = cal.almanac(day)
        assert cli(*options, "almanac", date).stdout == date + "\n" + almanac.text + almanac.lists_text
        for lichun in (False, True):
            out = cli(*options, "ganzhi", date, *(["--lichun"] if lichun else [])).stdout
            assert out == cal.ganzhi(day, lichun).text + "\n"
    view = cal.day_view(SAMPLE[6], era=True, hijri=True)
    assert cli(*options, "day", str(SAMPLE[6]), "--era", "--hijri").stdout == str(view) + "\n"


@needs_cli
@pytest.mark.parametrize("year", [-500, 1000, 1582, 2024, 9000])
def test_tables_equal_the_command_line(year: int) -> None:
    def event_line(e: tavomerix.Event) -> str:
        return f"{iso(e.date)} {e.hour:02d}:{e.minute:02d}:{e.second:02d}  {e.name}\n"

    assert cli("terms", str(year)).stdout == "".join(map(event_line, CAL.solar_terms(year)))
    assert cli("moons", str(year)).stdout == "".join(map(event_line, CAL.moon_phases(year)))
    months = "".join(
        f"{iso_year(m.year)}-{'闰' if m.leap else ''}{m.month:02d}  {m.name}  "
        f"{iso(m.first_day)} ～ {iso(m.last_day)}\n" for m in CAL.months(year))
    assert cli("months", str(year)).stdout == months
    assert cli("records", str(year)).stdout == f"{year}\t{CAL.year_record(year).record}\n"


@needs_cli
def test_leap_search_and_messages_equal_the_command_line() -> None:
    leaps = "".join(f"{m.year}-闰{m.month:02d}  {m.name}  {iso(m.first_day)} ～ {iso(m.last_day)}\n"
                    for m in CAL.search_leap_months(1900, 2100))
    assert cli("search", "leap", "1900", "201").stdout == leaps
    for args, call in [
        (["convert", "2023-02-29"], lambda: CivilDate(2023, 2, 29)),
        (["convert", "9500-01-01"], lambda: CAL.lunar_date(CivilDate(9500, 1, 1))),
        (["--tz", "13", "convert", "2024-01-01"], lambda: Calendar(tz=13)),
        (["months", "9001"], lambda: CAL.months(9001)),
        (["records", "5", "3"], lambda: CAL.year_records(5, 3)),
        (["almanac", "9500-01-01"], lambda: CAL.almanac(CivilDate(9500, 1, 1))),
        (["pillars", "9500-01-01", "12:00"],
         lambda: CAL.pillars(datetime.datetime(9500, 1, 1, 12))),
        (["pillars", "2024-01-01", "12:00", "--longitude", "200"],
         lambda: CAL.pillars(datetime.datetime(2024, 1, 1, 12), longitude=200)),
    ]:
        with pytest.raises(ValueError) as raised:
            call()
        assert cli(*args).stderr == f"tavomerix: {raised.value}\n"


def clock(t: datetime.time) -> str:
    return t.strftime("%H:%M")


@needs_cli
@pytest.mark.parametrize("date, zi", [("2024-02-10", ZiHour.LATE), ("2024-02-10", ZiHour.EARLY),
                                      ("2025-12-15", ZiHour.LATE), ("2025-12-15", ZiHour.EARLY)])
def test_almanac_lists_and_hours_equal_the_command_line(date: str, zi: ZiHour) -> None:
    option = "--early-zi" if zi == ZiHour.EARLY else "--late-zi"
    want = json.loads(cli("almanac", date, "--hours", option, "--format", "json").stdout)
    a = CAL.almanac(datetime.date.fromisoformat(date), zi)
    for key in ["auspicious_spirits", "baleful_stars", "favoured", "forbidden"]:
        assert getattr(a, key) == tuple(want[key]), key
    for key in ["all_forbidden", "nothing_else", "virtue"]:
        assert getattr(a, key) is want[key], key
    assert a.zi_hour == zi and want["zi_hour"] == zi.name.lower()
    got = [{"branch": h.branch, "label": h.label, "start": clock(h.start), "end": clock(h.end),
            "ganzhi": h.ganzhi, "ganzhi_name": h.ganzhi_name, "spirit": h.spirit,
            "spirit_name": h.spirit_name, "yellow_path": h.yellow_path,
            "path_name": h.path_name, "luck": h.luck, "text": h.text} for h in a.hours]
    assert got == want["hours"]
    text = cli("almanac", date, "--hours", option).stdout
    assert text == date + "\n" + a.text + a.lists_text + a.hours_text
    assert a != CAL.almanac(datetime.date.fromisoformat(date),
                            ZiHour.LATE if zi == ZiHour.EARLY else ZiHour.EARLY)


@needs_cli
@pytest.mark.parametrize("moment, longitude", [
    (datetime.datetime(1990, 5, 17, 14, 30), 116.4),
    # the same moment as UTC, converted to the calendar's zone
    (datetime.datetime(1990, 5, 17, 6, 30, tzinfo=datetime.timezone.utc), 116.4),
    ((CivilDate(1990, 5, 17), 14 * 3600 + 30 * 60), 116.4),
    (datetime.datetime(1990, 5, 17, 14, 30), None),
])
def test_pillars_equal_the_command_line(moment: object,
                                        longitude: Optional[float]) -> None:
    args = ["pillars", "1990-05-17", "14:30", "--format", "json"]
    want = json.loads(cli(*args, *(["--longitude", "116.4"] if longitude else [])).stdout)
    p = CAL.pillars(moment, longitude)  # type: ignore[arg-type]
    for key in ["year", "month", "day", "hour"]:
        pillar = getattr(p, key)
        assert {"ganzhi": pillar.ganzhi, "name": pillar.name, "na_yin": pillar.na_yin,
                "na_yin_name": pillar.na_yin_name} == want["pillars"][key]
    assert want["jie"] == {"number": p.jie.number, "name": p.jie.name,
                           "instant": p.jie.time.isoformat()}
    assert (iso(p.civil_date), p.civil_time.isoformat()) == ("1990-05-17", want["time"])
    solar = want["true_solar_time"]
    if solar is None:
        assert (p.longitude, p.solar_time, p.correction_seconds) == (None, None, None)
    else:
        assert f"{iso(p.solar_date)} {p.solar_time.isoformat()}" == solar["time"]
        assert (p.longitude, p.correction_seconds, p.longitude_seconds, p.equation_seconds) == (
            solar["longitude"], solar["correction_seconds"], solar["longitude_seconds"],
            solar["equation_seconds"])
    assert p == CAL.pillars(datetime.datetime(1990, 5, 17, 14, 30), longitude)
    assert hash(p) == hash(CAL.pillars(datetime.datetime(1990, 5, 17, 14, 30), longitude))


@pytest.mark.parametrize("call, error", [
    (lambda: CAL.pillars(datetime.datetime(2024, 1, 1), longitude=-180.5), ValueError),
    (lambda: CAL.pillars(datetime.datetime(2024, 1, 1), longitude=float("nan")), ValueError),
    (lambda: CAL.pillars((D(2024, 1, 1), 86400)), ValueError),
    (lambda: CAL.pillars(D(2024, 1, 1)), TypeError),
    (lambda: CAL.pillars(datetime.datetime(2024, 1, 1), longitude="116"), TypeError),
])
def test_pillars_refuse_bad_input(call: Callable[[], object], error: type) -> None:
    with pytest.raises(error):
        call()
