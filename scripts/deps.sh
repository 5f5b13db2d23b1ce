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

NATIVE_PACKAGES=(build-essential cmake libgtest-dev libbenchmark-dev)
FUZZ_PACKAGES=(clang libclang-rt-14-dev)
