#!/usr/bin/env bash
# Runs a test program on its own virtual X display, under the openbox window
# manager, which frames windows as a desktop does.
#   under_window_manager.sh TEST_PROGRAM
set -eu
# Under the sanitizers, leaks of the system's own libraries are not ours.
export LSAN_OPTIONS="suppressions=$(dirname "$0")/system_leaks.supp${LSAN_OPTIONS:+:$LSAN_OPTIONS}"
exec xvfb-run --auto-servernum --server-args="-screen 0 1280x1024x24" bash -c '
    openbox >/dev/null 2>&1 &
    manager=$!
    # The manager announces itself on the root window once it manages windows.
    for _ in $(seq 100); do
        xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q "window id" && break
        sleep 0.1
    done
    QT_QPA_PLATFORM=xcb "$0"
    status=$?
    kill "$manager"
    exit "$status"
' "$1"
