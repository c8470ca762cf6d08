// The properties and the algebraic normal form of a Result column: row by row when small, else from the
// diagram.
#include "analysis/function_forms.h"

#include <array>
#include <bit>

#include "twolevel/program_cubes.h"

namespace brevano {

namespace {

// For row bits 0 to 5: the bits of a word whose row has that bit clear.
constexpr std::array<std::uint64_t, 6> kClear = {0x5555555555555555, 0x3333333333333333, 0x0f0f0f0f0f0f0f0f,
                                                 0x00ff00ff00ff00ff, 0x0000ffff0000ffff, 0x00000000ffffffff};

// Calls visit(clear, set) with the rows of each pair of halves for row bit `b`, aligned: bit k of
// `clear` is a row with the bit clear and bit k of `set` the same row with it set.
template <typename Visit>
void ForHalves(const std::vector<std::uint64_t>& words, int b, Visit visit) {
  if (b < 6) {
    for (std::uint64_t word : words) visit(word & kClear[b], (word >> (1 << b)) & kClear[b]);
    return;
  }
  const std::size_t stride = std::size_t{1} << (b - 6);
  for (std::size_t i = 0; i < words.size(); ++i) {
    if (!(i & stride)) visit(words[i], words[i | stride]);
  }
}

// The Möbius transform in place: each row r becomes the XOR of the rows whose 1s lie within r's.
void Moebius(std::vector<std::uint64_t>& words, int n) {
  for (int b = 0; b < n; ++b) {
    if (b < 6) {
      for (std::uint64_t& word : words) word ^= (word & kClear[b]) << (1 << b);
      continue;
    }
    const std::size_t stride = std::size_t{1} << (b - 6);
    for (std::size_t i = 0; i < words.size(); ++i) {
      if (i & stride) words[i] ^= words[i ^ stride];
    }
  }
}

bool Symmetric(const TruthVector& truth, int n) {
  // Neighbours at row bits b+1 and b: the rows with (0, 1) against those with (1, 0).
  for (int b = 0; b + 1 < n; ++b) {
    const std::uint64_t low = std::uint64_t{1} << b, high = low << 1;
    const std::uint64_t rest = truth.Rows() - 1 - low - high;
    // Every subset of `rest`, in turn.
    for (std::uint64_t r = 0;; r = (r - rest) & rest) {
      if (truth.At(r | low) != truth.At(r | high)) return false;
      if (r == rest) break;
    }
  }
  return true;
}

bool SelfDual(const TruthVector& truth) {
  const std::uint64_t last = truth.Rows() - 1;
  for (std::uint64_t r = 0; r <= last / 2; ++r) {
    if (truth.At(r) == truth.At(last ^ r)) return false;
  }
  return true;
}

FunctionProperties PropertiesOfVector(const TruthVector& truth) {
  const int n = truth.Variables();
  std::vector<std::uint64_t> words(truth.WordCount());
  for (std::size_t i = 0; i < words.size(); ++i) words[i] = truth.Word(i);
  FunctionProperties properties;
  for (int b = 0; b < n; ++b) {
    std::uint64_t differs = 0, falls = 0, rises = 0;
    ForHalves(words, b, [&](std::uint64_t clear, std::uint64_t set) {
      differs |= clear ^ set;
      falls |= clear & ~set;
      rises |= set & ~clear;
    });
    if (differs == 0) continue;
    properties.dependsOn |= std::uint64_t{1} << b;
    if (falls == 0) properties.increasing |= std::uint64_t{1} << b;
    if (rises == 0) properties.decreasing |= std::uint64_t{1} << b;
  }
  properties.symmetric = Symmetric(truth, n);
  properties.selfDual = SelfDual(truth);
  properties.zeroPreserving = !truth.At(0);
  properties.onePreserving = truth.At(truth.Rows() - 1);
  return properties;
}

}  // namespace

FunctionDescription DescribeTruthVector(const TruthVector& truth, std::size_t maxTerms) {
  FunctionDescription description;
  description.source = DescriptionSource::kRows;
  description.properties = PropertiesOfVector(truth);
  std::vector<std::uint64_t> words(truth.WordCount());
  for (std::size_t i = 0; i < words.size(); ++i) words[i] = truth.Word(i);
  Moebius(words, truth.Variables());
  // Affine exactly when no product has two variables or more.
  description.properties.linear = true;
  for (std::size_t i = 0; i < words.size(); ++i) {
    description.anf.termCount += static_cast<unsigned>(std::popcount(words[i]));
    for (std::uint64_t word = words[i]; word != 0; word &= word - 1) {
      const std::uint64_t row = 64 * i + static_cast<std::uint64_t>(std::countr_zero(word));
      if (std::popcount(row) > 1) description.properties.linear = false;
      if (description.anf.monomials.size() <= maxTerms) description.anf.monomials.push_back(row);
    }
  }
  description.anf.status =
      description.anf.termCount > maxTerms ? AnfStatus::kTooManyTerms : AnfStatus::kFound;
  if (description.anf.status != AnfStatus::kFound) description.anf.monomials.clear();
  return description;
}

FunctionDescription DescribeFunction(const TruthTable& table, const DescribeOptions& options,
                                     const Budget& stop) {
  FunctionDescription description;
  if (table.RowCount() == 0 || stop.Poll()) return description;
  const CompiledProgram& program = table.Program();
  if (program.VariableCount() <= options.maxRowVariables) {
    return DescribeTruthVector(ResultBits(program), options.anfLimits.maxTerms);
  }
  const DiagramDescription diagram =
      DescribeWithDiagram(program, options.diagramLimits, options.anfLimits, stop);
  switch (diagram.status) {
    case DiagramStatus::kBuilt: break;
    case DiagramStatus::kTooComplex: description.source = DescriptionSource::kTooComplex; return description;
    case DiagramStatus::kStopped: return description;
  }
  description.source = DescriptionSource::kDiagram;
  description.properties = diagram.properties;
  description.anf = diagram.anf;
  return description;
}

}  // namespace brevano
