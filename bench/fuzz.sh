#!/usr/bin/env bash
# Runs the libFuzzer targets (tests/fuzz) over copies of their seed corpora in build/fuzz/corpus;
# the committed corpora never grow. bench/fuzz.sh MINUTES runs each target that long; without
# MINUTES each runs 15 seconds (the "make test" step). Prints each target's corpus size and its
# runs a second (libFuzzer's exec/s): a slow target finds little. Skipped where clang is missing.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=$(( ${1:-0} > 0 ? ${1:-0} * 60 : 15 ))
if ! command -v clang++ >/dev/null 2>&1; then
    echo "fuzz: clang++ is missing; skipped" >&2
    exit 0
fi
[ -f build/fuzz/CMakeCache.txt ] || cmake -S . -B build/fuzz -DCMAKE_CXX_COMPILER=clang++ \
    -DCMAKE_BUILD_TYPE=Debug -DSETUP_TESTS=OFF -DSETUP_FUZZ=ON >/dev/null
cmake --build build/fuzz -j"${JOBS:-2}" --target fuzz_targets >/dev/null
for target in package_text integer placeholders description lzma; do
    corpus=build/fuzz/corpus/$target
    rm -rf "$corpus" && mkdir -p "$corpus" && cp tests/fuzz/"$target"/* "$corpus"/
    if ! build/fuzz/fuzz_"$target" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 \
            -artifact_prefix=build/fuzz/"$target"- "$corpus" >build/fuzz/"$target".log 2>&1; then
        tail -n 40 build/fuzz/"$target".log >&2
        echo "fuzz: $target failed; the input is in build/fuzz/$target-*" >&2
        exit 1
    fi
    speed=$(grep -o 'exec/s: [0-9]*' build/fuzz/"$target".log | tail -n 1 | cut -d' ' -f2)
    echo "fuzz: $target: $(grep -c . <(ls "$corpus")) inputs after ${seconds}s, ${speed:-?} runs a second, no faults"
done
