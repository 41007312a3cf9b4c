// Draws the About window's own parts: its background, the emblem in its framed view, the two
// labels and the framed screenshot. The text box draws itself.
#pragma once

#include <windows.h>

#include <string>

#include "LayeredCanvas.h"
#include "WinIcons.h"

namespace quorvel::win {

struct AboutScene {
  int dpi = 96;
  const SlotPicture* emblem = nullptr;  // null: an empty view
  double emblemScale = 0.7;
  const SlotPicture* screenshot = nullptr;
  std::wstring version, rights;
  HFONT versionFont = nullptr, rightsFont = nullptr;
};

void PaintAbout(LayeredCanvas& canvas, const AboutScene& scene);

}  // namespace quorvel::win
