# The harness shared by the command-line tests, sourced by each script:
#   source "$2/tests/cli/support/harness.sh" "$1"
# It sets $cli (the kindrela-cli under test), $work (a temporary folder
# removed at exit) and the counters, and gives the checks below. A script
# ends with `finish`, which prints the closing line and sets the exit code.
export LC_ALL=C
cli="$1"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
passed=0
failed=0

ok()   { passed=$((passed + 1)); }
fail() { failed=$((failed + 1)); echo "FAIL: $*"; }

# expect_rc RC DESCRIPTION -- COMMAND...: runs the command, keeps its output.
expect_rc() {
  local want="$1" what="$2"; shift 3
  "$@" >"$work/out" 2>"$work/err"
  local rc=$?
  if [ "$rc" -eq "$want" ]; then ok; else fail "$what: exit $rc, expected $want"; cat "$work/err"; fi
}
expect_out()     { grep -qF -- "$1" "$work/out" && ok || { fail "stdout lacks '$1'"; cat "$work/out"; }; }
expect_no_out()  { grep -qF -- "$1" "$work/out" && { fail "stdout has '$1'"; cat "$work/out"; } || ok; }
# expect_err DESCRIPTION: something was said on stderr.
expect_err()     { [ -s "$work/err" ] && ok || fail "nothing on stderr ($1)"; }
expect_err_has() { grep -qF -- "$1" "$work/err" && ok || { fail "stderr lacks '$1'"; cat "$work/err"; }; }

# One value of the tree file: 16-bit little-endian byte count, then the bytes.
value() {
  local n=${#1}
  printf "\\x$(printf %02x $((n & 255)))\\x$(printf %02x $((n >> 8)))"
  printf '%s' "$1"
}

finish() {
  echo "$passed passed, $failed failed"
  [ "$failed" -eq 0 ]
}
