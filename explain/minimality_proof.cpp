// The lower bound of a least sum's terms: a greedy set of rows pairwise without a common prime.
#include "explain/minimality_proof.h"

#include <algorithm>
#include <numeric>

namespace brevano {

namespace {

std::string Plural(std::size_t count, const char* one, const char* many) {
  return std::to_string(count) + ' ' + (count == 1 ? one : many);
}

std::string RowList(const std::vector<std::uint32_t>& rows) {
  std::string text;
  for (std::uint32_t r : rows) text += (text.empty() ? "" : ", ") + std::to_string(r);
  return text;
}

}  // namespace

MinimalityProof ProveMinimality(const TabularMethod& method, std::size_t terms) {
  MinimalityProof proof;
  proof.terms = terms;
  const std::size_t rowCount = method.ones.size();
  std::vector<std::vector<int>> rowPrimes(rowCount);
  std::vector<int> rowIndex(std::size_t{1} << method.variables, -1);
  for (std::size_t r = 0; r < rowCount; ++r) rowIndex[method.ones[r]] = static_cast<int>(r);
  const std::uint32_t all = static_cast<std::uint32_t>((std::uint64_t{1} << method.variables) - 1);
  for (std::size_t p = 0; p < method.primes.size(); ++p) {
    const Cube cube = method.primes[p];
    const std::uint32_t freeBits = ~cube.care & all;
    std::uint32_t sub = 0;
    do {
      if (const int r = rowIndex[cube.value | sub]; r >= 0) rowPrimes[r].push_back(static_cast<int>(p));
      sub = (sub - freeBits) & freeBits;
    } while (sub != 0);
  }
  std::vector<int> essential;
  for (const auto& primes : rowPrimes)
    if (primes.size() == 1) essential.push_back(primes[0]);
  std::sort(essential.begin(), essential.end());
  proof.essentialCount =
      static_cast<std::size_t>(std::unique(essential.begin(), essential.end()) - essential.begin());
  // Rows covered by the fewest primes first: an essential prime's row is always taken.
  std::vector<std::size_t> order(rowCount);
  std::iota(order.begin(), order.end(), 0);
  std::stable_sort(order.begin(), order.end(),
                   [&](std::size_t a, std::size_t b) { return rowPrimes[a].size() < rowPrimes[b].size(); });
  std::vector<char> primeUsed(method.primes.size(), 0);
  for (std::size_t r : order) {
    const bool shares =
        std::any_of(rowPrimes[r].begin(), rowPrimes[r].end(), [&](int p) { return primeUsed[p]; });
    if (shares) continue;
    proof.independentRows.push_back(method.ones[r]);
    for (int p : rowPrimes[r]) primeUsed[p] = 1;
  }
  std::sort(proof.independentRows.begin(), proof.independentRows.end());
  return proof;
}

std::string ProofText(const MinimalityProof& proof, const std::string& searchAccount) {
  const std::size_t bound = proof.independentRows.size();
  if (proof.terms == 0) return "Least: the function is 0, the sum has no terms.";
  const std::string rows = bound == 1 ? "Row " + RowList(proof.independentRows) + " needs a term"
                                      : "The rows " + RowList(proof.independentRows) +
                                            " have no prime implicant in common, so they need a term each";
  std::string text = rows + ": every sum of products has at least " + Plural(bound, "term", "terms") + " (" +
                     Plural(proof.essentialCount, "essential prime", "essential primes") + ")";
  if (proof.BoundMeets()) return text + "; this one has " + std::to_string(proof.terms) + ": it is least.";
  return text + "; this one has " + std::to_string(proof.terms) + ": " + searchAccount + '.';
}

std::string SearchAccount(const TabularMethod& method) {
  if (method.coreRows.empty())
    return "the chart reduction leaves no choice (essential and dominance steps alone), so it is least";
  return std::string("the branch-and-bound search over the cyclic core (") +
         Plural(method.corePrimes.size(), "prime", "primes") + ", " +
         Plural(method.coreRows.size(), "row", "rows") +
         (method.coreOptimal ? ") found no cover with fewer terms" : ") ran out of time: not proven least");
}

}  // namespace brevano
