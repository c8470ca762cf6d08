// Files of functions on the command line: read whole, each output analysed, least sums written.
#include "cli/file_commands.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fstream>
#include <iterator>
#include <sstream>

#include "analysis/analysis.h"
#include "circuit/circuit_picture.h"
#include "circuit/shared_circuit.h"
#include "cli/circuit_commands.h"
#include "engine/engine_error.h"
#include "multiout/joint_minimise.h"
#include "picture/picture_svg.h"
#include "plafile/function_file.h"

namespace brevano::cli {

std::string ReadWholeFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) throw EngineError("Cannot read " + path + ": " + std::strerror(errno));
  in.seekg(0, std::ios::end);
  const std::streamoff size = in.tellg();
  if (size > static_cast<std::streamoff>(kMaxFunctionFileBytes))
    throw EngineError("Cannot read " + path + ": larger than " + std::to_string(kMaxFunctionFileBytes >> 20) +
                      " MiB");
  in.seekg(0);
  std::ostringstream text;
  text << in.rdbuf();
  if (in.bad()) throw EngineError("Cannot read " + path + ": " + std::strerror(errno));
  return text.str();
}

namespace {

// The file read, its warnings told; an error of its contents names the file.
FunctionFile ReadReportingWarnings(const std::string& path, std::ostream& warnings) {
  FunctionFile file;
  try {
    file = ReadFunctionFile(ReadWholeFile(path), path);
  } catch (const EngineError& error) {
    const std::string message = error.what();
    throw EngineError(message.rfind("Cannot read ", 0) == 0 ? message : path + ": " + message);
  }
  for (const std::string& warning : file.warnings) warnings << "warning: " << path << ": " << warning << '\n';
  return file;
}

// The output named or numbered by `output`, or every output when it is empty.
std::vector<std::size_t> ChosenOutputs(const FunctionFile& file, const std::string& output) {
  if (!output.empty() || file.outputs.size() == 1) return {ChooseOutput(file, output)};
  std::vector<std::size_t> all;
  for (std::size_t o = 0; o < file.outputs.size(); ++o) all.push_back(o);
  return all;
}

// The least sum of a function's tables, or an error that says why there is none.
MinimalForm LeastSum(const TableFunction& function) {
  const LeastForm least = Least(function, FormSide::kSum);
  const MinimalForm sum = MinimalFormOf(least, function.Variables(), false, function.dontCare.has_value());
  if (sum.expression.empty()) throw EngineError("No sum of products to write: " + FormItemText(sum));
  return sum;
}

// What a sum not proven least says of itself in a comment.
std::string UnprovenComment(const MinimalForm& sum) { return StandingText(StandingOf(sum)); }

}  // namespace

void CommandAnalyseFile(const std::string& path, const std::string& output, const AnalyseSettings& settings,
                        std::ostream& out, std::ostream& warnings) {
  const FunctionFile file = ReadReportingWarnings(path, warnings);
  const std::vector<std::size_t> chosen = ChosenOutputs(file, output);
  for (std::size_t o : chosen) {
    if (chosen.size() > 1) {
      if (o > 0) out << '\n';
      out << "Output " << file.outputs[o].name << " (" << o + 1 << " of " << file.outputs.size() << "):\n";
    }
    CommandAnalyse(TablesOfOutput(file, o), settings, out);
    out << std::flush;
  }
}

void CommandExportPlaFile(const std::string& path, const std::string& output, std::ostream& out,
                          std::ostream& warnings) {
  const FunctionFile file = ReadReportingWarnings(path, warnings);
  std::vector<PlaOutput> outputs;
  std::string comment = "The least sums of products of " + path;
  for (std::size_t o : ChosenOutputs(file, output)) {
    const MinimalForm sum = LeastSum(TablesOfOutput(file, o));
    outputs.push_back({file.outputs[o].name, ColumnsToInputs(sum.cubes, file)});
    if (const std::string note = UnprovenComment(sum); !note.empty())
      comment += "\n" + file.outputs[o].name + ": " + note;
  }
  out << WritePla(outputs, file.inputs, comment + "\nwritten by brevano");
}

void CommandCircuitFile(const std::string& path, const std::string& output, const std::string& form,
                        const std::string& style, bool svg, std::ostream& out, std::ostream& warnings) {
  const FunctionFile file = ReadReportingWarnings(path, warnings);
  if (!output.empty()) {
    const std::size_t chosen = ChooseOutput(file, output);
    const TableFunction tables = TablesOfOutput(file, chosen);
    if (tables.dontCare) {
      warnings << "warning: " << path << ": the don't-cares of output " << file.outputs[chosen].name
               << " are read as 0 in its circuit\n";
    }
    CommandCircuit(tables.on, form, style, svg, out);
    return;
  }
  const BooleanFunction function = FunctionOfFile(file);
  const JointCover cover = MinimiseJointly(function, JointOptions{});
  const SharedNetwork network = SharedNetworkOf(function, cover.terms);
  if (!svg) {
    out << "The least sum of products of every output together, each product term one gate ("
        << (cover.proven ? "proven least" : "not proven least") << ")\n"
        << SharedCircuitText(network);
    return;
  }
  if (const std::string limit = SharedDrawingLimitMessage(network); !limit.empty())
    throw EngineError(limit + " Write it as a netlist with brevano minimise --format blif.");
  const SymbolStyle symbols = style == "iec" ? SymbolStyle::kIec : SymbolStyle::kAnsi;
  out << PictureSvg(DrawSharedCircuit(network, LayOutSharedCircuit(network), symbols),
                    {{"wire", "data-net"}, {"gate", "data-gate"}});
}

void CommandExportPla(const TableFunction& function, const std::string& expression, std::ostream& out) {
  const MinimalForm sum = LeastSum(function);
  std::string comment = "The least sum of products of " + expression.substr(0, 200) +
                        (expression.size() > 200 ? "..." : "") +
                        (function.dontCare ? ", with don't-cares" : "");
  if (const std::string note = UnprovenComment(sum); !note.empty()) comment += "\n" + note;
  out << WritePla({{"Result", sum.cubes}}, function.Variables(), comment + "\nwritten by brevano");
}

}  // namespace brevano::cli
