#!/usr/bin/env bash
# A signed setup program installs exactly what the unsigned one does, through the wizard (the demo's
# tour) and with /S: the same files, registry values, links and Uninstall.ini, all removed again by
# the uninstaller. Both carry the same signed uninstaller. Run by ctest in a Wine session of a
# Windows build tree.
#   tests/program/signed_program_test.sh BUILD_TREE SETUP_PACK
set -euo pipefail
tree=$(cd "$1" && pwd) pack=$2 root=$(cd "$(dirname "$0")/../.." && pwd)
stub=$tree/setup.exe uninstaller=$tree/Uninstall.exe notes=$tree/notes.exe
source "$tree/wine-env"
rm -rf "$tree/signed-program-test" && mkdir "$tree/signed-program-test" && cd "$tree/signed-program-test"
source "$root/tests/tools/signing_setup.sh"
osslsigncode sign -certs cert.pem -key key.pem -in "$uninstaller" -out Uninstall.exe >/dev/null
for mode in tour silent; do
    for kind in unsigned signed; do
        out=$PWD/$mode-$kind
        mkdir "$out" && cp -r package "$out/"
        options=(--uninstaller "$PWD/Uninstall.exe")
        [ $kind = unsigned ] || options=(--uninstaller "$uninstaller" --sign-cert cert.pem --sign-key key.pem)
        "$pack" build "$out/package/package.txt" -o "$out/setup.exe" --stub "$stub" "${options[@]}" >/dev/null
        [ $kind = unsigned ] || osslsigncode verify -CAfile cert.pem -in "$out/setup.exe" >/dev/null
        rm -rf "$WINEPREFIX/drive_c/Program Files/Rodev"  # the user's file that the run before left
        (cd "$root" && DEMO_TOUR_SILENT=$([ $mode = tour ] || echo 1) scripts/demo-tour.sh "$tree" "$out") \
            >"$out/run.txt" 2>&1 || { cat "$out/run.txt"; exit 1; }
        sed -n '/^demo: installed files/,$p' "$out/run.txt" >"$out/shown.txt"
    done
    diff "$mode-unsigned/shown.txt" "$mode-signed/shown.txt" || { echo "$mode: the signed program differs"; exit 1; }
    echo "$mode: the signed program installs what the unsigned one does"
done
