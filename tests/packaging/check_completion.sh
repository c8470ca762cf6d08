#!/usr/bin/env bash
# Loads the bash completion of brevano in a clean shell and checks what it offers at several places.
# Usage: check_completion.sh COMPLETION_SCRIPT BREVANO
set -uo pipefail
script=$1 brevano=$2
failures=0

# Each case: the words typed (the last is the one being completed) and the completions expected. The
# subcommands are matched by a prefix only theirs, so that new ones do not change the cases.
cases=(
  "ta|table"
  "p|parse"
  "--decimal-separator , a|analyse"
  "--de|--decimal-separator"
  "table --f|--format --ft"
  "table --format |tsv csv markdown latex"
  "table --format = m|markdown"
  "table --format=c|--format=csv"
  "table --ft |"
  "table -- --f|"
  "--decimal-separator |"
)
for case in "${cases[@]}"; do
  words=${case%%|*} expected=${case#*|}
  got=$(bash --norc --noprofile -c '
    source "$1" || exit 3
    complete -p brevano >/dev/null || exit 4
    read -ra COMP_WORDS <<<"$3"
    COMP_WORDS=("$2" "${COMP_WORDS[@]}")
    [[ $3 == *" " || -z $3 ]] && COMP_WORDS+=("")
    COMP_CWORD=$((${#COMP_WORDS[@]} - 1))
    _brevano
    echo "${COMPREPLY[*]}"' _ "$script" "$brevano" "$words")
  status=$?
  if ((status != 0)); then
    echo "FAIL: the script did not load or register itself (status $status)"
    exit 1
  fi
  if [[ $got != "$expected" ]]; then
    echo "FAIL: 'brevano $words' offers '$got', expected '$expected'"
    failures=$((failures + 1))
  fi
done
((failures)) && exit 1
echo "ok: ${#cases[@]} cases"
