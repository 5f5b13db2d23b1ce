#include <csignal>
#include <cstdio>
#include <string>
#include <vector>

#include <unistd.h>

#include "app/clock.h"
#include "cli/cli.h"

#ifdef _WIN32
#include "cli/console.h"
#endif

namespace {

volatile bool stopRequested = false;

extern "C" void onInterrupt(int) { stopRequested = true; }

void showProgress(std::string_view text) {
    std::fprintf(stderr, "\r%.*s\033[K", static_cast<int>(text.size()), text.data());
    std::fflush(stderr);
}

}  // namespace

int main(int argc, char** argv) {
#ifdef _WIN32
    tavomerix::useUtf8Console();
#endif
    std::signal(SIGINT, onInterrupt);
    tavomerix::CliEnvironment env;
    env.today = tavomerix::readLocalDate();
    env.stderrIsTerminal = isatty(2) != 0;
    env.stdoutIsTerminal = isatty(1) != 0;
    env.stopRequested = &stopRequested;
    env.progress = showProgress;
    const tavomerix::CliOutput result =
        tavomerix::runCli(std::vector<std::string>(argv, argv + argc), env);
    std::fwrite(result.out.data(), 1, result.out.size(), stdout);
    std::fwrite(result.err.data(), 1, result.err.size(), stderr);
    return result.exitCode;
}
