// The tool's table files: a caption line and one line per row, tab- or comma-separated, read back
// into the rows of each kind and made into terms.
#include <algorithm>
#include <cctype>

#include "engine/engine_error.h"
#include "minimise/truth_vector.h"
#include "minimise/truth_vector_cover.h"
#include "plafile/function_file.h"

namespace brevano {

namespace {

[[noreturn]] void Fail(std::size_t line, const std::string& reason) {
  throw EngineError("Line " + std::to_string(line) + ": " + reason);
}

// One line's cells: tab-separated with \t, \n and \r written as escapes, or CSV (RFC 4180) whose
// quoted cells keep commas and doubled quotes.
std::vector<std::string> Cells(std::string_view line, bool tabs, std::size_t number) {
  std::vector<std::string> cells(1);
  if (tabs) {
    for (std::size_t i = 0; i < line.size(); ++i) {
      if (line[i] == '\t') {
        cells.emplace_back();
      } else if (line[i] == '\\' && i + 1 < line.size() &&
                 std::string_view("tnr").find(line[i + 1]) != std::string_view::npos) {
        cells.back() += line[i + 1] == 't' ? '\t' : line[i + 1] == 'n' ? '\n' : '\r';
        ++i;
      } else {
        cells.back() += line[i];
      }
    }
    return cells;
  }
  bool quoted = false;
  for (std::size_t i = 0; i < line.size(); ++i) {
    const char c = line[i];
    if (quoted) {
      if (c == '"' && i + 1 < line.size() && line[i + 1] == '"') {
        cells.back() += '"';
        ++i;
      } else if (c == '"') {
        quoted = false;
      } else {
        cells.back() += c;
      }
    } else if (c == ',') {
      cells.emplace_back();
    } else if (c == '"' && cells.back().empty()) {
      quoted = true;
    } else {
      cells.back() += c;
    }
  }
  if (quoted) Fail(number, "a quoted cell is not closed");
  return cells;
}

std::string Trimmed(const std::string& cell) {
  const std::size_t first = cell.find_first_not_of(" \t");
  if (first == std::string::npos) return {};
  return cell.substr(first, cell.find_last_not_of(" \t") - first + 1);
}

// 0 or 1 for a truth value, 2 for a don't-care (only where `dontCareAllowed`), -1 otherwise.
int Value(const std::string& cell, bool dontCareAllowed) {
  const std::string text = Trimmed(cell);
  if (text == "0" || text == "F" || text == "f") return 0;
  if (text == "1" || text == "T" || text == "t") return 1;
  if (dontCareAllowed && (text == "-" || text == "x" || text == "X")) return 2;
  return -1;
}

struct Lines {
  std::vector<std::string_view> lines;
  std::vector<std::size_t> numbers;
};

// The lines that are not blank, with their numbers, CR line ends taken off.
Lines NonBlankLines(std::string_view text) {
  Lines result;
  std::size_t start = 0, number = 0;
  while (start < text.size()) {
    std::size_t end = text.find('\n', start);
    if (end == std::string_view::npos) end = text.size();
    ++number;
    std::string_view line = text.substr(start, end - start);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    if (line.find_first_not_of(" \t") != std::string_view::npos) {
      result.lines.push_back(line);
      result.numbers.push_back(number);
    }
    start = end + 1;
  }
  return result;
}

}  // namespace

FunctionFile ReadTableFile(std::string_view text) {
  const Lines lines = NonBlankLines(text);
  if (lines.lines.empty()) throw EngineError("The file is empty: no caption line");
  // Tabs, else commas; a table without variables has the Result's caption alone.
  const bool tabs = lines.lines[0].find('\t') != std::string_view::npos ||
                    lines.lines[0].find(',') == std::string_view::npos;
  std::vector<std::string> captions = Cells(lines.lines[0], tabs, lines.numbers[0]);
  const int n = static_cast<int>(captions.size()) - 1;
  if (n > kMaxTableFileColumns) {
    Fail(lines.numbers[0], std::to_string(n) + " variables: a table file lists every row, at most " +
                               std::to_string(kMaxTableFileColumns) + " variables are read");
  }
  FunctionFile file;
  file.inputs.assign(captions.begin(), captions.end() - 1);
  const auto rows = std::uint64_t{1} << n;
  TruthVector on(n), dontCare(n), seen(n);
  for (std::size_t l = 1; l < lines.lines.size(); ++l) {
    const std::size_t number = lines.numbers[l];
    const std::vector<std::string> cells = Cells(lines.lines[l], tabs, number);
    if (static_cast<int>(cells.size()) != n + 1)
      Fail(number, std::to_string(cells.size()) + " cells, the caption line has " + std::to_string(n + 1));
    std::uint64_t row = 0;
    for (int i = 0; i < n; ++i) {
      const int value = Value(cells[static_cast<std::size_t>(i)], false);
      if (value < 0)
        Fail(number, "\"" + cells[static_cast<std::size_t>(i)] + "\" in column " +
                         captions[static_cast<std::size_t>(i)] + ": 0, 1, F or T");
      row = row << 1 | static_cast<std::uint64_t>(value);
    }
    const int result = Value(cells.back(), true);
    if (result < 0) Fail(number, "\"" + cells.back() + "\" as the Result: 0, 1, F, T, - or x");
    if (seen.At(row)) {
      const bool same = (result == 2) == dontCare.At(row) && (result == 1) == on.At(row);
      if (!same) Fail(number, "row " + std::to_string(row) + " again, with another Result");
      continue;
    }
    seen.Set(row);
    if (result == 2) dontCare.Set(row);
    if (result == 1) on.Set(row);
  }
  const std::uint64_t missing = rows - seen.CountOnes();
  if (missing > 0) {
    file.warnings.push_back(std::to_string(missing) + " of the " + std::to_string(rows) +
                            " rows are not in the file: they are taken as don't-cares.");
    for (std::size_t word = 0; word < dontCare.WordCount(); ++word)
      dontCare.SetWord(word, dontCare.Word(word) | ~seen.Word(word));
  }
  file.sets = {true, true, false};
  TruthVector either(n);
  for (std::size_t word = 0; word < either.WordCount(); ++word)
    either.SetWord(word, on.Word(word) | dontCare.Word(word));
  file.outputs.push_back({captions.back(), CoverOfRows(on, either), CoverOfRows(dontCare, dontCare), {}});
  return file;
}

}  // namespace brevano
