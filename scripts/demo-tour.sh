#!/usr/bin/env bash
# The demo's tour, run by scripts/demo.sh inside a Wine session of the demo's own prefix: the tour
# tool walks the setup program page by page, saving pictures; then this shows what was installed,
# adds a file of the user's to the install folder, uninstalls silently and shows what is left.
# Exit status 1 when a page does not show or the uninstaller leaves something of the package.
# With DEMO_TOUR_SILENT=1 the setup program installs silently (/S) instead of the tour.
#   scripts/demo-tour.sh BUILD_TREE OUT_FOLDER
set -uo pipefail
tree=$1 out=$2
root=$(pwd)
package=$out/package/package.txt
drive_c=$WINEPREFIX/drive_c

setting() { sed -n "s/^$1 *= *//p" "$package"; }
# A file of this machine as Wine programs name it, and one of drive C: as this machine does.
windows_path() { local p=$1; [[ $p == /* ]] || p=$root/$p; echo "Z:${p//\//\\}"; }
unix_path() { local p=${1#C:\\}; echo "$drive_c/${p//\\//}"; }
from() { iconv -f "$1" -t UTF-8 | tr -d '\r' | sed 's/^/  /'; }
fail() { echo "demo: $*" >&2; exit 1; }

# A package for the user installs into the user's own program folder and lists itself in the
# user's own list of installed programs; one for the machine into Program Files and the machine's.
if [ "$(setting install-for)" = user ]; then
    profile=$(find "$drive_c/users" -mindepth 1 -maxdepth 1 -type d ! -name Public -printf '%f\n' | head -n 1)
    program_files="C:\\users\\$profile\\AppData\\Local\\Programs" entry_root=HKCU
else
    program_files='C:\Program Files' entry_root=HKLM
fi
folder_name=$(setting install-folder)
folder_name=${folder_name/\%ProgFs\%/"$program_files"}
folder=$(unix_path "$folder_name")
parent_name=${folder_name%\\*}
registry_key="HKCU\\$(sed -n '/^\[registry\]/,/^$/s/^key *= *//p' "$package" | head -n 1)"
entry_key="$entry_root\\Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\$(setting uninstall-name)"
users_file="$folder/Мои заметки.txt"
group_top=$(setting program-group)
group_top=${group_top%%\\*}

new_links() { find "$drive_c/users" -name '*.lnk' -newer "$out/package" -print0 | sort -z; }
group_folders() { find "$drive_c/users" -path "*/Start Menu/Programs/$group_top"; }
show_links() {
    local links=() file
    while IFS= read -r -d '' file; do links+=("C:${file#$drive_c}"); done < <(new_links)
    links=("${links[@]//\//\\}")
    [ ${#links[@]} -eq 0 ] || "$tree/wine-run" "$tree/demo_tour.exe" links "${links[@]}" | sed 's/^/  /'
}
show_registry() {
    local key values
    for key in "$registry_key" "$entry_key"; do
        if values=$("$tree/wine-run" reg query "$key" 2>/dev/null); then
            from CP866 <<<"$values" | sed '/^ *$/d'
        else
            echo "  $key: none"
        fi
    done
}

if [ -n "${DEMO_TOUR_SILENT:-}" ]; then
    echo "demo: the setup program installs without a window (/S):"
    "$tree/wine-run" "$(windows_path "$out/setup.exe")" /S || fail "the silent installation ended with status $?"
else
    echo "demo: the setup program, page by page (pictures in $out/):"
    "$tree/wine-run" "$tree/demo_tour.exe" tour "$(windows_path "$out/setup.exe")" "$(windows_path "$out")" \
        "$(setting caption)" || fail "the tour did not reach its end"
fi

echo
echo "demo: installed files, in $folder_name:"
find "$folder" -type f -printf '%10s  %P\n' | sort -k2 | sed 's/^/  /'
echo "demo: registry values:"
show_registry
echo "demo: links:"
show_links
echo "demo: Uninstall.ini:"
from CP1251 <"$folder/Uninstall.ini"

printf 'Позвонить в Rodev.\r\n' | iconv -t CP1251 >"$users_file"
echo
echo "demo: the user adds a file of their own, $(basename "$users_file"); the uninstaller runs silently:"
"$tree/wine-run" "$folder_name\\Uninstall.exe" /S
status=$?
echo "  Uninstall.exe /S ended with status $status"
# The uninstaller hands over to its copy, which removes the original once it has ended.
for _ in $(seq 50); do [ -e "$folder/Uninstall.exe" ] || break; sleep 0.2; done

echo "demo: left in $parent_name:"
find "$(dirname "$folder")" -mindepth 1 -printf '%P\n' | sort | sed 's/^/  /'
echo "demo: left in the registry:"
show_registry
echo "demo: links and program group folders left:"
show_links
group_folders | sed "s|^$drive_c|  C:|"
echo "  (the uninstaller's copy in the temporary folder goes at the next restart)"

left=$(find "$folder" -mindepth 1 ! -path "$users_file" 2>/dev/null)
[ $status -eq 0 ] || fail "the uninstaller ended with status $status"
[ -f "$users_file" ] || fail "the uninstaller removed the user's file"
[ -z "$left" ] || fail "the uninstaller left files of the package: $left"
[ -z "$(new_links | tr -d '\0')$(group_folders)" ] || fail "the uninstaller left links"
! "$tree/wine-run" reg query "$registry_key" >/dev/null 2>&1 || fail "the uninstaller left $registry_key"
! "$tree/wine-run" reg query "$entry_key" >/dev/null 2>&1 || fail "the uninstaller left $entry_key"
echo "demo: the package is gone; the user's file stays"
