// The analysis of tables built from expressions: the round trip of the least forms through the
// pipeline, known answers, the listing limit and the report's texts.
#include "analysis/analysis.h"

#include <gtest/gtest.h>

#include <random>

#include "engine/engine_error.h"
#include "forms/boolean_form.h"
#include "pipeline/pipeline.h"
#include "tests/support/random_listing.h"

namespace brevano {
namespace {

TruthTable TableOf(const std::string& expression) {
  ExprTree tree;
  return TruthTable::Build(ProcessExpression(expression, tree), DisplayMode::kZeroOne);
}

// The function of `text`, typed back, equals the Result column of `table`: its variables are
// among the table's, and every row of the table gives the same result.
void ExpectSameFunction(const TruthTable& table, const std::string& text) {
  const TruthTable back = TableOf(text);
  const std::vector<std::string>& variables = table.Variables();
  std::vector<int> source;  // for each variable of `back`, its column in `table`
  for (const std::string& name : back.Variables()) {
    const auto found = std::find(variables.begin(), variables.end(), name);
    ASSERT_NE(found, variables.end()) << text << " names " << name;
    source.push_back(static_cast<int>(found - variables.begin()));
  }
  const int count = static_cast<int>(source.size());
  for (std::uint64_t row = 0; row < table.RowCount(); ++row) {
    std::uint64_t backRow = 0;
    for (int i = 0; i < count; ++i)
      backRow = backRow << 1 | static_cast<std::uint64_t>(table.VariableValue(row, source[i]));
    ASSERT_EQ(back.Result(backRow), table.Result(row)) << text << ", row " << row;
  }
}

// A random expression over +, *, /, not(...), 0, 1 and up to `variables` letters in either case.
std::string RandomExpression(std::mt19937_64& rng, int variables, int depth) {
  const int kind = depth == 0 ? static_cast<int>(rng() % 2) : static_cast<int>(rng() % 6);
  if (kind == 0) {
    const char letter = static_cast<char>((rng() % 2 ? 'a' : 'A') + rng() % variables);
    return std::string(1, letter);
  }
  if (kind == 1)
    return rng() % 8 == 0 ? std::string(rng() % 2 ? "1" : "0") : std::string(1, 'a' + rng() % variables);
  if (kind == 2) return "not(" + RandomExpression(rng, variables, depth - 1) + ")";
  static constexpr char kOperators[] = {'+', '*', '/'};
  return "(" + RandomExpression(rng, variables, depth - 1) + kOperators[rng() % 3] +
         RandomExpression(rng, variables, depth - 1) + ")";
}

std::string Item(const Analysis& analysis, const std::string& label) {
  for (const AnalysisItem& item : AnalysisItems(analysis)) {
    if (ItemLabel(item.kind) == label) return item.value;
  }
  return "(no item " + label + ")";
}

TEST(AnalysisTest, LeastFormsTypedBackGiveTheSameResults) {
  std::mt19937_64 rng(21);
  for (int trial = 0; trial < 300; ++trial) {
    const std::string expression = RandomExpression(rng, 1 + trial % 7, 2 + trial % 4);
    const TruthTable table = TableOf(expression);
    const Analysis analysis = AnalyseTable(table);
    ASSERT_TRUE(analysis.complete) << expression;
    EXPECT_EQ(analysis.sum.status, MinimiseStatus::kExact) << expression;
    EXPECT_EQ(analysis.product.status, MinimiseStatus::kExact) << expression;
    ExpectSameFunction(table, analysis.sum.expression);
    ExpectSameFunction(table, analysis.product.expression);
  }
}

TEST(AnalysisTest, TwelveVariablesRoundTrip) {
  const TruthTable table = TableOf("a*b*not(c)+d/e/f+g*not(h+i)+j*k*l+not(a)*not(l)*e");
  ASSERT_EQ(table.Variables().size(), 12u);
  const Analysis analysis = AnalyseTable(table);
  ASSERT_TRUE(analysis.complete);
  ExpectSameFunction(table, analysis.sum.expression);
  ExpectSameFunction(table, analysis.product.expression);
}

struct KnownCase {
  const char* expression;
  const char* rows;
  const char* verdict;
  const char* minterms;
  const char* maxterms;
  const char* sum;
  const char* product;
};

TEST(AnalysisTest, KnownAnswers) {
  const KnownCase cases[] = {
      {"1", "1 of 1", "always 1", "0", "none", "1", "1"},
      {"not(0)", "1 of 1", "always 1", "0", "none", "1", "1"},
      {"a*0", "0 of 1", "always 0", "none", "0", "0", "0"},
      {"a+not(a)", "2 of 2", "always 1", "0, 1", "none", "1", "1"},
      {"not(a+b)", "1 of 4", "depends on the variables", "0", "1, 2, 3", "not(A)*not(B)", "not(A)*not(B)"},
      {"a/b/c", "4 of 8", "depends on the variables", "1, 2, 4, 7", "0, 3, 5, 6",
       "not(A)*not(B)*C+not(A)*B*not(C)+A*not(B)*not(C)+A*B*C",
       "(A+B+C)*(A+not(B)+not(C))*(not(A)+B+not(C))*(not(A)+not(B)+C)"},
      {"not(a)*b+a*c", "4 of 8", "depends on the variables", "2, 3, 5, 7", "0, 1, 4, 6", "not(A)*B+A*C",
       "(A+B)*(not(A)+C)"},
      {"a+b*c", "5 of 8", "depends on the variables", "3, 4, 5, 6, 7", "0, 1, 2", "A+B*C", "(A+B)*(A+C)"},
      {"a-b", "2 of 4", "depends on the variables", "1, 3", "0, 2", "B", "B"},
      {"b10*a2+a10", "5 of 8", "depends on the variables", "3, 4, 5, 6, 7", "0, 1, 2", "A10+A2*B10",
       "(A10+A2)*(A10+B10)"},
  };
  for (const KnownCase& known : cases) {
    const Analysis analysis = AnalyseTable(TableOf(known.expression));
    SCOPED_TRACE(known.expression);
    EXPECT_EQ(Item(analysis, "Rows with Result 1:"), known.rows);
    EXPECT_EQ(Item(analysis, "Verdict:"), known.verdict);
    EXPECT_EQ(Item(analysis, "Minterms:"), known.minterms);
    EXPECT_EQ(Item(analysis, "Maxterms:"), known.maxterms);
    EXPECT_EQ(Item(analysis, "Minimal sum of products:"), known.sum);
    EXPECT_EQ(Item(analysis, "Minimal product of sums:"), known.product);
  }
}

// Σm(1,3,7,11,15) + d(0,2,5): the textbook's answers, and don't-cares over variables of their own.
TEST(AnalysisTest, DontCares) {
  struct Case {
    const char* expression;
    const char* dontCare;
    const char* rows;
    const char* verdict;
    const char* minterms;
    const char* dontCares;
    const char* sum;
    const char* product;
  };
  const Case cases[] = {
      {"not(a)*not(b)*d+not(a)*b*c*d+c*d", "not(a)*not(b)*not(d)+not(a)*b*not(c)*d", "5 of 16, 3 don't-care",
       "depends on the variables", "1, 3, 7, 11, 15", "0, 2, 5", "not(A)*not(B)+C*D", "(not(A)+C)*D"},
      {"a", "x", "1 of 4, 2 don't-care", "depends on the variables", "2", "1, 3", "A", "A"},
      {"a*b", "a*not(b)", "1 of 4, 1 don't-care", "depends on the variables", "3", "2", "A", "A"},
      {"a", "not(a)", "1 of 2, 1 don't-care", "always 1", "1", "0", "1", "1"},
      {"a", "1", "0 of 2, 2 don't-care", "always 0", "none", "0, 1", "0", "1"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.expression) + " with don't-cares " + c.dontCare);
    const TruthTable dontCare = TableOf(c.dontCare);
    const Analysis analysis = AnalyseTable(FunctionOfTables(TableOf(c.expression), &dontCare));
    ASSERT_TRUE(analysis.complete);
    EXPECT_EQ(Item(analysis, "Rows with Result 1:"), c.rows);
    EXPECT_EQ(Item(analysis, "Verdict:"), c.verdict);
    EXPECT_EQ(Item(analysis, "Minterms:"), c.minterms);
    EXPECT_EQ(Item(analysis, "Don't-cares:"), c.dontCares);
    EXPECT_EQ(Item(analysis, "Minimal sum of products:"), c.sum);
    EXPECT_EQ(Item(analysis, "Minimal product of sums:"), c.product);
  }
  std::string wide = "a0";
  for (int i = 1; i < 40; ++i) wide += "+a" + std::to_string(i);
  std::string other = "b0";
  for (int i = 1; i < 30; ++i) other += "+b" + std::to_string(i);
  const TruthTable tooMany = TableOf(other);
  EXPECT_THROW(AnalyseTable(FunctionOfTables(TableOf(wide), &tooMany)), EngineError);
}

TEST(AnalysisTest, ItemsComeInOrderWithTheirLabels) {
  const std::vector<AnalysisItem> items = AnalysisItems(AnalyseTable(TableOf("a")));
  const std::vector<std::string> labels = {
      "Rows with Result 1:",     "Verdict:", "Minterms:", "Maxterms:", "Minimal sum of products:",
      "Minimal product of sums:"};
  ASSERT_EQ(items.size(), labels.size());
  for (std::size_t i = 0; i < labels.size(); ++i) EXPECT_EQ(ItemLabel(items[i].kind), labels[i]);
}

TEST(AnalysisTest, ListingStopsAtTheLimitAndCountsTheRest) {
  AnalysisOptions options;
  options.maxListedRows = 3;
  const Analysis analysis = AnalyseTable(TableOf("a+b+c"), options);
  EXPECT_EQ(Item(analysis, "Minterms:"), "1, 2, 3, ... (4 more)");
  EXPECT_EQ(Item(analysis, "Maxterms:"), "0");
  EXPECT_EQ(analysis.minterms.total, 7u);
}

TEST(AnalysisTest, BeyondTheMinimisingLimitTheDiagramCountsListsAndTheFewPrimesGiveExactForms) {
  std::string expression = "a0";
  for (int i = 1; i <= kMaxMinimiseVariables; ++i) expression += "*a" + std::to_string(i);
  AnalysisOptions options;
  options.maxListedRows = 2;
  const Analysis analysis = AnalyseTable(TableOf(expression), options);
  ASSERT_TRUE(analysis.complete);
  const std::uint64_t rows = std::uint64_t{1} << (kMaxMinimiseVariables + 1);
  EXPECT_EQ(Item(analysis, "Rows with Result 1:"), "1 of " + std::to_string(rows));
  EXPECT_EQ(Item(analysis, "Minterms:"), std::to_string(rows - 1));
  EXPECT_EQ(Item(analysis, "Maxterms:"), "0, 1, ... (" + std::to_string(rows - 3) + " more)");
  // One product is its function's only cover of one term: nothing is left to prove.
  EXPECT_EQ(Item(analysis, "Minimal sum of products:"),
            "A0*A1*A10*A11*A12*A13*A14*A15*A16*A2*A3*A4*A5*A6*A7*A8*A9");
}

// Large tables: from the diagram, or row by row without forms when it is too complex.
TEST(AnalysisTest, LargeTablesAndTheirLimits) {
  auto joined = [](const char* separator, int count) {
    std::string text = "x10";
    for (int i = 1; i < count; ++i) text += separator + ("x" + std::to_string(10 + i));
    return text;
  };
  std::string tangled;  // 40 random products of four of 24 variables: over 1,000 nodes in any order
  std::mt19937_64 rng(7);
  for (int t = 0; t < 40; ++t) {
    tangled += t ? "+" : "";
    for (int f = 0; f < 4; ++f) {
      const std::string name(1, static_cast<char>('a' + rng() % 24));
      tangled += (f ? "*" : "") + (rng() % 2 ? name : "not(" + name + ")");
    }
  }
  AnalysisOptions small;
  small.diagramLimits.maxNodes = 1000;
  AnalysisOptions noCubes = small;  // and not taken as a sum of products
  noCubes.maxFunctionCubes = 0;
  struct Case {
    std::string expression;
    AnalysisOptions options;
    const char* rows;
    const char* sum;
    const char* product;
  };
  const Case cases[] = {
      {joined("+", 63), {}, "9223372036854775807 of 9223372036854775808", nullptr, nullptr},
      {joined("/", 20),
       {},
       "524288 of 1048576",
       "not computed: more than 1,000 terms",
       "not computed: more than 1,000 terms"},
      {tangled, noCubes, "15310694 of 16777216", "not computed: too complex for exact analysis",
       "not computed: too complex for exact analysis"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.expression.substr(0, 40));
    const Analysis analysis = AnalyseTable(TableOf(c.expression), c.options);
    EXPECT_TRUE(analysis.complete);
    EXPECT_EQ(Item(analysis, "Rows with Result 1:"), c.rows);
    if (c.sum) {
      EXPECT_EQ(Item(analysis, "Minimal sum of products:"), c.sum);
      EXPECT_EQ(Item(analysis, "Minimal product of sums:"), c.product);
    } else {
      EXPECT_EQ(analysis.sum.status, MinimiseStatus::kExact);
      EXPECT_EQ(analysis.sum.cubes.size(), 63u);
      EXPECT_EQ(analysis.product.cubes.size(), 1u);
    }
  }
  // Too complex and too many variables to scan: nothing is counted; the solver finds the verdict
  // and the first and last rows of each kind.
  AnalysisOptions strict = noCubes;
  strict.maxScannedVariables = 16;
  const Analysis refused = AnalyseTable(TableOf(tangled), strict);
  EXPECT_FALSE(refused.rowsComplete);
  EXPECT_TRUE(refused.complete);
  EXPECT_EQ(Item(refused, "Rows with Result 1:"), "not computed: too complex for exact analysis");
  EXPECT_EQ(Item(refused, "Verdict:"), "depends on the variables");
  EXPECT_EQ(Item(refused, "Minterms:"),
            "first 0, last 16777215 (the others not computed: too complex for exact analysis)");
  EXPECT_EQ(Item(refused, "Maxterms:"),
            "first 276, last 16777178 (the others not computed: too complex for exact analysis)");
  // When the solver finds the Result constant, or one row apart, everything follows.
  const Analysis constant = AnalyseTable(TableOf(tangled + "+not(" + tangled + ")"), strict);
  EXPECT_EQ(Item(constant, "Rows with Result 1:"), "16777216 of 16777216");
  EXPECT_EQ(Item(constant, "Minimal product of sums:"), "1");
  std::string row276 = "not(" + tangled + ")";  // the first row where `tangled` is 0, alone
  for (int v = 0; v < 24; ++v) {
    const std::string name(1, static_cast<char>('a' + v));
    row276 += "*" + ((276 >> (23 - v)) & 1 ? name : "not(" + name + ")");
  }
  const Analysis single = AnalyseTable(TableOf(row276), strict);
  EXPECT_TRUE(constant.tooComplex && single.tooComplex);
  EXPECT_EQ(Item(single, "Rows with Result 1:"), "1 of 16777216");
  EXPECT_EQ(Item(single, "Minterms:"), "276");
  EXPECT_EQ(Item(single, "Maxterms:").substr(0, 10), "0, 1, 2, 3");
}

// A sum of products too complex for its diagram: counted and listed from its terms, its sum of
// products improved from them.
TEST(AnalysisTest, ASumTooComplexForItsDiagramIsAnalysedFromItsTerms) {
  const std::string tangled = testing::TangledLetterProducts();
  AnalysisOptions small;
  small.diagramLimits.maxNodes = 1000;
  small.maxListedRows = 3;
  small.minimiseBudget = std::chrono::seconds(1);
  small.product = false;
  const Analysis analysis = AnalyseTable(TableOf(tangled), small);
  EXPECT_TRUE(analysis.tooComplex && analysis.complete);
  EXPECT_EQ(Item(analysis, "Rows with Result 1:"), "15310694 of 16777216");
  EXPECT_EQ(Item(analysis, "Minterms:"), "0, 1, 2, ... (15310691 more)");
  EXPECT_EQ(Item(analysis, "Maxterms:"), "276, 278, 284, ... (1466519 more)");
  EXPECT_EQ(analysis.sum.source, FormSource::kImproved);
  EXPECT_LE(analysis.sum.cubes.size(), 40u);
  const TruthTable table = TableOf(tangled), sum = TableOf(analysis.sum.expression);
  std::mt19937_64 rng(7);
  for (int sample = 0; sample < 100000; ++sample) {
    const std::uint64_t row = rng() % table.RowCount();
    ASSERT_EQ(sum.Result(row), table.Result(row)) << "row " << row;
  }
}

// The listing of the sum of the minterms of `rows` over the variables V0 .. V(n-1).
Listing MintermListing(const std::vector<std::uint64_t>& rows, int n) {
  Listing listing;
  for (std::size_t t = 0; t < rows.size(); ++t) {
    if (t + 1 < rows.size()) listing.push_back("+ @F");
    for (int v = 0; v < n; ++v) {
      if (v + 1 < n) listing.push_back("* @F");
      if (((rows[t] >> (n - 1 - v)) & 1) == 0) listing.push_back("NOT @F");
      listing.push_back("V" + std::to_string(v));
    }
  }
  return listing;
}

// When the exact search gives up (a random table with three rows in four 1 outruns any budget,
// here none), the form is still correct: the irredundant cover or the search's own, whichever is
// smaller.
TEST(AnalysisTest, AnExactSearchOutOfTimeFallsBackToACorrectForm) {
  std::mt19937_64 rng(3);
  std::vector<std::uint64_t> rows;
  for (std::uint64_t row = 0; row < 1024; ++row) {
    if (rng() % 4 != 0) rows.push_back(row);
  }
  const TruthTable table = TruthTable::Build(MintermListing(rows, 10), DisplayMode::kZeroOne);
  AnalysisOptions options;
  options.minimiseBudget = std::chrono::milliseconds(0);
  const Analysis analysis = AnalyseTable(table, options);
  ASSERT_TRUE(analysis.complete);
  EXPECT_EQ(analysis.sum.status, MinimiseStatus::kHeuristic);
  ExpectSameFunction(table, analysis.sum.expression);
  ExpectSameFunction(table, analysis.product.expression);
}

TEST(AnalysisTest, VariablesThatCannotBeTypedBackAreMarked) {
  // The stray parenthesis stays in the leaf, which is a variable of its own that typed into an
  // expression would change its grouping.
  const Analysis analysis = AnalyseTable(TableOf("a*)b"));
  EXPECT_FALSE(analysis.sum.typable);
  EXPECT_EQ(analysis.sum.untypableVariable, ")B");
  EXPECT_EQ(Item(analysis, "Minimal sum of products:"),
            ")B*A (not expressible: the variable \")B\" cannot be typed back)");
  EXPECT_TRUE(AnalyseTable(TableOf("x$")).sum.typable);
}

TEST(AnalysisTest, TypableNames) {
  for (const char* name : {"A", "A10", "X_1", "NOT", "A.B"}) EXPECT_TRUE(CanBeTypedBack(name)) << name;
  for (const char* name : {"", "M @A", "A+B", "(A)", "2", "1.5", "A;B", "X[1]"}) {
    EXPECT_FALSE(CanBeTypedBack(name)) << name;
  }
}

// Terms are cubes over the bits D=0, C=1, B=2, A=3 of a row.
TEST(AnalysisTest, MarksOfUnprovenForms) {
  Analysis analysis;
  analysis.rowsComplete = analysis.complete = true;
  analysis.sum.status = MinimiseStatus::kHeuristic;
  analysis.sum.expression = "A*B+C*D";
  analysis.sum.cubes = {{0b1100, 0b1100}, {0b0011, 0b0011}};
  analysis.product.status = MinimiseStatus::kFewestTerms;
  analysis.product.expression = "(A+B)*(C+D)";
  analysis.product.cubes = {{0b1100, 0}, {0b0011, 0}};
  EXPECT_EQ(Item(analysis, "Minimal sum of products:"), "A*B+C*D (heuristic, not proven minimal)");
  EXPECT_EQ(Item(analysis, "Minimal product of sums:"),
            "(A+B)*(C+D) (fewest terms; fewest literals not proven)");
  analysis.sum.status = MinimiseStatus::kStopped;
  EXPECT_EQ(Item(analysis, "Minimal sum of products:"), "not computed: stopped");

  // Least by their shape: no mark, whatever search found them.
  const std::pair<std::vector<Cube>, bool> shapes[] = {
      {{}, true},                                                 // 0
      {{{0, 0}}, true},                                           // 1
      {{{0b1010, 0b1000}}, true},                                 // one product
      {{{0b1000, 0b1000}, {0b0100, 0}, {0b0001, 0b0001}}, true},  // literals of distinct variables
      {{{0b1000, 0b1000}, {0b1000, 0}}, false},                   // A+not(A), which is 1
      {{{0b1100, 0b1100}, {0b0001, 0b0001}}, false},
  };
  for (const auto& [cubes, trivial] : shapes) {
    MinimalForm form;
    form.source = FormSource::kIrredundant;
    form.cubes = cubes;
    EXPECT_EQ(TriviallyMinimal(form), trivial) << cubes.size();
  }
}

TEST(AnalysisTest, StoppingDuringMinimisationLeavesItIncomplete) {
  const Budget stop(Budget::kNoLimit, [&stop](std::uint64_t, std::uint64_t) {
    return static_cast<AnalysisStage>(stop.Stage()) != AnalysisStage::kSumOfProducts;
  });
  const Analysis analysis = AnalyseTable(TableOf("a*b+c"), {}, stop);
  EXPECT_FALSE(analysis.complete);
  EXPECT_EQ(Item(analysis, "Rows with Result 1:"), "5 of 8");
  EXPECT_EQ(Item(analysis, "Minimal sum of products:"), "not computed: stopped");
  EXPECT_EQ(Item(analysis, "Minimal product of sums:"), "not computed: stopped");
}

TEST(AnalysisTest, PartsAreHandedOnAsSoonAsTheyAreFinal) {
  std::vector<std::string> seen;  // for each call: the counts, then the sum and the product
  const AnalysisPartial partial = [&seen](const Analysis& sofar) {
    seen.push_back(Item(sofar, "Rows with Result 1:") + " | " + Item(sofar, "Minimal sum of products:") +
                   " | " + Item(sofar, "Minimal product of sums:"));
  };
  AnalyseTable(TableOf("a*b+c"), {}, {}, partial);
  EXPECT_EQ(seen, (std::vector<std::string>{"5 of 8 | not computed: stopped | not computed: stopped",
                                            "5 of 8 | A*B+C | not computed: stopped"}));
}

TEST(AnalysisTest, AnEmptyTableHasNoAnalysis) {
  const Analysis analysis = AnalyseTable(TruthTable());
  EXPECT_FALSE(analysis.complete);
  EXPECT_EQ(analysis.rowCount, 0u);
  EXPECT_EQ(Item(analysis, "Verdict:"), "not computed: stopped");
}

}  // namespace
}  // namespace brevano
