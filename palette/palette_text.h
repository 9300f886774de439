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

// What a palette text does to the palette as a whole: for each slot, whether
// the text names it and the colour it is left with, the last group naming it
// winning, exactly as setting the slots letter by letter would leave them.
struct PastedSlots {
    bool named[PaletteSlots];
    COLORREF colour[PaletteSlots];
};

// Reads a palette text, like parsePaletteText, into slots.
void readPastedSlots(const char16_t* text, std::size_t length, PastedSlots& slots);

// Sets every slot of the palette that the pasted slots name.
void applyPastedSlots(const PastedSlots& slots, COLORREF palette[PaletteSlots]);

// The longest text a paste reads: 1 MiB of UTF-16, as the settings reader
// takes 1 MiB, where no palette text comes near (the longest is 159 units).
const std::size_t MaxPasteTextUnits = 1024 * 1024 / sizeof(char16_t);

// Measures a text of at most `units` units that may end early in a zero unit,
// looking at no more than MaxPasteTextUnits + 1 units. False when it is
// longer than MaxPasteTextUnits, and length is then left alone.
bool measurePasteText(const char16_t* text, std::size_t units, std::size_t& length);

// What a paste finds in the clipboard's text.
enum PasteFind { PasteFoundNothing, PasteFoundText, PasteFoundTooLong };

// Reads a text of `units` UTF-16 units into slots, measured as above: another
// program may leave out the terminating zero, so nothing past the last unit
// is read, and a text longer than MaxPasteTextUnits is too long, whole.
PasteFind readPasteText(const char16_t* text, std::size_t units, PastedSlots& slots);
