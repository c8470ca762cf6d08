// All outputs of a function minimised together: one cover whose terms each feed the outputs they
// are tagged with, checked against every output before it is returned.
#pragma once

#include <chrono>
#include <cstddef>

#include "budget/budget.h"
#include "function/boolean_function.h"

namespace brevano {

/// How the minimisation runs.
struct JointOptions {
  std::chrono::steady_clock::duration budget = std::chrono::seconds(10);  ///< time for the whole run
  bool exact = false;   ///< give the exact search larger problems (it still keeps to the budget)
  bool single = false;  ///< each output alone: no term shared between outputs
  Progress progress;
};

/// What the run went through, for those who ask.
struct JointStats {
  std::size_t startTerms = 0;  ///< the function's own 1 cubes
  std::size_t heuristicTerms = 0;
  std::size_t passes = 0;  ///< rounds of reduce, expand and irredundant
  bool exactRan = false;   ///< the exact search gave a cover
  bool timeUp = false;     ///< the budget ended a step early
};

/// The cover found.
struct JointCover {
  CubeCover terms;
  bool proven = false;         ///< no cover has fewer terms
  std::size_t lowerBound = 0;  ///< no cover has fewer terms than this
  JointStats stats;
};

/// Minimises every output of `function` together (or each alone with `single`): the classical
/// loop on multi-output terms, then, where the inputs are few enough, the exact search over the
/// multi-output primes; the better cover is kept, with a lower bound from points that no one
/// term can share. The cover is checked against every output's 1 and don't-care points; raises
/// EngineError if that check fails, and when the function's cubes do not match its names.
/// Recursive: run it on a large stack.
JointCover MinimiseJointly(const BooleanFunction& function, const JointOptions& options);

}  // namespace brevano
