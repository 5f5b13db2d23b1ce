"""The Tavomerix calendar core for Python: the Chinese lunisolar calendar of -8999..9000.

    >>> import datetime, tavomerix
    >>> print(tavomerix.Calendar().lunar_date(datetime.date(2024, 2, 10)))
    2024年正月初一

Dates are datetime.date where Python's calendar holds them (Gregorian, 1582-10-15 ..
9999-12-31) and tavomerix.CivilDate for every other day (BC years, the Julian calendar
before 1582-10-15); both are accepted wherever a date is.
"""

from ._tavomerix import (
    Almanac,
    Calendar,
    CivilDate,
    DayStatus,
    DayView,
    Event,
    EventKind,
    Ganzhi,
    Holiday,
    Hour,
    LunarDate,
    Month,
    Pillar,
    Pillars,
    Regime,
    YearRecord,
    ZiHour,
)

__all__ = [
    "Almanac",
    "Calendar",
    "CivilDate",
    "DayStatus",
    "DayView",
    "Event",
    "EventKind",
    "Ganzhi",
    "Holiday",
    "Hour",
    "LunarDate",
    "Month",
    "Pillar",
    "Pillars",
    "Regime",
    "YearRecord",
    "ZiHour",
]
