#!/usr/bin/env bash
# Our setup program against a peer installer (Debian's nsis, makensis 3.08, no compression) on four
# payloads of random bytes, under one Wine session (one prefix, one virtual screen). Each set runs
# ours, the peer's, a plain Win32 copy loop and a native cp -r once per payload; the table gives
# medians and min-max. Run after make build:
#   bench/install_bench.sh [SETS]     SETS runs of each per payload: 5, or the SETS variable
#   PAYLOADS="files-4k" bench/install_bench.sh 1
# Everything lives in memory, in /dev/shm/setup-bench or BENCH_DIR (bench/bench_lib.sh says why).
set -euo pipefail
source "$(dirname "$0")/bench_lib.sh"
# The splash waits 500 ms before loading; a files-only run pauses 150 ms before extracting and
# 150 ms after "Готово" (engine/install_run.cpp: the other steps and their pauses are off).
splash_ms=500
install_pauses_ms=300
# PAYLOADS picks some of them: "files-4k", say.
read -ra payloads <<<"${PAYLOADS:-empty files-1m files-256m files-4k}"

payload_title() {
    case $1 in
        empty) echo "empty" ;; files-1m) echo "200 x 1 MiB" ;;
        files-256m) echo "2 x 256 MiB" ;; files-4k) echo "2000 x 4 KiB" ;;
    esac
}

# The runs, inside the Wine session.
run_sets() {
    local s payload
    # The first programs of a fresh session pay Wine's start-up: one run of each, not counted.
    rm -rf "$out" && mkdir -p "$out"
    run_checked empty ours "$out/ours" ours "$(winpath "$work/empty-ours.exe")"
    run_checked empty peer "$out/peer" silent "$(winpath "$work/empty-peer.exe")" "$(winpath "$out/peer")"
    rm -f "$work/results.txt"
    for ((s = 1; s <= sets; s++)); do
        for payload in "${payloads[@]}"; do
            rm -rf "$out" && mkdir -p "$out"
            run_checked "$payload" ours "$out/ours" ours "$(winpath "$work/$payload-ours.exe")"
            run_checked "$payload" peer "$out/peer" silent "$(winpath "$work/$payload-peer.exe")" "$(winpath "$out/peer")"
            run_checked "$payload" copy "$out/copy" copy "$(winpath "$work/payload/$payload")" "$(winpath "$out/copy")"
            run_cp "$payload"
        done
        echo "bench: set $s of $sets done" >&2
    done
}

# cp -r of the payload, timed here, checked as the others.
run_cp() {
    local start
    sync
    start=$(date +%s%N)
    cp -r "$work/payload/$1" "$out/cp"
    record "$1" native "cp_ms=$((($(date +%s%N) - start) / 1000000))"
    if [ "$(tree_size "$out/cp")" != "$(tree_size "$work/payload/$1")" ]; then
        echo "bench: cp -r on $1 did not copy every file" >&2
        exit 1
    fi
    rm -rf "$out/cp"
}

# The table: a row per figure, a column per payload; "median (min-max)".
print_table() {
    local mib=""
    for payload in "${payloads[@]}"; do
        mib+="$payload=$(tree_size "$work/payload/$payload" | awk '{ printf "%.3f", $2 / 1048576 }') "
    done
    awk -v order="${payloads[*]}" -v mibs="$mib" -v splash="$splash_ms" -v pauses="$install_pauses_ms" \
        -v titles="$(for p in "${payloads[@]}"; do payload_title "$p"; done | paste -sd '|')" -f bench/stats.awk -f <(echo '
    function per_second(mib, ms) { return mib > 0 && ms > 0 ? sprintf("%.0f", mib / (ms / 1000)) : "-" }
    {
        add($1, $2, $3)
        if ($2 == "ours-install_ms") { install[$1, n[$1, $2]] = $3; add($1, "extract_ms", $3 - pauses) }
        if ($2 == "ours-load_ms") load[$1, n[$1, $2]] = $3
    }
    END {
        np = split(order, p, " ")
        split(titles, title, "|")
        for (i = 1; i <= np; i++) {
            for (r = 1; r <= n[p[i], "ours-load_ms"]; r++) {
                add(p[i], "both_ms", load[p[i], r] + install[p[i], r])
                add(p[i], "net_ms", load[p[i], r] + install[p[i], r] - splash - pauses)
            }
        }
        split(mibs, pairs, " ")
        for (i in pairs) { split(pairs[i], kv, "="); mib[kv[1]] = kv[2] }
        derived("median (min-max)", title)
        row("ours: load, ms", "ours-load_ms", 1, "%.0f")
        row("ours: install, ms", "ours-install_ms", 1, "%.0f")
        row("ours: both, ms", "both_ms", 1, "%.0f")
        row("ours: both net of " (splash + pauses) " ms waits, ms", "net_ms", 1, "%.0f")
        row("peer: whole run, ms", "peer-run_ms", 1, "%.0f")
        row("plain copy loop (Wine), ms", "copy-copy_ms", 1, "%.0f")
        row("cp -r (native), ms", "native-cp_ms", 1, "%.0f")
        for (i = 1; i <= np; i++) {
            a[i] = per_second(mib[p[i]], median(p[i], "extract_ms"))
            b[i] = per_second(mib[p[i]], median(p[i], "copy-copy_ms"))
            c[i] = ratio(median(p[i], "net_ms"), median(p[i], "peer-run_ms"), 0.8)
            d[i] = mib[p[i]] > 0 ? ratio(median(p[i], "extract_ms"), median(p[i], "copy-copy_ms"), 1.5) : "-"
        }
        derived("ours: extraction, MiB/s", a)
        derived("plain copy loop, MiB/s", b)
        row("ours: peak memory, MiB", "ours-peak_kib", 1024, "%.1f")
        row("peer: peak memory, MiB", "peer-peak_kib", 1024, "%.1f")
        derived("ours net / peer run (goal <= 0.80)", c)
        derived("extraction / copy loop (goal <= 1.50)", d)
    }') "$work/results.txt"
}

if [ "${1:-}" = --runs ]; then
    # Inside the session: run_in_session started this script again.
    tree=$2 sets=$3
    enter_session
    run_sets
    exit
fi

sets=${1:-${SETS:-5}}
check_tools
make_payload empty 0 0 0
make_payload files-1m 200 $((1024 * 1024)) 0
make_payload files-256m 2 $((256 * 1024 * 1024)) 0
make_payload files-4k 2000 4096 20
# The empty installers warm the session up whatever the payloads.
for payload in $(printf '%s\n' empty "${payloads[@]}" | sort -u); do
    write_our_description "$payload"
    build/host/setup-pack build "$work/$payload.txt" -o "$work/$payload-ours.exe" --stub "$tree/setup.exe" --store >/dev/null
    write_peer_script "$payload" "$payload-peer" 'SetCompress off'
done
run_in_session "$sets"
print_table
