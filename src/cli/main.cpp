#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "app/clock.h"
#include "cli/cli.h"
#include "cli/days_file.h"

#ifdef _WIN32
#include "cli/console.h"
#endif

namespace {

volatile std::sig_atomic_t stopRequested = 0;

extern "C" void onInterrupt(int) { stopRequested = 1; }

void showProgress(std::string_view text) {
    std::fprintf(stderr, "\r%.*s\033[K", static_cast<int>(text.size()), text.data());
    std::fflush(stderr);
}

// Standard output through stdio, flushed at each point the command marks, and the first
// failure kept with its errno.
class StdoutSink : public tavomerix::CliSink {
public:
    bool write(std::string_view text) override {
        if (error_ != 0) return false;
        if (!text.empty() && std::fwrite(text.data(), 1, text.size(), stdout) != text.size())
            fail();
        return error_ == 0;
    }
    bool flush() override {
        if (error_ == 0 && std::fflush(stdout) != 0) fail();
        return error_ == 0;
    }
    bool ok() const override { return error_ == 0; }
    int error() const { return error_; }

private:
    void fail() { error_ = errno != 0 ? errno : EIO; }
    int error_ = 0;
};

}  // namespace

int main(int argc, char** argv) {
#ifdef _WIN32
    tavomerix::useUtf8Console();
#endif
    std::signal(SIGINT, onInterrupt);
    StdoutSink out;
    tavomerix::CliEnvironment env;
    env.today = tavomerix::readLocalDate();
    env.stderrIsTerminal = isatty(2) != 0;
    env.stdoutIsTerminal = isatty(1) != 0;
    env.noColour = std::getenv("NO_COLOR") != nullptr && *std::getenv("NO_COLOR") != '\0';
    const char* term = std::getenv("TERM");
    env.dumbTerminal = term != nullptr && std::strcmp(term, "dumb") == 0;
    env.holidaysFile = tavomerix::defaultHolidaysPath();
    env.stopRequested = &stopRequested;
    env.progress = showProgress;
    env.out = &out;
    errno = 0;
    const tavomerix::CliOutput result =
        tavomerix::runCli(std::vector<std::string>(argv, argv + argc), env);
    out.write(result.out);
    out.flush();
    if (!out.ok()) {
        // A reader that went away (| head) ends the program quietly, as the signal would.
        if (out.error() == EPIPE) return 128 + 13;
        std::fprintf(stderr, "tavomerix: write error: %s\n", std::strerror(out.error()));
        return tavomerix::ExitFailure;
    }
    std::fwrite(result.err.data(), 1, result.err.size(), stderr);
    return result.exitCode;
}
