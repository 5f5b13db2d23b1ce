#!/usr/bin/env bash
# The package set-up of scripts/deps.sh against a fake apt-get, dpkg and dpkg-query on the
# PATH: an index update that fails is retried and then given up on, an install goes on after
# it, only a package that cannot be installed fails, and the 32-bit Wine and the web stage's
# packages are optional.
# Prints one line per check and "N passed, N failed".
set -uo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
fake=$(mktemp -d)
trap 'rm -rf "$fake"' EXIT
mkdir -p "$fake/bin"

# apt-get: logs each call; "update" fails as long as $fake/update-failures says; "install"
# fails when a named package is listed in $fake/unavailable, else marks them installed.
cat >"$fake/bin/apt-get" <<'FAKE'
#!/usr/bin/env bash
fake=$FAKE_APT
args=" $* "
echo "$*" >>"$fake/calls"
if [[ "$args" == *" update "* ]]; then
    n=$(cat "$fake/update-failures" 2>/dev/null || echo 0)
    if [ "$n" -gt 0 ]; then
        echo $((n - 1)) >"$fake/update-failures"
        echo "E: File has unexpected size. Mirror sync in progress?" >&2
        exit 100
    fi
    exit 0
fi
packages=()
for a in "$@"; do [[ "$a" == -* || "$a" == install || "$a" == Acquire::* ]] || packages+=("$a"); done
for p in "${packages[@]}"; do
    grep -qxF "$p" "$fake/unavailable" 2>/dev/null && { echo "E: Unable to locate package $p" >&2; exit 100; }
done
printf '%s\n' "${packages[@]}" >>"$fake/installed"
FAKE
cat >"$fake/bin/dpkg-query" <<'FAKE'
#!/usr/bin/env bash
p=${!#}
grep -qxF "$p" "$FAKE_APT/installed" 2>/dev/null && { echo "install ok installed"; exit 0; }
exit 1
FAKE
cat >"$fake/bin/dpkg" <<'FAKE'
#!/usr/bin/env bash
case "$1" in
    --print-foreign-architectures) cat "$FAKE_APT/architectures" 2>/dev/null ;;
    --add-architecture) echo "$2" >>"$FAKE_APT/architectures" ;;
esac
FAKE
printf '#!/bin/sh\nexec "$@"\n' >"$fake/bin/sudo"
chmod +x "$fake/bin/"*

passed=0
failed=0
check() {
    if [ "$2" = "$3" ]; then
        passed=$((passed + 1))
        echo "ok: $1"
    else
        failed=$((failed + 1))
        echo "FAILED: $1: expected '$2', got '$3'"
    fi
}

# scenario FAILED_UPDATES UNAVAILABLE INSTALLED SNIPPET: runs SNIPPET with deps.sh sourced
# in a fresh fake state (the packages lists space-separated); prints its status.
scenario() {
    rm -f "$fake"/{calls,installed,unavailable,update-failures,architectures,log}
    echo "$1" >"$fake/update-failures"
    printf '%s\n' $2 >"$fake/unavailable"
    printf '%s\n' $3 >"$fake/installed"
    shift 3
    (
        export PATH="$fake/bin:$PATH" FAKE_APT="$fake" TAVOMERIX_APT_RETRY_DELAY=0
        unset TAVOMERIX_APT_UPDATED TAVOMERIX_APT_TRIES
        set -e
        . "$root/scripts/deps.sh"
        wine32_runs() { return 0; }   # as on a kernel that runs 32-bit programs
        eval "$1"
    ) >"$fake/log" 2>&1
    echo $?
}
count() { cat "$fake/calls" 2>/dev/null | grep -c -- "$1"; }

status=$(scenario 1 '' '' 'install_packages cmake')
check "an update that fails once is tried again" 2 "$(count '^-o Acquire::Retries=3 .* update')"
check "then the package is installed" "0 1" "$status $(grep -cx cmake "$fake/installed")"

status=$(scenario 9 '' '' 'install_packages cmake')
check "an update that keeps failing does not stop the install" "0 1" "$status $(count ' install ')"
check "and says it goes on" 1 "$(grep -c 'going on with the rest' "$fake/log")"

status=$(scenario 0 wine32:i386 '' 'TAVOMERIX_APT_TRIES=2; install_packages xvfb wine32:i386')
check "a package that cannot be installed fails after the tries" "1 2" "$status $(count ' install ')"

status=$(scenario 0 '' cmake 'install_packages cmake')
check "nothing missing: no apt-get at all" "0 0" "$status $(count .)"

status=$(scenario 0 '' '' 'install_packages cmake; install_packages xvfb')
check "the indexes are updated once per run" 1 "$(count ' update')"

status=$(scenario 0 wine32:i386 '' 'prepare_wine || echo "prepare_wine $?" >&2')
check "no 32-bit Wine: prepare_wine says so and returns 1" "1 1" \
    "$(grep -c 'prepare_wine 1' "$fake/log") $(grep -c 'optional: the 32-bit Wine' "$fake/log")"
check "and the 64-bit Wine is installed" 1 "$(grep -cx wine64 "$fake/installed")"
check "the i386 architecture brings a second index update" 2 "$(count ' update')"

status=$(scenario 1 wine32:i386 '' 'install_optional_packages "the 32-bit Wine" wine32:i386 || true')
check "an optional package's index update is tried again too" "2 1" \
    "$(count ' update') $(count 'install.*wine32')"

status=$(scenario 0 '' '' 'prepare_wine')
check "the 32-bit Wine installed and running: prepare_wine returns 0" "0 1" \
    "$status $(grep -cx 'wine32:i386' "$fake/installed")"

status=$(scenario 0 emscripten '' '"$root/scripts/test-web" || echo "test-web $?" >&2')
check "no emscripten: the web stage leaves itself out with status 3 and says why" "1 1" \
    "$(grep -c 'test-web 3' "$fake/log") $(grep -c 'web stage left out: emscripten' "$fake/log")"

echo "$passed passed, $failed failed"
[ "$failed" -eq 0 ]
