// Counting and listing the rows of a function with don't-cares: row by row, or from its diagrams.
#pragma once

#include "analysis/analysis.h"
#include "diagram/two_level.h"
#include "sat/sat_search.h"
#include "twolevel/least_form.h"

namespace brevano::analysis_detail {

/// Counts and lists every row bit-parallel, with progress; stops at `options.scanBudget` with the
/// rows counted so far (rowsScanned). False when stopped by the caller.
bool ScanRows(const TableFunction& function, Analysis& analysis, const AnalysisOptions& options,
              const Budget& budget);

/// Counts and lists from the diagrams: time in proportion to the variables per listed row in table
/// order; in another order the listing stops after a while, the counts staying exact.
void DiagramRows(const FunctionDiagrams& diagrams, Analysis& analysis, std::size_t limit);

/// Counts and lists from the function's cubes (the 1 rows are those of `on` outside the
/// don't-cares, and the 0 rows those of neither; one output, at most 63 inputs), within the diagram's time
/// budget; false when that is not enough.
bool CubeRows(const BooleanFunction& cubes, Analysis& analysis, const AnalysisOptions& options);

/// "always 1" when no row is 0, "always 0" when none is 1, else "depends on the variables".
Verdict VerdictOf(std::uint64_t ones, std::uint64_t zeros);

/// The verdict and the first and last row of each kind from the solver (a function without
/// don't-cares), and all the rows when the Result is constant or one row differs from the others.
SatStatus SolverEnds(const CompiledProgram& program, Analysis& analysis, const AnalysisOptions& options,
                     const Budget& budget);

}  // namespace brevano::analysis_detail
