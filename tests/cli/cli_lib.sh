# Shared by the command-line tests: a scratch folder removed at exit, the
# check counter and the closing line. Source it, call `check NAME COMMAND...`
# for each case and end with `finish NAME`.
set -u
: "${VARNOK:?set VARNOK to the varnok executable}"
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
passed=0
failed=0

check() {  # check NAME COMMAND...: the case passes when the command succeeds
    local name=$1; shift
    if "$@"; then passed=$((passed + 1)); else failed=$((failed + 1)); echo "FAIL: $name"; fi
}

finish() {  # finish NAME: the closing line and the exit status
    echo "$1: $passed passed, $failed failed"
    test "$failed" -eq 0
}
