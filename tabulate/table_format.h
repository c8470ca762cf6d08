// Truth tables as text: tab-separated, CSV, Markdown and LaTeX, row by row or streamed in bulk.
#pragma once

#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "tabulate/tabulation.h"

namespace brevano {

/// The text formats of a table.
///
/// Every format has a header with the captions and then one line per row:
/// - kTsv: cells separated by tabs, lines ended by LF; a tab, LF or CR inside a caption is
///   written as the escape \t, \n or \r.
/// - kCsv: RFC 4180: cells separated by commas, lines ended by CRLF; a caption holding a comma,
///   a double quote, CR or LF is quoted, its quotes doubled.
/// - kMarkdown: a pipe table; backslash, pipe and the inline markup characters of captions are
///   escaped with a backslash, line breaks become blanks.
/// - kLatex: a `tabular` environment with \hline after the header; the special characters of
///   captions are escaped.
enum class TableFormat { kTsv, kCsv, kMarkdown, kLatex };

/// The format named "tsv", "csv", "markdown" or "latex".
std::optional<TableFormat> TableFormatFromName(std::string_view name);

/// Everything before the first row: the caption line and what the format puts around it.
std::string FormatTableHeader(const TruthTable& table, TableFormat format);

/// The line of one row, with its line end.
std::string FormatTableRow(const TruthTable& table, TableFormat format, std::uint64_t row);

/// Everything after the last row (empty for some formats).
std::string FormatTableFooter(TableFormat format);

/// The exact number of bytes WriteTable gives for `table` in `format`; the largest std::uint64_t
/// when the count exceeds it.
std::uint64_t TableTextBytes(const TruthTable& table, TableFormat format);

/// Receives the text of a table in order, in chunks; returns false to stop the writing.
using TextSink = std::function<bool(std::string_view chunk)>;

/// Writes the header, every row and the footer to `sink` in chunks of about `chunkBytes`,
/// evaluating 64 rows at a time. Returns false when the sink stopped the writing.
bool WriteTable(const TruthTable& table, TableFormat format, const TextSink& sink,
                std::size_t chunkBytes = std::size_t{1} << 18);

}  // namespace brevano
