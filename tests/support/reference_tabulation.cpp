// The plain tabulation, line by line on strings and a byte stack.
#include "tests/support/reference_tabulation.h"

#include "engine/engine_error.h"

namespace brevano::testing {

namespace {

std::string Normalise(const std::string& line) {
  std::size_t begin = 0;
  std::size_t end = line.size();
  while (begin < end && static_cast<unsigned char>(line[begin]) < 33) ++begin;
  while (end > begin && static_cast<unsigned char>(line[end - 1]) < 33) --end;
  std::string out = line.substr(begin, end - begin);
  for (char& c : out) {
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 32);
  }
  return out;
}

// Byte by byte; a prefix comes before the longer text.
bool Greater(const std::string& left, const std::string& right) {
  for (std::size_t i = 0; i < left.size() && i < right.size(); ++i) {
    const auto l = static_cast<unsigned char>(left[i]);
    const auto r = static_cast<unsigned char>(right[i]);
    if (l != r) return l > r;
  }
  return left.size() > right.size();
}

}  // namespace

ReferenceTabulator::ReferenceTabulator(const Listing& listing) : listing_(listing), slots_(1, 0) {
  for (std::size_t i = listing.size(); i-- > 0;) {
    const std::string line = Normalise(listing[i]);
    if (line.find("@N") != std::string::npos || line.find("@F") != std::string::npos) continue;
    bool known = false;
    for (const std::string& variable : variables_) known = known || variable == line;
    if (!known) variables_.push_back(line);
  }
  for (std::size_t pass = 0; pass < variables_.size(); ++pass) {
    for (std::size_t i = 0; i + 1 < variables_.size(); ++i) {
      if (Greater(variables_[i], variables_[i + 1])) std::swap(variables_[i], variables_[i + 1]);
    }
  }
  values_.assign(variables_.size(), 0);
}

int ReferenceTabulator::Evaluate() {
  std::size_t sp = 0;
  auto pop = [&] {
    if (sp == 0) throw EngineError("empty stack");
    return slots_[--sp];
  };
  auto push = [&](std::uint8_t value) {
    if (sp == slots_.size()) slots_.push_back(0);
    slots_[sp++] = value;
  };
  for (std::size_t i = listing_.size(); i-- > 0;) {
    const std::string line = Normalise(listing_[i]);
    if (line == "+ @F") {
      push(pop() | pop());
    } else if (line == "* @F") {
      push(pop() & pop());
    } else if (line == "/ @F") {
      push(pop() ^ pop());
    } else if (line == "NOT @F") {
      push(pop() ^ 1);
    } else if (line == "1 @N") {
      push(1);
    } else if (line == "0 @N") {
      push(0);
    } else {
      for (std::size_t v = 0; v < variables_.size(); ++v) {
        if (variables_[v] == line) push(values_[v]);
      }
    }
  }
  return slots_[0];
}

bool ReferenceTabulator::Advance() {
  bool allOnes = true;
  for (std::uint8_t value : values_) allOnes = allOnes && value == 1;
  if (allOnes) return false;
  for (std::size_t i = values_.size(); i-- > 0;) {
    if (values_[i] == 0) {
      values_[i] = 1;
      break;
    }
    values_[i] = 0;
  }
  return true;
}

ReferenceTable TabulateByReference(const Listing& listing, DisplayMode mode) {
  ReferenceTabulator tabulator(listing);
  ReferenceTable table{tabulator.Variables(), {}};
  table.captions.push_back("Result");
  do {
    const int result = tabulator.Evaluate();
    std::vector<std::string> row;
    for (std::uint8_t value : tabulator.Values()) row.push_back(BoolToText(value, mode));
    row.push_back(BoolToText(result, mode));
    table.rows.push_back(std::move(row));
  } while (tabulator.Advance());
  return table;
}

}  // namespace brevano::testing
