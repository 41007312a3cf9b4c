#include "MenuGlyphs.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include "Raster.h"
#include "ResourceIds.h"
#include "ResourcePictures.h"
#include "TopDownDib.h"

namespace quorvel::win {

namespace {

constexpr int kGlyphCount = 5;

UniqueBitmap MakeBitmap(const std::vector<std::uint32_t>& pixels, int side) {
  BITMAPINFO bi = TopDown32(side, side);
  void* bits = nullptr;
  UniqueBitmap bitmap(CreateDIBSection(nullptr, &bi, DIB_RGB_COLORS, &bits, nullptr, 0));
  if (bitmap && bits)
    std::memcpy(bits, pixels.data(), pixels.size() * sizeof(std::uint32_t));
  return bitmap;
}

}  // namespace

std::vector<std::uint32_t> ScaledGlyph(const SlotPicture& picture, int glyph, int side) {
  std::vector<std::uint32_t> out(static_cast<std::size_t>(side) * side, 0);
  const int have = std::min({glyph, picture.Width(), picture.Height()});
  if (have <= 0 || side <= 0)
    return out;
  const auto at = [&](int x, int y) {
    return picture.At(std::clamp(x, 0, have - 1), std::clamp(y, 0, have - 1));
  };
  const bool whole = side % have == 0;
  for (int y = 0; y < side; ++y) {
    for (int x = 0; x < side; ++x) {
      std::uint32_t& d = out[static_cast<std::size_t>(y) * side + x];
      if (whole) {
        d = at(x * have / side, y * have / side);
        continue;
      }
      // Bilinear on premultiplied pixels, sampled at the centre of the target pixel.
      const double sx = (x + 0.5) * have / side - 0.5, sy = (y + 0.5) * have / side - 0.5;
      const int x0 = static_cast<int>(std::floor(sx)), y0 = static_cast<int>(std::floor(sy));
      const double fx = sx - x0, fy = sy - y0;
      d = LerpArgb(LerpArgb(at(x0, y0), at(x0 + 1, y0), fx),
                   LerpArgb(at(x0, y0 + 1), at(x0 + 1, y0 + 1), fx), fy);
    }
  }
  return out;
}

MenuGlyphs::MenuGlyphs(std::vector<std::shared_ptr<const SlotPicture>> pictures)
    : pictures_(std::move(pictures)) {}

MenuGlyphs MenuGlyphs::FromResources() {
  return MenuGlyphs(Source([](int i) { return LoadPictureResource(IDR_GLYPH_FIRST + i); }));
}

HBITMAP MenuGlyphs::At(int index, int side) {
  if (source_) {
    for (int i = 0; i < kGlyphCount; ++i)
      pictures_.push_back(source_(i));
    source_ = nullptr;
  }
  if (index < 0 || index >= static_cast<int>(pictures_.size()) || !pictures_[index] || side <= 0)
    return nullptr;
  if (side != madeSide_) {
    made_.clear();
    made_.resize(pictures_.size());
    madeSide_ = side;
  }
  if (!made_[index])
    made_[index] = MakeBitmap(ScaledGlyph(*pictures_[index], kGlyphSize, side), side);
  return made_[index].get();
}

}  // namespace quorvel::win
