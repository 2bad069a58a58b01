#!/usr/bin/env bash
# Load time and peak memory of the setup program for a package of 512 MiB (or SIZE_MIB):
# the copy to the temporary folder and the reading of the text block.
#   bench/load_bench.sh [SIZE_MIB]
set -euo pipefail
cd "$(dirname "$0")/.."
size_mib=${1:-512}
make --no-print-directory build >/dev/null
# The setup program users get where this machine runs 32-bit programs, otherwise its 64-bit twin.
tree=$(scripts/windows-tree.sh)
work=build/bench
rm -rf "$work" && mkdir -p "$work/files" "$work/temp"
trap 'rm -rf "$work/files" "$work/temp" "$work"/*.exe' EXIT

head -c "$((size_mib * 1024 * 1024))" /dev/urandom > "$work/files/big.bin"
cat > "$work/package.txt" <<DESC
[settings]
program-name = Bench
[file]
path = big.bin
source = files/big.bin
DESC
build/host/setup-pack build "$work/package.txt" -o "$work/setup.exe" --stub "$tree/setup.exe" >/dev/null
echo "package: $size_mib MiB payload, $tree setup program $(stat -c %s "$work/setup.exe") bytes"

temp=$(cd "$work/temp" && pwd)
tempwin="Z:${temp//\//\\}\\"
scripts/wine-session.sh "$tree" bash -c '
    "$1/wine-run" "$1/load_probe.exe" "$2" "$3"' _ "$tree" "$(pwd)/$work/setup.exe" "$tempwin" | tr -d "\r"
copy=$work/temp/QORT/Tmp_Data.tmp
echo "temporary copy: $(stat -c %s "$copy") bytes"
