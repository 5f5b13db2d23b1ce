#include "dayinfo/names.h"

#include "calendar/arithmetic.h"
#include "calendar/julian_day.h"

namespace tavomerix {
namespace {

// Each month's last day of the first sign; later days take the second.
struct ZodiacMonth {
    int boundaryDay;
    std::string_view upToBoundary, afterBoundary;
};
constexpr ZodiacMonth ZodiacMonths[12] = {
    {19, "摩羯座", "水瓶座"}, {18, "水瓶座", "双鱼座"}, {20, "双鱼座", "白羊座"},
    {20, "白羊座", "金牛座"}, {20, "金牛座", "双子座"}, {21, "双子座", "巨蟹座"},
    {22, "巨蟹座", "狮子座"}, {22, "狮子座", "处女座"}, {22, "处女座", "天秤座"},
    {22, "天秤座", "天蝎座"}, {21, "天蝎座", "射手座"}, {21, "射手座", "摩羯座"},
};

}  // namespace

bool isDayInfoDate(const CivilDate& date) {
    return date.year >= MinDayInfoYear && date.year <= MaxDayInfoYear && isValidDate(date);
}

std::string_view solarTermName(int k) { return k >= 1 && k <= 24 ? SolarTermNames[k - 1] : ""; }

std::string_view lunarMonthName(int month) {
    return month >= 1 && month <= 12 ? LunarMonthNames[month - 1] : "";
}

std::string digitName(int n) { return std::string(n >= 1 && n <= 9 ? ChineseDigits[n] : ""); }

std::string lunarMonthCodeName(int monthCode) {
    if (monthCode < 1 || monthCode > 24) return "";
    std::string text = monthCode > 12 ? "闰" : "";
    text += LunarMonthNames[(monthCode - 1) % 12];
    return text;
}

std::string lunarMonthText(int sizedMonthCode) {
    if (sizedMonthCode < 1 || sizedMonthCode > 48) return "";
    return lunarMonthCodeName((sizedMonthCode - 1) % 24 + 1) + (sizedMonthCode > 24 ? "大" : "小");
}

std::string lunarDayName(int day) {
    return std::string(day >= 1 && day <= 30 ? LunarDayNames[day - 1] : "");
}

std::string lunarDateName(const LunarDate& date) {
    if (date.month < 1 || date.month > 12) return "";
    const std::string month = lunarMonthCodeName(date.monthCode());
    const std::string day = lunarDayName(date.day);
    if (day.empty()) return "";
    return std::to_string(date.year) + "年" + month + day;
}

std::string_view weekdayNameOfDay(int dayNumber) {
    return WeekdayNames[weekdayOfDayNumber(dayNumber)];
}

std::string weekdayName(const CivilDate& date) {
    if (!isDayInfoDate(date)) return "";
    return std::string(weekdayNameOfDay(julianDayNumber(date)));
}

std::string zodiacSignName(const CivilDate& date) {
    if (!isDayInfoDate(date)) return "";
    const ZodiacMonth& m = ZodiacMonths[date.month - 1];
    return std::string(date.day <= m.boundaryDay ? m.upToBoundary : m.afterBoundary);
}

}  // namespace tavomerix
