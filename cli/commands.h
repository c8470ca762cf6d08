// The engine commands of the command-line tool, each writing its result as text.
#pragma once

#include <ostream>
#include <string>

namespace brevano::cli {

/// Largest expression the command-line tool accepts, in bytes.
inline constexpr std::size_t kMaxExpressionBytes = 64 * 1024;

/// Every top-level node after parsing into a fresh store, one line each.
void CommandParse(const std::string& expression, std::ostream& out);
/// The same after the diff calls of the first node are expanded.
void CommandExpand(const std::string& expression, std::ostream& out);
/// The same after the whole pipeline.
void CommandTree(const std::string& expression, std::ostream& out);
/// The pipeline's listing, one line per listing line.
void CommandListing(const std::string& expression, std::ostream& out);

/// Raises the length error when the expression exceeds kMaxExpressionBytes.
void CheckExpressionLength(const std::string& expression);

}  // namespace brevano::cli
