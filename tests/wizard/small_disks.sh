#!/usr/bin/env bash
# Runs a test program with two small file systems of 1 MiB mounted for it, where the machine lets
# it mount them (as root): a full one and a read-only one. SETUP_SMALL_DISKS names their parent
# folder as a Windows path ending in "\" ("full\", "read-only\" below it); it stays unset otherwise.
#   tests/wizard/small_disks.sh COMMAND...
disks=$(mktemp -d /tmp/small-disks.XXXXXX)
trap 'umount "$disks/full" "$disks/read-only" 2>/dev/null; rm -rf "$disks"' EXIT
mkdir "$disks/full" "$disks/read-only"
if mount -t tmpfs -o size=1m tmpfs "$disks/full" 2>/dev/null &&
    mount -t tmpfs -o ro,size=1m tmpfs "$disks/read-only" 2>/dev/null; then
    export SETUP_SMALL_DISKS="Z:${disks//\//\\}\\"
fi
"$@"
