// The command-line commands on files of functions: analyse --pla, and export --format pla.
#pragma once

#include <ostream>
#include <string>

#include "cli/commands.h"
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

/// The least sum of products of `table` (with the don't-cares of `dontCare` when given), typed as
/// `expression`, as a PLA file with one output "Result"; a sum not proven least says so in its
/// comment. Raises EngineError when no sum could be found. Recursive: run it on the large stack.
void CommandExportPla(const TruthTable& table, const TruthTable* dontCare, const std::string& expression,
                      std::ostream& out);

}  // namespace brevano::cli
