#!/usr/bin/env bash
# Runs a command inside Wine sessions of a build tree: a virtual X display, the tree's Wine prefix
# (made on first use) and one persistent wineserver, so that each program started by the command
# does not pay Wine's start-up.
#   scripts/wine-session.sh [--sessions N] BUILD_TREE COMMAND...
# With --sessions N there are N sessions, each with its own prefix and its own screen of the
# display (see the tree's wine-env), and $BUILD_TREE/wine-sessions.json describes them to
# ctest's resource file option: a test that asks for one "session" runs alone in the one it gets.
# With WINE_SESSION_ON_DISPLAY=1 and DISPLAY set, one session uses that display instead.
set -euo pipefail
sessions=1
if [ "$1" = --sessions ]; then sessions=$2; shift 2; fi
tree=$(cd "$1" && pwd); shift
# The tree's prefixes, architecture, loader and server, as its wine-run uses them, and the making
# of a prefix and the starting of its server.
source "$tree/wine-env"
run() {
    local i pids=() sessions_json=
    for ((i = 0; i < sessions; i++)); do
        (use_wine_session $i && make_wine_prefix) &
        pids+=($!)
    done
    for i in "${pids[@]}"; do wait "$i"; done
    for ((i = 0; i < sessions; i++)); do
        (use_wine_session $i && start_wine_server)
        sessions_json+="${sessions_json:+,}{\"id\":\"$i\",\"slots\":1}"
    done
    echo "{\"version\":{\"major\":1,\"minor\":0},\"local\":[{\"session\":[$sessions_json]}]}" >"$tree/wine-sessions.json"
    set +e
    "$@"
    local rc=$?
    for ((i = 0; i < sessions; i++)); do (use_wine_session $i && stop_wine_server); done
    return $rc
}

if [ -n "${WINE_SESSION_INNER:-}" ]; then
    run "$@"
elif [ -n "${WINE_SESSION_ON_DISPLAY:-}" ] && [ -n "${DISPLAY:-}" ]; then
    # On the user's own display, for the demo.
    export WINE_SESSION_INNER=1
    sessions=1
    run "$@"
else
    export WINE_SESSION_INNER=1
    screens=
    for ((i = 0; i < sessions; i++)); do screens+=" -screen $i 1024x768x24"; done
    exec xvfb-run -a -s "$screens" "$0" --sessions "$sessions" "$tree" "$@"
fi
