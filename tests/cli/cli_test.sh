#!/bin/bash
# The command-line tool end to end: outputs compared byte for byte, exit statuses, and that an
# error prints its message alone on standard error.
# Usage: cli_test.sh PATH_TO_BREVANO
set -u
brevano=$1
source "$(dirname "$0")/expect.sh"

# expect_usage_error NAME ARGS...: status 2, nothing on standard output, a message on standard error.
expect_usage_error() {
  local name=$1
  shift
  "$brevano" "$@" >"$work/out" 2>"$work/err"
  local got=$?
  if [[ $got != 2 || -s "$work/out" || ! -s "$work/err" ]]; then
    echo "FAIL $name: status $got (want 2), stdout $(wc -c <"$work/out") bytes, stderr $(wc -c <"$work/err") bytes"
    failures=$((failures + 1))
  fi
}

nl=$'\n'
tab=$'\t'
cr=$'\r'

expect parse 0 "not @F{+{a, b}}$nl" "" -- parse 'not(a+b)'
expect parse_sequence 0 "+{a, b}${nl}c$nl" "" -- parse 'a+b;c'
expect listing 0 "not @F$nl+ @F${nl}a${nl}b$nl" "" -- listing 'not(a+b)'
expect listing_indexed 0 "m @A${nl}x$nl" "" -- listing 'm[x]'

expect table_tsv 0 "A${tab}B${tab}Result${nl}0${tab}0${tab}1${nl}0${tab}1${tab}0${nl}1${tab}0${tab}0${nl}1${tab}1${tab}0$nl" "" \
  -- table 'not(a+b)'
expect table_tsv_ft 0 "A${tab}B${tab}Result${nl}F${tab}F${tab}T${nl}F${tab}T${tab}F${nl}T${tab}F${tab}F${nl}T${tab}T${tab}F$nl" "" \
  -- table --ft 'not(a+b)'
expect table_csv 0 "A,B,Result$cr${nl}0,0,1$cr${nl}0,1,0$cr${nl}1,0,0$cr${nl}1,1,0$cr$nl" "" \
  -- table --format csv 'not(a+b)'
expect table_markdown 0 "| M @A | X | Result |$nl|---|---|---|$nl| 0 | 0 | 0 |$nl| 0 | 1 | 1 |$nl| 1 | 0 | 0 |$nl| 1 | 1 | 1 |$nl" \
  "warning: The indexed name \"m[x]\" is taken for a variable \"M @A\": use ( ) to group.${nl}warning: Part of the expression does not reach the result: \"M @A\".$nl" \
  -- table --format markdown 'm[x]'
expect table_latex 0 "\\begin{tabular}{cc}${nl}A & Result \\\\$nl\\hline${nl}F & T \\\\${nl}T & F \\\\$nl\\end{tabular}$nl" "" \
  -- table --format latex --ft 'not(a)'
expect table_constant 0 "Result${nl}1$nl" "" -- table 'not(0)'
minus_warning="warning: A leading \"-\" is read as a negation, which the table ignores: use not(...) for NOT.$nl"
expect table_leading_minus 0 "A${tab}Result${nl}0${tab}0${nl}1${tab}1$nl" "$minus_warning" -- table -- -a

# Warnings go to standard error and leave the status alone; --strict makes them an error.
expect table_strict 1 "" "$minus_warning" -- table --strict -- -a
expect table_strict_clean 0 "A${tab}Result${nl}0${tab}1${nl}1${tab}0$nl" "" -- table --strict 'not(a)'
expect check 0 "Evaluated as: A+B${nl}warning: The function \"not \" is ignored by the table: write not(...) without a space.${nl}Suggested: not(a+b)$nl" "" \
  -- check 'not (a+b)'
expect check_clean 0 "Evaluated as: not(A+B)$nl" "" -- check 'not(a+b)'
expect check_error 1 "" "The operator \"not\" has no operand that is a truth value: 1+1 was folded to the number 2$nl" \
  -- check 'not(1+1)'
expect check_error_meant 1 "" "The operator \"*\" has only one operand that is a truth value: 1.0 is a number not written as 0 or 1${nl}Suggested: 1*a+b$nl" \
  -- check '1.0*a+b'

expect error_operand 1 "" "The operator \"+\" has only one operand that is a truth value: its right operand is empty$nl" \
  -- table 'a+'
expect error_not 1 "" "The operator \"not\" has no operand that is a truth value: nothing stands between its parentheses$nl" \
  -- table 'not()'
long=$(printf 'a%.0s' $(seq 1 65537))
expect error_length_table 1 "" "The expression is too long (65537 bytes): at most 65536 are accepted$nl" -- table "$long"
expect error_length_listing 1 "" "The expression is too long (65537 bytes): at most 65536 are accepted$nl" -- listing "$long"
many=$(printf 'v%d+' $(seq 1 63))v64
expect error_variables 1 "" "Too many variables (64): at most 63 can be tabulated$nl" -- table "$many"

expect_usage_error no_subcommand
expect_usage_error unknown_subcommand frobnicate a
expect_usage_error no_expression table
expect_usage_error bad_format table --format xml a
expect_usage_error unknown_option table --bold a

# A full disk is an error with its message; the table is written straight to the descriptor.
"$brevano" table a >/dev/full 2>"$work/err"
status=$?
if [[ $status != 1 || $(cat "$work/err") != "Cannot write the table: No space left on device" ]]; then
  echo "FAIL full_disk: status $status, stderr: $(cat "$work/err")"
  failures=$((failures + 1))
fi

# A reader that stops early ends a long table quietly and successfully.
twenty='a+b+c+d+e+f+g+h+i+j+k+l+m+n+o+p+q+r+s+t'
"$brevano" table "$twenty" 2>"$work/err" | head -c 100 >/dev/null
status=${PIPESTATUS[0]}
if [[ $status != 0 || -s "$work/err" ]]; then
  echo "FAIL broken_pipe: status $status, stderr: $(cat "$work/err")"
  failures=$((failures + 1))
fi

# The whole table of 20 variables: a caption line and 2^20 rows.
lines=$("$brevano" table "$twenty" | wc -l)
if [[ $lines != 1048577 ]]; then
  echo "FAIL twenty_variables: $lines lines"
  failures=$((failures + 1))
fi

if ((failures > 0)); then
  echo "$failures check(s) failed"
  exit 1
fi
echo "all checks passed"
