// Reading listing lines: the one place that knows the tags and names of the table's operations.
#include "tabulate/typed_listing.h"

namespace brevano {

namespace {

bool IsBlank(char c) { return static_cast<unsigned char>(c) < 33; }

std::string_view Trim(std::string_view line) {
  while (!line.empty() && IsBlank(line.front())) line.remove_prefix(1);
  while (!line.empty() && IsBlank(line.back())) line.remove_suffix(1);
  return line;
}

}  // namespace

std::string NormaliseLine(std::string_view line) {
  std::string out(Trim(line));
  for (char& c : out) {
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  }
  return out;
}

bool IsVariableLine(std::string_view normalised) {
  return normalised.find("@N") == std::string_view::npos && normalised.find("@F") == std::string_view::npos;
}

std::optional<OpCode> ClassifyLine(std::string_view normalised) {
  if (normalised == "+ @F") return OpCode::kOr;
  if (normalised == "* @F") return OpCode::kAnd;
  if (normalised == "/ @F") return OpCode::kXor;
  if (normalised == "NOT @F") return OpCode::kNot;
  if (normalised == "1 @N") return OpCode::kPushOne;
  if (normalised == "0 @N") return OpCode::kPushZero;
  if (IsVariableLine(normalised)) return OpCode::kPushVariable;
  return std::nullopt;
}

TypedLine ReadListingLine(std::string_view line) {
  TypedLine typed;
  typed.name = NormaliseLine(line);
  typed.op = ClassifyLine(typed.name);
  const std::string_view tag = "@N";
  typed.number = !typed.op && typed.name.size() >= tag.size() && typed.name.ends_with(tag);
  return typed;
}

std::vector<TypedLine> ReadListing(const Listing& listing) {
  std::vector<TypedLine> lines;
  lines.reserve(listing.size());
  for (const std::string& line : listing) lines.push_back(ReadListingLine(line));
  return lines;
}

std::optional<MissingOperand> FindMissingOperand(const Listing& listing) {
  return MissingOperandIn(ReadListing(listing));
}

}  // namespace brevano
