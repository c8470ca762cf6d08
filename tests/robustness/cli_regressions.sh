#!/usr/bin/env bash
# Runs `brevano tree` and `brevano table` over kept fuzz inputs: each must end with status 0,
# or with status 1 and one non-empty line on standard error, never with a signal.
# Usage: cli_regressions.sh BREVANO INPUT-FOLDER...
set -uo pipefail
brevano=$1
shift
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0
checked=0

# A command line holds at most 128 KiB per argument, so longer inputs are cut there (still far
# above the tool's own 64 KiB limit). NUL bytes cannot be passed at all and are dropped.
check() {
  local name=$1 status=$2
  local lines
  lines=$(wc -l <"$work/err")
  checked=$((checked + 1))
  if [ "$status" -eq 0 ]; then
    return
  elif [ "$status" -eq 1 ] && [ "$lines" -eq 1 ] && [ -n "$(tr -d '\n' <"$work/err")" ]; then
    return
  fi
  echo "FAIL $name: status $status, stderr:"
  head -c 500 "$work/err"
  echo
  failures=$((failures + 1))
}

for folder in "$@"; do
  for file in "$folder"/*; do
    [ -f "$file" ] || continue
    # The first byte of a kept input selects the decimal separator (odd: comma), as in the fuzz target.
    first=$(head -c 1 "$file" | od -An -tu1 | tr -d ' ')
    separator=.
    if [ -n "$first" ] && [ $((first % 2)) -eq 1 ]; then separator=,; fi
    expression=$(tail -c +2 "$file" | tr -d '\0' | head -c 131000)
    name=${file##*/}

    "$brevano" --decimal-separator "$separator" tree -- "$expression" >/dev/null 2>"$work/err"
    check "$name (tree)" $?

    # A table can have 2^63 rows: the first 64 KiB are enough, and the tool ends quietly when the
    # reader stops.
    "$brevano" --decimal-separator "$separator" table -- "$expression" 2>"$work/err" | head -c 65536 >/dev/null
    check "$name (table)" "${PIPESTATUS[0]}"
  done
done

echo "$checked runs, $failures failures"
[ "$checked" -gt 0 ] && [ "$failures" -eq 0 ]
