#!/usr/bin/env bash
# Without a reachable display the program explains itself in one line and
# exits with a failure status, instead of aborting.
#   starts_without_display.sh PROGRAM
set -u
program=$1
check() {
    local name=$1
    shift
    local output status lines
    output=$(env -u QT_QPA_PLATFORM -u WAYLAND_DISPLAY -u XDG_RUNTIME_DIR "$@" "$program" 2>&1 </dev/null)
    status=$?
    lines=$(printf '%s\n' "$output" | grep -c .)
    if [ "$status" -eq 0 ] || [ "$status" -gt 128 ] || [ "$lines" -ne 1 ] || ! grep -q "^Orvanta cannot show its window" <<<"$output"; then
        echo "FAIL ($name): status $status, output:"
        printf '%s\n' "$output"
        return 1
    fi
    echo "ok ($name): $output"
}
check "no display set" -u DISPLAY && check "display unreachable" DISPLAY=:97
