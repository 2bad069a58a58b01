#!/usr/bin/env bash
# What a Windows program imports, judged from its import table.
# The setup program and the uninstaller run as administrator on a bare Windows: they may import the
# system's known DLLs only, which the system always takes from its own folder. A DLL imported
# otherwise would be looked for beside the program before its first statement restricts the search
# (runtime/dll_search.h); such DLLs are loaded at run time from the system folder instead.
# Text crosses into Windows only through the wide ("W") calls: an ANSI ("A") call squeezes it
# through the machine's code page, which garbles Russian on a Western Windows and cannot hold a
# user named "Әлия". So no function whose name ends in "A" may be imported, bar the list below.
#   tests/check_imports.sh PROGRAM.exe
set -euo pipefail
program=$1
[ -f "$program" ] || { echo "missing $program"; exit 1; }
allowed_dlls='^(kernel32|user32|gdi32|advapi32|shell32|ole32|oleaut32|comdlg32|shlwapi|msvcrt)\.dll$'
# Imported by the start-up code MinGW links into the 64-bit twin (the shipped 32-bit programs start
# in runtime/start_up_routines.cpp instead), with fixed ASCII names and no text of ours: crt2.o
# reads only the window's show state through GetStartupInfoA, and libgcc's crtbegin.o looks up its
# own DLL with GetModuleHandleA and LoadLibraryA.
allowed_ansi='GetStartupInfoA|GetModuleHandleA|LoadLibraryA'

# "dll function" for each function imported by name, from the import tables' listing.
imports=$(LC_ALL=C objdump -p "$program" | awk '
    /^The Import Tables/ { inside = 1; next }
    /^[A-Z]/ { inside = 0 }
    inside && /DLL Name:/ { dll = tolower($3); next }
    inside && dll != "" && /^\t[0-9a-f]+\t +[0-9]+ +[A-Za-z_]/ { print dll, $3 }')
[ -n "$imports" ] || { echo "$program: no imported functions found in its import table"; exit 1; }
dlls=$(cut -d' ' -f1 <<<"$imports" | sort -u)
echo "$program imports:" $dlls
echo "size: $(stat -c %s "$program") bytes"

failed=0
bad_dlls=$(grep -vE "$allowed_dlls" <<<"$dlls" || true)
if [ -n "$bad_dlls" ]; then
    echo "not a known system DLL:" $bad_dlls
    failed=1
fi
ansi=$(awk '$2 ~ /A$/ { print $2 " (" $1 ")" }' <<<"$imports" | grep -vE "^($allowed_ansi) " || true)
if [ -n "$ansi" ]; then
    echo "ANSI functions imported (use their W forms):"
    sed 's/^/  /' <<<"$ansi"
    failed=1
fi
# The import table cannot tell who calls those three, so the programs' own sources must not.
sources=$(cd "$(dirname "$0")/.." && pwd)
own=$(grep -rlwE "$allowed_ansi" "$sources"/{runtime,codec,package,program,engine,wizard,background,toolkit,uninstaller} || true)
if [ -n "$own" ]; then
    echo "the programs' own code calls an ANSI function allowed only for the start-up code:" $own
    failed=1
fi
exit $failed
