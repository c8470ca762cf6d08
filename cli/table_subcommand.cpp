// brevano table: the truth table streamed in one of the table formats.
#include <unistd.h>

#include <csignal>
#include <iostream>
#include <memory>

#include "cli/commands.h"
#include "cli/subcommand.h"

namespace brevano::cli {

namespace {

struct TableOptions {
  std::string expression;
  bool falseTrue = false;
  std::string format = "tsv";
  bool strict = false;
};

// Builds the table, then streams it: an error before the first byte is written prints its message
// alone. A reader that stops early (`| head`) ends the output quietly, with success.
int RunTable(const TableOptions& options) {
  const DisplayMode mode = options.falseTrue ? DisplayMode::kFalseTrue : DisplayMode::kZeroOne;
  DiagnosedTable built;
  if (!BuildReportingWarnings(options.expression, mode, options.strict, built)) return 1;
  std::signal(SIGPIPE, SIG_IGN);
  std::string error;
  if (WriteTableTo(STDOUT_FILENO, built.table, *TableFormatFromName(options.format), error) ==
      WriteOutcome::kFailed) {
    std::cerr << error << '\n';
    return 1;
  }
  return 0;
}

}  // namespace

std::vector<std::pair<CLI::App*, SubcommandRun>> AddTableCommand(CLI::App& app, CommandLine& line) {
  auto options = std::make_shared<TableOptions>();
  CLI::App* table =
      app.add_subcommand("table", "Print the truth table: a caption line, then one line per row");
  table->add_flag("--ft", options->falseTrue, "Write truth values as F and T instead of 0 and 1");
  table->add_flag("--strict", options->strict, kStrictHelp);
  table
      ->add_option("--format", options->format,
                   "tsv (the default), csv (RFC 4180, CRLF line ends), markdown or latex")
      ->check(CLI::IsMember({"tsv", "csv", "markdown", "latex"}));
  AddExpressionArgument(*table, line, options->expression)->required();
  return {{table, [options] { return RunTable(*options); }}};
}

}  // namespace brevano::cli
