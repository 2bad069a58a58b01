#!/usr/bin/env bash
# A package for the user (install-for = user) needs no administrator rights: its setup program and
# the uninstaller it carries ask for none (asInvoker in their manifests). Through the wizard (the
# demo's tour) and with /S it installs into the profile's AppData\Local\Programs and lists itself
# under HKEY_CURRENT_USER, writing nothing into Program Files or HKEY_LOCAL_MACHINE's list; its
# uninstaller removes it all but a file of the user's (scripts/demo-tour.sh checks that).
#   tests/program/user_package_test.sh BUILD_TREE SETUP_PACK   (inside a Wine session of the tree)
set -euo pipefail
tree=$(cd "$1" && pwd) pack=$2 root=$(cd "$(dirname "$0")/../.." && pwd)
source "$tree/wine-env"
work=$tree/user-package-test
rm -rf "$work" && mkdir "$work" && cd "$work"
fail() { echo "FAIL: $*" >&2; exit 1; }
drive_c=$WINEPREFIX/drive_c
machine_entry='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\Редактор заметок 2.0'

cp -r "$root/examples/demo" package && cp "$tree/notes.exe" package/files/
sed -i 's/^\[settings\]$/&\ninstall-for = user/' package/package.txt
# Stored, the package holds the uninstaller as it is: the file shows both programs' manifests.
"$pack" build package/package.txt -o setup.exe --store --stub "$tree/setup-user.exe" \
    --uninstaller "$tree/Uninstall-user.exe" >/dev/null
levels=$(grep -ao 'requestedExecutionLevel level="[A-Za-z]*"' setup.exe | cut -d'"' -f2 | xargs)
[ "$levels" = "asInvoker asInvoker" ] || fail "the programs ask for: $levels"
"$pack" show setup.exe >shown.txt && grep -qx 'install for: user (the program asks for asInvoker)' shown.txt ||
    fail "show: not for the user"

for mode in tour silent; do
    out=$work/$mode
    mkdir "$out" && cp -r package setup.exe "$out/"
    rm -rf "$drive_c/Program Files/Rodev" "$drive_c"/users/*/AppData/Local/Programs/Rodev
    "$tree/wine-run" reg delete "$machine_entry" /f >/dev/null 2>&1 || true
    (cd "$root" && DEMO_TOUR_SILENT=$([ $mode = tour ] || echo 1) scripts/demo-tour.sh "$tree" "$out") \
        >"$out/run.txt" 2>&1 || { cat "$out/run.txt"; fail "$mode: the demo's checks"; }
    grep -qx 'demo: installed files, in C:\\users\\[^\\]*\\AppData\\Local\\Programs\\Rodev\\Notes:' "$out/run.txt" &&
        grep -qx '  HKEY_CURRENT_USER\\Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Редактор заметок 2.0' \
            "$out/run.txt" || { cat "$out/run.txt"; fail "$mode: not in the user's folder and list"; }
    # Anything written there would still be there: the uninstaller of a package for the user
    # removes nothing of the machine.
    [ ! -e "$drive_c/Program Files/Rodev" ] || fail "$mode: installed into Program Files"
    ! "$tree/wine-run" reg query "$machine_entry" >/dev/null 2>&1 || fail "$mode: listed under HKEY_LOCAL_MACHINE"
    echo "$mode: installed for the user alone and removed"
done
