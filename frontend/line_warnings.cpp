// The sentence for each listing line that the table ignores or reads differently from what was typed.
#include "frontend/line_warnings.h"

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <optional>

#include "engine/text_tests.h"
#include "frontend/foreign_signs.h"
#include "frontend/infix_text.h"

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
  // A "(" after nothing but blanks groups as parentheses do: the call is ignored and its operand
  // read. Where it runs past its ")" (a blank after it, "(a)(b)"), the typed text's checks say so.
  if (name.find_first_not_of(" \t") == std::string::npos) return std::nullopt;
  if (context.unpaired && name.find_first_of("()") != std::string::npos) return std::nullopt;
  const std::string prefix = "The function " + Quoted(name) + " is ignored by the table";
  std::string trimmed = name;
  while (!trimmed.empty() && static_cast<unsigned char>(trimmed.back()) < 33) trimmed.pop_back();
  trimmed.erase(0, std::min(trimmed.size(), trimmed.find_first_not_of(" \t")));
  const std::string upper = Upper(trimmed);
  if (upper == "NOT" && context.dropped) return std::nullopt;  // read as not(...) or not, it gives 0
  if (trimmed.size() < name.size() && upper == "NOT") return prefix + ": write not(...) without a space.";
  if (upper == "AND") return prefix + ": use * for AND.";
  if (upper == "OR") return prefix + ": use + for OR.";
  if (upper == "XOR") return prefix + ": use / for XOR.";
  if (const std::optional<ForeignSign> sign = FindForeignSign(name)) return prefix + ": " + sign->hint + ".";
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
  if (const std::optional<ForeignSign> sign = FindForeignSign(text))
    return Quoted(text) + " is ignored by the table: " + sign->hint + ".";
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

// A name holding tabs or line breaks, as cells of rows pasted from a table do: they are shown as
// \t and \n, since the line of the warning shows neither.
std::string PastedWarning(const std::string& name) {
  std::string shown;
  for (char c : name) shown += c == '\t' ? "\\t" : c == '\n' ? "\\n" : c == '\r' ? "\\r" : std::string(1, c);
  const bool tab = name.find('\t') != std::string::npos;
  return "The variable " + Quoted(shown) + " holds " + (tab ? "a tab" : "a line break") +
         (tab ? ", as rows pasted from a table do: the table reads an expression, not rows (File > Open… "
                "reads a table file); between names, use * for AND."
              : ": an expression is read as one line of text; use * for AND between names.");
}

// The nearest call around `node`, if any.
const ExprNode* EnclosingCall(const ExprNode* node) {
  for (const ExprNode* n = node->parent; n; n = n->parent) {
    if (EndsWith(n->text, " @F")) return n;
  }
  return nullptr;
}

std::string CommaWarning(const ExprNode* node, const std::string& name) {
  const ExprNode* call = EnclosingCall(node);
  if (!call) return "The variable " + Quoted(name) + " holds a comma: use + for OR, * for AND or / for XOR.";
  const std::string start =
      "The comma in " + Quoted(InfixText(call)) + " is read as part of the variable " + Quoted(name) + ": ";
  if (Upper(call->text) == "NOT @F")
    return start + "not(...) takes one operand; join the parts with +, * or /.";
  return start + "the arguments of a call are separated by \";\".";
}

std::optional<std::string> VariableWarning(const ExprNode* node, const std::string& name,
                                           const LineContext& context) {
  if (EndsWith(node->text, " @A"))
    return "The indexed name " + Quoted(InfixText(node)) + " is taken for a variable " + Quoted(name) +
           ": use ( ) to group.";
  if (node->text == ":" && !node->children.empty())
    return "The operator \":\" is taken for a variable named \":\".";
  const std::string prefix = "The variable " + Quoted(name);
  if (name.empty()) return "An operand made only of blanks is taken for a variable with an empty name.";
  // In a dropped part only what the table cannot read at all is told: signs, numbers beyond 0 and 1.
  const bool readable = std::all_of(name.begin(), name.end(),
                                    [](char c) {
                                      return std::isalnum(static_cast<unsigned char>(c)) || c == '_' ||
                                             c == ' ' || c == '(' || c == ')';
                                    }) &&
                        (!IsNumberText(name) || name == "0" || name == "1");
  if (context.dropped && readable) return std::nullopt;
  if (name.find_first_of("\t\n\r") != std::string::npos) return PastedWarning(name);
  if (IsNumberText(name)) {
    const std::string number = name == "0" || name == "1" ? name : "\"" + name + "\"";
    return "The number " + number + " with a space beside it is read as a variable named \"" + name +
           "\": write " + (name == "0" || name == "1" ? name : "0 or 1") + " without spaces.";
  }
  if (const std::optional<ForeignSign> sign = FindForeignSign(name))
    return prefix + " holds \"" + std::string(sign->sign) + "\", which is no operator here: " + sign->hint +
           ".";
  if (name.find(',') != std::string::npos) return CommaWarning(node, name);
  if (name.find(' ') != std::string::npos) return prefix + " holds a space: " + SpaceHint(name) + ".";
  if (name == "TRUE" || name == "FALSE")
    return prefix + " is not a constant: write " + (name == "TRUE" ? "1." : "0.");
  if (name.find_first_of("()") != std::string::npos) {
    if (context.misclosed && name.find('(') == std::string::npos) return std::nullopt;
    return prefix + " holds a parenthesis.";
  }
  if (name.find_first_of("[]") != std::string::npos) return prefix + " holds a bracket.";
  if (name.find('|') != std::string::npos) return prefix + " holds \"|\": use + for OR.";
  if (name.find('&') != std::string::npos) return prefix + " holds \"&\": use * for AND.";
  if (name.find('!') != std::string::npos) return prefix + " holds \"!\": use not(...) for NOT.";
  if (name.find('~') != std::string::npos) return prefix + " holds \"~\": use not(...) for NOT.";
  if (name.find('\\') != std::string::npos) return prefix + " holds \"\\\": use / for XOR.";
  if (name.find('\'') != std::string::npos) return prefix + " holds \"'\": use not(...) for NOT.";
  if (!readable) return prefix + " holds characters the table does not read.";  // in a cut name
  return std::nullopt;
}

std::optional<std::string> Warning(const ListedLine& line, const LineContext& context) {
  switch (line.role) {
    case LineRole::kVariable: return VariableWarning(line.node, line.name, context);
    case LineRole::kNumber: return NumberWarning(line.node, context);
    case LineRole::kCall: return FunctionWarning(line.node, context);
    case LineRole::kLeaf: return LeafWithOperatorWarning(line.node->text);
    case LineRole::kOperator: return OperatorWarning(line.node->text);
    default: return std::nullopt;
  }
}

}  // namespace

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

std::string NoValueReason(const ListedLine& line, const FoldedConstants& folded) {
  const ExprNode* node = line.node;
  const std::string& text = node->text;
  if (line.role == LineRole::kNumber) {
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

std::vector<std::string> LineWarnings(const std::vector<ListedLine>& lines, const LineContext& context) {
  std::vector<std::string> warnings;
  for (const ListedLine& line : lines) {
    if (!line.node) break;  // without the nodes there is nothing to explain the lines by
    if (std::optional<std::string> warning = Warning(line, context)) warnings.push_back(std::move(*warning));
  }
  return warnings;
}

}  // namespace brevano
