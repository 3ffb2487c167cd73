# Shared by the GUI test scripts and velkorctl's Wine test, which source it. Sets `root`,
# `program` and the Wine environment, fails the script when the stage in out/dist
# is missing or not the build's, and gives the helpers every script uses.
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/../../.." && pwd)"
"$root/scripts/dist" --check || { echo "FAIL: out/dist does not hold the build's deliverables"; exit 1; }
. "$root/scripts/wine-env"
export DISPLAY="${VELKOR_DISPLAY:-:44}"
program='C:\Program Files\Mertavo\velkor.exe'

# The text of string $1 (a name of src/resources/resource_ids.h) of the English language
# module, the one staged in the program folder.
string() { sed -n "s/^STRING($1, \"\(.*\)\")\$/\1/p" "$root/src/resources/lang/en/strings.def"; }
# The English dialog or menu text $1 (a T_ name of src/resources/lang/en/dialog_texts.h).
dialog_text() { sed -n "s/^#define $1 \"\(.*\)\"\$/\1/p" "$root/src/resources/lang/en/dialog_texts.h"; }

# Waits up to $2 seconds for a visible window named exactly $1; prints its id.
wait_window() {
    local id
    for _ in $(seq $(($2 * 5))); do
        id="$(xdotool search --onlyvisible --name "^$1\$" 2>/dev/null | head -n 1)"
        [ -n "$id" ] && { echo "$id"; return 0; }
        sleep 0.2
    done
    return 1
}

# Waits up to $2 seconds for process $1 to end.
wait_exit() {
    for _ in $(seq $(($2 * 5))); do kill -0 "$1" 2>/dev/null || return 0; sleep 0.2; done
    return 1
}

# Makes window $1 the one that takes the keys: a click on its caption, as a user
# would do. The test prefix's windows are unmanaged, and Wine activates such a
# window on a click; X input focus alone does not activate it after another
# program's window has been active.
activate() {
    local X Y WIDTH HEIGHT SCREEN WINDOW
    eval "$(xdotool getwindowgeometry --shell "$1" 2>/dev/null)"
    [ -n "${WIDTH:-}" ] && xdotool mousemove $((X + WIDTH / 3)) $((Y + 5)) click 1
    xdotool windowfocus --sync "$1" 2>/dev/null || xdotool windowfocus "$1" 2>/dev/null
    sleep 0.2
}

# Screenshots go to out/gui: the ones a test saves, and the screen when it fails.
shots="$root/out/gui"
mkdir -p "$shots"
# Saves the whole screen as out/gui/$1.png and says so.
save_screen() {
    import -window root "$shots/$1.png" 2>/dev/null && echo "screen saved to out/gui/$1.png"
}

# Fails the script: says why, saves the screen as out/gui/$failure_screen.png (a
# script names it before it sources this file) and exits. A script that shows more
# at a failure defines its own.
die() {
    echo "FAIL: $*"
    save_screen "${failure_screen:-failure}"
    exit 1
}

# The number of windows named exactly $1 (a message box has the main window's title).
windows_titled() { xdotool search --name "^$1\$" 2>/dev/null | wc -l; }

# Activates window $1 and presses the keys that follow.
keys() {
    activate "$1"
    shift
    xdotool key --delay 60 "$@"
}

# Puts text $2 into the field reached by mnemonic $1 (focus by mnemonic selects
# the whole text, so typing replaces it).
field() {
    xdotool key "$1"
    sleep 0.1
    xdotool type --delay 40 "$2"
}

# Fills the open paper editor (English, millimetres) with a die-cut label named $1:
# 50.0 x 30.0 mm, a gap of 3.0 mm, every margin 3.0 mm.
fill_label() {
    field alt+n "$1"
    xdotool key alt+k Down
    field alt+w "50.0"
    field alt+l "30.0"
    xdotool key Tab && xdotool type --delay 40 "3.0"
    for margin in alt+t alt+b alt+e alt+r; do field "$margin" "3.0"; done
}

# Starts the display and sets up the prefix with the demo queues: scripts/wine-setup
# with the options after $1, its output in file $1. Sets `driver` to the prefix's
# printer-driver folder.
start_prefix() {
    local log=$1
    shift
    "$root/tests/support/with-display" true
    wineserver -k 2>/dev/null || true
    "$root/scripts/wine-setup" "$@" >"$log" 2>&1 || { echo "FAIL: scripts/wine-setup $*:"; cat "$log"; exit 1; }
    velkor_wine_ready
    driver="$(winepath -u 'C:\windows\system32\spool\drivers\x64\3' 2>/dev/null | tr -d '\r')"
}
