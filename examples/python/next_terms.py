"""Prints the next ten solar terms and today's lunar date (China's calendar, UTC+8)."""

import datetime

import tavomerix


def main() -> None:
    calendar = tavomerix.Calendar(tz=8)
    now = datetime.datetime.now(calendar.tzinfo)
    coming = [
        term
        for year in (now.year, now.year + 1)
        for term in calendar.solar_terms(year)
        if term.time is not None and term.time > now
    ]
    for name, time in coming[:10]:
        assert time is not None
        print(f"{time:%Y-%m-%d %H:%M:%S}  {name}")
    today = now.date()
    lunar = calendar.lunar_date(today)
    print(f"{today}  {lunar}  {calendar.ganzhi(today).text}")


if __name__ == "__main__":
    main()
