// explain and check-steps: derivations by laws, the tabular method with its proof, and the check
// of a typed derivation.
#include <fstream>
#include <iostream>
#include <memory>
#include <sstream>

#include "cli/commands.h"
#include "cli/subcommand.h"
#include "engine/engine_error.h"
#include "explain/check_steps.h"
#include "explain/derivation.h"
#include "explain/explanation.h"

namespace brevano::cli {

namespace {

// The options of `explain`, filled in by the parser.
struct ExplainArguments {
  std::string expression;
  std::string form = "sop";
  std::string format = "text";
  std::string method = "laws";
  std::string dontCare;
  CLI::Option* dontCareOption = nullptr;
};

int RunExplain(const ExplainArguments& c) {
  const std::string& expression = c.expression;
  DiagnosedTable built;
  TableFunction function;
  if (!BuildReportingWarnings(expression, DisplayMode::kZeroOne, false, built)) return 1;
  if (!BuildFunction(built.table, c.dontCare, c.dontCareOption, false, function)) return 1;
  ExplainOptions options;
  options.product = c.form == "pos";
  options.tabular = c.method == "tabular";
  options.tsv = c.format == "tsv";
  std::string text;
  if (!RunReportingErrors([&] { text = ExplainTable(function, built.diagnosis.evaluatedAs, options); }))
    return 1;
  std::cout << text << std::flush;
  return 0;
}

int RunCheckSteps(const std::string& file) {
  std::string text;
  if (file == "-") {
    text.assign(std::istreambuf_iterator<char>(std::cin), {});
  } else {
    std::ifstream in(file, std::ios::binary);
    if (!in) {
      std::cerr << file << ": cannot be read\n";
      return 1;
    }
    text.assign(std::istreambuf_iterator<char>(in), {});
  }
  StepsCheck check;
  if (!RunReportingErrors([&] {
        const std::vector<DerivationLine> lines = SplitDerivation(text);
        if (lines.empty())
          throw EngineError((file == "-" ? std::string("The input") : file) + " holds no expression");
        check = CheckDerivation(lines);
      }))
    return 1;
  for (const std::string& note : check.notes) std::cerr << "warning: " << note << '\n';
  std::cout << StepsCheckText(check) << std::flush;
  return check.equal ? 0 : 3;
}

}  // namespace

std::vector<std::pair<CLI::App*, SubcommandRun>> AddExplainCommands(CLI::App& app, CommandLine& line) {
  auto c = std::make_shared<ExplainArguments>();
  CLI::App* explain = app.add_subcommand(
      "explain", "Derive the least sum (or product) from the expression by named laws, each step checked");
  explain->add_option("--form", c->form, "sop (the default) or pos: the least form derived")
      ->check(CLI::IsMember({"sop", "pos"}));
  explain
      ->add_option("--format", c->format, "text (the default: numbered lines, the law on the right) or tsv")
      ->check(CLI::IsMember({"text", "tsv"}));
  explain
      ->add_option("--method", c->method, "laws (the default: a derivation) or tabular (the tabular method)")
      ->check(CLI::IsMember({"laws", "tabular"}));
  c->dontCareOption =
      explain->add_option("--dont-care", c->dontCare,
                          "With --method tabular: an expression whose rows with 1 may take either value");
  AddExpressionArgument(*explain, line, c->expression)->required();
  explain->callback([c] {
    if (c->dontCareOption->count() && c->method != "tabular")
      throw CLI::ValidationError("--dont-care",
                                 "only with --method tabular: a derivation keeps the function");
  });
  std::string laws = "Laws:\n";
  for (const auto& [name, equation] : KnownLaws()) laws += "  " + name + ": " + equation + "\n";
  explain->footer(laws);
  auto stepsFile = std::make_shared<std::string>();
  CLI::App* check = app.add_subcommand(
      "check-steps",
      "Check a derivation, one expression a line (a law may follow #): exit 0 when every line is "
      "the same function as the one before, 3 at the first that is not");
  check->add_option("file", *stepsFile, "The file of the derivation; - reads standard input")->required();
  return {{explain, [c] { return RunExplain(*c); }},
          {check, [stepsFile] { return RunCheckSteps(*stepsFile); }}};
}

}  // namespace brevano::cli
