// brevano circuit: the logic circuit of the Result, as a gate list or a picture.
#include <memory>

#include "cli/circuit_commands.h"
#include "cli/commands.h"
#include "cli/subcommand.h"

namespace brevano::cli {

namespace {

struct CircuitArguments {
  std::string expression;
  std::string form = "typed";
  std::string style = "ansi";
  std::string format = "text";
};

// The circuit is printed only once it is complete, after the warnings of its table.
int RunCircuit(const CircuitArguments& circuit) {
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
  command->add_option("--form", circuit->form, kCircuitFormHelp)
      ->check(CLI::IsMember({"typed", "sop", "pos", "nand", "nor"}));
  command->add_option("--style", circuit->style, "ansi (the default: distinctive shapes) or iec (rectangles)")
      ->check(CLI::IsMember({"ansi", "iec"}));
  command
      ->add_option("--format", circuit->format, "text (the default: one line per gate) or svg (the picture)")
      ->check(CLI::IsMember({"text", "svg"}));
  AddExpressionArgument(*command, line, circuit->expression)->required();
  return {{command, [circuit] { return RunCircuit(*circuit); }}};
}

}  // namespace brevano::cli
