#!/usr/bin/env bash
# Checks that brevano reads and writes numbers with the decimal separator of LC_NUMERIC, and its override.
# Usage: check_locale.sh BREVANO   (exit status 77, a skip, when the de_DE.UTF-8 locale is not installed)
set -uo pipefail
brevano=$1
if ! locale -a 2>/dev/null | grep -qix 'de_DE\.utf-\?8'; then
  echo "the de_DE.UTF-8 locale is not installed (scripts/install-deps.sh generates it)"
  exit 77
fi
failures=0
# expect OUTPUT ENV... -- ARGS...: runs brevano under env -i with the given variables, compares stdout.
expect() {
  local expected=$1 environment=() actual
  shift
  while [[ $1 != -- ]]; do environment+=("$1"); shift; done
  shift
  actual=$(env -i "${environment[@]}" "$brevano" "$@" 2>&1)
  if [[ $actual != "$expected" ]]; then
    echo "FAIL: ${environment[*]} brevano $*: expected '$expected', got '$actual'"
    failures=$((failures + 1))
  fi
}

expect 2,5 LC_ALL=de_DE.UTF-8 -- tree -- '1,5+1'
expect 2.5 LC_ALL=C -- tree -- '1.5+1'
expect 2,5 LC_NUMERIC=de_DE.UTF-8 -- tree -- '1,5+1'
expect 2,5 LANG=de_DE.UTF-8 -- tree -- '1,5+1'
expect 2.5 LC_ALL=C LC_NUMERIC=de_DE.UTF-8 -- tree -- '1.5+1'
expect 2.5 LANG=de_DE.UTF-8 LC_NUMERIC=C -- tree -- '1.5+1'
expect 2.5 LC_ALL=xx_XX.UTF-8 -- tree -- '1.5+1'
expect 2.5 LC_ALL=de_DE.UTF-8 -- --decimal-separator . tree -- '1.5+1'
expect 2,5 LC_ALL=C -- --decimal-separator , tree -- '1,5+1'
expect 0,25 LC_ALL=de_DE.UTF-8 -- tree -- '1/4'
expect '+ @F
a
0,5 @N' LC_ALL=de_DE.UTF-8 -- listing -- 'a+0,5'

if ((failures)); then exit 1; fi
echo "ok"
