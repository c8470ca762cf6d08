#!/bin/bash
# brevano analyse --pla and export --format pla end to end; every PLA file written is proven by ABC's
# cec: equal to the expression it was written from, and for a file's output with don't-cares covering
# its 1 rows and none of its 0 rows.
# Usage: cli_pla_test.sh PATH_TO_BREVANO DATA_FOLDER
set -u
brevano=$1
data=$2
source "$(dirname "$0")/../cli/expect.sh"
nl=$'\n'
abc=$(command -v berkeley-abc || command -v yosys-abc) || { echo "FAIL: ABC is not installed"; exit 1; }

# "Networks are equivalent" from ABC's cec of two files.
equivalent() {
  "$abc" -c "read $1; cec $2" 2>&1 | grep -q "Networks are equivalent"
}

# The single-output PLA of output column $2 (from 1) of the PLA $1: its 1 rows, or with "up" its 1 and
# don't-care rows, over the inputs A, B, ... and named f1, f2, ... (the files here name none).
output_pla() {
  awk -v col="$2" -v up="${3:-}" '
    /^\.i / { n = $2 } /^[.#]/ || NF == 0 { next }
    { gsub(/\|/, " "); t = $0; gsub(/[ \t]/, "", t); c = substr(t, n + col, 1)
      if (c == "1" || (up && c == "-")) terms = terms substr(t, 1, n) " 1\n" }
    END { printf ".i %d\n.o 1\n.ilb", n; for (i = 0; i < n; i++) printf " %c", 65 + i
          printf "\n.ob f%d\n%s.e\n", col, terms }' "$1"
}

# The sum of two single-output PLA files' terms.
union_pla() {
  { grep -v '^\.e' "$1"; grep -v '^[.#]' "$2"; echo .e; } | grep -v '^\.p'
}

printf '.i 2\n.o 1\n1x 1\n' >"$work/bad.pla"
expect bad_file 1 "" "$work/bad.pla: Line 3: input 2 of a term is \"x\": 0, 1 or -$nl" -- analyse --pla "$work/bad.pla"
expect one_output 0 "Rows with Result 1: 10 of 128, 16 don't-care${nl}Verdict: depends on the variables${nl}Minterms: 16, 18, 19, 20, 21, 22, 23, 48, 52, 53${nl}Maxterms: 0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 12, 13, 24, 25, 26, 27, 28, 29, 30, 31, 32, 33, 35, 36, 37, 39, 40, 41, 42, 43, 44, 45, 46, 47, 56, 57, 58, 59, 60, 61, 62, 63, 64, 65, 66, 67, 68, 69, 70, 71, 73, 75, 77, 79, 80, 81, 82, 83, 84, 85, 86, 87, 88, 89, 90, 91, 92, 93, 94, 95, 96, 97, 98, 99, 100, 101, 102, 103, 104, 105, 106, 107, 108, 109, 110, 111, 112, 113, 114, 115, 116, 117, 118, 119, 120, 121, 122, 123, 124, 125, 126, 127${nl}Don't-cares: 10, 11, 14, 15, 17, 34, 38, 49, 50, 51, 54, 55, 72, 74, 76, 78${nl}Minimal sum of products: not(A)*C*not(D)$nl" "" \
  -- analyse --form sop --pla "$data/inc.pla" --output 7
"$brevano" analyse --pla "$data/con1.pla" >"$work/blocks" || fail "analyse of every output"
[[ $(grep -c '^Output' "$work/blocks") == 2 && $(head -1 "$work/blocks") == "Output f0 (1 of 2):" ]] ||
  fail "a block for each output: $(head -1 "$work/blocks")"

# A table file read back gives the analysis of its expression.
"$brevano" table --format csv 'a*not(b)+c/d' >"$work/table.csv"
[[ "$("$brevano" analyse --file "$work/table.csv")" == "$("$brevano" analyse 'a*not(b)+c/d')" ]] || fail "table file"

# Written from an expression, with don't-cares or without: ABC proves it equal to the expression's
# netlist, or covering the 1 rows and within the 1 and don't-care rows.
for expression in 'a*b+not(c)*d+a/d' 'a/b/c/d' 'not(a+b)*c+d*e*not(f)'; do
  "$brevano" export --format pla "$expression" >"$work/sum.pla" || fail "export pla $expression"
  "$brevano" export --format blif "$expression" >"$work/typed.blif"
  equivalent "$work/sum.pla" "$work/typed.blif" || fail "cec of $expression"
done

# Each output of a file with don't-cares, minimised and written: on <= sum <= on + don't-cares.
for column in 1 2 3 4 5 6 7 8 9; do
  "$brevano" export --format pla --pla "$data/inc.pla" --output $column >"$work/sum.pla" ||
    { fail "export of output $column"; continue; }
  output_pla "$data/inc.pla" $column >"$work/on.pla"
  output_pla "$data/inc.pla" $column up >"$work/up.pla"
  union_pla "$work/sum.pla" "$work/on.pla" >"$work/sum_on.pla"
  union_pla "$work/sum.pla" "$work/up.pla" >"$work/sum_up.pla"
  equivalent "$work/sum_on.pla" "$work/sum.pla" || fail "output $column does not cover its 1 rows"
  equivalent "$work/sum_up.pla" "$work/up.pla" || fail "output $column covers a 0 row"
done

# The check itself catches a sum that lost a term.
"$brevano" export --format pla --pla "$data/inc.pla" --output 1 | awk '/^[01-]+ 1$/ && !dropped { dropped = 1; next } 1' \
  >"$work/short.pla"
output_pla "$data/inc.pla" 1 >"$work/on.pla"
union_pla "$work/short.pla" "$work/on.pla" >"$work/short_on.pla"
equivalent "$work/short_on.pla" "$work/short.pla" && fail "a sum without one of its terms passed"

[[ $failures == 0 ]] && echo "all passed"
exit $((failures > 0))
