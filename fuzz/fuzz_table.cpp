// Fuzz target: the whole pipeline, the diagnosis of its listing, the reading most likely meant, then
// the truth table and a few rows.
#include <algorithm>
#include <cstdlib>
#include <string_view>

#include "engine/engine_error.h"
#include "engine/numbers.h"
#include "frontend/diagnosis.h"
#include "frontend/fix_it.h"
#include "frontend/folded_constants.h"
#include "frontend/listed_lines.h"
#include "frontend/missing_operand.h"
#include "fuzz/fuzz_target.h"
#include "pipeline/pipeline.h"
#include "tabulate/bit_parallel.h"
#include "tabulate/compiled_program.h"
#include "tabulate/tabulation.h"

namespace {

// Tables up to this many rows are also counted in bulk; when rows times listing lines stay within
// the budget, the count is checked against the rows evaluated one by one.
constexpr std::uint64_t kCountedRows = std::uint64_t{1} << 16;
constexpr std::uint64_t kRowByRowBudget = std::uint64_t{1} << 20;
constexpr std::size_t kFuzzMaxNodes = 1'000;

void TabulateFirstRows(const brevano::Listing& listing, brevano::DisplayMode mode) {
  const brevano::TruthTable table = brevano::TruthTable::Build(listing, mode);
  const std::uint64_t rows = table.RowCount();
  const std::size_t columns = table.Variables().size() + 1;
  for (std::uint64_t row = 0; row < std::min<std::uint64_t>(rows, 8); ++row) {
    if (table.RowTexts(row).size() != columns) std::abort();
  }
  if (table.RowTexts(rows - 1).size() != columns) std::abort();
  if (rows > kCountedRows) return;
  const brevano::CountOutcome counted = brevano::CountRows(table.Program(), 1);
  if (counted.stopped || counted.count > rows) std::abort();
  if (rows * (listing.size() + 1) > kRowByRowBudget) return;
  std::uint64_t ones = 0;
  for (std::uint64_t row = 0; row < rows; ++row) ones += static_cast<std::uint64_t>(table.Result(row) == 1);
  if (counted.count != ones) std::abort();
}

// The diagnosis of every listing, and the explanation of every operator without an operand.
void Diagnose(std::string_view text, const brevano::ExprTree& tree, const brevano::Listing& listing) {
  const std::vector<brevano::ListedLine> lines = brevano::ClassifyListing(tree, listing);
  if (const auto missing = brevano::FirstMissingOperand(lines)) {
    if (missing->line != brevano::FindMissingOperand(listing)->line) std::abort();
    const brevano::TypedReading reading(text);
    if (brevano::MissingOperandMessage(lines, *missing, brevano::FindFoldedConstants(reading)).empty())
      std::abort();
    return;
  }
  if (brevano::DiagnoseTable(text, tree, listing).warnings.size() > brevano::kMaxWarnings) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  // The first byte picks the decimal separator and the display mode.
  brevano::SetDecimalSeparator(data[0] & 1 ? ',' : '.');
  const auto mode = data[0] & 2 ? brevano::DisplayMode::kFalseTrue : brevano::DisplayMode::kZeroOne;
  const std::string_view text(reinterpret_cast<const char*>(data + 1), size - 1);
  // On the fuzzer's own thread: no stage may need more stack than an ordinary thread has. A lower
  // node limit keeps runaway derivatives from dominating the run time; the real limit is the
  // regression inputs' and the benchmark's business.
  try {
    brevano::ExprTree tree;
    tree.maxNodes = kFuzzMaxNodes;
    const brevano::Listing listing = brevano::ProcessExpression(text, tree);
    Diagnose(text, tree, listing);
    // The reading most likely meant goes through the pipeline too.
    if (const std::optional<std::string> meant = brevano::RewrittenAsMeant(text)) {
      brevano::ExprTree again;
      again.maxNodes = kFuzzMaxNodes;
      brevano::ProcessExpression(*meant, again);
    }
    TabulateFirstRows(listing, mode);
  } catch (const brevano::EngineError&) {
  }
  return 0;
}
