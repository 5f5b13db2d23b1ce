#include "dayinfo/era_names.h"

#include <gtest/gtest.h>

#include "dayinfo/date_text.h"

namespace tavomerix {
namespace {

TEST(EraYearText, KnownYears) {
    const struct {
        int year;
        const char* text;
    } Cases[] = {
        {-103, "西汉太初01"},  // first era year
        {-100, "西汉太初04"}, {-99, "西汉天汉01"},
        {0, "西汉元寿02"},    {1, "西汉元始01"},
        {22, "新莽地皇03"},   {23, "西汉更始01"},
        {24, "西汉更始02"},   {579, "北周大象01"},  // 大成 of the same year is never shown
        {684, "武周光宅01"},  {689, "武周载初01"},
        {695, "武周天册01"},  {704, "武周长安04"},
        {705, "唐代神龙01"},  {904, "唐代天佑01"},  // 天佑 restarts at 01 in 905
        {905, "唐代天佑01"},  {906, "唐代天佑02"},
        {907, "后梁开平01"},  {941, "后晋天福06"},
        {942, "后晋天福01"},  // second 天福 row
        {943, "后晋天福02"},  {947, "后汉天福01"},
        {1253, "南宋寶祐01"}, {1271, "南宋咸淳07"},  // 元代至元 begins but Southern Song is shown
        {1277, "南宋景炎02"}, {1278, "元代至元08"},  // numbered from 1271
        {1294, "元代至元24"}, {1295, "元代元贞01"},
        {1335, "元代至元01"},  // the later 至元
        {1722, "清代康熙61"},  // the longest era
        {1723, "清代雍正01"}, {1909, "清代宣统01"},
        {1911, "清代宣统03"},  // last era year
    };
    for (const auto& c : Cases) {
        SCOPED_TRACE(c.year);
        EXPECT_EQ(c.text, eraYearText(c.year));
    }
}

TEST(EraYearText, PlainYearTextOutsideTheEras) {
    const struct {
        int year;
        const char* text;
    } Cases[] = {
        {1912, "    1912"}, {-104, "   前105"}, {-9998, "  前9999"},
        {9999, "    9999"}, {10000, ""},        {-9999, ""},
    };
    for (const auto& c : Cases) {
        SCOPED_TRACE(c.year);
        EXPECT_EQ(c.text, eraYearText(c.year));
    }
}

TEST(EraYearText, EveryEraYearIsNamed) {
    for (int year = FirstEraYear; year <= LastEraYear; ++year) {
        SCOPED_TRACE(year);
        const std::string text = eraYearText(year);
        ASSERT_EQ(14u, text.size());  // four Chinese characters and two digits
        EXPECT_NE("00", text.substr(12));
    }
}

}  // namespace
}  // namespace tavomerix
