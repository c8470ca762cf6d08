// A product term of any width with the set of outputs it belongs to, as the cube algebra needs it.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace brevano {

/// The value of one input in a cube: a negated literal, a plain one, or the input left out.
enum class Literal : std::uint8_t { kZero = 1, kOne = 2, kFree = 3 };

/// A product term over `inputs` inputs, tagged with a set of `outputs` outputs. Each input takes
/// two bits of `bits` (01 for 0, 10 for 1, 11 when left out; 00 makes the cube empty), 32 to a
/// word, input 0 in the low bits of the first word; the output set follows as one bit per output.
/// Bits past the last input or output are 0.
struct MultiCube {
  std::vector<std::uint64_t> bits;
  int inputs = 0;
  int outputs = 0;

  /// The cube of every point (all inputs left out) and no output.
  static MultiCube Universe(int inputs, int outputs);

  int InputWords() const { return (inputs + 31) / 32; }
  Literal Input(int i) const {
    return static_cast<Literal>((bits[static_cast<std::size_t>(i / 32)] >> (2 * (i % 32))) & 3);
  }
  void SetInput(int i, Literal value);
  bool HasOutput(int o) const {
    return (bits[static_cast<std::size_t>(InputWords() + o / 64)] >> (o % 64)) & 1;
  }
  void SetOutput(int o, bool on);
  /// True when the cube feeds no output.
  bool NoOutput() const;
  /// Number of outputs the cube feeds.
  int OutputCount() const;
  /// Number of inputs that are literals.
  int LiteralCount() const;

  friend bool operator==(const MultiCube&, const MultiCube&) = default;
  friend auto operator<=>(const MultiCube&, const MultiCube&) = default;
};

/// True when the input parts share a point (the outputs are not looked at).
bool InputsIntersect(const MultiCube& a, const MultiCube& b);
/// True when every point of `inner`'s input part lies in `outer`'s.
bool InputsContain(const MultiCube& outer, const MultiCube& inner);
/// True when the output sets share an output.
bool OutputsIntersect(const MultiCube& a, const MultiCube& b);
/// True when `inner`'s outputs are all outputs of `outer`.
bool OutputsContain(const MultiCube& outer, const MultiCube& inner);
/// True when `outer` holds `inner` as a multi-output term: inputs and outputs both contained.
bool Contains(const MultiCube& outer, const MultiCube& inner);
/// The inputs of `a` and `b` that are literals of opposite values (0 when the inputs intersect).
int InputDistance(const MultiCube& a, const MultiCube& b);
/// The smallest input part holding both, with the union of the outputs.
MultiCube Supercube(const MultiCube& a, const MultiCube& b);
/// The common points of the input parts, with the intersection of the outputs; the inputs must
/// intersect.
MultiCube Intersection(const MultiCube& a, const MultiCube& b);
/// `cube` with its output set replaced by `outputs`' (same output count).
MultiCube WithOutputsOf(MultiCube cube, const MultiCube& outputs);
/// `cube` with the single output `o` (of `outputs` outputs) as its output set.
MultiCube WithOutput(MultiCube cube, int o);

/// The input part as the PLA format writes it: one of 0, 1 and - per input.
std::string InputText(const MultiCube& cube);

}  // namespace brevano
