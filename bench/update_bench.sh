#!/usr/bin/env bash
# What keeping an install undoable costs: silent runs (`SETUP.exe /S /D=FOLDER`, install_driver's
# silent mode) on the 2,000 x 4 KiB payload of bench/install_bench.sh, stored, of
#   before   the last program without the run record (commit fb072f0), into an empty folder
#   fresh    this program, into an empty folder
#   update   this program over its own complete installation of the same package: every file is
#            moved aside, written anew, and the moved ones deleted at the end
# and prints the medians with the two ratios beside their goals. Run after make build:
#   BEFORE=DIR bench/update_bench.sh [SETS]   SETS runs of each: 7, or the SETS variable; DIR holds
#                                             the earlier setup.exe, made by
#     git worktree add build/before fb072f0 && cmake -S build/before -B build/before/win32 \
#       -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-i686.cmake -DCMAKE_BUILD_TYPE=MinSizeRel -DSETUP_TESTS=OFF \
#       && cmake --build build/before/win32 --target setup     (then BEFORE=build/before/win32)
# Everything lives in memory, in /dev/shm/setup-bench or BENCH_DIR (bench/bench_lib.sh says why).
set -euo pipefail
source "$(dirname "$0")/bench_lib.sh"

# One silent run into FOLDER, recorded as WHO; the folder is checked whole and kept.
run_silent() {
    local who=$1 program=$2 folder=$3 line
    sync
    line=$("$tree/wine-run" "$tree/install_driver.exe" silent "$(winpath "$program")" "$(winpath "$folder")" | tr -d '\r')
    case " $line " in *" exit="[1-9]*) echo "bench: $who ended with ${line##*exit=}" >&2; exit 1 ;; esac
    if [ "$(tree_size "$folder")" != "$(tree_size "$work/payload/files-4k")" ]; then
        echo "bench: $who did not leave exactly the payload installed" >&2
        exit 1
    fi
    record files-4k "$who" "$line"
}

run_sets() {
    local s
    rm -rf "$out" && mkdir -p "$out"
    run_silent warm-up "$work/update-now.exe" "$out/warm"  # Wine's start-up, not counted
    rm -f "$work/results.txt"
    for ((s = 1; s <= sets; s++)); do
        rm -rf "$out" && mkdir -p "$out"
        run_silent before "$work/update-before.exe" "$out/before"
        run_silent fresh "$work/update-now.exe" "$out/now"
        run_silent update "$work/update-now.exe" "$out/now"
        echo "bench: set $s of $sets done" >&2
    done
}

print_table() {
    awk -v order=files-4k -f bench/stats.awk -f <(echo '
    { add($1, $2, $3) }
    END {
        np = 1; p[1] = "files-4k"; title[1] = "2000 x 4 KiB"
        derived("silent run, ms: median (min-max)", title)
        row("before: into an empty folder", "before-run_ms", 1, "%.0f")
        row("now: into an empty folder", "fresh-run_ms", 1, "%.0f")
        row("now: over the same installation", "update-run_ms", 1, "%.0f")
        f[1] = ratio(median(p[1], "fresh-run_ms"), median(p[1], "before-run_ms"), 1.05)
        u[1] = ratio(median(p[1], "update-run_ms"), median(p[1], "fresh-run_ms"), 2.0)
        derived("now / before, empty folder (goal <= 1.05)", f)
        derived("update / fresh (goal <= 2.00)", u)
    }') "$work/results.txt"
}

if [ "${1:-}" = --runs ]; then
    tree=$2 sets=$3
    enter_session
    run_sets
    exit
fi

sets=${1:-${SETS:-7}}
before=${BEFORE:?set BEFORE to the build folder of the earlier program (see the top of this script)}
check_tools
make_payload files-4k 2000 4096 20
write_our_description files-4k
for who in now before; do
    stub=$tree/setup.exe
    [ "$who" = before ] && stub=$before/setup.exe
    build/host/setup-pack build "$work/files-4k.txt" -o "$work/update-$who.exe" --stub "$stub" --store >/dev/null
done
run_in_session "$sets"
print_table
