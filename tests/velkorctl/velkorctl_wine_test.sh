#!/usr/bin/env bash
# velkorctl.exe under Wine with the real tools, on the demo queues of
# scripts/wine-setup: every command's main path and each exit code, --json read
# back, add refusing each out-of-range value with the editor's range text, another
# model's file refused, a kept set restored byte for byte, the driver folder left alone on every refusal and failure,
# and exit 5 while a velkor window for the same model is open. Needs out/dist
# (scripts/dist); fails when the stage is not the build's.
set -u
here="$(cd "$(dirname "$0")" && pwd)"
. "$here/../velkor/gui/gui-lib.sh"
ctl_exe='C:\Program Files\Mertavo\velkorctl.exe'
queue="Ostrel LM-510"
logs="$(mktemp -d)"
failures=0
trap 'rm -rf "$logs"; wineserver -k 2>/dev/null' EXIT

fail() { echo "FAIL: $*"; failures=$((failures + 1)); }
ok() { echo "ok: $*"; }

# The display and the prefix with the demo queues; the user sources start as shipped.
start_prefix "$logs/setup.log" --fresh
winpath() { winepath -w "$1" 2>/dev/null | tr -d '\r'; }
cp "$root/out/dist/driver/kvx510ed.txt" "$driver/kvx510ed.txt"
source_file="$driver/kvx510ed.txt"
table="$driver/kvx510ed.lyt"
code_of() { sed -n "s/^$1=0x\(..\).*/\1/p" "$source_file" | tr -d '\r' | head -n 1; }
paper_data="$driver/lty$(code_of byModelCode)$(code_of bySeriesCode).bin"

# run ARGS...: velkorctl with its output in $out and $err (through files: a program
# under Wine keeps a pipe open), its exit code in $code.
run() {
    wine "$ctl_exe" "$@" >"$logs/out.raw" 2>"$logs/err.raw" </dev/null
    code=$?
    tr -d '\r' <"$logs/out.raw" >"$logs/out"
    tr -d '\r' <"$logs/err.raw" >"$logs/err"
    out="$(cat "$logs/out")"
    err="$(cat "$logs/err")"
}
# expect CODE WHAT ARGS...: the exit code, and for a failure one error line.
expect() {
    local want=$1 what=$2
    shift 2
    run "$@"
    if [ "$code" != "$want" ]; then
        fail "$what: exit $code, expected $want (stderr: $err)"
        return 1
    fi
    if [ "$want" != 0 ]; then
        if [ "$(wc -l <"$logs/err")" != 1 ] || [ "${err#velkorctl: }" = "$err" ]; then
            fail "$what: stderr is not one line starting with \"velkorctl: \": $err"
            return 1
        fi
    fi
    ok "$what: exit $code"
}
# The error line must be exactly $2.
expect_error() {
    [ "$err" = "velkorctl: $2" ] || fail "$1: stderr is \"$err\", expected \"velkorctl: $2\""
}
snapshot() { (cd "$driver" && md5sum kvx510ed.txt kvx510ed.lyt "$(basename "$paper_data")" 2>&1); }
# The driver folder must still hold what snapshot $2 saw.
unchanged() {
    [ "$(snapshot)" = "$2" ] || fail "$1: the driver folder changed"
}
range() { printf '%s' "$(printf "$(string IDS_RANGE_ERROR)" "$1")"; }

# A console program, and nothing among its imports that shows a window.
imports="$(x86_64-w64-mingw32-objdump -p "$root/out/dist/program/velkorctl.exe" 2>&1)"
grep -q 'Subsystem.*(Windows CUI)' <<<"$imports" || fail "velkorctl.exe is not a console program"
grep -qiE 'MessageBox|CreateWindow|DialogBox' <<<"$imports" &&
    fail "velkorctl.exe imports a function that shows a window"

# --- usage and help ----------------------------------------------------------
expect 0 "--help" --help
case "$out" in *"Exit codes:"*"5  the model is busy"*) ;; *) fail "--help lists no exit codes" ;; esac
expect 0 "add --help" add --help
case "$out" in "usage: velkorctl add QUEUE"*) ;; *) fail "add --help: $out" ;; esac
expect 2 "no command"
expect_error "no command" "no command given; run velkorctl --help for the commands"
expect 2 "unknown command" frobnicate "$queue"
expect 2 "list without queue" list
expect 2 "a roll with a length" add "$queue" --name X --kind roll --width 50 --length 30

# --- list --------------------------------------------------------------------
expect 3 "unknown queue" list "No Such Queue"
expect_error "unknown queue" \
    "no printer queue is named \"No Such Queue\"; give the name exactly as the printer settings show it"
expect 3 "queue of another driver" list "Office Laser"
expect 0 "list" list "$queue" --unit mm
cp "$logs/out" "$logs/list-mm"
papers="$(wc -l <"$logs/list-mm")"
[ "$papers" -gt 2 ] || fail "list: only $papers lines"
head -n 1 "$logs/list-mm" | grep -qP '^0\tbuilt-in\t[^\t]+\t[0-9]+\.[0-9]\t([0-9]+\.[0-9]|--)\t(roll|label|mark)\t[0-9]+\t[0-9]+$' ||
    fail "list: first line is \"$(head -n 1 "$logs/list-mm")\""
expect 0 "list --json" list "$queue" --unit mm --json
cp "$logs/out" "$logs/list.json"
# The JSON array holds what the lines hold.
python3 - "$logs/list.json" "$logs/list-mm" <<'EOF' || fail "list --json does not match the lines"
import json, sys
papers = json.load(open(sys.argv[1], encoding="utf-8"))
lines = open(sys.argv[2], encoding="cp1252").read().splitlines()
assert len(papers) == len(lines), (len(papers), len(lines))
for paper, line in zip(papers, lines):
    index, origin, name, width, length, kind, pid, energy = line.split("\t")
    assert paper["index"] == int(index) and paper["origin"] == origin, line
    assert paper["name"] == name and paper["width"] == float(width), line
    assert paper["length"] == (None if length == "--" else float(length)), line
    assert paper["kind"] == kind and paper["id"] == int(pid), line
    assert paper["energyRank"] == int(energy) and paper["unit"] == "mm", line
EOF
# The prefix's locale is U.S.: without --unit the lists are in inches.
expect 0 "list in the locale's unit" list "$queue"
cp "$logs/out" "$logs/list-default"
expect 0 "list --unit in" list "$queue" --unit in
cmp -s "$logs/out" "$logs/list-default" || fail "list without --unit is not the inch list"

# --- add -------------------------------------------------------------------------
name="CTL label 50x30"
before="$(snapshot)"
touch "$logs/marker"
sleep 1
# Tools run while it adds; no window may appear meanwhile.
# visible: "id name" of each visible window, named while it is there.
visible() {
    local id
    for id in $(xdotool search --onlyvisible --name . 2>/dev/null); do
        echo "$id $(xdotool getwindowname "$id" 2>/dev/null)"
    done
}
visible | cut -d ' ' -f 1 | sort -u >"$logs/windows-before"
( while :; do visible; sleep 0.2; done ) >"$logs/windows" &
watcher=$!
expect 0 "add" add "$queue" --unit mm --name "$name" --kind label --width 50.0 --length 30 \
    --gap 3 --top 1.5 --bottom 1.5 --left 2 --right 2
kill "$watcher" 2>/dev/null
wait "$watcher" 2>/dev/null
appeared="$(sort -u "$logs/windows" | while read -r id title; do
    grep -qxF "$id" "$logs/windows-before" || echo "$id \"$title\""
done | sort -u)"
[ -z "$appeared" ] || fail "add: windows appeared while the tools ran: $appeared"
grep -qxF "szPaperName_mm=$name" <(tr -d '\r' <"$source_file") || fail "add: \"$name\" is not in the user source"
grep -qx 'nPaperWidthRes=400' <(tr -d '\r' <"$source_file") || fail "add: no derived nPaperWidthRes=400"
[ "$table" -nt "$logs/marker" ] || fail "add: kvx510ed.lyt was not rebuilt"
python3 -c 'import sys; sys.exit(0 if sys.argv[2].encode("utf-16-le") in open(sys.argv[1], "rb").read() else 1)' \
    "$table" "$name" || fail "add: kvx510ed.lyt does not hold \"$name\""
[ "$paper_data" -nt "$logs/marker" ] || fail "add: the paper data was not rebuilt"
expect 0 "list after add" list "$queue" --unit mm
grep -qP "^$papers\tuser\t$name\t50\.0\t30\.0\tlabel\t5[0-9][0-9]\t" "$logs/out" ||
    fail "add: the list has no line \"$papers user $name ...\": $(tail -n 1 "$logs/out")"

# Each value out of range is refused with the editor's range text; nothing changes.
before="$(snapshot)"
mm=(add "$queue" --unit mm --name "CTL refused")
while IFS='|' read -r item range_text option rest; do
    [ -n "$item" ] || continue
    read -r -a values <<<"$rest"
    expect 3 "add refuses $option ($rest)" "${mm[@]}" "${values[@]}" &&
        expect_error "add $option" "$(range "$item") $range_text; give $option within that range"
done <<EOF
$(string IDS_ITEM_WIDTH)|( 11.9mm - 63.0mm )|--width|--kind roll --width 11.8 --top 3
$(string IDS_ITEM_WIDTH)|( 11.9mm - 63.0mm )|--width|--kind roll --width 63.1 --top 3
$(string IDS_ITEM_LENGTH)|( 6.0mm - 1000.0mm )|--length|--kind label --width 50 --length 5.9 --gap 3
$(string IDS_ITEM_LENGTH)|( 25.4mm - 1000.0mm )|--length|--kind mark --width 50 --length 25.3 --mark-length 3 --top 3 --bottom 3
$(string IDS_ITEM_GAP)|( 3.0mm - 1000.0mm )|--gap|--kind label --width 50 --length 30 --gap 2.9
$(string IDS_ITEM_MARK_LENGTH)|( 2.0mm - 30.0mm )|--mark-length|--kind mark --width 50 --length 30 --mark-length 1.9
$(string IDS_ITEM_MARK_OFFSET)|( -30.0mm - 30.0mm )|--mark-offset|--kind mark --width 50 --length 30 --mark-length 3 --mark-offset -30.1
$(string IDS_ITEM_RIGHT) + $(string IDS_ITEM_LEFT)|( 0.0mm - 49.8mm )|--right and --left|--kind label --width 50 --length 30 --gap 3 --left 30 --right 20
$(string IDS_ITEM_RIGHT) , $(string IDS_ITEM_LEFT)|( 3.5mm - 59.3mm )|--right and --left|--kind label --width 63 --length 30 --gap 3 --left 3 --right 3.4
$(string IDS_ITEM_TOP) / $(string IDS_ITEM_BOTTOM)|( 3.0mm - 127.0mm )|--top and --bottom|--kind roll --width 50 --top 2.9
$(string IDS_ITEM_TOP) + $(string IDS_ITEM_BOTTOM)|( 3.0mm - 127.0mm )|--top and --bottom|--kind roll --width 50 --top 70
$(string IDS_ITEM_TOP) + $(string IDS_ITEM_BOTTOM)|( 0.0mm - 29.8mm )|--top and --bottom|--kind label --width 50 --length 30 --gap 3 --top 20 --bottom 9.9
EOF
expect 3 "add refuses an inch width" add "$queue" --unit in --name "CTL refused" --kind roll --width 0.46 --top 0.12 &&
    expect_error "add --unit in" "$(range "$(string IDS_ITEM_WIDTH)") ( 0.47\" - 2.48\" ); give --width within that range"
expect 3 "add refuses the name in use" add "$queue" --unit mm --name "$name" --kind roll --width 50 --top 3 &&
    expect_error "add a name in use" "$(string IDS_NAME_IN_USE); give another --name"
expect 3 "add refuses a value the field would not take" "${mm[@]}" --kind roll --width 50.05
unchanged "the refused adds" "$before"

# --- export, check and import -------------------------------------------------------
mkdir -p "$logs/export"
export_folder="$(winpath "$logs/export")"
expect 0 "export" export "$queue" "$export_folder"
for f in kvx510ed.txt kvx510ed.lyt "$(basename "$paper_data")"; do
    [ -s "$logs/export/$f" ] || fail "export: no $f"
done
cmp -s "$logs/export/kvx510ed.txt" "$source_file" || fail "export: the source is not the installed one"
stamp="$(md5sum "$logs/export/kvx510ed.lyt")"
expect 3 "export without --force onto exported files" export "$queue" "$export_folder"
[ "$(md5sum "$logs/export/kvx510ed.lyt")" = "$stamp" ] || fail "export without --force changed the folder"
expect 0 "export --force" export "$queue" "$export_folder" --force
expect 4 "export into a folder that does not exist" export "$queue" "$export_folder\\missing"
case "$err" in *"cannot replace "*) ;; *) fail "export: no reason line in \"$err\"" ;; esac

exported="$export_folder\\kvx510ed.txt"
expect 0 "check" check "$queue" "$exported" --unit mm
head -n 1 "$logs/out" | grep -q ': a paper source of kvx510; velkor would read ' || fail "check: $(head -n 1 "$logs/out")"
grep -qP "\tuser\t$name\t" "$logs/out" || fail "check does not list \"$name\""
expect 0 "check --json" check "$queue" "$exported" --unit mm --json
python3 -c '
import json, sys
report = json.load(open(sys.argv[1], encoding="utf-8"))
assert report["model"] == "kvx510", report
assert sys.argv[2] in [p["name"] for p in report["papers"]], report
assert all(p["origin"] == "user" for p in report["papers"]), report
' "$logs/out" "$name" || fail "check --json"
other="$(winpath "$root/out/dist/driver/kvx520ed.txt")"
before="$(snapshot)"
expect 3 "check another model's file" check "$queue" "$other"
expect 3 "import another model's file" import "$queue" "$other"
case "$err" in "velkorctl: $(string IDS_NOT_THIS_MODEL) ("*) ;; *) fail "import: \"$err\"" ;; esac
expect 3 "import a file that does not exist" import "$queue" "$export_folder\\none.txt"
unchanged "the refused imports" "$before"

# A file of this model that the compiler refuses: the reason is its log's line.
tr -d '\r' <"$logs/export/kvx510ed.txt" | sed 's/^nPaperWidth=.*/nPaperWidth=wide/' >"$logs/export/broken.txt"
expect 4 "import a file the compiler refuses" import "$queue" "$export_folder\\broken.txt"
case "$err" in *"nPaperWidth: a paper of width 0 cannot be printed"*) ;; *) fail "import: no compiler reason in \"$err\"" ;; esac
unchanged "the failed import" "$before"

expect 0 "delete" delete "$queue" --unit mm "$name"
grep -qxF "szPaperName_mm=$name" <(tr -d '\r' <"$source_file") && fail "delete: \"$name\" is still installed"
expect 3 "delete it again" delete "$queue" --unit mm "$name"
first_builtin="$(head -n 1 "$logs/list-mm" | cut -f 3)"
expect 3 "delete a built-in paper" delete "$queue" --unit mm "$first_builtin"
expect 0 "import the exported set" import "$queue" "$exported"
cmp -s "$logs/export/kvx510ed.txt" "$source_file" || fail "import: the installed source is not the exported file"
grep -qxF "szPaperName_mm=$name" <(tr -d '\r' <"$source_file") || fail "import: \"$name\" is not back"

# --- the deployment script of docs/velkorctl.md ------------------------------------
# Taken from the guide as it stands, with the line ends cmd expects.
python3 - "$root/docs/velkorctl.md" "$logs/deploy-paper-sets.cmd" <<'EOF'
import sys
lines = open(sys.argv[1], encoding="utf-8").read().splitlines()
start = lines.index("<!-- deploy-paper-sets.cmd -->") + 2
end = lines.index("```", start)
open(sys.argv[2], "w", newline="\r\n").write("\n".join(lines[start:end]) + "\n")
EOF
mkdir -p "$logs/sets"
cp "$logs/export/kvx510ed.txt" "$logs/sets/"
stamps="$(winepath -u 'C:\ProgramData\Mertavo' 2>/dev/null | tr -d '\r')"
rm -rf "$stamps"
# run_deploy SCRIPT: the script on the sets, its log in $logs/deploy.txt, its exit
# code in $code.
run_deploy() {
    rm -f "$logs/deploy.log"
    wine cmd /c "$(winpath "$1")" "$(winpath "$logs/sets")" \
        "$(winpath "$logs/deploy.log")" >"$logs/deploy.out" 2>&1 </dev/null
    code=$?
    tr -d '\r' <"$logs/deploy.log" >"$logs/deploy.txt" 2>/dev/null
}
deploy() {
    run_deploy "$logs/deploy-paper-sets.cmd"
    # Under load Wine's cmd has once failed to start reg.exe; the script then ends
    # with 1 and says so, and a second run shows whether that was all.
    if [ "$code" = 1 ] && grep -qF "cannot read the printer queues" "$logs/deploy.txt"; then
        echo "note: $1: $(cat "$logs/deploy.txt" "$logs/deploy.out"); running it again"
        run_deploy "$logs/deploy-paper-sets.cmd"
    fi
    [ "$code" = 0 ] || fail "$1: exit $code: $(cat "$logs/deploy.txt" "$logs/deploy.out")"
}
expect_log() {
    grep -qF "$2" "$logs/deploy.txt" ||
        fail "$1: the log has no \"$2\": $(cat "$logs/deploy.txt" "$logs/deploy.out")"
}
deploy "first deploy"
expect_log "first deploy" "Ostrel LM-510: import of kvx510ed.txt ended with exit code 0"
deploy "second deploy"
expect_log "second deploy" "Ostrel LM-510: kvx510ed.txt is installed already"
[ "$(grep -c '^  ' "$logs/deploy.txt")" = 1 ] || fail "deploy: queues of other models got a set"
expect 0 "delete before deploying" delete "$queue" --unit mm "$name"
# A changed set is installed again; the same one is not.
printf '; deployed again\r\n' >>"$logs/sets/kvx510ed.txt"
deploy "deploy of a changed set"
expect_log "deploy of a changed set" "Ostrel LM-510: import of kvx510ed.txt ended with exit code 0"
cmp -s "$logs/sets/kvx510ed.txt" "$source_file" || fail "deploy: the LM-510 set is not installed"
rm -rf "$stamps"
ok "the deployment script installs each model's set once"
# No queues to read: the log says so, the exit code is 1, nothing is installed.
sed 's/\\Control\\Print\\Printers"/\\Control\\Print\\No Printers"/' \
    "$logs/deploy-paper-sets.cmd" >"$logs/deploy-no-queues.cmd"
before="$(snapshot)"
run_deploy "$logs/deploy-no-queues.cmd"
if [ "$code" = 1 ] && grep -qF "cannot read the printer queues under" "$logs/deploy.txt" &&
    ! grep -qF "done, exit" "$logs/deploy.txt" && [ "$(snapshot)" = "$before" ]; then
    ok "the deployment script says when it cannot read the printer queues"
else
    fail "deploy without queues: exit $code: $(cat "$logs/deploy.txt" "$logs/deploy.out")"
fi
rm -rf "$stamps"

# --- history and restore -------------------------------------------------------------
expect 0 "history --json" history "$queue" --json
cp "$logs/out" "$logs/history.json"
expect 0 "history" history "$queue"
cp "$logs/out" "$logs/history.txt"
# The lines hold what the array holds, newest first; the delete before the deploy
# kept the set that held "$name".
deleted="$(python3 - "$logs/history.json" "$logs/history.txt" "$name" <<'EOF'
import json, sys
entries = json.load(open(sys.argv[1], encoding="utf-8"))
lines = open(sys.argv[2], encoding="cp1252").read().splitlines()
assert len(entries) == len(lines) > 2, (len(entries), len(lines))
for entry, line in zip(entries, lines):
    fields = line.split("\t")
    assert fields[0] == entry["entry"] and len(fields) == 5, line
    assert fields[3] == str(entry["papers"]) and fields[4] == "restorable", line
    assert not entry["damaged"], entry
ids = [entry["entry"] for entry in entries]
assert ids == sorted(ids, reverse=True), ids
print(next(e["entry"] for e in entries if e["change"] == "deleted" and e["subject"] == sys.argv[3]))
EOF
)" || fail "history --json does not match the lines, or lists no delete of \"$name\": $(cat "$logs/history.txt")"
if [ -n "$deleted" ]; then
    kept="$driver/history/kvx510/$deleted"
    expect 0 "restore" restore "$queue" "$deleted"
    for f in kvx510ed.txt kvx510ed.lyt "$(basename "$paper_data")"; do
        cmp -s "$kept/$f" "$driver/$f" || fail "restore: $f is not the kept one"
    done
    expect 0 "history after the restore" history "$queue"
    head -n 1 "$logs/out" | grep -qF "$(string IDS_HISTORY_RESTORED | sed 's/%s.*//')" ||
        fail "history: line 0 is not the restore: $(head -n 1 "$logs/out")"
fi
before="$(snapshot)"
expect 3 "restore an entry that is not there" restore "$queue" 000999-20260101-000000 &&
    expect_error "restore an unknown entry" \
        "no history entry 000999-20260101-000000; give an entry that velkorctl history $queue lists as restorable"
unchanged "the refused restore" "$before"

# --- busy: a velkor window for the same model holds it ---------------------------
wine "$program" "$queue" /m >"$logs/velkor.log" 2>&1 </dev/null &
if wait_window "$(string IDS_APP_TITLE)" 60 >/dev/null; then
    before="$(snapshot)"
    busy="the papers of \"$queue\" are in use by velkor or another velkorctl (mutex_kvx510); close velkor for this model and try again"
    expect 5 "add while velkor runs" add "$queue" --name "CTL busy" --kind roll --width 50 --top 3 &&
        expect_error "add while velkor runs" "$busy"
    expect 5 "delete while velkor runs" delete "$queue" "$name"
    expect 5 "import while velkor runs" import "$queue" "$exported"
    expect 5 "export while velkor runs" export "$queue" "$export_folder" --force
    [ -n "$deleted" ] && expect 5 "restore while velkor runs" restore "$queue" "$deleted"
    unchanged "the busy commands" "$before"
    expect 0 "list while velkor runs" list "$queue"
    expect 0 "history while velkor runs" history "$queue"
    expect 0 "another model while velkor runs" list "Ostrel LM-520"
else
    fail "velkor's window did not appear: $(cat "$logs/velkor.log")"
fi
wineserver -k 2>/dev/null || true
velkor_wine_ready
expect 0 "delete once velkor has ended" delete "$queue" --unit mm "$name"

echo "$failures failure(s)"
exit $((failures > 0))
