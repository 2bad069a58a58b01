#!/usr/bin/env bash
# Small downloads: our setup program's size and silent run against the peer installer's (Debian's
# nsis, makensis 3.08) on two payloads of real files, and the load of a 512 MiB package before and
# after the package checksum. Prints one table, goals beside their figures. Run after make build:
#   bench/size_bench.sh [SETS]        SETS timed runs of each: 5, or the SETS variable
#   BEFORE=DIR bench/size_bench.sh    DIR: a tree of commit d3764da (the last program without the
#                                     checksum) with make build done; without it no load rows
#   TIMED=load bench/size_bench.sh 15 the timed runs of one kind only: silent or load
# The payloads, taken in byte order of their names so that every run packs the same files:
#   Wine DLLs  the PE files of 64-bit Wine (wine64) under 2,000,000 bytes, up to 50,000,000 bytes
#              in all, and the files of /usr/share/doc/wine*
#   doc text   the text files (no NUL byte) of /usr/share/doc, up to 30,000,000 bytes in all
# Ours is built compressed (the builder's default) and with --store; the peer with
# SetCompressor /SOLID lzma, zlib and SetCompress off. Timed: `SETUP.exe /S /D=FOLDER` of ours and
# of the peer's solid LZMA installer (install_driver's silent mode: the whole run and its peak
# memory); for the load, our wizard to its welcome page (install_driver's ours mode) on the 2 x
# 256 MiB random payload of bench/install_bench.sh, both programs built stored.
# Everything lives in memory, in /dev/shm/setup-bench or BENCH_DIR (bench/bench_lib.sh says why).
set -euo pipefail
source "$(dirname "$0")/bench_lib.sh"
payloads=(wine-dlls doc-text)
wine_dlls=/usr/lib/x86_64-linux-gnu/wine/x86_64-windows

# Copies the files of the "size<TAB>path" lines on its input (paths under FROM) into the payload
# NAME, in their order, until the next would take the total past LIMIT bytes. It reads every line,
# so that the commands writing them end well.
copy_in_order() {
    local name=$1 from=$2 limit=$3 file
    awk -F'\t' -v limit="$limit" '(total += $1) > limit { full = 1 } !full { print $2 }' | while IFS= read -r file; do
        mkdir -p "$work/payload/$name/$(dirname "$file")"
        cp "$from/$file" "$work/payload/$name/$file"
    done
}

make_wine_payload() {
    local dir=$work/payload/wine-dlls
    [ -f "$dir.done" ] && return
    if [ ! -d "$wine_dlls" ]; then
        echo "bench: installing 64-bit Wine for its DLLs" >&2
        apt-get install -y wine64 >/dev/null || { apt-get update >/dev/null && apt-get install -y wine64 >/dev/null; }
    fi
    rm -rf "$dir" && mkdir -p "$dir"
    (cd "$wine_dlls/.." && find x86_64-windows -maxdepth 1 -type f -size -2000000c -printf '%s\t%p\n' | LC_ALL=C sort -t$'\t' -k2) |
        copy_in_order wine-dlls "$wine_dlls/.." 50000000
    (cd /usr/share && find doc/wine* -type f -printf '%s\t%p\n' | LC_ALL=C sort -t$'\t' -k2) |
        copy_in_order wine-dlls /usr/share 100000000
    touch "$dir.done"
}

# A path Windows would take for another file's (the same letters in other case) is left out.
make_text_payload() {
    local dir=$work/payload/doc-text
    [ -f "$dir.done" ] && return
    rm -rf "$dir" && mkdir -p "$dir"
    (cd /usr/share/doc && find . -type f -printf '%P\n' | LC_ALL=C sort | while IFS= read -r file; do
        LC_ALL=C grep -Iq . "$file" && printf '%s\t%s\n' "$(stat -c %s "$file")" "$file"
    done) | awk -F'\t' '!seen[tolower($2)]++' | copy_in_order doc-text /usr/share/doc 30000000
    touch "$dir.done"
}

# The payload's installers, their sizes recorded.
build_installers() {
    local name=$1 kind
    write_our_description "$name"
    build/host/setup-pack build "$work/$name.txt" -o "$work/$name-ours.exe" --stub "$tree/setup.exe" >/dev/null
    build/host/setup-pack build "$work/$name.txt" -o "$work/$name-store.exe" --stub "$tree/setup.exe" --store >/dev/null
    write_peer_script "$name" "$name-peer-lzma" 'SetCompressor /SOLID lzma'
    write_peer_script "$name" "$name-peer-zlib" 'SetCompressor zlib'
    write_peer_script "$name" "$name-peer-off" 'SetCompress off'
    for kind in ours store peer-lzma peer-zlib peer-off; do
        echo "$name size-$kind $(stat -c %s "$work/$name-$kind.exe")" >>"$work/sizes.txt"
    done
    echo "$name payload-files $(tree_size "$work/payload/$name" | cut -d' ' -f1)" >>"$work/sizes.txt"
    echo "$name payload-bytes $(tree_size "$work/payload/$name" | cut -d' ' -f2)" >>"$work/sizes.txt"
}

# The 512 MiB package of the program before the checksum (its own builder always stores) and after.
build_load_installers() {
    write_our_description files-256m
    "$BEFORE/build/host/setup-pack" build "$work/files-256m.txt" -o "$work/files-256m-before.exe" \
        --stub "$BEFORE/build/win32/setup.exe" >/dev/null
    build/host/setup-pack build "$work/files-256m.txt" -o "$work/files-256m-after.exe" --stub "$tree/setup.exe" --store >/dev/null
}

silent_run() {
    local payload=$1 who=$2
    run_checked "$payload" "$who" "$out/$who" silent "$(winpath "$work/$payload-$who.exe")" "$(winpath "$out/$who")"
}

# The runs, inside the Wine session.
run_sets() {
    local s payload who
    # The first programs of a fresh session pay Wine's start-up: one run of each, not counted.
    rm -rf "$out" && mkdir -p "$out"
    for who in ours store peer-lzma; do silent_run wine-dlls "$who"; done
    : >"$work/results.txt"
    for ((s = 1; s <= sets; s++)); do
        if [[ " $timed " = *" silent "* ]]; then
            for payload in "${payloads[@]}"; do
                for who in ours store peer-lzma; do silent_run "$payload" "$who"; done
            done
        fi
        if [ -n "$BEFORE" ] && [[ " $timed " = *" load "* ]]; then
            # Each goes first in every other set, so neither gains from the order.
            for who in $( ((s % 2)) && echo before after || echo after before); do
                run_checked files-256m "$who" "$out/ours" ours "$(winpath "$work/files-256m-$who.exe")"
            done
        fi
        echo "bench: set $s of $sets done" >&2
    done
}

print_table() {
    awk -v order="${payloads[*]} files-256m" -f bench/stats.awk -f <(echo '
    { add($1, $2, $3) }
    END {
        np = split(order, p, " ")
        split("Wine DLLs|doc text|2 x 256 MiB random", title, "|")
        for (i = 1; i <= np; i++)
            if (n[p[i], "payload-files"]) files[i] = sprintf("%d, %.1f MB", v[p[i], "payload-files", 1], v[p[i], "payload-bytes", 1] / 1e6)
        derived("median (min-max)", title)
        derived("payload: files, size", files)
        row("ours (LZMA, default), bytes", "size-ours", 1, "%d")
        row("ours --store, bytes", "size-store", 1, "%d")
        row("peer SetCompressor /SOLID lzma, bytes", "size-peer-lzma", 1, "%d")
        row("peer SetCompressor zlib, bytes", "size-peer-zlib", 1, "%d")
        row("peer SetCompress off, bytes", "size-peer-off", 1, "%d")
        for (i = 1; i <= np; i++) {
            # The size goal is for the DLLs.
            a[i] = ratio(median(p[i], "size-ours"), median(p[i], "size-peer-lzma"), p[i] == "wine-dlls" ? 1 : "")
            b[i] = ratio(median(p[i], "size-store"), median(p[i], "size-peer-off"), "")
            c[i] = ratio(median(p[i], "ours-run_ms"), median(p[i], "peer-lzma-run_ms"), 0.8)
            d[i] = ratio(median(p[i], "after-load_ms"), median(p[i], "before-load_ms"), 1.05)
        }
        derived("ours / peer solid lzma (DLLs: goal <= 1)", a)
        derived("ours --store / peer off", b)
        row("/S run: ours, ms", "ours-run_ms", 1, "%.0f")
        row("/S run: ours --store, ms", "store-run_ms", 1, "%.0f")
        row("/S run: peer solid lzma, ms", "peer-lzma-run_ms", 1, "%.0f")
        derived("ours / peer solid lzma (goal <= 0.80)", c)
        row("peak memory: ours, MiB", "ours-peak_kib", 1024, "%.1f")
        row("peak memory: ours --store, MiB", "store-peak_kib", 1024, "%.1f")
        row("peak memory: peer solid lzma, MiB", "peer-lzma-peak_kib", 1024, "%.1f")
        # To the welcome page, the 500 ms splash included.
        row("load: d3764da, before checksum, ms", "before-load_ms", 1, "%.0f")
        row("load: with checksum, ms", "after-load_ms", 1, "%.0f")
        derived("with / before checksum (goal <= 1.05)", d)
    }') "$work/sizes.txt" "$work/results.txt"
}

if [ "${1:-}" = --runs ]; then
    # Inside the session: run_in_session started this script again.
    tree=$2 sets=$3 BEFORE=$4 timed=$5
    enter_session
    run_sets
    exit
fi

sets=${1:-${SETS:-5}}
BEFORE=${BEFORE:-}
timed=${TIMED:-silent load}
check_tools
if [ -n "$BEFORE" ]; then
    BEFORE=$(cd "$BEFORE" && pwd)
    for built in "$BEFORE/build/win32/setup.exe" "$BEFORE/build/host/setup-pack"; do
        [ -f "$built" ] || { echo "bench: $built is missing; run make build in $BEFORE first" >&2; exit 1; }
    done
fi
make_wine_payload
make_text_payload
rm -f "$work/sizes.txt"
for payload in "${payloads[@]}"; do build_installers "$payload"; done
if [ -n "$BEFORE" ]; then
    make_payload files-256m 2 $((256 * 1024 * 1024)) 0
    build_load_installers
fi
run_in_session "$sets" "$BEFORE" "$timed"
print_table
