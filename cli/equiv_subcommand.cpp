// brevano equiv: two expressions compared over the union of their variables.
#include <iostream>
#include <memory>

#include "cli/commands.h"
#include "cli/subcommand.h"

namespace brevano::cli {

namespace {

struct EquivArguments {
  std::string first, second;
  double budget = 10;
};

// Compares two expressions after the warnings of each, each led by its expression: 0 when
// equivalent, 3 when not, 1 on an error. With warnings the verdict says it is about the tables as read.
int RunEquiv(const EquivArguments& equiv) {
  DiagnosedTable a, b;
  if (!BuildReportingWarnings(equiv.first, DisplayMode::kZeroOne, false, a, QuotedExpression(equiv.first)))
    return 1;
  if (!BuildReportingWarnings(equiv.second, DisplayMode::kZeroOne, false, b, QuotedExpression(equiv.second)))
    return 1;
  const bool asRead = !a.diagnosis.warnings.empty() || !b.diagnosis.warnings.empty();
  bool equivalent = false;
  const int status = PrintWhenDone([&](std::ostream& out) {
    equivalent =
        CommandEquiv(a.table, equiv.first, b.table, equiv.second, out, asRead, BudgetOf(equiv.budget));
  });
  if (status != 0) return status;
  return equivalent ? 0 : 3;
}

}  // namespace

std::vector<std::pair<CLI::App*, SubcommandRun>> AddEquivCommand(CLI::App& app, CommandLine& line) {
  auto equiv = std::make_shared<EquivArguments>();
  CLI::App* command = app.add_subcommand(
      "equiv",
      "Compare two expressions over the union of their variables: exit status 0 when equivalent, 3 when not");
  AddExpressionArgument(*command, line, equiv->first)->required();
  line.standardInputTexts.push_back(&equiv->second);
  command->add_option("expression2", equiv->second, "The second expression")->required();
  AddBudgetOption(*command, equiv->budget);
  return {{command, [equiv] { return RunEquiv(*equiv); }}};
}

}  // namespace brevano::cli
