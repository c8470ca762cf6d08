// The truth vector of a Boolean function: its value in every row, 64 rows to a word.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace brevano {

/// The values of a function of n variables in its 2^n rows: bit r % 64 of word r / 64 is the value
/// in row r, row bit b standing for variable n-1-b. There is always at least one word, and the
/// bits past the last row (when n < 6) are always 0, whatever is written into them.
class TruthVector {
 public:
  /// The constant 0 of `variables` variables (n at least 0, and 2^n bits must fit in memory).
  explicit TruthVector(int variables);
  /// The function of at most 6 variables whose rows are the bits of `word`.
  static TruthVector FromWord(int variables, std::uint64_t word);

  /// Number of variables n.
  int Variables() const { return variables_; }
  /// Number of rows, 2^n.
  std::uint64_t Rows() const { return std::uint64_t{1} << variables_; }
  /// The value in `row`.
  bool At(std::uint64_t row) const { return (words_[row / 64] >> (row % 64)) & 1; }
  /// Makes the value in `row` 1.
  void Set(std::uint64_t row) { words_[row / 64] |= std::uint64_t{1} << (row % 64); }

  /// Number of words.
  std::size_t WordCount() const { return words_.size(); }
  /// The rows 64 * index to 64 * index + 63 as bits.
  std::uint64_t Word(std::size_t index) const { return words_[index]; }
  /// Replaces the rows of word `index`; bits past the last row are dropped.
  void SetWord(std::size_t index, std::uint64_t word) { words_[index] = word & TailMask(); }

  /// The negated function.
  TruthVector Complement() const;
  /// Number of rows whose value is 1.
  std::uint64_t CountOnes() const;

 private:
  // The bits of a word that are rows: all of them from 6 variables on.
  std::uint64_t TailMask() const {
    return variables_ >= 6 ? ~std::uint64_t{0} : (std::uint64_t{1} << Rows()) - 1;
  }

  int variables_;
  std::vector<std::uint64_t> words_;
};

}  // namespace brevano
