#!/usr/bin/env bash
# Our setup program against a peer installer (Debian's nsis, makensis 3.08, no compression) on four
# payloads of random bytes, under one Wine session (one prefix, one virtual screen). Each set runs
# ours, the peer's, a plain Win32 copy loop and a native cp -r once per payload; the table gives
# medians and min-max. Run after make build:
#   bench/install_bench.sh [SETS]     SETS runs of each per payload: 5, or the SETS variable
#   PAYLOADS="files-4k" bench/install_bench.sh 1
# Everything the runs read and write (payloads, installers, installed files, the setup program's
# temporary folder) lives in memory, in /dev/shm/setup-bench, or in BENCH_DIR: on a disk the
# figures follow the disk (a cloud disk's write credits, ext4 creating files slowly soon after
# thousands were deleted) more than the installers. The payloads stay for the next run.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)
work=${BENCH_DIR:-/dev/shm/setup-bench}
case $work in /*) ;; *) work=$root/$work ;; esac
out=$work/out
# The splash waits 500 ms before loading; a files-only run pauses 150 ms before extracting and
# 150 ms after "Готово" (engine/install_run.cpp: the other steps and their pauses are off).
splash_ms=500
install_pauses_ms=300
# PAYLOADS picks some of them: "files-4k", say.
read -ra payloads <<<"${PAYLOADS:-empty files-1m files-256m files-4k}"

# A folder or file of this machine as the Windows programs name it.
winpath() { echo "Z:${1//\//\\}"; }

payload_title() {
    case $1 in
        empty) echo "empty" ;; files-1m) echo "200 x 1 MiB" ;;
        files-256m) echo "2 x 256 MiB" ;; files-4k) echo "2000 x 4 KiB" ;;
    esac
}

# COUNT files of SIZE bytes, in FOLDERS folders of equal shares (0: all at the top).
make_payload() {
    local name=$1 count=$2 size=$3 folders=$4 dir=$work/payload/$1
    [ -f "$dir.done" ] && return
    rm -rf "$dir" && mkdir -p "$dir"
    if [ "$count" -gt 0 ]; then
        head -c $((count * size)) /dev/urandom | (cd "$dir" && split -b "$size" -a 4 -d --additional-suffix=.bin - f)
    fi
    local k
    for ((k = 0; k < folders; k++)); do
        mkdir "$dir/d$k"
        # f0000..f1999 in twenty folders: the two leading digits name the folder.
        mv "$dir"/f"$(printf %02d "$k")"??.bin "$dir/d$k/"
    done
    touch "$dir.done"
}

# Files only: no background, licence, shortcuts, registry values or uninstall record; the wizard
# installs into out/ours.
write_our_description() {
    local name=$1 file
    {
        printf '%s\n' '[settings]' 'program-name = Bench' 'caption = Bench' 'background = 0' 'licence-show = 0' \
            'create-shortcuts = 0' 'write-registry = 0' 'write-uninstall = 0' 'run-at-end = 0' \
            "install-folder = $(winpath "$out/ours")"
        (cd "$work/payload/$name" && find . -type f | sort) | while read -r file; do
            file=${file#./}
            printf '[file]\npath = %s\nsource = payload/%s/%s\n' "${file//\//\\}" "$name" "$file"
        done
    } >"$work/$name.txt"
}

write_peer_script() {
    local name=$1
    {
        printf '%s\n' 'Unicode true' 'SetCompress off' 'RequestExecutionLevel user' 'Name "Bench"' \
            "OutFile \"$name-peer.exe\"" 'InstallDir "$TEMP\Bench"' 'Section' '  SetOutPath "$INSTDIR"'
        if [ -n "$(ls -A "$work/payload/$name")" ]; then echo "  File /r \"payload/$name/*\""; fi
        echo 'SectionEnd'
    } >"$work/$name.nsi"
}

# Files and bytes under a folder, to check that a run installed the whole payload.
tree_size() { echo "$(find "$1" -type f | wc -l) $(find "$1" -type f -printf '%s\n' | awk '{ s += $1 } END { print s + 0 }')"; }

# name=value pairs of the driver's line, appended to the results as "payload metric value".
record() {
    local payload=$1 who=$2 line=$3 pair
    for pair in $line; do echo "$payload $who-${pair%%=*} ${pair#*=}" >>"$work/results.txt"; done
}

# One run: the driver's line, checked for a clean end and a complete install in FOLDER.
run_checked() {
    local payload=$1 who=$2 folder=$3 line
    shift 3
    # The previous run's writes reach the disk first, so that no run pays for another's.
    sync
    line=$("$tree/wine-run" "$tree/install_driver.exe" "$@" | tr -d '\r')
    case " $line " in *" exit="[1-9]*) echo "bench: $who on $payload ended with ${line##*exit=}" >&2; exit 1 ;; esac
    if [ "$(tree_size "$folder")" != "$(tree_size "$work/payload/$payload")" ]; then
        echo "bench: $who on $payload did not install every file" >&2
        exit 1
    fi
    record "$payload" "$who" "$line"
    rm -rf "$folder"
}

# The runs, inside the Wine session.
run_sets() {
    local s payload
    # The first programs of a fresh session pay Wine's start-up: one run of each, not counted.
    rm -rf "$out" && mkdir -p "$out"
    run_checked empty ours "$out/ours" ours "$(winpath "$work/empty-ours.exe")"
    run_checked empty peer "$out/peer" peer "$(winpath "$work/empty-peer.exe")" "$(winpath "$out/peer")"
    rm -f "$work/results.txt"
    for ((s = 1; s <= sets; s++)); do
        for payload in "${payloads[@]}"; do
            rm -rf "$out" && mkdir -p "$out"
            run_checked "$payload" ours "$out/ours" ours "$(winpath "$work/$payload-ours.exe")"
            run_checked "$payload" peer "$out/peer" peer "$(winpath "$work/$payload-peer.exe")" "$(winpath "$out/peer")"
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
        -v titles="$(for p in "${payloads[@]}"; do payload_title "$p"; done | paste -sd '|')" '
    function add(p, m, x) { v[p, m, ++n[p, m]] = x }
    function sorted(p, m,   i, j, t) {
        for (i = 1; i <= n[p, m]; i++) s[i] = v[p, m, i]
        for (i = 2; i <= n[p, m]; i++)
            for (j = i; j > 1 && s[j - 1] > s[j]; j--) { t = s[j]; s[j] = s[j - 1]; s[j - 1] = t }
        return n[p, m]
    }
    function median(p, m,   c) { c = sorted(p, m); return c % 2 ? s[(c + 1) / 2] : (s[c / 2] + s[c / 2 + 1]) / 2 }
    function cell(p, m, scale, format,   c) {
        c = sorted(p, m)
        if (!c) return "-"
        return sprintf(format " (" format "-" format ")", median(p, m) / scale, s[1] / scale, s[c] / scale)
    }
    function row(label, m, scale, format,   i) {
        printf "%-38s", label
        for (i = 1; i <= np; i++) printf "  %-22s", cell(p[i], m, scale, format)
        printf "\n"
    }
    function derived(label, value,   i) {
        printf "%-38s", label
        for (i = 1; i <= np; i++) printf "  %-22s", value[i]
        printf "\n"
    }
    function per_second(mib, ms) { return mib > 0 && ms > 0 ? sprintf("%.0f", mib / (ms / 1000)) : "-" }
    function ratio(a, b, goal) { return b > 0 ? sprintf("%.2f %s", a / b, a / b <= goal ? "met" : "MISSED") : "-" }
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
        printf "%-38s", "median (min-max)"
        for (i = 1; i <= np; i++) printf "  %-22s", title[i]
        printf "\n"
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
    }' "$work/results.txt"
}

if [ "${1:-}" = --runs ]; then
    # Inside the session: scripts/wine-session.sh started this script again.
    tree=$2 sets=$3
    mkdir -p "$work/temp"
    BENCH_TEMP=$(winpath "$work/temp") && export BENCH_TEMP
    run_sets
    exit
fi

sets=${1:-${SETS:-5}}
# The setup program users get where this machine runs 32-bit programs, otherwise its 64-bit twin.
tree=$(scripts/windows-tree.sh)
for built in "$tree/setup.exe" "$tree/install_driver.exe" build/host/setup-pack; do
    [ -f "$built" ] || { echo "bench: $built is missing; run make build first" >&2; exit 1; }
done
if ! command -v makensis >/dev/null; then
    echo "bench: installing the peer, Debian's nsis" >&2
    apt-get install -y nsis >/dev/null || { apt-get update >/dev/null && apt-get install -y nsis >/dev/null; }
fi

mkdir -p "$work/payload"
make_payload empty 0 0 0
make_payload files-1m 200 $((1024 * 1024)) 0
make_payload files-256m 2 $((256 * 1024 * 1024)) 0
make_payload files-4k 2000 4096 20
# The empty installers warm the session up whatever the payloads.
for payload in $(printf '%s\n' empty "${payloads[@]}" | sort -u); do
    write_our_description "$payload"
    build/host/setup-pack build "$work/$payload.txt" -o "$work/$payload-ours.exe" --stub "$tree/setup.exe" >/dev/null
    write_peer_script "$payload"
    (cd "$work" && makensis -V1 "$payload.nsi" >/dev/null)
done

echo "bench: $sets sets, $tree setup program under $(source "$tree/wine-env" && "$wine_loader" --version)," \
    "peer $(makensis -VERSION), $(nproc) cores, load $(cut -d' ' -f1-3 /proc/loadavg)" >&2
scripts/wine-session.sh "$tree" bash "$root/bench/install_bench.sh" --runs "$tree" "$sets"
print_table
