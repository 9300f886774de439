// The palette as one line of text, the form it takes on the clipboard:
// groups such as "AC(ff0000) BDEFGHIJKLMNOZ(c8c8c8)", each naming the slots
// that hold one colour, followed by that colour as red, green, blue in hex.
#pragma once

#include <cstddef>

#include "core/state.h"

// Longest text plus its terminating zero: sixteen groups "A(rrggbb)" of nine
// characters with a blank between each two.
const int PaletteTextCapacity = 160;

// Writes the text for the palette into out, zero-terminated, and returns its
// length (at most 159).
int formatPaletteText(const COLORREF palette[PaletteSlots], char16_t out[PaletteTextCapacity]);

// Reads a palette text and reports every slot it names, in the order of the
// letters, through setSlotFn. Reads no further than length units and stops
// early at a zero unit; the work grows linearly with the text, whatever it holds.
void parsePaletteText(const char16_t* text, std::size_t length,
                      void (*setSlotFn)(int slot, COLORREF c, void* context), void* context);
