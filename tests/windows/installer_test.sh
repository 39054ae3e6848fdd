#!/usr/bin/env bash
# Installs Orvanta with its installer under Wine, silently, as the current
# user; checks the files, the Start-menu shortcut and the uninstall entry;
# starts and closes the installed program; then uninstalls silently and
# checks that nothing is left behind.
#   installer_test.sh SETUP_EXE ROBOT_EXE VERSION
set -u
setup=$1 robot=$2 version=$3
wine=/usr/lib/wine/wine64
export WINEDEBUG=-all WINEDLLOVERRIDES=mscoree,mshtml= LC_ALL=C.UTF-8
failures=0
check() {
    if eval "$2"; then echo "ok: $1"; else echo "FAIL: $1"; failures=$((failures + 1)); fi
}
unix_path() { "$wine" winepath -u "$1" 2>/dev/null | tr -d '\r'; }
windows_path() { "$wine" winepath -w "$1" 2>/dev/null | tr -d '\r'; }
windows_variable() { "$wine" cmd /c echo "%$1%" 2>/dev/null | tr -d '\r'; }
key='HKCU\Software\Microsoft\Windows\CurrentVersion\Uninstall\Orvanta'

folder_windows="$(windows_variable LOCALAPPDATA)\\Programs\\Orvanta"
folder=$(unix_path "$folder_windows")
shortcut="$(unix_path "$(windows_variable APPDATA)")/Microsoft/Windows/Start Menu/Programs/Orvanta.lnk"

"$wine" "$(windows_path "$setup")" /S
for file in Orvanta.exe orvanta-reduce.exe README.txt LICENSE.txt flightplans.txt Uninstall.exe; do
    check "installs $file under the user's programs folder" '[ -f "$folder/$file" ]'
done
check "README.txt has Windows line ends" 'head -1 "$folder/README.txt" | grep -q $'"'"'\r$'"'"
check "a Start-menu shortcut" '[ -f "$shortcut" ]'
entry=$("$wine" reg query "$key" 2>/dev/null | tr -d '\r')
check "an uninstall entry with name, version, publisher and icon" \
    'grep -q "DisplayName.*Orvanta$" <<<"$entry" && grep -q "DisplayVersion.*$version$" <<<"$entry" \
     && grep -q "Publisher.*The Orvanta developers" <<<"$entry" && grep -q "DisplayIcon.*Orvanta.exe,0" <<<"$entry"'

run=$(xvfb-run --auto-servernum --server-args="-screen 0 1024x768x24" \
    "$wine" explorer /desktop=Orvanta,1024x768 "$(windows_path "$robot")" --start-and-close "$folder_windows\\Orvanta.exe")
echo "$run"
check "the installed Orvanta.exe starts and closes" 'tr -d "\r" <<<"$run" | grep -qx "robot: 0 checks failed"'

"$wine" "$folder_windows\\Uninstall.exe" /S
# The uninstaller finishes from a copy of itself, after this call returns.
for _ in $(seq 300); do
    [ -e "$folder" ] || break
    sleep 0.1
done
check "uninstalling removes the programs folder" '[ ! -e "$folder" ]'
check "uninstalling removes the shortcut" '[ ! -e "$shortcut" ]'
check "uninstalling removes the uninstall entry" '! "$wine" reg query "$key" >/dev/null 2>&1'
exit "$failures"
