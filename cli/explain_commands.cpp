// explain and check-steps: derivations by laws, the tabular method with its proof, and the check
// of a typed derivation.
#include "cli/explain_commands.h"

#include <fstream>
#include <iostream>
#include <sstream>

#include "analysis/analysis.h"
#include "cli/commands.h"
#include "engine/deep_stack.h"
#include "engine/engine_error.h"
#include "explain/check_steps.h"
#include "explain/derivation.h"
#include "explain/minimality_proof.h"
#include "forms/boolean_form.h"
#include "twolevel/program_cubes.h"

namespace brevano::cli {

namespace {

// Runs `work` on the large stack; an engine error is printed alone on standard error: false.
bool RunReporting(const std::function<void()>& work) {
  try {
    RunWithLargeStack(work);
  } catch (const EngineError& error) {
    std::cerr << error.what() << '\n';
    return false;
  } catch (const std::bad_alloc&) {
    std::cerr << "Not enough memory for this expression\n";
    return false;
  }
  return true;
}

// The function's rows (and don't-cares) over the variables of both, at most 16 of them.
struct Rows {
  std::vector<std::string> variables;
  TruthVector on{0}, dontCare{0};
  bool hasDontCares = false;
};

Rows RowsOf(const TruthTable& table, const TruthTable* dontCare) {
  Rows rows;
  rows.variables = table.Variables();
  if (dontCare) {
    std::vector<std::string> both;
    std::set_union(rows.variables.begin(), rows.variables.end(), dontCare->Variables().begin(),
                   dontCare->Variables().end(), std::back_inserter(both));
    rows.variables = both;
  }
  const int n = static_cast<int>(rows.variables.size());
  if (n > kMaxMinimiseVariables)
    throw EngineError("explain takes at most " + std::to_string(kMaxMinimiseVariables) +
                      " variables; this has " + std::to_string(n));
  rows.on = ResultBits(table.Program().OverVariables(rows.variables));
  rows.dontCare = TruthVector(n);
  if (dontCare) {
    rows.dontCare = ResultBits(dontCare->Program().OverVariables(rows.variables));
    rows.hasDontCares = true;
  }
  return rows;
}

// For a product: the rows with Result 0 are the ones of the complement, whose least sum it takes.
TruthVector SideOf(const Rows& rows, bool product) {
  if (!product) return rows.on;
  TruthVector zeros(rows.on.Variables());
  for (std::size_t w = 0; w < zeros.WordCount(); ++w)
    zeros.SetWord(w, ~(rows.on.Word(w) | rows.dontCare.Word(w)));
  return zeros;
}

std::string ProofLine(const TabularMethod& method, std::size_t terms, bool product) {
  const std::string lead =
      product ? "Proof of minimality (of the least sum of the rows with Result 0, whose terms "
                "give the factors): "
              : "Proof of minimality: ";
  if (!method.complete) return lead + "not computed (the search ran out of time or room)";
  return lead + ProofText(ProveMinimality(method, terms), SearchAccount(method));
}

void ExplainTabular(const Rows& rows, bool product, std::ostream& out) {
  SearchControl control(std::chrono::seconds(10), {});
  const TruthVector side = SideOf(rows, product);
  const TabularMethod method =
      RunTabularMethod(side, rows.hasDontCares ? &rows.dontCare : nullptr,
                       rows.variables.size() <= static_cast<std::size_t>(kMaxShownTabularVariables), control);
  if (product)
    out << "The least product of sums: the tabular method on the rows with Result 0, whose least sum is the "
           "complement; De Morgan makes each of its terms a factor.\n";
  out << TabularText(method, rows.variables, false);
  if (method.complete) {
    std::vector<WideCube> complement;
    for (Cube c : ChosenTerms(method)) complement.push_back({c.care, c.value});
    if (product) out << "Least product: " << ProductText(complement, rows.variables) << '\n';
    out << ProofLine(method, method.chosen.size(), product) << '\n';
  }
}

void WriteDerivation(const Derivation& derivation, bool tsv, std::ostream& out) {
  std::size_t width = 0;
  for (const DerivationStep& step : derivation.steps) width = std::max(width, step.expression.size());
  width = std::min<std::size_t>(width, 72);
  const std::size_t digits = std::to_string(derivation.steps.size()).size();
  for (std::size_t i = 0; i < derivation.steps.size(); ++i) {
    const DerivationStep& step = derivation.steps[i];
    if (tsv) {
      out << i + 1 << '\t' << step.law << '\t' << step.expression << '\n';
      continue;
    }
    std::string number = std::to_string(i + 1);
    out << std::string(digits - number.size(), ' ') << number << "  " << step.expression
        << std::string(width > step.expression.size() ? width - step.expression.size() : 0, ' ') << "  "
        << step.law << (step.places > 1 ? ", at " + std::to_string(step.places) + " places" : "") << '\n';
  }
}

void ExplainByLaws(const DiagnosedTable& built, const Rows& rows, bool product, bool tsv, std::ostream& out) {
  AnalysisOptions options;
  options.sum = !product;
  options.product = product;
  const Analysis analysis = AnalyseTable(built.table, options);
  const MinimalForm& form = product ? analysis.product : analysis.sum;
  if (form.expression.empty()) throw EngineError("The least form was not found within the time given");
  std::vector<Cube> target;
  for (WideCube c : form.cubes)
    target.push_back({static_cast<std::uint32_t>(c.care), static_cast<std::uint32_t>(c.value)});
  const Derivation derivation = DeriveLeastForm(ExprOfProgram(built.table.Program()),
                                                built.diagnosis.evaluatedAs, rows.variables, target, product);
  WriteDerivation(derivation, tsv, out);
  if (tsv) return;
  if (derivation.byTabularMethod)
    out << "The last step goes by the tabular method (brevano explain --method tabular): no derivation by "
           "laws "
           "was found within the budget.\n";
  SearchControl control(std::chrono::seconds(10), {});
  const TabularMethod method = RunTabularMethod(SideOf(rows, product), nullptr, false, control);
  out << ProofLine(method, target.size(), product)
      << (form.status == MinimiseStatus::kExact ? "" : " (the least form itself is not proven least)")
      << '\n';
}

int RunExplain(const ExplainCommands& c, const std::string& expression) {
  DiagnosedTable built;
  std::optional<DiagnosedTable> dontCare;
  if (!RunReporting([&] {
        CheckExpressionLength(expression);
        built = BuildExpressionTable(expression, DisplayMode::kZeroOne);
        if (c.dontCareOption->count()) dontCare = BuildExpressionTable(c.dontCare, DisplayMode::kZeroOne);
      }))
    return 1;
  WriteWarnings(built.diagnosis, std::cerr);
  if (dontCare) WriteWarnings(dontCare->diagnosis, std::cerr, "don't-care");
  std::ostringstream out;
  const bool product = c.form == "pos";
  if (!RunReporting([&] {
        const Rows rows = RowsOf(built.table, dontCare ? &dontCare->table : nullptr);
        if (c.method == "tabular")
          ExplainTabular(rows, product, out);
        else
          ExplainByLaws(built, rows, product, c.format == "tsv", out);
      }))
    return 1;
  std::cout << out.str() << std::flush;
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
  if (!RunReporting([&] {
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

std::optional<int> ExplainCommands::Run(const std::string& expression) const {
  if (explainChosen) return RunExplain(*this, expression);
  if (checkChosen) return RunCheckSteps(stepsFile);
  return std::nullopt;
}

void AddExplainCommands(CLI::App& app, ExplainCommands& c, std::string& expression) {
  CLI::App* explain = app.add_subcommand(
      "explain", "Derive the least sum (or product) from the expression by named laws, each step checked");
  explain->add_option("--form", c.form, "sop (the default) or pos: the least form derived")
      ->check(CLI::IsMember({"sop", "pos"}));
  explain->add_option("--format", c.format, "text (the default: numbered lines, the law on the right) or tsv")
      ->check(CLI::IsMember({"text", "tsv"}));
  explain
      ->add_option("--method", c.method, "laws (the default: a derivation) or tabular (the tabular method)")
      ->check(CLI::IsMember({"laws", "tabular"}));
  c.dontCareOption =
      explain->add_option("--dont-care", c.dontCare,
                          "With --method tabular: an expression whose rows with 1 may take either value");
  explain
      ->add_option("expression", expression,
                   "The expression (use -- before one that begins with '-'; - reads it from standard input)")
      ->required();
  explain->callback([&c] {
    if (c.dontCareOption->count() && c.method != "tabular")
      throw CLI::ValidationError("--dont-care",
                                 "only with --method tabular: a derivation keeps the function");
    c.explainChosen = true;
  });
  CLI::App* check = app.add_subcommand(
      "check-steps",
      "Check a derivation, one expression a line (a law may follow #): exit 0 when every line is "
      "the same function as the one before, 3 at the first that is not");
  check->add_option("file", c.stepsFile, "The file of the derivation; - reads standard input")->required();
  check->callback([&c] { c.checkChosen = true; });
  std::string laws = "Laws:\n";
  for (const auto& [name, equation] : KnownLaws()) laws += "  " + name + ": " + equation + "\n";
  explain->footer(laws);
}

}  // namespace brevano::cli
