#!/bin/bash
# Two-level minimisation on PLA files, every output taken alone, beside ABC's collapse + sop in the same
# run: our terms, whether proven least, whole-process times, and ABC's cec of each PLA we write.
# Usage: bench/pla_compare.sh PATH_TO_BREVANO [PLA_FOLDER] [RUNS] [ABC_LIMIT_SECONDS]
# PLA_FOLDER defaults to fuzz/corpus/pla (seven files of the standard two-level set; run from the top).
# Prints a Markdown table, one row per function, then the medians and maxima. Times are whole processes
# (start included), the median of RUNS runs (default 3). ABC reads a "-" in an output as 0 (it takes no
# don't-cares), so for outputs with don't-cares its cover is of the 1 rows alone. ABC is stopped after
# ABC_LIMIT_SECONDS (default 60), and then run only once.
set -u
brevano=$1
data=${2:-fuzz/corpus/pla}
runs=${3:-3}
limit=${4:-60}
abc=$(command -v berkeley-abc || command -v yosys-abc) || { echo "ABC is not installed" >&2; exit 1; }
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# The median, in ms, of $runs runs of the command; its last standard output is left in $work/out.
# A run stopped by `timeout` ends the series with "> limit".
timed() {
  local times=() i start
  for ((i = 0; i < runs; i++)); do
    start=$EPOCHREALTIME
    "$@" >"$work/out" 2>/dev/null
    [[ $? == 124 ]] && { echo "> $((limit * 1000))"; return; }
    times+=("$(echo "($EPOCHREALTIME - $start) * 1000" | bc -l)")
  done
  printf '%s\n' "${times[@]}" | sort -g | awk '{ t[NR] = $1 } END { printf "%.1f", t[int((NR + 1) / 2)] }'
}

# The single-output PLA of output column $2 (from 1) of the PLA $1: its 1 rows, or with "up" its 1 and
# don't-care rows (type fd, the format's default: "-" in an output is a don't-care).
output_pla() {
  awk -v col="$2" -v up="${3:-}" '
    /^\.i / { n = $2 } /^[.#]/ || NF == 0 { next }
    { gsub(/\|/, " "); t = $0; gsub(/[ \t]/, "", t); c = substr(t, n + col, 1)
      if (c == "1" || (up && c == "-")) terms = terms substr(t, 1, n) " 1\n" }
    END { printf ".i %d\n.o 1\n%s.e\n", n, terms }' "$1"
}

# The sum of two single-output PLA files' terms.
union_pla() {
  { grep -v '^\.e' "$1"; grep -v '^[.#]' "$2"; echo .e; } | grep -v '^\.p'
}

# The sum of products $2 (as analyse prints it) as a single-output PLA over the inputs of the PLA $1,
# named by its .ilb line (without one, nothing is written and the status is 1).
form_pla() {
  awk -v form="$2" '
    /^\.i / { n = $2 } /^\.ilb / { for (i = 2; i <= NF; i++) at[toupper($i)] = i - 2; named = 1 }
    END {
      if (!named) exit 1
      printf ".i %d\n.o 1\n", n; count = split(form, terms, "+")
      for (t = 1; t <= count; t++) {
        row = ""; for (i = 0; i < n; i++) row = row "-"
        k = split(terms[t], literals, "*")
        for (l = 1; l <= k; l++) {
          name = literals[l]; negated = sub(/^not\(/, "", name); sub(/\)$/, "", name)
          v = at[toupper(name)]; row = substr(row, 1, v) (negated ? "0" : "1") substr(row, v + 2)
        }
        print row " 1"
      }
      print ".e" }' "$1"
}

# ABC's cec of two files, inputs and outputs matched by order: "equivalent", "different" or "undecided".
cec() {
  local said
  said=$("$abc" -c "read $1; cec -n $2" 2>&1)
  case $said in
    *"Networks are equivalent"*) echo equivalent ;;
    *"Networks are NOT EQUIVALENT"*) echo different ;;
    *) echo undecided ;;
  esac
}

# Whether our PLA $1 is right for output $3 of the file $2: equal to its 1 rows, or with don't-cares
# covering every 1 row and within the 1 and don't-care rows.
check() {
  output_pla "$2" "$3" >"$work/on.pla"
  output_pla "$2" "$3" up >"$work/up.pla"
  if cmp -s "$work/on.pla" "$work/up.pla"; then
    cec "$1" "$work/on.pla"
    return
  fi
  union_pla "$1" "$work/on.pla" >"$work/sum_on.pla"
  union_pla "$1" "$work/up.pla" >"$work/sum_up.pla"
  local covers within
  covers=$(cec "$work/sum_on.pla" "$1")
  within=$(cec "$work/sum_up.pla" "$work/up.pla")
  [[ $covers == equivalent && $within == equivalent ]] && echo "equivalent (with don't-cares)" ||
    echo "covers: $covers; within: $within"
}

echo "| function | inputs | don't-cares | our terms | exact | our ms | ABC cubes | ABC ms | cec |"
echo "|---|---|---|---|---|---|---|---|---|"
: >"$work/ours_ms"
: >"$work/summary"
for file in "$data"/*.pla; do
  name=$(basename "$file" .pla)
  inputs=$(awk '/^\.i / { print $2; exit }' "$file")
  outputs=$(awk '/^\.o / { print $2; exit }' "$file")
  for ((n = 1; n <= outputs; n++)); do
    ours=$(timed "$brevano" analyse --pla "$file" --output "$n" --form sop)
    form=$(sed -n 's/^Minimal sum of products: //p' "$work/out")
    dontcares=$(sed -n "1s/.*, \([0-9]*\) don't-care.*/\1/p" "$work/out")
    exact=yes
    [[ $form =~ \ \((irredundant|improved|heuristic|fewest\ terms)[^\)]*\)$ ]] && exact=no
    form=${form% (*minimal)}
    form=${form% (fewest terms*}
    case $form in
      "") terms="no form" ;;
      0) terms=0 ;;
      *not\ computed*) terms="no form" ;;
      *) terms=$(($(tr -cd + <<<"$form" | wc -c) + 1)) ;;
    esac
    abc_ms=$(timed timeout "$limit" "$abc" -c "read_pla $file; cone -O $((n - 1)); collapse; sop -d; print_stats")
    cubes=$(grep -o 'cube = *[0-9]*' "$work/out" | grep -o '[0-9]*$')
    [[ $abc_ms == ">"* ]] && cubes="none"
    if timeout "$limit" "$brevano" export --format pla --pla "$file" --output "$n" >"$work/ours.pla" 2>/dev/null; then
      verdict=$(check "$work/ours.pla" "$file" "$n")
    elif [[ $? == 124 ]] && form_pla "$file" "$form" >"$work/ours.pla"; then
      verdict="$(check "$work/ours.pla" "$file" "$n") (analyse's form; export: no answer in $limit s)"
    else
      verdict="export failed"
    fi
    echo "| $name/$n | $inputs | ${dontcares:-0} | $terms | $exact | $ours | $cubes | $abc_ms | $verdict |"
    echo "$ours" >>"$work/ours_ms"
    echo "$name/$n ${terms// /_} $cubes $exact ${dontcares:-0} $verdict" >>"$work/summary"
  done
done

echo
sort -g "$work/ours_ms" | awk '{ t[NR] = $1 } END {
  printf "functions: %d; analyse --form sop: median %.1f ms, maximum %.1f ms\n", NR, t[int((NR + 1) / 2)], t[NR] }'
awk '$2 == "no_form" { none++ } $4 == "yes" { exact++ }
  { if ($6 != "equivalent") { wrong++; bad = bad " " $1 } }
  $3 == "none" { nopeer++; next }
  $2 != "no_form" && $2 + 0 > $3 + 0 { more++; which = which " " $1 " (" $2 " against " $3 ")" }
  $2 != "no_form" && $2 + 0 < $3 + 0 { fewer++ } $2 != "no_form" && $2 + 0 == $3 + 0 { same++ }
  END { printf "no form: %d; proven least: %d; fewer terms than ABC: %d, as many: %d, more: %d%s; ABC gave none: %d\n",
          none, exact, fewer, same, more, which, nopeer
        printf "not proven right by cec: %d%s\n", wrong, bad }' "$work/summary"
