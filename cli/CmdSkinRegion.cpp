// qalbum skin region FILE NAME --mask RRGGBB: the rectangles of the region that
// the non-mask pixels of a graphics stream file's picture make, one
// "left top right bottom" line each, then their count.
#include <cctype>
#include <iostream>
#include <optional>
#include <vector>

#include "base/Errors.h"
#include "base/Bitmap.h"
#include "cli/Commands.h"
#include "cli/Messages.h"
#include "cli/SkinPicture.h"
#include "skin/MaskRegion.h"

namespace cli {

namespace {

// "RRGGBB" as written in HTML, turned into 0x00BBGGRR.
std::optional<uint32_t> parseMaskColor(const std::string& text) {
  if (text.size() != 6) return std::nullopt;
  uint32_t rgb = 0;
  for (char c : text) {
    if (!std::isxdigit(static_cast<unsigned char>(c))) return std::nullopt;
    rgb = rgb * 16 + static_cast<uint32_t>(std::isdigit(static_cast<unsigned char>(c)) ? c - '0'
                                                                                       : std::tolower(c) - 'a' + 10);
  }
  return ((rgb >> 16) & 0xFF) | (rgb & 0xFF00) | ((rgb & 0xFF) << 16);
}

}  // namespace

int runSkinRegion(const Invocation& call) {
  const std::string colour = *call.value("--mask");
  const std::optional<uint32_t> mask = parseMaskColor(colour);
  if (!mask) throw UsageError(base::formatMessage(msg::InvalidMaskColour, {colour}));
  const Args& positional = call.args;

  skin::TVsGraphics graphics;
  const base::Bitmap* bitmap = findSkinPicture(graphics, positional[0], positional[1]);
  if (bitmap == nullptr) return 1;

  skin::RegionData region;
  skin::BuildMaskRegion(0, 0, *bitmap, *mask, region);
  const std::vector<skin::RgnRect> rects = region.Rects();
  for (const skin::RgnRect& r : rects) std::cout << r.left << ' ' << r.top << ' ' << r.right << ' ' << r.bottom << '\n';
  std::cout << rects.size() << '\n';
  return 0;
}

}  // namespace cli
