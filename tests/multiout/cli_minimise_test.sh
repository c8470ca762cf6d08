#!/bin/bash
# brevano minimise end to end: every cover written for the shipped PLA files and for a file of 100
# inputs is proven by ABC's cec to hold each output's 1 points and none of its 0 points; the fd and
# fr files written read back to the same function; bad input is refused.
# Usage: cli_minimise_test.sh PATH_TO_BREVANO DATA_FOLDER
set -u
brevano=$1
data=$2
source "$(dirname "$0")/../cli/expect.sh"
nl=$'\n'
abc=$(command -v berkeley-abc || command -v yosys-abc) || { echo "FAIL: ABC is not installed"; exit 1; }

equivalent() {
  "$abc" -c "read $1; cec $2" 2>&1 | grep -q "Networks are equivalent"
}

# The PLA $1 as type f over its own header: an output is 1 where the term has 1 (with "up": 1 or -).
as_f() {
  awk -v up="${2:-}" '
    /^\.i / { n = $2 } /^\.o / { m = $2 }
    /^\.(i|o|ilb|ob) / { print; next } /^[.#]/ || NF == 0 { next }
    { gsub(/\|/, " "); t = $0; gsub(/[ \t]/, "", t); out = ""
      for (k = 1; k <= m; k++) { c = substr(t, n + k, 1); out = out ((c == "1" || c == "4" || (up && (c == "-" || c == "2"))) ? "1" : "0") }
      print substr(t, 1, n) " " out }
    END { print ".e" }' "$1"
}

# The terms of both files under the header of the first.
union_pla() {
  { grep -v '^\.e' "$1"; grep -v '^[.#]' "$2"; echo .e; } | grep -v '^\.p'
}

# Proves the cover $2 right for the PLA $1: with the 1 terms added it is the same function, and
# with it added the 1 and don't-care terms are.
prove() {
  as_f "$1" >"$work/on.pla"
  as_f "$1" up >"$work/up.pla"
  as_f "$2" >"$work/cover.pla"
  union_pla "$work/cover.pla" "$work/on.pla" >"$work/cover_on.pla"
  union_pla "$work/up.pla" "$work/cover.pla" >"$work/up_cover.pla"
  equivalent "$work/cover_on.pla" "$work/cover.pla" && equivalent "$work/up_cover.pla" "$work/up.pla"
}

terms_of() { grep -c '^[01-]' "$1"; }

for file in "$data"/*.pla; do
  name=$(basename "$file" .pla)
  "$brevano" minimise --budget 20 "$file" >"$work/$name.out" 2>"$work/err" || fail "$name: $(cat "$work/err")"
  prove "$file" "$work/$name.out" || fail "$name: the cover written is not proven by cec"
  head -1 "$work/$name.out" | grep -q '^# [0-9]* terms\?, all outputs together, ' || fail "$name: no summary line"
  if grep -q '^\.ilb' "$file"; then
    [[ $(grep '^\.ilb' "$file" | tr -s ' ') == $(grep '^\.ilb' "$work/$name.out") ]] || fail "$name: .ilb not kept"
  fi
  "$brevano" minimise --single "$file" >"$work/$name.single" 2>"$work/err" || fail "$name --single: $(cat "$work/err")"
  prove "$file" "$work/$name.single" || fail "$name --single: not proven by cec"
done

# fd and fr: read back, the written file is the same function, minimised to a cover cec proves.
for type in fd fr; do
  "$brevano" minimise -o $type "$data/inc.pla" >"$work/inc.$type" || fail "inc -o $type"
  grep -q "^\.type $type\$" "$work/inc.$type" || fail "inc -o $type: no .type line"
  "$brevano" minimise "$work/inc.$type" >"$work/inc.again" || fail "inc -o $type read back"
  prove "$data/inc.pla" "$work/inc.again" || fail "inc -o $type: the file read back has another function"
done

# A file of 100 inputs and 3 outputs, read from standard input: random terms of 6 literals.
awk 'BEGIN { srand(100); print ".i 100\n.o 3"
  for (t = 0; t < 60; t++) { row = ""; for (i = 0; i < 100; i++) row = row "-"
    for (l = 0; l < 6; l++) { i = int(rand() * 100); row = substr(row, 1, i) (rand() < 0.5 ? "0" : "1") substr(row, i + 2) }
    out = ""; for (k = 0; k < 3; k++) out = out (rand() < 0.5 ? "1" : "0"); if (out == "000") out = "100"
    print row " " out }
  print ".e" }' >"$work/wide.pla"
"$brevano" minimise --stats - <"$work/wide.pla" >"$work/wide.out" 2>"$work/err" || fail "wide: $(cat "$work/err")"
grep -q '^lower bound: ' "$work/err" || fail "wide: no --stats"
grep -q '^\.i 100$' "$work/wide.out" || fail "wide: not 100 inputs"
prove "$work/wide.pla" "$work/wide.out" || fail "wide: the cover written is not proven by cec"
(($(terms_of "$work/wide.out") <= 60)) || fail "wide: more terms than the file"

printf '.i 2\n.o 1\n1x 1\n' >"$work/bad.pla"
expect bad_file 1 "" "$work/bad.pla: Line 3: input 2 of a term is \"x\": 0, 1 or -$nl" -- minimise "$work/bad.pla"
expect missing 1 "" "Cannot read $work/none.pla: No such file or directory$nl" -- minimise "$work/none.pla"
expect one_term 0 "# 1 term, all outputs together, proven fewest$nl.i 2$nl.o 1$nl.ilb a b$nl.ob f$nl.p 1${nl}1- 1$nl.e$nl" "" \
  -- minimise <(printf '.i 2\n.o 1\n.ilb a b\n.ob f\n11 1\n10 1\n')

[[ $failures == 0 ]] && echo "all passed"
exit $((failures > 0))
