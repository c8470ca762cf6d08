// A gate network as text: its inputs, a count of its gates, and one line per gate.
#pragma once

#include <string>

#include "circuit/network.h"

namespace brevano {

/// "Inputs: A, B", "Gates: 3 (1 NOT, 1 AND, 1 OR)", then each gate as "g1 = AND(A, g2)" in order,
/// the gate that drives the output as "Result = OR(g1, g2)", or "Result = A" (or 0, or 1) when
/// no gate does.
std::string CircuitText(const Network& network);

}  // namespace brevano
