// A small numeric evaluator for the property checks of the differentiator tests.
#include "tests/diff/numeric_evaluator.h"

#include <cmath>
#include <functional>
#include <map>
#include <numbers>
#include <stdexcept>

namespace brevano::testing {

namespace {

using Unary = std::function<double(double)>;
using Binary = std::function<double(double, double)>;

const std::map<std::string, Unary>& UnaryFunctions() {
  static const std::map<std::string, Unary> functions = {
      {"neg @F", [](double u) { return -u; }},
      {"rad @F", [](double u) { return u * std::numbers::pi / 180; }},
      {"sin @F", [](double u) { return std::sin(u); }},
      {"cos @F", [](double u) { return std::cos(u); }},
      {"tan @F", [](double u) { return std::tan(u); }},
      {"tg @F", [](double u) { return std::tan(u); }},
      {"ctan @F", [](double u) { return 1 / std::tan(u); }},
      {"ctg @F", [](double u) { return 1 / std::tan(u); }},
      {"asin @F", [](double u) { return std::asin(u); }},
      {"arcsin @F", [](double u) { return std::asin(u); }},
      {"acos @F", [](double u) { return std::acos(u); }},
      {"arccos @F", [](double u) { return std::acos(u); }},
      {"atan @F", [](double u) { return std::atan(u); }},
      {"atg @F", [](double u) { return std::atan(u); }},
      {"actan @F", [](double u) { return std::numbers::pi / 2 - std::atan(u); }},
      {"actg @F", [](double u) { return std::numbers::pi / 2 - std::atan(u); }},
      {"abs @F", [](double u) { return std::fabs(u); }},
      {"sgn @F", [](double u) { return static_cast<double>((u > 0) - (u < 0)); }},
      {"sqr @F", [](double u) { return u * u; }},
      {"sqr2 @F", [](double u) { return u * u * u * u; }},
      {"sqrt @F", [](double u) { return std::sqrt(u); }},
      {"sqrt3 @F", [](double u) { return std::cbrt(u); }},
      {"sh @F", [](double u) { return std::sinh(u); }},
      {"ch @F", [](double u) { return std::cosh(u); }},
      {"th @F", [](double u) { return std::tanh(u); }},
      {"exp @F", [](double u) { return std::exp(u); }},
      {"ln @F", [](double u) { return std::log(u); }},
      {"lg @F", [](double u) { return std::log10(u); }},
      {"log2 @F", [](double u) { return std::log2(u); }},
      {"lg2 @F", [](double u) { return std::log2(u); }},
  };
  return functions;
}

const std::map<std::string, Binary>& BinaryOperators() {
  static const std::map<std::string, Binary> operators = {
      {"+", std::plus<double>()},
      {"-", std::minus<double>()},
      {"*", std::multiplies<double>()},
      {"/", std::divides<double>()},
      {"\\", std::divides<double>()},
      {"^", [](double a, double b) { return std::pow(a, b); }},
      {"pow @F", [](double a, double b) { return std::pow(a, b); }},
      {"power @F", [](double a, double b) { return std::pow(a, b); }},
  };
  return operators;
}

}  // namespace

double EvaluateAt(const ExprNode* node, double x) {
  const std::string& text = NodeText(node);
  const int count = ChildCount(node);
  if (count == 0) {
    if (text == "x") return x;
    std::size_t used = 0;
    const double value = std::stod(text, &used);
    if (used != text.size()) throw std::invalid_argument("not a number: " + text);
    return value;
  }
  if (count == 1) {
    if (auto it = UnaryFunctions().find(text); it != UnaryFunctions().end()) {
      return it->second(EvaluateAt(ChildAt(node, 0), x));
    }
  }
  if (count == 2) {
    if (auto it = BinaryOperators().find(text); it != BinaryOperators().end()) {
      return it->second(EvaluateAt(ChildAt(node, 0), x), EvaluateAt(ChildAt(node, 1), x));
    }
  }
  throw std::invalid_argument("cannot evaluate: " + text);
}

}  // namespace brevano::testing
