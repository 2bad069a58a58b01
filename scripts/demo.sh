#!/usr/bin/env bash
# Packs the example package into a setup program and runs it under Wine, saying what happened.
set -euo pipefail
cd "$(dirname "$0")/.."
out=build/demo
mkdir -p "$out"
pack=build/host/setup-pack

"$pack" build examples/demo/package.txt -o "$out/setup.exe" --stub build/win32/setup.exe
"$pack" build examples/demo/package.txt -o "$out/setup64.exe" --stub build/win64/setup.exe
echo
"$pack" show "$out/setup.exe" | sed -n '1,3p;/^registry records/,$p'
echo

copy=$(find build/win64/wineprefix/drive_c/users -path '*Temp/QORT/Tmp_Data.tmp' 2>/dev/null | head -n 1 || true)
[ -n "$copy" ] && rm -f "$copy"
echo "demo: running $out/setup64.exe (the 64-bit twin of $out/setup.exe) under Wine"
set +e
scripts/wine-session.sh build/win64 build/win64/wine-run "$out/setup64.exe"
rc=$?
set -e
copy=$(find build/win64/wineprefix/drive_c/users -path '*Temp/QORT/Tmp_Data.tmp' 2>/dev/null | head -n 1 || true)
echo "demo: the setup program ended with exit code $rc"
if [ -n "$copy" ]; then
    echo "demo: it loaded the package and left its temporary copy: $copy ($(stat -c %s "$copy") bytes)"
fi
echo "demo: the wizard's windows are not built yet; the setup program ends once the package is loaded"
