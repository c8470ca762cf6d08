// The two-level circuit of a cover of several outputs: a NOT per negated input, an AND per product
// term drawn once however many outputs it feeds, an OR per output; its text and its layout.
#pragma once

#include <string>
#include <vector>

#include "circuit/circuit_layout.h"
#include "circuit/network.h"
#include "function/boolean_function.h"

namespace brevano {

/// A network of several named outputs. Gates come in three runs: the inverters of inputs, then the
/// AND gates of the terms, then the OR gates of the outputs; each gate's inputs come before it.
struct SharedNetwork {
  std::vector<std::string> inputs;
  std::vector<std::string> outputNames;
  std::vector<Gate> gates;
  std::vector<Signal> outputs;  ///< per output: its OR gate, a term's net, or a constant
  int firstAnd = 0;             ///< index of the first AND gate
  int firstOr = 0;              ///< index of the first OR gate
};

/// The terms of `cover` that hold a point and feed an output, those of equal inputs merged into one
/// feeding all their outputs. Raises EngineError when a term's widths are not `names`'.
CubeCover DistinctTerms(const BooleanFunction& names, const CubeCover& cover);

/// The network of `cover` (terms over `names`' inputs, each feeding the outputs it is tagged with),
/// built as WriteCoverNetlist builds its module: terms of equal inputs are one, a term of one
/// literal is that literal's net, an output fed by a term without literals is the constant 1,
/// one fed by nothing the constant 0, one fed by one term that term's net. Only the names and
/// widths of `names` are read. Raises EngineError when a term's widths differ from the names'.
SharedNetwork SharedNetworkOf(const BooleanFunction& names, const CubeCover& cover);

/// The value (0 or 1) of output `output` at `point` (input i is bit i; at most 64 inputs).
int EvaluateSharedOutput(const SharedNetwork& network, int output, std::uint64_t point);

/// "Inputs: a, b", "Outputs: f, g", "Gates: 4 (1 NOT, 2 AND, 1 OR)", then each gate as
/// "g2 = AND(a, g1)" in order, an OR named by its output ("f = OR(g2, g3)"), and each output that
/// no gate drives as "g = g2" (or a, or 0, or 1).
std::string SharedCircuitText(const SharedNetwork& network);

/// Empty when the network can be drawn, else why not, as DrawingLimitMessage says it.
std::string SharedDrawingLimitMessage(const SharedNetwork& network);

/// A layout of a shared network: a CircuitLayout whose single output label is left unused, with
/// one label (and, for a constant output, one constant label) per output instead.
struct SharedCircuitLayout : CircuitLayout {
  std::vector<CircuitPoint> outputLabels;    ///< per output, the start of its label's baseline
  std::vector<CircuitPoint> constantLabels;  ///< per output, the end of its "0" or "1" baseline
};

/// Lays out a network that SharedDrawingLimitMessage accepts. The input rails and their complement
/// rails are at the left as for a tree, the AND gates in one column, the ORs in the next (centred
/// beside the ANDs where they take less height), each term's net on a vertical track of its own in
/// the channel between them. Every horizontal wire that reaches into that channel from the left lies
/// on a row of the even grid, every one that leaves it to the right on the odd grid, so that no two
/// nets share a row there, and each term's row lies in a band of its own in the AND column so that
/// no wire runs through a gate.
SharedCircuitLayout LayOutSharedCircuit(const SharedNetwork& network);

}  // namespace brevano
