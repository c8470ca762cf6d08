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

// One line's cells, tab-separated with \t, \n and \r written as escapes.
std::vector<std::string> TabCells(std::string_view line) {
  std::vector<std::string> cells(1);
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

// A line of cells, and the number of the line it starts on.
struct Record {
  std::vector<std::string> cells;
  std::size_t number;
};

// The lines that are not blank, tab-separated, with their numbers, CR line ends taken off.
std::vector<Record> TabRecords(std::string_view text) {
  std::vector<Record> records;
  std::size_t start = 0, number = 0;
  while (start < text.size()) {
    std::size_t end = text.find('\n', start);
    if (end == std::string_view::npos) end = text.size();
    ++number;
    std::string_view line = text.substr(start, end - start);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    if (line.find_first_not_of(" \t") != std::string_view::npos) records.push_back({TabCells(line), number});
    start = end + 1;
  }
  return records;
}

// CSV (RFC 4180): cells separated by commas, lines by LF or CRLF; a quoted cell keeps commas,
// doubled quotes and line breaks, as the writer quotes a caption holding them. Blank lines are
// left out.
std::vector<Record> CsvRecords(std::string_view text) {
  std::vector<Record> records;
  Record record{{std::string()}, 1};
  std::size_t number = 1;
  bool quoted = false, wasQuoted = false;
  const auto finish = [&] {
    const bool blank = !wasQuoted && record.cells.size() == 1 &&
                       record.cells[0].find_first_not_of(" \t") == std::string::npos;
    if (!blank) records.push_back(std::move(record));
    record = {{std::string()}, number};
    wasQuoted = false;
  };
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    if (quoted) {
      if (c == '"' && i + 1 < text.size() && text[i + 1] == '"') {
        record.cells.back() += '"';
        ++i;
      } else if (c == '"') {
        quoted = false;
      } else {
        number += c == '\n';
        record.cells.back() += c;
      }
    } else if (c == '\n' || (c == '\r' && (i + 1 == text.size() || text[i + 1] == '\n'))) {
      if (c == '\r') ++i;
      ++number;
      finish();
    } else if (c == ',') {
      record.cells.emplace_back();
    } else if (c == '"' && record.cells.back().empty()) {
      quoted = wasQuoted = true;
    } else {
      record.cells.back() += c;
    }
  }
  if (quoted) Fail(record.number, "a quoted cell is not closed");
  finish();
  return records;
}

// True when the first line that is not blank has a tab outside quoted cells, or neither a comma
// outside them nor a quoted first cell (a table without variables has the Result's caption alone).
bool TabSeparated(std::string_view text) {
  const std::size_t first = text.find_first_not_of(" \t\r\n");
  const std::string_view line = text.substr(first, text.find('\n', first) - first);
  bool quoted = false, commas = false;
  for (const char c : line) {
    if (c == '"') quoted = !quoted;  // a doubled quote turns it twice
    if (!quoted && c == '\t') return true;
    commas = commas || (!quoted && c == ',');
  }
  return !commas && line[0] != '"';
}

FunctionFile ReadRecords(std::string_view text, bool tabs) {
  const std::vector<Record> lines = tabs ? TabRecords(text) : CsvRecords(text);
  if (lines.empty()) throw EngineError("The file is empty: no caption line");
  const std::vector<std::string>& captions = lines[0].cells;
  const int n = static_cast<int>(captions.size()) - 1;
  if (n > kMaxTableFileColumns) {
    Fail(lines[0].number, std::to_string(n) + " variables: a table file lists every row, at most " +
                              std::to_string(kMaxTableFileColumns) + " variables are read");
  }
  FunctionFile file;
  file.inputs.assign(captions.begin(), captions.end() - 1);
  const auto rows = std::uint64_t{1} << n;
  TruthVector on(n), dontCare(n), seen(n);
  for (std::size_t l = 1; l < lines.size(); ++l) {
    const std::size_t number = lines[l].number;
    const std::vector<std::string>& cells = lines[l].cells;
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

}  // namespace

FunctionFile ReadTableFile(std::string_view text) {
  if (text.find_first_not_of(" \t\r\n") == std::string_view::npos)
    throw EngineError("The file is empty: no caption line");
  // The separator the first line shows; where the file cannot be read with it (a caption that
  // holds the other one), with the other. An error is told as the first reading found it.
  const bool tabs = TabSeparated(text);
  try {
    return ReadRecords(text, tabs);
  } catch (const EngineError&) {
    try {
      return ReadRecords(text, !tabs);
    } catch (const EngineError&) {
    }
    throw;
  }
}

}  // namespace brevano
