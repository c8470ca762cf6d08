// A Karnaugh map's picture written as an SVG document.
#pragma once

#include <string>

#include "kmap/kmap_picture.h"

namespace brevano {

/// The picture as a standalone SVG 1.1 document in UTF-8, one element per display-list item; each
/// cell's rectangle has class "cell" and its table row in data-row. Texts that are not valid UTF-8,
/// and control characters, are written as U+FFFD.
std::string KmapSvg(const KmapPicture& picture);

}  // namespace brevano
