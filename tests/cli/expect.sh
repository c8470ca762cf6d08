# Shared by the command-line test scripts: a work folder, a failure count and `expect`.
# Source it after setting brevano to the tool's path.
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0

fail() {
  echo "FAIL $*"
  failures=$((failures + 1))
}

# expect NAME STATUS STDOUT STDERR -- ARGS...: runs brevano ARGS and compares all three byte for byte.
expect() {
  local name=$1 status=$2 out=$3 err=$4
  shift 5
  "$brevano" "$@" >"$work/out" 2>"$work/err"
  local got=$?
  printf '%s' "$out" >"$work/want_out"
  printf '%s' "$err" >"$work/want_err"
  if [[ $got != "$status" ]] || ! cmp -s "$work/out" "$work/want_out" || ! cmp -s "$work/err" "$work/want_err"; then
    fail "$name: status $got (want $status)"
    diff <(od -c "$work/want_out") <(od -c "$work/out") | head -20
    diff <(od -c "$work/want_err") <(od -c "$work/err") | head -20
  fi
}
