// The expression history of the edit box.
#include "app/expression_history.h"

#include <algorithm>

namespace brevano {

void ExpressionHistory::Add(const std::string& text) {
  entries_.erase(std::remove(entries_.begin(), entries_.end(), text), entries_.end());
  entries_.push_back(text);
  if (entries_.size() > kMaxHistoryEntries) entries_.erase(entries_.begin());
  Restart();
}

std::optional<std::string> ExpressionHistory::Older(const std::string& current) {
  if (position_ == 0) return std::nullopt;
  if (position_ == entries_.size()) draft_ = current;
  return entries_[--position_];
}

std::optional<std::string> ExpressionHistory::Newer() {
  if (position_ >= entries_.size()) return std::nullopt;
  ++position_;
  return position_ == entries_.size() ? draft_ : entries_[position_];
}

}  // namespace brevano
