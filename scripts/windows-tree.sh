#!/usr/bin/env bash
# Prints the build tree whose Windows programs run here: build/win32, the 32-bit program users get,
# where this machine executes 32-bit x86 programs (the 32-bit Wine loader is one); otherwise
# build/win64, its 64-bit twin. Some kernels and sandboxes refuse 32-bit programs.
set -u
cd "$(dirname "$0")/.." && mkdir -p build || exit 1

# A 96-byte static i386 program: ELF header, one loadable segment at 0x08048000, then
# mov ebx,42; mov eax,1; int 0x80 (exit(42)). Written into build/, where the build runs programs
# anyway (a temporary folder may forbid it).
runs_32_bit_programs() {
    local dir rc
    dir=$(mktemp -d build/.runs-32-bit.XXXXXX) || return 1
    printf '\x7fELF\x01\x01\x01\0\0\0\0\0\0\0\0\0\x02\0\x03\0\x01\0\0\0\x54\x80\x04\x08\x34\0\0\0'\
'\0\0\0\0\0\0\0\0\x34\0\x20\0\x01\0\0\0\0\0\0\0'\
'\x01\0\0\0\0\0\0\0\0\x80\x04\x08\0\x80\x04\x08\x60\0\0\0\x60\0\0\0\x05\0\0\0\0\x10\0\0'\
'\xbb\x2a\0\0\0\xb8\x01\0\0\0\xcd\x80' >"$dir/exit42"
    chmod +x "$dir/exit42"
    ("$dir/exit42") 2>/dev/null
    rc=$?
    rm -rf "$dir"
    [ $rc -eq 42 ]
}

# SETUP_FORCE_TWIN=1 takes the fallback on any machine, to measure it.
if [ -z "${SETUP_FORCE_TWIN:-}" ] && runs_32_bit_programs; then echo build/win32; else echo build/win64; fi
