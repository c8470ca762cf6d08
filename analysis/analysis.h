// What the Result column of a built truth table says: counts, verdict, rows, least forms.
#pragma once

#include <chrono>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "diagram/cover.h"
#include "diagram/diagram.h"
#include "minimise/minimise_status.h"
#include "tabulate/tabulation.h"

namespace brevano {

/// What the Result column does.
enum class Verdict { kAlwaysOne, kAlwaysZero, kDepends };

/// "always 1", "always 0" or "depends on the variables".
std::string VerdictText(Verdict verdict);

/// The first rows of one kind, ascending, and how many rows of that kind there are.
struct RowList {
  std::vector<std::uint64_t> rows;
  std::uint64_t total = 0;
};

/// The first and the last row of one kind; none when there is no such row.
struct RowEnds {
  std::optional<std::uint64_t> first, last;
};

/// Where a form comes from.
enum class FormSource {
  kMinimiser,          ///< the exact minimiser; its status says how it ended
  kIrredundant,        ///< an irredundant cover from the decision diagram: not proven minimal
  kTooManyTerms,       ///< the irredundant cover has more terms than are listed: not computed
  kCoverTooComplex,    ///< the irredundant cover ran out of its budget: not computed
  kDiagramTooComplex,  ///< the function is too complex for a decision diagram: not computed
};

/// A least sum of products, or a least product of sums, of the Result column.
struct MinimalForm {
  MinimiseStatus status = MinimiseStatus::kStopped;
  FormSource source = FormSource::kMinimiser;
  /// The terms of the sum; for a product, the terms of the complement's sum (one per factor).
  std::vector<WideCube> cubes;
  /// The form in the program's syntax, over the table's captions; empty when not computed.
  std::string expression;
  /// False when the form uses a variable that cannot be typed back (see CanBeTypedBack).
  bool typable = true;
  /// The first such variable, in table order.
  std::string untypableVariable;
};

/// True when `form` is least by its shape alone, whatever search found it: a constant, a single
/// term, or terms of one literal each over distinct variables (a function that is one product has
/// no other cover of one term; every literal of a sum of literals is essential).
bool TriviallyMinimal(const MinimalForm& form);

/// The steps of an analysis, in order.
enum class AnalysisStage { kCounting, kListing, kSumOfProducts, kProductOfSums };

/// Called now and then from the analysing thread, or from a thread that the analysis starts and
/// waits for, with the work done and expected in the stage (in the two minimisations, first the
/// steps of the prime implicants, then milliseconds spent of the time budget); false stops it.
using AnalysisProgress = std::function<bool(AnalysisStage stage, std::uint64_t done, std::uint64_t total)>;

/// Limits of an analysis.
struct AnalysisOptions {
  /// Most row numbers listed of each kind.
  std::size_t maxListedRows = 10000;
  /// Time each minimisation may take before it settles for its best form so far.
  std::chrono::milliseconds minimiseBudget{10000};
  /// Budgets of the decision diagram and of its irredundant covers.
  DiagramLimits diagramLimits;
  CoverLimits coverLimits;
  /// Most variables a table may have to be counted row by row when its diagram is too complex;
  /// a larger one is left uncounted.
  int maxScannedVariables = kMaxTableVariables;
  /// Most steps (64 rows through one instruction) such a count may take.
  std::uint64_t maxScanSteps = ~std::uint64_t{0};
  /// Time the solver may spend on each of the first and last rows when the diagram is too complex.
  std::chrono::milliseconds solverTime{2000};
};

/// The analysis of a table. Row numbers count from 0, the first variable being the most
/// significant bit (row 0 has every variable 0).
struct Analysis {
  std::vector<std::string> variables;
  std::uint64_t rowCount = 0;
  std::uint64_t onesCount = 0;  ///< rows whose Result is 1
  Verdict verdict = Verdict::kAlwaysZero;
  RowList minterms;           ///< rows whose Result is 1
  RowList maxterms;           ///< rows whose Result is 0
  MinimalForm sum;            ///< least sum of products
  MinimalForm product;        ///< least product of sums
  bool rowsComplete = false;  ///< the counts, the verdict and the row lists are final
  bool tooComplex = false;    ///< the decision diagram exceeded its budget
  /// When the diagram is too complex and the rows are not counted: the first and the last row of
  /// each kind, from the solver; with them the verdict is final (endsComplete).
  RowEnds ones, zeros;
  bool endsComplete = false;
  bool complete = false;  ///< everything is final (false when stopped, and for an empty table)
};

/// Called from the analysing thread with the analysis so far each time more of it becomes final:
/// once the counts, the verdict and the row lists are (rowsComplete), then once the sum is.
using AnalysisPartial = std::function<void(const Analysis& sofar)>;

/// Analyses the Result column of `table`: up to kMaxMinimiseVariables variables row by row with
/// the exact minimiser, falling back to an irredundant cover where the minimiser gives up; beyond,
/// from the decision diagram. When the diagram is too complex, the solver finds the verdict and the
/// first and last rows of each kind (all of it when the Result is constant or one row differs),
/// and the rows are counted one by one within the scan limits; the forms are not computed.
Analysis AnalyseTable(const TruthTable& table, const AnalysisOptions& options = {},
                      const AnalysisProgress& progress = {}, const AnalysisPartial& partial = {});

/// One labelled item of the report.
struct AnalysisItem {
  std::string label;  ///< "Rows with Result 1:", "Verdict:", "Minterms:", ...
  std::string value;
};

/// The six items, in order: rows with Result 1 ("3 of 8"), verdict, minterms and maxterms ("none",
/// or the numbers joined by ", " and, past the listing limit, ", ... (N more)"; with the ends
/// alone, "first F, last L (the others not computed: too complex for exact analysis)"), least sum of
/// products, least product of sums (the expression, marked when not proven least or when a
/// variable cannot be typed back; an irredundant cover "irredundant, not proven minimal"). What
/// was not computed says "not computed: " and the reason.
std::vector<AnalysisItem> AnalysisItems(const Analysis& analysis, const CoverLimits& limits = {});

/// The number with its digits grouped by commas: 1,000.
std::string GroupedNumber(std::uint64_t value);

}  // namespace brevano
