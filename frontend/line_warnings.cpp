// Classifying the listing lines that take no part in the evaluation, or take part oddly.
#include "frontend/line_warnings.h"

#include <cstdlib>
#include <optional>

#include "frontend/infix_text.h"
#include "tabulate/compiled_program.h"

namespace brevano {

namespace {

std::string Quoted(const std::string& text) { return "\"" + Abbreviated(text) + "\""; }

bool EndsWith(std::string_view text, std::string_view suffix) {
  return text.size() >= suffix.size() && text.substr(text.size() - suffix.size()) == suffix;
}

std::string Upper(std::string_view text) {
  std::string out(text);
  for (char& c : out) {
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  }
  return out;
}

// At most one letter changed, added, dropped or two neighbours swapped away from "NOT".
bool LooksLikeNot(const std::string& upper) {
  static const char* const kNear[] = {"NTO", "ONT", "NOTT", "NOOT", "NNOT", "NT",  "NO",  "OT",
                                      "MOT", "BOT", "NIT",  "NPT",  "NOR",  "NOY", "NET", "NOG"};
  for (const char* near : kNear) {
    if (upper == near) return true;
  }
  return false;
}

std::optional<std::string> FunctionWarning(const ExprNode* node, const LineContext& context) {
  const std::string name = node->text.substr(0, node->text.size() - 3);
  if (name.empty()) {
    if (context.unpaired) return std::nullopt;
    return "A \"(\" that follows no name is read as a call, which the table ignores: use * between "
           "parenthesised parts.";
  }
  if (context.unpaired && name.find_first_of("()") != std::string::npos) return std::nullopt;
  const std::string prefix = "The function " + Quoted(name) + " is ignored by the table";
  std::string trimmed = name;
  while (!trimmed.empty() && static_cast<unsigned char>(trimmed.back()) < 33) trimmed.pop_back();
  const std::string upper = Upper(trimmed);
  if (trimmed.size() < name.size() && upper == "NOT") return prefix + ": write not(...) without a space.";
  if (upper == "AND") return prefix + ": use * for AND.";
  if (upper == "OR") return prefix + ": use + for OR.";
  if (upper == "XOR") return prefix + ": use / for XOR.";
  if (name == "neg" && context.typed.find("neg") == std::string_view::npos)
    return "A leading \"-\" is read as a negation, which the table ignores: use not(...) for NOT.";
  if (LooksLikeNot(upper)) return prefix + ": did you mean not(...)?";
  return prefix + ", which evaluates only not(...).";
}

std::string OperatorWarning(const std::string& op) {
  const std::string prefix = "The operator " + Quoted(op) + " is ignored by the table";
  if (op == "^" || op == "!=") return prefix + ": use / for XOR.";
  if (op == "==" || op == "=") return prefix + ": use not(a/b) for equivalence.";
  return prefix + ", which evaluates only +, * and /.";
}

std::string LeafWithOperatorWarning(const std::string& text) {
  if (text.find('&') != std::string::npos) return Quoted(text) + " is ignored by the table: use * for AND.";
  if (text.find('!') != std::string::npos)
    return Quoted(text) + " is ignored by the table: use not(...) for NOT.";
  return Quoted(text) + " is ignored by the table.";
}

std::optional<std::string> NumberWarning(const ExprNode* node, const LineContext& context) {
  const std::string& text = node->text;
  if (text.empty()) {
    if (context.unpaired) return std::nullopt;
    if (!node->parent) return "The expression is empty: the table shows 0.";
    return "An empty operand of " + Quoted(InfixText(node->parent)) + " is ignored.";
  }
  const auto origin = context.folded.origins.find(text);
  if (origin != context.folded.origins.end() && origin->second != text)
    return origin->second + " was folded to the number " + text +
           ", which is neither 0 nor 1: the table ignores it.";
  if (IsDisguisedConstant(text))
    return "The number " + Quoted(text) + " is ignored by the table: write the constants as 0 and 1.";
  return "The number " + text + " is neither 0 nor 1: the table ignores it.";
}

// The fix for a name holding spaces: the operator its words spell, or * between names.
std::string SpaceHint(const std::string& name) {
  if (name.rfind("NOT ", 0) == 0) return "write not(" + name.substr(4) + ") for NOT";
  std::string padded = " " + name + " ";
  if (padded.find(" XOR ") != std::string::npos) return "use / for XOR";
  if (padded.find(" AND ") != std::string::npos) return "use * for AND";
  if (padded.find(" OR ") != std::string::npos) return "use + for OR";
  return "use * for AND between variables";
}

std::optional<std::string> VariableWarning(const ExprNode* node, const std::string& name) {
  if (EndsWith(node->text, " @A"))
    return "The indexed name " + Quoted(InfixText(node)) + " is taken for a variable " + Quoted(name) +
           ": use ( ) to group.";
  if (node->text == ":" && !node->children.empty())
    return "The operator \":\" is taken for a variable named \":\".";
  const std::string prefix = "The variable " + Quoted(name);
  if (name.empty()) return "An operand made only of blanks is taken for a variable with an empty name.";
  if (name.find(' ') != std::string::npos) return prefix + " holds a space: " + SpaceHint(name) + ".";
  if (name == "TRUE" || name == "FALSE")
    return prefix + " is not a constant: write " + (name == "TRUE" ? "1." : "0.");
  if (name.find_first_of("()") != std::string::npos) return prefix + " holds a parenthesis.";
  if (name.find_first_of("[]") != std::string::npos) return prefix + " holds a bracket.";
  if (name.find('|') != std::string::npos) return prefix + " holds \"|\": use + for OR.";
  if (name.find('~') != std::string::npos) return prefix + " holds \"~\": use not(...) for NOT.";
  if (name.find('\\') != std::string::npos) return prefix + " holds \"\\\": use / for XOR.";
  if (name.find('\'') != std::string::npos) return prefix + " holds \"'\": use not(...) for NOT.";
  return std::nullopt;
}

std::optional<std::string> Warning(const ExprNode* node, const std::string& line,
                                   const LineContext& context) {
  const std::string normalised = NormaliseLine(line);
  const std::optional<OpCode> op = ClassifyLine(normalised);
  if (op == OpCode::kPushVariable) return VariableWarning(node, normalised);
  if (op) return std::nullopt;
  if (EndsWith(normalised, "@N")) return NumberWarning(node, context);
  if (EndsWith(node->text, " @F")) return FunctionWarning(node, context);
  if (node->children.empty()) return LeafWithOperatorWarning(node->text);
  return OperatorWarning(node->text);
}

}  // namespace

std::vector<const ExprNode*> ListedNodes(const ExprTree& processed, const Listing& listing) {
  if (!FirstNode(processed)) return {};
  std::vector<const ExprNode*> nodes = PreOrderNodes(FirstNode(processed));
  if (nodes.size() != listing.size()) nodes.clear();  // not the tree of this listing
  return nodes;
}

std::vector<const ExprNode*> PreOrderNodes(const ExprNode* root) {
  std::vector<const ExprNode*> order;
  std::vector<const ExprNode*> stack{root};
  while (!stack.empty()) {
    const ExprNode* n = stack.back();
    stack.pop_back();
    order.push_back(n);
    for (auto child = n->children.rbegin(); child != n->children.rend(); ++child) stack.push_back(*child);
  }
  return order;
}

bool IsDisguisedConstant(const std::string& text) {
  std::string number = text;
  for (char& c : number) {
    if (c == ',') c = '.';
  }
  char* end = nullptr;
  const double value = std::strtod(number.c_str(), &end);
  return end == number.c_str() + number.size() && (value == 0.0 || value == 1.0) && text != "0" &&
         text != "1";
}

std::string NoValueReason(const ExprNode* node, const FoldedConstants& folded) {
  const std::string& text = node->text;
  if (EndsWith(NormaliseLine(TagNodeText(text)), "@N")) {
    if (text.empty())
      return node->parent ? Quoted(InfixText(node->parent)) + " has an empty operand" : "an operand is empty";
    const auto origin = folded.origins.find(text);
    if (origin != folded.origins.end() && origin->second != text)
      return origin->second + " was folded to the number " + text;
    if (IsDisguisedConstant(text)) return text + " is a number not written as 0 or 1";
    return text + " is a number, neither 0 nor 1";
  }
  if (text.find('&') != std::string::npos) return Quoted(text) + " is ignored (use * for AND)";
  if (text.find('!') != std::string::npos) return Quoted(text) + " is ignored (use not(...) for NOT)";
  return Quoted(InfixText(node)) + " gives no truth value";
}

std::vector<std::string> LineWarnings(const std::vector<const ExprNode*>& nodes, const Listing& listing,
                                      const LineContext& context) {
  std::vector<std::string> warnings;
  for (std::size_t i = 0; i < nodes.size() && i < listing.size(); ++i) {
    if (std::optional<std::string> warning = Warning(nodes[i], listing[i], context))
      warnings.push_back(std::move(*warning));
  }
  return warnings;
}

}  // namespace brevano
