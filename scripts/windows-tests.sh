#!/usr/bin/env bash
# Runs the Windows tests of a build tree under Wine, two at a time, each in a session of its own
# (prefix and screen; see scripts/wine-session.sh), and says which program they ran at the start
# and at the end.
#   scripts/windows-tests.sh BUILD_TREE [CTEST_ARGUMENTS...]
set -uo pipefail
cd "$(dirname "$0")/.."
tree=$1; shift
case $tree in
    build/win32) what="32-bit program under test" ;;
    *) what="64-bit twin under test (this machine cannot run 32-bit programs)" ;;
esac
echo "$what"
scripts/wine-session.sh --sessions 2 "$tree" ctest --test-dir "$tree" --output-on-failure -j2 \
    --resource-spec-file "$PWD/$tree/wine-sessions.json" "$@"
rc=$?
echo "$what"
exit $rc
