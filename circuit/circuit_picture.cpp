// Gate symbols, wires and labels drawn into a display list.
#include "circuit/circuit_picture.h"

#include <algorithm>

namespace brevano {

namespace {

constexpr double kWireWidth = 1.5;
constexpr double kGateStroke = 1.6;
constexpr double kBubble = 7;        // the diameter of a negation circle
constexpr double kJunction = 6;      // the diameter of a junction dot
constexpr double kBackDepth = 0.2;   // of the curved back of an OR, in gate widths
constexpr double kXorGap = 6;        // between the extra back of an XOR and its body
constexpr double kMaxShapePins = 4;  // more pins extend the back of a distinctive shape
constexpr double kPitch = 20;
constexpr double kKappa = 0.5523;  // a quarter ellipse as a cubic curve
constexpr double kSymbolFont = 13;

PathStep Move(double x, double y) { return {PathStep::Kind::kMove, x, y}; }
PathStep Line(double x, double y) { return {PathStep::Kind::kLine, x, y}; }
PathStep Quad(double cx, double cy, double x, double y) { return {PathStep::Kind::kQuad, x, y, cx, cy}; }
PathStep Cubic(double x1, double y1, double x2, double y2, double x, double y) {
  return {PathStep::Kind::kCubic, x, y, x1, y1, x2, y2};
}
PathStep Close() { return {PathStep::Kind::kClose}; }

GateKind BaseKind(GateKind kind) {
  switch (kind) {
    case GateKind::kNand: return GateKind::kAnd;
    case GateKind::kNor: return GateKind::kOr;
    case GateKind::kXnor: return GateKind::kXor;
    default: return kind;
  }
}

// The part of a body a distinctive shape takes: all of it up to kMaxShapePins pins, else a
// standard height around the output, the pins beyond meeting an extended back.
struct Shape {
  double x, top, w, h;
};

Shape ShapeOf(const PlacedGate& gate) {
  const double h = std::min(gate.h, kMaxShapePins * kPitch);
  return {gate.x, gate.output.y - h / 2, gate.w, h};
}

// An output's label, and the constant it is when it is one.
struct OutputLabel {
  std::string name;
  CircuitPoint at;
  const char* constant = nullptr;
  CircuitPoint constantAt;
  std::int64_t key = -1;
};

class Drawer {
 public:
  Drawer(const std::vector<std::string>& inputs, const std::vector<Gate>& gates, const CircuitLayout& layout,
         std::vector<OutputLabel> outputs, SymbolStyle style, const CircuitTheme& theme)
      : inputs_(inputs),
        gates_(gates),
        layout_(layout),
        outputs_(std::move(outputs)),
        style_(style),
        theme_(theme) {}

  CircuitPicture Draw();

 private:
  void Add(PictureItem item) { picture_.items.push_back(std::move(item)); }
  // A filled and outlined shape: `item` holds its kind and geometry.
  void Styled(PictureItem item, Rgba fill, Rgba stroke, double width, const char* role, std::int64_t key) {
    item.fill = fill;
    item.stroke = stroke;
    item.strokeWidth = width;
    item.role = role;
    item.key = key;
    Add(std::move(item));
  }
  void PathItem(std::vector<PathStep> path, Rgba fill, Rgba stroke, double width, const char* role,
                std::int64_t key) {
    PictureItem item;
    item.kind = PictureItem::Kind::kPath;
    item.path = std::move(path);
    Styled(std::move(item), fill, stroke, width, role, key);
  }
  void Circle(double cx, double cy, double d, Rgba fill, Rgba stroke, double width, const char* role,
              std::int64_t key) {
    PictureItem item;
    item.kind = PictureItem::Kind::kEllipse;
    item.x = cx - d / 2;
    item.y = cy - d / 2;
    item.w = item.h = d;
    Styled(std::move(item), fill, stroke, width, role, key);
  }
  void DrawWires();
  void DrawGate(int index);
  double AnsiBody(const PlacedGate& gate, GateKind kind, std::int64_t key);
  double IecBody(const PlacedGate& gate, GateKind kind, std::int64_t key);
  void DrawLabels();

  const std::vector<std::string>& inputs_;
  const std::vector<Gate>& gates_;
  const CircuitLayout& layout_;
  std::vector<OutputLabel> outputs_;
  SymbolStyle style_;
  const CircuitTheme& theme_;
  CircuitPicture picture_;
};

void Drawer::DrawWires() {
  for (const WireRun& run : layout_.wires) {
    std::vector<PathStep> path{Move(run.points[0].x, run.points[0].y)};
    for (std::size_t i = 1; i < run.points.size(); ++i)
      path.push_back(Line(run.points[i].x, run.points[i].y));
    PathItem(std::move(path), {0, 0, 0, 0}, theme_.wire, kWireWidth, "wire", run.net);
  }
  for (const Junction& junction : layout_.junctions)
    Circle(junction.at.x, junction.at.y, kJunction, theme_.wire, {0, 0, 0, 0}, 0, "junction", junction.net);
}

// How far right of the body's left edge a pin in row `y` meets a curved back (the extra back of
// an XOR, which starts at the edge like an OR's).
double BackOffset(const Shape& shape, GateKind base, double y) {
  if (base != GateKind::kOr && base != GateKind::kXor) return 0;
  if (y <= shape.top || y >= shape.top + shape.h) return 0;
  const double t = (y - shape.top) / shape.h;
  return 4 * kBackDepth * shape.w * t * (1 - t);
}

double Drawer::AnsiBody(const PlacedGate& gate, GateKind kind, std::int64_t key) {
  const GateKind base = BaseKind(kind);
  Shape s = ShapeOf(gate);
  const double bottom = s.top + s.h, middle = s.top + s.h / 2;
  std::vector<PathStep> path;
  if (base == GateKind::kNot) {
    path = {Move(s.x, s.top), Line(s.x + s.w, middle), Line(s.x, bottom), Close()};
  } else if (base == GateKind::kAnd) {
    const double half = s.w / 2;
    path = {
        Move(s.x, s.top),
        Line(s.x + half, s.top),
        Cubic(s.x + half + kKappa * half, s.top, s.x + s.w, middle - kKappa * s.h / 2, s.x + s.w, middle),
        Cubic(s.x + s.w, middle + kKappa * s.h / 2, s.x + half + kKappa * half, bottom, s.x + half, bottom),
        Line(s.x, bottom),
        Close()};
  } else {
    if (base == GateKind::kXor) {
      PathItem({Move(s.x, bottom), Quad(s.x + 2 * kBackDepth * s.w, middle, s.x, s.top)}, {0, 0, 0, 0},
               theme_.gateStroke, kGateStroke, "gate", key);
      s.x += kXorGap;
      s.w -= kXorGap;
    }
    const double back = 2 * kBackDepth * s.w;
    path = {Move(s.x, s.top), Quad(s.x + 0.6 * s.w, s.top, s.x + s.w, middle),
            Quad(s.x + 0.6 * s.w, bottom, s.x, bottom), Quad(s.x + back, middle, s.x, s.top), Close()};
  }
  PathItem(std::move(path), theme_.gateFill, theme_.gateStroke, kGateStroke, "gate", key);
  // Pins beyond the shape meet the back, extended to them.
  if (gate.h > s.h) {
    const double x = gate.x;
    PathItem({Move(x, gate.y), Line(x, s.top)}, {0, 0, 0, 0}, theme_.gateStroke, kGateStroke, "gate", key);
    PathItem({Move(x, bottom), Line(x, gate.y + gate.h)}, {0, 0, 0, 0}, theme_.gateStroke, kGateStroke,
             "gate", key);
  }
  return s.x + s.w;
}

double Drawer::IecBody(const PlacedGate& gate, GateKind kind, std::int64_t key) {
  PictureItem body;
  body.x = gate.x;
  body.y = gate.y;
  body.w = gate.w;
  body.h = gate.h;
  Styled(std::move(body), theme_.gateFill, theme_.gateStroke, kGateStroke, "gate", key);
  const GateKind base = BaseKind(kind);
  const char* symbol = base == GateKind::kAnd  ? "&"
                       : base == GateKind::kOr ? "\u2265"
                                                 "1"
                       : base == GateKind::kXor && gates_[static_cast<std::size_t>(key)].inputs.size() > 2
                           ? "2k+1"
                       : base == GateKind::kXor ? "=1"
                                                : "1";
  PictureItem text =
      TextItem(gate.x + gate.w / 2, gate.y + std::min(kSymbolFont + 4, gate.h / 2 + kSymbolFont / 3), symbol,
               kSymbolFont, TextAnchor::kMiddle, theme_.text, false, "symbol");
  text.key = key;
  Add(std::move(text));
  return gate.x + gate.w;
}

void Drawer::DrawGate(int index) {
  const PlacedGate& gate = layout_.gates[static_cast<std::size_t>(index)];
  const GateKind kind = gates_[static_cast<std::size_t>(index)].kind;
  const double right =
      style_ == SymbolStyle::kAnsi ? AnsiBody(gate, kind, index) : IecBody(gate, kind, index);
  const Shape shape = ShapeOf(gate);
  const bool curved = style_ == SymbolStyle::kAnsi;
  for (const CircuitPoint& pin : gate.pins) {
    const double end = gate.x + (curved ? BackOffset(shape, BaseKind(kind), pin.y) : 0);
    Add(LineItem(pin.x, pin.y, end, pin.y, theme_.wire, kWireWidth, "pin", index));
  }
  double out = right;
  if (IsNegated(kind)) {
    Circle(right + kBubble / 2, gate.output.y, kBubble, theme_.gateFill, theme_.gateStroke, kGateStroke,
           "bubble", index);
    out += kBubble;
  }
  Add(LineItem(out, gate.output.y, gate.output.x, gate.output.y, theme_.wire, kWireWidth, "pin", index));
  const double left = gate.pins.empty() ? gate.x : gate.pins.front().x;
  picture_.gates.push_back({left, gate.y, gate.output.x - left, gate.h, index});
}

void Drawer::DrawLabels() {
  const double font = layout_.labelFont;
  for (std::size_t i = 0; i < inputs_.size(); ++i) {
    PictureItem label = TextItem(layout_.inputLabels[i].x, layout_.inputLabels[i].y, inputs_[i], font,
                                 TextAnchor::kMiddle, theme_.text, false, "input");
    label.key = static_cast<std::int64_t>(i);
    Add(std::move(label));
  }
  for (std::size_t o = 0; o < outputs_.size(); ++o) {
    const OutputLabel& output = outputs_[o];
    PictureItem label = TextItem(output.at.x, output.at.y, output.name, font, TextAnchor::kStart, theme_.text,
                                 true, "output");
    label.key = output.key;
    Add(std::move(label));
    if (output.constant) {
      PictureItem constant = TextItem(output.constantAt.x, output.constantAt.y, output.constant, font,
                                      TextAnchor::kEnd, theme_.text, true, "constant");
      constant.key = output.key;
      Add(std::move(constant));
    }
  }
}

CircuitPicture Drawer::Draw() {
  PictureItem background;
  background.w = picture_.width = layout_.width;
  background.h = picture_.height = layout_.height;
  background.fill = theme_.background;
  background.role = "background";
  Add(std::move(background));
  DrawWires();
  for (int g = 0; g < static_cast<int>(gates_.size()); ++g) DrawGate(g);
  DrawLabels();
  return std::move(picture_);
}

// A constant output's digit, or null.
const char* ConstantText(Signal output) {
  return output.kind == Signal::Kind::kOne ? "1" : output.kind == Signal::Kind::kZero ? "0" : nullptr;
}

}  // namespace

CircuitTheme LightCircuitTheme() {
  return {{255, 255, 255}, {31, 35, 40}, {246, 248, 250}, {31, 35, 40}, {31, 35, 40}};
}

CircuitTheme DarkCircuitTheme() {
  return {{30, 30, 30}, {220, 220, 220}, {44, 44, 44}, {220, 220, 220}, {230, 230, 230}};
}

CircuitPicture DrawCircuit(const Network& network, const CircuitLayout& layout, SymbolStyle style,
                           const CircuitTheme& theme) {
  std::vector<OutputLabel> output{
      {"Result", layout.outputLabel, ConstantText(network.output), layout.constantLabel}};
  return Drawer(network.inputs, network.gates, layout, std::move(output), style, theme).Draw();
}

CircuitPicture DrawSharedCircuit(const SharedNetwork& network, const SharedCircuitLayout& layout,
                                 SymbolStyle style, const CircuitTheme& theme) {
  std::vector<OutputLabel> outputs;
  for (std::size_t o = 0; o < network.outputs.size(); ++o) {
    outputs.push_back({network.outputNames[o], layout.outputLabels[o], ConstantText(network.outputs[o]),
                       layout.constantLabels[o], static_cast<std::int64_t>(o)});
  }
  return Drawer(network.inputs, network.gates, layout, std::move(outputs), style, theme).Draw();
}

}  // namespace brevano
