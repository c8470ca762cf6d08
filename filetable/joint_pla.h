// An opened file's outputs minimised together and written back as a PLA file with its names.
#pragma once

#include <optional>
#include <string>

#include "multiout/joint_minimise.h"
#include "plafile/function_file.h"

namespace brevano {

/// Every output of `file`'s function minimised together (MinimiseJointly with `options`), as a PLA
/// file of type f: a comment line with the number of terms and whether no cover has fewer, .i, .o,
/// .ilb and .ob with the file's names, .p, one term a line with a 1 for each output it feeds, .e.
/// Nullopt when options.progress stopped it. Raises EngineError for a name a PLA file cannot hold
/// (empty, or with a blank, "#" or "|").
std::optional<std::string> MinimisedPla(const FunctionFile& file, const JointOptions& options);

}  // namespace brevano
