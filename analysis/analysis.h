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
#include "engine/numbers.h"
#include "minimise/minimise_status.h"
#include "search/function_rows.h"
#include "tabulate/table_function.h"
#include "tabulate/tabulation.h"
#include "twolevel/least.h"

namespace brevano {

/// What the Result column does.
enum class Verdict { kAlwaysOne, kAlwaysZero, kDepends };

/// "always 1", "always 0" or "depends on the variables".
std::string VerdictText(Verdict verdict);

/// A least sum of products, or a least product of sums, of the Result column.
struct MinimalForm {
  MinimiseStatus status = MinimiseStatus::kStopped;
  FormSource source = FormSource::kMinimiser;
  /// The terms of the sum; for a product, the terms of the complement's sum (one per factor).
  std::vector<Cube> cubes;
  /// The form in the program's syntax, over the table's captions; empty when not computed.
  std::string expression;
  /// False when the form uses a variable that cannot be typed back (see CanBeTypedBack).
  bool typable = true;
  /// The first such variable, in table order.
  std::string untypableVariable;
  /// The form is of a function with don't-cares.
  bool withDontCares = false;
};

/// True when `form` is least by its shape alone (see TriviallyMinimal of cubes).
bool TriviallyMinimal(const MinimalForm& form);

/// The standing of `form` (see StandingOf a least form).
FormStanding StandingOf(const MinimalForm& form);

/// The least form `least` over `variables`, written in the program's syntax when it has one.
MinimalForm MinimalFormOf(const LeastForm& least, const std::vector<std::string>& variables, bool product,
                          bool withDontCares);

/// The steps of an analysis, in order. The analysis tags the step under way on its budget
/// (Budget::Stage) before the budget's progress hears of it: called now and then from the
/// analysing thread, or from a thread that the analysis starts and waits for, with the work done
/// and expected in the stage (in the two minimisations, first the steps of the prime implicants,
/// then milliseconds spent of the time budget); false stops it.
enum class AnalysisStage { kCounting, kListing, kSumOfProducts, kProductOfSums };

/// Limits of an analysis.
struct AnalysisOptions {
  /// Most row numbers listed of each kind.
  std::size_t maxListedRows = 10000;
  /// Time the search for each form may take before it settles for its best form so far.
  std::chrono::milliseconds minimiseBudget{10000};
  /// Time the rows may take to be counted one by one (when the diagram is too complex) before the
  /// counts stop where they are.
  std::chrono::milliseconds scanBudget{std::chrono::hours(24)};
  /// The forms wanted.
  bool sum = true;
  bool product = true;
  /// Budgets of the decision diagram and of its irredundant covers.
  DiagramLimits diagramLimits;
  CoverLimits coverLimits;
  /// Most variables a table may have to be counted row by row when its diagram is too complex;
  /// a larger one is left uncounted.
  int maxScannedVariables = kMaxTableVariables;
  /// Most steps (64 rows through one instruction) such a count may take.
  std::uint64_t maxScanSteps = ~std::uint64_t{0};
  /// Most terms of a function too complex for its diagram, made a sum of products, for its rows and
  /// forms to come from them.
  std::size_t maxFunctionCubes = 20000;
  /// Time the solver may spend on each of the first and last rows when the diagram is too complex.
  std::chrono::milliseconds solverTime{2000};
};

/// The analysis of a table, or of a table with don't-cares. Row numbers count from 0, the first
/// variable being the most significant bit (row 0 has every variable 0).
struct Analysis {
  /// The table's variables, and those of the don't-cares, in table order.
  std::vector<std::string> variables;
  std::uint64_t rowCount = 0;
  std::uint64_t onesCount = 0;  ///< rows whose Result is 1 (outside the don't-cares)
  bool hasDontCares = false;    ///< a don't-care function was given
  std::uint64_t dontCareCount = 0;
  Verdict verdict = Verdict::kAlwaysZero;
  RowList minterms;           ///< rows whose Result is 1 (outside the don't-cares)
  RowList maxterms;           ///< rows whose Result is 0 (outside the don't-cares)
  RowList dontCares;          ///< rows where the Result does not matter
  MinimalForm sum;            ///< least sum of products
  MinimalForm product;        ///< least product of sums
  bool sumWanted = true;      ///< the sum was asked for
  bool productWanted = true;  ///< the product was asked for
  bool rowsComplete = false;  ///< the counts, the verdict and the row lists are final
  bool tooComplex = false;    ///< the decision diagram exceeded its budget
  /// When the diagram is too complex and the rows are not counted: the first and the last row of
  /// each kind, from the solver; with them the verdict is final (endsComplete).
  RowEnds ones, zeros;
  bool endsComplete = false;
  /// Handed on with the ends alone: the rows are about to be counted one by one.
  bool countFollows = false;
  /// Rows counted one by one before the scan budget ran out; rowCount when it did not.
  std::uint64_t rowsScanned = 0;
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
Analysis AnalyseTable(const TruthTable& table, const AnalysisOptions& options = {}, const Budget& budget = {},
                      const AnalysisPartial& partial = {});

/// The same for a function with don't-cares: the rows where its don't-care table gives 1 may take
/// either value.
Analysis AnalyseTable(const TableFunction& function, const AnalysisOptions& options = {},
                      const Budget& budget = {}, const AnalysisPartial& partial = {});

/// What an item of the report tells, in the order the report gives them.
enum class ItemKind {
  kOnesCount,
  kVerdict,
  kMinterms,
  kMaxterms,
  kDontCares,
  kSum,
  kProduct,
  kAnf,
  kNand,
  kNor,
  kCanonicalSum,
  kCanonicalProduct,
  kFunctionNumber,
  kDependsOn,
  kIncreasing,
  kDecreasing,
  kSymmetric,
  kSelfDual,
  kLinear,
  kZeroPreserving,
  kOnePreserving,
};

/// The label an item is shown with: "Rows with Result 1:", "Verdict:", "Minterms:", ...
std::string ItemLabel(ItemKind kind);

/// One item of the report.
struct AnalysisItem {
  ItemKind kind = ItemKind::kOnesCount;
  std::string value;
};

/// The items, in order: rows with Result 1 ("3 of 8", with don't-cares "3 of 8, 2 don't-care"),
/// verdict, minterms and maxterms ("none", or the numbers joined by ", " and, past the listing
/// limit, ", ... (N more)"; with the ends alone, "first F, last L (the others not computed: too
/// complex for exact analysis)"), with don't-cares their rows, then the forms asked for: least sum
/// of products, least product of sums (the expression, marked when not proven least or when a
/// variable cannot be typed back; an irredundant cover "irredundant, not proven minimal"). What was
/// not computed says "not computed: " and the reason.
std::vector<AnalysisItem> AnalysisItems(const Analysis& analysis, const CoverLimits& limits = {});

/// The text of a least form's item: the expression, marked when not proven least or when a variable
/// cannot be typed back, or why it was not computed.
std::string FormItemText(const MinimalForm& form, const CoverLimits& limits = {});

/// The number of items before the forms.
std::size_t RowItemCount(const Analysis& analysis);

}  // namespace brevano
