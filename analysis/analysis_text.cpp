// The analysis report: one text per item, saying what was not computed and why, and the items' labels.
#include "analysis/analysis.h"

namespace brevano {

namespace {

std::string RowListText(const RowList& list) {
  if (list.total == 0) return "none";
  std::string text;
  for (std::uint64_t row : list.rows) {
    if (!text.empty()) text += ", ";
    text += std::to_string(row);
  }
  if (list.total > list.rows.size())
    text += ", ... (" + std::to_string(list.total - list.rows.size()) + " more)";
  return text;
}

// The first and the last row of a kind whose rows are not counted.
std::string EndsText(const RowEnds& ends) {
  if (!ends.first) return "none";
  return "first " + std::to_string(*ends.first) + ", last " + std::to_string(*ends.last) +
         " (the others not computed: too complex for exact analysis)";
}

}  // namespace

std::string FormItemText(const MinimalForm& form, const CoverLimits& limits) {
  const FormStanding standing = StandingOf(form);
  if (!HasForm(standing)) return StandingText(standing, limits);
  std::string text = form.expression;
  if (standing != FormStanding::kLeast) text += " (" + StandingText(standing) + ")";
  if (!form.typable) {
    text += " (not expressible: the variable \"" + form.untypableVariable + "\" cannot be typed back)";
  }
  return text;
}

bool TriviallyMinimal(const MinimalForm& form) { return TriviallyMinimal(form.cubes, form.withDontCares); }

FormStanding StandingOf(const MinimalForm& form) {
  return StandingOf({form.status, form.source, form.cubes}, form.withDontCares);
}

std::string ItemLabel(ItemKind kind) {
  switch (kind) {
    case ItemKind::kOnesCount: return "Rows with Result 1:";
    case ItemKind::kVerdict: return "Verdict:";
    case ItemKind::kMinterms: return "Minterms:";
    case ItemKind::kMaxterms: return "Maxterms:";
    case ItemKind::kDontCares: return "Don't-cares:";
    case ItemKind::kSum: return "Minimal sum of products:";
    case ItemKind::kProduct: return "Minimal product of sums:";
    case ItemKind::kAnf: return "Algebraic normal form:";
    case ItemKind::kNand: return "NAND form:";
    case ItemKind::kNor: return "NOR form:";
    case ItemKind::kCanonicalSum: return "Canonical sum:";
    case ItemKind::kCanonicalProduct: return "Canonical product:";
    case ItemKind::kFunctionNumber: return "Function number:";
    case ItemKind::kDependsOn: return "Depends on:";
    case ItemKind::kIncreasing: return "Monotone increasing in:";
    case ItemKind::kDecreasing: return "Monotone decreasing in:";
    case ItemKind::kSymmetric: return "Symmetric:";
    case ItemKind::kSelfDual: return "Self-dual:";
    case ItemKind::kLinear: return "Linear (affine):";
    case ItemKind::kZeroPreserving: return "0-preserving:";
    case ItemKind::kOnePreserving: break;
  }
  return "1-preserving:";
}

std::string VerdictText(Verdict verdict) {
  switch (verdict) {
    case Verdict::kAlwaysOne: return "always 1";
    case Verdict::kAlwaysZero: return "always 0";
    case Verdict::kDepends: break;
  }
  return "depends on the variables";
}

namespace {

// The counts of a scan cut short by its budget: what the rows examined show.
std::vector<AnalysisItem> PartialRowItems(const Analysis& analysis) {
  const std::string examined = "in the first " + GroupedNumber(analysis.rowsScanned) + " of " +
                               GroupedNumber(analysis.rowCount) + " rows (stopped at the time budget)";
  const std::string more = ", ... (further rows not examined)";
  std::vector<AnalysisItem> items = {
      {ItemKind::kOnesCount, std::to_string(analysis.onesCount) + " " + examined},
      {ItemKind::kVerdict, analysis.endsComplete || (analysis.onesCount > 0 && analysis.maxterms.total > 0)
                               ? VerdictText(Verdict::kDepends)
                               : "not computed: stopped at the time budget"},
      {ItemKind::kMinterms,
       (analysis.minterms.rows.empty() ? "none found" : RowListText(analysis.minterms)) + more},
      {ItemKind::kMaxterms,
       (analysis.maxterms.rows.empty() ? "none found" : RowListText(analysis.maxterms)) + more},
  };
  if (analysis.hasDontCares)
    items.push_back(
        {ItemKind::kDontCares,
         (analysis.dontCares.rows.empty() ? "none found" : RowListText(analysis.dontCares)) + more});
  return items;
}

}  // namespace

std::size_t RowItemCount(const Analysis& analysis) { return analysis.hasDontCares ? 5 : 4; }

std::vector<AnalysisItem> AnalysisItems(const Analysis& analysis, const CoverLimits& limits) {
  const bool rows = analysis.rowsComplete;
  const bool ends = !rows && analysis.endsComplete;
  const std::string missing =
      StandingText(analysis.tooComplex && !rows ? FormStanding::kDiagramTooComplex : FormStanding::kStopped);
  std::vector<AnalysisItem> items;
  if (!rows && analysis.rowsScanned > 0) {
    items = PartialRowItems(analysis);
  } else {
    std::string counted = std::to_string(analysis.onesCount) + " of " + std::to_string(analysis.rowCount);
    if (analysis.hasDontCares) counted += ", " + std::to_string(analysis.dontCareCount) + " don't-care";
    items = {
        {ItemKind::kOnesCount, rows ? counted : missing},
        {ItemKind::kVerdict, rows || ends ? VerdictText(analysis.verdict) : missing},
        {ItemKind::kMinterms, rows   ? RowListText(analysis.minterms)
                              : ends ? EndsText(analysis.ones)
                                     : missing},
        {ItemKind::kMaxterms, rows   ? RowListText(analysis.maxterms)
                              : ends ? EndsText(analysis.zeros)
                                     : missing},
    };
    if (analysis.hasDontCares)
      items.push_back({ItemKind::kDontCares, rows ? RowListText(analysis.dontCares) : missing});
  }
  if (analysis.sumWanted) items.push_back({ItemKind::kSum, FormItemText(analysis.sum, limits)});
  if (analysis.productWanted) items.push_back({ItemKind::kProduct, FormItemText(analysis.product, limits)});
  return items;
}

}  // namespace brevano
