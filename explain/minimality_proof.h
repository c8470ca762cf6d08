// Why a least sum of products cannot have fewer terms: rows no two of which share a prime.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "explain/tabular_method.h"

namespace brevano {

/// A lower bound on the terms of every sum of products of a function, set against one form's size.
struct MinimalityProof {
  std::size_t terms = 0;           ///< the terms of the form judged
  std::size_t essentialCount = 0;  ///< primes that alone cover some row
  /// Rows with Result 1, no two covered by one prime: every sum needs a term for each.
  std::vector<std::uint32_t> independentRows;
  /// The bound meets the form's size: fewest terms proven by the bound alone.
  bool BoundMeets() const { return independentRows.size() >= terms; }
};

/// The bound for the function whose chart `method` made (its primes and rows), judged against
/// a form of `terms` terms.
MinimalityProof ProveMinimality(const TabularMethod& method, std::size_t terms);

/// The proof in words: the bound's rows and, where it is lower than the form, the search's account
/// (`searchAccount`, e.g. "the exact cover search proved that no 2 terms cover the rows").
std::string ProofText(const MinimalityProof& proof, const std::string& searchAccount);

/// The search's account of the method's cyclic core, for ProofText.
std::string SearchAccount(const TabularMethod& method);

}  // namespace brevano
