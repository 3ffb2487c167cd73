#!/usr/bin/env bash
# The locale's decimal separator end to end under Wine and a virtual display: with
# the user's separator set to "," (HKCU\Control Panel\International sDecimal), Add
# opens the paper editor, whose width reads "50,0" before and takes "50,5" typed at
# the keyboard; the label beside it follows, the paper is saved, the main window's
# details read "50,5 mm", and the installed user source holds nPaperWidth=505.
#
#   decimal_separator_gui_test.sh <main_window_probe.exe>
#
# The language module is the one in $language_module (VELKOR_LANGUAGE_MODULE, a Unix
# path; default the staged one): it is put into the program folder for the run, and
# every window is found by the texts it holds, controls by their numbers, so a module
# of another language runs the same script. The separator, the user source and the
# module are put back afterwards. Needs out/dist (scripts/dist) and the test prefix;
# fails while the stage is missing or not the build's.
set -u
here="$(cd "$(dirname "$0")" && pwd)"
probe_exe="${1:-}"
failure_screen=decimal-separator-failure
. "$here/gui-lib.sh"
language_module="${VELKOR_LANGUAGE_MODULE:-$root/out/dist/program/kvx500ct.dll}"
logs="$(mktemp -d)"

[ -f "$probe_exe" ] || die "main_window_probe.exe not found (argument: \"$probe_exe\")"
[ -f "$language_module" ] || die "no language module at $language_module"
VELKOR_WINDOWS_BUILD="${VELKOR_WINDOWS_BUILD:-$(cd "$(dirname "$probe_exe")/../../.." && pwd)}"
export VELKOR_WINDOWS_BUILD

# Control and string numbers (src/resources/resource_ids.h).
IDS_APP_TITLE=100 IDS_EDITOR_NEW=201
MAIN_ADD=1001 MAIN_WIDTH=1007 ED_NAME=1011 ED_KIND=1054 ED_WIDTH=1017 ED_WIDTH_LABEL=1007
ED_LENGTH=1019 ED_GAP=1023 ED_RIGHT=1304 ED_TOP=1306 ED_LEFT=1305 ED_BOTTOM=1307

# Runs the probe on the window titled $1; its output (CR removed) is printed.
probe() {
    local window_title=$1
    shift
    wine "$probe_exe" "$window_title" "$@" >"$logs/probe.raw" 2>"$logs/probe.err" </dev/null
    local status=$?
    tr -d '\r' <"$logs/probe.raw"
    return $status
}
value() { sed -n "s/^$1=//p" | head -n 1; }
module_string() { probe - string "$(winepath -w "$language_module" 2>/dev/null | tr -d '\r')" "$1"; }
# Puts text $2 into control $1 of the editor by the keyboard: the focus moves there
# as a Tab would, selecting the text, and the keys replace it.
type_into() {
    probe "$new_title" focus "$1" >/dev/null || die "the editor has no control $1"
    sleep 0.1
    xdotool type --delay 40 "$2"
}
editor_text() { probe "$new_title" text "$1" | value text; }

start_prefix "$logs/setup.log"
program_dir="$(winepath -u 'C:\Program Files\Mertavo' 2>/dev/null | tr -d '\r')"
source_file="$driver/kvx510ed.txt"
international='HKCU\Control Panel\International'
old_decimal="$(wine reg query "$international" /v sDecimal 2>/dev/null | tr -d '\r' |
               sed -n 's/.*REG_SZ[[:space:]]*//p')"
cp -p "$program_dir/kvx500ct.dll" "$logs/kvx500ct.dll"
restore() {
    wineserver -k 2>/dev/null
    if [ -n "$old_decimal" ]; then
        wine reg add "$international" /v sDecimal /t REG_SZ /d "$old_decimal" /f >/dev/null 2>&1
    else
        wine reg delete "$international" /v sDecimal /f >/dev/null 2>&1
    fi
    cp -p "$logs/kvx500ct.dll" "$program_dir/kvx500ct.dll"
    cp "$root/out/dist/driver/kvx510ed.txt" "$source_file"
    wineserver -k 2>/dev/null
    rm -rf "$logs"
}
trap restore EXIT

wine reg add "$international" /v sDecimal /t REG_SZ /d "," /f >/dev/null 2>&1 ||
    die "cannot set the decimal separator"
cp "$language_module" "$program_dir/kvx500ct.dll"
cp "$root/out/dist/driver/kvx510ed.txt" "$source_file"
title="$(module_string $IDS_APP_TITLE)" || die "the module has no string $IDS_APP_TITLE"
new_title="$(module_string $IDS_EDITOR_NEW)" || die "the module has no string $IDS_EDITOR_NEW"

wine "$program" "Ostrel LM-510" /m >"$logs/velkor.log" 2>&1 </dev/null &
probe "$title" wait 60 >/dev/null || die "no window titled \"$title\""
[ "$(windows_titled "$title")" -eq 1 ] || die "velkor opened with a message box"
echo "ok: main window is up with \",\" as the decimal separator"

probe "$title" click $MAIN_ADD >/dev/null || die "no main window to press Add in"
editor="$(wait_window "$new_title" 30)" || die "Add did not open \"$new_title\""
xdotool windowfocus --sync "$editor" 2>/dev/null || xdotool windowfocus "$editor"
shown="$(editor_text $ED_WIDTH)"
case "$shown" in *,*) ;; *) die "the editor shows the width as \"$shown\", not with a comma" ;; esac
type_into $ED_NAME "GUI comma 50,5"
probe "$new_title" focus $ED_KIND >/dev/null && xdotool key --delay 60 Home Down
type_into $ED_WIDTH "50,5"
[ "$(editor_text $ED_WIDTH)" = "50,5" ] || die "the width field holds \"$(editor_text $ED_WIDTH)\""
[ "$(editor_text $ED_WIDTH_LABEL)" = "50,5 mm" ] ||
    die "the width label reads \"$(editor_text $ED_WIDTH_LABEL)\""
type_into $ED_WIDTH "5."  # the point is not the separator: refused at once
[ "$(editor_text $ED_WIDTH)" = "5" ] || die "a typed point was taken: \"$(editor_text $ED_WIDTH)\""
type_into $ED_WIDTH "50,5"
for field in $ED_LENGTH:30,0 $ED_GAP:3,0 $ED_TOP:3,0 $ED_BOTTOM:3,0 $ED_LEFT:3,0 $ED_RIGHT:2,5; do
    type_into "${field%%:*}" "${field#*:}"
done
echo "ok: the editor shows and takes \"50,5\""
xdotool key Return
# A search that meets a window being destroyed can miss windows: only more than one
# window of velkor's title means a box.
for _ in $(seq 450); do
    [ "$(windows_titled "$title")" -le 1 ] || die "a message box is open after saving"
    [ -z "$(xdotool search --onlyvisible --name "^$new_title\$" 2>/dev/null)" ] && break
    sleep 0.2
done
[ -z "$(xdotool search --onlyvisible --name "^$new_title\$" 2>/dev/null)" ] ||
    die "the editor is still open after 90 s"

details="$(probe "$title" show)" || die "no main window after saving"
width="$(echo "$details" | value width)"
[ "$width" = "50,5 mm" ] || die "the main window shows the width as \"$width\""
echo "ok: the main window's details read \"$width\""
stored="$(tr -d '\r' <"$source_file" | awk -F= '
    $1 == "szPaperName_mm" { inside = ($2 == "GUI comma 50,5") }
    inside && $1 == "nPaperWidth" { print $2; exit }')"
[ "$stored" = 505 ] || die "the installed source holds nPaperWidth=\"$stored\", not 505"
echo "ok: the installed source holds nPaperWidth=505"
import -window root "$shots/decimal-separator.png" && echo "ok: out/gui/decimal-separator.png saved"
probe "$title" close >/dev/null
exit 0
