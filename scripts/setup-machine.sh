#!/usr/bin/env bash
# Installs what building and testing need on a Debian 12 machine. Idempotent: a machine that
# already has everything returns at once without touching apt.
set -euo pipefail
cd "$(dirname "$0")/.."

need=()
add_i386=
have_cmd() { command -v "$1" >/dev/null 2>&1; }
have_pkg() { dpkg-query -W -f='${Status}' "$1" 2>/dev/null | grep -q 'install ok installed'; }

# The Windows tests run the shipped 32-bit program under the 32-bit Wine where this machine
# executes 32-bit programs; elsewhere they run its 64-bit twin under the 64-bit Wine.
have_cmd i686-w64-mingw32-g++ || need+=(g++-mingw-w64-i686)
if [ "$(scripts/windows-tree.sh)" = build/win32 ]; then
    if [ ! -x /usr/lib/wine/wine ] || [ ! -x /usr/lib/wine/wineserver32 ]; then
        need+=(wine32:i386)
        dpkg --print-foreign-architectures | grep -qx i386 || add_i386=1
    fi
else
    have_cmd x86_64-w64-mingw32-g++ || need+=(g++-mingw-w64-x86-64)
    [ -x /usr/lib/wine/wine64 ] || need+=(wine64)
fi
have_cmd wine || need+=(wine)
have_cmd xvfb-run || need+=(xvfb)
have_cmd xauth || need+=(xauth)
have_pkg locales || need+=(locales)
# The builder compresses with liblzma; tests check the checksum against zlib.
have_pkg liblzma-dev || need+=(liblzma-dev)
have_pkg zlib1g-dev || need+=(zlib1g-dev)
have_pkg pkg-config || need+=(pkg-config)
have_cmd cmake || need+=(cmake)
have_cmd g++ || need+=(g++)
have_cmd make || need+=(make)
have_cmd objdump || need+=(binutils)
[ -x /usr/bin/time ] || need+=(time)
[ -d /usr/src/googletest ] || need+=(googletest)
# zlib for MinGW, linked into the demo's tour to compress its pictures.
have_pkg libz-mingw-w64-dev || need+=(libz-mingw-w64-dev)
# Signing setup programs (setup-pack --sign-cert), and the throwaway certificates of its tests.
have_cmd osslsigncode || need+=(osslsigncode)
have_cmd openssl || need+=(openssl)
# The fuzz targets: clang with its libFuzzer runtime (not among clang's own dependencies).
have_cmd clang++ || need+=(clang)
compgen -G '/usr/lib/llvm-14/lib/clang/*/lib/linux/libclang_rt.fuzzer-x86_64.a' >/dev/null || need+=(libclang-rt-14-dev)

if [ ${#need[@]} -gt 0 ]; then
    if [ "$(id -u)" -ne 0 ]; then
        echo "setup: missing ${need[*]}; run as root to install them" >&2
        exit 1
    fi
    export DEBIAN_FRONTEND=noninteractive
    if [ -n "$add_i386" ]; then
        echo "setup: adding the i386 architecture"
        dpkg --add-architecture i386
    fi
    echo "setup: installing ${need[*]}"
    apt-get update -qq
    apt-get install -y -qq --no-install-recommends "${need[@]}" >/dev/null
fi

# The ANSI code page under Wine follows LANG: the Windows tests run the programs with ru_RU.UTF-8
# (code page 1251) and with en_US.UTF-8 (code page 1252).
missing_locales=()
for name in ru_RU en_US; do
    locale -a 2>/dev/null | grep -qix "$name.utf8" || missing_locales+=("$name.UTF-8")
done
if [ ${#missing_locales[@]} -gt 0 ]; then
    if [ "$(id -u)" -ne 0 ]; then
        echo "setup: locales ${missing_locales[*]} missing; run as root to generate them" >&2
        exit 1
    fi
    echo "setup: generating locales ${missing_locales[*]}"
    for name in "${missing_locales[@]}"; do
        sed -i "s/^# *\($name UTF-8\)/\1/" /etc/locale.gen
        grep -q "^$name UTF-8" /etc/locale.gen || echo "$name UTF-8" >> /etc/locale.gen
    done
    locale-gen >/dev/null
fi
