// The text of an explanation: a derivation by laws with its proof of minimality, or the tabular
// method, for a table and its don't-cares.
#include "explain/explanation.h"

#include <algorithm>
#include <iterator>
#include <sstream>

#include "engine/engine_error.h"
#include "explain/derivation.h"
#include "explain/minimality_proof.h"
#include "forms/boolean_form.h"
#include "twolevel/least.h"
#include "twolevel/program_cubes.h"

namespace brevano {

namespace {

// The function's rows (and don't-cares) over its columns, at most 16 of them.
struct Rows {
  std::vector<std::string> variables;
  TruthVector on{0}, dontCare{0};
  bool hasDontCares = false;
};

Rows RowsOf(const TableFunction& function) {
  Rows rows;
  rows.variables = function.Variables();
  const int n = static_cast<int>(rows.variables.size());
  if (n > kMaxMinimiseVariables)
    throw EngineError("explain takes at most " + std::to_string(kMaxMinimiseVariables) +
                      " variables; this has " + std::to_string(n));
  rows.on = ResultBits(function.on.Program());
  rows.dontCare = TruthVector(n);
  if (function.dontCare) {
    rows.dontCare = ResultBits(function.dontCare->Program());
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
  Budget control(std::chrono::seconds(10), {});
  const TruthVector side = SideOf(rows, product);
  const TabularMethod method =
      RunTabularMethod(side, rows.hasDontCares ? &rows.dontCare : nullptr,
                       rows.variables.size() <= static_cast<std::size_t>(kMaxShownTabularVariables), control);
  if (product)
    out << "The least product of sums: the tabular method on the rows with Result 0, whose least sum is the "
           "complement; De Morgan makes each of its terms a factor.\n";
  out << TabularText(method, rows.variables, false);
  if (method.complete) {
    if (product) out << "Least product: " << ProductText(ChosenTerms(method), rows.variables) << '\n';
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

// The derivation is of the table alone: its don't-cares, if any, are left aside.
void ExplainByLaws(const TruthTable& table, const std::string& evaluatedAs, const Rows& rows, bool product,
                   bool tsv, std::ostream& out) {
  const LeastForm form =
      Least(TableFunction{table, std::nullopt}, product ? FormSide::kProduct : FormSide::kSum);
  const FormStanding standing = StandingOf(form, false);
  if (!HasForm(standing)) throw EngineError("The least form was not found within the time given");
  const Derivation derivation =
      DeriveLeastForm(ExprOfProgram(table.Program()), evaluatedAs, rows.variables, form.cubes, product);
  WriteDerivation(derivation, tsv, out);
  if (tsv) return;
  if (derivation.byTabularMethod)
    out << "The last step goes by the tabular method (brevano explain --method tabular): no derivation by "
           "laws "
           "was found within the budget.\n";
  Budget control(std::chrono::seconds(10), {});
  const TabularMethod method = RunTabularMethod(SideOf(rows, product), nullptr, false, control);
  out << ProofLine(method, form.cubes.size(), product)
      << (standing == FormStanding::kLeast ? "" : " (the least form itself is not proven least)") << '\n';
}

}  // namespace

std::string ExplainTable(const TableFunction& function, const std::string& evaluatedAs,
                         const ExplainOptions& options) {
  std::ostringstream out;
  const Rows rows = RowsOf(function);
  if (options.tabular)
    ExplainTabular(rows, options.product, out);
  else
    ExplainByLaws(function.on, evaluatedAs, rows, options.product, options.tsv, out);
  return out.str();
}

}  // namespace brevano
