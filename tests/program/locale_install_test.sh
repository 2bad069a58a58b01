#!/usr/bin/env bash
# The example package installs and uninstalls silently whatever the language of Windows and the
# user's name: under the Russian code page (1251), the Western one (1252), and for a user named
# "Әлия", whose name and temporary folder have no form in 1251. Each time, into a folder that
# neither code page holds whole, it installs the files under their Russian names, its links in the
# user's profile and its registry strings, read back through the wide calls; Uninstall.exe then
# removes all of it but a file the user added. Under 1252 the wizard still shows its Russian texts.
# Under 1251 a record whose text fits Windows-1251 is byte for byte what earlier versions wrote.
#   tests/program/locale_install_test.sh SETUP_PACK BUILD_TREE EXAMPLE_FOLDER   (inside a Wine session)
set -uo pipefail
pack=$1 tree=$2 example=$3
# Uninstall.ini as the program wrote it before it spoke Unicode, for user "root".
legacy_record=$(cd "$(dirname "$0")/../uninstaller/data" && pwd)/legacy_uninstall.ini
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cp -r "$example" "$work/package"
"$pack" build "$work/package/package.txt" -o "$work/setup.exe" --stub "$tree/setup.exe" \
    --uninstaller "$tree/Uninstall.exe" >/dev/null || exit 1
setup="Z:${work//\//\\}\\setup.exe"
folder='C:\Программы Müller\Проверка'
name='Редактор заметок'
entry="HKEY_LOCAL_MACHINE\\Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\$name 2.0"
# Each link, under the profile, with its target in the install folder.
links=("Desktop/$name.lnk|notes.exe"
       "AppData/Roaming/Microsoft/Windows/Start Menu/$name.lnk|notes.exe"
       "AppData/Roaming/Microsoft/Windows/Start Menu/Programs/Rodev/$name/Справка.lnk|docs\\Справка.txt")

# The wizard's caption and welcome text, read through the wide calls (inside check).
check_wizard_texts() {
    local out line
    if ! out=$(probe wizard "$setup" "Установка - $name" 'Далее ->'); then
        fail "no wizard window \"Установка - $name\" with a button \"Далее ->\""
        return
    fi
    for line in "Установка - $name" 'Мы настоятельно рекомендуем, чтобы Вы закрыли все'; do
        grep -qxF "$line" <<<"$out" || fail "the wizard does not show \"$line\": $out"
    done
}

# Installs and uninstalls in the prefix of a locale and user; prints what went wrong.
check() {  # LOCALE [USER]
    local locale=$1 user=${2:-}
    export WINE_LOCALE=$locale WINE_PROFILE_USER=$user
    source "$tree/wine-env"
    make_wine_prefix >/dev/null
    start_wine_server
    # The session's own prefix keeps its server; the others' end with the check.
    if [ "$locale" != ru_RU.UTF-8 ] || [ -n "$user" ]; then trap stop_wine_server EXIT; fi
    local drive_c=$WINEPREFIX/drive_c
    local installed=$drive_c/${folder#C:\\}
    installed=${installed//\\//}
    remove_installation() { rm -rf "$drive_c/Программы M"* "$drive_c/locale-test.log" "$drive_c/probe.reg"; }
    remove_installation
    probe() { "$tree/wine-run" "$tree/wide_probe.exe" "$@"; }
    # A string value as regedit exports its key: UTF-16 behind a byte-order mark, whatever the
    # code page; a backslash is written doubled.
    registry() {  # KEY NAME
        rm -f "$drive_c/probe.reg"
        "$tree/wine-run" regedit /E 'C:\probe.reg' "$1" 2>/dev/null
        iconv -f UTF-16 -t UTF-8 "$drive_c/probe.reg" 2>/dev/null | tr -d '\r' |
            sed -n "s/^\"$2\"=\"\(.*\)\"\$/\1/p" | sed 's/\\\\/\\/g' | grep .
    }
    fail() { echo "$locale${user:+, user $user}: $*"; failed=1; }
    local failed=0 profile out

    # The user's profile, which holds the temporary folder (AppData\Local\Temp).
    profile=$(registry 'HKEY_CURRENT_USER\Volatile Environment' USERPROFILE)
    profile=${profile#C:\\users\\}
    [ -n "$profile" ] && [ -d "$drive_c/users/$profile" ] || fail "the profile \"$profile\" is not a folder"
    [ -z "$user" ] || [ "$profile" = "$user" ] || fail "the profile \"$profile\" is not that of $user"

    if [ "$locale" = en_US.UTF-8 ]; then check_wizard_texts; fi

    "$tree/wine-run" "$setup" /S '/LOG=C:\locale-test.log' "/D=$folder" || fail "setup.exe /S ended with status $?"
    local file missing=()
    for file in 'docs/Справка.txt' readme.txt notes.exe Uninstall.exe Uninstall.ini; do
        [ -f "$installed/$file" ] || missing+=("$file")
    done
    [ ${#missing[@]} -eq 0 ] || { fail "not installed in $folder: ${missing[*]}"; return 1; }
    head -c 3 "$drive_c/locale-test.log" 2>/dev/null | cmp -s - <(printf '\xef\xbb\xbf') &&
        iconv -f UTF-8 -t UTF-8 "$drive_c/locale-test.log" >/dev/null || fail "the log is not UTF-8 with a byte-order mark"
    local link path target
    for link in "${links[@]}"; do
        path=${link%|*}
        target=$(probe link "C:\\users\\$profile\\${path//\//\\}")
        [ "$target" = "$folder\\${link#*|}" ] || fail "the link ${link%|*} leads to \"$target\""
    done
    [ "$(registry 'HKEY_CURRENT_USER\Software\Rodev\Notes' InstallDir)" = "$folder" ] || fail "InstallDir is not $folder"
    [ "$(registry "$entry" DisplayName)" = "$name 2.0" ] || fail "the Add/Remove entry is not named \"$name 2.0\""

    printf 'Позвонить в Rodev.\r\n' >"$installed/Мои заметки.txt"
    "$tree/wine-run" "$folder\\Uninstall.exe" /S || fail "Uninstall.exe /S ended with status $?"
    # The uninstaller hands over to its copy, which removes the original once it has ended.
    for _ in $(seq 50); do [ -e "$installed/Uninstall.exe" ] || break; sleep 0.2; done
    out=$(find "$installed" -mindepth 1)
    [ "$out" = "$installed/Мои заметки.txt" ] || fail "after uninstalling, the folder holds: ${out:-nothing}"
    for link in "${links[@]}"; do
        [ ! -e "$drive_c/users/$profile/${link%|*}" ] || fail "the link ${link%|*} is left"
    done
    ! registry "$entry" DisplayName >/dev/null || fail "the Add/Remove entry is left"
    remove_installation
    if [ "$locale" = ru_RU.UTF-8 ] && [ -z "$user" ]; then check_record_unchanged; fi
    return $failed
}

# On a Russian Windows, where all of its text fits Windows-1251, the record is byte for byte what
# earlier versions wrote (for this profile), so that an uninstaller expecting 1251 still reads it.
check_record_unchanged() {
    local notes="$drive_c/Program Files/Rodev/Notes"
    "$tree/wine-run" "$setup" /S || fail "setup.exe /S into its own folder ended with status $?"
    sed "s/\\\\users\\\\root\\\\/\\\\users\\\\$profile\\\\/g" "$legacy_record" | cmp -s - "$notes/Uninstall.ini" ||
        fail "Uninstall.ini differs from the one earlier versions wrote"
    "$tree/wine-run" 'C:\Program Files\Rodev\Notes\Uninstall.exe' /S || fail "Uninstall.exe /S ended with status $?"
}

failed=0
(check ru_RU.UTF-8) || failed=1
(check en_US.UTF-8) || failed=1
(check ru_RU.UTF-8 'Әлия') || failed=1
exit $failed
