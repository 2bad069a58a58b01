#!/usr/bin/env bash
# A signed setup program installs exactly what the unsigned one does, through the wizard (the demo's
# tour) and silently (/S): the same files, registry values, links and Uninstall.ini, and the
# uninstaller removes them all. Both carry the same signed uninstaller, so the files match byte
# counts too. Run by ctest in a Wine session of a Windows build tree; signs with a throwaway
# certificate made here.
#   tests/program/signed_program_test.sh BUILD_TREE SETUP_PACK
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
tree=$(cd "$1" && pwd) pack=$2
source "$tree/wine-env"
work=$tree/signed-program-test
rm -rf "$work" && mkdir -p "$work" && cd "$root"
openssl req -x509 -newkey rsa:2048 -nodes -keyout "$work/key.pem" -out "$work/cert.pem" -days 2 \
    -subj "/CN=Rodev test" 2>/dev/null
signing=(--sign-cert "$work/cert.pem" --sign-key "$work/key.pem")
osslsigncode sign -certs "$work/cert.pem" -key "$work/key.pem" -in "$tree/Uninstall.exe" \
    -out "$work/Uninstall.exe" >/dev/null

cp -r examples/demo "$work/package" && cp "$tree/notes.exe" "$work/package/files/"
# A banner that makes the program a whole number of 8-byte units: signing would pad an odd size
# before the signature, where the program looks for its package.
"$pack" build "$work/package/package.txt" -o "$work/setup.exe" --stub "$tree/setup.exe" \
    --uninstaller "$work/Uninstall.exe" >/dev/null
sed -i "s/^banner = \\(.*\\)/banner = \"\\1$(printf "%$(((8 - $(stat -c %s "$work/setup.exe") % 8) % 8))s")\"/" \
    "$work/package/package.txt"

for mode in tour silent; do
    for kind in unsigned signed; do
        out=$work/$mode-$kind
        mkdir -p "$out" && cp -r "$work/package" "$out/package"
        if [ $kind = signed ]; then
            options=(--uninstaller "$tree/Uninstall.exe" "${signing[@]}")
        else
            options=(--uninstaller "$work/Uninstall.exe")
        fi
        "$pack" build "$out/package/package.txt" -o "$out/setup.exe" --stub "$tree/setup.exe" "${options[@]}" >/dev/null
        DEMO_TOUR_SILENT=$([ $mode = silent ] && echo 1 || true) scripts/demo-tour.sh "$tree" "$out" \
            >"$out/run.txt" 2>&1 || { cat "$out/run.txt"; exit 1; }
        sed "s|$out|OUT|g" "$out/run.txt" >"$out/shown.txt"
    done
    diff "$work/$mode-unsigned/shown.txt" "$work/$mode-signed/shown.txt" ||
        { echo "the signed program did not install what the unsigned one did ($mode)"; exit 1; }
    echo "$mode: the signed program installs what the unsigned one does"
done
