#!/usr/bin/env bash
# The setup program and the uninstaller run as administrator on a bare Windows: they may import the
# system's known DLLs only, which the system always takes from its own folder. A DLL imported
# otherwise would be looked for beside the program before its first statement restricts the search
# (runtime/dll_search.h); such DLLs are loaded at run time from the system folder instead.
set -euo pipefail
program=$1
[ -f "$program" ] || { echo "missing $program"; exit 1; }
allowed='^(kernel32|user32|gdi32|advapi32|shell32|ole32|oleaut32|comdlg32|shlwapi|msvcrt)\.dll$'
dlls=$(LC_ALL=C objdump -p "$program" | awk '/DLL Name:/ {print tolower($3)}' | sort -u)
echo "$program imports:" $dlls
bad=$(grep -vE "$allowed" <<<"$dlls" || true)
if [ -n "$bad" ]; then
    echo "not a known system DLL: $bad"
    exit 1
fi
echo "size: $(stat -c %s "$program") bytes"
