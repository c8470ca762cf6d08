// Cube operations done a word at a time: two bits per input, one bit per output.
#include "function/multi_cube.h"

#include <algorithm>
#include <bit>

namespace brevano {

namespace {

constexpr std::uint64_t kLow = 0x5555555555555555ULL;

// The mask of the valid two-bit fields (their low bits) in input word `w` of a cube.
std::uint64_t FieldMask(int inputs, int w) {
  const int left = inputs - 32 * w;
  return left >= 32 ? kLow : kLow & ((std::uint64_t{1} << (2 * left)) - 1);
}

}  // namespace

MultiCube MultiCube::Universe(int inputs, int outputs) {
  MultiCube cube;
  cube.inputs = inputs;
  cube.outputs = outputs;
  const int words = cube.InputWords();
  cube.bits.assign(static_cast<std::size_t>(words + (outputs + 63) / 64), 0);
  for (int w = 0; w < words; ++w) cube.bits[static_cast<std::size_t>(w)] = FieldMask(inputs, w) * 3;
  return cube;
}

void MultiCube::SetInput(int i, Literal value) {
  std::uint64_t& word = bits[static_cast<std::size_t>(i / 32)];
  const int shift = 2 * (i % 32);
  word = (word & ~(std::uint64_t{3} << shift)) | (std::uint64_t{static_cast<std::uint8_t>(value)} << shift);
}

void MultiCube::SetOutput(int o, bool on) {
  std::uint64_t& word = bits[static_cast<std::size_t>(InputWords() + o / 64)];
  const std::uint64_t bit = std::uint64_t{1} << (o % 64);
  word = on ? word | bit : word & ~bit;
}

bool MultiCube::NoOutput() const {
  return std::all_of(bits.begin() + InputWords(), bits.end(), [](std::uint64_t w) { return w == 0; });
}

int MultiCube::OutputCount() const {
  int count = 0;
  for (std::size_t w = static_cast<std::size_t>(InputWords()); w < bits.size(); ++w)
    count += std::popcount(bits[w]);
  return count;
}

int MultiCube::LiteralCount() const {
  int count = 0;
  for (int w = 0; w < InputWords(); ++w) {
    const std::uint64_t word = bits[static_cast<std::size_t>(w)];
    count += std::popcount(~(word & (word >> 1)) & FieldMask(inputs, w));
  }
  return count;
}

bool InputsIntersect(const MultiCube& a, const MultiCube& b) {
  for (int w = 0; w < a.InputWords(); ++w) {
    const std::uint64_t both = a.bits[static_cast<std::size_t>(w)] & b.bits[static_cast<std::size_t>(w)];
    const std::uint64_t mask = FieldMask(a.inputs, w);
    if (((both | (both >> 1)) & mask) != mask) return false;
  }
  return true;
}

int InputDistance(const MultiCube& a, const MultiCube& b) {
  int distance = 0;
  for (int w = 0; w < a.InputWords(); ++w) {
    const std::uint64_t both = a.bits[static_cast<std::size_t>(w)] & b.bits[static_cast<std::size_t>(w)];
    const std::uint64_t mask = FieldMask(a.inputs, w);
    distance += std::popcount(~(both | (both >> 1)) & mask);
  }
  return distance;
}

bool InputsContain(const MultiCube& outer, const MultiCube& inner) {
  for (int w = 0; w < outer.InputWords(); ++w) {
    const std::uint64_t in = inner.bits[static_cast<std::size_t>(w)];
    if ((outer.bits[static_cast<std::size_t>(w)] & in) != in) return false;
  }
  return true;
}

bool OutputsIntersect(const MultiCube& a, const MultiCube& b) {
  for (std::size_t w = static_cast<std::size_t>(a.InputWords()); w < a.bits.size(); ++w)
    if (a.bits[w] & b.bits[w]) return true;
  return false;
}

bool OutputsContain(const MultiCube& outer, const MultiCube& inner) {
  for (std::size_t w = static_cast<std::size_t>(outer.InputWords()); w < outer.bits.size(); ++w)
    if ((outer.bits[w] & inner.bits[w]) != inner.bits[w]) return false;
  return true;
}

bool Contains(const MultiCube& outer, const MultiCube& inner) {
  for (std::size_t w = 0; w < outer.bits.size(); ++w)
    if ((outer.bits[w] & inner.bits[w]) != inner.bits[w]) return false;
  return true;
}

MultiCube Supercube(const MultiCube& a, const MultiCube& b) {
  MultiCube cube = a;
  for (std::size_t w = 0; w < cube.bits.size(); ++w) cube.bits[w] |= b.bits[w];
  return cube;
}

MultiCube Intersection(const MultiCube& a, const MultiCube& b) {
  MultiCube cube = a;
  for (std::size_t w = 0; w < cube.bits.size(); ++w) cube.bits[w] &= b.bits[w];
  return cube;
}

MultiCube WithOutputsOf(MultiCube cube, const MultiCube& outputs) {
  std::copy(outputs.bits.begin() + outputs.InputWords(), outputs.bits.end(),
            cube.bits.begin() + cube.InputWords());
  return cube;
}

MultiCube WithOutput(MultiCube cube, int o) {
  std::fill(cube.bits.begin() + cube.InputWords(), cube.bits.end(), 0);
  cube.SetOutput(o, true);
  return cube;
}

std::string InputText(const MultiCube& cube) {
  std::string text(static_cast<std::size_t>(cube.inputs), '-');
  for (int i = 0; i < cube.inputs; ++i) {
    const Literal value = cube.Input(i);
    if (value != Literal::kFree) text[static_cast<std::size_t>(i)] = value == Literal::kOne ? '1' : '0';
  }
  return text;
}

}  // namespace brevano
