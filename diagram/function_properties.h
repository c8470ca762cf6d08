// What a table's Result is besides its values: the classes that decide gate sets, and its XOR of products.
#pragma once

#include <cstdint>
#include <vector>

#include "diagram/cover.h"
#include "diagram/diagram.h"

namespace brevano {

/// The variables a function depends on and the classes that decide whether a gate set is complete.
/// Variables are given as row bits (bit n-1-i for variable i, as in row numbers).
struct FunctionProperties {
  std::uint64_t dependsOn = 0;   ///< the variables whose value can change the Result
  std::uint64_t increasing = 0;  ///< among those, the ones it is monotone increasing in
  std::uint64_t decreasing = 0;  ///< among those, the ones it is monotone decreasing in
  bool symmetric = false;        ///< unchanged by any exchange of two variables
  bool selfDual = false;         ///< complementing every variable complements the Result
  bool linear = false;           ///< an XOR of variables or its complement (affine)
  bool zeroPreserving = false;   ///< Result 0 in row 0
  bool onePreserving = false;    ///< Result 1 in the last row

  friend bool operator==(const FunctionProperties&, const FunctionProperties&) = default;
};

/// How the algebraic normal form ended.
enum class AnfStatus { kNotRequested, kFound, kTooManyTerms, kTooComplex };

/// The algebraic normal form: the products whose XOR is the function, each a set of row bits (0
/// for the constant 1).
struct AnfTerms {
  AnfStatus status = AnfStatus::kNotRequested;
  unsigned __int128 termCount = 0;       ///< exact, also when too many to list
  std::vector<std::uint64_t> monomials;  ///< with kFound; in no particular order
};

/// The properties and the algebraic normal form of a program's Result, from its diagram.
struct DiagramDescription {
  DiagramStatus status = DiagramStatus::kStopped;  ///< of the diagram: kBuilt when `properties` hold
  FunctionProperties properties;
  AnfTerms anf;  ///< kTooComplex when its budget ran out, kNotRequested when stopped first
};

/// Builds the diagram within `limits`, reads the properties off it, then, within `anfLimits`, the
/// algebraic normal form from the diagram's Möbius transform (a diagram of the set of products),
/// listed when it has at most anfLimits.maxTerms products.
DiagramDescription DescribeWithDiagram(const CompiledProgram& program, const DiagramLimits& limits = {},
                                       const CoverLimits& anfLimits = {}, const Budget& stop = {});

}  // namespace brevano
