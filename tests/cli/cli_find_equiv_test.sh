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
expect find_past_end 0 "none$nl" "" -- find --from 8 'a+b'
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

[[ $failures == 0 ]] && echo "all passed"
exit $((failures > 0))
