// brevano minimise: read the file, minimise all outputs together (or each alone), write the PLA or
// the netlist.
#include "cli/minimise_command.h"

#include <CLI/CLI.hpp>
#include <chrono>
#include <iostream>
#include <iterator>
#include <memory>

#include "circuit/cover_netlist.h"
#include "cli/file_commands.h"
#include "cli/subcommand.h"
#include "engine/deep_stack.h"
#include "engine/engine_error.h"
#include "filetable/joint_pla.h"
#include "plafile/function_file.h"

namespace brevano::cli {

namespace {

// The whole of standard input, up to the size a file may have.
std::string ReadStandardInput() {
  std::string text;
  char buffer[65536];
  while (std::cin.read(buffer, sizeof buffer) || std::cin.gcount() > 0) {
    text.append(buffer, static_cast<std::size_t>(std::cin.gcount()));
    if (text.size() > kMaxFunctionFileBytes)
      throw EngineError("Standard input: larger than " + std::to_string(kMaxFunctionFileBytes >> 20) +
                        " MiB");
  }
  return text;
}

void WriteStats(const JointCover& cover, double seconds) {
  const JointStats& stats = cover.stats;
  std::cerr << "terms of the file: " << stats.startTerms << "\nterms after the loop: " << stats.heuristicTerms
            << " (" << stats.passes << " rounds)\nexact search: " << (stats.exactRan ? "ran" : "not run")
            << "\nterms: " << cover.terms.size() << "\nlower bound: " << cover.lowerBound
            << "\nproven fewest: " << (cover.proven ? "yes" : "no")
            << "\nbudget spent: " << (stats.timeUp ? "yes" : "no") << "\nseconds: " << seconds << '\n';
}

// The cover in the format asked for, headed by the summary and (for a netlist) the file's name.
std::string CoverText(const MinimiseArguments& arguments, const std::string& name,
                      const BooleanFunction& function, const JointCover& cover) {
  if (arguments.format == "pla")
    return JointCoverPla(function, cover, arguments.outputType, arguments.single);
  const std::string comment = name + ": " + JointCoverSummary(cover, arguments.single);
  return WriteCoverNetlist(function, cover.terms, *NetlistFormatFromName(arguments.format), comment);
}

}  // namespace

std::vector<std::pair<CLI::App*, SubcommandRun>> AddMinimiseCommand(CLI::App& app, CommandLine&) {
  auto shared = std::make_shared<MinimiseArguments>();
  MinimiseArguments& arguments = *shared;
  CLI::App* command = app.add_subcommand(
      "minimise",
      "Minimise every output of a PLA or table file together; print the cover as a PLA file or a netlist");
  command->add_option("file", arguments.file, "The PLA or table file (- or none: standard input)");
  command
      ->add_option("--format", arguments.format,
                   "pla (default), or a netlist of one module with every output, each term one AND gate: "
                   "blif, verilog or vhdl")
      ->check(CLI::IsMember({"pla", "blif", "verilog", "vhdl"}));
  CLI::Option* outputType =
      command
          ->add_option(
              "--output-type,-o", arguments.outputType,
              "f: the cover; fd: with the don't-cares; fr: with the 0 points (default f; with --format pla)")
          ->check(CLI::IsMember({"f", "fd", "fr"}));
  command->add_option("--budget", arguments.budget, "Seconds the minimisation may take (default 10)")
      ->check(CLI::Range(0.001, 86400.0));
  command->add_flag("--exact", arguments.exact, "Give the exact search larger problems");
  command->add_flag("--single", arguments.single, "Each output alone: no term shared between outputs");
  command->add_flag("--stats", arguments.stats, "Print the figures of the run on standard error");
  command->callback([shared, outputType] {
    if (outputType->count() && shared->format != "pla")
      throw CLI::ValidationError("--output-type", "only with --format pla");
  });
  return {{command, [shared] { return RunMinimiseCommand(*shared); }}};
}

int RunMinimiseCommand(const MinimiseArguments& arguments) {
  std::string text;
  try {
    RunWithLargeStack([&] {
      const bool standardInput = arguments.file == "-";
      const std::string name = standardInput ? "standard input" : arguments.file;
      FunctionFile file;
      try {
        file = ReadFunctionFile(standardInput ? ReadStandardInput() : ReadWholeFile(arguments.file));
      } catch (const EngineError& error) {
        const std::string message = error.what();
        throw EngineError(message.rfind("Cannot read ", 0) == 0 ? message : name + ": " + message);
      }
      for (const std::string& warning : file.warnings)
        std::cerr << "warning: " << name << ": " << warning << '\n';
      const BooleanFunction function = FunctionOfFile(file);
      JointOptions options;
      options.budget = std::chrono::milliseconds(static_cast<std::int64_t>(arguments.budget * 1000 + 0.5));
      options.exact = arguments.exact;
      options.single = arguments.single;
      const auto start = std::chrono::steady_clock::now();
      const JointCover cover = MinimiseJointly(function, options);
      const std::chrono::duration<double> spent = std::chrono::steady_clock::now() - start;
      text = CoverText(arguments, name, function, cover);
      if (arguments.stats) WriteStats(cover, spent.count());
    });
  } catch (const EngineError& error) {
    std::cerr << error.what() << '\n';
    return 1;
  } catch (const std::bad_alloc&) {
    std::cerr << "Not enough memory for this file\n";
    return 1;
  }
  std::cout << text << std::flush;
  return 0;
}

}  // namespace brevano::cli
