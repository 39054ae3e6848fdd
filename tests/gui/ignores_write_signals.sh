#!/usr/bin/env bash
# The running program ignores SIGPIPE and SIGXFSZ, so that a write meeting a
# closed pipe or a file-size limit fails as an error instead of killing it.
#   ignores_write_signals.sh PROGRAM
set -u
QT_QPA_PLATFORM=offscreen "$1" </dev/null >/dev/null 2>&1 &
pid=$!
trap 'kill "$pid" 2>/dev/null; wait "$pid" 2>/dev/null' EXIT
# Bits 13 and 25 of the mask, counted from 1, are SIGPIPE and SIGXFSZ.
wanted=$(( (1 << 12) | (1 << 24) ))
for _ in $(seq 100); do
    mask=$(awk '/^SigIgn:/ { print $2 }' "/proc/$pid/status" 2>/dev/null) || break
    if [ -n "$mask" ] && (( (0x$mask & wanted) == wanted )); then
        echo "ok: SigIgn $mask"
        exit 0
    fi
    sleep 0.1
done
echo "FAIL: SIGPIPE and SIGXFSZ are not ignored (SigIgn ${mask:-unknown})"
exit 1
