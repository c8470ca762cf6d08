// The picture of a laid-out circuit as a display list, with distinctive-shape or rectangular gate symbols.
#pragma once

#include <vector>

#include "circuit/circuit_layout.h"
#include "circuit/shared_circuit.h"
#include "picture/picture.h"

namespace brevano {

/// The gate symbols: distinctive shapes (ANSI/IEEE 91) or rectangles with a qualifying symbol (IEC 60617).
enum class SymbolStyle { kAnsi, kIec };

/// The colours of a circuit.
struct CircuitTheme {
  Rgba background;
  Rgba wire;
  Rgba gateFill;
  Rgba gateStroke;
  Rgba text;
};

/// Dark lines on white: the picture of the files and of a light palette.
CircuitTheme LightCircuitTheme();
/// Light lines on a dark background.
CircuitTheme DarkCircuitTheme();

/// A circuit's picture, with the area of each gate (its body and pins; key = the gate's index).
struct CircuitPicture : Picture {
  std::vector<PictureBox> gates;
};

/// The picture of `layout`, which LayOutCircuit made of `network`. Its items: the background;
/// each wire run as a path of role "wire" and each junction as an ellipse of role "junction", keyed
/// by net (see NetOf); each gate's body ("gate"), bubble ("bubble"), qualifying symbol ("symbol"),
/// and its pins ("pin", the inputs in order and then the output), keyed by gate; each input's label
/// ("input", keyed by column), the output's ("output") and a constant output's ("constant").
CircuitPicture DrawCircuit(const Network& network, const CircuitLayout& layout, SymbolStyle style,
                           const CircuitTheme& theme = LightCircuitTheme());

/// The picture of a shared circuit, drawn as DrawCircuit draws a tree: the items are the same, with
/// an "output" label (and a "constant" for a constant output) per output, keyed by the output.
CircuitPicture DrawSharedCircuit(const SharedNetwork& network, const SharedCircuitLayout& layout,
                                 SymbolStyle style, const CircuitTheme& theme = LightCircuitTheme());

}  // namespace brevano
