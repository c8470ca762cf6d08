// Prime implicants from the ternary table of all cubes.
#include "minimise/prime_implicants.h"

#include <cstring>

namespace brevano {

namespace {

// Every cube of n variables has an index in base 3 (CubeKey). The table holds one byte per cube:
// bit 0 says the cube is an implicant (all its rows are 1), bit 1 says a larger implicant contains
// it. The primes are then exactly the entries equal to 1, found in ascending key order.
//
// The table is filled in place from the truth vector, one row bit at a time. After step b the
// entry of (high row bits h, low ternary digits t) sits at h * 3^b + t; step b+1 splits h into
// its low bit d and the rest h', and writes the entries for d = 0, 1 and the absent digit 2 (the
// AND of the first two) at h' * 3^(b+1) + d * 3^b + t. Going from the highest h' down, every write
// lands on entries that were already moved or at or after the ones it reads.
constexpr std::uint8_t kImplicant = 1;
constexpr std::uint8_t kContained = 2;

std::uint64_t PowerOfThree(int exponent) {
  std::uint64_t power = 1;
  for (int i = 0; i < exponent; ++i) power *= 3;
  return power;
}

void ExpandDigit(std::vector<std::uint8_t>& table, int bit, int variableCount) {
  const std::uint64_t block = PowerOfThree(bit);
  const std::uint64_t highCount = std::uint64_t{1} << (variableCount - bit - 1);
  std::uint8_t* const data = table.data();
  for (std::uint64_t high = highCount; high-- > 0;) {
    const std::uint8_t* zero = data + 2 * high * block;
    const std::uint8_t* one = zero + block;
    std::uint8_t* absent = data + (3 * high + 2) * block;
    for (std::uint64_t t = 0; t < block; ++t) absent[t] = zero[t] & one[t];
    std::memmove(data + (3 * high + 1) * block, one, block);
    std::memmove(data + 3 * high * block, zero, block);
  }
}

void MarkContained(std::vector<std::uint8_t>& table, int bit, int variableCount) {
  const std::uint64_t block = PowerOfThree(bit);
  const std::uint64_t highCount = PowerOfThree(variableCount - bit - 1);
  std::uint8_t* const data = table.data();
  for (std::uint64_t high = 0; high < highCount; ++high) {
    std::uint8_t* zero = data + 3 * high * block;
    std::uint8_t* one = zero + block;
    const std::uint8_t* absent = one + block;
    for (std::uint64_t t = 0; t < block; ++t) {
      const std::uint8_t contained = (absent[t] & kImplicant) ? kContained : 0;
      zero[t] |= contained;
      one[t] |= contained;
    }
  }
}

Cube CubeOfKey(std::uint64_t key, int variableCount) {
  Cube cube;
  for (int bit = 0; bit < variableCount; ++bit, key /= 3) {
    const std::uint64_t digit = key % 3;
    if (digit == 2) continue;
    cube.care |= std::uint32_t{1} << bit;
    cube.value |= static_cast<std::uint32_t>(digit) << bit;
  }
  return cube;
}

}  // namespace

std::vector<Cube> PrimeImplicants(const TruthVector& truth, Budget& control) {
  const int variableCount = truth.Variables();
  const std::uint64_t size = PowerOfThree(variableCount);
  std::vector<std::uint8_t> table(size);
  for (std::uint64_t row = 0; row < truth.Rows(); ++row) table[row] = truth.At(row) ? kImplicant : 0;
  const auto steps = static_cast<std::uint64_t>(2 * variableCount + 1);
  for (int bit = 0; bit < variableCount; ++bit) {
    if (!control.Report(bit, steps)) return {};
    ExpandDigit(table, bit, variableCount);
  }
  for (int bit = 0; bit < variableCount; ++bit) {
    if (!control.Report(variableCount + bit, steps)) return {};
    MarkContained(table, bit, variableCount);
  }
  if (!control.Report(steps - 1, steps)) return {};
  std::vector<Cube> primes;
  for (std::uint64_t key = 0; key < size; ++key) {
    if (table[key] == kImplicant) primes.push_back(CubeOfKey(key, variableCount));
  }
  return primes;
}

}  // namespace brevano
