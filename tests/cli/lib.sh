# Shared by the command-line test scripts: each is run as "sh SCRIPT KXDIALOG" and works in a
# sandbox folder of its own, removed at the end, so that a file written where it must not be is
# found inside the sandbox rather than somewhere on the machine.
set -u
k="$1"
sandbox=$(mktemp -d "${TMPDIR:-/tmp}/kxcli.XXXXXX") || exit 1
trap 'chmod -R u+w "$sandbox" 2>/dev/null; rm -rf "$sandbox"' EXIT
failures=0

fail() {
    printf "FAIL: %s\n" "$*" >&2
    failures=$((failures + 1))
}

# expect_status WANTED WHAT: compares the status of the last command ($status).
expect_status() {
    [ "$status" = "$1" ] || fail "$2: exit status $status, expected $1"
}

# expect_in FILE TEXT WHAT: the file holds the text (fixed string).
expect_in() {
    grep -qF -- "$2" "$1" || { fail "$3: \"$2\" not found in:"; sed 's/^/    /' "$1" >&2; }
}

# expect_not_in FILE TEXT WHAT
expect_not_in() {
    if grep -qF -- "$2" "$1"; then fail "$3: \"$2\" found in:"; sed 's/^/    /' "$1" >&2; fi
}

# run ARGS...: runs kxdialog with stdout in $sandbox/out.txt, stderr in $sandbox/err.txt and
# the exit status in $status.
run() {
    "$k" "$@" >"$sandbox/out.txt" 2>"$sandbox/err.txt"
    status=$?
}

finish() {
    [ "$failures" = 0 ] && echo "ok" && exit 0
    echo "$failures check(s) failed" >&2
    exit 1
}
