#!/bin/bash
# brevano minimise --format blif|verilog|vhdl end to end: every netlist written for the shipped PLA files
# and for two random ones (one with a constant 0 and a constant 1 output, don't-cares and names to
# rename, one of 70 inputs) is proven by ABC's cec to hold each output's 1 points and none of its 0
# points: the BLIF as written, the Verilog as Yosys reads it, the VHDL as GHDL synthesises it; then
# the option errors.
# Usage: cli_minimise_netlist_test.sh PATH_TO_BREVANO DATA_FOLDER
set -u
brevano=$1
data=$2
source "$(dirname "$0")/../cli/expect.sh"
source "$(dirname "$0")/netlist_proof.sh"
nl=$'\n'

for tool in berkeley-abc yosys; do
  command -v $tool >/dev/null || { echo "$tool not found: install it with scripts/install-deps.sh"; exit 1; }
done
formats="blif verilog vhdl"
if ! ghdl_synthesises; then
  echo "GHDL cannot synthesise here: the VHDL netlists are not checked"
  formats="blif verilog"
fi

# Eight inputs and four outputs: odd names, output 2 holding a full cube (1), output 3 no 1 (0), and
# output 1 with don't-cares, which its 1 terms keep clear of by their last input.
awk 'BEGIN { srand(29); print ".i 8\n.o 4\n.ilb in a.b 1x A c[2] c(2) u1 std_logic\n.ob in a zero_ t1"
  print "-------- 0100"
  for (t = 0; t < 30; t++) { row = ""; for (i = 0; i < 7; i++) row = row substr("01--", int(rand() * 4) + 1, 1)
    first = substr("1-0", int(rand() * 3) + 1, 1); row = row (first == "-" ? "1" : "0")
    print row " " first substr("01", int(rand() * 2) + 1, 1) "0" substr("110", int(rand() * 3) + 1, 1) }
  print ".e" }' >"$work/odd.pla"

# 70 inputs, beyond a table: 3 outputs of 20 random terms of 5 literals, no don't-cares.
awk 'BEGIN { srand(70); print ".i 70\n.o 3"
  for (t = 0; t < 20; t++) { row = ""; for (i = 0; i < 70; i++) row = row "-"
    for (l = 0; l < 5; l++) { i = int(rand() * 70); row = substr(row, 1, i) (rand() < 0.5 ? "0" : "1") substr(row, i + 2) }
    out = ""; for (k = 0; k < 3; k++) out = out (rand() < 0.5 ? "1" : "0"); print row " " out }
  print ".e" }' >"$work/wide.pla"

for file in "$data"/*.pla "$work/odd.pla" "$work/wide.pla"; do
  name=$(basename "$file" .pla)
  modes="joint"
  [[ $name == odd || $name == misex1 ]] && modes="joint single"
  for mode in $modes; do
    flag=$([[ $mode == single ]] && echo --single)
    "$brevano" minimise --format blif $flag "$file" >"$work/$name.blif" 2>"$work/err" || fail "$name $mode: $(cat "$work/err")"
    for format in $formats; do
      [[ $format != blif ]] && { "$brevano" minimise --format $format $flag "$file" >"$work/$name.$format" 2>"$work/err" ||
        fail "$name $mode $format: $(cat "$work/err")"; }
      prove "$file" $format "$work/$name.$format" "$work/$name.blif" ||
        fail "$name $mode $format: the netlist is not proven by cec: $(tail -3 "$work/yosys.log" "$work/ghdl.log" 2>/dev/null)"
    done
  done
done

head -1 "$work/misex1.blif" | grep -q "^# $data/misex1.pla: [0-9]* terms, each output alone, " ||
  fail "misex1: no summary comment: $(head -1 "$work/misex1.blif")"
grep -q '^// input "a.b" is a_b$' "$work/odd.verilog" || fail "odd: the renamed input is not listed"
grep -q '^-- output "in" is in_3$' "$work/odd.vhdl" 2>/dev/null || [[ $formats != *vhdl* ]] ||
  fail "odd: the renamed output is not listed"
grep -q "^  assign a_2 = 1'b1;$" "$work/odd.verilog" || fail "odd: output a is not the constant 1"
grep -q "^  assign zero = 1'b0;$" "$work/odd.verilog" || fail "odd: output zero_ is not the constant 0"

expect output_type 2 "" "--output-type: only with --format pla${nl}Run with --help for more information.$nl" \
  -- minimise --format blif -o fd "$data/inc.pla"
expect bad_format 2 "" "--format: edif not in {pla,blif,verilog,vhdl}${nl}Run with --help for more information.$nl" \
  -- minimise --format edif "$data/inc.pla"

[[ $failures == 0 ]] && echo "all passed"
exit $((failures > 0))
