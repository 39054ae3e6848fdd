#!/usr/bin/env bash
# Runs the test robot against the real Orvanta.exe under Wine, on a virtual
# X display, in a Wine virtual desktop (Wine then draws the window frames
# itself, as Windows does, without a window manager).
#   end_to_end.sh ROBOT_EXE ORVANTA_EXE REFERENCE_REDUCE EXAMPLE_FILE [PICTURE_FOLDER]
set -eu
robot=$1 program=$2 reference=$3 example=$4 pictures=${5:-}
wine=/usr/lib/wine/wine64
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
# Without Mono and Gecko, which the program does not use and a new Wine prefix
# would otherwise offer to install.
export WINEPREFIX=${WINEPREFIX:-$scratch/wine} WINEDEBUG=-all WINEDLLOVERRIDES=mscoree,mshtml=
# Wine reads the names handed to it in the locale's encoding.
export LC_ALL=C.UTF-8

# A folder name that is not ASCII, as users' folders often are.
work="$scratch/Verkehrspläne"
mkdir "$work"
cp "$example" "$work/flightplans.txt"
# What the Linux engine writes for the settings the robot types.
expected=$("$reference" "$work/flightplans.txt" 50 eddf IFR)
mv "$expected" "$scratch/expected.txt"

windows_path() { "$wine" winepath -w "$1" 2>/dev/null | tr -d '\r'; }
arguments=("$(windows_path "$program")" "$(windows_path "$work")" "$(windows_path "$scratch/expected.txt")")
[ -n "$pictures" ] && arguments+=("$(windows_path "$pictures")")

# The desktop does not pass the robot's exit status on; its last line does.
xvfb-run --auto-servernum --server-args="-screen 0 1024x768x24" \
    "$wine" explorer /desktop=Orvanta,1024x768 "$(windows_path "$robot")" "${arguments[@]}" | tee "$scratch/robot.log"
tr -d "\r" <"$scratch/robot.log" | grep -qx "robot: 0 checks failed"
