// The rows of a function given by sums of cubes (a file's 1 and don't-care terms) as diagrams in
// table order, for exact counts and searches without a table.
#pragma once

#include <memory>

#include "diagram/diagram.h"
#include "minimise/cube_list.h"

namespace brevano {

/// The three kinds of rows of a function with don't-cares, each a diagram in table order.
struct CubeDiagrams {
  DiagramStatus status = DiagramStatus::kStopped;
  std::shared_ptr<const Diagram> ones;       ///< in a 1 cube and in no don't-care cube
  std::shared_ptr<const Diagram> zeros;      ///< in no cube
  std::shared_ptr<const Diagram> dontCares;  ///< in a don't-care cube
};

/// Builds the diagrams of the sums `on` and `dontCare` over `variableCount` table columns (row bit
/// n-1-i for column i; at most 63). A don't-care wins over a 1. All three are set when built.
CubeDiagrams BuildCubeDiagrams(const CubeList& on, const CubeList& dontCare, int variableCount,
                               const DiagramLimits& limits = {}, const Budget& stop = {});

}  // namespace brevano
