// The report items of the forms and properties: each a text, saying what was not computed and why.
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
  std::vector<Cube> cubes;
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

std::string ItemValue(const std::vector<AnalysisItem>& items, ItemKind kind) {
  for (const AnalysisItem& item : items) {
    if (item.kind == kind) return item.value;
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
  const std::string rowsMissing = ItemValue(least, ItemKind::kOnesCount);
  std::string number = analysis.variables.size() > kMaxNumberedVariables
                           ? "not computed: more than " + std::to_string(kMaxNumberedVariables) + " variables"
                           : rowsMissing;
  if (const std::optional<std::uint64_t> value = FunctionNumber(analysis)) number = std::to_string(*value);
  const FunctionProperties& p = description.properties;
  auto property = [&](const std::string& value) { return known ? value : missing; };
  return {
      {ItemKind::kAnf, AnfItem(description, variables, options, missing)},
      {ItemKind::kNand, GateItem(analysis.sum, ItemValue(least, ItemKind::kSum), variables, false)},
      {ItemKind::kNor, GateItem(analysis.product, ItemValue(least, ItemKind::kProduct), variables, true)},
      {ItemKind::kCanonicalSum, analysis.rowsComplete
                                    ? CanonicalText(analysis.minterms.rows, analysis.minterms.total, false)
                                    : rowsMissing},
      {ItemKind::kCanonicalProduct, analysis.rowsComplete
                                        ? CanonicalText(analysis.maxterms.rows, analysis.maxterms.total, true)
                                        : rowsMissing},
      {ItemKind::kFunctionNumber, number},
      {ItemKind::kDependsOn, property(Names(p.dependsOn, variables))},
      {ItemKind::kIncreasing, property(Names(p.increasing, variables))},
      {ItemKind::kDecreasing, property(Names(p.decreasing, variables))},
      {ItemKind::kSymmetric, property(YesNo(p.symmetric))},
      {ItemKind::kSelfDual, property(YesNo(p.selfDual))},
      {ItemKind::kLinear, property(YesNo(p.linear))},
      {ItemKind::kZeroPreserving, property(YesNo(p.zeroPreserving))},
      {ItemKind::kOnePreserving, property(YesNo(p.onePreserving))},
  };
}

}  // namespace brevano
