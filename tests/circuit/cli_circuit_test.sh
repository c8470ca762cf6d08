#!/bin/bash
# brevano circuit and export end to end: the SVG well-formed (xmllint), and the netlist of every form proven
# equivalent to the table: the BLIF by ABC's cec, the Verilog by Yosys (a miter proven by SAT), the VHDL by
# Yosys on what GHDL synthesises of it; then the errors.
# Usage: cli_circuit_test.sh PATH_TO_BREVANO
set -u
brevano=$1
source "$(dirname "$0")/../cli/expect.sh"
forms="typed sop pos nand nor"
nl=$'\n'

for tool in xmllint berkeley-abc yosys; do
  command -v $tool >/dev/null || { echo "$tool not found: install it with scripts/install-deps.sh"; exit 1; }
done
# GHDL reads the VHDL and synthesises it into Verilog for Yosys, where its synthesis works.
vhdl=1
printf 'entity probe is port (a : in bit; y : out bit); end;\narchitecture x of probe is begin y <= a; end;\n' \
  >"$work/probe.vhdl"
if ! (cd "$work" && ghdl --synth --std=08 --out=verilog probe.vhdl -e probe >/dev/null 2>&1); then
  echo "GHDL cannot synthesise here: the VHDL netlists are not checked"
  vhdl=0
fi

# The table as a BLIF cover of its rows with Result 1, over the names that the export gave its ports.
reference() {
  local expression=$1 names=$2 output=$3
  echo ".model ref"
  echo ".inputs $names"
  echo ".outputs $output"
  local rows
  rows=$("$brevano" table "$expression" 2>/dev/null | tail -n +2 | awk -F'\t' '$NF == 1 {
    row = ""; for (i = 1; i < NF; i++) row = row $i; print (row == "" ? "1" : row " 1") }')
  # ABC reads a constant 0 as a table without inputs or rows.
  [[ -n $rows ]] && echo ".names $names $output" && echo "$rows"
  [[ -z $rows ]] && echo ".names $output"
  echo ".end"
}

check() {
  local expression=$1 dir="$work/$2"
  mkdir -p "$dir"
  local style=ansi
  for form in $forms; do
    style=$([[ $style == ansi ]] && echo iec || echo ansi)
    "$brevano" circuit --format svg --form $form --style $style "$expression" >"$dir/$form.svg" 2>/dev/null ||
      fail "svg of $expression ($form, $style)"
    for format in blif verilog vhdl; do
      "$brevano" export --format $format --form $form "$expression" >"$dir/$form.$format" 2>/dev/null ||
        fail "export of $expression ($form, $format)"
    done
    sed -i "s/boolean_function/f_$form/" "$dir/$form.verilog"
  done
  xmllint --noout "$dir"/*.svg || fail "svg of $expression"
  local names output
  names=$(grep '^\.inputs' "$dir/typed.blif" | cut -d' ' -f2-)
  [[ $names == .inputs ]] && names=""
  output=$(grep '^\.outputs' "$dir/typed.blif" | cut -d' ' -f2)
  reference "$expression" "$names" "$output" >"$dir/ref.blif"

  local script="" proofs=""
  for form in $forms; do script="$script cec $dir/ref.blif $dir/$form.blif;"; done
  [[ $(berkeley-abc -c "$script" 2>&1 | grep -c 'Networks are equivalent') == 5 ]] ||
    fail "ABC: the BLIF of $expression is not equivalent to its table"

  for form in $forms; do
    proofs="$proofs read_verilog $dir/$form.verilog;"
    proofs="$proofs miter -equiv -flatten -make_assert ref f_$form m_$form; sat -verify -prove-asserts m_$form;"
    if [[ $vhdl == 1 ]]; then
      (cd "$dir" && ghdl --synth --std=08 --out=verilog "$form.vhdl" -e boolean_function 2>/dev/null) |
        sed "s/module boolean_function/module v_$form/" >"$dir/$form-vhdl.v" || fail "GHDL: the VHDL of $expression ($form)"
      proofs="$proofs read_verilog $dir/$form-vhdl.v;"
      proofs="$proofs miter -equiv -flatten -make_assert ref v_$form w_$form; sat -verify -prove-asserts w_$form;"
    fi
  done
  yosys -q -p "read_blif $dir/ref.blif; $proofs" >"$dir/yosys.log" 2>&1 ||
    fail "Yosys: the Verilog or VHDL of $expression is not equivalent to its table: $(tail -3 "$dir/yosys.log")"
}

n=0
for expression in 'not(a)*b+a*c' 'a/b/c/d' 'not(a+b)*c/(a*d)+not(b)' 'a*b+c*d+e*f+g*h+not(i)*j' 'not(0)' \
  'a*not(a)' 'b*1' 'not(b)' 'and*in+not(result)/g1+boolean_function*x__+1x'; do
  n=$((n + 1))
  check "$expression" $n
done

expect too_large 1 "" "The circuit has 300 gates: at most 250 are drawn. Write it as a netlist with brevano export.$nl" \
  -- circuit --format svg "$(e=a0; for i in $(seq 1 300); do e="not($e*a$((i % 30)))"; done; echo "$e")"
expect not_computed 1 "" "No circuit: the minimal sum of products is not computed: more than 1,000 terms$nl" \
  -- export --format blif --form sop "$(e=a0; for i in $(seq 1 20); do e="$e/a$i"; done; echo "$e")"
# Too complex for the diagrams and as cubes, and not constant: refused at once, without going through its
# 2^40 rows.
tangled=$(awk 'BEGIN { srand(3); for (t = 0; t < 150; t++) { printf (t ? "+" : ""); for (f = 0; f < 4; f++) {
  v = sprintf("t%02d", int(rand() * 40)); printf "%s%s", (f ? "*" : ""), (rand() < 0.5 ? v : "not(" v ")") } } }')
expect too_complex 1 "" "No circuit: the minimal sum of products is not computed: too complex for exact analysis$nl" \
  -- circuit --form sop "($tangled)/t00"
expect text 0 "Minimal product of sums: (A+B)*(not(A)+C)${nl}Inputs: A, B, C${nl}Gates: 4 (1 NOT, 1 AND, 2 OR)${nl}g1 = OR(A, B)${nl}g2 = NOT(A)${nl}g3 = OR(g2, C)${nl}Result = AND(g1, g3)$nl" "" \
  -- circuit --form pos 'not(a)*b+a*c'
expect bad_format 2 "" "--format: edif not in {blif,verilog,vhdl,pla}${nl}Run with --help for more information.$nl" \
  -- export --format edif a

# A file's outputs drawn together: the term a*b one gate read by the ORs of x and y.
printf '.i 3\n.o 3\n.ilb a b c\n.ob x y z\n11- 110\n0-1 100\n--0 010\n--- 001\n.e\n' >"$work/shared.pla"
expect shared_text 0 "The least sum of products of every output together, each product term one gate (proven least)${nl}Inputs: a, b, c${nl}Outputs: x, y, z${nl}Gates: 6 (2 NOT, 2 AND, 2 OR)${nl}g1 = NOT(a)${nl}g2 = NOT(c)${nl}g3 = AND(g1, c)${nl}g4 = AND(a, b)${nl}x = OR(g3, g4)${nl}y = OR(g2, g4)${nl}z = 1$nl" "" \
  -- circuit --pla "$work/shared.pla"
"$brevano" circuit --pla "$work/shared.pla" --format svg --style iec >"$work/shared.svg" && xmllint --noout "$work/shared.svg" ||
  fail "svg of a file's outputs together"
expect shared_form 2 "" "--form: every output of a file is drawn as a sum of products: --form sop, or none${nl}Run with --help for more information.$nl" \
  -- circuit --pla "$work/shared.pla" --form nand
expect one_output 0 "As typed${nl}Inputs: A, B, C${nl}Gates: 3 (1 NOT, 1 AND, 1 OR)${nl}g1 = AND(A, B)${nl}g2 = NOT(C)${nl}Result = OR(g1, g2)$nl" "" \
  -- circuit --pla "$work/shared.pla" --output y

[[ $failures == 0 ]] && echo "all passed"
exit $((failures > 0))
