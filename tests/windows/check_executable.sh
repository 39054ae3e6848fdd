#!/usr/bin/env bash
# Checks a Windows build of Orvanta from outside: a GUI program that imports
# only from DLLs every Windows has, and carries its resources and manifest.
#   check_executable.sh OBJDUMP WINDRES ORVANTA_EXE
set -u
objdump=$1 windres=$2 exe=$3
failures=0
check() {
    if eval "$2"; then echo "ok: $1"; else echo "FAIL: $1"; failures=$((failures + 1)); fi
}
headers=$("$objdump" -p "$exe")
imports=$(grep -oP 'DLL Name: \K\S+' <<<"$headers" | tr 'a-z' 'A-Z' | sort -u)
allowed='^(KERNEL32|USER32|GDI32|COMDLG32|COMCTL32|MSVCRT|ADVAPI32)\.DLL$'
echo "imports: $(tr '\n' ' ' <<<"$imports")"
check "imports only from system DLLs" '! grep -qvE "$allowed" <<<"$imports"'
check "GUI subsystem" 'grep -q "Subsystem.*(Windows GUI)" <<<"$headers"'
check "runs on Windows 7 and newer" 'grep -qE "MajorOSystemVersion\s+[4-6]$" <<<"$headers"'

resources=$("$windres" --input "$exe" --output-format rc 2>/dev/null)
check "menu 101 with Start, Info, Close" 'grep -A5 "^101 MENU" <<<"$resources" | tr -d "\n" | grep -q "\"&Start\", 40001 *MENUITEM \"&Info\", 40002 *MENUITEM \"&Close\", 40003"'
check "dialog 102 \"Parameter\"" 'grep -A3 "^102 DIALOG" <<<"$resources" | grep -q "CAPTION \"Parameter\""'
check "icon 103" 'grep -qE "^103 14 " <<<"$resources"'
check "version record 1.0.0.1 naming Orvanta.exe" 'grep -q "FILEVERSION 1, 0, 0, 1" <<<"$resources" && grep -q "\"OriginalFilename\", \"Orvanta.exe\"" <<<"$resources"'
check "application manifest" 'grep -q "^1 24 " <<<"$resources"'
exit "$failures"
