// PLA and table files read back into functions: the types' meanings row by row, terms across
// lines, don't-cares, the names, and bad files refused with their line.
#include "plafile/function_file.h"

#include <gtest/gtest.h>

#include "engine/engine_error.h"

namespace brevano {
namespace {

// The rows of output `output` as a string of '0', '1' and '-', row 0 first.
std::string RowsOf(const FunctionFile& file, std::size_t output = 0) {
  const TableFunction tables = TablesOfOutput(file, output);
  std::string rows;
  for (std::uint64_t row = 0; row < tables.on.RowCount(); ++row) {
    const bool dontCare = tables.dontCare && tables.dontCare->Result(row);
    rows += dontCare ? '-' : tables.on.Result(row) ? '1' : '0';
  }
  return rows;
}

// The same from the file's function made directly from its cubes, point by point.
std::string FunctionRowsOf(const FunctionFile& file, int output = 0) {
  const BooleanFunction function = FunctionOfFile(file);
  const int n = function.InputCount();
  auto holds = [&](const CubeCover& cover, std::uint64_t row) {
    for (const MultiCube& cube : cover) {
      bool inside = cube.HasOutput(output);
      for (int i = 0; i < n && inside; ++i) {
        const Literal value = cube.Input(i);
        inside = value == Literal::kFree || (value == Literal::kOne) == (((row >> (n - 1 - i)) & 1) != 0);
      }
      if (inside) return true;
    }
    return false;
  };
  std::string rows;
  for (std::uint64_t row = 0; row < (std::uint64_t{1} << n); ++row)
    rows += holds(function.dontCare, row) ? '-' : holds(function.on, row) ? '1' : '0';
  return rows;
}

TEST(PlaFileTest, TypesTermsAndNames) {
  struct Case {
    const char* text;
    const char* rows;  // of the first output, over A B (or the names given), row 0 first
  };
  const Case cases[] = {
      {".i 2\n.o 1\n11 1\n0- 1\n.e\n", "1101"},
      {".i 2\n.o 1\n.type f\n11 1\n10 -\n00 0\n", "0001"},                    // f: '-' and '0' mean nothing
      {".i 2\n.o 1\n11 1\n1- -\n", "00--"},                                   // fd (the default): '-' wins
      {".i 2\n.o 1\n.type r\n11 0\n", "1110"},                                // r: the 0 terms, the rest 1
      {".i 2\n.o 1\n.type fr\n11 1\n00 0\n", "0--1"},                         // fr: the rest is don't-care
      {".i 2\n.o 1\n.type dr\n11 -\n00 0\n", "011-"},                         // dr: the rest is 1
      {".i 2\n.o 1\n.type fdr\n11 1\n01 -\n00 0\n", "0--1"},                  // fdr
      {".i 2 # two inputs\n.o 1\n# a comment\n1\n1\n\n  1\n.p 1\n", "0001"},  // a term over lines
      {".i 2\n.o 2\n11|1~\n0-|~1\n", "0001"},                                 // "|" and "~"
      {".i 2\n.o 1\n.ilb b a\n10 1\n", "0100"},                               // B=1 A=0 is row 1 of A B
      {".i 2\n.o 1\n.ilb x y\n2- 4\n", "1111"},                               // 2 and 4 for - and 1
      {".i 0\n.o 1\n1\n", "1"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    EXPECT_EQ(RowsOf(ReadPla(c.text)), c.rows);
    if (std::string(c.text).find(".ilb b a") == std::string::npos) {  // FunctionOfFile keeps the file's order
      EXPECT_EQ(FunctionRowsOf(ReadPla(c.text)), c.rows);
    }
  }
  const FunctionFile two = ReadPla(".i 3\n.o 2\n.ilb p q r\n.ob hi lo\n1-1 10\n0-0 01\n");
  EXPECT_EQ(two.inputs, (std::vector<std::string>{"p", "q", "r"}));
  EXPECT_EQ(RowsOf(two, ChooseOutput(two, "lo")), "10100000");
  EXPECT_EQ(ChooseOutput(two, "HI"), 0u);
  EXPECT_EQ(ChooseOutput(two, "2"), 1u);
  EXPECT_THROW(ChooseOutput(two, ""), EngineError);
  EXPECT_THROW(ChooseOutput(two, "3"), EngineError);
  EXPECT_EQ(ReadPla(".i 30\n.o 1\n.p 0\n").inputs[29], "X30");
  EXPECT_EQ(FunctionRowsOf(two, 1), "10100000");
  EXPECT_EQ(FunctionRowsOf(ReadTableFile("A\tB\tResult\n0\t0\t0\n0\t1\t1\n1\t0\t-\n")), "01--");
}

TEST(PlaFileTest, WideFilesAreCubesOnly) {
  std::string text = ".i 130\n.o 2\n";
  text += std::string(129, '-') + "1 10\n" + "1" + std::string(129, '-') + " 01\n";
  const FunctionFile wide = ReadPla(text);
  EXPECT_EQ(wide.inputs.front(), "X001");
  EXPECT_EQ(wide.inputs.back(), "X130");
  const BooleanFunction function = FunctionOfFile(wide);
  ASSERT_EQ(function.on.size(), 2u);
  EXPECT_EQ(InputText(function.on[0]), std::string(129, '-') + "1");
  EXPECT_TRUE(function.on[1].HasOutput(1) && !function.on[1].HasOutput(0));
  try {
    TablesOfOutput(wide, 0);
    ADD_FAILURE() << "no error";
  } catch (const EngineError& error) {
    EXPECT_EQ(std::string(error.what()),
              "The file has 130 inputs: a table holds at most 63; only its cubes can be worked on (brevano "
              "minimise)");
  }
  EXPECT_THROW(
      ReadPla(".i 70\n.o 1\n.type fr\n" + std::string(70, '1') + " 1\n" + std::string(70, '-') + " 0\n"),
      EngineError);
}

TEST(PlaFileTest, BadFilesNameTheirLine) {
  struct Case {
    const char* text;
    const char* error;
  };
  const Case cases[] = {
      {"11 1\n", "Line 1: a term before .i and .o give the numbers of inputs and outputs"},
      {".i 2\n.o 1\n1x 1\n", "Line 3: input 2 of a term is \"x\": 0, 1 or -"},
      {".i 2\n.o 1\n11 z\n", "Line 3: output 1 of a term is \"z\": 1, 0, -, ~ (or 4, 3, 2)"},
      {".i 2\n.o 1\n11\n", "Line 3: the last term has its 2 inputs but 0 of its 1 output"},
      {".i 2\n.o 1\n1\n.p 1\n1 1\n",
       "Line 3: the term has 1 of its 2 inputs and none of its 1 output before \".p\" on line 4"},
      {".i 3\n.o 2\n1-0 1\n.e\n",
       "Line 3: the term has its 3 inputs but 1 of its 2 outputs before \".e\" on line 4"},
      {".i 100001\n", "Line 1: .i 100001: from 0 to 100000"},
      {".i two\n", "Line 1: .i takes one number"},
      {".i 2\n.o 1\n.type fx\n", "Line 3: unknown .type \"fx\": f, fd, r, fr, dr or fdr"},
      {".i 2\n.o 1\n.mv 3 1 2\n",
       "Line 3: .mv is not supported: only binary inputs and outputs, taken as written"},
      {".i 2\n.o 1\n.model x\n", "Line 3: unknown keyword \".model\""},
      {".i 2\n.o 1\n.ilb a\n11 1\n", "Line 3: .ilb names 1 inputs, .i says 2"},
      {".i 2\n.o 1\n.type fr\n1- 1\n\n-1 0\n",
       "Line 4: output \"f1\" is 1 here and 0 on line 6 for the same inputs"},
      {".i 1\n", "No .i and .o: not a PLA file"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    try {
      ReadPla(c.text);
      ADD_FAILURE() << "no error";
    } catch (const EngineError& error) {
      EXPECT_EQ(std::string(error.what()), c.error);
    }
  }
  EXPECT_THROW(TablesOfOutput(ReadPla(".i 2\n.o 1\n.ilb a A\n"), 0), EngineError);
  // What the file says differently from what it holds is told.
  const FunctionFile counted = ReadPla(".i 1\n.o 1\n.p 2\n1 1\n.e\n0 1\n");
  EXPECT_EQ(counted.warnings,
            (std::vector<std::string>{"Line 5: what follows .e is not read.",
                                      "Line 3: .p says 2 terms, the file has 1; all of them are read."}));
}

TEST(TableFileTest, TsvCsvDontCaresAndBadRows) {
  EXPECT_EQ(RowsOf(ReadTableFile("A\tB\tResult\n0\t0\t0\n0\t1\t1\n1\t0\t-\n1\t1\tx\n")), "01--");
  EXPECT_EQ(RowsOf(ReadTableFile("A,\"B,C\",R\r\nF,F,T\r\nF,T,F\r\nT,F,F\r\nT,T,T\r\n")), "1001");
  EXPECT_EQ(RowsOf(ReadTableFile("Result\n1\n")), "1");
  // A quoted caption holds a line break, as the CSV writer writes a name holding one.
  const FunctionFile broken = ReadTableFile("\"A\r\n\nB\",Result\r\n0,1\r\n\r\n1,0\r\n");
  EXPECT_EQ(broken.inputs, std::vector<std::string>{"A\r\n\nB"});
  EXPECT_EQ(RowsOf(broken), "10");
  // A tab inside a quoted CSV caption, a quote at the start of a TSV one: read as written.
  EXPECT_EQ(ReadTableFile("\"a\tb\",Result\n0,1\n1,0\n").inputs, std::vector<std::string>{"a\tb"});
  EXPECT_EQ(ReadTableFile("\"x\tResult\n0\t1\n1\t0\n").inputs, std::vector<std::string>{"\"x"});
  const FunctionFile partial = ReadTableFile("A\tResult\n1\t1\n");
  EXPECT_EQ(RowsOf(partial), "-1");
  EXPECT_EQ(
      partial.warnings,
      (std::vector<std::string>{"1 of the 2 rows are not in the file: they are taken as don't-cares."}));
  EXPECT_EQ(RowsOf(ReadFunctionFile("\n# made by hand\n.i 1\n.o 1\n1 1\n")), "01");
  EXPECT_EQ(RowsOf(ReadFunctionFile("A\tResult\n0\t1\n1\t0\n")), "10");
  struct Case {
    const char* text;
    const char* error;
  };
  const Case cases[] = {
      {"A\tResult\n0\t1\n1\t2\n", "Line 3: \"2\" as the Result: 0, 1, F, T, - or x"},
      {"A\tResult\n0\t1\n\n1\t1\t0\n", "Line 4: 3 cells, the caption line has 2"},
      {"A\tResult\n0\t1\n0\t0\n", "Line 3: row 0 again, with another Result"},
      {"A,B,Result\n0,y,1\n", "Line 2: \"y\" in column B: 0, 1, F or T"},
      {"A,Result\n\"0,1\n", "Line 2: a quoted cell is not closed"},
      {"A,Result\n\"0\n\",1\n1,0\n", "Line 2: \"0\n\" in column A: 0, 1, F or T"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    try {
      ReadTableFile(c.text);
      ADD_FAILURE() << "no error";
    } catch (const EngineError& error) {
      EXPECT_EQ(std::string(error.what()), c.error);
    }
  }
}

TEST(FunctionFileTest, TheNameOrTheFirstLineChoosesTheReader) {
  const std::string neither =
      "The file is neither a PLA file (\".i\" and \".o\" first) nor a table file (a caption line of names "
      "separated by tabs or commas, then rows of 0 and 1)";
  struct Case {
    std::string text;
    const char* name;
    std::string error;
  };
  const Case cases[] = {
      // Named .pla: read as PLA, whatever its first line looks like.
      {"A\tResult\n", "f.PLA", "Line 1: a term before .i and .o give the numbers of inputs and outputs"},
      {std::string("\x89\x01\xfe\t\x00,\n\x7f", 8), "random.pla",
       neither + ": it holds bytes that are not text"},
      {"hello world\nand more\n", "notes.txt", neither},
      {"A\tResult\n0\t1\n\n1\t1\t0\n", "", "Line 4: 3 cells, the caption line has 2"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    try {
      ReadFunctionFile(c.text, c.name);
      ADD_FAILURE() << "no error";
    } catch (const EngineError& error) {
      EXPECT_EQ(std::string(error.what()), c.error);
    }
  }
  EXPECT_EQ(RowsOf(ReadFunctionFile("Result\n1\n", "one.tsv")), "1");
  EXPECT_EQ(RowsOf(ReadFunctionFile(".i 1\n.o 1\n1 1\n", "f.txt")), "01");
}

}  // namespace
}  // namespace brevano
