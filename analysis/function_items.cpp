// The report items of the forms and properties: each a labelled text, saying what was not computed and why.
#include <bit>

#include "analysis/function_forms.h"
#include "forms/boolean_form.h"
#include "forms/gate_forms.h"

namespace brevano {

namespace {

constexpr int kMaxNumberedVariables = 6;

std::string YesNo(bool yes) { return yes ? "yes" : "no"; }

// The names of the variables whose row bits are set in `bits`, in table order.
std::string Names(std::uint64_t bits, const std::vector<std::string>& variables) {
  if (bits == 0) return "none";
  return Join(Literals({bits, bits}, variables, false), ", ");
}

std::string UntypableNote(const std::string& variable) {
  return " (not expressible: the variable \"" + variable + "\" cannot be typed back)";
}

std::string AnfItem(const FunctionDescription& description, const std::vector<std::string>& variables,
                    const DescribeOptions& options, const std::string& missing) {
  if (!missing.empty()) return missing;
  const AnfTerms& anf = description.anf;
  switch (anf.status) {
    case AnfStatus::kFound: break;
    case AnfStatus::kTooManyTerms:
      return "not computed: " + GroupedNumber(static_cast<std::uint64_t>(anf.termCount)) +
             " terms, more than " + GroupedNumber(options.anfLimits.maxTerms);
    case AnfStatus::kTooComplex: return "not computed: too complex for the decision diagram";
    case AnfStatus::kNotRequested: return "not computed: stopped";
  }
  std::vector<WideCube> cubes;
  for (std::uint64_t monomial : anf.monomials) cubes.push_back({monomial, monomial});
  std::string text = AnfText(anf.monomials, variables);
  if (const auto untypable = FirstUntypableVariable(cubes, variables)) text += UntypableNote(*untypable);
  return text;
}

// The NAND or NOR form of a least form, or the least form's own reason for not being there.
std::string GateItem(const MinimalForm& form, const std::string& formItem,
                     const std::vector<std::string>& variables, bool nor) {
  if (form.expression.empty()) return formItem;
  std::string text = nor ? NorText(form.cubes, variables) : NandText(form.cubes, variables);
  if (!form.typable) text += UntypableNote(form.untypableVariable);
  return text;
}

std::string ItemValue(const std::vector<AnalysisItem>& items, const std::string& label) {
  for (const AnalysisItem& item : items) {
    if (item.label == label) return item.value;
  }
  return {};
}

}  // namespace

std::optional<std::uint64_t> FunctionNumber(const Analysis& analysis) {
  if (!analysis.rowsComplete || analysis.variables.size() > kMaxNumberedVariables ||
      analysis.minterms.rows.size() != analysis.minterms.total)
    return std::nullopt;
  std::uint64_t number = 0;
  for (std::uint64_t row : analysis.minterms.rows) number |= std::uint64_t{1} << row;
  return number;
}

std::vector<AnalysisItem> FunctionItems(const Analysis& analysis, const FunctionDescription& description,
                                        const DescribeOptions& options) {
  const std::vector<AnalysisItem> least = AnalysisItems(analysis, options.anfLimits);
  const std::vector<std::string>& variables = analysis.variables;
  const bool known =
      description.source == DescriptionSource::kRows || description.source == DescriptionSource::kDiagram;
  const std::string missing = known ? std::string()
                              : description.source == DescriptionSource::kTooComplex
                                  ? "not computed: too complex for exact analysis"
                                  : "not computed: stopped";
  // Why the rows are not listed: the count's item says it alone (the row items may hold the
  // solver's first and last rows).
  const std::string rowsMissing = ItemValue(least, "Rows with Result 1:");
  std::string number = analysis.variables.size() > kMaxNumberedVariables
                           ? "not computed: more than " + std::to_string(kMaxNumberedVariables) + " variables"
                           : rowsMissing;
  if (const std::optional<std::uint64_t> value = FunctionNumber(analysis)) number = std::to_string(*value);
  const FunctionProperties& p = description.properties;
  auto property = [&](const std::string& value) { return known ? value : missing; };
  return {
      {"Algebraic normal form:", AnfItem(description, variables, options, missing)},
      {"NAND form:", GateItem(analysis.sum, ItemValue(least, "Minimal sum of products:"), variables, false)},
      {"NOR form:",
       GateItem(analysis.product, ItemValue(least, "Minimal product of sums:"), variables, true)},
      {"Canonical sum:", analysis.rowsComplete
                             ? CanonicalText(analysis.minterms.rows, analysis.minterms.total, false)
                             : rowsMissing},
      {"Canonical product:", analysis.rowsComplete
                                 ? CanonicalText(analysis.maxterms.rows, analysis.maxterms.total, true)
                                 : rowsMissing},
      {"Function number:", number},
      {"Depends on:", property(Names(p.dependsOn, variables))},
      {"Monotone increasing in:", property(Names(p.increasing, variables))},
      {"Monotone decreasing in:", property(Names(p.decreasing, variables))},
      {"Symmetric:", property(YesNo(p.symmetric))},
      {"Self-dual:", property(YesNo(p.selfDual))},
      {"Linear (affine):", property(YesNo(p.linear))},
      {"0-preserving:", property(YesNo(p.zeroPreserving))},
      {"1-preserving:", property(YesNo(p.onePreserving))},
  };
}

}  // namespace brevano
