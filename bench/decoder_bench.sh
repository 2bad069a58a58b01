#!/usr/bin/env bash
# Speed of our LZMA decoder (codec/lzma_decoder.cpp) against liblzma's own on the same streams:
# text, Windows programs (PE), Linux libraries, random bytes. Prints MiB/s of output for each and
# their ratio; the goal is at least 0.8x. Built with g++ -O2, not the sanitizer tree.
set -euo pipefail
cd "$(dirname "$0")/.."
mkdir -p build
g++ -std=c++20 -O2 -I. bench/decoder_bench.cpp codec/lzma_decoder.cpp runtime/byte_source.cpp \
    -llzma -o build/decoder_bench
pe=
for folder in /usr/lib/i386-linux-gnu/wine/i386-windows /usr/lib/x86_64-linux-gnu/wine/x86_64-windows \
        /usr/lib/wine/i386-windows /usr/lib/wine/x86_64-windows; do
    if [ -d "$folder" ]; then pe=$folder; break; fi
done
build/decoder_bench text=/usr/include/c++ ${pe:+pe=$pe} \
    elf=/usr/lib/x86_64-linux-gnu/gconv random=random
