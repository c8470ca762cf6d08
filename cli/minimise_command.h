// brevano minimise: every output of a PLA or table file minimised together, written as a PLA file
// or as a netlist.
#pragma once

#include <ostream>
#include <string>

#include "multiout/joint_minimise.h"

namespace brevano::cli {

/// The options of `minimise`, filled in by the parser.
struct MinimiseArguments {
  std::string file = "-";
  std::string format = "pla";  ///< pla, or a netlist format: blif, verilog or vhdl
  std::string outputType = "f";
  double budget = 10;
  bool exact = false;
  bool single = false;
  bool stats = false;
};

/// Runs the command: the file read (standard input for "-"), its warnings and, with --stats, the
/// figures on standard error, the PLA or the netlist on standard output. The exit status: 0, or 1
/// after an error.
int RunMinimiseCommand(const MinimiseArguments& arguments);

}  // namespace brevano::cli
