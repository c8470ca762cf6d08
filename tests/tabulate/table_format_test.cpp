// The text formats of a table, compared in full, and the streaming writer against row-by-row text.
#include "tabulate/table_format.h"

#include <gtest/gtest.h>

#include <random>

#include "engine/engine_error.h"
#include "pipeline/pipeline.h"
#include "tests/support/random_listing.h"

namespace brevano {
namespace {

std::string Written(const TruthTable& table, TableFormat format, std::size_t chunkBytes = 1 << 18) {
  std::string out;
  EXPECT_TRUE(WriteTable(
      table, format,
      [&](std::string_view chunk) {
        out += chunk;
        return true;
      },
      chunkBytes));
  return out;
}

TruthTable TableOf(const std::string& expression, DisplayMode mode) {
  ExprTree tree;
  return TruthTable::Build(ProcessExpression(expression, tree), mode);
}

struct FormatCase {
  const char* name;
  TableFormat format;
  DisplayMode mode;
  const char* text;
};

class WholeTable : public ::testing::TestWithParam<FormatCase> {};

TEST_P(WholeTable, IsWrittenSo) {
  const FormatCase& c = GetParam();
  const TruthTable table = TableOf("not(a+b)", c.mode);
  EXPECT_EQ(Written(table, c.format), c.text);
  EXPECT_EQ(Written(table, c.format, 1), c.text);
}

INSTANTIATE_TEST_SUITE_P(
    Formats, WholeTable,
    ::testing::Values(
        FormatCase{"Tsv", TableFormat::kTsv, DisplayMode::kZeroOne,
                   "A\tB\tResult\n0\t0\t1\n0\t1\t0\n1\t0\t0\n1\t1\t0\n"},
        FormatCase{"TsvFalseTrue", TableFormat::kTsv, DisplayMode::kFalseTrue,
                   "A\tB\tResult\nF\tF\tT\nF\tT\tF\nT\tF\tF\nT\tT\tF\n"},
        FormatCase{"Csv", TableFormat::kCsv, DisplayMode::kZeroOne,
                   "A,B,Result\r\n0,0,1\r\n0,1,0\r\n1,0,0\r\n1,1,0\r\n"},
        FormatCase{"Markdown", TableFormat::kMarkdown, DisplayMode::kZeroOne,
                   "| A | B | Result |\n|---|---|---|\n| 0 | 0 | 1 |\n| 0 | 1 | 0 |\n| 1 | 0 | 0 |\n| 1 | 1 "
                   "| 0 |\n"},
        FormatCase{"Latex", TableFormat::kLatex, DisplayMode::kFalseTrue,
                   "\\begin{tabular}{ccc}\nA & B & Result \\\\\n\\hline\nF & F & T \\\\\nF & T & F \\\\\n"
                   "T & F & F \\\\\nT & T & F \\\\\n\\end{tabular}\n"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(WholeTable, WithoutVariablesHasTheResultColumnAlone) {
  const TruthTable table = TableOf("not(0)", DisplayMode::kZeroOne);
  EXPECT_EQ(Written(table, TableFormat::kTsv), "Result\n1\n");
  EXPECT_EQ(Written(table, TableFormat::kMarkdown), "| Result |\n|---|\n| 1 |\n");
}

struct CaptionCase {
  const char* name;
  TableFormat format;
  const char* variable;  // a listing line, already upper-case
  const char* header;
};

class Caption : public ::testing::TestWithParam<CaptionCase> {};

TEST_P(Caption, IsEscaped) {
  const CaptionCase& c = GetParam();
  EXPECT_EQ(FormatTableHeader(TruthTable::Build({c.variable}, DisplayMode::kZeroOne), c.format), c.header);
}

INSTANTIATE_TEST_SUITE_P(
    Formats, Caption,
    ::testing::Values(
        CaptionCase{"TsvControls", TableFormat::kTsv, "X\tY\nZ\rW", "X\\tY\\nZ\\rW\tResult\n"},
        CaptionCase{"CsvComma", TableFormat::kCsv, "X,Y", "\"X,Y\",Result\r\n"},
        CaptionCase{"CsvQuote", TableFormat::kCsv, "X\"Y", "\"X\"\"Y\",Result\r\n"},
        CaptionCase{"CsvLineBreak", TableFormat::kCsv, "X\nY", "\"X\nY\",Result\r\n"},
        CaptionCase{"MarkdownPipeAndMarkup", TableFormat::kMarkdown, "X|Y_Z`[W]\\",
                    "| X\\|Y\\_Z\\`\\[W\\]\\\\ | Result |\n|---|---|\n"},
        CaptionCase{"MarkdownLineBreak", TableFormat::kMarkdown, "X\nY", "| X Y | Result |\n|---|---|\n"},
        CaptionCase{"LatexSpecials", TableFormat::kLatex, "\\_#$%{}~X",
                    "\\begin{tabular}{cc}\n\\textbackslash{}\\_\\#\\$\\%\\{\\}\\textasciitilde{}X & Result "
                    "\\\\\n\\hline\n"},
        CaptionCase{"LatexColon", TableFormat::kLatex, ":",
                    "\\begin{tabular}{cc}\n: & Result \\\\\n\\hline\n"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(StreamedTable, EqualsTheRowsOneByOne) {
  std::mt19937_64 rng(3);
  for (int i = 0; i < 300; ++i) {
    const int variables = std::uniform_int_distribution<int>(0, 12)(rng);
    const Listing listing = testing::RandomTreeListing(rng, variables, 25);
    TruthTable table;
    try {
      table = TruthTable::Build(listing, rng() % 2 ? DisplayMode::kZeroOne : DisplayMode::kFalseTrue);
    } catch (const EngineError&) {
      continue;
    }
    for (TableFormat format :
         {TableFormat::kTsv, TableFormat::kCsv, TableFormat::kMarkdown, TableFormat::kLatex}) {
      std::string expected = FormatTableHeader(table, format);
      for (std::uint64_t row = 0; row < table.RowCount(); ++row)
        expected += FormatTableRow(table, format, row);
      expected += FormatTableFooter(format);
      const std::size_t chunk = std::size_t{1} << std::uniform_int_distribution<int>(0, 16)(rng);
      ASSERT_EQ(Written(table, format, chunk), expected)
          << ::testing::PrintToString(listing) << " chunk " << chunk;
      ASSERT_EQ(TableTextBytes(table, format), expected.size()) << ::testing::PrintToString(listing);
    }
  }
}

TEST(TextBytes, OfHugeTablesAreExactOrSaturate) {
  std::string forty = "a0";
  for (int i = 1; i < 40; ++i) forty += "+a" + std::to_string(i);
  const TruthTable table = TableOf(forty, DisplayMode::kZeroOne);
  // 40 cells of "0\t" and the result with its line end, per row.
  EXPECT_EQ(TableTextBytes(table, TableFormat::kTsv),
            FormatTableHeader(table, TableFormat::kTsv).size() + (std::uint64_t{1} << 40) * 82);
  const TruthTable widest = TableOf(
      forty + "+b0+b1+b2+b3+b4+b5+b6+b7+b8+b9+c0+c1+c2+c3+c4+c5+c6+c7+c8+c9+d0+d1+d2", DisplayMode::kZeroOne);
  ASSERT_EQ(widest.Variables().size(), 63u);
  EXPECT_EQ(TableTextBytes(widest, TableFormat::kLatex), ~std::uint64_t{0});
}

TEST(StreamedTable, StopsWhenTheSinkSaysSo) {
  const TruthTable table = TableOf("a+b+c+d+e+f+g+h", DisplayMode::kZeroOne);
  int calls = 0;
  EXPECT_FALSE(WriteTable(
      table, TableFormat::kTsv, [&](std::string_view) { return ++calls < 2; }, 1));
  EXPECT_EQ(calls, 2);
}

}  // namespace
}  // namespace brevano
