#!/usr/bin/env bash
# The setup program must run on a bare Windows: it may import system DLLs only.
set -euo pipefail
program=$1
[ -f "$program" ] || { echo "missing $program"; exit 1; }
allowed='^(kernel32|user32|gdi32|advapi32|shell32|ole32|oleaut32|comctl32|comdlg32|msvcrt|shlwapi|version|uxtheme)\.dll$'
dlls=$(objdump -p "$program" | awk '/DLL Name:/ {print tolower($3)}' | sort -u)
echo "$program imports:" $dlls
bad=$(grep -vE "$allowed" <<<"$dlls" || true)
if [ -n "$bad" ]; then
    echo "not a system DLL: $bad"
    exit 1
fi
echo "size: $(stat -c %s "$program") bytes"
