#include <windows.h>

#include "app/clock.h"

namespace tavomerix {

CivilDate readLocalDate() {
    SYSTEMTIME now{};
    GetLocalTime(&now);
    return {now.wYear, now.wMonth, now.wDay};
}

bool setLocalDate(const CivilDate& date) {
    // SYSTEMTIME holds years 1601..30827; the system refuses days that do not exist.
    if (date.year < 1601 || date.year > 30827 || !isValidDate(date.year, date.month, date.day))
        return false;
    SYSTEMTIME time{};
    GetLocalTime(&time);
    time.wYear = static_cast<WORD>(date.year);
    time.wMonth = static_cast<WORD>(date.month);
    time.wDay = static_cast<WORD>(date.day);
    return SetLocalTime(&time) != FALSE;
}

}  // namespace tavomerix
