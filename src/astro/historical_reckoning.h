#pragma once

namespace tavomerix {

// Days served by the historical era table of terms (-104-12-26 .. 1886-12-22).
constexpr int FirstHistoricalTermDay = 1683432;
constexpr int LastHistoricalTermDay = 2410263;

// True-Sun models of 1645..1886.
enum class TrueSunModel { A, B, C };

// Single-day correction of a term instant (LocalDayNumber): a listed day moves by its
// entry; other instants come back unchanged.
double applyTermDayCorrection(double t);

// Mean term of the kind (0 any, else principal) at or after `day`, with epoch E (a mean
// 冬至, LocalDayNumber) and year length Y in days.
double meanTermAtOrAfter(int day, int kind, double epoch, double yearLength);
// TermNumber of the first mean term on or after `day`.
int meanTermNumber(int day, double epoch, double yearLength);

// Solar longitude of a true-Sun model, degrees in [0, 360), at LocalDayNumber t.
double historicalSolarLongitude(TrueSunModel model, double t);
// First term of the kind at or after the midnight beginning `day` (linear interpolation
// between midnights).
double historicalTermAtOrAfter(TrueSunModel model, int day, int kind);
// TermNumber of the first term on or after `day` under the model.
int historicalTermNumber(TrueSunModel model, int day);

// Era-table dispatch for FirstHistoricalTermDay <= day <= LastHistoricalTermDay (the
// first four days of a row behave as its fifth).
double eraTermInstant(int day, int kind);
int eraTermNumber(int day);

// First historical new moon on `day` or later (LocalDayNumber), with day-shift threshold
// `threshold` (fraction of a day; <= 0 means none) and the correction lists applied.
double nextNewMoonReckoned(int day, double threshold);

}  // namespace tavomerix
