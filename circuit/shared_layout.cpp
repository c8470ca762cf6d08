// Rails, a column of AND gates, a channel of one track per term and a column of ORs: the placement
// and wiring of a shared two-level circuit.
#include <algorithm>
#include <cmath>

#include "circuit/shared_circuit.h"
#include "picture/picture.h"

namespace brevano {

namespace {

constexpr double kMargin = 16;
constexpr double kPitch = 20;  // between pins; rows lie on a grid of half of it
constexpr double kPinStub = 12;
constexpr double kGateWidth = 44;
constexpr double kOutputStub = 14;
constexpr double kInverterWidth = 26;
constexpr double kRailTap = 8;
constexpr double kTrack = 10;
constexpr double kChannelMargin = 14;
constexpr double kBandGap = 10;
constexpr double kRailGap = 24;
constexpr double kLabelFont = 13;
constexpr double kLabelGap = 6;
constexpr double kOutputWire = 36;
constexpr double kUnusedRail = 14;
constexpr double kConstantRoom = 24;

double BodyHeight(std::size_t pins) { return static_cast<double>(std::max<std::size_t>(pins, 2)) * kPitch; }

class SharedLayouter {
 public:
  explicit SharedLayouter(const SharedNetwork& network)
      : network_(network), taps_(network.inputs.size() + network.gates.size()) {}

  SharedCircuitLayout Run();

 private:
  bool IsAnd(Signal s) const {
    return s.kind == Signal::Kind::kGate && s.index >= network_.firstAnd && s.index < network_.firstOr;
  }
  // The first row of the grid (even: a multiple of kPitch from the top of the columns; odd: half
  // a pitch further) at or below `y`.
  double Row(double y, bool odd) const {
    const double shift = odd ? kPitch / 2 : 0;
    return top_ + shift + std::ceil((y - top_ - shift) / kPitch) * kPitch;
  }
  double RailX(Signal s) const {
    return s.kind == Signal::Kind::kInput ? railX_[static_cast<std::size_t>(s.index)]
                                          : complementX_[static_cast<std::size_t>(InvertedInput(
                                                network_.gates[static_cast<std::size_t>(s.index)]))];
  }
  // Nets numbered as NetOf numbers them: inputs, then gates, then the constants 0 and 1.
  void Wire(Signal net, std::vector<CircuitPoint> points) {
    const int n = static_cast<int>(network_.inputs.size()), g = static_cast<int>(network_.gates.size());
    const int number = net.kind == Signal::Kind::kInput  ? net.index
                       : net.kind == Signal::Kind::kGate ? n + net.index
                       : net.kind == Signal::Kind::kZero ? n + g
                                                         : n + g + 1;
    layout_.wires.push_back({number, std::move(points)});
  }
  void PlaceRails();
  void CollectTerms();
  void PlaceAnds();
  double TrackX(std::size_t k) const {
    return channelLeft_ + kChannelMargin + static_cast<double>(k) * kTrack;
  }
  void Feed(Signal s, std::vector<CircuitPoint> wire);
  double PlaceOr(int gate, double& cursor);
  void PlaceOutputs();
  void AddRails();

  const SharedNetwork& network_;
  SharedCircuitLayout layout_;
  std::vector<int> inverter_;
  std::vector<double> railX_, complementX_;
  std::vector<std::vector<double>> taps_;  // per rail net: the rows that tap it
  std::vector<Signal> terms_;              // the nets of the channel, one track each
  std::vector<double> termY_;              // where each reaches the channel
  std::vector<double> low_, high_;         // the rows each term's track spans
  double railTop_ = 0, inverterRow_ = 0, railsRight_ = 0, top_ = 0, bottom_ = 0, right_ = 0;
  double channelLeft_ = 0, orLeft_ = 0;
};

// Each input's rail, its label centred above it, then its complement rail fed by its inverter.
void SharedLayouter::PlaceRails() {
  const std::size_t n = network_.inputs.size();
  layout_.gates.resize(network_.gates.size());
  inverter_.assign(n, -1);
  for (int g = 0; g < network_.firstAnd; ++g) {
    inverter_[static_cast<std::size_t>(InvertedInput(network_.gates[static_cast<std::size_t>(g)]))] = g;
    layout_.gates[static_cast<std::size_t>(g)].onRail = true;
  }
  railTop_ = kMargin + kLabelFont + 6;
  inverterRow_ = railTop_ + 10 + kPitch;
  double x = kMargin, previousHalf = 0;
  for (std::size_t i = 0; i < n; ++i) {
    const double half = EstimatedTextWidth(network_.inputs[i], kLabelFont) / 2;
    x = i == 0 ? kMargin + std::max(half, 4.0)
               : std::max(x + kRailGap, railX_.back() + previousHalf + half + 10);
    railX_.push_back(x);
    complementX_.push_back(x);
    layout_.inputLabels.push_back({x, kMargin + kLabelFont});
    previousHalf = half;
    const int g = inverter_[i];
    if (g < 0) continue;
    PlacedGate& placed = layout_.gates[static_cast<std::size_t>(g)];
    placed.x = x + kRailTap + kPinStub;
    placed.w = kInverterWidth;
    placed.h = kPitch;
    placed.y = inverterRow_ - placed.h / 2;
    placed.pins.push_back({x + kRailTap, inverterRow_});
    Wire(Signal{Signal::Kind::kInput, static_cast<int>(i)},
         {{x, inverterRow_}, {x + kRailTap, inverterRow_}});
    taps_[i].push_back(inverterRow_);
    placed.output = {placed.x + placed.w + kOutputStub, inverterRow_};
    x = placed.output.x + 8;
    complementX_.back() = x;
  }
  railsRight_ = n > 0 ? x : kMargin;
  top_ = network_.firstAnd > 0 ? inverterRow_ + kPitch + kBandGap : railTop_ + kBandGap;
}

// The nets the ORs and the outputs read: each AND gate, then each literal read directly, in the
// order the outputs first read them.
void SharedLayouter::CollectTerms() {
  for (int g = network_.firstAnd; g < network_.firstOr; ++g) terms_.push_back({Signal::Kind::kGate, g});
  auto add = [&](Signal s) {
    const bool literal =
        s.kind == Signal::Kind::kInput || (s.kind == Signal::Kind::kGate && s.index < network_.firstAnd);
    if (literal && std::find(terms_.begin(), terms_.end(), s) == terms_.end()) terms_.push_back(s);
  };
  for (Signal out : network_.outputs) {
    if (out.kind == Signal::Kind::kGate && out.index >= network_.firstOr) {
      for (Signal s : network_.gates[static_cast<std::size_t>(out.index)].inputs) add(s);
    } else {
      add(out);
    }
  }
}

// The AND column: each term a band of its own, its output (or, for a literal, its row through the
// column) on the even grid; the rails tapped straight across to the pins.
void SharedLayouter::PlaceAnds() {
  const double left = railsRight_ + 2 * kChannelMargin;
  channelLeft_ = left + kPinStub + kGateWidth + kOutputStub;
  double cursor = top_;
  for (const Signal term : terms_) {
    if (!IsAnd(term)) {
      const double y = Row(cursor + kPitch / 2, false);
      taps_[static_cast<std::size_t>(term.kind == Signal::Kind::kInput
                                         ? term.index
                                         : static_cast<int>(network_.inputs.size()) + term.index)]
          .push_back(y);
      termY_.push_back(y);
      cursor = y + kPitch / 2 + kBandGap;
      continue;
    }
    const Gate& gate = network_.gates[static_cast<std::size_t>(term.index)];
    const double h = BodyHeight(gate.inputs.size());
    const double y = Row(cursor + h / 2, false);
    PlacedGate& placed = layout_.gates[static_cast<std::size_t>(term.index)];
    placed.x = left + kPinStub;
    placed.y = y - h / 2;
    placed.w = kGateWidth;
    placed.h = h;
    for (std::size_t p = 0; p < gate.inputs.size(); ++p) {
      const double pinY = placed.y + kPitch / 2 + static_cast<double>(p) * kPitch;
      placed.pins.push_back({left, pinY});
      const Signal source = gate.inputs[p];
      Wire(source, {{RailX(source), pinY}, {left, pinY}});
      const int rail = source.kind == Signal::Kind::kInput
                           ? source.index
                           : static_cast<int>(network_.inputs.size()) + source.index;
      taps_[static_cast<std::size_t>(rail)].push_back(pinY);
    }
    placed.output = {channelLeft_, y};
    termY_.push_back(y);
    cursor = placed.y + h + kBandGap;
  }
  bottom_ = cursor;
}

// A wire of term `s` that leaves its track at the row of `wire`'s first point.
void SharedLayouter::Feed(Signal s, std::vector<CircuitPoint> wire) {
  const auto k = static_cast<std::size_t>(std::find(terms_.begin(), terms_.end(), s) - terms_.begin());
  wire.insert(wire.begin(), {TrackX(k), wire.front().y});
  low_[k] = std::min(low_[k], wire.front().y);
  high_[k] = std::max(high_[k], wire.front().y);
  Wire(s, std::move(wire));
}

// The OR gate `gate` in a band from `cursor`, its pins on the odd grid; returns its output's row.
double SharedLayouter::PlaceOr(int gate, double& cursor) {
  const Gate& g = network_.gates[static_cast<std::size_t>(gate)];
  PlacedGate& placed = layout_.gates[static_cast<std::size_t>(gate)];
  placed.x = orLeft_ + kPinStub;
  placed.y = Row(cursor, false);
  placed.w = kGateWidth;
  placed.h = BodyHeight(g.inputs.size());
  for (std::size_t p = 0; p < g.inputs.size(); ++p) {
    const double pinY = placed.y + kPitch / 2 + static_cast<double>(p) * kPitch;
    placed.pins.push_back({orLeft_, pinY});
    Feed(g.inputs[p], {{orLeft_, pinY}});
  }
  const double y = placed.y + placed.h / 2;
  placed.output = {placed.x + kGateWidth + kOutputStub, y};
  cursor = placed.y + placed.h + kBandGap;
  return y;
}

// The OR column: each output a band of its own, its pins (or, for an output a term drives
// directly, its row) on the odd grid, fed from the terms' tracks; then every output's wire and label.
void SharedLayouter::PlaceOutputs() {
  const std::size_t m = terms_.size();
  orLeft_ = m == 0 ? channelLeft_ + 2 * kChannelMargin : TrackX(m - 1) + kChannelMargin;
  const double end = orLeft_ + kPinStub + kGateWidth + kOutputStub + kOutputWire;
  low_ = high_ = termY_;
  // The column centred beside the ANDs' where it is shorter.
  double height = 0;
  for (Signal out : network_.outputs) {
    const bool gate = out.kind == Signal::Kind::kGate && out.index >= network_.firstOr;
    height +=
        (gate ? BodyHeight(network_.gates[static_cast<std::size_t>(out.index)].inputs.size()) + kPitch / 2
              : kPitch * 1.5) +
        kBandGap;
  }
  double cursor = top_ + std::max(0.0, (bottom_ - top_ - height) / 2), labelWidth = 0;
  for (std::size_t o = 0; o < network_.outputs.size(); ++o) {
    const Signal out = network_.outputs[o];
    const bool constant = out.kind == Signal::Kind::kZero || out.kind == Signal::Kind::kOne;
    CircuitPoint constantLabel;
    double y = 0;
    if (out.kind == Signal::Kind::kGate && out.index >= network_.firstOr) {
      y = PlaceOr(out.index, cursor);
      Wire(out, {layout_.gates[static_cast<std::size_t>(out.index)].output, {end, y}});
    } else {
      y = Row(cursor + kPitch / 2, true);
      cursor = y + kPitch / 2 + kBandGap;
      const double from = orLeft_ + kPinStub + kConstantRoom;
      if (constant) constantLabel = {from - 4, y + kLabelFont / 3};
      if (constant) Wire(out, {{from + 2, y}, {end, y}});
      if (!constant) Feed(out, {{end, y}});
    }
    layout_.constantLabels.push_back(constantLabel);
    layout_.outputLabels.push_back({end + kLabelGap, y + kLabelFont / 3});
    labelWidth = std::max(labelWidth, EstimatedTextWidth(network_.outputNames[o], kLabelFont, true));
  }
  for (std::size_t k = 0; k < m; ++k) {
    const double from = IsAnd(terms_[k]) ? channelLeft_ : RailX(terms_[k]);
    Wire(terms_[k], {{from, termY_[k]}, {TrackX(k), termY_[k]}});
    if (low_[k] < high_[k]) Wire(terms_[k], {{TrackX(k), low_[k]}, {TrackX(k), high_[k]}});
  }
  bottom_ = std::max(bottom_, cursor);
  right_ = end + kLabelGap + labelWidth;
}

// Every rail down to its lowest tap; a rail without taps is a short stub under its label.
void SharedLayouter::AddRails() {
  const std::size_t n = network_.inputs.size();
  for (std::size_t i = 0; i < n; ++i) {
    const std::vector<double>& taps = taps_[i];
    const double low = taps.empty() ? railTop_ + kUnusedRail : *std::max_element(taps.begin(), taps.end());
    Wire(Signal{Signal::Kind::kInput, static_cast<int>(i)}, {{railX_[i], railTop_}, {railX_[i], low}});
    const int g = inverter_[i];
    if (g < 0) continue;
    double complementLow = inverterRow_;
    for (double y : taps_[n + static_cast<std::size_t>(g)]) complementLow = std::max(complementLow, y);
    Wire(Signal{Signal::Kind::kGate, g}, {layout_.gates[static_cast<std::size_t>(g)].output,
                                          {complementX_[i], inverterRow_},
                                          {complementX_[i], complementLow}});
  }
}

SharedCircuitLayout SharedLayouter::Run() {
  layout_.labelFont = kLabelFont;
  PlaceRails();
  CollectTerms();
  PlaceAnds();
  PlaceOutputs();
  AddRails();
  layout_.junctions = JunctionsOf(layout_.wires);
  layout_.width = right_ + kMargin;
  layout_.height = bottom_ - kBandGap + kMargin;
  return std::move(layout_);
}

}  // namespace

SharedCircuitLayout LayOutSharedCircuit(const SharedNetwork& network) {
  return SharedLayouter(network).Run();
}

}  // namespace brevano
