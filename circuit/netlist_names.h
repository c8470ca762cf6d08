// Net names that BLIF, Verilog and VHDL all accept, made from the names of a table or a file.
#pragma once

#include <set>
#include <string>

namespace brevano {

/// `name` made an identifier: a letter first, then letters, digits and single underscores, not
/// ending in one; other characters become an underscore, and "V_" leads a name without a letter first.
std::string NetlistIdentifier(const std::string& name);

/// `text` for a comment line: printable ASCII kept, every other byte "?".
std::string PrintableText(const std::string& text);

/// The names one netlist has given out: none equal to another or to a reserved word of Verilog or
/// VHDL, letter case aside (VHDL reads names in any case).
class NetlistNames {
 public:
  /// Starts with the module's name (kNetlistModule) taken.
  NetlistNames();
  /// `wanted` if it is free, else the first free one of wanted_2, wanted_3, ...; taken from then on.
  std::string Take(const std::string& wanted);

 private:
  std::set<std::string> taken_;
};

}  // namespace brevano
