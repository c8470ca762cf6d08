// Circuits: the networks against the table, and their pictures checked on the display list.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <map>
#include <random>

#include "analysis/analysis.h"
#include "circuit/circuit_forms.h"
#include "circuit/circuit_layout.h"
#include "circuit/circuit_picture.h"
#include "circuit/netlist.h"
#include "circuit/shared_circuit.h"
#include "multiout/joint_minimise.h"
#include "pipeline/pipeline.h"

namespace brevano {
namespace {

TruthTable TableOf(const std::string& expression) {
  ExprTree tree;
  return TruthTable::Build(ProcessExpression(expression, tree), DisplayMode::kZeroOne);
}

std::string RandomExpression(std::mt19937_64& rng, int variables, int depth) {
  const int kind = depth == 0 ? 0 : static_cast<int>(rng() % 6);
  if (kind <= 1) {
    if (rng() % 12 == 0) return rng() % 2 ? "1" : "0";
    return std::string(1, static_cast<char>('a' + rng() % variables));
  }
  if (kind == 2) return "not(" + RandomExpression(rng, variables, depth - 1) + ")";
  static constexpr char kOperators[] = {'+', '*', '/'};
  return "(" + RandomExpression(rng, variables, depth - 1) + kOperators[rng() % 3] +
         RandomExpression(rng, variables, depth - 1) + ")";
}

// A few fixed shapes and many random expressions, of 0 to 7 variables.
std::vector<std::string> Expressions() {
  std::vector<std::string> expressions = {"0",
                                          "1",
                                          "a",
                                          "not(a)",
                                          "a*a",
                                          "a/a",
                                          "not(a)*not(b)*not(c)",
                                          "a+b+c+d+e+f",
                                          "a*not(b)+not(a)*b",
                                          "not(a+b)*c/(a*d)+not(b)"};
  std::mt19937_64 rng(25);
  for (int i = 0; i < 60; ++i) expressions.push_back(RandomExpression(rng, 1 + i % 7, 2 + i % 4));
  return expressions;
}

constexpr CircuitForm kForms[] = {CircuitForm::kTyped, CircuitForm::kSum, CircuitForm::kProduct,
                                  CircuitForm::kNand, CircuitForm::kNor};

// Gates other than the inputs' inverters drive one gate, or the output, each.
void ExpectTree(const Network& network, const std::string& what) {
  std::vector<int> drives(network.gates.size());
  auto count = [&](Signal s, std::vector<Signal>& seen) {
    if (s.kind != Signal::Kind::kGate || std::find(seen.begin(), seen.end(), s) != seen.end()) return;
    seen.push_back(s);
    ++drives[static_cast<std::size_t>(s.index)];
  };
  for (const Gate& gate : network.gates) {
    std::vector<Signal> seen;
    for (Signal s : gate.inputs) count(s, seen);
  }
  std::vector<Signal> none;
  count(network.output, none);
  for (std::size_t g = 0; g < network.gates.size(); ++g) {
    if (InvertedInput(network.gates[g]) < 0) {
      EXPECT_EQ(drives[g], 1) << what << ", gate " << g;
    } else {
      EXPECT_GE(drives[g], 1) << what << ", gate " << g;
    }
  }
}

TEST(CircuitTest, EveryFormComputesTheTableAndIsATreeOverItsRails) {
  for (const std::string& expression : Expressions()) {
    const TruthTable table = TableOf(expression);
    for (CircuitForm form : kForms) {
      const TableCircuit circuit = CircuitOfTable(table, form);
      ASSERT_TRUE(circuit.error.empty()) << expression;
      const std::string what = expression + " in form " + std::to_string(static_cast<int>(form));
      for (std::uint64_t row = 0; row < table.RowCount(); ++row)
        ASSERT_EQ(EvaluateNetwork(circuit.network, row), table.Result(row)) << what << ", row " << row;
      ExpectTree(circuit.network, what);
    }
  }
}

struct Segment {
  CircuitPoint a, b;
  std::int64_t net;
};

bool OnSegment(CircuitPoint p, const Segment& s) {
  return p.x >= std::min(s.a.x, s.b.x) && p.x <= std::max(s.a.x, s.b.x) && p.y >= std::min(s.a.y, s.b.y) &&
         p.y <= std::max(s.a.y, s.b.y) && (s.a.x == s.b.x ? p.x == s.a.x : p.y == s.a.y);
}

bool Overlap(double a1, double a2, double b1, double b2) {
  return std::max(std::min(a1, a2), std::min(b1, b2)) < std::min(std::max(a1, a2), std::max(b1, b2));
}

// Interiors of a box and of an axis-parallel segment meet.
bool Crosses(const Segment& s, const PictureBox& box) {
  const double e = 1e-6;
  if (s.a.y == s.b.y) {
    return s.a.y > box.y + e && s.a.y < box.y + box.h - e &&
           Overlap(s.a.x, s.b.x, box.x + e, box.x + box.w - e);
  }
  return s.a.x > box.x + e && s.a.x < box.x + box.w - e &&
         Overlap(s.a.y, s.b.y, box.y + e, box.y + box.h - e);
}

std::vector<Segment> Wires(const CircuitPicture& picture) {
  std::vector<Segment> segments;
  for (const PictureItem& item : picture.items) {
    if (item.role != "wire") continue;
    EXPECT_EQ(item.path.front().kind, PathStep::Kind::kMove);
    for (std::size_t i = 1; i < item.path.size(); ++i) {
      const PathStep &from = item.path[i - 1], &to = item.path[i];
      EXPECT_TRUE(from.x == to.x || from.y == to.y) << "a wire that is not orthogonal";
      segments.push_back({{from.x, from.y}, {to.x, to.y}, item.key});
    }
  }
  return segments;
}

// The pictures' own checks: no wire through a gate, gates and labels apart, nets apart except
// where they cross, every pin on the wire of the signal it takes, every net in one piece.
void ExpectSoundPicture(const Network& network, const CircuitPicture& picture, const std::string& what) {
  const std::vector<Segment> wires = Wires(picture);
  for (std::size_t i = 0; i < picture.gates.size(); ++i) {
    for (std::size_t j = 0; j < i; ++j) {
      const PictureBox &a = picture.gates[i], &b = picture.gates[j];
      EXPECT_FALSE(Overlap(a.x, a.x + a.w, b.x, b.x + b.w) && Overlap(a.y, a.y + a.h, b.y, b.y + b.h))
          << what << ": gates " << a.key << " and " << b.key << " overlap";
    }
    for (const Segment& s : wires)
      EXPECT_FALSE(Crosses(s, picture.gates[i]))
          << what << ": a wire of net " << s.net << " runs through gate " << i;
  }
  for (const Segment& s : wires) {
    for (const Segment& t : wires) {
      if (s.net == t.net) continue;
      const bool collinear = (s.a.x == s.b.x && t.a.x == t.b.x && s.a.x == t.a.x) ||
                             (s.a.y == s.b.y && t.a.y == t.b.y && s.a.y == t.a.y);
      EXPECT_FALSE(collinear && (Overlap(s.a.x, s.b.x, t.a.x, t.b.x) || Overlap(s.a.y, s.b.y, t.a.y, t.b.y)))
          << what << ": nets " << s.net << " and " << t.net << " overlap";
      EXPECT_FALSE(OnSegment(s.a, t) || OnSegment(s.b, t))
          << what << ": net " << s.net << " touches net " << t.net;
    }
  }
  // Pins: the inputs of each gate in order, then its output.
  std::map<std::int64_t, std::vector<CircuitPoint>> pins;
  for (const PictureItem& item : picture.items) {
    if (item.role == "pin") pins[item.key].push_back({item.x, item.y});
    if (item.role == "pin" && pins[item.key].size() == network.gates[item.key].inputs.size() + 1)
      pins[item.key].back() = {item.x + item.w, item.y + item.h};
    if (item.role == "junction") {
      const CircuitPoint centre{item.x + item.w / 2, item.y + item.h / 2};
      for (const Segment& s : wires)
        EXPECT_EQ(OnSegment(centre, s), OnSegment(centre, s) && s.net == item.key);
    }
  }
  auto touches = [&](CircuitPoint p, int net) {
    return std::any_of(wires.begin(), wires.end(),
                       [&](const Segment& s) { return s.net == net && ((s.a == p) || (s.b == p)); });
  };
  for (std::size_t g = 0; g < network.gates.size(); ++g) {
    const std::vector<CircuitPoint>& points = pins[static_cast<std::int64_t>(g)];
    ASSERT_EQ(points.size(), network.gates[g].inputs.size() + 1) << what;
    for (std::size_t i = 0; i < network.gates[g].inputs.size(); ++i)
      EXPECT_TRUE(touches(points[i], NetOf(network, network.gates[g].inputs[i])))
          << what << ": gate " << g << " pin " << i;
    EXPECT_TRUE(touches(points.back(), NetOf(network, Signal{Signal::Kind::kGate, static_cast<int>(g)})))
        << what << ": the output of gate " << g;
  }
  // Each net in one piece: its segments joined by shared points. A constant is drawn at each
  // output it drives, each piece with a label of its own.
  std::map<std::int64_t, std::vector<Segment>> nets;
  const auto constants = static_cast<std::int64_t>(network.inputs.size() + network.gates.size());
  for (const Segment& s : wires) {
    if (s.net < constants) nets[s.net].push_back(s);
  }
  for (const auto& [net, parts] : nets) {
    std::vector<bool> reached(parts.size());
    std::vector<std::size_t> work = {0};
    reached[0] = true;
    while (!work.empty()) {
      const Segment s = parts[work.back()];
      work.pop_back();
      for (std::size_t k = 0; k < parts.size(); ++k) {
        if (reached[k]) continue;
        const Segment& t = parts[k];
        if (OnSegment(t.a, s) || OnSegment(t.b, s) || OnSegment(s.a, t) || OnSegment(s.b, t)) {
          reached[k] = true;
          work.push_back(k);
        }
      }
    }
    EXPECT_TRUE(std::all_of(reached.begin(), reached.end(), [](bool r) { return r; }))
        << what << ": net " << net;
  }
}

// Labels: the inputs' in column order, each above its rail, none over a gate or another label.
void ExpectLabels(const Network& network, const CircuitPicture& picture, const std::string& what) {
  std::vector<PictureBox> texts;
  double previous = -1;
  for (const PictureItem& item : picture.items) {
    if (item.kind != PictureItem::Kind::kText || item.role == "symbol") continue;
    const double width = EstimatedTextWidth(item.text, item.fontSize, item.bold);
    const double left = item.anchor == TextAnchor::kMiddle ? item.x - width / 2
                        : item.anchor == TextAnchor::kEnd  ? item.x - width
                                                           : item.x;
    texts.push_back({left, item.y - item.fontSize, width, item.fontSize * 1.2, 0});
    if (item.role == "input") {
      EXPECT_EQ(item.text, network.inputs[static_cast<std::size_t>(item.key)]);
      EXPECT_GT(item.x, previous) << what;
      previous = item.x;
    }
  }
  for (std::size_t i = 0; i < texts.size(); ++i) {
    for (const PictureBox& other : picture.gates) {
      EXPECT_FALSE(Overlap(texts[i].x, texts[i].x + texts[i].w, other.x, other.x + other.w) &&
                   Overlap(texts[i].y, texts[i].y + texts[i].h, other.y, other.y + other.h))
          << what;
    }
    for (std::size_t j = 0; j < i; ++j) {
      EXPECT_FALSE(Overlap(texts[i].x, texts[i].x + texts[i].w, texts[j].x, texts[j].x + texts[j].w) &&
                   Overlap(texts[i].y, texts[i].y + texts[i].h, texts[j].y, texts[j].y + texts[j].h))
          << what;
    }
  }
}

TEST(CircuitTest, PicturesAreWiredAsTheirNetworksWithNothingInTheWay) {
  for (const std::string& expression : Expressions()) {
    const TruthTable table = TableOf(expression);
    for (CircuitForm form : kForms) {
      const Network network = CircuitOfTable(table, form).network;
      ASSERT_EQ(DrawingLimitMessage(network), "");
      for (SymbolStyle style : {SymbolStyle::kAnsi, SymbolStyle::kIec}) {
        const CircuitPicture picture = DrawCircuit(network, LayOutCircuit(network), style);
        const std::string what = expression + " in form " + std::to_string(static_cast<int>(form));
        ExpectSoundPicture(network, picture, what);
        ExpectLabels(network, picture, what);
      }
    }
  }
}

TEST(CircuitTest, CircuitsTooLargeToDrawSaySo) {
  std::string many = "a0";
  for (int i = 1; i < 260; ++i) many = "not(" + many + "*a" + std::to_string(i % 40) + ")";
  EXPECT_EQ(DrawingLimitMessage(CircuitOfTable(TableOf(many), CircuitForm::kTyped).network),
            "The circuit has 259 gates: at most 250 are drawn.");
  std::string wide = "a0";
  for (int i = 1; i < 1100; ++i) wide += "+a" + std::to_string(i % 50);
  EXPECT_EQ(DrawingLimitMessage(CircuitOfTable(TableOf(wide), CircuitForm::kTyped).network),
            "The circuit's gates have 1,100 inputs in all: at most 1,000 are drawn.");
}

TEST(CircuitTest, NetlistNamesAreIdentifiersOfEveryFormatAndDistinct) {
  Network network;
  network.inputs = {"1X", "AND", "A.B", "A_B", "RESULT", "G1", "\xc3\x84", "BOOLEAN_FUNCTION", "X__"};
  network.gates = {{GateKind::kAnd, {{Signal::Kind::kInput, 0}, {Signal::Kind::kInput, 1}}}};
  network.output = {Signal::Kind::kGate, 0};
  const std::string verilog = WriteNetlist(network, NetlistFormat::kVerilog, "test");
  EXPECT_NE(
      verilog.find("module boolean_function(V_1X, AND_2, A_B, A_B_2, RESULT, G1, V, BOOLEAN_FUNCTION_2, X, "
                   "Result_2);"),
      std::string::npos)
      << verilog;
  EXPECT_NE(verilog.find("// input \"??\" is V\n"), std::string::npos);
}

TEST(CircuitTest, NoPortIsNamedLikeAGateInstanceOrThePortType) {
  Network network;
  network.inputs = {"u1", "std_logic"};
  network.gates = {{GateKind::kAnd, {{Signal::Kind::kInput, 0}, {Signal::Kind::kInput, 1}}}};
  network.output = {Signal::Kind::kGate, 0};
  EXPECT_NE(WriteNetlist(network, NetlistFormat::kVerilog, "").find("and u1_2(Result, u1, std_logic_2);"),
            std::string::npos);
  EXPECT_NE(WriteNetlist(network, NetlistFormat::kVhdl, "").find("std_logic_2 : in std_logic;"),
            std::string::npos);
}

// A cube from its PLA text ("1-0") and the outputs it feeds ("01").
MultiCube Cube(const std::string& inputs, const std::string& outputs) {
  MultiCube cube = MultiCube::Universe(static_cast<int>(inputs.size()), static_cast<int>(outputs.size()));
  for (std::size_t i = 0; i < inputs.size(); ++i) {
    if (inputs[i] != '-')
      cube.SetInput(static_cast<int>(i), inputs[i] == '1' ? Literal::kOne : Literal::kZero);
  }
  for (std::size_t o = 0; o < outputs.size(); ++o) cube.SetOutput(static_cast<int>(o), outputs[o] == '1');
  return cube;
}

BooleanFunction Names(int inputs, int outputs) {
  BooleanFunction names;
  for (int i = 0; i < inputs; ++i) names.inputs.push_back(std::string(1, static_cast<char>('a' + i)));
  for (int o = 0; o < outputs; ++o) names.outputs.push_back("f" + std::to_string(o));
  return names;
}

// Output `o` of `cover` at `point` (input i is bit i).
bool CoverValue(const CubeCover& cover, int o, std::uint64_t point) {
  return std::any_of(cover.begin(), cover.end(), [&](const MultiCube& cube) {
    if (!cube.HasOutput(o)) return false;
    for (int i = 0; i < cube.inputs; ++i) {
      const Literal literal = cube.Input(i);
      if (literal != Literal::kFree && (literal == Literal::kOne) != (((point >> i) & 1) == 1)) return false;
    }
    return true;
  });
}

TEST(SharedCircuitTest, RandomCoversAreDrawnSoundAndEveryOutputEqualsTheCover) {
  std::mt19937_64 rng(29);
  for (int round = 0; round < 120; ++round) {
    const int inputs = static_cast<int>(rng() % (round < 100 ? 6 : 9)),
              outputs = 1 + static_cast<int>(rng() % 5);
    CubeCover cover;
    for (int t = static_cast<int>(rng() % (round < 100 ? 8 : 16)); t > 0; --t) {
      std::string in, out;
      for (int i = 0; i < inputs; ++i) in += "01--"[rng() % (round % 3 ? 4 : 3)];
      for (int o = 0; o < outputs; ++o) out += rng() % 2 ? '1' : '0';
      cover.push_back(Cube(in, out));
      if (rng() % 5 == 0) cover.push_back(cover.back());  // a term given twice
    }
    const SharedNetwork network = SharedNetworkOf(Names(inputs, outputs), cover);
    const std::string what = "round " + std::to_string(round);
    for (int o = 0; o < outputs; ++o) {
      for (std::uint64_t point = 0; point < (1u << inputs); ++point)
        ASSERT_EQ(EvaluateSharedOutput(network, o, point), CoverValue(cover, o, point)) << what << " f" << o;
    }
    const Network gates{network.inputs, network.gates, {}};
    const SharedCircuitLayout layout = LayOutSharedCircuit(network);
    const CircuitPicture picture =
        DrawSharedCircuit(network, layout, round % 2 ? SymbolStyle::kIec : SymbolStyle::kAnsi);
    ExpectSoundPicture(gates, picture, what);
    ExpectLabels(gates, picture, what);
    // Each output's wire runs to its label, which names it.
    const std::vector<Segment> wires = Wires(picture);
    for (int o = 0; o < outputs; ++o) {
      const CircuitPoint end{layout.outputLabels[static_cast<std::size_t>(o)].x - 6,
                             layout.outputLabels[static_cast<std::size_t>(o)].y - layout.labelFont / 3};
      const int net = NetOf(gates, network.outputs[static_cast<std::size_t>(o)]);
      EXPECT_TRUE(std::any_of(wires.begin(), wires.end(),
                              [&](const Segment& s) {
                                return s.net == net && std::abs(s.b.x - end.x) < 1e-6 &&
                                       std::abs(s.b.y - end.y) < 1e-6;
                              }))
          << what << " f" << o;
    }
  }
}

TEST(SharedCircuitTest, ATermOfSeveralOutputsIsOneGateWiredToEach) {
  // f0 = a*b + not(a)*c, f1 = a*b + not(c), f2 = 1, f3 = 0, f4 = a*b.
  const CubeCover cover = {Cube("11-", "11001"), Cube("0-1", "10000"), Cube("--0", "01000"),
                           Cube("---", "00100"), Cube("11-", "10000")};
  const SharedNetwork network = SharedNetworkOf(Names(3, 5), cover);
  EXPECT_EQ(SharedCircuitText(network),
            "Inputs: a, b, c\nOutputs: f0, f1, f2, f3, f4\nGates: 6 (2 NOT, 2 AND, 2 OR)\n"
            "g1 = NOT(a)\ng2 = NOT(c)\ng3 = AND(a, b)\ng4 = AND(g1, c)\nf0 = OR(g3, g4)\nf1 = OR(g3, g2)\n"
            "f2 = 1\nf3 = 0\nf4 = g3\n");
  const SharedCircuitLayout layout = LayOutSharedCircuit(network);
  const CircuitPicture picture = DrawSharedCircuit(network, layout, SymbolStyle::kAnsi);
  // The shared AND's net meets the pins of both ORs and f4's label, branching at dots on its track.
  const Network gates{network.inputs, network.gates, {}};
  const int shared = NetOf(gates, {Signal::Kind::kGate, 2});
  EXPECT_EQ(std::count_if(layout.junctions.begin(), layout.junctions.end(),
                          [&](const Junction& j) { return j.net == shared; }),
            2);
  std::vector<std::string> constants;
  for (const PictureItem& item : picture.items) {
    if (item.role == "constant")
      constants.push_back(network.outputNames[static_cast<std::size_t>(item.key)] + "=" + item.text);
  }
  EXPECT_EQ(constants, (std::vector<std::string>{"f2=1", "f3=0"}));
  ExpectSoundPicture(gates, picture, "shared");
}

TEST(SharedCircuitTest, JointCoversOfRandomFilesDrawnAsCircuitsComputeEveryOutput) {
  std::mt19937_64 rng(31);
  for (int round = 0; round < 40; ++round) {
    const int inputs = 1 + static_cast<int>(rng() % 5), outputs = 1 + static_cast<int>(rng() % 4);
    BooleanFunction function = Names(inputs, outputs);
    for (std::uint64_t point = 0; point < (1u << inputs); ++point) {
      std::string in, on, dc;
      for (int i = 0; i < inputs; ++i) in += (point >> i) & 1 ? '1' : '0';
      for (int o = 0; o < outputs; ++o) {
        const auto value = rng() % 5;  // 0 or 1 mostly, a don't-care now and then
        on += value < 2 ? '1' : '0';
        dc += value == 4 ? '1' : '0';
      }
      function.on.push_back(Cube(in, on));
      function.dontCare.push_back(Cube(in, dc));
    }
    JointOptions options;
    options.budget = std::chrono::seconds(2);
    const SharedNetwork network = SharedNetworkOf(function, MinimiseJointly(function, options).terms);
    for (int o = 0; o < outputs; ++o) {
      for (std::uint64_t point = 0; point < (1u << inputs); ++point) {
        if (CoverValue(function.dontCare, o, point)) continue;
        ASSERT_EQ(EvaluateSharedOutput(network, o, point), CoverValue(function.on, o, point))
            << "round " << round << " f" << o << " at " << point;
      }
    }
  }
}

TEST(SharedCircuitTest, CoversTooLargeToDrawSaySo) {
  CubeCover cover;
  for (int t = 0; t < 300; ++t) {
    std::string in;
    for (int i = 0; i < 9; ++i) in += (t >> i) & 1 ? '1' : '0';
    cover.push_back(Cube(in, "1"));
  }
  EXPECT_EQ(SharedDrawingLimitMessage(SharedNetworkOf(Names(9, 1), cover)),
            "The circuit has 310 gates: at most 250 are drawn.");
}

}  // namespace
}  // namespace brevano
