#!/usr/bin/env bash
# The history under Wine and a virtual display: in velkor's main window,
#   1. Add makes a user paper in the real editor, and Delete removes it again (the
#      question answered Yes);
#   2. History... opens the history dialog, whose line 0 is that delete and line 1
#      the add;
#   3. Restore (the question answered Yes) brings the paper back: the main window
#      lists it again, the driver folder holds the source text, compiled table and
#      paper data of before the delete byte for byte, and the dialog's line 0 is now
#      the restore, kept in its turn.
# Buttons are clicked with the mouse, editor fields reached through their mnemonics
# (there is no window manager, and a window whose focused button was disabled takes
# no mnemonic).
# Saves docs/history.png (the dialog after the restore); on failure, the screen goes
# to out/gui/.
#
#   history_gui_test.sh <main_window_probe.exe>
# Needs out/dist (scripts/dist) and scripts/wine-setup; fails when the stage is not
# the build's.
set -u
here="$(cd "$(dirname "$0")" && pwd)"
probe_exe="${1:-}"
failure_screen=history-failure
. "$here/gui-lib.sh"
title="$(string IDS_APP_TITLE)"
history_title="$(dialog_text T_HI_CAPTION)"
logs="$(mktemp -d)"
trap 'rm -rf "$logs"; wineserver -k 2>/dev/null' EXIT

[ -f "$probe_exe" ] || die "main_window_probe.exe not found (argument: \"$probe_exe\")"
[ -n "$history_title" ] || die "no T_HI_CAPTION in src/resources/lang/en/dialog_texts.h"

# Runs the probe on the windows titled $1; its output (CR removed) goes to
# $logs/probe.out.
probe() {
    local window_title=$1
    shift
    wine "$probe_exe" "$window_title" "$@" >"$logs/probe.raw" 2>"$logs/probe.err" </dev/null
    local status=$?
    tr -d '\r' <"$logs/probe.raw" >"$logs/probe.out"
    return $status
}
value() { sed -n "s/^$1=//p" "$logs/probe.out" | head -n 1; }
lines() { sed -n 's/^line=//p' "$logs/probe.out"; }
# Clicks the middle of control $2 of the window titled $1.
click() {
    probe "$1" rect "$2" || die "no control $2 in the window \"$1\""
    xdotool mousemove $((($(value left) + $(value right)) / 2)) \
        $((($(value top) + $(value bottom)) / 2)) click 1
}
# Answers the box of the application's title with its default button, Yes for a
# question ($1: what it is for).
answer_box() {
    local box
    for _ in $(seq 50); do
        probe "$title" box && grep -q '^text=' "$logs/probe.out" && break
        sleep 0.2
    done
    probe "$title" box || die "$1: no question box"
    grep '^text=' "$logs/probe.out" | sed 's/^/    /'
    box="$(xdotool search --onlyvisible --name "^$title\$" 2>/dev/null | grep -vx "$main" | head -n 1)"
    [ -n "$box" ] || die "$1: the question box has no X window"
    keys "$box" Return
}
# Waits up to 90 s for the main window to list $1 papers.
wait_count() {
    for _ in $(seq 450); do
        probe "$title" show && [ "$(value count)" = "$1" ] && return 0
        sleep 0.2
    done
    return 1
}

# The display and the prefix; the user source starts as shipped, with no history.
start_prefix "$logs/setup.log" --fresh
cp "$root/out/dist/driver/kvx510ed.txt" "$driver/kvx510ed.txt"
rm -rf "$driver/history"
source_file="$driver/kvx510ed.txt"
code() { sed -n "s/^$1=0x\(..\).*/\1/p" "$source_file" | tr -d '\r' | head -n 1; }
set_files=("$source_file" "$driver/kvx510ed.lyt" "$driver/lty$(code byModelCode)$(code bySeriesCode).bin")
builtin="$root/family/data/kvx510ad.txt"
total=$("$here/paper_lines.py" names mm "$builtin" "$source_file" | wc -l)

wine "$program" "Ostrel LM-510" /m >"$logs/velkor.log" 2>&1 </dev/null &
velkor=$!
probe "$title" wait 60 || { cat "$logs/velkor.log"; die "no main window within 60 s"; }
main="$(xdotool search --onlyvisible --name "^$title\$" 2>/dev/null | head -n 1)"
sleep 0.5
echo "ok: main window is up with $total papers"

# 1. Add a die-cut label, then delete it.
name="GUI history 50x30"
new_title="$(string IDS_EDITOR_NEW)"
click "$title" 1001
editor="$(wait_window "$new_title" 30)" || die "Add did not open \"$new_title\""
xdotool windowfocus "$editor" 2>/dev/null
fill_label "$name"
click "$new_title" 1  # Save as new
total=$((total + 1))
wait_count "$total" || die "the list does not show $total papers after the add"
"$here/paper_lines.py" names mm "$builtin" "$source_file" >"$logs/expected"
line=$(($(grep -nxF "$name" "$logs/expected" | cut -d: -f1) - 1))
[ "$line" -ge 0 ] || die "\"$name\" is not in the installed source after the add"
mkdir "$logs/before"
for file in "${set_files[@]}"; do
    [ -f "$file" ] || die "$(basename "$file") is not installed in the driver folder"
    cp "$file" "$logs/before/"
done
echo "ok: added \"$name\""

probe "$title" select "$line" >/dev/null
[ "$(value selected)" = "$line" ] || die "line $line (\"$name\") was not selected"
click "$title" 1003
answer_box "delete"
wait_count $((total - 1)) || die "the list does not show $((total - 1)) papers after the delete"
lines | grep -qxF "$name" && die "\"$name\" is still listed after the delete"
cmp -s "$source_file" "$logs/before/kvx510ed.txt" && die "the delete left the source text as it was"
echo "ok: deleted \"$name\""

# 2. The history shows the delete.
click "$title" 1016
dialog="$(wait_window "$history_title" 30)" || die "History... opened no \"$history_title\""
sleep 0.5
probe "$history_title" list 1601 || die "the history dialog has no list 1601"
lines | sed 's/^/    /'
[ "$(value count)" = 2 ] || die "the history lists $(value count) entries, not 2"
lines | head -n 1 | grep -qF "$(string IDS_HISTORY_DELETED | sed "s/%s/$name/")" ||
    die "line 0 of the history is not the delete of \"$name\""
lines | sed -n 2p | grep -qF "$(string IDS_HISTORY_ADDED | sed "s/%s/$name/")" ||
    die "line 1 of the history is not the add of \"$name\""
[ "$(value selected)" = 0 ] || die "line 0 of the history is not selected"
echo "ok: the history lists the delete"

# 3. Restore it.
click "$history_title" 1602
answer_box "restore"
wait_count "$total" || die "the list does not show $total papers after the restore"
lines >"$logs/shown"
diff -u "$logs/expected" "$logs/shown" || die "the list after the restore differs (- expected, + shown)"
for file in "${set_files[@]}"; do
    cmp "$logs/before/$(basename "$file")" "$file" ||
        die "$(basename "$file") is not the one from before the delete"
done
echo "ok: \"$name\" is back; source text, table and paper data as before, byte for byte"
for _ in $(seq 25); do
    probe "$history_title" list 1601 && [ "$(value count)" = 3 ] && break
    sleep 0.2
done
lines | sed 's/^/    /'
[ "$(value count)" = 3 ] || die "the history lists $(value count) entries after the restore, not 3"
[ "$(value selected)" = 0 ] || die "line 0 of the history is not selected after the restore"
restored="$(string IDS_HISTORY_RESTORED | sed 's/%s.*//')"
lines | head -n 1 | grep -qF "$restored" || die "line 0 of the history is not the restore"
lines | sed -n 2p | grep -qF "'$name'" || die "line 1 of the history is not the delete"
echo "ok: the restore is kept in its turn"
sleep 0.5
import -window "$dialog" "$root/docs/history.png" && echo "ok: docs/history.png saved"

click "$history_title" 2  # Close
for _ in $(seq 50); do
    [ -z "$(xdotool search --onlyvisible --name "^$history_title\$" 2>/dev/null)" ] && break
    sleep 0.2
done
# Close, and the note that the paper formats were changed.
probe "$title" close || die "no main window to close"
answer_box "the note on closing"
grep -qxF "text=$(string IDS_CHANGED_NOTICE)" "$logs/probe.out" || die "closing showed no note of the change"
wait_exit "$velkor" 20 || die "velkor did not end after Close"
exit 0
