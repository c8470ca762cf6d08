#!/bin/bash
# All outputs of each PLA file minimised together (brevano minimise) and each alone (--single),
# beside ABC's collapse + sop -d of the whole file in the same run: terms, whole-process times, the
# lower bound, and ABC's cec proof of every cover written (1 points held, 0 points left out).
# Usage: bench/pla_joint.sh PATH_TO_BREVANO [PLA_FOLDER] [RUNS] [BUDGET_SECONDS] [ABC_LIMIT_SECONDS]
# ABC is stopped after ABC_LIMIT_SECONDS (default 60), and then run only once. ABC reads a "-" in an output as 0 and has no terms shared between outputs: its cubes are the sum
# over the outputs of each output's sum of products of its 1 points.
set -u
brevano=$1
data=${2:-/work/shared/data/pla}
runs=${3:-3}
budget=${4:-10}
limit=${5:-60}
abc=$(command -v berkeley-abc || command -v yosys-abc) || { echo "ABC is not installed" >&2; exit 1; }
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# The median, in ms, of $runs runs of the command; its last standard output is left in $work/out.
# A run stopped by `timeout` ends the series with "> limit".
timed() {
  local times=() i start
  for ((i = 0; i < runs; i++)); do
    start=$EPOCHREALTIME
    "$@" >"$work/out" 2>/dev/null
    [[ $? == 124 ]] && { echo "> $((limit * 1000))"; return; }
    times+=("$(echo "($EPOCHREALTIME - $start) * 1000" | bc -l)")
  done
  printf '%s\n' "${times[@]}" | sort -g | awk '{ t[NR] = $1 } END { printf "%.1f", t[int((NR + 1) / 2)] }'
}

# The PLA $1 as type f: an output is 1 where the term has 1 (with "up": 1 or -).
as_f() {
  awk -v up="${2:-}" '
    /^\.i / { n = $2 } /^\.o / { m = $2 }
    /^\.(i|o) / { print; next } /^[.#]/ || NF == 0 { next }
    { gsub(/\|/, " "); t = $0; gsub(/[ \t]/, "", t); out = ""
      for (k = 1; k <= m; k++) { c = substr(t, n + k, 1); out = out ((c == "1" || c == "4" || (up && (c == "-" || c == "2"))) ? "1" : "0") }
      print substr(t, 1, n) " " out }
    END { print ".e" }' "$1"
}

union_pla() { { grep -v '^\.e' "$1"; grep -v '^[.#]' "$2"; echo .e; } | grep -v '^\.p'; }
equivalent() { "$abc" -c "read $1; cec -n $2" 2>&1 | grep -q "Networks are equivalent"; }

# "yes" when ABC proves the cover $2 right for the PLA $1.
proven() {
  as_f "$1" >"$work/on.pla"
  as_f "$1" up >"$work/up.pla"
  as_f "$2" >"$work/cover.pla"
  union_pla "$work/cover.pla" "$work/on.pla" >"$work/cover_on.pla"
  union_pla "$work/up.pla" "$work/cover.pla" >"$work/up_cover.pla"
  equivalent "$work/cover_on.pla" "$work/cover.pla" && equivalent "$work/up_cover.pla" "$work/up.pla" &&
    echo yes || echo NO
}

# "N" from the summary line of a cover, and "proven" or "at least K".
summary() { sed -n '1s/^# \([0-9]*\) terms\?, [a-z ]*, \(proven fewest\|at least [0-9]*\).*/\1 \2/p' "$1"; }

echo "| file | inputs | outputs | joint terms | joint bound | joint ms | one by one | one by one ms | ABC cubes | ABC ms | cec |"
echo "|---|---|---|---|---|---|---|---|---|---|---|"
for file in "$data"/*.pla; do
  name=$(basename "$file" .pla)
  inputs=$(awk '/^\.i / { print $2; exit }' "$file")
  outputs=$(awk '/^\.o / { print $2; exit }' "$file")
  joint_ms=$(timed "$brevano" minimise --budget "$budget" "$file")
  cp "$work/out" "$work/joint.pla"
  read -r joint bound <<<"$(summary "$work/joint.pla")"
  [[ $bound == proven* ]] && bound="proven" || bound="≥ ${bound#at least }"
  single_ms=$(timed "$brevano" minimise --single --budget "$budget" "$file")
  cp "$work/out" "$work/single.pla"
  read -r single _ <<<"$(summary "$work/single.pla")"
  abc_ms=$(timed timeout "$limit" "$abc" -c "read_pla $file; collapse; sop -d; print_stats")
  cubes=$(grep -o 'cube = *[0-9]*' "$work/out" | grep -o '[0-9]*$')
  [[ $abc_ms == ">"* ]] && cubes="none"
  verdict="$(proven "$file" "$work/joint.pla")/$(proven "$file" "$work/single.pla")"
  echo "| $name | $inputs | $outputs | $joint | $bound | $joint_ms | $single | $single_ms | $cubes | $abc_ms | $verdict |"
done
