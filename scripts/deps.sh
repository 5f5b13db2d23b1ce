# Installs the Debian packages named as arguments when any is missing. Sourced by the
# other scripts; runs apt-get update at most once per call.
install_packages() {
    local missing=()
    local p
    for p in "$@"; do
        dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
    done
    [ ${#missing[@]} -eq 0 ] && return 0
    echo "installing: ${missing[*]}" >&2
    local sudo=""
    [ "$(id -u)" -ne 0 ] && sudo="sudo"
    $sudo apt-get update -q >&2
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -q --no-install-recommends "${missing[@]}" >&2
}

# nlohmann-json3-dev: JSON output; python3-icalendar: the independent reader of the iCalendar
# export's check; clang-format: the formatting check.
NATIVE_PACKAGES=(build-essential cmake pkgconf libgtest-dev libbenchmark-dev nlohmann-json3-dev
    python3-icalendar clang-format)
FUZZ_PACKAGES=(clang libclang-rt-14-dev)
# Cross-compiling for Windows.
WINDOWS_BUILD_PACKAGES=(cmake mingw-w64 g++-mingw-w64-i686-posix nlohmann-json3-dev)
# Running the Windows build under Wine on a virtual screen (wine32 needs the i386
# architecture, see enable_i386).
# fonts-arphic-gbsn00lp: a Song face with the metrics of Windows' 宋体 (13 pixels wide at 13).
WINDOWS_TEST_PACKAGES=(wine wine32:i386 xvfb xauth fonts-arphic-gbsn00lp imagemagick
    # X11 libraries Wine's display driver loads at run time (recommended, not required, by
    # the Wine packages, and packages are installed without recommendations).
    libxrender1 libxrandr2 libxcursor1 libxi6 libxinerama1 libxcomposite1 libxfixes3 libxxf86vm1
    fonts-wine)
# Where the kernel cannot run 32-bit programs: the x86-64 Windows build under wine64, and the
# i386 Linux build (multilib compiler, GoogleTest sources) under qemu-i386.
WINDOWS_X64_PACKAGES=(g++-mingw-w64-x86-64-posix wine64)
I386_PACKAGES=(g++-multilib qemu-user googletest nlohmann-json3-dev)

# Adds the i386 architecture to dpkg when it is missing (for wine32).
enable_i386() {
    dpkg --print-foreign-architectures | grep -qx i386 && return 0
    local sudo=""
    [ "$(id -u)" -ne 0 ] && sudo="sudo"
    $sudo dpkg --add-architecture i386
}
