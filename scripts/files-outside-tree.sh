#!/usr/bin/env bash
# Lists, by name, the places outside the build tree where a Windows test could leave something:
# the home folder (where Wine's profile folders point in a prefix not made by make_wine_prefix),
# its desktop and document folders, the desktop entries and menus of Wine's menu builder, and the
# temporary folder. scripts/windows-tests.sh compares the lists before and after the tests.
set -uo pipefail
home=${HOME:?}
find "$home" /tmp -mindepth 1 -maxdepth 1 2>/dev/null
for folder in Desktop Documents Pictures Music Videos Downloads Templates .local/share/applications \
    .local/share/desktop-directories .local/share/icons .config/menus; do
    find "$home/$folder" -mindepth 1 -maxdepth 4 2>/dev/null
done
true
