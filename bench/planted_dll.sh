#!/usr/bin/env bash
# Which way of using the common controls lets a uxtheme.dll planted beside the program be loaded?
# The three builds of bench/dll_search_probe.cpp run, after make build, under the tree's Wine with
# Wine told to take a DLL it finds on the search path before its own, as Windows does:
#   bench/planted_dll.sh [BUILD_TREE]      build/win32 by default
# Prints, for each build, whether it imports comctl32.dll and whether the planted DLL was loaded
# (the planted DLL, tests/support/planted_dll.cpp, leaves a file beside itself when it is).
set -euo pipefail
cd "$(dirname "$0")/.."
tree=$(cd "${1:-build/win32}" && pwd)
probes="probe_loads_at_run_time probe_imports probe_unrestricted"

if [ "${2:-}" = --inside ]; then
    source "$tree/wine-env"
    export WINEDLLOVERRIDES="uxtheme=n,b;$WINEDLLOVERRIDES"
    dir=$3
    printf '%-26s %-18s %s\n' build "imports comctl32" "planted uxtheme.dll loaded"
    for probe in $probes; do
        rm -f "$dir/uxtheme.dll.loaded"
        (cd "$dir" && timeout 60 "$wine_loader" "$probe.exe" >/dev/null 2>&1) || true
        imports=$(LC_ALL=C objdump -p "$dir/$probe.exe" | awk 'tolower($0) ~ /dll name: comctl32/ {found = 1}
            END {print found ? "yes" : "no"}')
        printf '%-26s %-18s %s\n' "$probe" "$imports" "$([ -f "$dir/uxtheme.dll.loaded" ] && echo yes || echo no)"
    done
    exit 0
fi

dir=$(mktemp -d /tmp/planted-dll.XXXXXX)
trap 'rm -rf "$dir"' EXIT
cp "$tree/planted_dll.dll" "$dir/uxtheme.dll"
for probe in $probes; do cp "$tree/$probe.exe" "$dir/"; done
scripts/wine-session.sh "$tree" "$PWD/bench/planted_dll.sh" "$tree" --inside "$dir"
