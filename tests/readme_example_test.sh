#!/usr/bin/env bash
# The README shows the example package in full; it must be the file under examples/.
set -euo pipefail
root=$1
shown=$(awk '/^```ini$/ {inside=1; next} /^```$/ {inside=0} inside' "$root/README.md")
if [ "$shown" != "$(cat "$root/examples/demo/package.txt")" ]; then
    echo "README.md's example differs from examples/demo/package.txt"
    diff <(echo "$shown") "$root/examples/demo/package.txt" || true
    exit 1
fi
echo "README example matches examples/demo/package.txt"
