// The signs people paste from textbooks and other tools, and what each means in this program.
#include "frontend/foreign_signs.h"

namespace brevano {

namespace {

enum class Meaning { kAnd, kOr, kNot, kXor, kImplies, kEquivalent, kNand, kNor, kTrue, kFalse };

struct Sign {
  std::string_view text;
  Meaning meaning;
};

constexpr Sign kSigns[] = {
    {"∧", Meaning::kAnd},        {"⋀", Meaning::kAnd},        {"·", Meaning::kAnd},
    {"⋅", Meaning::kAnd},        {"∙", Meaning::kAnd},        {"×", Meaning::kAnd},
    {"∨", Meaning::kOr},         {"⋁", Meaning::kOr},         {"¬", Meaning::kNot},
    {"∼", Meaning::kNot},        {"’", Meaning::kNot},        {"′", Meaning::kNot},
    {"¯", Meaning::kNot},        {"⊕", Meaning::kXor},        {"⊻", Meaning::kXor},
    {"≢", Meaning::kXor},        {"↮", Meaning::kXor},        {"≠", Meaning::kXor},
    {"→", Meaning::kImplies},    {"⇒", Meaning::kImplies},    {"⊃", Meaning::kImplies},
    {"⟶", Meaning::kImplies},    {"⟹", Meaning::kImplies},    {"↔", Meaning::kEquivalent},
    {"⇔", Meaning::kEquivalent}, {"≡", Meaning::kEquivalent}, {"⟷", Meaning::kEquivalent},
    {"⟺", Meaning::kEquivalent}, {"⊙", Meaning::kEquivalent}, {"⊼", Meaning::kNand},
    {"↑", Meaning::kNand},       {"⊽", Meaning::kNor},        {"↓", Meaning::kNor},
    {"⊤", Meaning::kTrue},       {"⊥", Meaning::kFalse},
};

std::string Hint(const Sign& sign) {
  const std::string example = "a" + std::string(sign.text) + "b as ";
  switch (sign.meaning) {
    case Meaning::kAnd: return "use * for AND";
    case Meaning::kOr: return "use + for OR";
    case Meaning::kNot: return "use not(...) for NOT";
    case Meaning::kXor: return "use / for XOR";
    case Meaning::kImplies: return "write " + example + "not(a)+b";
    case Meaning::kEquivalent: return "write " + example + "not(a/b)";
    case Meaning::kNand: return "write " + example + "not(a*b)";
    case Meaning::kNor: return "write " + example + "not(a+b)";
    case Meaning::kTrue: return "write 1 for true";
    case Meaning::kFalse: return "write 0 for false";
  }
  return {};
}

}  // namespace

std::optional<ForeignSign> FindForeignSign(std::string_view text) {
  // Every sign is two or three bytes of UTF-8, led by a byte of 0xC2 or more.
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (static_cast<unsigned char>(text[i]) < 0xC2) continue;
    for (const Sign& sign : kSigns) {
      if (text.substr(i, sign.text.size()) == sign.text) return ForeignSign{sign.text, Hint(sign)};
    }
  }
  return std::nullopt;
}

}  // namespace brevano
