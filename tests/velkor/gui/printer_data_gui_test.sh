#!/usr/bin/env bash
# End to end under Wine and a virtual display, from the real main window:
#   1. COM: with the printer simulator on COM3, "Send to printer" for "Ostrel LM-520"
#      opens the transfer dialog; Send delivers ESC "i" "a" 1 and then exactly the
#      paper data the converter left in the temporary folder, reports it in a box,
#      and the queue is on "COM3:" again afterwards;
#   2. USB: with ornio.ini mapping USB001 to a file, the same for "Ostrel LM-510"
#      puts the prefix and that model's paper data into the file;
#   3. "Save printer data..." from the split button's menu writes the 20-byte header
#      and the paper data into the chosen file, and saving onto it again (after the
#      overwrite prompt) replaces the old content.
# Buttons are clicked where the probe finds them (there is no window manager).
# Usage: printer_data_gui_test.sh transfer_gui_probe.exe
# Needs out/dist (scripts/dist) as the build left it; fails without. A failure
# leaves out/gui/printer-data-failure.png.
set -u -o pipefail
here="$(cd "$(dirname "$0")" && pwd)"
. "$here/gui-lib.sh"
probe_exe="${1:-}"
[ -f "$probe_exe" ] || { echo "FAIL: transfer_gui_probe.exe not given or not built"; exit 1; }

title="$(string IDS_APP_TITLE)"
sent_text="$(string IDS_TRANSFER_DONE)"
saved_text="$(string IDS_DATA_SAVED)"
save_title="$(string IDS_SAVE_DATA_TITLE)"
transfer_title="$(dialog_text T_TR_CAPTION)"
work="$(mktemp -d)"

# The simulator replaces dosdevices/com3 and ornio.ini is rewritten: both are put
# back as they were.
com3="$WINEPREFIX/dosdevices/com3"
com3_before="$(readlink "$com3" 2>/dev/null || true)"
sim_pid=""
velkor_pid=""
ornio_ini=""
cleanup() {
    [ -n "$velkor_pid" ] && kill "$velkor_pid" 2>/dev/null
    if [ -n "$sim_pid" ]; then
        kill "$sim_pid" 2>/dev/null
        wait "$sim_pid" 2>/dev/null
    fi
    [ -n "$com3_before" ] && [ ! -L "$com3" ] && ln -sfn "$com3_before" "$com3"
    if [ -n "$ornio_ini" ]; then
        if [ -f "$work/ornio.ini.saved" ]; then
            cp -p "$work/ornio.ini.saved" "$ornio_ini"
        else
            rm -f "$ornio_ini"
        fi
    fi
    wineserver -k 2>/dev/null  # this prefix's processes only
    rm -rf "$work"
}
trap cleanup EXIT

die() {
    echo "FAIL: $*"
    save_screen "printer-data-failure"
    [ -f "$work/velkor.log" ] && tr -d '\r' <"$work/velkor.log" | grep -v '^$' | tail -n 5
    exit 1
}
probe() { wine "$probe_exe" "$@" 2>/dev/null </dev/null | tr -d '\r'; }
win_path() { echo "Z:${1//\//\\}"; }
# Waits up to $1 seconds for `probe $2...` to succeed; prints its output.
wait_probe() {
    local seconds=$1 i out
    shift
    for i in $(seq $((seconds * 2))); do
        out="$(probe "$@")" && { printf '%s\n' "$out"; return 0; }
        sleep 0.5
    done
    return 1
}
# Waits up to $1 seconds until no window of title $2 and kind $3 is open.
wait_closed() {
    local i
    for i in $(seq $(($1 * 2))); do
        probe rect "$2" "$3" 0 >/dev/null || return 0
        sleep 0.5
    done
    return 1
}
# Clicks control $3 of the window of title $1 and kind $2: in its middle, or with
# "arrow" as $4 in the middle of its rightmost 16 pixels.
click() {
    local rect left top right bottom x
    rect="$(probe rect "$1" "$2" "$3")" || die "no control $3 in the $2 window \"$1\""
    read -r left top right bottom <<<"$rect"
    x=$(((left + right) / 2))
    [ "${4:-}" = arrow ] && x=$((right - 8))
    xdotool mousemove "$x" $(((top + bottom) / 2)) click 1
}
# Waits for the message box over the main window, checks its text is $1 and
# presses its OK button.
expect_box() {
    local texts
    texts="$(wait_probe 90 texts "$title" other)" || die "$2: no message box after 90 s"
    grep -qxF "65535=$1" <<<"$texts" || die "$2: the box says: $(grep -v '^1=' <<<"$texts")"
    echo "ok: $2: box \"$1\""
    click "$title" other 1
    wait_closed 10 "$title" other || die "$2: the box did not close"
}
# Starts velkor for queue $1 in the work folder and waits for its main window.
start_velkor() {
    (cd "$work" && exec wine "$program" "$1" /m >"$work/velkor.log" 2>&1 </dev/null) &
    velkor_pid=$!
    wait_probe 60 rect "$title" main 1013 >/dev/null || die "$1: no main window after 60 s"
    sleep 1
    probe rect "$title" other 0 >/dev/null && die "$1: velkor opened with a message box"
    echo "ok: main window for \"$1\" is up"
}
close_velkor() {
    click "$title" main 1
    local i
    for i in $(seq 40); do kill -0 "$velkor_pid" 2>/dev/null || break; sleep 0.5; done
    kill -0 "$velkor_pid" 2>/dev/null && die "velkor did not end after Close"
    velkor_pid=""
}
# Code $2 (bySeriesCode, byModelCode) of model prefix $1 from its built-in source:
# the low eight bits, as two hex digits.
code() {
    local value
    value="$(tr -d '\r' <"$driver/$1ad.txt" | sed -n "s/^$2=\(0x[0-9a-fA-F]*\)\$/\1/p" | head -n 1)"
    [ -n "$value" ] || return 1
    printf '%02x' $((value & 0xff))
}
# Takes model prefix $1: its codes into series and model.
use_model() {
    prefix=$1
    series="$(code "$1" bySeriesCode)" || die "no bySeriesCode in $1ad.txt"
    model="$(code "$1" byModelCode)" || die "no byModelCode in $1ad.txt"
}
# The paper data the converter left in the temporary folder for the model in use
# (the folder itself: a benchmark run may have left files below it).
temp_paper_data() {
    find "$WINEPREFIX/drive_c/users" -path "*/Temp/lty$model$series.bin" \
        -newer "$work/marker" 2>/dev/null | head -n 1
}
# Sends the selected paper of the main window for queue $1 through the transfer
# dialog; sets sent_data to the paper data that was sent.
send_selected() {
    local texts
    touch "$work/marker"
    sleep 1
    click "$title" main 1013
    texts="$(wait_probe 90 texts "$transfer_title" other 1058)" ||
        die "$1: \"$transfer_title\" did not open"
    grep -qxF "1058=$1" <<<"$texts" || die "$1: the dialog names another printer: $texts"
    grep -q '^1057=.' <<<"$texts" || die "$1: the dialog shows no paper"
    click "$transfer_title" other 1
    expect_box "$sent_text" "$1"
    wait_closed 10 "$transfer_title" other || die "$1: \"$transfer_title\" is still open"
    sent_data="$(temp_paper_data)"
    [ -n "$sent_data" ] && [ -s "$sent_data" ] || die "$1: no paper data in the temporary folder"
}
# Writes ESC "i" "a" 1 and then file $1 into file $2.
with_prefix() { { printf '\033ia\001'; cat "$1"; } >"$2"; }
# Chooses "Save printer data..." from the split button's menu and saves to $1
# (a Windows path); $2 is "overwrite" when the file is there already.
save_printer_data() {
    click "$title" main 1014 arrow
    # A "p" that reached the main window would be its Send button's mnemonic.
    wait_probe 30 menu >/dev/null || die "the split button's arrow opened no menu"
    xdotool key p
    local texts
    texts="$(wait_probe 30 texts "$save_title" other)" ||
        die "the menu did not open \"$save_title\""
    grep -qx '[0-9]*=velkor' <<<"$texts" || die "the suggested file name is not \"velkor\""
    xdotool type --delay 40 "$1"
    xdotool key Return
    if [ "${2:-}" = overwrite ]; then
        wait_probe 30 rect "$save_title" other 6 >/dev/null || die "no overwrite prompt"
        echo "ok: overwrite prompt"
        click "$save_title" other 6
    fi
    wait_closed 30 "$save_title" other || die "\"$save_title\" is still open"
    expect_box "$saved_text" "save printer data"
    [ -z "$(find "$WINEPREFIX/drive_c/users" -path "*/Temp/lty$model$series.bin" 2>/dev/null)" ] ||
        die "save: the temporary paper data was not removed"
}

# The display and the prefix. Wine's desktop keeps the display it first opened,
# so the prefix starts afresh on ours.
start_prefix "$work/setup.log" --fresh
ornio_ini="$(winepath -u 'C:\Program Files\Mertavo' 2>/dev/null | tr -d '\r')/ornio.ini"
[ -f "$ornio_ini" ] && cp -p "$ornio_ini" "$work/ornio.ini.saved"

# 1. COM3 through the printer simulator.
port="$(probe port "Ostrel LM-520")" || die "no queue \"Ostrel LM-520\""
[ "$port" = "COM3:" ] || die "\"Ostrel LM-520\" is on \"$port\" before the test, not on COM3:"
python3 "$root/tests/velkor/transfer/sim/printer_sim.py" --link "$com3" \
    --record "$work/serial-record.bin" --ready "$work/ready" &
sim_pid=$!
for _ in $(seq 400); do [ -f "$work/ready" ] && break; sleep 0.05; done
[ -f "$work/ready" ] || die "the printer simulator did not start"

use_model kvx520
start_velkor "Ostrel LM-520"
send_selected "Ostrel LM-520"
data="$sent_data"
with_prefix "$data" "$work/expected-com.bin"
for _ in $(seq 120); do
    [ "$(stat -c %s "$work/serial-record.bin")" -ge "$(stat -c %s "$work/expected-com.bin")" ] && break
    sleep 0.25
done
cmp "$work/expected-com.bin" "$work/serial-record.bin" ||
    die "COM3: the printer did not get the prefix and exactly the paper data ($(stat -c %s "$data") bytes)"
echo "ok: COM3 got the prefix and the $(stat -c %s "$data") bytes of $(basename "$data")"
port="$(probe port "Ostrel LM-520")" || die "no queue \"Ostrel LM-520\" after the send"
[ "$port" = "COM3:" ] || die "\"Ostrel LM-520\" is on \"$port\" after the send, not on COM3:"
echo "ok: the queue is on COM3: again"
close_velkor
kill "$sim_pid" 2>/dev/null
wait "$sim_pid" 2>/dev/null
sim_pid=""

# 2. USB001 through the transfer library, into a file.
: >"$work/usb001.bin"
printf '[Ports]\r\nUSB001=%s\r\n' "$(win_path "$work/usb001.bin")" >"$ornio_ini"
use_model kvx510
start_velkor "Ostrel LM-510"
send_selected "Ostrel LM-510"
data="$sent_data"
cp "$data" "$work/paper-data-510.bin"
with_prefix "$data" "$work/expected-usb.bin"
cmp "$work/expected-usb.bin" "$work/usb001.bin" ||
    die "USB001: the file does not hold the prefix and exactly the paper data"
echo "ok: USB001 got the prefix and the $(stat -c %s "$data") bytes of $(basename "$data")"

# 3. Save printer data, then again onto the same file.
python3 - "$work/paper-data-510.bin" "$work/expected-saved.bin" "$series" "$model" <<'EOF'
import struct, sys
data = open(sys.argv[1], "rb").read()
header = bytes([0x1B, 0x69, 0x61, 0x01, 0x1B, 0x69, 0x55, 0x4F, 0x10,
                int(sys.argv[3], 16), int(sys.argv[4], 16), 0])
open(sys.argv[2], "wb").write(header + struct.pack("<II", len(data), 0) + data)
EOF
saved="$work/saved printer data.bin"
save_printer_data "$(win_path "$saved")"
[ -f "$saved" ] || die "save: nothing was written to $saved"
cmp "$work/expected-saved.bin" "$saved" ||
    die "save: the file is not the 20-byte header and the paper data ($(xxd -l 20 -p "$saved"))"
echo "ok: saved the header and the $(stat -c %s "$work/paper-data-510.bin") bytes of paper data"

# Longer content first, so that an append or a write without truncation shows.
{ cat "$saved"; head -c 100 /dev/zero; } >"$work/longer.bin" && cp "$work/longer.bin" "$saved"
save_printer_data "$(win_path "$saved")" overwrite
cmp "$work/expected-saved.bin" "$saved" ||
    die "save again: the file was not replaced ($(stat -c %s "$saved") bytes)"
echo "ok: saving again replaced the file"
close_velkor
exit 0
