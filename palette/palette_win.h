// The palette strip: sixteen swatches along the bottom of the client area,
// how slots change and repaint, and the palette's exchange with the clipboard.
#pragma once

#include "core/shell_win.h"

// Paints every swatch with its sunken edges and its letter.
void paintPaletteStrip();

// Stores a colour in slot 0..15 and repaints the inside of its swatch only.
void setSlot(int slot, COLORREF c);

void fillAllSlots(COLORREF c);

// Fills the slots strictly between a and b (either order) evenly from one
// end colour to the other.
void fillGradient(int a, int b);

// Copy and paste use the clipboard on a thread of their own that the window
// waits for, answering messages sent to it meanwhile, for about a second at
// most; one that gives up beeps. A copy given up on may still place its text
// once the clipboard's previous owner answers; what a paste given up on reads
// later is dropped.

// Puts the palette on the clipboard as one line of text.
void copyPalette();

// Reads palette text from the clipboard and sets every slot it names.
void pastePalette();

// The reading half of pastePalette: sets the slots that the UTF-16 text in a
// global memory block names. Reads no further than the block reaches, since
// another program may leave out the terminating zero; a block that will not
// lock changes nothing.
void pasteTextBlock(HANDLE memory);
