// A Boolean function of named inputs with any number of named outputs, each given by the cubes of
// its 1 points and of its don't-care points.
#pragma once

#include <string>
#include <vector>

#include "function/cube_algebra.h"

namespace brevano {

/// The function: every cube of `on` is 1 in the outputs it is tagged with, every cube of
/// `dontCare` may take either value there (a don't-care wins over a 1), and every other point of an
/// output is 0. All cubes have inputs.size() inputs and outputs.size() outputs.
struct BooleanFunction {
  std::vector<std::string> inputs;   ///< the input names, input 0 first
  std::vector<std::string> outputs;  ///< the output names
  CubeCover on;
  CubeCover dontCare;

  int InputCount() const { return static_cast<int>(inputs.size()); }
  int OutputCount() const { return static_cast<int>(outputs.size()); }
  /// The cube of every point, feeding every output.
  MultiCube AllOutputs() const;
};

/// The cubes of one output: its 1 cubes and its don't-care cubes, each tagged with that output.
struct OutputCubes {
  CubeCover on;
  CubeCover dontCare;
};

/// The 1 and don't-care cubes of output `o`.
OutputCubes CubesOf(const BooleanFunction& function, int o);

/// What a check of a cover found wrong: nothing when the cover is right.
struct CoverFault {
  int output = -1;        ///< the output concerned
  std::size_t term = 0;   ///< the term of the cover or of the function's 1 cubes concerned
  bool offPoint = false;  ///< true: term `term` of the cover holds a 0 point of the output;
                          ///< false: 1 cube `term` of the function has a point the cover misses
};

/// Checks a cover of all outputs together: each output's 1 points all lie in the cover's terms
/// tagged with it, and each such term lies within the output's 1 and don't-care points. Works by
/// tautology on cubes, at any width. Returns the first fault, or an output of -1 when it holds.
CoverFault CheckCover(const BooleanFunction& function, const CubeCover& cover);

}  // namespace brevano
