// Random listings and expressions for the property checks of the tabulation.
#pragma once

#include <random>
#include <string>

#include "engine/listing.h"

namespace brevano::testing {

/// The variable name "v" followed by `number`.
std::string VariableName(int number);

/// The listing of a random tree of about `nodes` nodes over the first `variables` names of a fixed
/// pool (at most 12): OR, AND, XOR, NOT, the constants, and lines that contribute nothing (other
/// operators, other numbers, empty operands), with random letter case and padding.
Listing RandomTreeListing(std::mt19937_64& rng, int variables, int nodes);

/// `lines` random lines of the same kinds in no tree order: often malformed.
Listing RandomLineSoup(std::mt19937_64& rng, int variables, int lines);

/// A random expression text over +, *, /, not(...), 0, 1 and `variables` single-letter names.
std::string RandomExpressionText(std::mt19937_64& rng, int variables, int nodes);

/// The sum of `terms` products of four of the variables t00 .. t(n-1), each plain or negated, chosen
/// at random from a fixed seed: with 150 terms over 40 or more variables its decision diagram is too
/// large for the default budget in any order the program tries.
std::string TangledProducts(int variables, int terms);

/// The sum of 40 products of four of the letters a .. x, each plain or negated, from a fixed seed:
/// over 1,000 decision-diagram nodes in any order.
std::string TangledLetterProducts();

}  // namespace brevano::testing
