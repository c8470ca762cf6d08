#!/bin/bash
# A random PLA file for benchmarks: INPUTS inputs, OUTPUTS outputs, TERMS terms of about LITERALS
# literals each at random inputs, each term 1 in about 30 % of the outputs (in one at least).
# Usage: bench/pla_random.sh INPUTS OUTPUTS TERMS SEED LITERALS > FILE
awk -v n="$1" -v m="$2" -v t="$3" -v seed="$4" -v lits="$5" 'BEGIN { srand(seed); print ".i " n "\n.o " m
  for (k = 0; k < t; k++) { row = ""; for (i = 0; i < n; i++) row = row "-"
    for (l = 0; l < lits; l++) { i = int(rand() * n); row = substr(row, 1, i) (rand() < 0.5 ? "0" : "1") substr(row, i + 2) }
    out = ""; for (j = 0; j < m; j++) out = out (rand() < 0.3 ? "1" : "0"); if (out !~ /1/) out = "1" substr(out, 2)
    print row " " out }
  print ".e" }'
