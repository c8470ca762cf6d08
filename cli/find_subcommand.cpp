// brevano find: the first (or last, or n-th) row with a given Result.
#include <memory>

#include "cli/commands.h"
#include "cli/subcommand.h"

namespace brevano::cli {

namespace {

struct FindArguments {
  std::string expression;
  FindOptions options;
  double budget = 10;
  std::uint64_t from = 0, nth = 0;
  CLI::Option* fromOption = nullptr;
  CLI::Option* nthOption = nullptr;

  FindOptions Options() const {
    FindOptions chosen = options;
    if (fromOption->count()) chosen.from = from;
    if (nthOption->count()) chosen.nth = nth;
    chosen.budget = BudgetOf(budget);
    return chosen;
  }
};

// The row found is printed only once the search succeeded, after the warnings.
int RunFind(const FindArguments& find) {
  DiagnosedTable built;
  if (!BuildReportingWarnings(find.expression, DisplayMode::kZeroOne, false, built)) return 1;
  return PrintWhenDone([&](std::ostream& out) { CommandFind(built.table, find.Options(), out); });
}

}  // namespace

std::vector<std::pair<CLI::App*, SubcommandRun>> AddFindCommand(CLI::App& app, CommandLine& line) {
  auto find = std::make_shared<FindArguments>();
  CLI::App* command =
      app.add_subcommand("find", "Print the first row with a given Result: its number and assignment");
  command->add_option("--result", find->options.result, "The Result looked for: 0 or 1 (default 1)")
      ->check(CLI::IsMember({0, 1}));
  find->fromOption = command->add_option(
      "--from", find->from, "The row the search starts at (default: the first; the last with --previous)");
  CLI::Option* previous = command->add_flag("--previous", find->options.previous,
                                            "Search towards row 0: the last row at or before --from");
  find->nthOption =
      command->add_option("--nth", find->nth, "The n-th row with the Result instead, counted from 1")
          ->excludes(find->fromOption)
          ->excludes(previous);
  AddBudgetOption(*command, find->budget);
  AddExpressionArgument(*command, line, find->expression)->required();
  command->footer(
      "Rows count from 0, the first variable being the most significant bit; \"none\" when there is\n"
      "no such row.");
  return {{command, [find] { return RunFind(*find); }}};
}

}  // namespace brevano::cli
