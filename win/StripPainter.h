// Draws the strip: the tab control, its headers and the visible tab's slot pictures.
#pragma once

#include "LayeredCanvas.h"
#include "SlotGrid.h"
#include "StripGeometry.h"

namespace quorvel::win {

struct StripState {
  int activeTab = 0;
  int hotHeader = -1;  // the header under the mouse, -1 for none
  int dropSlot = -1;   // the slot outlined while a drag is over it
};

void PaintStrip(LayeredCanvas& canvas, const StripGeometry& geometry, const SlotGrid& grid,
                const StripState& state, HFONT font);

// A Japanese-capable UI face, the first installed of the preferred ones, `logicalHeight` pixels
// high at 96 DPI and scaled to `dpi`.
UniqueFont CreateUiFont(int dpi, int logicalHeight = 12);

}  // namespace quorvel::win
