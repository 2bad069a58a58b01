#!/usr/bin/env bash
# Runs a command inside one Wine session of a build tree: a virtual X display, the tree's Wine
# prefix (made on first use) and one persistent wineserver, so that each program started by the
# command does not pay Wine's start-up.
#   scripts/wine-session.sh BUILD_TREE COMMAND...
# With WINE_SESSION_ON_DISPLAY=1 and DISPLAY set, the session uses that display instead.
set -euo pipefail
tree=$(cd "$1" && pwd); shift
export WINEPREFIX=$tree/wineprefix WINEARCH=win64 WINEDEBUG=-all
export WINEDLLOVERRIDES='mscoree=;mshtml=;winemenubuilder.exe=d' LANG=ru_RU.UTF-8 LC_ALL=ru_RU.UTF-8
wineserver=/usr/lib/wine/wineserver64
[ -x "$wineserver" ] || wineserver=$(command -v wineserver)

run() {
    if [ ! -f "$WINEPREFIX/system.reg" ]; then
        echo "wine: creating the prefix $WINEPREFIX"
        /usr/lib/wine/wine64 wineboot --init >/dev/null 2>&1
        "$wineserver" -w
    fi
    # Every program draws inside one virtual desktop of a fixed size, so centring and maximising
    # give the same rectangles on every machine, and no window waits for a window manager.
    if [ ! -f "$WINEPREFIX/.virtual-desktop" ]; then
        /usr/lib/wine/wine64 reg add 'HKCU\Software\Wine\Explorer' /v Desktop /d Default /f >/dev/null 2>&1
        /usr/lib/wine/wine64 reg add 'HKCU\Software\Wine\Explorer\Desktops' /v Default /d 1024x768 /f >/dev/null 2>&1
        "$wineserver" -w
        touch "$WINEPREFIX/.virtual-desktop"
    fi
    "$wineserver" -p 2>/dev/null || true  # one may already serve this prefix
    # Wine's background services start with the first program and keep its output streams open;
    # start them here, away from the streams of the command (ctest waits for those to close).
    /usr/lib/wine/wine64 wineboot >/dev/null 2>&1 </dev/null
    set +e
    "$@"
    local rc=$?
    "$wineserver" -k 2>/dev/null
    "$wineserver" -w 2>/dev/null
    return $rc
}

if [ -n "${WINE_SESSION_INNER:-}" ]; then
    run "$@"
elif [ -n "${WINE_SESSION_ON_DISPLAY:-}" ] && [ -n "${DISPLAY:-}" ]; then
    # On the user's own display, for the demo.
    export WINE_SESSION_INNER=1
    run "$@"
else
    export WINE_SESSION_INNER=1
    exec xvfb-run -a -s "-screen 0 1024x768x24" "$0" "$tree" "$@"
fi
