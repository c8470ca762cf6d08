#!/bin/bash
# A symmetric function as a PLA file of its minterms: 1 when LOW to HIGH of its INPUTS inputs are 1.
# Usage: bench/pla_symmetric.sh INPUTS LOW HIGH > FILE    (9 3 6: the nine-input benchmark function)
awk -v n="$1" -v low="$2" -v high="$3" 'BEGIN { print ".i " n "\n.o 1"
  for (m = 0; m < 2 ^ n; m++) { row = ""; ones = 0
    for (i = n - 1; i >= 0; i--) { bit = int(m / 2 ^ i) % 2; ones += bit; row = row bit }
    if (ones >= low && ones <= high) print row " 1" }
  print ".e" }'
