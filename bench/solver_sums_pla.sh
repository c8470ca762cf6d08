#!/bin/bash
# Writes the solver benchmark's sums of 100, 115 and 130 products over 54 inputs as PLA files
# (sum100.pla, ...), stand-ins for the standard set's 54-input functions, which are not at hand.
# Usage: bench/solver_sums_pla.sh PATH_TO_brevano_bench_solver OUTPUT_FOLDER
set -eu
mkdir -p "$2"
for terms in 100 115 130; do
  "$1" --print --only "sum of $terms products" | head -1 | awk -v n=54 '
    { count = split($0, products, "+")
      printf ".i %d\n.o 1\n.ilb", n; for (i = 0; i < n; i++) printf " x%02d", i
      printf "\n.ob f\n.p %d\n", count
      for (p = 1; p <= count; p++) {
        row = ""; for (i = 0; i < n; i++) row = row "-"
        k = split(products[p], literals, "*")
        for (l = 1; l <= k; l++) {
          negated = literals[l] ~ /^not\(/; v = literals[l]; gsub(/[^0-9]/, "", v); v += 0
          row = substr(row, 1, v) (negated ? "0" : "1") substr(row, v + 2)
        }
        print row " 1"
      }
      print ".e" }' >"$2/sum$terms.pla"
done
