#include <windows.h>

#include "cli/console.h"

namespace tavomerix {

void useUtf8Console() { SetConsoleOutputCP(CP_UTF8); }

}  // namespace tavomerix
