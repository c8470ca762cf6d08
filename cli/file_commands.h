// The command-line commands on files of functions: analyse --pla, and export --format pla.
#pragma once

#include <ostream>
#include <string>

#include "cli/commands.h"
#include "tabulate/table_function.h"
#include "tabulate/tabulation.h"

namespace brevano::cli {

/// Largest PLA or table file read, in bytes.
inline constexpr std::size_t kMaxFunctionFileBytes = 64 * 1024 * 1024;

/// The whole file at `path`; raises EngineError with the system's reason, or when it is too large.
std::string ReadWholeFile(const std::string& path);

/// The analysis of the PLA or table file at `path`: of the output named or numbered by `output`, or
/// of every output, a block each led by "Output NAME (K of N):" and parted by a blank line. The
/// file's warnings go to `warnings` first. An error of the file names the file and the line.
/// Recursive: run it on the large stack.
void CommandAnalyseFile(const std::string& path, const std::string& output, const AnalyseSettings& settings,
                        std::ostream& out, std::ostream& warnings);

/// The least sums of products of the outputs of the PLA or table file at `path` (the one named or
/// numbered by `output`, or all), as one PLA file over the file's inputs in its order and with its
/// names, each output's terms apart. Recursive: run it on the large stack.
void CommandExportPlaFile(const std::string& path, const std::string& output, std::ostream& out,
                          std::ostream& warnings);

/// The circuit of the PLA or table file at `path`: with `output` (a name or a number), that
/// output's circuit as CommandCircuit gives it (its don't-cares, told in `warnings`, read as 0);
/// without, every output from one cover minimised together, each product term one AND gate however
/// many outputs it feeds, as text or (`svg`) as the picture. Recursive: run it on the large stack.
void CommandCircuitFile(const std::string& path, const std::string& output, const std::string& form,
                        const std::string& style, bool svg, std::ostream& out, std::ostream& warnings);

/// The least sum of products of `function` (with its don't-cares when it has them), typed as
/// `expression`, as a PLA file with one output "Result"; a sum not proven least says so in its
/// comment. Raises EngineError when no sum could be found. Recursive: run it on the large stack.
void CommandExportPla(const TableFunction& function, const std::string& expression, std::ostream& out);

}  // namespace brevano::cli
