// Truth tables as text: captions escaped per format, rows laid out in fixed-width lines.
#include "tabulate/table_format.h"

#include <algorithm>
#include <bit>
#include <vector>

#include "tabulate/bit_parallel.h"
#include "tabulate/compiled_program.h"

namespace brevano {

namespace {

// Every cell of a row is one character, so every row line has the same length and layout:
// prefix, cells joined by the separator, suffix.
struct RowLayout {
  std::string_view prefix;
  std::string_view separator;
  std::string_view suffix;
};

RowLayout LayoutOf(TableFormat format) {
  switch (format) {
    case TableFormat::kCsv: return {"", ",", "\r\n"};
    case TableFormat::kMarkdown: return {"| ", " | ", " |\n"};
    case TableFormat::kLatex: return {"", " & ", " \\\\\n"};
    case TableFormat::kTsv: break;
  }
  return {"", "\t", "\n"};
}

// Bytes of every row line of a table with `variables` variables: one character per cell.
std::size_t RowLineBytes(const RowLayout& layout, int variables) {
  return layout.prefix.size() + (variables + 1) + variables * layout.separator.size() + layout.suffix.size();
}

std::string EscapeTsv(std::string_view text) {
  std::string out;
  for (char c : text) {
    switch (c) {
      case '\t': out += "\\t"; break;
      case '\n': out += "\\n"; break;
      case '\r': out += "\\r"; break;
      default: out += c;
    }
  }
  return out;
}

std::string EscapeCsv(std::string_view text) {
  if (text.find_first_of(",\"\r\n") == std::string_view::npos) return std::string(text);
  std::string out = "\"";
  for (char c : text) {
    if (c == '"') out += '"';
    out += c;
  }
  return out + "\"";
}

std::string EscapeMarkdown(std::string_view text) {
  std::string out;
  for (char c : text) {
    if (c == '\n' || c == '\r') {
      out += ' ';
      continue;
    }
    if (std::string_view("\\|`*_[]<>~").find(c) != std::string_view::npos) out += '\\';
    out += c;
  }
  return out;
}

std::string EscapeLatex(std::string_view text) {
  std::string out;
  for (char c : text) {
    switch (c) {
      case '\\': out += "\\textbackslash{}"; break;
      case '~': out += "\\textasciitilde{}"; break;
      case '^': out += "\\textasciicircum{}"; break;
      case '<': out += "\\textless{}"; break;
      case '>': out += "\\textgreater{}"; break;
      case '|': out += "\\textbar{}"; break;
      case '_':
      case '#':
      case '$':
      case '%':
      case '&':
      case '{':
      case '}':
        out += '\\';
        out += c;
        break;
      default: out += c;
    }
  }
  return out;
}

std::string EscapeCaption(std::string_view caption, TableFormat format) {
  switch (format) {
    case TableFormat::kCsv: return EscapeCsv(caption);
    case TableFormat::kMarkdown: return EscapeMarkdown(caption);
    case TableFormat::kLatex: return EscapeLatex(caption);
    case TableFormat::kTsv: break;
  }
  return EscapeTsv(caption);
}

std::string JoinLine(const std::vector<std::string>& cells, const RowLayout& layout) {
  std::string line(layout.prefix);
  for (std::size_t i = 0; i < cells.size(); ++i) {
    if (i > 0) line += layout.separator;
    line += cells[i];
  }
  line += layout.suffix;
  return line;
}

// Streams the rows of a table through a buffer of whole 64-row blocks.
//
// The buffer is cut into slots of one block each and is reused from chunk to chunk. A slot keeps
// the lines of the block last written into it, so a new block only rewrites the cells that
// differ: the variables of row bits 6 and up whose bits differ between the two block indexes
// (the six low variables follow the same pattern in every block) and the results.
class BlockWriter {
 public:
  BlockWriter(const TruthTable& table, TableFormat format, std::size_t chunkBytes)
      : table_(table),
        layout_(LayoutOf(format)),
        variables_(table.Program().VariableCount()),
        rowCount_(table.RowCount()),
        lineBytes_(RowLineBytes(layout_, variables_)),
        blockRows_(std::min<std::uint64_t>(rowCount_, 64)),
        evaluator_(table.Program()) {
    const std::size_t blockBytes = 64 * lineBytes_;
    // A power of two, so that a slot's next block differs from its last in few index bits.
    slots_.assign(std::bit_floor(std::max<std::size_t>(1, chunkBytes / blockBytes)), kNoBlock);
    buffer_.resize(slots_.size() * blockBytes);
    chars_[0] = BoolToText(0, table.Mode())[0];
    chars_[1] = BoolToText(1, table.Mode())[0];
  }

  bool WriteRows(const TextSink& sink) {
    const std::uint64_t blockCount = (rowCount_ + 63) / 64;
    std::uint64_t block = 0;
    while (block < blockCount) {
      std::size_t used = 0;
      while (used < slots_.size() && block < blockCount) FillSlot(used++, block++);
      const std::size_t bytes = used * blockRows_ * lineBytes_;  // blockRows_ < 64 only for one block
      if (!sink(std::string_view(buffer_.data(), bytes))) return false;
    }
    return true;
  }

 private:
  static constexpr std::uint64_t kNoBlock = ~std::uint64_t{0};

  std::size_t CellOffset(int column) const {
    return layout_.prefix.size() + column * (1 + layout_.separator.size());
  }

  char* SlotData(std::size_t slot) { return buffer_.data() + slot * 64 * lineBytes_; }

  void WriteFullLines(char* data, std::uint64_t block) {
    for (std::uint64_t k = 0; k < blockRows_; ++k) {
      std::vector<std::string> cells;
      for (int column = 0; column < variables_; ++column) {
        cells.emplace_back(1, chars_[table_.VariableValue(block * 64 + k, column)]);
      }
      cells.emplace_back(1, chars_[0]);
      const std::string line = JoinLine(cells, layout_);
      std::copy(line.begin(), line.end(), data + k * lineBytes_);
    }
  }

  void FillSlot(std::size_t slot, std::uint64_t block) {
    char* data = SlotData(slot);
    if (slots_[slot] == kNoBlock) {
      WriteFullLines(data, block);
    } else {
      for (std::uint64_t changed = block ^ slots_[slot]; changed != 0; changed &= changed - 1) {
        const int rowBit = 6 + std::countr_zero(changed);
        const char c = chars_[(block >> (rowBit - 6)) & 1];
        char* cell = data + CellOffset(variables_ - 1 - rowBit);
        for (std::uint64_t k = 0; k < blockRows_; ++k) cell[k * lineBytes_] = c;
      }
    }
    slots_[slot] = block;
    const std::uint64_t results = evaluator_.EvaluateAligned(block * 64);
    char* cell = data + CellOffset(variables_);
    for (std::uint64_t k = 0; k < blockRows_; ++k) cell[k * lineBytes_] = chars_[(results >> k) & 1];
  }

  const TruthTable& table_;
  RowLayout layout_;
  int variables_;
  std::uint64_t rowCount_;
  std::size_t lineBytes_;
  std::uint64_t blockRows_;
  BlockEvaluator evaluator_;
  std::vector<char> buffer_;
  std::vector<std::uint64_t> slots_;
  char chars_[2];
};

}  // namespace

std::optional<TableFormat> TableFormatFromName(std::string_view name) {
  if (name == "tsv") return TableFormat::kTsv;
  if (name == "csv") return TableFormat::kCsv;
  if (name == "markdown") return TableFormat::kMarkdown;
  if (name == "latex") return TableFormat::kLatex;
  return std::nullopt;
}

std::string FormatTableHeader(const TruthTable& table, TableFormat format) {
  std::vector<std::string> captions;
  for (const std::string& caption : table.Captions()) captions.push_back(EscapeCaption(caption, format));
  const std::string line = JoinLine(captions, LayoutOf(format));
  switch (format) {
    case TableFormat::kMarkdown: {
      std::string rule = "|";
      for (std::size_t i = 0; i < captions.size(); ++i) rule += "---|";
      return line + rule + "\n";
    }
    case TableFormat::kLatex:
      return "\\begin{tabular}{" + std::string(captions.size(), 'c') + "}\n" + line + "\\hline\n";
    case TableFormat::kTsv:
    case TableFormat::kCsv: break;
  }
  return line;
}

std::string FormatTableRow(const TruthTable& table, TableFormat format, std::uint64_t row) {
  return JoinLine(table.RowTexts(row), LayoutOf(format));
}

std::string FormatTableFooter(TableFormat format) {
  return format == TableFormat::kLatex ? "\\end{tabular}\n" : "";
}

std::uint64_t TableTextBytes(const TruthTable& table, TableFormat format) {
  constexpr std::uint64_t kMax = ~std::uint64_t{0};
  const std::uint64_t line = RowLineBytes(LayoutOf(format), static_cast<int>(table.Variables().size()));
  const std::uint64_t rows = table.RowCount();
  if (rows != 0 && line > kMax / rows) return kMax;
  const std::uint64_t around = FormatTableHeader(table, format).size() + FormatTableFooter(format).size();
  return rows * line > kMax - around ? kMax : rows * line + around;
}

bool WriteTable(const TruthTable& table, TableFormat format, const TextSink& sink, std::size_t chunkBytes) {
  if (!sink(FormatTableHeader(table, format))) return false;
  if (table.RowCount() > 0 && !BlockWriter(table, format, chunkBytes).WriteRows(sink)) return false;
  const std::string footer = FormatTableFooter(format);
  return footer.empty() || sink(footer);
}

}  // namespace brevano
