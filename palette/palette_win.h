// The palette strip: sixteen swatches along the bottom of the client area,
// and how slots change and repaint.
#pragma once

#include "core/shell_win.h"
#include "palette/palette_text.h"

// Paints every swatch with its sunken edges and its letter.
void paintPaletteStrip();

// Stores a colour in slot 0..15 and repaints the inside of its swatch only.
void setSlot(int slot, COLORREF c);

void fillAllSlots(COLORREF c);

// Fills the slots strictly between a and b (either order) evenly from one
// end colour to the other.
void fillGradient(int a, int b);

// Sets every slot that a pasted text names to the colour the text leaves it
// with, repainting once each swatch whose colour changes and no other.
void setNamedSlots(const PastedSlots& slots);
