"""Speed of the tavomerix module (not a test): every day 1900..2100 to a lunar date, one
call per day and one range call, and the solar terms of 1900..2100.

    PYTHONPATH=build/python /usr/bin/python3 bench/python_bench.py
"""

import datetime
import time

import tavomerix


def timed(what: str, count: int, run) -> None:  # type: ignore[no-untyped-def]
    start = time.perf_counter()
    run()
    seconds = time.perf_counter() - start
    print(f"{what:44} {seconds * 1e3:9.1f} ms  {seconds / count * 1e9:8.0f} ns each ({count})")


def main() -> None:
    first, last = datetime.date(1900, 1, 1), datetime.date(2100, 12, 31)
    days = [first + datetime.timedelta(n) for n in range((last - first).days + 1)]
    cold = tavomerix.Calendar(tz=7)  # a context this process has not built yet
    timed("first use of a context (terms of 1900..2100)", 201,
          lambda: [cold.solar_terms(y) for y in range(1900, 2101)])
    calendar = tavomerix.Calendar()
    calendar.lunar_dates(first, last)  # builds the years once
    timed("lunar_date, one call per day", len(days), lambda: [calendar.lunar_date(d) for d in days])
    timed("lunar_dates, one range call", len(days), lambda: calendar.lunar_dates(first, last))
    timed("solar_terms, one call per year", 201,
          lambda: [calendar.solar_terms(y) for y in range(1900, 2101)])
    timed("an empty loop over the days (Python alone)", len(days), lambda: [d for d in days])


if __name__ == "__main__":
    main()
