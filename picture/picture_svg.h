// A picture written as an SVG document.
#pragma once

#include <string>

#include "picture/picture.h"

namespace brevano {

/// Which items carry their key as an attribute: those of role `role`, as `attribute`.
struct SvgKeyAttribute {
  std::string role;
  std::string attribute;
};

/// The picture as a standalone SVG 1.1 document in UTF-8, one element per display-list item, each
/// with its role as its class; the items named by `keyed` carry their key. Texts that are not
/// valid UTF-8, and control characters, are written as U+FFFD.
std::string PictureSvg(const Picture& picture, const std::vector<SvgKeyAttribute>& keyed = {});

}  // namespace brevano
