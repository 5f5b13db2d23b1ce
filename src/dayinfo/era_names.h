#pragma once

#include <string>

namespace tavomerix {

// Lunar years named by their reign era: -103 (104 BC) .. 1911.
constexpr int FirstEraYear = -103;
constexpr int LastEraYear = 1911;

// Era text of a lunar year: dynasty label, era name and the year of the era with at
// least two digits ("清代宣统03" for 1911, "元代至元08" for 1278) for years -103..1911;
// the plain yearText for other years of -9998..9999; "" outside.
std::string eraYearText(int year);

}  // namespace tavomerix
