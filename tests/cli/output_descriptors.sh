#!/bin/sh
# The command line's standard output through real descriptors. Usage:
#   output_descriptors.sh TAVOMERIX CASE
# CASE: full (a full disk), closed (standard output closed), pipe (a reader that goes away
# after one line), interrupted (Ctrl-C keeps what was printed).
set -u
cli=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

fail() { echo "FAIL: $*" >&2; exit 1; }

# Exactly one line on stderr that names the write error.
one_write_error() {
    [ "$(wc -l <"$work/err")" -eq 1 ] || fail "stderr is not one line: $(cat "$work/err")"
    grep -q '^tavomerix: write error: ' "$work/err" || fail "stderr: $(cat "$work/err")"
}

case $2 in
full)
    for args in "day 2024-2-10" "records -8999 9000" "terms 2000 2010 --format json" "--help"; do
        # shellcheck disable=SC2086  # the arguments are split on purpose
        "$cli" $args >/dev/full 2>"$work/err"
        status=$?
        [ $status -eq 1 ] || fail "$args > /dev/full: exit $status"
        one_write_error
    done
    ;;
closed)
    for args in "day 2024-2-10" "search days 2000 10 --festival 春节"; do
        # shellcheck disable=SC2086
        "$cli" $args >&- 2>"$work/err"
        status=$?
        [ $status -eq 1 ] || fail "$args >&-: exit $status"
        one_write_error
    done
    ;;
pipe)
    # The first record comes at once, and the end is quiet.
    { "$cli" records -9997 9998 2>"$work/err"; echo $? >"$work/status"; } | head -n 1 >"$work/out"
    [ "$(cat "$work/out")" = "$(printf -- '-9997\t00101101101000427')" ] || fail "first line: $(cat "$work/out")"
    [ ! -s "$work/err" ] || fail "stderr: $(cat "$work/err")"
    status=$(cat "$work/status")
    [ "$status" -eq 141 ] || fail "exit $status after the reader went away"
    ;;
interrupted)
    "$cli" records -9997 9998 >"$work/out" 2>"$work/err" &
    pid=$!
    tries=0
    while [ ! -s "$work/out" ] && [ $tries -lt 200 ]; do sleep 0.05; tries=$((tries + 1)); done
    kill -INT $pid
    wait $pid
    status=$?
    lines=$(wc -l <"$work/out")
    [ $status -eq 130 ] || fail "exit $status after Ctrl-C"
    [ "$lines" -ge 200 ] && [ "$lines" -lt 19996 ] || fail "$lines lines kept"
    [ "$(tail -c 1 "$work/out" | od -An -c | tr -d ' ')" = '\n' ] || fail "the last line is cut"
    ;;
*)
    fail "unknown case $2"
    ;;
esac
