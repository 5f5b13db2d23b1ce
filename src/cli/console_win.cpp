#include "cli/console.h"

#include <windows.h>

namespace tavomerix {

void useUtf8Console() { SetConsoleOutputCP(CP_UTF8); }

}  // namespace tavomerix
