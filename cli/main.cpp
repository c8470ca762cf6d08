// brevano: the engine and the truth table from the command line. Each subcommand lives in a file of
// its own; this file adds them from one table, parses the command line and runs the one chosen.
#include <CLI/CLI.hpp>
#include <iostream>
#include <optional>
#include <string>

#include "cli/arguments.h"
#include "cli/subcommand.h"
#include "engine/numbers.h"

namespace {

using brevano::cli::SubcommandAdder;
using brevano::cli::SubcommandRun;

// Every subcommand, in the order the help lists them.
constexpr SubcommandAdder kSubcommands[] = {
    brevano::cli::AddEngineCommands,  brevano::cli::AddAnalyseCommand, brevano::cli::AddTableCommand,
    brevano::cli::AddKmapCommand,     brevano::cli::AddFindCommand,    brevano::cli::AddEquivCommand,
    brevano::cli::AddCircuitCommand,  brevano::cli::AddExportCommand,  brevano::cli::AddExplainCommands,
    brevano::cli::AddMinimiseCommand,
};

// Replaces each text that is "-" by the next line of standard input, as Unix tools read a file
// named "-"; false (with the message printed) when the input has no line left.
bool ReadStandardInputTexts(const std::vector<std::string*>& texts) {
  for (std::string* text : texts) {
    if (*text != "-") continue;
    const std::optional<std::string> line = brevano::cli::ReadExpressionLine(std::cin);
    if (!line) {
      std::cerr << "The expression \"-\" stands for a line of standard input, but it has none\n";
      return false;
    }
    *text = *line;
  }
  return true;
}

// Parses the command line; the exit status when the run ends here (help, the version, a usage
// error), none to go on.
std::optional<int> ParseArguments(CLI::App& app, int argc, char** argv) {
  if (const auto unknown = brevano::cli::UnknownCommandMessage(app, argc, argv)) {
    std::cerr << *unknown << '\n';
    return 2;
  }
  try {
    app.parse(argc, argv);
  } catch (const CLI::CallForHelp& e) {
    return app.exit(e);
  } catch (const CLI::CallForVersion& e) {
    return app.exit(e);
  } catch (const CLI::ParseError& e) {
    app.exit(e, std::cerr, std::cerr);
    if (const auto hint = brevano::cli::OptionLikeExpressionHint(app, argc, argv)) std::cerr << *hint << '\n';
    return 2;
  }
  return std::nullopt;
}

}  // namespace

int main(int argc, char** argv) {
  brevano::UseLocaleDecimalSeparator();
  CLI::App app{"Brevano Boolean: truth tables of Boolean expressions", "brevano"};
  app.set_version_flag("--version", "brevano " BREVANO_VERSION);
  app.require_subcommand(1);
  app.fallthrough();  // the global option may also follow the command: brevano tree --decimal-separator , …
  std::string separator;
  app.add_option("--decimal-separator", separator, "Decimal separator of numbers (default: the locale's)")
      ->check([](const std::string& value) {
        return value.size() == 1 ? std::string() : std::string("must be a single character");
      });

  brevano::cli::CommandLine line;
  std::vector<std::pair<CLI::App*, SubcommandRun>> subcommands;
  for (const SubcommandAdder add : kSubcommands) {
    for (auto& added : add(app, line)) subcommands.push_back(std::move(added));
  }
  if (const std::optional<int> status = ParseArguments(app, argc, argv)) return *status;
  if (!ReadStandardInputTexts(line.standardInputTexts)) return 2;
  if (!separator.empty()) brevano::SetDecimalSeparator(separator[0]);
  for (const auto& [command, run] : subcommands) {
    if (command->parsed()) return run();
  }
  return 2;
}
