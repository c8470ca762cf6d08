// The analysis report: one labelled text per item, saying what was not computed and why.
#include <bit>

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

std::string StatusText(MinimiseStatus status) {
  switch (status) {
    case MinimiseStatus::kTooManyVariables:
      return "not computed: too many variables (at most " + std::to_string(kMaxMinimiseVariables) + ")";
    case MinimiseStatus::kTooLarge: return "not computed: too many prime implicants";
    case MinimiseStatus::kStopped: return "not computed: stopped";
    case MinimiseStatus::kExact:
    case MinimiseStatus::kFewestTerms:
    case MinimiseStatus::kHeuristic: break;
  }
  return {};
}

// What a form found by a search that did not prove it least says of itself.
std::string UnprovenNote(const MinimalForm& form) {
  if (form.source == FormSource::kIrredundant) return " (irredundant, not proven minimal)";
  if (form.source == FormSource::kImproved) return " (improved heuristically, not proven minimal)";
  if (form.status == MinimiseStatus::kHeuristic) return " (heuristic, not proven minimal)";
  if (form.status == MinimiseStatus::kFewestTerms) return " (fewest terms; fewest literals not proven)";
  return {};
}

std::string FormText(const MinimalForm& form, const CoverLimits& limits) {
  switch (form.source) {
    case FormSource::kTooManyTerms:
      return "not computed: more than " + GroupedNumber(limits.maxTerms) + " terms";
    case FormSource::kCoverTooComplex: return "not computed: too complex for an irredundant form";
    case FormSource::kDiagramTooComplex: return "not computed: too complex for exact analysis";
    case FormSource::kMinimiser:
    case FormSource::kImproved:
    case FormSource::kIrredundant: break;
  }
  if (form.source == FormSource::kMinimiser) {
    if (std::string status = StatusText(form.status); !status.empty()) return status;
  }
  std::string text = form.expression;
  if (!TriviallyMinimal(form)) text += UnprovenNote(form);
  if (!form.typable) {
    text += " (not expressible: the variable \"" + form.untypableVariable + "\" cannot be typed back)";
  }
  return text;
}

}  // namespace

bool TriviallyMinimal(const MinimalForm& form) {
  if (form.withDontCares) return false;  // the rows a form covers are then its own choice
  if (form.cubes.size() <= 1) return true;
  std::uint64_t seen = 0;
  for (const WideCube& cube : form.cubes) {
    if (std::popcount(cube.care) != 1 || (seen & cube.care)) return false;
    seen |= cube.care;
  }
  return true;
}

std::string GroupedNumber(std::uint64_t value) {
  const std::string digits = std::to_string(value);
  std::string grouped;
  for (std::size_t i = 0; i < digits.size(); ++i) {
    if (i > 0 && (digits.size() - i) % 3 == 0) grouped += ',';
    grouped += digits[i];
  }
  return grouped;
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
      {"Rows with Result 1:", std::to_string(analysis.onesCount) + " " + examined},
      {"Verdict:", analysis.endsComplete || (analysis.onesCount > 0 && analysis.maxterms.total > 0)
                       ? VerdictText(Verdict::kDepends)
                       : "not computed: stopped at the time budget"},
      {"Minterms:", (analysis.minterms.rows.empty() ? "none found" : RowListText(analysis.minterms)) + more},
      {"Maxterms:", (analysis.maxterms.rows.empty() ? "none found" : RowListText(analysis.maxterms)) + more},
  };
  if (analysis.hasDontCares)
    items.push_back(
        {"Don't-cares:",
         (analysis.dontCares.rows.empty() ? "none found" : RowListText(analysis.dontCares)) + more});
  return items;
}

}  // namespace

std::size_t RowItemCount(const Analysis& analysis) { return analysis.hasDontCares ? 5 : 4; }

std::vector<AnalysisItem> AnalysisItems(const Analysis& analysis, const CoverLimits& limits) {
  const bool rows = analysis.rowsComplete;
  const bool ends = !rows && analysis.endsComplete;
  const std::string missing = analysis.tooComplex && !rows ? "not computed: too complex for exact analysis"
                                                           : StatusText(MinimiseStatus::kStopped);
  std::vector<AnalysisItem> items;
  if (!rows && analysis.rowsScanned > 0) {
    items = PartialRowItems(analysis);
  } else {
    std::string counted = std::to_string(analysis.onesCount) + " of " + std::to_string(analysis.rowCount);
    if (analysis.hasDontCares) counted += ", " + std::to_string(analysis.dontCareCount) + " don't-care";
    items = {
        {"Rows with Result 1:", rows ? counted : missing},
        {"Verdict:", rows || ends ? VerdictText(analysis.verdict) : missing},
        {"Minterms:", rows   ? RowListText(analysis.minterms)
                      : ends ? EndsText(analysis.ones)
                             : missing},
        {"Maxterms:", rows   ? RowListText(analysis.maxterms)
                      : ends ? EndsText(analysis.zeros)
                             : missing},
    };
    if (analysis.hasDontCares)
      items.push_back({"Don't-cares:", rows ? RowListText(analysis.dontCares) : missing});
  }
  if (analysis.sumWanted) items.push_back({"Minimal sum of products:", FormText(analysis.sum, limits)});
  if (analysis.productWanted)
    items.push_back({"Minimal product of sums:", FormText(analysis.product, limits)});
  return items;
}

}  // namespace brevano
