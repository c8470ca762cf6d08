// Irredundant sums of products of a table's Result, from its decision diagram.
#pragma once

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <vector>

#include "diagram/diagram.h"
#include "minimise/cube.h"

namespace brevano {

/// The limits of a cover: the search has its own, apart from the build's.
struct CoverLimits {
  std::size_t maxNodes = 1'000'000;         ///< most nodes the manager may hold meanwhile
  std::chrono::milliseconds maxTime{3000};  ///< most time each cover may take
  std::size_t maxTerms = 1000;              ///< covers with more terms are not listed
  /// Count the terms of a cover past maxTerms to the end; otherwise the cover stops as soon as it
  /// is known to have more (every part of the construction adds its terms to the whole).
  bool countAll = false;
};

/// How a cover ended.
enum class CoverStatus {
  kNotRequested,
  kFound,         ///< `terms` holds the cover
  kTooManyTerms,  ///< more than CoverLimits::maxTerms terms: not listed
  kTooComplex,    ///< the cover's budget ran out
};

/// An irredundant sum of products: no term can be dropped and no literal removed from a term.
/// Not proven least.
struct Cover {
  CoverStatus status = CoverStatus::kNotRequested;
  /// The number of terms, exact however many; with kTooManyTerms and without countAll, a lower
  /// bound above maxTerms.
  unsigned __int128 termCount = 0;
  /// The terms, in term order (variable by variable from the first: negated, plain, absent).
  std::vector<Cube> terms;
};

/// A diagram with the covers of its function and of the function's complement.
struct DiagramWithCovers {
  DiagramOutcome diagram;
  Cover sum;      ///< terms whose sum is the function
  Cover product;  ///< terms whose sum is the complement (one per factor of a product of sums)
};

/// The stages of BuildDiagramAndCovers, tagged on its `stop` as they begin.
enum class CoverPhase { kDiagram, kSum, kProduct };

/// Called on the waiting thread with the diagram as soon as it is built, before the covers.
using DiagramReady = std::function<void(const std::shared_ptr<const Diagram>& diagram)>;

/// Builds the diagram and then, each within `coverLimits`, the requested covers (Minato and
/// Morreale's recursive construction on the diagram). When stopped during a cover, the diagram
/// is kept, the status is kStopped and the covers not finished are kNotRequested.
DiagramWithCovers BuildDiagramAndCovers(const CompiledProgram& program, bool sum, bool product,
                                        const DiagramLimits& limits = {}, const CoverLimits& coverLimits = {},
                                        const Budget& stop = {}, const DiagramReady& ready = {});

}  // namespace brevano
