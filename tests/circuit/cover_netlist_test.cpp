// Netlists of covers of several outputs: the BLIF evaluated against the cover on every point, shared
// terms written once, constant outputs, and names made identifiers.
#include "circuit/cover_netlist.h"

#include <gtest/gtest.h>

#include <map>
#include <random>
#include <sstream>

#include "engine/engine_error.h"

namespace brevano {
namespace {

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

// The outputs of a BLIF model at one point: every .names table evaluated in file order, so that a
// net read before it is driven fails the test.
std::vector<bool> EvaluateBlif(const std::string& blif, std::uint64_t point) {
  std::istringstream in(blif);
  std::map<std::string, bool> nets;
  std::vector<std::string> outputs, table;
  std::string line, word;
  bool* driven = nullptr;
  while (std::getline(in, line)) {
    std::istringstream words(line);
    words >> word;
    if (word == ".inputs") {
      for (int i = 0; words >> word; ++i) nets[word] = (point >> i) & 1;
    } else if (word == ".outputs") {
      while (words >> word) outputs.push_back(word);
    } else if (word == ".names") {
      table.clear();
      while (words >> word) table.push_back(word);
      for (std::size_t i = 0; i + 1 < table.size(); ++i) EXPECT_TRUE(nets.count(table[i])) << table[i];
      driven = &nets[table.back()];
      *driven = false;
    } else if (driven && line[0] != '.' && line[0] != '#') {
      const std::string pattern = table.size() == 1 ? "" : word;
      bool match = true;
      for (std::size_t i = 0; i < pattern.size(); ++i)
        match = match && (pattern[i] == '-' || (pattern[i] == '1') == nets[table[i]]);
      *driven = *driven || match;
    }
  }
  std::vector<bool> values;
  for (const std::string& output : outputs) values.push_back(nets.at(output));
  return values;
}

TEST(CoverNetlistTest, BlifEqualsTheCoverOnEveryPoint) {
  std::mt19937_64 rng(29);
  for (int round = 0; round < 200; ++round) {
    const int inputs = static_cast<int>(rng() % 6), outputs = 1 + static_cast<int>(rng() % 4);
    CubeCover cover;
    for (int t = static_cast<int>(rng() % 7); t > 0; --t) {
      std::string in, out;
      for (int i = 0; i < inputs; ++i) in += "01--"[rng() % (round % 3 ? 4 : 3)];
      for (int o = 0; o < outputs; ++o) out += rng() % 2 ? '1' : '0';
      cover.push_back(Cube(in, out));
      if (rng() % 5 == 0) cover.push_back(cover.back());  // a term given twice
    }
    const std::string blif = WriteCoverNetlist(Names(inputs, outputs), cover, NetlistFormat::kBlif, "");
    for (std::uint64_t point = 0; point < (1u << inputs); ++point) {
      std::vector<bool> want(static_cast<std::size_t>(outputs), false);
      for (const MultiCube& cube : cover) {
        bool holds = true;
        for (int i = 0; i < inputs; ++i)
          holds = holds && cube.Input(i) != ((point >> i) & 1 ? Literal::kZero : Literal::kOne);
        for (int o = 0; o < outputs; ++o) want[o] = want[o] || (holds && cube.HasOutput(o));
      }
      ASSERT_EQ(EvaluateBlif(blif, point), want) << blif << "point " << point;
    }
  }
}

std::size_t Count(const std::string& text, const std::string& what) {
  std::size_t n = 0;
  for (std::size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + 1)) ++n;
  return n;
}

TEST(CoverNetlistTest, EachTermIsOneGateAndConstantsAreWritten) {
  struct Case {
    std::string name;
    CubeCover cover;
    std::vector<std::string> verilog;  // lines the Verilog holds
    std::size_t ands, nots;
  };
  const std::vector<Case> cases = {
      {"shared term",
       {Cube("11-", "110"), Cube("0-1", "010"), Cube("11-", "001")},
       {"and u2(t1, a, b);", "and u3(t2, n_a, c);", "assign f0 = t1;", "or u4(f1, t1, t2);",
        "assign f2 = t1;"},
       2,
       1},
      {"no term, full cube",
       {Cube("---", "010"), Cube("1-0", "110")},
       {"and u2(t1, a, n_c);", "assign f0 = t1;", "assign f1 = 1'b1;", "assign f2 = 1'b0;"},
       1,
       1},
      {"term of a 1 output alone", {Cube("---", "010"), Cube("1-0", "010")}, {"assign f1 = 1'b1;"}, 0, 0},
      {"single literals",
       {Cube("-0-", "100"), Cube("1--", "101")},
       {"or u2(f0, n_b, a);", "assign f1 = 1'b0;", "assign f2 = a;"},
       0,
       1},
  };
  for (const Case& c : cases) {
    const std::string verilog = WriteCoverNetlist(Names(3, 3), c.cover, NetlistFormat::kVerilog, "");
    for (const std::string& line : c.verilog)
      EXPECT_EQ(Count(verilog, line), 1u) << c.name << ": " << line << '\n' << verilog;
    EXPECT_EQ(Count(verilog, "  and "), c.ands) << c.name;
    EXPECT_EQ(Count(verilog, "  not "), c.nots) << c.name;
  }
}

TEST(CoverNetlistTest, ConstantsInEveryFormatEvenWithoutInputs) {
  BooleanFunction names = Names(0, 2);
  const CubeCover cover = {Cube("", "10")};
  EXPECT_EQ(WriteCoverNetlist(names, cover, NetlistFormat::kBlif, "c"),
            "# c\n.model boolean_function\n.inputs\n.outputs f0 f1\n.names f0\n1\n.names f1\n.end\n");
  const std::string vhdl = WriteCoverNetlist(names, cover, NetlistFormat::kVhdl, "c");
  EXPECT_NE(vhdl.find("  port (\n    f0 : out std_logic;\n    f1 : out std_logic\n  );\n"),
            std::string::npos);
  EXPECT_NE(vhdl.find("  f0 <= '1';\n  f1 <= '0';\n"), std::string::npos) << vhdl;
  names.outputs.clear();
  EXPECT_EQ(Count(WriteCoverNetlist(names, {}, NetlistFormat::kVhdl, "c"), "port"), 0u);
}

TEST(CoverNetlistTest, PortsAreIdentifiersNoOutputNamedLikeAnInputNoNetLikeAPort) {
  BooleanFunction names;
  names.inputs = {"in", "a.b", "1x", "A", "std_logic"};
  names.outputs = {"in", "a", "t1", "u1", "n_A"};
  const CubeCover cover = {Cube("1100-", "11111"), Cube("0-01-", "00110")};
  const std::string verilog = WriteCoverNetlist(names, cover, NetlistFormat::kVerilog, "x\ny");
  EXPECT_EQ(verilog.substr(0, verilog.find("module")),
            "// x?y\n// input \"in\" is in_2\n// input \"a.b\" is a_b\n// input \"1x\" is V_1x\n"
            "// input \"std_logic\" is std_logic_2\n// output \"in\" is in_3\n// output \"a\" is a_2\n")
      << verilog;
  EXPECT_NE(verilog.find("module boolean_function(in_2, a_b, V_1x, A, std_logic_2, in_3, a_2, t1, u1, n_A);"),
            std::string::npos);
  EXPECT_NE(verilog.find("not u1_2(n_in_2, in_2);"), std::string::npos) << verilog;
  EXPECT_NE(verilog.find("and u4(t1_2, in_2, a_b, n_V_1x, n_A_2);"), std::string::npos) << verilog;
}

TEST(CoverNetlistTest, TermsOfAnotherWidthAreRefused) {
  for (const MultiCube& cube : {Cube("10", "1"), Cube("1", "10")})
    EXPECT_THROW(WriteCoverNetlist(Names(1, 1), {cube}, NetlistFormat::kBlif, ""), EngineError);
}

}  // namespace
}  // namespace brevano
