#!/bin/bash
# Times `brevano table` of 20 variables (2^20 rows) to /dev/null against `cat` writing the same
# bytes from a file, to see how close the command is to output-bound.
# Usage: bench/table_vs_cat.sh BUILD_DIR [RUNS]
set -eu
brevano=$1/cli/brevano
runs=${2:-20}
expression='not(a+b)*c/d+e*f+g/h*i+j/k*l+m*n/o+p*q+r/s+t'
file=$(mktemp)
trap 'rm -f "$file"' EXIT
"$brevano" table "$expression" >"$file"
echo "$(wc -c <"$file") bytes, $(wc -l <"$file") lines; $runs runs each"
TIMEFORMAT="%R s (user %U s, sys %S s)"
echo -n "brevano table: " >&2
time (for ((i = 0; i < runs; i++)); do "$brevano" table "$expression" >/dev/null; done)
echo -n "cat:           " >&2
time (for ((i = 0; i < runs; i++)); do cat "$file" >/dev/null; done)
