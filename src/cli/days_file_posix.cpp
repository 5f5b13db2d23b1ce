#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>

#include "cli/days_file.h"

namespace tavomerix {

namespace {

// Closes a descriptor when it leaves scope.
class Descriptor {
public:
    explicit Descriptor(int fd) : fd_(fd) {}
    ~Descriptor() {
        if (fd_ >= 0) close(fd_);
    }
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    int get() const { return fd_; }

private:
    int fd_;
};

RegularFileContents refused(std::string reason) { return {false, "", std::move(reason)}; }

}  // namespace

RegularFileContents readRegularFile(const std::string& path, std::size_t limit) {
    // Non-blocking, so that opening a FIFO without a writer returns at once; the type
    // check below refuses it.
    const Descriptor fd(open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY));
    if (fd.get() < 0) {
        const int error = errno;
        RegularFileContents failed =
            refused(std::string("cannot be opened: ") + std::strerror(error));
        failed.missing = error == ENOENT;
        return failed;
    }
    struct stat status {};
    if (fstat(fd.get(), &status) != 0) {
        return refused(std::string("cannot be read: ") + std::strerror(errno));
    }
    if (S_ISDIR(status.st_mode)) return refused("is a directory, not a file");
    if (!S_ISREG(status.st_mode)) {
        return refused("is not a regular file (a device, a pipe or a socket)");
    }
    const auto tooLarge = [&] { return refused("is larger than " + sizeLimitText(limit)); };
    if (static_cast<unsigned long long>(status.st_size) > limit) return tooLarge();
    // Reads one byte past the limit, so that a file that grew since fstat is refused too.
    RegularFileContents read;
    read.contents.resize(limit + 1);
    std::size_t size = 0;
    while (size < read.contents.size()) {
        const ssize_t n =
            ::read(fd.get(), read.contents.data() + size, read.contents.size() - size);
        if (n == 0) break;
        if (n < 0) {
            if (errno == EINTR) continue;
            return refused(std::string("cannot be read: ") + std::strerror(errno));
        }
        size += static_cast<std::size_t>(n);
    }
    if (size > limit) return tooLarge();
    read.contents.resize(size);
    read.ok = true;
    return read;
}

std::string defaultHolidaysPath() {
    // XDG: a relative $XDG_DATA_HOME is to be ignored.
    const char* data = std::getenv("XDG_DATA_HOME");
    if (data != nullptr && data[0] == '/') return std::string(data) + "/tavomerix/holidays.tsv";
    const char* home = std::getenv("HOME");
    if (home != nullptr && home[0] != '\0') {
        return std::string(home) + "/.local/share/tavomerix/holidays.tsv";
    }
    return "";
}

}  // namespace tavomerix
