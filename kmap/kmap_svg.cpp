// A Karnaugh map's picture as SVG: each cell's rectangle carries its table row.
#include "kmap/kmap_svg.h"

#include "picture/picture_svg.h"

namespace brevano {

std::string KmapSvg(const KmapPicture& picture) { return PictureSvg(picture, {{"cell", "data-row"}}); }

}  // namespace brevano
