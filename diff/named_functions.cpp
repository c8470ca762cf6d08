// Derivatives of the named elementary functions (sin, ln, sqrt, ...) as result shapes.
#include "diff/named_functions.h"

#include <unordered_map>

namespace brevano {

namespace {

// Each row is the chain rule for one function of one argument u: the outer derivative at u
// combined with u'. Names in one row are synonyms and share the shape.
struct NamedRule {
  std::string_view names[2];
  std::string_view shape;
};

constexpr NamedRule kNamedRules[] = {
    {{"sin @F"}, "*{cos @F{u}, u'}"},
    {{"cos @F"}, "*{neg @F{sin @F{u}}, u'}"},
    {{"tan @F", "tg @F"}, "/{u', sqr @F{cos @F{u}}}"},
    {{"ctan @F", "ctg @F"}, "neg @F{/{u', sqr @F{sin @F{u}}}}"},
    {{"asin @F", "arcsin @F"}, "/{u', sqrt @F{-{1, sqr @F{u}}}}"},
    {{"acos @F", "arccos @F"}, "neg @F{/{u', sqrt @F{-{1, sqr @F{u}}}}}"},
    {{"atan @F", "atg @F"}, "/{u', +{1, sqr @F{u}}}"},
    {{"actan @F", "actg @F"}, "neg @F{/{u', +{1, sqr @F{u}}}}"},
    {{"abs @F"}, "*{u', sgn @F{u}}"},
    {{"sqr @F"}, "*{u', *{2, u}}"},
    {{"sqr2 @F"}, "*{u', *{4, *{u, sqr @F{u}}}}"},
    {{"sqrt @F"}, "/{u', *{2, sqrt @F{u}}}"},
    {{"sqrt3 @F"}, "/{u', *{3, sqrt3 @F{sqr @F{u}}}}"},
    {{"sh @F"}, "*{ch @F{u}, u'}"},
    {{"ch @F"}, "*{sh @F{u}, u'}"},
    {{"th @F"}, "/{u', sqr @F{ch @F{u}}}"},
    {{"exp @F"}, "*{u', exp @F{u}}"},
    {{"ln @F"}, "/{u', u}"},
    {{"lg @F"}, "/{u', *{u, ln @F{10}}}"},
    {{"log2 @F", "lg2 @F"}, "/{u', *{u, ln @F{2}}}"},
};

using ShapeTable = std::unordered_map<std::string_view, Shape>;

ShapeTable CompileNamedRules() {
  ShapeTable table;
  for (const NamedRule& rule : kNamedRules) {
    for (std::string_view name : rule.names) {
      if (!name.empty()) table.emplace(name, CompileShape(rule.shape));
    }
  }
  return table;
}

}  // namespace

const Shape* NamedFunctionShape(std::string_view text) {
  static const ShapeTable table = CompileNamedRules();
  const auto it = table.find(text);
  return it == table.end() ? nullptr : &it->second;
}

}  // namespace brevano
