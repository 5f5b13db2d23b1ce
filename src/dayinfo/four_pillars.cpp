#include "dayinfo/four_pillars.h"

#include <cmath>

#include "astro/solar_terms.h"
#include "astro/time_scales.h"
#include "calendar/arithmetic.h"
#include "chinese/sexagenary.h"
#include "dayinfo/names.h"

namespace tavomerix {
namespace {

// The last 节 and the last 立春 whose instants are at or before t (LocalDayNumber), from
// the term tables of civil year `year` and the year before.
struct TermsBefore {
    TermEvent jie;
    TermEvent lichun;
    int lichunYear = 0;  // civil year of that 立春's day
};

TermsBefore termsBefore(const LunarCalendar& calendar, int year, double t) {
    TermsBefore found;
    for (const int y : {year - 1, year}) {
        const TermYearTable* table = calendar.termTable(y);
        if (table == nullptr) continue;
        for (int i = 0; i < table->count; ++i) {
            const TermEvent& e = table->terms[static_cast<size_t>(i)];
            if (e.number % 2 == 0 || e.instant > t) continue;
            if (found.jie.number == 0 || e.instant > found.jie.instant) found.jie = e;
            if (e.number == Lichun &&
                (found.lichun.number == 0 || e.instant > found.lichun.instant)) {
                found.lichun = e;
                found.lichunYear = civilDateFromDayNumber(floorToInt(e.instant)).year;
            }
        }
    }
    return found;
}

int naYinOf(int ganzhi) { return (ganzhi - 1) / 2 + 1; }

}  // namespace

FourPillars fourPillars(const LunarCalendar& calendar, const CivilDate& date, int secondOfDay,
                        ZiHour zi, std::optional<double> longitude) {
    const int n = julianDayNumber(date);
    if (n == InvalidDayNumber || !isDayInfoDate(date) || secondOfDay < 0 ||
        secondOfDay >= SecondsPerDay) {
        return {};
    }
    if (longitude && !(*longitude >= MinLongitude && *longitude <= MaxLongitude)) return {};
    FourPillars p;
    p.civilDay = n;
    p.civilSecond = secondOfDay;
    const int zone = calendar.context().timeZoneHours;
    const double t = n + static_cast<double>(secondOfDay) / SecondsPerDay;
    if (longitude) {
        p.trueSolarTime = true;
        p.longitude = *longitude;
        p.longitudeSeconds = static_cast<int>(std::lround(*longitude * 240 - zone * 3600.0));
        const double jdUt = t - 0.5 - zone / 24.0;
        p.equationSeconds = static_cast<int>(std::lround(equationOfTime(jdUt) * SecondsPerDay));
        p.correctionSeconds = p.longitudeSeconds + p.equationSeconds;
    }
    const long long solar =
        static_cast<long long>(n) * SecondsPerDay + secondOfDay + p.correctionSeconds;
    p.solarDay = static_cast<int>(solar / SecondsPerDay - (solar % SecondsPerDay < 0 ? 1 : 0));
    p.solarSecond = static_cast<int>(solar - static_cast<long long>(p.solarDay) * SecondsPerDay);

    // Year and month: the 立春 and the 节 are instants, whatever clock the moment is read on.
    const TermsBefore terms = termsBefore(calendar, date.year, t);
    if (terms.jie.number == 0 || terms.lichun.number == 0) return {};
    p.jie = terms.jie;
    const int year = ganzhiYearOfYear(terms.lichunYear);
    const int monthOfYear = ((terms.jie.number - 1) / 2 + 11) % 12 + 1;  // 立春 1 .. 小寒 12
    // Day and hour on the clock; the hour 23:00-24:00 is the next day's 子 hour.
    const int lateZi = p.solarSecond >= 23 * 3600 ? 1 : 0;
    const int dayOfHour = p.solarDay + lateZi;
    const int day = ganzhiDayOfDayNumber(zi == ZiHour::Early ? dayOfHour : p.solarDay);
    const int hourBranch = lateZi == 1 ? 0 : (p.solarSecond / 3600 + 1) / 2;
    const int hourStem = (2 * ((ganzhiDayOfDayNumber(dayOfHour) - 1) % 10 % 5) + hourBranch) % 10;
    p.ganzhi = {year, ganzhiMonthOfYear(year, monthOfYear), day,
                ganzhiOfStemBranch(hourStem, hourBranch)};
    for (size_t i = 0; i < 4; ++i) p.naYin[i] = naYinOf(p.ganzhi[i]);
    return p;
}

}  // namespace tavomerix
