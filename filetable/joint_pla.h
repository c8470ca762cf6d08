// An opened file's outputs minimised together and written back as a PLA file with its names.
#pragma once

#include <optional>
#include <string>

#include "multiout/joint_minimise.h"
#include "plafile/function_file.h"

namespace brevano {

/// "N terms, all outputs together" (or ", each output alone" with `single`), then ", proven fewest"
/// or ", at least M needed": the line that heads a written cover.
std::string JointCoverSummary(const JointCover& cover, bool single = false);

/// MinimiseJointly, or nullopt when options.progress stopped it (the cover is then not complete).
std::optional<JointCover> MinimiseJointlyUnlessStopped(const BooleanFunction& function,
                                                       const JointOptions& options);

/// Raises EngineError for a name of `function` that a PLA file cannot hold (empty, or with a blank,
/// "#" or "|").
void CheckPlaNames(const BooleanFunction& function);

/// The cover of `function` as a PLA file of type `outputType` (f, fd or fr): a comment line with
/// the summary, .i, .o, .ilb, .ob, (.type), .p, one term a line with a 1 for each output it feeds
/// (fd adds the file's don't-care terms, fr the 0 points of each output), .e. Raises EngineError
/// for a name a PLA file cannot hold, and when the 0 points that fr lists take too many cubes.
std::string JointCoverPla(const BooleanFunction& function, const JointCover& cover,
                          const std::string& outputType = "f", bool single = false);

/// Every output of `file`'s function minimised together (MinimiseJointly with `options`), as a PLA
/// file of type f (JointCoverPla). Nullopt when options.progress stopped it. Raises EngineError for
/// a name a PLA file cannot hold, before minimising.
std::optional<std::string> MinimisedPla(const FunctionFile& file, const JointOptions& options);

}  // namespace brevano
