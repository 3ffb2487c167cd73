# Shared by the GUI test scripts; sourced with `here` set to tests/gui. Sets `root`,
# `program` and the Wine environment, fails the script when the stage in out/dist
# is missing or not the build's, and gives the helpers every script uses.
root="$(cd "$here/../.." && pwd)"
"$root/scripts/dist" --check || { echo "FAIL: out/dist does not hold the build's deliverables"; exit 1; }
. "$root/scripts/wine-env"
export DISPLAY="${VELKOR_DISPLAY:-:44}"
program='C:\Program Files\Mertavo\velkor.exe'

# The text of string $1 (a name of resources/resource_ids.h) of the English language
# module, the one staged in the program folder.
string() { sed -n "s/^STRING($1, \"\(.*\)\")\$/\1/p" "$root/resources/lang/en/strings.def"; }
# The English dialog or menu text $1 (a T_ name of resources/lang/en/dialog_texts.h).
dialog_text() { sed -n "s/^#define $1 \"\(.*\)\"\$/\1/p" "$root/resources/lang/en/dialog_texts.h"; }

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
