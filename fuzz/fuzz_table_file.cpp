// Fuzz target: the table-file reader, its output made into tables, and the table written as a table
// file and read back as the same rows.
#include <algorithm>
#include <cstdlib>
#include <string>
#include <string_view>

#include "engine/engine_error.h"
#include "fuzz/file_checks.h"
#include "fuzz/fuzz_target.h"
#include "plafile/function_file.h"
#include "tabulate/table_format.h"

namespace {

void CheckWrittenBack(const brevano::FunctionFile& file) {
  if (static_cast<int>(file.inputs.size()) > brevano::fuzz::kComparedInputs) return;
  brevano::TableFunction tables;
  try {
    tables = brevano::TablesOfOutput(file, 0);
  } catch (const brevano::EngineError&) {
    return;
  }
  for (const auto format : {brevano::TableFormat::kTsv, brevano::TableFormat::kCsv}) {
    std::string written;
    brevano::WriteTable(tables.on, format, [&written](std::string_view chunk) {
      written += chunk;
      return true;
    });
    const brevano::TableFunction again = brevano::TablesOfOutput(brevano::ReadTableFile(written), 0);
    if (again.dontCare || again.on.Variables() != tables.on.Variables()) std::abort();
    for (std::uint64_t row = 0; row < tables.on.RowCount(); ++row) {
      if (again.on.Result(row) != tables.on.Result(row)) std::abort();
    }
  }
}

// A caption of more columns is read the same way, but its rows take the reader (under the
// sanitizers) a good part of a second, which would leave few inputs a second to the rest.
constexpr std::size_t kMostSeparators = 10;

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  const std::string_view caption = text.substr(0, text.find('\n'));
  if (static_cast<std::size_t>(std::count_if(caption.begin(), caption.end(),
                                             [](char c) { return c == '\t' || c == ','; })) > kMostSeparators)
    return 0;
  brevano::FunctionFile file;
  try {
    file = brevano::ReadTableFile(text);
  } catch (const brevano::EngineError&) {
    return 0;
  }
  brevano::fuzz::CheckOutputs(file, 1);
  CheckWrittenBack(file);
  return 0;
}
