#!/usr/bin/env bash
# A compressed package installs exactly the bytes of its files, as the same package stored plain
# does, through the wizard and with /S: empty, small, large, incompressible files and a file
# larger than the window of its stream.
#   tests/program/packed_install_test.sh SETUP_PACK BUILD_TREE   (inside a Wine session of the tree)
set -euo pipefail
pack=$1 tree=$2
source "$tree/wine-env"
work=$(mktemp -d)
trap 'rm -rf "$work" "$WINEPREFIX/drive_c/packed-test"' EXIT
mkdir "$work/files"
: >"$work/files/empty.bin"
echo "Редактор заметок" >"$work/files/small.txt"
seq 1 600000 >"$work/files/large.txt"                     # 4 MB of text, past a 1 MiB window
head -c 1500000 /dev/urandom >"$work/files/random.bin"    # does not compress
cp "$tree/setup.exe" "$work/files/program.exe"
describe() {  # the package, installing into C:\packed-test\$1 by default
    printf '%s\n' '[settings]' 'program-name = Packed' 'background = 0' 'licence-show = 0' 'create-shortcuts = 0' \
        'write-registry = 0' 'write-uninstall = 0' "install-folder = C:\\packed-test\\$1"
    for f in empty.bin small.txt large.txt random.bin program.exe; do
        printf '[file]\npath = %s\nsource = files/%s\n' "sub\\$f" "$f"
    done
}
describe wizard-packed >"$work/packed.txt"
describe wizard-stored >"$work/stored.txt"
"$pack" build "$work/packed.txt" -o "$work/packed.exe" --stub "$tree/setup.exe" --dictionary 1 >/dev/null
"$pack" build "$work/stored.txt" -o "$work/stored.exe" --stub "$tree/setup.exe" --store >/dev/null
"$pack" show "$work/packed.exe" | grep -q '^compression: LZMA, dictionary 1 MiB'
[ "$(stat -c %s "$work/packed.exe")" -lt "$(stat -c %s "$work/stored.exe")" ]

failed=0
for how in packed stored; do
    "$tree/wine-run" "$tree/install_driver.exe" ours "Z:${work//\//\\}\\$how.exe" >/dev/null
    "$tree/wine-run" "$work/$how.exe" /S "/D=C:\\packed-test\\silent-$how" || { echo "$how /S: exit $?"; failed=1; }
    for folder in wizard-$how silent-$how; do
        if diff -r "$work/files" "$WINEPREFIX/drive_c/packed-test/$folder/sub"; then
            echo "$folder: every file installed byte for byte"
        else
            echo "$folder: the installed files differ from the package's"
            failed=1
        fi
    done
done
exit $failed
