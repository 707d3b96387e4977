// Shared colour routines: the recent and custom colour lists offered by the colour
// pickers, colour resolution and interpolation, and gradient painting.
#pragma once

#include <array>

#include "platform/graphics/color.h"
#include "platform/vcl/types.h"

class TCanvas;

using TColorList = std::array<TColor, 5>;

// The colours picked most recently, newest first, each once.
extern TColorList RecentColorList;
// The colours the user defined, newest first; the same colour may appear several times.
extern TColorList CustomColorList;

// The colour of the frames drawn round items at design time.
constexpr TColor DesignFrameColor = 0x808080;

// The dotted one-pixel frame in DesignFrameColor that shows, on the page being edited, where
// an item without a border of its own lies: drawn just inside rect, the inside left as it is.
// The pen and brush stay as it set them.
void DrawDesignFrame(TCanvas &canvas, const TRect &rect);

// Sets every entry of both lists to white.
void InitColorLists();

// Puts color first in the recent list unless the list already holds it.
void AddRecentColor(TColor color);
// Puts color first in the custom list; the oldest entry drops out.
void AddCustomColor(TColor color);

// The entry at index 0..4; white for any other index.
TColor GetRecentColor(int index);
TColor GetCustomColor(int index);

// System colours become their RGB value and clNone becomes black; others are unchanged.
TColor ResolveColor(TColor color);

// The colour step/count of the way from color1 to color2, per channel, rounded to the
// nearest with ties to even; a count below 1 counts as 1. Steps outside 0..count
// extrapolate, each channel wrapping to its low 8 bits.
TColor InterpolateColor(TColor color1, TColor color2, int count, int step);

// Paints a gradient in rect with one-pixel lines of the canvas's pen (left solid, one
// pixel wide, in the last line's colour). Styles: 1 top to bottom, 2 bottom to top,
// 3 left to right, 4 right to left (these four also paint the row or column just past
// the bottom or right edge); 5 end colour at the top and bottom edges and start colour in
// the middle, 6 the reverse; 7 and 8 the same across the columns. Other styles paint
// nothing.
void DrawGradient(TCanvas &canvas, int style, TColor startColor, TColor endColor, TRect rect);
