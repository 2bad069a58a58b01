# What bench/install_bench.sh and bench/size_bench.sh share; sourced after `set -euo pipefail`.
# Everything the runs read and write (payloads, installers, installed files, the setup program's
# temporary folder) lives in memory, in /dev/shm/setup-bench, or in BENCH_DIR: on a disk the
# figures follow the disk (a cloud disk's write credits, ext4 creating files slowly soon after
# thousands were deleted) more than the installers. The payloads stay for the next run.
cd "$(dirname "${BASH_SOURCE[0]}")/.."
root=$(pwd)
work=${BENCH_DIR:-/dev/shm/setup-bench}
case $work in /*) ;; *) work=$root/$work ;; esac
out=$work/out

# A folder or file of this machine as the Windows programs name it.
winpath() { echo "Z:${1//\//\\}"; }

# COUNT files of random bytes of SIZE bytes, in FOLDERS folders of equal shares (0: all at the top).
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
# installs into out/ours. The records follow the files' names in byte order.
write_our_description() {
    local name=$1 file
    {
        printf '%s\n' '[settings]' 'program-name = Bench' 'caption = Bench' 'background = 0' 'licence-show = 0' \
            'create-shortcuts = 0' 'write-registry = 0' 'write-uninstall = 0' 'run-at-end = 0' \
            "install-folder = $(winpath "$out/ours")"
        (cd "$work/payload/$name" && find . -type f | LC_ALL=C sort) | while IFS= read -r file; do
            file=${file#./}
            printf '[file]\npath = %s\nsource = payload/%s/%s\n' "${file//\//\\}" "$name" "$file"
        done
    } >"$work/$name.txt"
}

# The peer's script for NAME's payload, written as OUTPUT.nsi making OUTPUT.exe; the remaining
# arguments are its compression lines ("SetCompress off").
write_peer_script() {
    local name=$1 output=$2
    shift 2
    {
        printf '%s\n' 'Unicode true' "$@" 'RequestExecutionLevel user' 'Name "Bench"' \
            "OutFile \"$output.exe\"" 'InstallDir "$TEMP\Bench"' 'Section' '  SetOutPath "$INSTDIR"'
        if [ -n "$(ls -A "$work/payload/$name")" ]; then echo "  File /r \"payload/$name/*\""; fi
        echo 'SectionEnd'
    } >"$work/$output.nsi"
    (cd "$work" && makensis -V1 "$output.nsi" >/dev/null)
}

# Files and bytes under a folder, to check that a run installed the whole payload.
tree_size() { echo "$(find "$1" -type f | wc -l) $(find "$1" -type f -printf '%s\n' | awk '{ s += $1 } END { print s + 0 }')"; }

# name=value pairs of the driver's line, appended to the results as "payload metric value".
record() {
    local payload=$1 who=$2 line=$3 pair
    for pair in $line; do echo "$payload $who-${pair%%=*} ${pair#*=}" >>"$work/results.txt"; done
}

# One run of install_driver (the remaining arguments), checked for a clean end and a complete
# install of PAYLOAD in FOLDER, which goes afterwards.
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

# The setup program users get where this machine runs 32-bit programs, otherwise its 64-bit twin;
# the peer installed if missing.
check_tools() {
    tree=$(scripts/windows-tree.sh)
    for built in "$tree/setup.exe" "$tree/install_driver.exe" build/host/setup-pack; do
        [ -f "$built" ] || { echo "bench: $built is missing; run make build first" >&2; exit 1; }
    done
    if ! command -v makensis >/dev/null; then
        echo "bench: installing the peer, Debian's nsis" >&2
        apt-get install -y nsis >/dev/null || { apt-get update >/dev/null && apt-get install -y nsis >/dev/null; }
    fi
    mkdir -p "$work/payload"
}

# Runs the script again inside one Wine session with --runs and the arguments; the installers'
# temporary folder is in memory too.
run_in_session() {
    local sets=$1
    shift
    echo "bench: $sets sets, $tree setup program under $(source "$tree/wine-env" && "$wine_loader" --version)," \
        "peer $(makensis -VERSION), $(nproc) cores, load $(cut -d' ' -f1-3 /proc/loadavg)" >&2
    scripts/wine-session.sh "$tree" bash "$root/bench/$(basename "$0")" --runs "$tree" "$sets" "$@"
}

enter_session() {
    mkdir -p "$work/temp"
    BENCH_TEMP=$(winpath "$work/temp") && export BENCH_TEMP
}
