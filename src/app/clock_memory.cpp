#include <ctime>

#include "app/clock.h"

namespace tavomerix {

CivilDate readLocalDate() {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
#ifdef _WIN32
    localtime_s(&local, &now);  // the command line built for Windows
#else
    localtime_r(&now, &local);
#endif
    return {local.tm_year + 1900, local.tm_mon + 1, local.tm_mday};
}

// Outside Windows the program never changes the system clock.
bool setLocalDate(const CivilDate&) { return false; }

}  // namespace tavomerix
