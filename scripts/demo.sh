#!/usr/bin/env bash
# Packs the example package into a setup program and runs it under Wine: on your display when
# DISPLAY is set, otherwise on a virtual one. A picture of the wizard goes to build/demo/.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)
out=build/demo
mkdir -p "$out"
pack=build/host/setup-pack

"$pack" build examples/demo/package.txt -o "$out/setup.exe" --stub build/win32/setup.exe
"$pack" show "$out/setup.exe" | sed -n '1,3p;/layout:/p'

# The setup program users get, where this machine runs 32-bit programs; otherwise its 64-bit twin.
tree=$(scripts/windows-tree.sh)
program=$out/setup.exe
if [ "$tree" = build/win64 ]; then
    program=$out/setup64.exe
    "$pack" build examples/demo/package.txt -o "$program" --stub build/win64/setup.exe >/dev/null
    program_name="$program (the 64-bit twin of $out/setup.exe; this machine cannot run 32-bit programs)"
else
    program_name=$program
fi

caption=$(sed -n 's/^caption *= *//p' examples/demo/package.txt)
picture="Z:${root//\//\\}\\build\\demo\\wizard.png"
rm -f "$out/wizard.png"
if [ -n "${DISPLAY:-}" ]; then
    export WINE_SESSION_ON_DISPLAY=1
    echo "demo: running $program_name on $DISPLAY; close it to end the demo"
else
    echo "demo: running $program_name on a virtual display"
fi
scripts/wine-session.sh "$tree" bash -c '
    "$1/wine-run" "$2" &
    program=$!
    "$1/wine-run" "$1/screenshot.exe" "$3" "$4" 30000 || true
    if [ -n "${WINE_SESSION_ON_DISPLAY:-}" ]; then wait $program; else kill $program 2>/dev/null; fi
    true' _ "$tree" "$program" "$picture" "$caption"
if [ -s "$out/wizard.png" ]; then
    echo "demo: the wizard as it showed: $root/$out/wizard.png"
else
    echo "demo: no picture was taken (the wizard did not show)" >&2
    exit 1
fi
