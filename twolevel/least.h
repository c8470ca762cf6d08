// Two-level logic in one place: the least sum or product of a function with don't-cares, at any
// size, and the one reading of how far it is known to be least.
#pragma once

#include <chrono>
#include <optional>
#include <string>
#include <vector>

#include "diagram/cover.h"
#include "diagram/two_level.h"
#include "minimise/truth_vector.h"
#include "tabulate/tabulation.h"
#include "twolevel/least_form.h"

namespace brevano {

/// The limits of Least: those of the searches, and of the engines that read the function.
struct LeastOptions {
  FormOptions forms;
  /// Most terms of a function too complex for its diagrams, made a sum of products for its forms
  /// to come from them.
  std::size_t maxFunctionCubes = 20000;
  /// Time the solver may spend on each of the two questions that show such a function constant.
  std::chrono::milliseconds solverTime{2000};
};

/// What a caller already knows of the function, so that Least builds nothing twice.
struct FunctionLearnt {
  /// The variable order of its diagrams, once built (see BuildFunctionDiagrams); empty otherwise.
  std::vector<int> order;
  /// Its diagrams are too complex; its cubes then, where it has few (none: too many, or not made).
  bool tooComplex = false;
  std::optional<BooleanFunction> cubes;
  /// The Result, where it is known to be constant (only read without don't-cares).
  std::optional<bool> constant;
};

/// The function as cubes where it is a sum of products or close to one: at most `maxCubes` terms
/// for each table, made within `time`, over the tables' variables with one output, "Result";
/// nothing otherwise.
std::optional<BooleanFunction> CubesOfFunction(const TableFunction& function, std::size_t maxCubes,
                                               std::chrono::milliseconds time);

/// The least form of `side` of `function`: up to kMaxMinimiseVariables variables the exact
/// minimiser (see FindLeastForm); beyond, from the function's diagrams, or when they are too
/// complex from its cubes (see FindLeastFormFromCubes), or, for a constant without don't-cares that
/// the solver shows so, the constant; else not computed (kDiagramTooComplex). `progress` is called
/// with the milliseconds spent of the budget; false stops it, with kStopped.
LeastForm Least(const TableFunction& function, FormSide side, const LeastOptions& options = {},
                const Progress& progress = {}, const FunctionLearnt& learnt = {});

/// The least form of `side` of output `output` of `function`: up to kMaxMinimiseVariables inputs
/// the exact minimiser on its rows, within the whole budget; beyond, up to kMaxTableVariables, from
/// its cubes (see FindLeastFormFromCubes); else not computed (kTooManyVariables).
LeastForm Least(const BooleanFunction& function, int output, FormSide side, const LeastOptions& options = {},
                const Progress& progress = {});

/// True when `cubes` are least by their shape alone, whatever search found them: a constant, a
/// single term, or terms of one literal each over distinct variables (a function that is one
/// product has no other cover of one term; every literal of a sum of literals is essential).
/// Never for a function with don't-cares, whose rows covered are the form's own choice.
bool TriviallyMinimal(const CubeList& cubes, bool withDontCares);

/// How far a least form is known to be least, or why there is none: the one reading of its
/// status and source.
enum class FormStanding {
  kLeast,              ///< proven least, or least by its shape
  kFewestTerms,        ///< proven of the fewest terms; the fewest literals not proven
  kHeuristic,          ///< the exact search ran out of time: not proven least
  kImproved,           ///< improved heuristically from an irredundant cover: not proven least
  kIrredundant,        ///< an irredundant cover: not proven least
  kStopped,            ///< not computed: stopped by the caller
  kTooManyVariables,   ///< not computed: more than kMaxMinimiseVariables variables
  kTooManyPrimes,      ///< not computed: too many prime implicants
  kTooManyTerms,       ///< not computed: the irredundant cover has too many terms
  kCoverTooComplex,    ///< not computed: the irredundant cover ran out of its budget
  kDiagramTooComplex,  ///< not computed: too complex for the decision diagrams
};

/// The standing of `form`, found for a function with don't-cares or without.
FormStanding StandingOf(const LeastForm& form, bool withDontCares);

/// True when the standing has a form (kLeast to kIrredundant).
bool HasForm(FormStanding standing);

/// The words of a standing: for one without a form why ("not computed: stopped"; `limits` gives
/// the most terms of kTooManyTerms), for one not proven least what it is ("heuristic, not proven
/// minimal"), empty for kLeast.
std::string StandingText(FormStanding standing, const CoverLimits& limits = {});

}  // namespace brevano
