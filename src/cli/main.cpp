#include <cstdio>

#ifdef _WIN32
#include "cli/console.h"
#endif

int main() {
#ifdef _WIN32
    tavomerix::useUtf8Console();
#endif
    std::puts("usage: tavomerix <command> [options] [args]");
    return 0;
}
