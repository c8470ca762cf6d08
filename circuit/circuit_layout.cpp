// Rails, columns and bands: the placement and the orthogonal wiring of a gate network.
#include "circuit/circuit_layout.h"

#include <algorithm>
#include <map>

#include "analysis/analysis.h"
#include "picture/picture.h"

namespace brevano {

namespace {

constexpr double kMargin = 16;
constexpr double kPitch = 20;    // between the pins of a gate, and the rows of rail inputs
constexpr double kPinStub = 12;  // from a pin's end to the body
constexpr double kGateWidth = 44;
constexpr double kOutputStub = 14;  // from the body to the output's end, the bubble included
constexpr double kInverterWidth = 26;
constexpr double kRailTap = 8;  // from a rail to the pin of its inverter
constexpr double kTrack = 10;   // between the turns of the wires in a channel
constexpr double kChannelMargin = 14;
constexpr double kBandGap = 14;
constexpr double kRailGap = 24;
constexpr double kLabelFont = 13;
constexpr double kLabelGap = 6;
constexpr double kOutputWire = 36;
constexpr double kUnusedRail = 14;

double BodyHeight(std::size_t pins) { return static_cast<double>(std::max<std::size_t>(pins, 2)) * kPitch; }

// A gate's inputs that come from one source: a rail row, or a gate's output used by one or more pins.
struct Group {
  Signal source;
  double y = 0;           // where the source's wire arrives: the rail row or the gate's output
  std::vector<int> pins;  // indices into the gate's inputs
  int track = -1;         // the turn's track in the channel (0 nearest the gate), or -1 when straight
};

struct TreeGate {
  int column = 0;
  double top = 0;  // of the body
  double outputY = 0;
  std::vector<double> pinY;
  std::vector<Group> groups;
};

class Layouter {
 public:
  explicit Layouter(const Network& network)
      : network_(network),
        n_(static_cast<int>(network.inputs.size())),
        inverter_(network.inputs.size(), -1),
        tree_(network.gates.size()),
        taps_(network.inputs.size() + network.gates.size()) {}

  CircuitLayout Run();

 private:
  bool IsTreeGate(Signal s) const {
    return s.kind == Signal::Kind::kGate && !layout_.gates[static_cast<std::size_t>(s.index)].onRail;
  }
  double RailX(Signal s) const {
    return s.kind == Signal::Kind::kInput ? railX_[static_cast<std::size_t>(s.index)]
                                          : complementX_[static_cast<std::size_t>(InvertedInput(
                                                network_.gates[static_cast<std::size_t>(s.index)]))];
  }
  void PlaceRails();
  double Band(int gate, double top);
  void AssignTracks(TreeGate& gate);
  void PlaceColumns();
  void Route(int gate);
  void RouteOutput();
  void AddRails();
  void Wire(Signal net, std::vector<CircuitPoint> points) {
    layout_.wires.push_back({NetOf(network_, net), std::move(points)});
  }

  const Network& network_;
  int n_;
  CircuitLayout layout_;
  std::vector<int> inverter_;  // per input: its inverter gate, or -1
  std::vector<double> railX_, complementX_;
  std::vector<TreeGate> tree_;
  std::vector<std::vector<double>> taps_;  // per rail net: the rows that tap it
  std::vector<double> channel_, columnLeft_;
  double railTop_ = 0, inverterRow_ = 0, railsRight_ = 0, bottom_ = 0, right_ = 0;
};

// Each input's rail, its label centred above it, then its complement rail fed by its inverter.
void Layouter::PlaceRails() {
  layout_.gates.resize(network_.gates.size());
  for (std::size_t g = 0; g < network_.gates.size(); ++g) {
    const int input = InvertedInput(network_.gates[g]);
    if (input >= 0 && inverter_[static_cast<std::size_t>(input)] < 0) {
      inverter_[static_cast<std::size_t>(input)] = static_cast<int>(g);
      layout_.gates[g].onRail = true;
    }
  }
  railTop_ = kMargin + kLabelFont + 6;
  const bool inverters = std::any_of(inverter_.begin(), inverter_.end(), [](int g) { return g >= 0; });
  inverterRow_ = railTop_ + 10 + kPitch;
  double x = kMargin, previousHalf = 0;
  for (int i = 0; i < n_; ++i) {
    const double half = EstimatedTextWidth(network_.inputs[static_cast<std::size_t>(i)], kLabelFont) / 2;
    x = i == 0 ? kMargin + std::max(half, 4.0)
               : std::max(x + kRailGap, railX_.back() + previousHalf + half + 10);
    railX_.push_back(x);
    complementX_.push_back(x);
    layout_.inputLabels.push_back({x, kMargin + kLabelFont});
    previousHalf = half;
    const int g = inverter_[static_cast<std::size_t>(i)];
    if (g < 0) continue;
    PlacedGate& placed = layout_.gates[static_cast<std::size_t>(g)];
    const std::size_t pins = network_.gates[static_cast<std::size_t>(g)].inputs.size();
    placed.x = x + kRailTap + kPinStub;
    placed.w = kInverterWidth;
    placed.h = pins == 1 ? kPitch : BodyHeight(pins);
    placed.y = inverterRow_ - placed.h / 2;
    for (std::size_t p = 0; p < pins; ++p) {
      const double y = pins == 1 ? inverterRow_ : placed.y + kPitch / 2 + static_cast<double>(p) * kPitch;
      placed.pins.push_back({x + kRailTap, y});
      Wire(Signal{Signal::Kind::kInput, i}, {{x, y}, {x + kRailTap, y}});
      taps_[static_cast<std::size_t>(i)].push_back(y);
    }
    placed.output = {placed.x + placed.w + kOutputStub, inverterRow_};
    x = placed.output.x + 8;
    complementX_.back() = x;
  }
  railsRight_ = n_ > 0 ? x : kMargin;
  bottom_ = inverters ? inverterRow_ + kPitch + kBandGap : railTop_ + kBandGap;
}

// Lays out the band of `gate` from `top`: the bands of its inputs in pin order, each rail input a
// row of its own, and the body beside them. Returns the band's height.
double Layouter::Band(int gate, double top) {
  const Gate& g = network_.gates[static_cast<std::size_t>(gate)];
  TreeGate& placed = tree_[static_cast<std::size_t>(gate)];
  double y = top;
  for (std::size_t pin = 0; pin < g.inputs.size(); ++pin) {
    const Signal source = g.inputs[pin];
    if (IsTreeGate(source) && !placed.groups.empty() && placed.groups.back().source == source) {
      placed.groups.back().pins.push_back(static_cast<int>(pin));
      continue;
    }
    Group group{source, 0, {static_cast<int>(pin)}, -1};
    if (IsTreeGate(source)) {
      y += Band(source.index, y);
      group.y = tree_[static_cast<std::size_t>(source.index)].outputY;
    } else {
      group.y = y + kPitch / 2;
      y += kPitch;
      taps_[static_cast<std::size_t>(NetOf(network_, source))].push_back(group.y);
    }
    placed.groups.push_back(group);
  }
  const double height = BodyHeight(g.inputs.size());
  const double content = std::max(y - top, height);
  const double middle = (placed.groups.front().y + placed.groups.back().y) / 2;
  placed.outputY = std::clamp(middle, top + height / 2, top + content - height / 2);
  placed.top = placed.outputY - height / 2;
  for (std::size_t pin = 0; pin < g.inputs.size(); ++pin)
    placed.pinY.push_back(placed.top + kPitch / 2 + static_cast<double>(pin) * kPitch);
  AssignTracks(placed);
  return content + kBandGap;
}

// Wires that turn down take tracks from the gate outwards top to bottom, those that turn up bottom
// to top, so that no two cross; the two kinds never share rows. A source feeding pins on both
// sides of its row comes last.
void Layouter::AssignTracks(TreeGate& gate) {
  std::vector<Group*> down, up, both;
  for (Group& group : gate.groups) {
    double low = group.y, high = group.y;
    for (int pin : group.pins) {
      low = std::min(low, gate.pinY[static_cast<std::size_t>(pin)]);
      high = std::max(high, gate.pinY[static_cast<std::size_t>(pin)]);
    }
    if (low == high) continue;
    (low == group.y ? down : high == group.y ? up : both).push_back(&group);
  }
  for (std::size_t r = 0; r < down.size(); ++r) down[r]->track = static_cast<int>(r);
  for (std::size_t r = 0; r < up.size(); ++r) up[r]->track = static_cast<int>(up.size() - 1 - r);
  const int used = static_cast<int>(std::max(down.size(), up.size()));
  for (std::size_t r = 0; r < both.size(); ++r) both[r]->track = used + static_cast<int>(r);
}

void Layouter::PlaceColumns() {
  int columns = 0;
  for (std::size_t g = 0; g < network_.gates.size(); ++g) {
    if (layout_.gates[g].onRail) continue;
    int column = 1;
    for (Signal s : network_.gates[g].inputs) {
      if (IsTreeGate(s)) column = std::max(column, tree_[static_cast<std::size_t>(s.index)].column + 1);
    }
    tree_[g].column = column;
    columns = std::max(columns, column);
  }
  channel_.assign(static_cast<std::size_t>(columns) + 1, 2 * kChannelMargin);
  for (std::size_t g = 0; g < network_.gates.size(); ++g) {
    for (const Group& group : tree_[g].groups) {
      double& width = channel_[static_cast<std::size_t>(tree_[g].column)];
      width = std::max(width, 2 * kChannelMargin + group.track * kTrack);
    }
  }
  columnLeft_.assign(static_cast<std::size_t>(columns) + 1, railsRight_);
  double x = railsRight_;
  for (int c = 1; c <= columns; ++c) {
    columnLeft_[static_cast<std::size_t>(c)] = x + channel_[static_cast<std::size_t>(c)];
    x = columnLeft_[static_cast<std::size_t>(c)] + kPinStub + kGateWidth + kOutputStub;
  }
  right_ = x;
}

void Layouter::Route(int gate) {
  const TreeGate& t = tree_[static_cast<std::size_t>(gate)];
  PlacedGate& placed = layout_.gates[static_cast<std::size_t>(gate)];
  const double left = columnLeft_[static_cast<std::size_t>(t.column)];
  placed.x = left + kPinStub;
  placed.y = t.top;
  placed.w = kGateWidth;
  placed.h = BodyHeight(t.pinY.size());
  for (double y : t.pinY) placed.pins.push_back({left, y});
  placed.output = {placed.x + kGateWidth + kOutputStub, t.outputY};
  for (const Group& group : t.groups) {
    const double from = IsTreeGate(group.source)
                            ? layout_.gates[static_cast<std::size_t>(group.source.index)].output.x
                            : RailX(group.source);
    if (group.track < 0) {
      Wire(group.source, {{from, group.y}, {left, group.y}});
      continue;
    }
    const double track = left - kChannelMargin - group.track * kTrack;
    if (group.pins.size() == 1) {
      const double y = t.pinY[static_cast<std::size_t>(group.pins[0])];
      Wire(group.source, {{from, group.y}, {track, group.y}, {track, y}, {left, y}});
      continue;
    }
    // One source for several pins: along the track from the outermost row to the other.
    double low = group.y, high = group.y;
    Wire(group.source, {{from, group.y}, {track, group.y}});
    for (int pin : group.pins) {
      const double y = t.pinY[static_cast<std::size_t>(pin)];
      low = std::min(low, y);
      high = std::max(high, y);
      Wire(group.source, {{track, y}, {left, y}});
    }
    Wire(group.source, {{track, low}, {track, high}});
  }
}

// The output's wire and label: from the last gate, from a rail in a row of its own, or from the
// constant's label.
void Layouter::RouteOutput() {
  const Signal out = network_.output;
  double y = bottom_ + kPitch / 2;
  double from = railsRight_ + 24;
  if (IsTreeGate(out)) {
    y = tree_[static_cast<std::size_t>(out.index)].outputY;
    from = layout_.gates[static_cast<std::size_t>(out.index)].output.x;
  } else if (out.kind == Signal::Kind::kInput || out.kind == Signal::Kind::kGate) {
    from = RailX(out);
    taps_[static_cast<std::size_t>(NetOf(network_, out))].push_back(y);
    bottom_ = y + kPitch / 2;
  } else {
    layout_.constantLabel = {from - 4, y + kLabelFont / 3};
    from += 2;
    bottom_ = y + kPitch / 2;
  }
  const double end = std::max(from, right_) + kOutputWire;
  Wire(out, {{from, y}, {end, y}});
  layout_.outputLabel = {end + kLabelGap, y + kLabelFont / 3};
  right_ = end + kLabelGap + EstimatedTextWidth("Result", kLabelFont, true);
}

// Every rail down to its lowest tap; a rail without taps is a short stub under its label.
void Layouter::AddRails() {
  for (int i = 0; i < n_; ++i) {
    const std::vector<double>& taps = taps_[static_cast<std::size_t>(i)];
    const double low = taps.empty() ? railTop_ + kUnusedRail : *std::max_element(taps.begin(), taps.end());
    Wire(Signal{Signal::Kind::kInput, i},
         {{railX_[static_cast<std::size_t>(i)], railTop_}, {railX_[static_cast<std::size_t>(i)], low}});
    const int g = inverter_[static_cast<std::size_t>(i)];
    if (g < 0) continue;
    const std::vector<double>& complementTaps = taps_[static_cast<std::size_t>(n_ + g)];
    double complementLow = inverterRow_;
    for (double y : complementTaps) complementLow = std::max(complementLow, y);
    const double x = complementX_[static_cast<std::size_t>(i)];
    Wire(Signal{Signal::Kind::kGate, g},
         {layout_.gates[static_cast<std::size_t>(g)].output, {x, inverterRow_}, {x, complementLow}});
  }
}

CircuitLayout Layouter::Run() {
  layout_.labelFont = kLabelFont;
  PlaceRails();
  if (IsTreeGate(network_.output)) bottom_ += Band(network_.output.index, bottom_);
  PlaceColumns();
  for (std::size_t g = 0; g < network_.gates.size(); ++g) {
    if (!layout_.gates[g].onRail) Route(static_cast<int>(g));
  }
  RouteOutput();
  AddRails();
  layout_.junctions = JunctionsOf(layout_.wires);
  layout_.width = right_ + kMargin;
  layout_.height = bottom_ + kMargin;
  return std::move(layout_);
}

}  // namespace

std::string DrawingLimitMessage(const Network& network) {
  if (network.gates.size() > kMaxDrawnGates) {
    return "The circuit has " + GroupedNumber(network.gates.size()) + " gates: at most " +
           GroupedNumber(kMaxDrawnGates) + " are drawn.";
  }
  const std::size_t inputs = GateInputCount(network);
  if (inputs > kMaxDrawnGateInputs) {
    return "The circuit's gates have " + GroupedNumber(inputs) + " inputs in all: at most " +
           GroupedNumber(kMaxDrawnGateInputs) + " are drawn.";
  }
  return {};
}

// A dot wherever three or more arms of one net's wires meet: a wire's end is one arm, a point
// inside a wire two.
std::vector<Junction> JunctionsOf(const std::vector<WireRun>& wires) {
  std::map<int, std::vector<std::pair<CircuitPoint, CircuitPoint>>> segments;
  for (const WireRun& run : wires) {
    for (std::size_t i = 1; i < run.points.size(); ++i) {
      if (!(run.points[i - 1] == run.points[i]))
        segments[run.net].emplace_back(run.points[i - 1], run.points[i]);
    }
  }
  std::vector<Junction> junctions;
  for (const auto& [net, parts] : segments) {
    std::vector<CircuitPoint> dots;
    for (const auto& candidate : parts) {
      for (const CircuitPoint p : {candidate.first, candidate.second}) {
        int arms = 0;
        for (const auto& [a, b] : parts) {
          if (p == a || p == b) {
            ++arms;
          } else if ((a.x == b.x && p.x == a.x && p.y > std::min(a.y, b.y) && p.y < std::max(a.y, b.y)) ||
                     (a.y == b.y && p.y == a.y && p.x > std::min(a.x, b.x) && p.x < std::max(a.x, b.x))) {
            arms += 2;
          }
        }
        if (arms >= 3 && std::find(dots.begin(), dots.end(), p) == dots.end()) dots.push_back(p);
      }
    }
    for (const CircuitPoint& p : dots) junctions.push_back({net, p});
  }
  return junctions;
}

CircuitLayout LayOutCircuit(const Network& network) { return Layouter(network).Run(); }

}  // namespace brevano
