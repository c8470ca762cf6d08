// The expressions tabulated while the program runs, stepped through with Up and Down as a shell does.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

namespace brevano {

/// Most expressions the history keeps; the oldest go first.
inline constexpr std::size_t kMaxHistoryEntries = 200;

/// The history of the edit box: the expressions tabulated, oldest first, each once, and while the
/// user steps through them, the entry shown and the text that was being typed (the draft).
/// Nothing is written anywhere: the history ends with the program.
class ExpressionHistory {
 public:
  /// Records `text` as the newest entry (an equal older entry is dropped) and ends the stepping.
  void Add(const std::string& text);
  /// Ends the stepping: the next Older starts from the newest entry again.
  void Restart() { position_ = entries_.size(); }
  /// Up: the entry before the one shown, `current` being kept as the draft when the stepping
  /// starts; nullopt at the oldest entry.
  std::optional<std::string> Older(const std::string& current);
  /// Down: the entry after the one shown, or the draft after the newest; nullopt when not stepping.
  std::optional<std::string> Newer();
  /// The entries, oldest first.
  const std::vector<std::string>& Entries() const { return entries_; }

 private:
  std::vector<std::string> entries_;
  std::size_t position_ = 0;  // the entry shown; entries_.size() while the draft is shown
  std::string draft_;
};

}  // namespace brevano
