// Truth vectors: the whole-vector operations.
#include "minimise/truth_vector.h"

#include <bit>

namespace brevano {

TruthVector::TruthVector(int variables)
    : variables_(variables), words_(variables >= 6 ? std::size_t{1} << (variables - 6) : 1, 0) {}

TruthVector TruthVector::FromWord(int variables, std::uint64_t word) {
  TruthVector truth(variables);
  truth.SetWord(0, word);
  return truth;
}

TruthVector TruthVector::Complement() const {
  TruthVector complement(variables_);
  for (std::size_t index = 0; index < words_.size(); ++index) complement.SetWord(index, ~words_[index]);
  return complement;
}

std::uint64_t TruthVector::CountOnes() const {
  std::uint64_t ones = 0;
  for (std::uint64_t word : words_) ones += static_cast<std::uint64_t>(std::popcount(word));
  return ones;
}

}  // namespace brevano
