#!/usr/bin/env bash
# The main window of every model under Wine and a virtual display:
#   1. for each demo queue velkor's main window opens, lists the model's built-in
#      papers followed by the user's (millimetre or inch names by the unit switch),
#      shows the details of line 0 and, after a selection, of the selected paper;
#   2. from a program folder without the compiler, or without the converter, velkor
#      shows message 1101 in a box with the application title and ends on Enter;
#   3. the split button's arrow zone opens a menu without the button's own command.
# Saves out/gui/split-button-menu.png; on failure, the screen goes to out/gui/ too.
#
#   models_gui_test.sh <main_window_probe.exe>
# Needs out/dist (scripts/dist) as the build left it; fails without.
set -u
here="$(cd "$(dirname "$0")" && pwd)"
probe_exe="${1:-}"
. "$here/gui-lib.sh"
title="$(string IDS_APP_TITLE)"
files_missing="$(string IDS_FILES_MISSING)"
logs="$(mktemp -d)"
failures=0
trap 'rm -rf "$logs"; wineserver -k 2>/dev/null' EXIT

fail() {
    echo "FAIL: $*"
    failures=$((failures + 1))
    save_screen "models-failure-$failures"
}
die() {
    fail "$@"
    exit 1
}
[ -f "$probe_exe" ] || die "main_window_probe.exe not found (argument: \"$probe_exe\")"
# The prefix is set up from the build tree the probe belongs to, unless told otherwise.
VELKOR_WINDOWS_BUILD="${VELKOR_WINDOWS_BUILD:-$(cd "$(dirname "$probe_exe")/../../.." && pwd)}"
export VELKOR_WINDOWS_BUILD

# Runs the probe on the window titled $title; its output (CR removed) goes to
# $logs/probe.out, and is printed.
probe() {
    wine "$probe_exe" "$title" "$@" >"$logs/probe.raw" 2>"$logs/probe.err" </dev/null
    local status=$?
    tr -d '\r' <"$logs/probe.raw" >"$logs/probe.out"
    cat "$logs/probe.out"
    [ $status -eq 0 ] || sed 's/^/    probe: /' "$logs/probe.err" >&2
    return $status
}
value() { sed -n "s/^$1=//p" "$logs/probe.out" | head -n 1; }
# Compares file $2 (what the window shows) with file $1 (what it should show).
same() {
    diff -u "$1" "$2" >"$logs/diff" && return 0
    sed 's/^/    /' "$logs/diff"
    return 1
}
# Ends velkor (process $1) with its Close button.
close_main() {
    probe close >/dev/null || fail "$2: no main window to close"
    wait_exit "$1" 20 || { fail "$2: velkor did not end after Close"; wineserver -k 2>/dev/null; }
}

# Opens the split button's menu with a click on the arrow zone, checks and saves it.
check_split_button() {
    local left top right bottom wl wt wr ml mt mr mb item
    probe rect 1014 >/dev/null || { fail "split button 1014 not found"; return; }
    left=$(value left) top=$(value top) right=$(value right) bottom=$(value bottom)
    probe rect 0 >/dev/null
    wl=$(value left) wt=$(value top) wr=$(value right)
    # The middle of the 16-pixel arrow zone on the right.
    xdotool mousemove $((right - 8)) $(((top + bottom) / 2)) click 1
    for _ in $(seq 60); do probe menu >/dev/null 2>&1 && break; sleep 0.3; done
    if ! probe menu >/dev/null; then
        fail "a click on the arrow zone opened no menu"
        xdotool key Escape
        return
    fi
    ml=$(value left) mt=$(value top) mr=$(value right) mb=$(value bottom)
    item=$(value item_height)
    echo "ok: the menu is open at $ml,$mt ($((mr - ml))x$((mb - mt)); button $left,$top-$right,$bottom)"
    [ "$ml" -eq "$left" ] && [ "$mt" -eq "$bottom" ] ||
        fail "the menu is not at the button's bottom-left corner"
    # One item (the button's own command left out) and the menu's frame.
    [ $((mb - mt)) -lt $((2 * item)) ] ||
        fail "the menu is $((mb - mt)) pixels high: more than one item (item height $item)"
    sleep 0.5
    # The main window and the menu below it.
    local cr=$((mr > wr ? mr : wr))
    import -window root -crop "$((cr - wl + 1))x$((mb - wt + 1))+$wl+$wt" +repage \
        "$shots/split-button-menu.png" && echo "ok: out/gui/split-button-menu.png saved"
    xdotool key Escape
    for _ in $(seq 10); do
        probe menu >/dev/null 2>&1 || return 0
        sleep 0.3
    done
    # Without a window manager the key may miss the menu; a click beside it ends it.
    xdotool mousemove $((wl + 5)) $((wt + 5)) click 1
}

# The display and the prefix. Wine's desktop keeps the display it first opened, so
# the prefix starts afresh on ours.
start_prefix "$logs/setup.log" --fresh

# 1. Each model: queue, prefix, unit switch, unit name.
while read -r queue prefix switch unit; do
    queue="${queue//_/ }"
    label="$queue ($unit)"
    probe wait 0 >/dev/null 2>&1 && die "$label: a main window is still open from before"
    wine "$program" "$queue" "$switch" >"$logs/velkor.log" 2>&1 </dev/null &
    velkor=$!
    if ! probe wait 60 >/dev/null; then
        fail "$label: no main window within 60 s"
        cat "$logs/velkor.log"
        wineserver -k 2>/dev/null
        continue
    fi
    sleep 0.5

    builtin="$root/family/data/${prefix}ad.txt"
    "$here/paper_lines.py" names "$unit" "$builtin" "$driver/${prefix}ed.txt" >"$logs/expected"
    probe show >/dev/null
    sed -n 's/^line=//p' "$logs/probe.out" >"$logs/shown"
    if same "$logs/expected" "$logs/shown"; then
        echo "ok: $label lists its $(wc -l <"$logs/shown") papers"
    else
        fail "$label: the paper list differs from $(basename "$builtin") (- expected, + shown)"
    fi
    [ "$(value selected)" = 0 ] || fail "$label: line $(value selected) is selected at start, not 0"
    "$here/paper_lines.py" details "$unit" "$builtin" 0 >"$logs/expected"
    grep -E '^(width|length|energy)=' "$logs/probe.out" >"$logs/shown"
    same "$logs/expected" "$logs/shown" || fail "$label: details of line 0 (- expected, + shown)"

    if [ "$prefix" = kvx510 ]; then
        sleep 0.5
        check_split_button
    fi

    # The last built-in paper: a label, with a length of its own.
    last=$(($("$here/paper_lines.py" names "$unit" "$builtin" | wc -l) - 1))
    probe select "$last" >/dev/null
    [ "$(value selected)" = "$last" ] || fail "$label: line $last was not selected"
    "$here/paper_lines.py" details "$unit" "$builtin" "$last" >"$logs/expected"
    grep -E '^(width|length|energy)=' "$logs/probe.out" >"$logs/shown"
    if same "$logs/expected" "$logs/shown"; then
        echo "ok: $label shows $(tr '\n' ' ' <"$logs/shown")for line $last"
    else
        fail "$label: details of line $last (- expected, + shown)"
    fi
    close_main "$velkor" "$label"
done <<'EOF'
Ostrel_LM-510 kvx510 /m mm
Ostrel_LM-520 kvx520 /i inch
Ostrel_LM-610N kvx610 /m mm
Ostrel_LM-620N kvx620 /i inch
EOF

# 2. A program folder without one of the family's tools.
program_unix="$(winepath -u 'C:\Program Files\Mertavo' 2>/dev/null | tr -d '\r')"
for tool in kvx500pc.exe kvx500cv.exe; do
    folder='C:\Mertavo without tools'
    folder_unix="$(winepath -u "$folder" 2>/dev/null | tr -d '\r')"
    rm -rf "$folder_unix"
    mkdir -p "$folder_unix"
    cp -p "$program_unix"/* "$folder_unix/"
    rm -f "$folder_unix/$tool"
    wine "$folder\\velkor.exe" "Ostrel LM-510" /m >"$logs/velkor.log" 2>&1 </dev/null &
    velkor=$!
    if box="$(wait_window "$title" 60)"; then
        sleep 0.5
        probe box >/dev/null || fail "without $tool: the window titled \"$title\" is not a message box"
        if grep -qxF "text=$files_missing" "$logs/probe.out"; then
            echo "ok: without $tool the box says \"$files_missing\""
        else
            fail "without $tool: the box does not hold message 1101; it shows:"
            cat "$logs/probe.out"
        fi
        activate "$box"
        xdotool key Return
        if wait_exit "$velkor" 20; then
            echo "ok: without $tool velkor ended after Enter"
        else
            fail "without $tool: velkor did not end after Enter"
            probe wait 0 >/dev/null 2>&1 && echo "    (its main window is open)"
            wineserver -k 2>/dev/null
        fi
    else
        fail "without $tool: no window titled \"$title\" within 60 s"
        cat "$logs/velkor.log"
        wineserver -k 2>/dev/null
    fi
    rm -rf "$folder_unix"
done

exit $((failures > 0))
