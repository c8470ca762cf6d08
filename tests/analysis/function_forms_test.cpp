// The field's other forms typed back against the table, and the properties against their definitions.
#include "analysis/function_forms.h"

#include <gtest/gtest.h>

#include <bit>
#include <chrono>
#include <random>

#include "forms/boolean_form.h"
#include "forms/gate_forms.h"
#include "minimise/minimise.h"
#include "pipeline/pipeline.h"
#include "tabulate/bit_parallel.h"

namespace brevano {
namespace {

std::vector<std::string> Names(int n) {
  std::vector<std::string> names;
  for (int i = 0; i < n; ++i) names.push_back(std::string("V") + static_cast<char>('A' + i));
  return names;
}

TruthTable TableOf(const std::string& expression) {
  ExprTree tree;
  return TruthTable::Build(ProcessExpression(expression, tree), DisplayMode::kZeroOne);
}

TruthVector VectorOf(const TruthTable& table) {
  TruthVector truth(static_cast<int>(table.Variables().size()));
  for (std::size_t w = 0; w < truth.WordCount(); ++w)
    truth.SetWord(w, EvaluateBlock(table.Program(), 64 * w));
  return truth;
}

// `text`, typed back, gives `truth` in every row; its variables are among `names`.
void ExpectTypesBackAs(const std::string& text, const TruthVector& truth,
                       const std::vector<std::string>& names) {
  const TruthTable back = TableOf(text);
  std::uint64_t used = 0;  // row bits of `truth` that the back table's variables stand for
  std::vector<int> bits;
  for (const std::string& name : back.Variables()) {
    const auto found = std::find(names.begin(), names.end(), name);
    ASSERT_NE(found, names.end()) << text;
    bits.push_back(static_cast<int>(names.end() - found) - 1);
    used |= std::uint64_t{1} << bits.back();
  }
  for (std::uint64_t row = 0; row < truth.Rows(); ++row) {
    std::uint64_t backRow = 0;
    for (int bit : bits) backRow = backRow << 1 | ((row >> bit) & 1);
    ASSERT_EQ(back.Result(backRow), truth.At(row)) << text << ", row " << row;
  }
}

std::vector<Cube> LeastSum(const TruthVector& truth) {
  Budget control(std::chrono::milliseconds(100), {});
  return MinimiseSumOfProducts(truth, control).terms;
}

TEST(FunctionFormsTest, FormsOfRandomTablesTypeBackAsTheTable) {
  std::mt19937_64 rng(25);
  for (int n = 0; n <= 12; ++n) {
    for (int trial = 0; trial < (n < 8 ? 12 : 1); ++trial) {
      TruthVector truth(n);
      const std::uint64_t density = rng() % 4;  // sparse, dense and in between
      for (std::uint64_t row = 0; row < truth.Rows(); ++row) {
        if (rng() % 4 < density || (density == 0 && rng() % 16 == 0)) truth.Set(row);
      }
      const std::vector<std::string> names = Names(n);
      const FunctionDescription description = DescribeTruthVector(truth, std::size_t{1} << n);
      ASSERT_EQ(description.anf.status, AnfStatus::kFound);
      ExpectTypesBackAs(AnfText(description.anf.monomials, names), truth, names);
      ExpectTypesBackAs(NandText(LeastSum(truth), names), truth, names);
      ExpectTypesBackAs(NorText(LeastSum(truth.Complement()), names), truth, names);
    }
  }
}

std::string Joined(const char* op, int count, const char* prefix) {
  std::string text;
  for (int i = 0; i < count; ++i) text += (i ? op : "") + std::string(prefix) + std::to_string(i);
  return text;
}

// A sum of products over x0 .. x61 in pairs (or, `product`, the dual product of sums) and x62.
std::string Pairs(bool product) {
  std::string text;
  for (int i = 0; i < 62; i += 2) {
    const std::string pair = "x" + std::to_string(i) + (product ? "+x" : "*x") + std::to_string(i + 1);
    text += product ? "(" + pair + ")*" : pair + "+";
  }
  return text + (product ? "x62" : "not(x62)");
}

TEST(FunctionFormsTest, AtSixtyThreeVariablesTheDiagramGivesFormsThatTypeBack) {
  struct Case {
    std::string expression;
    bool anf, nand, nor;
  };
  const Case cases[] = {
      {Joined("/", 63, "x") + "/1", true, false, false},
      {"(x0*x1*x2)/(x3*x60)/" + Joined("*", 63, "x"), true, false, false},
      {Pairs(false), false, true, false},
      {Pairs(true), false, false, true},
  };
  for (const Case& c : cases) {
    const TruthTable table = TableOf(c.expression);
    ASSERT_EQ(table.Variables().size(), 63u);
    const FunctionDescription description = DescribeFunction(table);
    ASSERT_EQ(description.source, DescriptionSource::kDiagram) << c.expression;
    const Analysis analysis = AnalyseTable(table);
    std::vector<std::string> texts;
    if (c.anf) {
      ASSERT_EQ(description.anf.status, AnfStatus::kFound) << c.expression;
      texts.push_back(AnfText(description.anf.monomials, table.Variables()));
    }
    if (c.nand) texts.push_back(NandText(analysis.sum.cubes, table.Variables()));
    if (c.nor) texts.push_back(NorText(analysis.product.cubes, table.Variables()));
    for (const std::string& text : texts) {
      const Comparison comparison = CompareFunctions(table.Program(), TableOf(text).Program());
      ASSERT_EQ(comparison.status, DiagramStatus::kBuilt);
      EXPECT_TRUE(comparison.equivalent) << c.expression << " as " << text.substr(0, 200);
    }
  }
}

// The properties straight from their definitions, and the algebraic normal form as the XOR of
// the rows below each row.
FunctionDescription BruteForce(const TruthVector& f) {
  const int n = f.Variables();
  const std::uint64_t rows = f.Rows();
  FunctionDescription d;
  FunctionProperties& p = d.properties;
  p.symmetric = p.selfDual = true;
  for (int b = 0; b < n; ++b) {
    const std::uint64_t bit = std::uint64_t{1} << b;
    bool differs = false, rises = false, falls = false;
    for (std::uint64_t r = 0; r < rows; ++r) {
      if (r & bit) continue;
      differs |= f.At(r) != f.At(r | bit);
      rises |= !f.At(r) && f.At(r | bit);
      falls |= f.At(r) && !f.At(r | bit);
    }
    if (differs) p.dependsOn |= bit;
    if (differs && !falls) p.increasing |= bit;
    if (differs && !rises) p.decreasing |= bit;
    for (int c = 0; c < b; ++c) {
      for (std::uint64_t r = 0; r < rows; ++r) {
        const std::uint64_t swapped = ((r >> b & 1) != (r >> c & 1)) ? r ^ bit ^ (std::uint64_t{1} << c) : r;
        p.symmetric &= f.At(r) == f.At(swapped);
      }
    }
  }
  for (std::uint64_t r = 0; r < rows; ++r) p.selfDual &= f.At(r) != f.At(rows - 1 - r);
  for (std::uint64_t mask = 0; mask < rows && !p.linear; ++mask) {
    bool same = true, opposite = true;
    for (std::uint64_t r = 0; r < rows; ++r) {
      const bool parity = std::popcount(r & mask) % 2;
      same &= f.At(r) == parity;
      opposite &= f.At(r) != parity;
    }
    p.linear = same || opposite;
  }
  p.zeroPreserving = !f.At(0);
  p.onePreserving = f.At(rows - 1);
  for (std::uint64_t u = 0; u < rows; ++u) {
    bool sum = false;
    for (std::uint64_t x = 0; x < rows; ++x) sum ^= (x & ~u) == 0 && f.At(x);
    if (sum) d.anf.monomials.push_back(u);
  }
  return d;
}

TEST(FunctionFormsTest, PropertiesAndProductsFromRowsAndDiagramAgreeWithTheDefinitions) {
  std::vector<std::string> expressions = {"0",
                                          "1",
                                          "a",
                                          "not(a)",
                                          "a*b+b*c+a*c",
                                          "a/b/c/d",
                                          "not(a/b)",
                                          "a*b*c+not(a)*not(b)*not(c)",
                                          "a*not(b)",
                                          "a+b+not(c)",
                                          "a*(b+c)+b*c*d",
                                          "not(a)*b+a*c"};
  std::mt19937_64 rng(8);
  for (int trial = 0; trial < 120; ++trial) {
    std::string text = "v0";
    const int n = 1 + trial % 8;
    for (int node = 0; node < 3 + trial % 12; ++node) {
      const std::string leaf = "v" + std::to_string(rng() % n);
      const char* ops[] = {"+", "*", "/"};
      text = rng() % 5 == 0 ? "not(" + text + ")" : "(" + text + ops[rng() % 3] + leaf + ")";
    }
    expressions.push_back(text);
  }
  for (const std::string& expression : expressions) {
    const TruthTable table = TableOf(expression);
    const FunctionDescription expected = BruteForce(VectorOf(table));
    DescribeOptions rows, diagram;
    diagram.maxRowVariables = 0;
    for (const DescribeOptions& options : {rows, diagram}) {
      FunctionDescription got = DescribeFunction(table, options);
      EXPECT_EQ(got.properties, expected.properties) << expression;
      std::sort(got.anf.monomials.begin(), got.anf.monomials.end());
      EXPECT_EQ(got.anf.monomials, expected.anf.monomials) << expression;
    }
  }
}

std::string Item(const std::vector<AnalysisItem>& items, const std::string& label) {
  for (const AnalysisItem& item : items) {
    if (ItemLabel(item.kind) == label) return item.value;
  }
  return "(no item " + label + ")";
}

TEST(FunctionFormsTest, ItemsSayWhatIsNotComputedAndWhy) {
  const TruthTable small = TableOf("a*b+c");
  const std::vector<AnalysisItem> items = FunctionItems(AnalyseTable(small), DescribeFunction(small));
  EXPECT_EQ(Item(items, "Function number:"), "234");
  EXPECT_EQ(Item(items, "Canonical sum:"), "\u03a3m(1, 3, 5, 6, 7)");
  EXPECT_EQ(Item(items, "Algebraic normal form:"), "C/(A*B)/(A*B*C)");
  EXPECT_EQ(Item(items, "Monotone increasing in:"), "A, B, C");

  const TruthTable wide = TableOf(Joined("+", 20, "x") + "+y*z");
  AnalysisOptions listed;
  listed.maxListedRows = 2;
  const std::vector<AnalysisItem> large = FunctionItems(AnalyseTable(wide, listed), DescribeFunction(wide));
  EXPECT_EQ(Item(large, "Function number:"), "not computed: more than 6 variables");
  EXPECT_EQ(Item(large, "Canonical product:"), "\u03a0M(0, 1, ... (1 more))");
  EXPECT_EQ(Item(large, "Algebraic normal form:"), "not computed: 2,097,151 terms, more than 1,000");
  EXPECT_EQ(Item(large, "Depends on:").substr(0, 10), "X0, X1, X1");

  const FunctionDescription stopped = DescribeFunction(
      wide, {}, Budget(Budget::kNoLimit, [](std::uint64_t, std::uint64_t) { return false; }));
  EXPECT_EQ(Item(FunctionItems(AnalyseTable(wide, listed), stopped), "Symmetric:"), "not computed: stopped");
}

}  // namespace
}  // namespace brevano
