// The popup menu's glyphs: the left 16 x 16 half of each image-list picture, at the menu's DPI.
#pragma once

#include <windows.h>

#include <memory>
#include <vector>

#include "Handles.h"
#include "WinIcons.h"

namespace quorvel::win {

class MenuGlyphs {
 public:
  static constexpr int kGlyphSize = 16;

  // The image list's pictures in index order; an entry may be null.
  explicit MenuGlyphs(std::vector<std::shared_ptr<const SlotPicture>> pictures);
  // The five pictures carried by the executable.
  static MenuGlyphs FromResources();

  // A premultiplied 32-bit bitmap `side` pixels square of glyph `index`; null for an index
  // without a picture (-1 among them). Kept until a call asks for another side.
  HBITMAP At(int index, int side);

 private:
  std::vector<std::shared_ptr<const SlotPicture>> pictures_;
  std::vector<UniqueBitmap> made_;
  int madeSide_ = 0;
};

// The glyph part of `picture` (its left square of `glyph` pixels) resampled to `side` pixels:
// whole multiples repeat pixels so the drawing stays crisp, other sizes interpolate.
std::vector<std::uint32_t> ScaledGlyph(const SlotPicture& picture, int glyph, int side);

}  // namespace quorvel::win
