// What a map window shows: the cover chosen, and which group stands out by pointer or selection.
#pragma once

#include <array>
#include <optional>

#include "kmap/kmap_layout.h"
#include "kmap/kmap_picture.h"

namespace brevano {

/// The map of one table with its two least covers, each computed when first shown, and the term
/// that stands out: the one under the pointer (on the map or in the term list), else the selected one.
class KmapState {
 public:
  explicit KmapState(KmapLayout layout);

  const KmapLayout& Layout() const { return layout_; }
  /// The cover shown.
  KmapCoverKind Kind() const { return kind_; }
  /// Shows another cover; the hovered and the selected term are cleared. False when unchanged.
  bool SetKind(KmapCoverKind kind);
  /// The cover shown.
  const KmapCover& Cover();

  /// Sets the term under the pointer (-1 for none; out of range counts as none). False when unchanged.
  bool SetHovered(int term);
  /// Sets the selected term, likewise.
  bool SetSelected(int term);
  int Hovered() const { return hovered_; }
  int Selected() const { return selected_; }
  /// The term drawn stronger, or -1.
  int Highlighted() const { return hovered_ >= 0 ? hovered_ : selected_; }

  /// The picture of the cover shown with the highlighted term.
  KmapPicture Picture(const KmapTheme& theme, bool legend);

 private:
  int Checked(int term);

  KmapLayout layout_;
  KmapCoverKind kind_ = KmapCoverKind::kSumOfProducts;
  std::array<std::optional<KmapCover>, 3> covers_;
  int hovered_ = -1;
  int selected_ = -1;
};

}  // namespace brevano
