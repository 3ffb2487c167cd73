#!/usr/bin/env bash
# Screenshots of the paper editor for each kind and of the advanced dialog, into
# docs/. Runs advanced_screens.exe of a windows build under Wine on an Xvfb display.
#
#   take_screenshots.sh <windows build tree> [display, default :51]
# Honours VELKOR_WINEPREFIX (see scripts/wine-env).
set -eu
here="$(cd "$(dirname "$0")" && pwd)"
root="$(cd "$here/../../.." && pwd)"
build="$(cd "$1" && pwd)"
display="${2:-:51}"
exe="$build/tests/velkor/advanced/advanced_screens.exe"
dll="$build/src/resources/en/kvx500ct.dll"
[ -f "$exe" ] && [ -f "$dll" ] || { echo "build advanced_screens and kvx500ct first" >&2; exit 1; }
. "$root/scripts/wine-env"

xvfb_pid=""
if ! xdotool getdisplaygeometry --display "$display" >/dev/null 2>&1; then
    Xvfb "$display" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
    xvfb_pid=$!
    for _ in $(seq 50); do
        DISPLAY="$display" xdotool getdisplaygeometry >/dev/null 2>&1 && break
        sleep 0.1
    done
fi
export DISPLAY="$display"
cleanup() {
    wineserver -k 2>/dev/null || true  # this prefix's processes only
    [ -z "$xvfb_pid" ] || kill "$xvfb_pid" 2>/dev/null || true
}
trap cleanup EXIT
# Wine's desktop keeps the display it first opened on.
wineserver -k 2>/dev/null || true
velkor_wine_ready

# Waits for a top-level window named $1 and prints its id.
wait_window() {
    local id=""
    for _ in $(seq 60); do
        id="$(xdotool search --name "^$1\$" 2>/dev/null | tail -n 1 || true)"
        [ -n "$id" ] && { echo "$id"; return 0; }
        sleep 0.5
    done
    echo "window \"$1\" did not appear" >&2
    return 1
}

# Saves the screen region of window $1 to $2.
shoot() {
    sleep 1  # let it finish painting
    eval "$(xdotool getwindowgeometry --shell "$1")"
    import -window root -crop "${WIDTH}x${HEIGHT}+${X}+${Y}" +repage "$2"
    echo "saved $2"
}

log="$build/tests/velkor/advanced/screens.log"
for kind in roll label mark; do
    wine "$exe" "$(winepath -w "$dll" | tr -d '\r')" "$kind" >"$log" 2>&1 </dev/null &
    program=$!
    editor="$(wait_window "New Paper Format")"
    shoot "$editor" "$root/docs/editor-$kind.png"
    if [ "$kind" = label ]; then
        xdotool windowactivate --sync "$editor" 2>/dev/null || xdotool windowfocus --sync "$editor"
        xdotool key alt+a
        shoot "$(wait_window "Advanced Settings")" "$root/docs/advanced.png"
    fi
    wineserver -k 2>/dev/null || true
    wait "$program" || true
done
