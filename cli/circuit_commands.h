// The circuit commands of the command-line tool: the circuit drawn or listed, and netlists.
#pragma once

#include <ostream>
#include <string>

#include "tabulate/tabulation.h"

namespace brevano::cli {

/// The circuit of `table` in the form named `form` ("typed", "sop", "pos", "nand", "nor"): as text,
/// or (`svg`) as the SVG picture with the symbols named by `style` ("ansi" or "iec"). Raises
/// EngineError when the form has no circuit or, for the picture, when it is too large to draw.
void CommandCircuit(const TruthTable& table, const std::string& form, const std::string& style, bool svg,
                    std::ostream& out);

/// The netlist of the circuit of `table` (typed as `expression`) in `form`, in the format named
/// `format` ("blif", "verilog" or "vhdl").
void CommandExport(const TruthTable& table, const std::string& expression, const std::string& format,
                   const std::string& form, std::ostream& out);

}  // namespace brevano::cli
