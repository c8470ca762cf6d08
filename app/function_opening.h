// Opening a PLA or table file in the window: the file read, and one output made the expression of
// its least sum of products with the expression of its don't-cares.
#pragma once

#include <cstddef>
#include <functional>
#include <optional>
#include <string>

#include "analysis/analysis.h"
#include "plafile/function_file.h"

namespace brevano {

/// Largest file the window opens.
inline constexpr std::size_t kMaxOpenedFileBytes = 64 * 1024 * 1024;

/// Reads the PLA or table file at `path` (a local file name); raises EngineError "Cannot read …"
/// or the reader's "Line N: …".
FunctionFile ReadFunctionFileAt(const std::string& path);

/// An output of a file as the window shows it.
struct OpenedFunction {
  std::string sum;       ///< the least sum of products: the expression box's text
  std::string dontCare;  ///< the don't-care rows over the sum's variables; empty without
  /// Said when some don't-cares depend on inputs the sum leaves out, and are left out with them.
  std::string leftOut;
};

/// The least sum of products of output `output`, with don't-cares, and the don't-care rows as the
/// least sum of a function of the sum's variables alone: a row of those is a don't-care when it is
/// one whatever the inputs the sum leaves out. Nullopt when `stop` said so first. Raises
/// EngineError when there is no sum or it names an input the expression box cannot take.
std::optional<OpenedFunction> OpenOutput(const FunctionFile& file, std::size_t output,
                                         const std::function<bool()>& stop = {});

}  // namespace brevano
