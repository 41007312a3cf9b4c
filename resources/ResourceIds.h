// Numeric ids of the program's resources, shared by the resource script and the code.
// Plain macros: the resource compiler reads this file too.
#pragma once

// The five menu glyphs, in image-list order (fileopen, edit, helpindx, doorshut, arrow1d):
// the glyph of index i is IDR_GLYPH_FIRST + i. Each is a 32 x 16 PNG; the menu shows its
// left half.
#define IDR_GLYPH_FIRST 101
#define IDR_GLYPH_FILEOPEN 101
#define IDR_GLYPH_EDIT 102
#define IDR_GLYPH_HELPINDX 103
#define IDR_GLYPH_DOORSHUT 104
#define IDR_GLYPH_ARROW1D 105

// The About window's pictures (PNG).
#define IDR_EMBLEM 110
#define IDR_SCREENSHOT 111
#define IDR_SIZEGRIP 112
