// The checks that need the typed text: cut names, calls read past their ")", mixed chains.
#include "frontend/typed_checks.h"

#include <algorithm>
#include <map>
#include <set>

#include "engine/text_tests.h"
#include "frontend/folded_constants.h"
#include "frontend/infix_text.h"
#include "frontend/listed_lines.h"

namespace brevano {

namespace {

constexpr std::size_t kQuotedLength = 40;

std::string Quoted(std::string_view text) {
  return "\"" + Abbreviated(std::string(text.substr(0, kQuotedLength + 1)), kQuotedLength) + "\"";
}

std::string_view Trimmed(std::string_view text) {
  while (!text.empty() && static_cast<unsigned char>(text.front()) < 33) text.remove_prefix(1);
  while (!text.empty() && static_cast<unsigned char>(text.back()) < 33) text.remove_suffix(1);
  return text;
}

bool EndsWith(std::string_view text, std::string_view suffix) {
  return text.size() >= suffix.size() && text.substr(text.size() - suffix.size()) == suffix;
}

bool IsChainOperator(const ExprNode* node) {
  return node->children.size() == 2 && (node->text == "*" || node->text == "/");
}

// Quoted texts joined as "a", "b" and "c".
std::string QuotedList(const std::set<std::string>& texts) {
  std::string list;
  std::size_t i = 0;
  for (const std::string& text : texts) {
    if (i > 0) list += i + 1 == texts.size() ? " and " : ", ";
    list += Quoted(text);
    ++i;
  }
  return list;
}

// For every "(" and "[" of `text`, where it is closed (npos when never); each kind is paired on
// its own, as a reader pairs them.
std::vector<std::size_t> Closings(std::string_view text) {
  std::vector<std::size_t> closing(text.size(), std::string_view::npos);
  std::vector<std::size_t> parens, brackets;
  for (std::size_t i = 0; i < text.size(); ++i) {
    std::vector<std::size_t>& open = text[i] == '(' || text[i] == ')' ? parens : brackets;
    if (text[i] == '(' || text[i] == '[') open.push_back(i);
    if ((text[i] == ')' || text[i] == ']') && !open.empty()) {
      closing[open.back()] = i;
      open.pop_back();
    }
  }
  return closing;
}

// The chain as read from the left, and as AND before XOR would read it; both only as far as a
// message shows them, so that a chain of any length costs time linear in its length.
std::pair<std::string, std::string> Readings(const std::vector<std::string_view>& operands,
                                             const std::vector<char>& ops) {
  constexpr std::size_t kShown = kQuotedLength + 1;
  std::vector<bool> closeBefore(ops.size(), false);  // a ")" before the operator
  std::size_t opened = 0;
  bool xorSince = false;  // a "/" since the last parentheses
  for (std::size_t i = 0; i < ops.size(); ++i) {
    if (ops[i] == '*' && xorSince) {
      closeBefore[i] = true;
      ++opened;
      xorSince = false;
    }
    xorSince = xorSince || ops[i] == '/';
  }
  const auto shown = [](std::string_view operand) { return operand.substr(0, kShown + 1); };
  std::string left(std::min(opened, kShown), '(');
  left += shown(operands[0]);
  for (std::size_t i = 0; i < ops.size() && left.size() <= kShown; ++i) {
    if (closeBefore[i]) left += ')';
    left += ops[i];
    left += shown(operands[i + 1]);
  }
  std::string usual;
  for (std::size_t start = 0; start < operands.size() && usual.size() <= kShown;) {
    std::size_t end = start + 1;
    while (end < operands.size() && ops[end - 1] == '*') ++end;
    std::string product(shown(operands[start]));
    for (std::size_t i = start + 1; i < end && product.size() <= kShown; ++i) {
      product += '*';
      product += shown(operands[i]);
    }
    usual += start == 0 ? product : "/" + (end - start > 1 ? "(" + product + ")" : product);
    start = end;
  }
  return {left, usual};
}

}  // namespace

// Names are compared as the table compares columns (blanks dropped at both ends, letters upper-cased);
// each is shown as first typed in byte order, so that the text does not depend on the parse order.
DroppedParts FindDroppedParts(const TypedReading& reading) {
  DroppedParts dropped;
  if (!FirstNode(reading.tree)) return dropped;
  const std::vector<const ExprNode*> order = PreOrderNodes(FirstNode(reading.tree));
  const auto binary = [](const ExprNode* n, const char* op) {
    return n->children.size() == 2 && n->text == op;
  };
  const std::unordered_set<const ExprNode*> zeros = ZeroParts(order);
  const auto zero = [&zeros](const ExprNode* n) { return zeros.count(n) > 0; };
  // In pre-order a dropped operand comes before everything inside it.
  for (const ExprNode* node : order) {
    const ExprNode* parent = node->parent;
    if (dropped.inside.count(parent) || (parent && binary(parent, "*") && !zero(node) && zero(parent))) {
      if (!dropped.inside.count(parent)) dropped.roots.push_back(node);
      dropped.inside.insert(node);
    } else if (binary(node, "-") && zero(node->children[1])) {
      dropped.operators.push_back(node);
    }
  }
  return dropped;
}

std::vector<std::string> CutNameWarnings(const TypedReading& reading,
                                         const std::vector<std::string>& columns) {
  struct Name {
    std::string shown;
    std::set<std::string> columns;
    bool cut = false;
  };
  std::map<std::string, Name> names;                      // by the name as the table compares it
  std::map<std::string, std::set<std::string>> byColumn;  // column → names as compared
  for (const auto& [node, piece] : reading.pieces) {
    const std::string column = NormaliseLine(node->text);
    if (!node->children.empty() || !std::binary_search(columns.begin(), columns.end(), column)) continue;
    const std::string typed(Trimmed(reading.Text(node)));
    Name& name = names[NormaliseLine(typed)];
    if (name.shown.empty() || typed < name.shown) name.shown = typed;
    name.columns.insert(column);
    name.cut = name.cut || NormaliseLine(typed) != column;
    byColumn[column].insert(NormaliseLine(typed));
  }
  std::vector<std::string> warnings;
  const std::string cutTo = std::to_string(kMaxNameLength) + " characters";
  std::set<std::string> told;
  for (const auto& [column, typed] : byColumn) {
    if (typed.size() < 2 || std::none_of(typed.begin(), typed.end(), [&](auto& n) { return names[n].cut; }))
      continue;
    std::set<std::string> shown;
    for (const std::string& n : typed) shown.insert(names[n].shown);
    told.insert(typed.begin(), typed.end());
    warnings.push_back("The names " + QuotedList(shown) + " become one column, " + Quoted(column) +
                       ": names are cut to their first " + cutTo + ".");
  }
  for (const auto& [compared, name] : names) {
    if (!name.cut || told.count(compared)) continue;
    warnings.push_back("The name " + Quoted(name.shown) + " is cut to its first " + cutTo +
                       (name.columns.size() == 1 ? ": its column is " + Quoted(*name.columns.begin()) + "."
                                                 : ", blanks before it included: it gives the columns " +
                                                       QuotedList(name.columns) + "."));
  }
  return warnings;
}

std::vector<std::string> ClosingWarnings(const TypedReading& reading, const DroppedParts& dropped) {
  std::map<std::size_t, std::string> byPosition;
  const std::vector<std::size_t> closings = Closings(reading.statement);
  for (const auto& [node, piece] : reading.pieces) {
    if (!EndsWith(node->text, " @F") && !EndsWith(node->text, " @A")) continue;
    if (dropped.inside.count(node)) continue;
    const std::string_view text = reading.Text(node);
    const std::size_t open = text.find_first_of("([");
    if (open == std::string_view::npos) continue;
    const std::size_t at = closings[piece.begin + open];
    if (at == std::string_view::npos || at >= piece.end || at + 1 == piece.end)
      continue;  // unpaired, or closed
    const std::size_t close = at - piece.begin;
    const std::string closer(1, text[close]);
    const std::string closing = closer == ")" ? "the closing parenthesis" : "the closing bracket";
    const bool blank = Trimmed(text.substr(close + 1)).empty();
    byPosition[piece.begin] =
        "In " + Quoted(text) + ", " +
        (blank ? "the blank after \"" + closer + "\" is read as " + closing + ", and the \"" + closer +
                     "\" as part of a name: write no blank after \"" + closer + "\"."
               : "the last character is read as " + closing + ", and the first \"" + closer +
                     "\" as part of a name: put an operator between the parts.");
  }
  std::vector<std::string> warnings;
  for (auto& [position, warning] : byPosition) warnings.push_back(std::move(warning));
  return warnings;
}

std::vector<std::string> SeparatorWarnings(const TypedReading& reading) {
  std::map<std::size_t, std::string> byPosition;
  for (const auto& [node, piece] : reading.pieces) {
    const std::string& t = node->text;
    if (node->children.size() < 3 || EndsWith(t, " @F") || EndsWith(t, " @A") || t.empty()) continue;
    byPosition[piece.begin] = "A \";\" inside parentheses makes " +
                              Quoted(Trimmed(reading.Text(node->children[2]))) + " a third operand of " +
                              Quoted(t) + ": \";\" separates only the arguments of a call.";
  }
  std::vector<std::string> warnings;
  for (auto& [position, warning] : byPosition) warnings.push_back(std::move(warning));
  return warnings;
}

std::vector<std::string> GroupingWarnings(const TypedReading& reading, const DroppedParts& dropped) {
  const auto pieceOf = [&reading](const ExprNode* n) -> const ParsedPiece* {
    const auto found = reading.pieces.find(n);
    return found == reading.pieces.end() ? nullptr : &found->second;
  };
  std::map<std::size_t, std::string> byPosition;
  for (const auto& [node, piece] : reading.pieces) {
    if (!IsChainOperator(node) || dropped.inside.count(node)) continue;
    const ExprNode* parent = node->parent;
    const bool linked = piece.begin == piece.outer;  // not in parentheses of its own
    if (parent && IsChainOperator(parent) && parent->children[0] == node && linked) continue;
    // The chain's operators and operands from the right, down its left spine; the operator of
    // each link stands just before its right operand's piece.
    std::vector<std::string_view> operands;
    std::vector<char> ops;
    for (const ExprNode* n = node;;) {
      const ParsedPiece* own = pieceOf(n);
      const ParsedPiece* right = pieceOf(n->children[1]);
      const ParsedPiece* left = pieceOf(n->children[0]);
      if (!own || !right || !left) break;
      ops.push_back(n->text[0]);
      operands.push_back(Trimmed(reading.statement.substr(right->outer, own->end - right->outer)));
      if (!IsChainOperator(n->children[0]) || left->begin != left->outer) {
        operands.push_back(Trimmed(reading.statement.substr(own->begin, right->outer - 1 - own->begin)));
        break;
      }
      n = n->children[0];
    }
    if (ops.empty() || operands.size() != ops.size() + 1) continue;
    std::reverse(operands.begin(), operands.end());
    std::reverse(ops.begin(), ops.end());
    const auto slash = std::find(ops.begin(), ops.end(), '/');
    if (std::find(slash, ops.end(), '*') == ops.end()) continue;
    const auto [left, usual] = Readings(operands, ops);
    byPosition[piece.begin] = Quoted(Trimmed(reading.Text(node))) + " is read as " + Abbreviated(left) +
                              ": * and / bind alike and group from the left; for AND before XOR write " +
                              Abbreviated(usual) + ".";
  }
  std::vector<std::string> warnings;
  for (auto& [position, warning] : byPosition) warnings.push_back(std::move(warning));
  return warnings;
}

}  // namespace brevano
