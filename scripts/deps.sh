# Package set-up for the other scripts, which source this file. A package mirror that is
# mid-sync must not stop a run: the index update is retried and may partly fail, and only
# a package that cannot be installed is an error.
#   TAVOMERIX_APT_TRIES        index updates and installs tried before giving up [3]
#   TAVOMERIX_APT_RETRY_DELAY  seconds between tries, doubled each time [10]
# An optional package is tried once (its index update as often as any).

# Runs apt-get as root (through sudo when not root) without questions; another apt-get
# holding the package lock is waited for, not taken as a failure.
run_apt_get() {
    local sudo=""
    [ "$(id -u)" -ne 0 ] && sudo="sudo"
    DEBIAN_FRONTEND=noninteractive $sudo apt-get -o Acquire::Retries=3 \
        -o DPkg::Lock::Timeout=600 "$@"
}

# retry WHAT TRIES COMMAND...: runs COMMAND up to TRIES times, waiting between tries;
# status 0 as soon as it succeeds.
retry() {
    local what=$1 tries=$2 delay=${TAVOMERIX_APT_RETRY_DELAY:-10} try
    shift 2
    for ((try = 1; try <= tries; try++)); do
        "$@" && return 0
        echo "$what failed (try $try of $tries)" >&2
        if [ "$try" -lt "$tries" ]; then
            sleep "$delay"
            delay=$((delay * 2))
        fi
    done
    return 1
}

# Updates the package indexes once per run (child scripts inherit the mark). An update
# that keeps failing is reported and the run goes on with the indexes that did arrive.
update_package_indexes() {
    [ -n "${TAVOMERIX_APT_UPDATED:-}" ] && return 0
    if retry "apt-get update" "${TAVOMERIX_APT_TRIES:-3}" run_apt_get update -q >&2; then
        export TAVOMERIX_APT_UPDATED=1
        return 0
    fi
    echo "apt-get update: some package indexes could not be fetched; going on with the rest" >&2
    export TAVOMERIX_APT_UPDATED=partial
    return 0
}

# The packages named as arguments that are not installed, one a line.
missing_packages() {
    local p
    for p in "$@"; do
        dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || echo "$p"
    done
}

# Installs the Debian packages named as arguments when any is missing; fails (status 1)
# only when they cannot be installed after the tries.
install_packages() {
    local missing
    mapfile -t missing < <(missing_packages "$@")
    [ ${#missing[@]} -eq 0 ] && return 0
    echo "installing: ${missing[*]}" >&2
    update_package_indexes
    retry "apt-get install" "${TAVOMERIX_APT_INSTALL_TRIES:-${TAVOMERIX_APT_TRIES:-3}}" \
        run_apt_get install -y -q --no-install-recommends "${missing[@]}" >&2 && return 0
    echo "cannot install: ${missing[*]}" >&2
    return 1
}

# Installs packages a run can do without: says so when they cannot be had, and returns 1
# without stopping a caller under set -e when used as a condition.
install_optional_packages() {
    local what=$1
    shift
    if ! TAVOMERIX_APT_INSTALL_TRIES=1 install_packages "$@"; then
        echo "optional: $what cannot be installed here; going on without it" >&2
        return 1
    fi
}

# nlohmann-json3-dev: JSON output; python3-icalendar: the independent reader of the iCalendar
# export's check; clang-format: the formatting check.
NATIVE_PACKAGES=(build-essential cmake pkgconf libgtest-dev libbenchmark-dev nlohmann-json3-dev
    python3-icalendar clang-format)
FUZZ_PACKAGES=(clang libclang-rt-14-dev)
# The Python module: pybind11 and the headers of Debian's /usr/bin/python3, its tests
# (pytest) and the virtual-environment install check (venv, pip, setuptools, wheel).
PYTHON_PACKAGES=(pybind11-dev python3-dev python3-pytest python3-venv python3-pip python3-setuptools
    python3-wheel)
# The type stubs checked with mypy --strict: optional.
PYTHON_OPTIONAL_PACKAGES=(mypy)
# Cross-compiling for Windows.
WINDOWS_BUILD_PACKAGES=(cmake mingw-w64 g++-mingw-w64-i686-posix nlohmann-json3-dev)
# Running the Windows build under Wine on a virtual screen.
# fonts-arphic-gbsn00lp: a Song face with the metrics of Windows' 宋体 (13 pixels wide at 13).
WINDOWS_TEST_PACKAGES=(wine wine64 xvfb xauth fonts-arphic-gbsn00lp imagemagick
    # X11 libraries Wine's display driver loads at run time (recommended, not required, by
    # the Wine packages, and packages are installed without recommendations).
    libxrender1 libxrandr2 libxcursor1 libxi6 libxinerama1 libxcomposite1 libxfixes3 libxxf86vm1
    fonts-wine)
# Wine for 32-bit programs, optional: it needs the i386 architecture (enable_i386) and an
# i386 index that matches the amd64 one, which a mirror mid-sync may not have.
WINE32_PACKAGES=(wine32:i386)
# Where the kernel cannot run 32-bit programs: the x86-64 Windows build under wine64, and the
# i386 Linux build (multilib compiler, GoogleTest sources) under qemu-i386.
WINDOWS_X64_PACKAGES=(g++-mingw-w64-x86-64-posix wine64)
I386_PACKAGES=(g++-multilib qemu-user googletest nlohmann-json3-dev)

# Adds the i386 architecture to dpkg when it is missing (for wine32); the next update
# fetches its indexes.
enable_i386() {
    dpkg --print-foreign-architectures | grep -qx i386 && return 0
    local sudo=""
    [ "$(id -u)" -ne 0 ] && sudo="sudo"
    $sudo dpkg --add-architecture i386
    unset TAVOMERIX_APT_UPDATED
}

# Installs Wine (and, where it can be had, the 32-bit Wine) for the Windows stage, then
# tells whether the 32-bit Wine runs here: status 0 when it does.
prepare_wine() {
    install_packages "${WINDOWS_TEST_PACKAGES[@]}" || return 2
    if enable_i386 && install_optional_packages "the 32-bit Wine (wine32:i386)" "${WINE32_PACKAGES[@]}"; then
        wine32_runs && return 0
        echo "the 32-bit Wine is installed but cannot run 32-bit programs on this kernel" >&2
    fi
    return 1
}

# Status 0 when the 32-bit Wine is installed and this kernel runs it.
wine32_runs() {
    /usr/lib/wine/wine --version >/dev/null 2>&1
}
# The WebAssembly build and its checks: Debian's emscripten, and Debian's chromium driven
# headless for the web page, and a Chinese face for its screenshots (without it they show
# boxes; the checks read text). Node and npm come from the machine when it has them.
WEB_PACKAGES=(emscripten)
WEB_BROWSER_PACKAGES=(chromium)
WEB_FONT_PACKAGES=(fonts-wqy-zenhei)
# Node and npm for the machines that have none.
WEB_NODE_PACKAGES=(nodejs npm)
