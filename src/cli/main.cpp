#include <cstdio>

int main() {
    std::puts("usage: tavomerix <command> [options] [args]");
    return 0;
}
