#!/usr/bin/env bash
# End-to-end start-up of velkor under Wine and a virtual display:
#   1. started for the demo queue "Ostrel LM-510", the main window appears with the
#      application title (string 100);
#   2. a second start for the same model brings that window to the front and ends
#      without a window of its own;
#   3. started without an argument, it shows "Bad Arguments." in a box titled "Error".
# Saves out/gui/main-window.png. Needs out/dist (scripts/dist) as the build left it;
# fails without.
set -u
here="$(cd "$(dirname "$0")" && pwd)"
. "$here/gui-lib.sh"
title="$(string IDS_APP_TITLE)"
logs="$(mktemp -d)"
failures=0
trap 'rm -rf "$logs"' EXIT

fail() { echo "FAIL: $*"; failures=$((failures + 1)); }
start() {  # start <log> <args...>: velkor in the background, output to a file
    local log=$1
    shift
    wine "$program" "$@" >"$log" 2>&1 </dev/null &
    echo $!
}

# The display and the prefix with the demo queues and the program folder. Wine's
# desktop keeps the display it first opened, so the prefix starts afresh on ours.
start_prefix "$logs/setup.log" --fresh

# Wine quotes an argument holding a blank when it builds the command line.
first="$(start "$logs/first.log" "Ostrel LM-510")"
if window="$(wait_window "$title" 60)"; then
    echo "ok: a window \"$title\" is up"
    sleep 1
    # A message box (files missing, say) has the same caption; the main window is
    # the one with the paper list, much taller than any one-line box.
    height="$(xdotool getwindowgeometry "$window" 2>/dev/null | sed -n 's/.*Geometry: [0-9]*x\([0-9]*\).*/\1/p')"
    if [ "${height:-0}" -ge 220 ]; then
        echo "ok: it is the main window (height $height)"
    else
        fail "the window titled \"$title\" is not the main window (height ${height:-unknown})"
    fi
    mkdir -p "$root/out/gui"
    import -window root "$root/out/gui/main-window.png" && echo "ok: out/gui/main-window.png saved"

    # Second start for the same model: it ends by itself and opens no second window.
    xdotool windowminimize "$window" 2>/dev/null || true
    second="$(start "$logs/second.log" "Ostrel LM-510" /m)"
    if wait_exit "$second" 30; then
        echo "ok: the second instance ended"
    else
        fail "the second instance is still running"
        kill "$second" 2>/dev/null
    fi
    count="$(xdotool search --name "^$title\$" 2>/dev/null | wc -l)"
    [ "$count" -eq 1 ] || fail "$count windows titled \"$title\""
    active="$(xdotool getactivewindow 2>/dev/null || true)"
    [ "$active" = "$window" ] || echo "note: active window $active, expected $window (no window manager)"
    kill -0 "$first" 2>/dev/null || fail "the first instance ended"
else
    fail "no window titled \"$title\""
    cat "$logs/first.log"
fi

# No argument: the built-in box.
bad="$(start "$logs/bad.log")"
if box="$(wait_window "Error" 30)"; then
    echo "ok: \"Bad Arguments.\" box is up"
    xdotool key --window "$box" Return 2>/dev/null || true
    wait_exit "$bad" 30 || fail "the program did not end after the box"
else
    fail "no window titled \"Error\""
fi

wineserver -k 2>/dev/null || true  # this prefix's processes only
exit $((failures > 0))
