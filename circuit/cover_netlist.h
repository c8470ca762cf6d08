// A sum of products of several outputs written as one netlist, each product term one gate however
// many outputs it feeds.
#pragma once

#include <string>

#include "circuit/netlist.h"
#include "function/boolean_function.h"

namespace brevano {

/// `cover` (terms over `names`' inputs, each feeding the outputs it is tagged with) as one module
/// named kNetlistModule, in BLIF, structural Verilog or VHDL. Its ports are `names`' inputs, then
/// its outputs, in order, made identifiers as WriteNetlist makes them (an output named like an input
/// gets a suffix); a comment lists every port whose name had to change, after `comment` (one line).
/// Inside: a NOT per input that a term negates, an AND per term of two literals or more (terms with
/// the same inputs are one), and per output an OR of its terms, a plain connection for one, the
/// constant 0 for none and the constant 1 when a term without literals feeds it. Only `names`'
/// names and widths are read, not its cubes. Raises EngineError when a term's widths differ.
std::string WriteCoverNetlist(const BooleanFunction& names, const CubeCover& cover, NetlistFormat format,
                              const std::string& comment);

}  // namespace brevano
