#!/usr/bin/python3
"""Checks the files of `tavomerix ics` with an independent iCalendar parser (Debian's
python3-icalendar): every file parses, holds the expected number of events, and known days
and instants are right.

usage: ics_check.py PATH_TO_TAVOMERIX
Exit status 77 (skipped) when the parser is not installed."""
import datetime
import os
import subprocess
import sys
import tempfile

try:
    import icalendar
except ImportError:
    print("ics_check: skipped: /usr/bin/python3 cannot import icalendar "
          "(install the Debian package python3-icalendar)")
    sys.exit(77)

PROGRAM = sys.argv[1]
failures = []


def check(condition, message):
    if not condition:
        failures.append(message)


def export(*args):
    """The parsed calendar of `tavomerix ics ARGS` and its raw bytes."""
    result = subprocess.run([PROGRAM, "ics", *args], capture_output=True, check=False)
    if result.returncode != 0:
        raise SystemExit(f"ics_check: tavomerix ics {' '.join(args)} failed: "
                         f"{result.returncode} {result.stderr.decode(errors='replace')}")
    return icalendar.Calendar.from_ical(result.stdout), result.stdout


def events(calendar):
    return [c for c in calendar.walk() if c.name == "VEVENT"]


def starts(calendar, summary):
    return [e.decoded("DTSTART") for e in events(calendar) if str(e.get("SUMMARY")) == summary]


def check_form(raw, label):
    """CRLF everywhere, no line over 75 octets, no UTF-8 character split by a fold."""
    lines = raw.split(b"\r\n")
    check(lines[-1] == b"", f"{label}: does not end in CRLF")
    check(all(b"\n" not in line and b"\r" not in line for line in lines), f"{label}: a bare LF or CR")
    check(all(len(line) <= 75 for line in lines), f"{label}: a line longer than 75 octets")
    for line in lines:
        try:
            line.decode("utf-8")
        except UnicodeDecodeError:
            failures.append(f"{label}: a folded line splits a character: {line!r}")
            break


def check_calendar(calendar, raw, label, expected_events):
    check_form(raw, label)
    check(str(calendar.get("VERSION")) == "2.0", f"{label}: VERSION")
    check(calendar.get("PRODID") is not None, f"{label}: PRODID")
    check(str(calendar.get("CALSCALE")) == "GREGORIAN", f"{label}: CALSCALE")
    found = events(calendar)
    check(len(found) == expected_events, f"{label}: {len(found)} events, expected {expected_events}")
    uids = [str(e.get("UID")) for e in found]
    check(len(set(uids)) == len(uids), f"{label}: UIDs repeat")
    for e in found:
        for prop in ("UID", "DTSTAMP", "DTSTART", "SUMMARY", "CATEGORIES"):
            if e.get(prop) is None:
                failures.append(f"{label}: an event without {prop}")
                return


# The 24 terms a year, instants in UTC.
terms, raw = export("--terms", "--from", "2024", "--years", "2")
check_calendar(terms, raw, "terms", 48)
utc = datetime.timezone.utc
check(starts(terms, "冬至")[0] == datetime.datetime(2024, 12, 21, 9, 20, 28, tzinfo=utc),
      f"冬至 2024: {starts(terms, '冬至')}")

# Festivals: 2025 holds 65 civil festival days and 13 lunar festivals.
festivals, raw = export("--festivals", "--from", "2024", "--years", "2")
festivals_2025, raw_2025 = export("--festivals", "--from", "2025", "--years", "1")
check_calendar(festivals_2025, raw_2025, "festivals 2025", 78)
check_calendar(festivals, raw, "festivals", len(events(festivals)))
check(starts(festivals, "春节") == [datetime.date(2024, 2, 10), datetime.date(2025, 1, 29)],
      f"春节: {starts(festivals, '春节')}")
check(starts(festivals, "中秋节") == [datetime.date(2024, 9, 17), datetime.date(2025, 10, 6)],
      f"中秋节: {starts(festivals, '中秋节')}")

# Moons: 12 or 13 of each phase a year, 29 to 30 days apart.
moons, raw = export("--moons", "--from", "2024", "--years", "3")
new_moons = starts(moons, "朔")
full_moons = starts(moons, "望")
check_calendar(moons, raw, "moons", len(new_moons) + len(full_moons))
check(36 <= len(new_moons) <= 39 and 36 <= len(full_moons) <= 39, "moons: count")
for series in (new_moons, full_moons):
    for a, b in zip(series, series[1:]):
        check(datetime.timedelta(days=29.2) < b - a < datetime.timedelta(days=29.9),
              f"moons: {a} to {b}")

# Anniversaries of the user's days.
with tempfile.TemporaryDirectory() as directory:
    path = os.path.join(directory, "days.txt")
    with open(path, "wb") as f:
        f.write("\ufeffL 08-15\t1990生日, 农历\r\nL 18-01\t2025闰六月纪念\r\n".encode())
    days, raw = export("--days", path, "--from", "2025", "--years", "2")
check_calendar(days, raw, "days", 3)
check(starts(days, "生日, 农历") == [datetime.date(2025, 10, 6), datetime.date(2026, 9, 25)],
      f"lunar birthday: {starts(days, '生日, 农历')}")
check(starts(days, "闰六月纪念") == [datetime.date(2025, 7, 25)],
      f"闰六月: {starts(days, '闰六月纪念')}")

# Everything at once over ten years, long lines folded.
everything, raw = export("--festivals", "--terms", "--moons", "--from", "2030", "--years", "10")
check_calendar(everything, raw, "everything", len(events(everything)))
check(len(events(everything)) > 10 * (78 + 24 + 24), "everything: too few events")

# China's public holidays: days off (休) and working weekend days (班), stable UIDs.
def categories(calendar, category):
    return [e for e in events(calendar) if e.get("CATEGORIES").to_ical().decode() == category]


holidays, raw = export("--holidays", "--from", "2025", "--years", "2")
check_calendar(holidays, raw, "holidays", 61 + 11)
check(len(categories(holidays, "休")) == 61, f"holidays: {len(categories(holidays, '休'))} days off")
check(len(categories(holidays, "班")) == 11, f"holidays: {len(categories(holidays, '班'))} 班")
check(starts(holidays, "春节 班") == [datetime.date(2025, 1, 26), datetime.date(2025, 2, 8),
                                      datetime.date(2026, 2, 14), datetime.date(2026, 2, 28)],
      f"春节 班: {starts(holidays, '春节 班')}")
check(datetime.date(2026, 2, 16) in starts(holidays, "春节 休"), "春节 休 2026-02-16")
again, _ = export("--holidays", "--from", "2025", "--years", "2")
check(sorted(str(e.get("UID")) for e in events(again)) ==
      sorted(str(e.get("UID")) for e in events(holidays)), "holidays: UIDs change between runs")
# A year without a notice: its statutory days alone, never a guessed working day.
unpublished, raw = export("--holidays", "--from", "2031", "--years", "1")
check_calendar(unpublished, raw, "holidays 2031", 12)
check(not categories(unpublished, "班"), "holidays 2031: a 班 day")

for failure in failures:
    print("ics_check:", failure)
sys.exit(1 if failures else 0)
