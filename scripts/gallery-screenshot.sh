#!/usr/bin/env bash
# Builds the toolkit gallery, runs it on the virtual display under Wine and saves what it shows
# to build/gallery.png. The gallery is built like the setup program users get (32-bit) where this
# machine runs 32-bit programs, otherwise like its 64-bit twin.
#   scripts/gallery-screenshot.sh
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
tree=$(scripts/windows-tree.sh)
if [ ! -f "$tree/CMakeCache.txt" ]; then
    toolchain=cmake/mingw-i686.cmake
    [ "$tree" = build/win64 ] && toolchain=cmake/mingw-x86_64.cmake
    cmake -S . -B "$tree" -DCMAKE_TOOLCHAIN_FILE=$toolchain -DCMAKE_BUILD_TYPE=MinSizeRel >/dev/null
fi
cmake --build "$tree" --target gallery -j2 >/dev/null
rm -f build/gallery.png
scripts/wine-session.sh "$tree" "$tree/wine-run" "$tree/gallery.exe" --screenshot "Z:$root/build/gallery.png"
[ -s build/gallery.png ] || { echo "gallery: no screenshot was written" >&2; exit 1; }
echo "gallery: $root/build/gallery.png"
