#!/bin/bash
# The joint cover of each PLA file written as BLIF, Verilog and VHDL netlists (brevano minimise
# --format): its gates, and ABC's cec proof of each netlist against the file (the Verilog as Yosys
# reads it, the VHDL as GHDL synthesises it; "-" where GHDL cannot synthesise).
# Usage: bench/pla_netlists.sh PATH_TO_BREVANO [PLA_FOLDER] [BUDGET_SECONDS]
set -u
brevano=$1
data=${2:-/work/shared/data/pla}
budget=${3:-10}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
source "$(dirname "$0")/../tests/multiout/netlist_proof.sh"
formats="blif verilog vhdl"
ghdl_synthesises || formats="blif verilog"

echo "| file | terms | NOT | AND | shared AND | OR | gate inputs | BLIF | Verilog | VHDL |"
echo "|---|---|---|---|---|---|---|---|---|---|"
for file in "$data"/*.pla; do
  name=$(basename "$file" .pla)
  for format in blif verilog vhdl; do
    "$brevano" minimise --budget "$budget" --format $format "$file" >"$work/$name.$format" 2>/dev/null
  done
  terms=$(sed -n '1s/^# [^:]*: \([0-9]*\) terms\?.*/\1/p' "$work/$name.blif")
  # A shared AND is read by the OR gates or connections of two outputs or more.
  read -r nots ands shared ors wires <<<"$(awk '/^  (not|and|or) / { n[$1]++; w += gsub(/,/, ",") }
    /^  and / { split($0, f, /[(,]/); and_net[f[2]] = 1 }
    /^  or / || /^  assign / { gsub(/[(),;=]/, " "); for (i = 3; i <= NF; i++) if ($i in and_net) reads[$i]++ }
    END { for (t in reads) s += reads[t] > 1; print n["not"] + 0, n["and"] + 0, s + 0, n["or"] + 0, w + 0 }' \
    "$work/$name.verilog")"
  row="| $name | $terms | $nots | $ands | $shared | $ors | $wires"
  for format in blif verilog vhdl; do
    if [[ $formats != *$format* ]]; then
      row="$row | -"
    elif prove "$file" $format "$work/$name.$format" "$work/$name.blif"; then
      row="$row | yes"
    else
      row="$row | NO"
    fi
  done
  echo "$row |"
done
