// brevano export: the Result's circuit as a netlist, or its least sum of products (or a file's) as PLA.
#include <memory>

#include "cli/circuit_commands.h"
#include "cli/commands.h"
#include "cli/file_commands.h"
#include "cli/subcommand.h"

namespace brevano::cli {

namespace {

struct ExportArguments {
  std::string expression;
  std::string format;
  std::string form = "typed";
  CLI::Option* formOption = nullptr;
  std::string dontCare;
  CLI::Option* dontCareOption = nullptr;
  std::string file, output;
  CLI::Option* fileOption = nullptr;
};

// The PLA file is printed only once it is complete, after the warnings of both tables.
int RunExportPla(const ExportArguments& exported) {
  if (exported.fileOption->count()) {
    return PrintWhenDone(
        [&](std::ostream& out) { CommandExportPlaFile(exported.file, exported.output, out, std::cerr); });
  }
  DiagnosedTable built;
  TableFunction function;
  if (!BuildReportingWarnings(exported.expression, DisplayMode::kZeroOne, false, built)) return 1;
  if (!BuildFunction(built.table, exported.dontCare, exported.dontCareOption, false, function)) return 1;
  return PrintWhenDone([&](std::ostream& out) { CommandExportPla(function, exported.expression, out); });
}

// The netlist is printed only once it is complete, after the warnings of its table.
int RunExport(const ExportArguments& exported) {
  if (exported.format == "pla") return RunExportPla(exported);
  DiagnosedTable built;
  if (!BuildReportingWarnings(exported.expression, DisplayMode::kZeroOne, false, built)) return 1;
  return PrintWhenDone([&](std::ostream& out) {
    CommandExport(built.table, exported.expression, exported.format, exported.form, out);
  });
}

// The combinations of options that the parser cannot check alone.
void CheckExportOptions(const ExportArguments& exported, const CLI::Option* typed) {
  if (!typed->count() && !exported.fileOption->count()) throw CLI::RequiredError("expression or --pla FILE");
  const bool pla = exported.format == "pla";
  if (!pla && exported.fileOption->count()) throw CLI::ValidationError("--pla", "only with --format pla");
  if (pla && exported.formOption->count() && exported.form != "sop")
    throw CLI::ValidationError("--form", "a PLA file holds a sum of products: --form sop, or none");
  if (!pla && exported.dontCareOption->count())
    throw CLI::ValidationError("--dont-care", "only with --format pla");
}

}  // namespace

std::vector<std::pair<CLI::App*, SubcommandRun>> AddExportCommand(CLI::App& app, CommandLine& line) {
  auto exported = std::make_shared<ExportArguments>();
  CLI::App* command = app.add_subcommand(
      "export", "Print the Result's circuit as a netlist: one module, the table's columns in, Result out");
  command
      ->add_option("--format", exported->format,
                   "blif, verilog or vhdl; or pla: the least sum of products as a PLA file")
      ->required()
      ->check(CLI::IsMember({"blif", "verilog", "vhdl", "pla"}));
  exported->formOption = command->add_option("--form", exported->form, kCircuitFormHelp)
                             ->check(CLI::IsMember({"typed", "sop", "pos", "nand", "nor"}));
  exported->dontCareOption = command->add_option("--dont-care", exported->dontCare,
                                                 std::string(kDontCareHelp) + " (with --format pla)");
  exported->fileOption = AddFileOption(
      *command, exported->file, exported->output,
      "With --format pla: a PLA or table file whose outputs are written minimised, instead of an expression",
      "write");
  exported->dontCareOption->excludes(exported->fileOption);
  CLI::Option* typed =
      AddExpressionArgument(*command, line, exported->expression)->excludes(exported->fileOption);
  command->callback([exported, typed] { CheckExportOptions(*exported, typed); });
  return {{command, [exported] { return RunExport(*exported); }}};
}

}  // namespace brevano::cli
