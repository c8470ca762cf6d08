# Shared by the netlist test and benchmark: proofs by ABC's cec that a netlist of several outputs
# holds each output's 1 points of a PLA file and none of its 0 points. Source it after setting work
# to a scratch folder.

# True when GHDL is there and can synthesise VHDL into Verilog for Yosys.
ghdl_synthesises() {
  printf 'entity probe is port (a : in bit; y : out bit); end;\narchitecture x of probe is begin y <= a; end;\n' \
    >"$work/probe.vhdl"
  (cd "$work" && ghdl --synth --std=08 --out=verilog probe.vhdl -e probe >/dev/null 2>&1)
}

# The PLA $1 as type f: an output is 1 where the term has 1 (with "up": 1 or -).
as_f() {
  awk -v up="${2:-}" '
    /^\.i / { n = $2 } /^\.o / { m = $2 }
    /^\.(i|o) / { print; next } /^[.#]/ || NF == 0 { next }
    { gsub(/\|/, " "); t = $0; gsub(/[ \t]/, "", t); out = ""
      for (k = 1; k <= m; k++) { c = substr(t, n + k, 1); out = out ((c == "1" || c == "4" || (up && (c == "-" || c == "2"))) ? "1" : "0") }
      print substr(t, 1, n) " " out }
    END { print ".e" }' "$1"
}

# The terms of both files under the header of the first.
union_pla() {
  { grep -v '^\.e' "$1"; grep -v '^[.#]' "$2"; echo .e; } | grep -v '^\.p'
}

# The netlist $2 of format $1 as BLIF in $3, its names in lower case (GHDL writes them so).
to_blif() {
  local verilog=$2
  case $1 in
    blif) tr '[:upper:]' '[:lower:]' <"$2" >"$3"; return ;;
    vhdl)
      verilog="$work/from-vhdl.v"
      (cd "$work" && ghdl --synth --std=08 --out=verilog "$2" -e boolean_function 2>"$work/ghdl.log") >"$verilog" ||
        return 1 ;;
  esac
  yosys -q -p "read_verilog $verilog; hierarchy -top boolean_function; proc; flatten; techmap; opt_clean;
    write_blif $3.tmp" >"$work/yosys.log" 2>&1 || return 1
  tr '[:upper:]' '[:lower:]' <"$3.tmp" >"$3"
}

ports() { grep '^\.\(inputs\|outputs\)' "$1" | tr -s ' ' | tr '[:upper:]' '[:lower:]'; }

# Proves the netlist $3 (format $2) right for the PLA $1: its ports those of the BLIF $4 in order,
# and, where the file has no don't-cares, its function the file's (cec matching inputs by order);
# else its function made a PLA by ABC, with the file's 1 terms added, the same network, and the file's
# 1 and don't-care terms with it added the same as they alone (which takes 1 terms clear of the
# don't-cares, as a don't-care wins over a 1).
prove() {
  to_blif "$2" "$3" "$work/net.blif" || return 1
  [[ $(ports "$work/net.blif") == $(ports "$4") ]] || { echo "ports differ: $(ports "$work/net.blif")"; return 1; }
  as_f "$1" >"$work/on.pla"
  as_f "$1" up >"$work/up.pla"
  if cmp -s "$work/on.pla" "$work/up.pla"; then
    berkeley-abc -c "cec -n $work/on.pla $work/net.blif" 2>&1 | grep -q "Networks are equivalent"
    return
  fi
  berkeley-abc -c "read $work/net.blif; collapse; write_pla $work/net.pla" >/dev/null 2>&1 || return 1
  as_f "$work/net.pla" >"$work/cover.pla"
  union_pla "$work/cover.pla" "$work/on.pla" >"$work/cover_on.pla"
  union_pla "$work/up.pla" "$work/cover.pla" >"$work/up_cover.pla"
  [[ $(berkeley-abc -c "cec $work/cover_on.pla $work/cover.pla; cec $work/up_cover.pla $work/up.pla" 2>&1 |
    grep -c "Networks are equivalent") == 2 ]]
}
