// The popup menu's glyphs: the left 16 x 16 half of each image-list picture, at the menu's DPI.
#pragma once

#include <windows.h>

#include <functional>
#include <memory>
#include <vector>

#include "Handles.h"
#include "WinIcons.h"

namespace quorvel::win {

class MenuGlyphs {
 public:
  static constexpr int kGlyphSize = 16;

  using Source = std::function<std::shared_ptr<const SlotPicture>(int index)>;

  // The image list's pictures in index order; an entry may be null.
  explicit MenuGlyphs(std::vector<std::shared_ptr<const SlotPicture>> pictures);
  // The five pictures carried by the executable, decoded when the menu first needs one: the
  // codecs stay unloaded through start-up.
  static MenuGlyphs FromResources();

  // A premultiplied 32-bit bitmap `side` pixels square of glyph `index`; null for an index
  // without a picture (-1 among them). Kept until a call asks for another side.
  HBITMAP At(int index, int side);

 private:
  explicit MenuGlyphs(Source source) : source_(std::move(source)) {}

  Source source_;  // set until the pictures are taken
  std::vector<std::shared_ptr<const SlotPicture>> pictures_;
  std::vector<UniqueBitmap> made_;
  int madeSide_ = 0;
};

// The glyph part of `picture` (its left square of `glyph` pixels) resampled to `side` pixels:
// whole multiples repeat pixels so the drawing stays crisp, other sizes interpolate.
std::vector<std::uint32_t> ScaledGlyph(const SlotPicture& picture, int glyph, int side);

}  // namespace quorvel::win
