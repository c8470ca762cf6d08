// The function the window shows: the text it belongs to, the typed table or the opened file, the file's
// chosen output with its least sum and don't-cares, and what the engines have learnt of it.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "filetable/file_table.h"
#include "plafile/function_file.h"
#include "search/cube_rows.h"
#include "search/row_search.h"
#include "tabulate/tabulation.h"

namespace brevano {

/// The parts of the function shown, as bits: what a change touched.
enum ShownPart : unsigned {
  kShownText = 1,      ///< the text the table belongs to
  kShownTable = 2,     ///< the table: a typed expression's or an opened file's (all learnt is forgotten)
  kShownOutput = 4,    ///< the opened file's chosen output
  kShownFunction = 8,  ///< the function the tools take (FunctionTable) and its don't-cares
  kShownCounts = 16,   ///< a count became known, or proved out of reach
  kShownMode = 32,     ///< how truth values are written
};

/// An opened file as it is shown.
struct ShownFile {
  std::shared_ptr<const FunctionFile> file;
  std::shared_ptr<const FileTable> table;
  std::string name;
  std::vector<std::string> warnings;  ///< the file's, each led by its name
  int output = 0;                     ///< the chosen output
  std::optional<TruthTable> sum;      ///< the table of the chosen output's least sum, once made
  std::string dontCare;               ///< its don't-cares over the sum's variables
};

/// The function shown and what is known of it. Every change returns the ShownPart bits it touched
/// (0 when it changed nothing); a new table forgets whatever was learnt of the one before.
class ShownFunction {
 public:
  /// Shows the table of the typed `text`; an opened file is closed.
  unsigned ShowTyped(std::string text, TruthTable table);
  /// Shows the table of an opened file named `name`, its first output chosen, its sum not made yet.
  unsigned ShowFile(std::shared_ptr<const FunctionFile> file, std::shared_ptr<const FileTable> table,
                    std::string name);
  /// Chooses output `output` of the file shown, whose sum is then to be made again; 0 without a file
  /// or out of range.
  unsigned ChooseOutput(int output);
  /// The least sum `text` of output `output` (its table `sum`) and its don't-cares; 0 (ignored)
  /// without a file or when another output has been chosen since.
  unsigned SetOutputFunction(int output, std::string text, TruthTable sum, std::string dontCare);
  /// Writes the truth values as `mode` says from now on, the typed table's included.
  unsigned SetDisplayMode(DisplayMode mode);

  /// The text whose table is shown: the typed text, the file's name, or its output's least sum.
  const std::string& Text() const { return text_; }
  /// The typed expression's table; null while a file is shown or before the first table.
  const TruthTable* Table() const { return table_ ? &*table_ : nullptr; }
  /// The opened file shown; null otherwise.
  const ShownFile* File() const { return file_ ? &*file_ : nullptr; }
  /// The chosen output of the file shown; 0 without one.
  int ChosenOutput() const { return file_ ? file_->output : 0; }
  /// The function the analysis, the map, the circuit and the exports take: the typed table, or the
  /// least sum of the file's chosen output (null while it is being made).
  const TruthTable* FunctionTable() const;
  /// The don't-cares that go with FunctionTable: the file's, over the sum's variables; empty otherwise.
  const std::string& DontCare() const;
  DisplayMode Mode() const { return mode_; }

  /// What searches start from: the diagram or that it is too complex, and the solver, which the
  /// search takes with it and hands back with Learn.
  SearchMemory TakeMemory();
  /// What a search learnt.
  unsigned Learn(const SearchMemory& memory);
  /// The typed table's diagram, or that it is too complex; counts the rows with Result 1.
  unsigned LearnDiagram(const std::shared_ptr<const Diagram>& diagram, bool tooComplex);
  /// The rows with Result 1 of the typed table once its diagram is known.
  std::optional<std::uint64_t> OnesCount() const { return ones_; }
  /// True once the typed table's diagram proved too complex.
  bool CountTooComplex() const { return diagramTooComplex_; }

  /// The file's outputs counted, in order (an output too complex for its diagrams has no counts).
  unsigned LearnFileCounts(const std::vector<CubeCount>& counted);
  /// The diagrams of output `output` of the file shown, for its searches; not built until counted.
  FunctionDiagrams FileDiagrams(int output) const;
  /// The counts of output `output` once its diagrams are built.
  std::optional<CellCounts> FileCounts(int output) const;
  /// True once the diagrams of output `output` proved too complex.
  bool FileCountTooComplex(int output) const;

 private:
  void Forget();

  std::string text_;
  std::optional<TruthTable> table_;
  std::optional<ShownFile> file_;
  DisplayMode mode_ = DisplayMode::kZeroOne;
  std::shared_ptr<const Diagram> diagram_;
  bool diagramTooComplex_ = false;
  std::shared_ptr<ResultSolver> solver_;
  std::optional<std::uint64_t> ones_;
  std::vector<CubeCount> fileCounts_;
};

}  // namespace brevano
