#!/usr/bin/env bash
# End to end under Wine and a virtual display: with the real paper editor window,
#   1. Add makes a die-cut label, "Save as new" installs it: the user source in the
#      driver folder's "3" subfolder holds its name, the compiled table (".lyt",
#      rebuilt, the name in UTF-16) and the paper data ("lty....bin") are rebuilt;
#   2. Edit and "Overwrite" change its width in place;
#   3. Edit and "Save as new" under another name store a copy beside it.
# Keys go to the windows through their mnemonics (there is no window manager).
# Saves out/gui/list-editing.png. Needs out/dist (scripts/dist) as the build left
# it; fails without.
set -u
here="$(cd "$(dirname "$0")" && pwd)"
failure_screen=list-editing-failure
. "$here/gui-lib.sh"
title="$(string IDS_APP_TITLE)"
new_title="$(string IDS_EDITOR_NEW)"
edit_title="$(string IDS_EDITOR_EDIT)"
logs="$(mktemp -d)"
trap 'rm -rf "$logs"; wineserver -k 2>/dev/null' EXIT

# Saves the editor $1 by key $2 and waits for it to close; a box of the main
# window's title on top means the editor refused or the install failed. A search
# that meets a window being destroyed can miss windows: only more than one box
# counts, and the editor counts as closed when three searches in a row miss it. An
# editor still open after 10 s with no box took no key (Wine drops the keys of a
# window it has not activated yet): the key goes again.
save_editor() {
    local editor=$1 key=$2 label=$3
    local i misses=0
    keys "$editor" "$key"
    for i in $(seq 450); do
        [ "$(windows_titled "$title")" -le 1 ] || die "$label: a message box is open"
        if [ -z "$(xdotool search --name "^$4\$" 2>/dev/null)" ]; then
            misses=$((misses + 1))
            [ "$misses" -ge 3 ] && return 0
        else
            misses=0
            [ $((i % 50)) -eq 0 ] && keys "$editor" "$key"
        fi
        sleep 0.2
    done
    die "$label: the editor is still open after 90 s"
}
# True when file $1 holds text $2 as UTF-16LE.
has_utf16() {
    python3 -c 'import sys; sys.exit(0 if sys.argv[2].encode("utf-16-le") in open(sys.argv[1], "rb").read() else 1)' "$1" "$2"
}
# The value of key $3 in the section of file $1 whose szPaperName_mm is $2.
paper_value() {
    tr -d '\r' <"$1" | awk -F= -v name="$2" -v key="$3" '
        /^\[/ { inside = 0 }
        $1 == "szPaperName_mm" { inside = ($2 == name) }
        inside && $1 == key { print $2; exit }'
}
# How many papers of file $1 have the millimetre name $2.
name_count() { tr -d '\r' <"$1" | grep -cxF "szPaperName_mm=$2"; }

# The display and the prefix; the user source starts as shipped, so every run
# adds to the same table.
start_prefix "$logs/setup.log" --fresh
cp "$root/out/dist/driver/kvx510ed.txt" "$driver/kvx510ed.txt"
source_file="$driver/kvx510ed.txt"
table="$driver/kvx510ed.lyt"
code() { sed -n "s/^$1=0x\(..\).*/\1/p" "$source_file" | tr -d '\r' | head -n 1; }
paper_data="$driver/lty$(code byModelCode)$(code bySeriesCode).bin"
marker="$logs/marker"

wine "$program" "Ostrel LM-510" /m >"$logs/velkor.log" 2>&1 </dev/null &
main="$(wait_window "$title" 60)" || die "no window titled \"$title\""
sleep 1
[ "$(windows_titled "$title")" -eq 1 ] || die "velkor opened with a message box"
echo "ok: main window is up"

# 1. Add a die-cut label.
name="GUI label 50x30"
touch "$marker"
sleep 1
keys "$main" alt+a
editor="$(wait_window "$new_title" 30)" || die "Add did not open \"$new_title\""
xdotool windowfocus "$editor" 2>/dev/null
fill_label "$name"
save_editor "$editor" alt+s "add" "$new_title"
[ "$(name_count "$source_file" "$name")" -eq 1 ] || die "add: \"$name\" is not in $source_file"
[ "$(paper_value "$source_file" "$name" nPaperWidth)" = 500 ] || die "add: width is not 500"
[ "$table" -nt "$marker" ] || die "add: kvx510ed.lyt was not rebuilt"
has_utf16 "$table" "$name" || die "add: kvx510ed.lyt does not hold \"$name\""
[ "$paper_data" -nt "$marker" ] || die "add: $(basename "$paper_data") was not rebuilt"
echo "ok: added \"$name\"; source, table and paper data installed"
sleep 1
import -window root "$shots/list-editing.png" && echo "ok: out/gui/list-editing.png saved"

# 2. Edit it (it is selected) and overwrite with another width.
touch "$marker"
sleep 1
keys "$main" alt+e
editor="$(wait_window "$edit_title" 30)" || die "Edit did not open \"$edit_title\""
xdotool windowfocus "$editor" 2>/dev/null
field alt+w "60.0"
save_editor "$editor" alt+o "overwrite" "$edit_title"
[ "$(name_count "$source_file" "$name")" -eq 1 ] || die "overwrite: \"$name\" is not there once"
[ "$(paper_value "$source_file" "$name" nPaperWidth)" = 600 ] || die "overwrite: width is not 600"
[ "$table" -nt "$marker" ] || die "overwrite: kvx510ed.lyt was not rebuilt"
echo "ok: overwrote \"$name\" with width 60.0 mm"

# 3. Edit it again and store a copy as new.
copy="$name copy"
touch "$marker"
sleep 1
keys "$main" alt+e
editor="$(wait_window "$edit_title" 30)" || die "Edit did not open \"$edit_title\" again"
xdotool windowfocus "$editor" 2>/dev/null
field alt+n "$copy"
save_editor "$editor" alt+s "copy" "$edit_title"
[ "$(name_count "$source_file" "$name")" -eq 1 ] || die "copy: the original is not there once"
[ "$(name_count "$source_file" "$copy")" -eq 1 ] || die "copy: \"$copy\" is not in $source_file"
[ "$(paper_value "$source_file" "$copy" nPaperWidth)" = 600 ] || die "copy: width is not 600"
has_utf16 "$table" "$copy" || die "copy: kvx510ed.lyt does not hold \"$copy\""
[ "$paper_data" -nt "$marker" ] || die "copy: the paper data was not rebuilt"
echo "ok: stored \"$copy\" as a new paper"
import -window root "$shots/list-editing.png"
exit 0
