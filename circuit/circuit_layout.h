// Where the gates and wires of a network go: input rails at the left, the gates in columns, the output at the
// right.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "circuit/network.h"

namespace brevano {

/// A point of a layout, in CSS pixels.
struct CircuitPoint {
  double x = 0, y = 0;

  friend bool operator==(const CircuitPoint&, const CircuitPoint&) = default;
};

/// A gate's place: its body, the outer ends of its input pins (in input order; each pin runs right
/// from its end to the body) and of its output pin (which runs right from the body).
struct PlacedGate {
  double x = 0, y = 0, w = 0, h = 0;
  std::vector<CircuitPoint> pins;
  CircuitPoint output;
  bool onRail = false;  ///< an inverter at the head of its input's complement rail
};

/// An orthogonal run of wire of one net (see NetOf).
struct WireRun {
  int net = 0;
  std::vector<CircuitPoint> points;
};

/// A dot where three or more wire ends of one net meet.
struct Junction {
  int net = 0;
  CircuitPoint at;
};

/// The whole layout. Every gate of the network is placed (gates[i] is gate i).
struct CircuitLayout {
  double width = 0, height = 0;
  std::vector<PlacedGate> gates;
  std::vector<WireRun> wires;
  std::vector<Junction> junctions;
  std::vector<CircuitPoint> inputLabels;  ///< for each input, the middle of its label's baseline
  CircuitPoint outputLabel;               ///< the start of the output's label baseline
  CircuitPoint constantLabel;             ///< the end of a constant output's "0" or "1" baseline
  double labelFont = 0;
};

/// Most gates and most gate inputs of a circuit that is drawn.
inline constexpr std::size_t kMaxDrawnGates = 250;
inline constexpr std::size_t kMaxDrawnGateInputs = 1000;

/// Empty when `network` can be drawn, else why not: "The circuit has 300 gates: at most 250 are
/// drawn." (or gate inputs).
std::string DrawingLimitMessage(const Network& network);

/// Lays out a network that DrawingLimitMessage accepts. Inputs get vertical rails in column order,
/// each followed by its complement rail when it has an inverter; every other gate takes a column
/// after those of its inputs and a band of rows of its own, which holds its body and the bands of
/// its inputs, so that a wire runs through no gate: a horizontal wire stays in the band of the
/// gate it comes from, and its turn towards a pin is in the channel just before that pin's gate.
CircuitLayout LayOutCircuit(const Network& network);

/// The junction dots of `wires`: wherever three or more arms of one net's wires meet, a wire's end
/// being one arm and a point inside a wire two.
std::vector<Junction> JunctionsOf(const std::vector<WireRun>& wires);

}  // namespace brevano
