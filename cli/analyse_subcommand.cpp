// brevano analyse: the analysis of an expression's Result column, or of a file's outputs.
#include <unistd.h>

#include <iostream>
#include <memory>

#include "cli/commands.h"
#include "cli/file_commands.h"
#include "cli/subcommand.h"

namespace brevano::cli {

namespace {

struct AnalyseOptions {
  std::string expression;
  bool strict = false;
  std::string dontCare;
  CLI::Option* dontCareOption = nullptr;
  std::string file, output;
  CLI::Option* fileOption = nullptr;
  std::string form = "both";
  double budget = 0;
  CLI::Option* budgetOption = nullptr;

  AnalyseSettings Settings() const {
    AnalyseSettings settings;
    settings.sum = form != "pos";
    settings.product = form != "sop";
    if (budgetOption->count()) settings.budget = budget;
    if (isatty(STDERR_FILENO)) settings.progress = &std::cerr;
    return settings;
  }
};

// The analysis is printed after the warnings, its counts and rows as soon as they are known (the
// command writes nothing before it can no longer fail).
int RunAnalyse(const AnalyseOptions& options) {
  if (options.fileOption->count()) {
    const bool done = RunReportingErrors(
        [&] { CommandAnalyseFile(options.file, options.output, options.Settings(), std::cout, std::cerr); });
    std::cout << std::flush;
    return done ? 0 : 1;
  }
  DiagnosedTable built;
  TableFunction function;
  if (!BuildReportingWarnings(options.expression, DisplayMode::kZeroOne, options.strict, built)) return 1;
  if (!BuildFunction(built.table, options.dontCare, options.dontCareOption, options.strict, function))
    return 1;
  const bool done = RunReportingErrors([&] { CommandAnalyse(function, options.Settings(), std::cout); });
  std::cout << std::flush;
  return done ? 0 : 1;
}

}  // namespace

std::vector<std::pair<CLI::App*, SubcommandRun>> AddAnalyseCommand(CLI::App& app, CommandLine& line) {
  auto options = std::make_shared<AnalyseOptions>();
  CLI::App* analyse =
      app.add_subcommand("analyse", "Print the analysis of the Result column, one labelled line each");
  analyse->add_flag("--strict", options->strict, kStrictHelp);
  options->dontCareOption = analyse->add_option("--dont-care", options->dontCare, kDontCareHelp);
  analyse->add_option("--form", options->form, "sop, pos or both (the default): the least forms printed")
      ->check(CLI::IsMember({"sop", "pos", "both"}));
  options->budgetOption =
      analyse
          ->add_option(
              "--budget", options->budget,
              "Seconds each search may take: each form's, the SAT solver's, and a count row by row "
              "(default 10 s, the count about a second's worth of rows); then the best found is printed")
          ->check(CLI::Range(0.001, 86400.0));
  options->fileOption = AddFileOption(
      *analyse, options->file, options->output,
      "A PLA file, or a table file as brevano table writes it (TSV or CSV), instead of an expression",
      "analyse");
  options->dontCareOption->excludes(options->fileOption);
  CLI::Option* typed =
      AddExpressionArgument(*analyse, line, options->expression)->excludes(options->fileOption);
  analyse->footer(AnalyseHelp());
  analyse->callback([options, typed] {
    if (!typed->count() && !options->fileOption->count())
      throw CLI::RequiredError("expression or --pla FILE");
  });
  return {{analyse, [options] { return RunAnalyse(*options); }}};
}

}  // namespace brevano::cli
