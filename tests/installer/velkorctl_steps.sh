# Sourced by installer_test.sh once the installed package holds velkorctl.exe: the
# console program of the program folder for the demo queue $queue, on the papers
# the upgrade kept. Uses the test's helpers (run_wine, fail, ok) and variables.
#
#   velkorctl list <queue> --unit mm             the queue's papers, a line each, the
#                                                name in millimetres third of its fields
#   velkorctl add <queue> --unit mm --name <name> --kind label --width <w> --length <l>
#       --gap <g>                                a paper of the user's
ctl="$program_folder\\velkorctl.exe"
if run_wine "$logs/velkorctl-list.out" "$ctl" list "$queue" --unit mm; then
    if tr -d '\r' <"$logs/velkorctl-list.out" | cut -f 3 | grep -qx "Kept roll 62mm"; then
        ok "velkorctl list \"$queue\" names the user's papers"
    else
        fail "velkorctl list \"$queue\" does not name the user's paper \"Kept roll 62mm\":"
        sed 's/^/    /' "$logs/velkorctl-list.out"
    fi
else
    fail "velkorctl list \"$queue\" failed:"
    sed 's/^/    /' "$logs/velkorctl-list.out"
fi

if run_wine "$logs/velkorctl-add.out" "$ctl" add "$queue" --unit mm --name "Added by velkorctl" \
    --kind label --width 50 --length 30 --gap 3; then
    grep -qa "^szPaperName_mm=Added by velkorctl" "$driver/kvx510ed.txt" ||
        fail "velkorctl add: the paper is not in the user source"
    velkor_list "$logs/list-velkorctl" &&
        grep -qx "Added by velkorctl" "$logs/list-velkorctl" &&
        ok "velkorctl add: velkor lists the new paper" ||
        fail "velkorctl add: velkor does not list the new paper"
else
    fail "velkorctl add failed:"
    sed 's/^/    /' "$logs/velkorctl-add.out"
fi
# From here on the user's files are those velkorctl left.
user_files >"$logs/user-files"
