#!/bin/bash
# brevano explain and check-steps end to end: the derivation's lines and laws, the tabular method,
# the exit status of a right and a wrong derivation, and errors alone on standard error.
# Usage: cli_explain_test.sh PATH_TO_BREVANO
set -u
brevano=$1
source "$(dirname "$0")/../cli/expect.sh"

nl=$'\n'
tab=$'\t'
proof="Proof of minimality: Row 3 needs a term: every sum of products has at least 1 term (1 essential prime); this one has 1: it is least.$nl"
expect derivation 0 "1  A*(B+not(A))  given${nl}2  A*B+A*not(A)  distributive${nl}3  A*B+0         complement${nl}4  A*B           identity${nl}$proof" "" \
  -- explain 'a*(b+not(a))'
expect tsv 0 "1${tab}given${tab}A*(B+not(A))${nl}2${tab}distributive${tab}A*B+A*not(A)${nl}3${tab}complement${tab}A*B+0${nl}4${tab}identity${tab}A*B$nl" "" \
  -- explain --format tsv 'a*(b+not(a))'
expect dont_care_needs_tabular 2 "" "--dont-care: only with --method tabular: a derivation keeps the function${nl}Run with --help for more information.$nl" \
  -- explain --dont-care a 'a*b'
expect too_wide 1 "" "explain takes at most 16 variables; this has 17$nl" -- explain 'a/b/c/d/e/f/g/h/i/j/k/l/m/n/o/p/q'

# Every line of a product's derivation typed back is the function, and the last is analyse's product.
"$brevano" explain --form pos --format tsv 'not(a+b)*c + a/b' >"$work/pos" || fail "pos: status"
while IFS=$'\t' read -r step law line; do
  "$brevano" equiv 'not(a+b)*c + a/b' "$line" >/dev/null || fail "pos: step $step ($law) is not equal: $line"
done <"$work/pos"
want=$("$brevano" analyse --form pos 'not(a+b)*c + a/b' | sed -n 's/^Minimal product of sums: //p')
[[ $(tail -1 "$work/pos" | cut -f3) == "$want" ]] || fail "pos: does not end at $want"

"$brevano" explain --method tabular 'a*b+not(a)*c+b*c' >"$work/tabular" || fail "tabular: status"
for line in "  P1  0-1  not(A)*C: 1, 3" "Essential primes: P1=not(A)*C P2=A*B" "  round 1: P3 is dropped: it covers no row left" \
  "Least sum: not(A)*C+A*B (2 terms, 4 literals)"; do
  grep -qxF -- "$line" "$work/tabular" || fail "tabular: no line \"$line\""
done

printf 'not(a*b)+c\nnot(a)+not(b)+c # De Morgan\n\n# a comment\nnot(a)*not(b)+c # De Morgan\n' >"$work/wrong"
expect wrong_step 3 "line 5: not the same function as line 2: A=0 B=1 C=0 gives 1 on line 2 and 0 on line 5${nl}line 5: De Morgan does not give this step: a law keeps the function, this step changes it$nl" "" \
  -- check-steps "$work/wrong"
printf 'a*b+a*not(b) # uniting\na\n' >"$work/right"
expect right_steps 0 "All 2 lines are the same function.$nl" "" -- check-steps "$work/right"
expect unknown_law 0 "All 2 lines are the same function.$nl" "warning: line 2: \"magic\" is not one of the laws this program knows$nl" \
  -- check-steps - < <(printf 'a\na*1 # magic\n')
expect unreadable_line 1 "" "line 2: The operator \"+\" has only one operand that is a truth value: its right operand is empty$nl" \
  -- check-steps - < <(printf 'a\na+\n')
expect wide_steps 3 "line 2: not the same function as line 1: A=0 B=0 C=0 D=0 E=0 F=0 G=0 H=0 I=0 J=0 K=0 L=0 M=0 N=0 O=0 P=0 Q=1 gives 0 on line 1 and 1 on line 2$nl" "" \
  -- check-steps - < <(printf 'a*b*c*d*e*f*g*h*i*j*k*l*m*n*o*p*q\na*b*c*d*e*f*g*h*i*j*k*l*m*n*o*p/q\n')

[[ $failures == 0 ]] && echo "all passed"
exit $((failures > 0))
