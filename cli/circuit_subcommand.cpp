// brevano circuit: the logic circuit of the Result, as a gate list or a picture.
#include <memory>

#include "cli/circuit_commands.h"
#include "cli/commands.h"
#include "cli/file_commands.h"
#include "cli/subcommand.h"

namespace brevano::cli {

namespace {

struct CircuitArguments {
  std::string expression;
  std::string form = "typed";
  std::string style = "ansi";
  std::string format = "text";
  CLI::Option* formOption = nullptr;
  std::string file, output;
  CLI::Option* fileOption = nullptr;
};

// The circuit is printed only once it is complete, after the warnings of its table.
int RunCircuit(const CircuitArguments& circuit) {
  if (circuit.fileOption->count()) {
    return PrintWhenDone([&](std::ostream& out) {
      CommandCircuitFile(circuit.file, circuit.output, circuit.form, circuit.style, circuit.format == "svg",
                         out, std::cerr);
    });
  }
  DiagnosedTable built;
  if (!BuildReportingWarnings(circuit.expression, DisplayMode::kZeroOne, false, built)) return 1;
  return PrintWhenDone([&](std::ostream& out) {
    CommandCircuit(built.table, circuit.form, circuit.style, circuit.format == "svg", out);
  });
}

}  // namespace

std::vector<std::pair<CLI::App*, SubcommandRun>> AddCircuitCommand(CLI::App& app, CommandLine& line) {
  auto circuit = std::make_shared<CircuitArguments>();
  CLI::App* command =
      app.add_subcommand("circuit", "Print the logic circuit of the Result: its gates, or its picture");
  circuit->formOption = command->add_option("--form", circuit->form, kCircuitFormHelp)
                            ->check(CLI::IsMember({"typed", "sop", "pos", "nand", "nor"}));
  command->add_option("--style", circuit->style, "ansi (the default: distinctive shapes) or iec (rectangles)")
      ->check(CLI::IsMember({"ansi", "iec"}));
  command
      ->add_option("--format", circuit->format, "text (the default: one line per gate) or svg (the picture)")
      ->check(CLI::IsMember({"text", "svg"}));
  circuit->fileOption = AddFileOption(
      *command, circuit->file, circuit->output,
      "A PLA or table file instead of an expression: every output drawn together, product terms shared",
      "draw alone");
  CLI::Option* typed =
      AddExpressionArgument(*command, line, circuit->expression)->excludes(circuit->fileOption);
  command->callback([circuit, typed] {
    if (!typed->count() && !circuit->fileOption->count())
      throw CLI::RequiredError("expression or --pla FILE");
    if (circuit->fileOption->count() && circuit->output.empty() && circuit->formOption->count() &&
        circuit->form != "sop")
      throw CLI::ValidationError("--form",
                                 "every output of a file is drawn as a sum of products: --form sop, or none");
  });
  return {{command, [circuit] { return RunCircuit(*circuit); }}};
}

}  // namespace brevano::cli
