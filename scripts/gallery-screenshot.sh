#!/usr/bin/env bash
# Builds the toolkit gallery, runs it on the virtual display under Wine and saves what it shows
# to build/gallery.png.
#   scripts/gallery-screenshot.sh
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
if [ ! -f build/win64/CMakeCache.txt ]; then
    cmake -S . -B build/win64 -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-x86_64.cmake -DCMAKE_BUILD_TYPE=MinSizeRel >/dev/null
fi
cmake --build build/win64 --target gallery -j2 >/dev/null
rm -f build/gallery.png
scripts/wine-session.sh build/win64 build/win64/wine-run build/win64/gallery.exe --screenshot "Z:$root/build/gallery.png"
[ -s build/gallery.png ] || { echo "gallery: no screenshot was written" >&2; exit 1; }
echo "gallery: $root/build/gallery.png"
