#!/bin/bash
# brevano kmap end to end: the text map, the SVG as well-formed XML with a cell element per row, and
# the errors for tables too wide or without variables.
# Usage: cli_kmap_test.sh PATH_TO_BREVANO
set -u
brevano=$1
source "$(dirname "$0")/../cli/expect.sh"

nl=$'\n'
map="   BC${nl}A  00  01  11  10${nl}0   0   0   1   1${nl}1   0   1   1   0${nl}"
expect sum 0 "$map${nl}Least sum of products: not(A)*B+A*C${nl}  not(A)*B${nl}  A*C$nl" "" \
  -- kmap 'not(a)*b+a*c'
expect product 0 "$map${nl}Least product of sums: (A+B)*(not(A)+C)${nl}  (A+B)${nl}  (not(A)+C)$nl" "" \
  -- kmap --cover pos 'not(a)*b+a*c'
expect none 0 "$map" "" -- kmap --cover none 'not(a)*b+a*c'
expect warned 0 "$map" "warning: The function \"nto\" is ignored by the table: did you mean not(...)?$nl" \
  -- kmap --cover none 'nto(not(a))*b+a*c'
expect layers 0 "A = 0                 A = 1
    DE                    DE
BC  00  01  11  10    BC  00  01  11  10
00   0   0   0   0    00   1   1   1   1
01   0   0   0   0    01   1   1   1   1
11   0   0   0   0    11   1   1   1   1
10   0   0   0   0    10   1   1   1   1

Least sum of products: A
  A
" "" -- kmap 'a+b*not(b)*c*d*e'
# Don't-care cells are drawn as "-" and grouped where they make the cover smaller.
expect dont_care 0 "    CD${nl}AB  00  01  11  10${nl}00   -   1   1   -${nl}01   0   -   1   0${nl}11   0   0   1   0${nl}10   0   0   1   0${nl}${nl}Least sum of products: not(A)*not(B)+C*D${nl}  not(A)*not(B)${nl}  C*D$nl" "" \
  -- kmap --dont-care 'not(a)*not(b)*not(d)+not(a)*b*not(c)*d' 'not(a)*not(b)*d+not(a)*b*c*d+c*d'
# Only the map's own variables: another is refused by name, as analyse and the window refuse it.
expect dont_care_other_variable_kmap 1 "" "The don't-care expression names C, which is not a column of the table (its columns are A, B)$nl" \
  -- kmap --dont-care 'c' 'a*b'
expect too_wide 1 "" "A Karnaugh map is drawn for 1 to 6 variables; this table has 7$nl" -- kmap 'a+b+c+d+e+f+g'
expect constant 1 "" "A Karnaugh map is drawn for 1 to 6 variables; this table has 0$nl" -- kmap 'not(0)'
expect bad_cover 2 "" "--cover: sum not in {sop,pos,none}${nl}Run with --help for more information.$nl" \
  -- kmap --cover sum a

if command -v xmllint >/dev/null; then
  expression=a
  for count in 1 2 3 4 5 6; do
    "$brevano" kmap --format svg "$expression" >"$work/map.svg" || fail "svg of $count variables"
    xmllint --noout "$work/map.svg" || fail "svg of $count variables is not well-formed"
    cells=$(xmllint --xpath "count(//*[local-name()='rect'][@class='cell'])" "$work/map.svg")
    [[ $cells == $((1 << count)) ]] || fail "svg of $count variables has $cells cells"
    expression="$expression/v$count"
  done
  "$brevano" kmap --format svg 'a&b*not(c<d)' | xmllint --noout - || fail "svg with markup characters"
else
  echo "xmllint not found: the SVG checks are skipped"
fi

[[ $failures == 0 ]] && echo "all passed"
exit $((failures > 0))
