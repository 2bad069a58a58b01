#!/usr/bin/env bash
# Packs the example package (examples/demo, with its application built from examples/demo/notes in
# place of the stand-in) and runs its setup program under Wine, in a Wine prefix of the demo's own
# (build/demo/wineprefix, made anew each time).
# With DISPLAY set: on your display, for you to click through.
# Without: on a virtual display, where scripts/demo-tour.sh walks every page, saves their pictures
# to build/demo/ (and docs/), shows what was installed, uninstalls and shows what is left.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)
tree=$(scripts/windows-tree.sh)
out=build/demo
pack=build/host/setup-pack

rm -rf "$out"
mkdir -p "$out"
cp -r examples/demo "$out/package"
cp "$tree/notes.exe" "$out/package/files/notes.exe"
"$pack" build "$out/package/package.txt" -o "$out/setup.exe" --stub "$tree/setup.exe" \
    --uninstaller "$tree/Uninstall.exe" >/dev/null
"$pack" show "$out/setup.exe" | sed -n '1,2p;/^[a-z ]*records:/p;/^files:/p;/^layout:/p'
if [ "$tree" = build/win64 ]; then
    echo "demo: the 64-bit twin of the setup program runs (this machine cannot run 32-bit programs)"
fi

export WINE_SESSION_PREFIX=$root/$out/wineprefix
if [ -n "${DISPLAY:-}" ]; then
    echo "demo: running $out/setup.exe on $DISPLAY; close it or install to end the demo"
    WINE_SESSION_ON_DISPLAY=1 scripts/wine-session.sh "$tree" "$tree/wine-run" "$out/setup.exe"
    exit
fi
echo "demo: a tour of $out/setup.exe on a virtual display"
scripts/wine-session.sh "$tree" scripts/demo-tour.sh "$tree" "$out"
mkdir -p docs
cp "$out"/[0-9][0-9]-*.png docs/
echo "demo: the pictures are in $out/ and docs/"
