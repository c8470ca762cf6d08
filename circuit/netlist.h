// Gate networks written as netlists that synthesis and verification tools read: BLIF, Verilog and VHDL.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "circuit/network.h"

namespace brevano {

/// The netlist formats.
enum class NetlistFormat { kBlif, kVerilog, kVhdl };

/// The format named "blif", "verilog" or "vhdl".
std::optional<NetlistFormat> NetlistFormatFromName(std::string_view name);

/// The name of the module (the BLIF model, the Verilog module, the VHDL entity).
inline constexpr const char* kNetlistModule = "boolean_function";

/// `network` as one module named kNetlistModule with the network's inputs as its inputs (in
/// column order) and "Result" as its output: BLIF with one .names table per gate, structural
/// Verilog with one gate primitive per gate, or VHDL with one concurrent assignment per gate.
/// Names are made identifiers that all three formats accept and that no two share, case aside (a
/// letter first, letters, digits and single underscores, no reserved word); a comment lists every
/// input whose name had to change. `comment` (one line) goes into the header comment.
std::string WriteNetlist(const Network& network, NetlistFormat format, const std::string& comment);

/// The header comment of the netlist of `expression`'s circuit titled `title`: "Result of EXPRESSION;
/// TITLE", the expression cut after 200 bytes.
std::string NetlistComment(const std::string& expression, const std::string& title);

}  // namespace brevano
