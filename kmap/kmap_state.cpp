// The state of a map window: covers computed on first use, the hovered and the selected term.
#include "kmap/kmap_state.h"

namespace brevano {

KmapState::KmapState(KmapLayout layout) : layout_(std::move(layout)) {}

bool KmapState::SetKind(KmapCoverKind kind) {
  if (kind == kind_) return false;
  kind_ = kind;
  hovered_ = selected_ = -1;
  return true;
}

const KmapCover& KmapState::Cover() {
  std::optional<KmapCover>& cover = covers_[static_cast<std::size_t>(kind_)];
  if (!cover) cover = LeastKmapCover(layout_, kind_);
  return *cover;
}

int KmapState::Checked(int term) {
  return term >= 0 && term < static_cast<int>(Cover().terms.size()) ? term : -1;
}

bool KmapState::SetHovered(int term) {
  term = Checked(term);
  if (term == hovered_) return false;
  hovered_ = term;
  return true;
}

bool KmapState::SetSelected(int term) {
  term = Checked(term);
  if (term == selected_) return false;
  selected_ = term;
  return true;
}

KmapPicture KmapState::Picture(const KmapTheme& theme, bool legend) {
  KmapPictureOptions options;
  options.theme = theme;
  options.highlightTerm = Highlighted();
  options.legend = legend;
  return DrawKmap(layout_, Cover(), options);
}

}  // namespace brevano
