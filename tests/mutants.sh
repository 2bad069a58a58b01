#!/usr/bin/env bash
# Proof that the test suite catches faults: plants small faults a user would notice in the sources,
# one at a time, rebuilds, runs the suite and says for each whether the suite failed.
#   tests/mutants.sh           every fault
#   tests/mutants.sh N...      only the faults numbered N
#   tests/mutants.sh --list    what each fault plants
# Not part of `make test`. Starts with `make build` and one run of the untouched suite (a suite that
# already fails would "catch" everything). The host tests run first; a fault they miss is built for
# Windows as well and tried on the Windows tests, as `make test` runs them, stopping at the first
# failure. Each fault's build and test output goes to build/mutants/N.log.
# A fault is a sed edit changing exactly one line; the file goes back with `git checkout`, also on
# Ctrl-C, so files with uncommitted changes are refused. Exits 1 when the suite missed a fault.
set -uo pipefail
cd "$(dirname "$0")/.." || exit 2
JOBS=${JOBS:-2}
# Seconds per test program (the longest takes about a minute): a fault may leave a window waiting,
# or crash a test program, whose crash dialog then waits.
TIMEOUT=180

files=() edits=() whats=()
fault() { files+=("$1"); edits+=("$2"); whats+=("$3"); }

fault package/loader.cpp '/if (packageEnd < length) return LoadResult::LengthBeyondFile;/d' \
    'size check removed: a stored length beyond the file no longer ends silently'
fault package/package_text.cpp 's/list.back().size()) + 2;/list.back().size()) + 1;/' \
    'off by one: each text line counts one byte for its line break, so files start too early'
fault package/line_reader.cpp 's/if (Fill() && buffer_\[position_\]/if (position_ < filled_ \&\& buffer_[position_]/' \
    'a CR LF split across two buffer fills leaves the LF at the start of the next line'
fault runtime/integer.cpp 's/if (value > limit) return std::nullopt;/if (value >= limit) return std::nullopt;/' \
    'comparison flipped: 2147483647 and $FFFFFFFF are no longer numbers'
fault engine/placeholders.cpp 's/if (letters == "WINDIR") return Token::Windows;/if (letters == "WINDIR") return Token::System;/' \
    '%WinDir% expands to the system folder'
fault engine/extraction.cpp '/SetFileAttributesA(target.c_str()/d' \
    'call dropped: installed files never get their attributes (read-only, hidden)'
fault engine/extraction.cpp 's/if (!ShowDue(run) \&\& !last) return;/if (!ShowDue(run)) return;/' \
    'the last file is shown only when due: the page may end with an old name and a short bar'
fault engine/extraction.cpp '/    if (ShowDue(run)) run.view.ProcessMessages();/d' \
    'call dropped: inside a large file the window never answers, Cancel included'
fault engine/extraction.cpp '/        DeleteFileA(target.c_str());/d' \
    'call dropped: a file the user stopped half-way stays behind, looking installed'
fault package/loader.cpp '/if (layout.imageEnd != packageEnd - length) return LoadResult::Damaged;/d' \
    'check removed: a stored length a few bytes off loads'
fault engine/registry_writer.cpp 's/REG_BINARY, data)/REG_SZ, data)/' \
    'Binary registry values are written as strings'
fault engine/shortcuts.cpp 's/folder + "\\\\" + group/folder + group/' \
    'missing backslash: program menu links land beside the group folder, not in it'
fault engine/uninstall_text.cpp 's/setting::kUninstallSetting1)/setting::kUninstallSetting2)/' \
    'wrong setting line: Uninstall.ini takes its first uninstall setting from the second'
fault engine/uninstall_record.cpp 's|(bytes + 1023) / 1024|bytes / 1024|' \
    'the installed size is rounded down: 1025 bytes show as 1 KiB'
fault engine/install_run.cpp 's/if (!IsFlagOn(Setting(run.package, switchLine))) return;/if (IsFlagOn(Setting(run.package, switchLine))) return;/' \
    'flag inverted: registry, shortcut and uninstall steps run exactly when switched off'
fault wizard/navigation.cpp 's/if (step == 0 || step + 1u >= pages.size()) return {};/if (step + 1u >= pages.size()) return {};/' \
    'Back from the first page after the welcome page returns to the welcome page'
fault wizard/pages.cpp '/if (to == Page::Licence) form.NextButton->SetEnabled(false);/d' \
    'call dropped: Next works on the licence page before the licence is accepted'
fault wizard/summary.cpp 's/if (box->checked && box->visible) text +=/if (box->checked) text +=/' \
    'the summary lists ticked shortcut boxes that were never offered'
fault wizard/wizard_texts.cpp 's/" успешно завершена."/" успешно завершено."/' \
    'wrong text on the finish page'
fault background/ground_window.cpp 's/SetGradientColor2(StrToInt(s\[setting::kGradientColor2\]))/SetGradientColor2(StrToInt(s[setting::kGradientColor1]))/' \
    'wrong setting line: the background gradient ends in its first colour'
fault toolkit/gradient.cpp 's|\([rgb]1 + d[rgb]\) \* i / count|\1 * (i + 1) / count|g' \
    'off by one: each gradient band takes the colour of the next'
fault program/command_line.cpp 's/ && IsFullPath(line.folder);/;/' \
    'check removed: /S /D= takes a relative folder, so files go wherever setup was started from'
fault uninstaller/uninstall_plan.cpp 's/plan.ask = lines_\[3\] == "1";/plan.ask = lines_[3] != "1";/' \
    'flag inverted: the uninstaller asks before removing exactly when the record says not to'
fault program/startup.cpp '/^    RestrictDllSearch();$/d' \
    'call dropped: the setup program looks for DLLs beside itself, where anyone may have put one'
fault uninstaller/uninstall_main.cpp '/^    RestrictDllSearch();$/d' \
    'call dropped: the uninstaller looks for DLLs beside itself, where anyone may have put one'
# Trusted delivery and the package copy.
fault package/seal.cpp 's/ || (seal.kind != SealKind::None \&\& seal.checksum != checksum)//' \
    'check removed: a package changed after it was built installs as good'
fault codec/crc32.cpp 's/0x1C6E41596, 0x154442BD4/0x1C6E41596, 0x154442BD5/' \
    'wrong constant: the checksum of 128 bytes or more differs from the builder'"'"'s, and every package is refused'
fault runtime/file.cpp 's/GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ, nullptr, CREATE_NEW/GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, CREATE_NEW/' \
    'sharing: another program may rewrite the package copy between the check and the install'
# Data encodings, byte order, and the case and spelling of names.
fault engine/registry_writer.cpp 's/static_cast<char>(number >> 8), static_cast<char>(number >> 16)/static_cast<char>(number >> 16), static_cast<char>(number >> 8)/' \
    'byte order: a DWORD value is stored with its middle bytes swapped ($12345678 as $12563478)'
fault engine/registry_writer.cpp 's/REG_SZ, data + .\\0.)/REG_SZ, data)/' \
    'terminator dropped: String values are stored without their zero'
fault engine/registry_writer.cpp 's/REG_BINARY, data)/REG_BINARY, data + std::string(1, 0))/' \
    'a zero appended: Binary values get one byte more than their data'
fault package/length_trailer.h 's/static_cast<char>((bits >> 16) & 0xFF), static_cast<char>(bits >> 24)/static_cast<char>(bits >> 24), static_cast<char>((bits >> 16) \& 0xFF)/' \
    'byte order: the length trailer'"'"'s high bytes swapped, so a package over 64 KiB does not load'
fault package/shifted_text.cpp 's/"\\x8D\\x8A\\x9A"/"\\x8D\\x9A"/' \
    'a licence holding Љ is built, and its letter becomes a line break'
fault runtime/integer.cpp '/if (c >= .a. && c <= .f.) return c - .a. + 10;/d' \
    'case of hexadecimal digits: $ff is no longer a number, only $FF'
fault package/safe_path.cpp 's/ || c == .\/.;/;/' \
    'slashes: "a/../../b" is one name to the check, and leaves the install folder'
fault package/safe_path.cpp 's/base += UpperAscii(c);/base += c;/' \
    'case of names: nul.txt and Com1.log are no longer device names'
fault package/safe_path.cpp '/while (!base.empty() && base.back() == . .) base.pop_back();/d' \
    'blanks: "aux .txt" is no longer a device name'
fault tools/description.cpp 's/identity += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));/identity += c;/' \
    'case of names: a package listing uninstall.exe beside the added uninstaller is built'
fault tools/description.cpp 's/part.back() == .\.. || //' \
    'spelling: a package listing Uninstall.exe. (the system drops the dot) beside the added uninstaller is built'
fault tools/description.cpp 's/if (field == &r.root && !IsOneOf(r.root, kRegistryRootNames))/if (field == \&r.root \&\& r.root.empty())/' \
    'case of names: a root hkey_current_user is built, and the setup program ends at it'
fault tools/description.cpp 's/if (field == &r.type && !r.type.empty() && !IsOneOf(r.type, kRegistryTypeNames))/if (false)/' \
    'case of names: type = dword is built, and the setup program writes no value'

die() { echo "mutants: $*" >&2; exit 2; }

# Fault n's edit must change one line of its file, and the file must be as committed.
check() {
    local n=$1 file=${files[$1 - 1]} removed added
    [ -f "$file" ] || die "fault $n: $file does not exist"
    git diff --quiet HEAD -- "$file" || die "fault $n: $file has uncommitted changes; commit or stash them first"
    removed=$(diff "$file" <(sed "${edits[n - 1]}" "$file") | grep -c '^<')
    added=$(diff "$file" <(sed "${edits[n - 1]}" "$file") | grep -c '^>')
    [ "$removed" = 1 ] && [ "$added" -le 1 ] ||
        die "fault $n: '${edits[n - 1]}' changes $removed lines of $file instead of one (has the code moved?)"
}

list() {
    local n
    for ((n = 1; n <= ${#files[@]}; n++)); do printf '%2d  %-32s %s\n' "$n" "${files[n - 1]}" "${whats[n - 1]}"; done
}

windows_tree=$(scripts/windows-tree.sh)

# Builds what the sources need and runs the suite, host tests first; returns 0 when it passes, 1
# when a test fails and 2 when the sources do not build.
suite() {
    cmake --build build/host -j"$JOBS" || return 2
    ctest --test-dir build/host --output-on-failure --stop-on-failure --timeout $TIMEOUT || return 1
    cmake --build "$windows_tree" -j"$JOBS" || return 2
    scripts/windows-tests.sh "$windows_tree" --stop-on-failure --timeout $TIMEOUT || return 1
}

# The test programs that failed, as ctest summarised them in a log, with the way they ended unless
# that was an ordinary failure: "engine_tests (Timeout)".
failed_tests() {
    sed -n '/The following tests FAILED:/,$p' "$1" | grep -oE '[0-9]+ - [A-Za-z0-9_]+( \([^)]*\))?' |
        sed -E 's/^[0-9]+ - //; s/ \(Failed\)$//' | paste -sd' '
}

planted=
restore() {
    if [ -n "$planted" ]; then
        git checkout -- "$planted"
        planted=
    fi
}
interrupted() {
    restore
    # The Wine servers of the sessions stay up when their tests are cut short.
    (set +u && source "$windows_tree/wine-env" && for i in 0 1; do
        use_wine_session $i && "$WINESERVER" -k; done) 2>/dev/null
    echo "mutants: interrupted; the sources are restored, the build trees may hold a fault: make build" >&2
    exit 130
}
trap restore EXIT
trap interrupted INT TERM

if [ "${1:-}" = --list ]; then
    list
    for ((n = 1; n <= ${#files[@]}; n++)); do check "$n"; done
    exit 0
fi
selected=("$@")
if [ ${#selected[@]} = 0 ]; then
    for ((n = 1; n <= ${#files[@]}; n++)); do selected+=("$n"); done
fi
for n in "${selected[@]}"; do
    [[ $n =~ ^[0-9]+$ ]] && ((n >= 1 && n <= ${#files[@]})) || die "no fault $n (there are ${#files[@]}; see --list)"
    check "$n"
done

logs=build/mutants
mkdir -p "$logs"
echo "building and running the untouched suite (log: $logs/baseline.log)"
make build >"$logs/baseline.log" 2>&1 || die "make build failed; see $logs/baseline.log"
suite >>"$logs/baseline.log" 2>&1 || die "the suite fails without any fault; see $logs/baseline.log"

caught=0 missed=0
for n in "${selected[@]}"; do
    file=${files[n - 1]} log=$logs/$n.log
    planted=$file
    sed -i "${edits[n - 1]}" "$file"
    git diff -- "$file" >"$log"
    suite >>"$log" 2>&1
    result=$?
    restore
    case $result in
    0) verdict=MISSED by='' missed=$((missed + 1)) ;;
    1) verdict=caught by=" [$(failed_tests "$log")]" caught=$((caught + 1)) ;;
    *) die "fault $n does not build; see $log" ;;
    esac
    printf '%2d  %-6s  %-32s %s%s\n' "$n" "$verdict" "$file" "${whats[n - 1]}" "$by"
done
echo "caught $caught of $((caught + missed))"

# The trees get the restored sources back (mostly from the compiler cache).
echo "rebuilding the restored sources"
{ cmake --build build/host -j"$JOBS" && cmake --build "$windows_tree" -j"$JOBS"; } >"$logs/restore.log" 2>&1 ||
    die "rebuilding the restored sources failed; see $logs/restore.log"
echo "took $((SECONDS / 60)) min $((SECONDS % 60)) s"
[ $missed = 0 ]
