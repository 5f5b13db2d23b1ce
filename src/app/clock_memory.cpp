#include <ctime>

#include "app/clock.h"

namespace tavomerix {

CivilDate readLocalDate() {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    return {local.tm_year + 1900, local.tm_mon + 1, local.tm_mday};
}

// Outside Windows the program never changes the system clock.
bool setLocalDate(const CivilDate&) { return false; }

}  // namespace tavomerix
