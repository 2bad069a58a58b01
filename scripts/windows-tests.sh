#!/usr/bin/env bash
# Runs the Windows tests of a build tree under Wine, two at a time, each in a session of its own
# (prefix and screen; see scripts/wine-session.sh), and says which program they ran at the start
# and at the end. The tests write only inside the tree: anything that appears in the home folder or
# /tmp meanwhile fails the run, named.
#   scripts/windows-tests.sh BUILD_TREE [CTEST_ARGUMENTS...]
set -uo pipefail
cd "$(dirname "$0")/.."
tree=$1; shift
case $tree in
    build/win32) what="32-bit program under test" ;;
    *) what="64-bit twin under test (this machine cannot run 32-bit programs)" ;;
esac
echo "$what"
rm -rf "$tree/tmp"  # the temporary files of a run that was stopped (see the tree's wine-env)
before=$(scripts/files-outside-tree.sh | sort)
scripts/wine-session.sh --sessions 2 "$tree" ctest --test-dir "$tree" --output-on-failure -j2 \
    --resource-spec-file "$PWD/$tree/wine-sessions.json" "$@"
rc=$?
# Not the tests': the virtual display's lock, which X keeps in /tmp whatever TMPDIR says, and the
# compiler's temporary files (ccXXXXXX.s, ccXXXXXX.ltrans.out) of a build running beside the tests.
not_ours='^/tmp/(\.X[0-9]+-lock|\.X11-unix|cc[[:alnum:]]{6}(\.[[:alnum:]_.]+)?)$'
appeared=$(comm -13 <(echo "$before") <(scripts/files-outside-tree.sh | sort) | grep -Ev "$not_ours")
if [ -n "$appeared" ]; then
    echo "the Windows tests wrote outside $tree:"
    sed 's/^/  /' <<<"$appeared"
    rc=1
fi
echo "$what"
exit $rc
