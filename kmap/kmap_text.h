// A Karnaugh map as plain text: the grid with its Gray-code labels, then the cover's terms.
#pragma once

#include <string>

#include "kmap/kmap_layout.h"

namespace brevano {

/// The map as lines of text: for each layer (5 and 6 variables: side by side as in the picture,
/// each titled "A = 0"), the column title, a line with the row title and the column codes, then a
/// line per row with its code and the cells' values in the table's display mode. For a cover, a
/// blank line, its title with the whole form, and each term indented on a line of its own.
std::string KmapText(const KmapLayout& layout, const KmapCover& cover);

}  // namespace brevano
