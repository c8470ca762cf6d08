// The table of a file: its columns as the file has them, and every value, and the ladder's count
// and search of each output, checked against the file made into tables the usual way, on random
// small files.
#include "filetable/file_table.h"

#include <gtest/gtest.h>

#include <random>

#include "engine/engine_error.h"
#include "filetable/joint_pla.h"
#include "search/ladder.h"

namespace brevano {
namespace {

// The ladder's answer about output `output`, from `diagrams` as a count left them.
CellSearch Ask(const FileTable& table, int output, const FunctionDiagrams& diagrams, const CellQuery& query) {
  return AskCubeRows(table.Terms(output), table.InputCount(), query, {}, diagrams);
}

TEST(FileTable, KeepsTheFilesNamesOrderAndCaseAndShowsDontCares) {
  const FileTable table = FileTable::Of(
      ReadPla(".i 3\n.o 2\n.ilb zeta Alpha rmwB\n.ob out1 Out0\n.p 3\n1-0 10\n011 1-\n111 -1\n.e\n"));
  EXPECT_EQ(table.Captions(), (std::vector<std::string>{"zeta", "Alpha", "rmwB", "out1", "Out0"}));
  EXPECT_EQ(table.RowCount(), 8u);
  const std::vector<std::vector<std::string>> rows = {{"0", "0", "0", "0", "0"}, {"0", "0", "1", "0", "0"},
                                                      {"0", "1", "0", "0", "0"}, {"0", "1", "1", "1", "-"},
                                                      {"1", "0", "0", "1", "0"}, {"1", "0", "1", "0", "0"},
                                                      {"1", "1", "0", "1", "0"}, {"1", "1", "1", "-", "1"}};
  for (std::uint64_t row = 0; row < 8; ++row)
    EXPECT_EQ(table.RowTexts(row, DisplayMode::kZeroOne), rows[row]);
  EXPECT_EQ(table.RowTexts(7, DisplayMode::kFalseTrue), (std::vector<std::string>{"T", "T", "T", "-", "T"}));
}

TEST(FileTable, RefusesMoreInputsThanARowNumberHolds) {
  std::string text = ".i 64\n.o 1\n.p 1\n" + std::string(64, '-') + " 1\n.e\n";
  EXPECT_THROW(FileTable::Of(ReadPla(text)), EngineError);
  EXPECT_THROW(FileTable(std::vector<std::string>(64, "x"), {"f"}, {{Cube{}}}, {}), EngineError);
  text = ".i 63\n.o 1\n.p 1\n" + std::string(62, '-') + "1 1\n.e\n";
  const FileTable wide = FileTable::Of(ReadPla(text));
  EXPECT_EQ(wide.RowCount(), std::uint64_t{1} << 63);
  EXPECT_EQ(wide.Value(~std::uint64_t{0} >> 1, 0), Cell::kOne);
  // The last row of 2^63, found from both ends, by the walk and by the diagrams.
  const CubeCount counted = CountCubeRows(wide.Terms(0), wide.InputCount());
  for (const FunctionDiagrams& d : {FunctionDiagrams{}, counted.diagrams}) {
    EXPECT_EQ(Ask(wide, 0, d, {Cell::kZero, ~std::uint64_t{0}, false}).row, (~std::uint64_t{0} >> 1) - 1);
    EXPECT_EQ(Ask(wide, 0, d, {Cell::kOne, std::uint64_t{1} << 62, true}).row, (std::uint64_t{1} << 62) + 1);
  }
  ASSERT_TRUE(counted.counts);
  EXPECT_EQ(counted.counts->ones, std::uint64_t{1} << 62);
}

// A random PLA over inputs named so that the tables' sorted, upper-cased columns keep the file's
// order: each output's terms with 1, 0, - and ~ in its part.
std::string RandomPla(std::mt19937& random, int inputs, int outputs, const char* type) {
  std::string text = ".i " + std::to_string(inputs) + "\n.o " + std::to_string(outputs) + "\n.ilb";
  for (int i = 0; i < inputs; ++i) text += " x" + std::string(1, static_cast<char>('a' + i));
  text += "\n.type " + std::string(type) + "\n";
  const int terms = std::uniform_int_distribution<int>(0, 7)(random);
  const std::string inputChars = "01---", outputChars = std::string(type) == "fr" ? "10~" : "1-~~";
  for (int t = 0; t < terms; ++t) {
    for (int i = 0; i < inputs; ++i) text += inputChars[random() % inputChars.size()];
    text += ' ';
    for (int o = 0; o < outputs; ++o) text += outputChars[random() % outputChars.size()];
    text += '\n';
  }
  return text + ".e\n";
}

TEST(FileTable, ValuesCountsAndSearchesMatchTheFilesTables) {
  std::mt19937 random(20261209);
  int checked = 0;
  for (int round = 0; round < 300; ++round) {
    const int inputs = std::uniform_int_distribution<int>(0, 6)(random);
    const int outputs = std::uniform_int_distribution<int>(1, 3)(random);
    FunctionFile file;
    try {
      file = ReadPla(RandomPla(random, inputs, outputs, round % 3 == 0 ? "fr" : "fd"));
    } catch (const EngineError&) {
      continue;  // an fr file whose 1 and 0 terms overlap
    }
    ++checked;
    const FileTable table = FileTable::Of(file);
    ASSERT_EQ(table.RowCount(), std::uint64_t{1} << inputs);
    for (int o = 0; o < outputs; ++o) {
      const TableFunction expected = TablesOfOutput(file, static_cast<std::size_t>(o));
      std::vector<Cell> cells;
      CellCounts counts;
      for (std::uint64_t row = 0; row < table.RowCount(); ++row) {
        const Cell cell = expected.dontCare && expected.dontCare->Result(row) ? Cell::kDontCare
                          : expected.on.Result(row)                           ? Cell::kOne
                                                                              : Cell::kZero;
        ASSERT_EQ(table.Value(row, o), cell) << "round " << round << " output " << o << " row " << row;
        cells.push_back(cell);
        ++(cell == Cell::kOne ? counts.ones : cell == Cell::kZero ? counts.zeros : counts.dontCares);
      }
      const CubeCount counted = CountCubeRows(table.Terms(o), table.InputCount());
      ASSERT_TRUE(counted.counts);
      EXPECT_EQ(counted.counts->ones, counts.ones);
      EXPECT_EQ(counted.counts->zeros, counts.zeros);
      EXPECT_EQ(counted.counts->dontCares, counts.dontCares);
      const auto rows = static_cast<std::int64_t>(cells.size());
      for (const Cell value : {Cell::kZero, Cell::kOne, Cell::kDontCare}) {
        std::uint64_t seen = 0;
        for (std::int64_t from = 0; from <= rows; ++from) {
          std::optional<std::uint64_t> next, previous;
          for (std::int64_t r = from; r < rows && !next; ++r)
            if (cells[static_cast<std::size_t>(r)] == value) next = static_cast<std::uint64_t>(r);
          for (std::int64_t r = std::min(from, rows - 1); r >= 0 && !previous; --r)
            if (cells[static_cast<std::size_t>(r)] == value) previous = static_cast<std::uint64_t>(r);
          const auto at = static_cast<std::uint64_t>(from);
          const bool hit = from < rows && cells[static_cast<std::size_t>(from)] == value;
          // Without the diagrams next and previous walk the cubes, and the n-th row builds them.
          for (const FunctionDiagrams& d : {FunctionDiagrams{}, counted.diagrams}) {
            const CellSearch forward = Ask(table, o, d, {value, at, true});
            ASSERT_EQ(forward.row, next) << round << " " << o << " " << from;
            ASSERT_EQ(forward.path, d.ones ? RowSearchPath::kDiagram : RowSearchPath::kCubes);
            ASSERT_EQ(Ask(table, o, d, {value, at, false}).row, previous) << round << " " << o << " " << from;
            if (hit) {
              EXPECT_EQ(Ask(table, o, d, {value, seen, true, true}).row, at);
            }
          }
          if (hit) ++seen;
        }
        for (const FunctionDiagrams& d : {FunctionDiagrams{}, counted.diagrams})
          EXPECT_EQ(Ask(table, o, d, {value, seen, true, true}).row, std::nullopt);
      }
    }
  }
  EXPECT_GT(checked, 200);
}

// The joint cover written as a PLA file reads back as the file's function: the same names, and every
// row of every output the same but for the file's don't-cares.
TEST(FileTable, TheMinimisedPlaReadsBackAsTheFile) {
  std::mt19937 random(7);
  for (int round = 0; round < 40; ++round) {
    const FunctionFile file = ReadPla(RandomPla(random, 1 + round % 6, 1 + round % 3, "fd"));
    const std::optional<std::string> pla = MinimisedPla(file, {});
    ASSERT_TRUE(pla);
    const FileTable before = FileTable::Of(file), after = FileTable::Of(ReadPla(*pla));
    ASSERT_EQ(after.Captions(), before.Captions()) << *pla;
    for (int o = 0; o < before.OutputCount(); ++o) {
      EXPECT_TRUE(after.Terms(o).dontCare.empty());
      for (std::uint64_t row = 0; row < before.RowCount(); ++row) {
        if (before.Value(row, o) == Cell::kDontCare) continue;
        ASSERT_EQ(after.Value(row, o), before.Value(row, o)) << *pla;
      }
    }
  }
  FunctionFile blank = ReadPla(".i 1\n.o 1\n1 1\n.e\n");
  blank.inputs = {"a b"};
  EXPECT_THROW(MinimisedPla(blank, {}), EngineError);
}

}  // namespace
}  // namespace brevano
