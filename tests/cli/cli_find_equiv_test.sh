#!/bin/bash
# brevano find and brevano equiv end to end: answers, "none", exit statuses and errors.
# Usage: cli_find_equiv_test.sh PATH_TO_BREVANO
set -u
brevano=$1
source "$(dirname "$0")/expect.sh"

nl=$'\n'
and40=x10
for i in $(seq 11 49); do and40="$and40*x$i"; done
ones40=$(printf 'X%d=1 ' $(seq 10 49))
expect find_first 0 "3 (A=1 B=1)$nl" "" -- find 'a*b'
expect find_from 0 "6 (A=1 B=1 C=0)$nl" "" -- find --from 4 'a*b+c*not(c)*a'
expect find_previous 0 "2 (A=1 B=0)$nl" "" -- find --previous --result 0 --from 2 'a*b'
expect find_last_zero 0 "2 (A=1 B=0)$nl" "" -- find --previous --result 0 'a*b'
expect find_nth 0 "6 (A=1 B=1 C=0)$nl" "" -- find --nth 4 'a+b*c'
expect find_none 0 "none$nl" "" -- find --nth 6 'a+b*c'
expect find_past_end 1 "" "There is no row 8: the rows are numbered from 0 to 3$nl" -- find --from 8 'a+b'
expect find_constant 0 "0$nl" "" -- find '1'
expect find_forty 0 "1099511627775 (${ones40% })$nl" "" -- find "$and40"
expect find_nth_zero 1 "" "The rows are counted from 1: --nth 0 names none$nl" -- find --nth 0 a
expect find_bad_result 2 "" "--result: 2 not in {0,1}${nl}Run with --help for more information.$nl" -- find --result 2 a
expect find_engine_error 1 "" "Floating point division by zero$nl" -- find '1/0'

expect equivalent 0 "equivalent$nl" "" -- equiv 'not(a+b)' 'not(a)*not(b)'
expect not_equivalent 3 "not equivalent: first differing row 3 (A=1 B=1), a+b gives 1, a/b gives 0$nl" "" \
  -- equiv 'a+b' 'a/b'
expect union 3 "not equivalent: first differing row 1 (A=0 B=0 C=1), a+b gives 0, c gives 1$nl" "" -- equiv 'a+b' 'c'
expect forty 3 "not equivalent: first differing row 1099511627775 (${ones40% }), $and40 gives 1, 0 gives 0$nl" "" \
  -- equiv "$and40" 0
expect equiv_error 1 "" "Floating point division by zero$nl" -- equiv a '1/0'
# Warnings of both sides, each led by its expression, and a verdict about the tables as read.
long_a=long_signal_name_enable_a
cut="is cut to its first 23 characters: its column is \"LONG_SIGNAL_NAME_ENABLE\"."
expect equiv_as_read 0 "equivalent (the tables as read: see the warnings)$nl" \
  "warning: \"$long_a\": The name \"$long_a\" $cut${nl}warning: \"${long_a%a}b\": The name \"${long_a%a}b\" $cut$nl" \
  -- equiv "$long_a" "${long_a%a}b"

# The command line's own mistakes, and "-" for a line of standard input.
"$brevano" tabel a >"$work/out" 2>"$work/err"
[[ $? == 2 && ! -s "$work/out" && $(<"$work/err") == "Unknown command \"tabel\": the commands are parse, expand,"* ]] ||
  fail "unknown_command: $(<"$work/err")"
expect option_like 2 "" "expression is required${nl}Run with --help for more information.${nl}The expression \"-a+b\" \
begins with \"-\" and was taken for an option: put -- before it, as in brevano table -- -a+b$nl" -- table -a+b
[[ $(printf 'a/b\nc\n' | "$brevano" find -) == "1 (A=0 B=1)" ]] || fail "stdin_expression"
[[ $(printf 'a\r\nnot(not(a))\n' | "$brevano" equiv - -) == "equivalent" ]] || fail "stdin_two_expressions"
"$brevano" table - </dev/null >"$work/out" 2>"$work/err"
[[ $? == 2 && $(<"$work/err") == *"stands for a line of standard input, but it has none" ]] || fail "stdin_empty"

# Beyond 32 variables, too complex for the decision diagram in table order (every a before every b): the
# solver, or the diagram in the order of the text.
pairs=a10*b10 swapped=b10*a10 changed=a10*b10
for i in $(seq 11 29); do
  pairs="$pairs+a$i*b$i" swapped="b$i*a$i+$swapped"
  changed="$changed+a$i*b$((i == 29 ? 28 : i))"
done
bits() { printf "$1%d=$2 " $(seq 10 29); }
row1048577="$(bits A 0)$(bits B 0)"
row1048577="${row1048577/A29=0/A29=1}" row1048577="${row1048577/B29=0/B29=1}"
expect find_pairs 0 "1048577 (${row1048577% })$nl" "" -- find "$pairs"
lastZero="$(bits A 1)$(bits B 0)"
expect find_pairs_previous 0 "1099510579200 (${lastZero% })$nl" "" -- find --previous --result 0 "$pairs"
expect equiv_pairs 0 "equivalent$nl" "" -- equiv "$pairs" "$swapped"
expect equiv_pairs_changed 3 "not equivalent: first differing row 1048577 (${row1048577% }), $pairs gives 1, $changed gives 0$nl" "" \
  -- equiv "$pairs" "$changed"
row1048579="${row1048577/B28=0/B28=1}"
expect find_pairs_nth 0 "1048579 (${row1048579% })$nl" "" -- find --nth 2 "$pairs"
# 150 random products of four of 40 variables: too complex for a diagram in any order.
tangled=$(awk 'BEGIN { srand(3); for (t = 0; t < 150; t++) { printf (t ? "+" : ""); for (f = 0; f < 4; f++) {
  v = sprintf("t%02d", int(rand() * 40)); printf "%s%s", (f ? "*" : ""), (rand() < 0.5 ? v : "not(" v ")") } } }')
# Its negation: rows with Result 1 far apart, found by the solver; the sum reversed, and the first
# literal negated, compared by the solver's miter.
sparse="not($tangled)" reversed="not($(tr '+' '\n' <<<"$tangled" | tac | paste -sd+))"
changed="not(not(${tangled:0:3})${tangled:3})"
assignment() { local out="" i; for i in $(seq 0 39); do out+="T$(printf %02d "$i")=$((($1 >> (39 - i)) & 1)) "; done; echo "${out% }"; }
expect find_sparse 0 "1286322 ($(assignment 1286322))$nl" "" -- find "$sparse"
expect find_sparse_previous 0 "1099509458428 ($(assignment 1099509458428))$nl" "" -- find --previous "$sparse"
expect equiv_sparse 0 "equivalent$nl" "" -- equiv "$sparse" "$reversed"
expect equiv_sparse_changed 3 "not equivalent: first differing row 289490472 ($(assignment 289490472)), $sparse gives 1, $changed gives 0$nl" "" \
  -- equiv "$sparse" "$changed"
expect find_tangled_nth 1 "" "Too complex to count: the n-th row needs the decision diagram, which exceeds its budget, and the table is too large to go through row by row$nl" \
  -- find --nth 1000000000 "$tangled"

[[ $failures == 0 ]] && echo "all passed"
exit $((failures > 0))
